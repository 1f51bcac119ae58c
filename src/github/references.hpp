// The GitHub-references transform: issue numbers ("#12"), user mentions
// ("@name") and commit hashes in plain text become links to GitHub.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ast/node.hpp"
#include "transform/transform.hpp"

namespace vyn::github {

inline constexpr std::string_view kGithubUrl = "https://github.com";

enum class ReferenceKind { Issue, Mention, Commit };

// One reference in a text: [start, end) are byte indexes, from the "#" or
// "@" sign or the first hexadecimal digit. The value is the digits of an
// issue, the name of a mention, or the whole hash of a commit.
struct Reference {
  std::string value;
  std::size_t start = 0;
  std::size_t end = 0;
  ReferenceKind kind = ReferenceKind::Issue;
  bool operator==(const Reference&) const = default;
};

class GithubReferences final : public transform::Transform {
 public:
  // An empty repository ("owner/repo") means: take it from the frontmatter
  // key "github". One that GitHub could not hold (an owner over 39 letters,
  // digits and hyphens, a name over 100 letters, digits, hyphens, underscores
  // and dots) makes no links.
  GithubReferences() = default;
  explicit GithubReferences(std::string_view repo) : repo(repo) {}

  std::string repo;
  std::string base_url{kGithubUrl};  // https, no trailing slash

  std::string_view name() const override { return "github-references"; }
  void transform(ast::Root& root, std::string_view source) const override;
};

// The references of `text` in order, never overlapping; one pass.
std::vector<Reference> find_references(std::string_view text);

// Splits the text nodes of `nodes` and below into text and link nodes; text
// inside links and images is left alone.
void transform_nodes(ast::NodeList& nodes, std::string_view repo, std::string_view base_url);

}  // namespace vyn::github
