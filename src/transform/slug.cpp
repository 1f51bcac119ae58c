#include "transform/slug.hpp"

#include "transform/walk.hpp"

namespace vyn::transform {

namespace {

void give_id(ast::StandardBlockNode& heading, SlugCounters& counters) {
  std::string slug = slugify(collect_text(heading.children));
  if (slug.empty()) return;
  std::size_t& count = counters[slug];
  if (count > 0) {
    slug += '-';
    slug += std::to_string(count);
  }
  ++count;
  heading.id = std::move(slug);
}

}  // namespace

// Byte by byte: every byte of a multi-byte character is a separator, and
// consecutive separators collapse, so this equals a step per character.
std::string slugify(std::string_view text) {
  std::string slug;
  slug.reserve(text.size());
  bool after_separator = true;
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      slug += c;
      after_separator = false;
    } else if (c >= 'A' && c <= 'Z') {
      slug += static_cast<char>(c - 'A' + 'a');
      after_separator = false;
    } else if (!after_separator) {
      slug += '-';
      after_separator = true;
    }
  }
  if (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

void slugify_headings(ast::NodeList& nodes, SlugCounters& counters) {
  for (auto& node : nodes) {
    if (node.kind == ast::NodeKind::Heading) {
      auto& heading = node.as<ast::StandardBlockNode>();
      if (!heading.id) give_id(heading, counters);
    }
    if (ast::kind_info(node.kind).enters.slug) slugify_headings(*node.children(), counters);
  }
}

void AutoSlug::transform(ast::Root& root, std::string_view) const {
  SlugCounters counters;
  slugify_headings(root.children, counters);
}

}  // namespace vyn::transform
