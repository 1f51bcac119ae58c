#include "github/references.hpp"

#include <algorithm>
#include <iterator>
#include <optional>

namespace vyn::github {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool is_alphanumeric(char c) { return is_digit(c) || is_letter(c); }
bool is_hex_letter(char c) { return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool is_hex(char c) { return is_digit(c) || is_hex_letter(c); }
bool is_name_byte(char c) { return is_alphanumeric(c) || c == '-' || c == '_'; }
// ASCII white space as far as a mention is concerned; vertical tab is not.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

constexpr std::size_t kMinHashLength = 7;
constexpr std::size_t kMaxHashLength = 40;
constexpr std::size_t kShortHashLength = 7;

// The end of the run of bytes from `from` on that satisfy `accept`.
template <class Accept>
std::size_t run_end(std::string_view text, std::size_t from, Accept accept) {
  while (from < text.size() && accept(text[from])) ++from;
  return from;
}

// A candidate starting at `i`: its measured end, and whether it is a reference.
struct Candidate {
  std::size_t end;
  bool found;
  ReferenceKind kind;
};

std::optional<Candidate> candidate_at(std::string_view text, std::size_t i) {
  const char b = text[i];
  const bool first = i == 0;
  if (b == '#') {
    std::size_t e = run_end(text, i + 1, is_digit);
    return Candidate{e, e > i + 1 && (first || !is_alphanumeric(text[i - 1])), ReferenceKind::Issue};
  }
  if (b == '@') {
    std::size_t e = run_end(text, i + 1, is_name_byte);
    return Candidate{e, e > i + 1 && (first || is_space(text[i - 1])), ReferenceKind::Mention};
  }
  if (is_hex(b) && (first || !is_alphanumeric(text[i - 1]))) {
    std::size_t e = run_end(text, i, is_hex);
    std::size_t length = e - i;
    bool found = length >= kMinHashLength && length <= kMaxHashLength && (e == text.size() || !is_letter(text[e])) &&
                 std::any_of(text.begin() + i, text.begin() + e, is_hex_letter);
    return Candidate{e, found, ReferenceKind::Commit};
  }
  return std::nullopt;
}

ast::Point shifted(const ast::Point& start, std::size_t by) {
  return {start.line, start.column + by, start.offset + by};
}

// The link of a reference, with its label.
ast::Node make_link(const Reference& ref, std::string_view repo, std::string_view base_url, ast::Position position) {
  std::string url(base_url);
  std::string label;
  switch (ref.kind) {
    case ReferenceKind::Issue:
      url.append("/").append(repo).append("/issues/").append(ref.value);
      label = "#" + ref.value;
      break;
    case ReferenceKind::Mention:
      url.append("/").append(ref.value);
      label = "@" + ref.value;
      break;
    case ReferenceKind::Commit:
      url.append("/").append(repo).append("/commit/").append(ref.value);
      label = ref.value.substr(0, kShortHashLength);
      break;
  }
  ast::LinkNode link{std::move(url), std::nullopt, {}, position};
  link.children.push_back(ast::make_text(std::move(label), position));
  return ast::make_node(ast::NodeKind::Link, std::move(link));
}

// Text pieces between the references and a link for each; every piece is
// placed on the start line of the text, counted from its start column.
ast::NodeList replacement(const ast::TextNode& text, const std::vector<Reference>& refs, std::string_view repo,
                          std::string_view base_url) {
  const ast::Point& start = text.position.start;
  auto span = [&](std::size_t a, std::size_t b) { return ast::Position{shifted(start, a), shifted(start, b)}; };
  std::string_view value = text.value;
  ast::NodeList pieces;
  std::size_t cursor = 0;
  for (const auto& ref : refs) {
    if (cursor < ref.start)
      pieces.push_back(ast::make_text(std::string(value.substr(cursor, ref.start - cursor)), span(cursor, ref.start)));
    pieces.push_back(make_link(ref, repo, base_url, span(ref.start, ref.end)));
    cursor = ref.end;
  }
  if (cursor < value.size())
    pieces.push_back(ast::make_text(std::string(value.substr(cursor)), span(cursor, value.size())));
  return pieces;
}

constexpr std::size_t kMaxOwnerLength = 39;
constexpr std::size_t kMaxNameLength = 100;

bool is_owner_byte(char c) { return is_alphanumeric(c) || c == '-'; }
bool is_repository_byte(char c) { return is_alphanumeric(c) || c == '-' || c == '_' || c == '.'; }

// Whether GitHub could hold "owner/name": an owner of at most 39 letters, digits and hyphens, and
// a name of at most 100 letters, digits, hyphens, underscores and dots. Each link repeats it, so a
// long one would multiply the document; either part may be empty.
bool github_could_hold(std::string_view repo) {
  std::size_t slash = repo.find('/');
  std::string_view owner = repo.substr(0, slash);
  std::string_view name = slash == std::string_view::npos ? std::string_view() : repo.substr(slash + 1);
  return owner.size() <= kMaxOwnerLength && name.size() <= kMaxNameLength &&
         std::all_of(owner.begin(), owner.end(), is_owner_byte) &&
         std::all_of(name.begin(), name.end(), is_repository_byte);
}

// The repository named by the frontmatter key "github", if it is a string.
std::optional<std::string> frontmatter_repo(const ast::Root& root) {
  if (!root.frontmatter || !root.frontmatter->is_object()) return std::nullopt;
  auto found = root.frontmatter->find("github");
  if (found == root.frontmatter->end() || !found->is_string()) return std::nullopt;
  return found->get<std::string>();
}

}  // namespace

std::vector<Reference> find_references(std::string_view text) {
  std::vector<Reference> refs;
  std::size_t i = 0;
  while (i < text.size()) {
    auto candidate = candidate_at(text, i);
    if (!candidate) {
      ++i;
    } else if (candidate->found) {
      std::size_t value_start = candidate->kind == ReferenceKind::Commit ? i : i + 1;
      refs.push_back(
          {std::string(text.substr(value_start, candidate->end - value_start)), i, candidate->end, candidate->kind});
      i = candidate->end;
    } else {
      // The byte that ended the failed run is never the start of a candidate.
      i = candidate->end + 1;
    }
  }
  return refs;
}

// A list is rebuilt only once its first text node is split, and then in one
// pass, so a list of many split text nodes costs no more than its length.
void transform_nodes(ast::NodeList& nodes, std::string_view repo, std::string_view base_url) {
  ast::NodeList rebuilt;
  bool split = false;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    ast::Node& node = nodes[i];
    if (node.kind == ast::NodeKind::Text) {
      auto refs = find_references(node.as<ast::TextNode>().value);
      if (!refs.empty()) {
        if (!split) {
          rebuilt.reserve(nodes.size() + 2 * refs.size());
          std::move(nodes.begin(), nodes.begin() + static_cast<std::ptrdiff_t>(i), std::back_inserter(rebuilt));
          split = true;
        }
        ast::NodeList pieces = replacement(node.as<ast::TextNode>(), refs, repo, base_url);
        std::move(pieces.begin(), pieces.end(), std::back_inserter(rebuilt));
        continue;
      }
    } else if (ast::kind_info(node.kind).enters.github) {
      transform_nodes(*node.children(), repo, base_url);
    }
    if (split) rebuilt.push_back(std::move(node));
  }
  if (split) nodes = std::move(rebuilt);
}

void GithubReferences::transform(ast::Root& root, std::string_view) const {
  std::optional<std::string> chosen = repo.empty() ? frontmatter_repo(root) : repo;
  if (chosen && github_could_hold(*chosen)) transform_nodes(root.children, *chosen, base_url);
}

}  // namespace vyn::github
