#include "frontmatter/yaml.hpp"

#include <libfyaml.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "frontmatter/yaml_lookahead.hpp"
#include "frontmatter/yaml_value.hpp"

namespace vyn::frontmatter {

namespace {

// The resource limits of one frontmatter block. libfyaml only tokenizes; every
// count is kept here, over its event stream and over our own alias replays.
struct Limits {
  static constexpr std::size_t kInputBytes = 256u << 20;
  static constexpr std::size_t kEvents = 1'000'000;
  static constexpr std::size_t kAliases = 50'000;
  static constexpr std::size_t kAnchors = 50'000;
  static constexpr std::size_t kNodes = 250'000;
  // Scalars delivered to the value, through aliases too, so that no alias
  // multiplies a large scalar past this.
  static constexpr std::size_t kScalarBytes = 64u << 20;
  // Past this many aliases, each anchor may be named by at most ten on average.
  static constexpr std::size_t kRatioFromAliases = 100;
  static constexpr std::size_t kAliasesPerAnchor = 10;
  static constexpr std::size_t kReplayedEvents = 1'000'000;
  static constexpr std::size_t kReplayDepth = 64;
  // A node brings at most seven tokens (an anchor, a tag, an entry, key and
  // value indicator, and itself, a collection two), an alias four, the
  // document two markers; libfyaml reads a page past what it needs.
  static constexpr std::size_t kLookaheadTokens = 7 * kNodes + 4 * kAliases + 2 + 4096;
};

struct DiagDeleter {
  void operator()(fy_diag* diag) const { fy_diag_destroy(diag); }
};
struct ParserDeleter {
  void operator()(fy_parser* parser) const { fy_parser_destroy(parser); }
};
struct EventDeleter {
  fy_parser* parser;
  void operator()(fy_event* event) const { fy_parser_event_free(parser, event); }
};
using DiagHandle = std::unique_ptr<fy_diag, DiagDeleter>;
using ParserHandle = std::unique_ptr<fy_parser, ParserDeleter>;
using EventHandle = std::unique_ptr<fy_event, EventDeleter>;

std::string_view text_of(fy_token* token) {
  std::size_t length = 0;
  const char* text = token ? fy_token_get_text(token, &length) : nullptr;
  return text ? std::string_view(text, length) : std::string_view();
}

ScalarTag tag_of(fy_token* tag) {
  std::string_view name = text_of(tag);
  if (name == "!" || name == "tag:yaml.org,2002:str") return ScalarTag::Str;
  if (name == "tag:yaml.org,2002:null") return ScalarTag::Null;
  if (name == "tag:yaml.org,2002:bool") return ScalarTag::Bool;
  if (name == "tag:yaml.org,2002:int") return ScalarTag::Int;
  if (name == "tag:yaml.org,2002:float") return ScalarTag::Float;
  return ScalarTag::None;
}

// A refusal ends the input where it stands (libfyaml spins on a read error);
// the reader then fails on the refusal itself.
ssize_t feed(void* lookahead, void* buffer, std::size_t room) {
  return static_cast<ssize_t>(static_cast<Lookahead*>(lookahead)->feed(static_cast<char*>(buffer), room));
}

// A parser that says nothing: a bad frontmatter is dropped without a word.
// Nesting is bounded by our own count, so libfyaml's fixed cap is lifted.
std::pair<DiagHandle, ParserHandle> make_parser(Lookahead& lookahead) {
  fy_diag_cfg diag_cfg;
  fy_diag_cfg_default(&diag_cfg);
  diag_cfg.fp = nullptr;
  diag_cfg.output_fn = [](fy_diag*, void*, const char*, std::size_t) {};
  diag_cfg.level = FYET_ERROR;
  DiagHandle diag(fy_diag_create(&diag_cfg));
  if (!diag) return {};
  fy_parse_cfg cfg{};
  cfg.flags = static_cast<fy_parse_cfg_flags>(FYPCF_QUIET | FYPCF_DISABLE_DEPTH_LIMIT | FYPCF_DEFAULT_VERSION_1_2 |
                                              FYPCF_JSON_NONE);
  cfg.diag = diag.get();
  ParserHandle parser(fy_parser_create(&cfg));
  if (!parser || fy_parser_set_input_callback(parser.get(), &lookahead, feed) != 0) return {};
  return {std::move(diag), std::move(parser)};
}

// One node event kept for replay through aliases.
struct Recorded {
  enum class Kind : std::uint8_t { Mapping, Sequence, End, Scalar, Alias };
  Kind kind;
  ScalarForm form;
  std::string text;        // scalars
  std::size_t anchor = 0;  // aliases: the anchor named, as defined where the alias stood
};

// The events recorded for an anchored node: [begin, end) in the record.
struct Anchor {
  std::size_t begin;
  std::size_t end;
};

// Reads one YAML stream. Anchored nodes are recorded as events; an alias
// replays them into the builder, never copying a value wholesale, so that
// every value reached through an alias is paid for event by event.
class Reader {
 public:
  std::optional<ast::Json> read(std::string_view text) {
    Lookahead lookahead(text, Limits::kLookaheadTokens);
    auto [diag, parser] = make_parser(lookahead);
    if (!parser) return std::nullopt;
    while (EventHandle event{fy_parser_parse(parser.get()), {parser.get()}}) {
      if (const fy_mark* end = fy_event_end_mark(event.get())) lookahead.settle(end->input_pos);
      if (!take(*event)) return std::nullopt;
    }
    if (fy_parser_get_stream_error(parser.get()) || lookahead.refused()) return std::nullopt;
    ast::Json value = builder_.take();
    if (value.is_null()) return std::nullopt;
    return value;
  }

 private:
  // An open collection, with the anchor it defines if any.
  struct Open {
    std::optional<std::string> anchor;
    std::size_t begin;
  };

  bool take(fy_event& event) {
    if (++events_ > Limits::kEvents) return false;
    switch (event.type) {
      case FYET_DOCUMENT_START:
        // A frontmatter is one value; a second document has no place in it.
        return ++documents_ == 1;
      case FYET_MAPPING_START:
      case FYET_SEQUENCE_START: {
        bool mapping = event.type == FYET_MAPPING_START;
        std::optional<std::string> anchor = anchor_name(event);
        if (!count_node(anchor.has_value())) return false;
        if (anchor) ++recording_;
        open_.push_back({std::move(anchor), record_.size()});
        record({mapping ? Recorded::Kind::Mapping : Recorded::Kind::Sequence, {}, {}});
        return builder_.start_collection(mapping);
      }
      case FYET_MAPPING_END:
      case FYET_SEQUENCE_END: {
        record({Recorded::Kind::End, {}, {}});
        Open open = std::move(open_.back());
        open_.pop_back();
        if (open.anchor) {
          --recording_;
          define(std::move(*open.anchor), open.begin);
        }
        return builder_.end_collection();
      }
      case FYET_SCALAR: return take_scalar(event);
      case FYET_ALIAS: return take_alias(text_of(event.alias.anchor));
      default: return true;
    }
  }

  bool take_scalar(fy_event& event) {
    std::optional<std::string> anchor = anchor_name(event);
    if (!count_node(anchor.has_value())) return false;
    std::string_view text = text_of(event.scalar.value);
    ScalarForm form{fy_token_scalar_style(event.scalar.value) == FYSS_PLAIN, tag_of(event.scalar.tag)};
    std::size_t begin = record_.size();
    if (anchor || recording_ > 0) record_.push_back({Recorded::Kind::Scalar, form, std::string(text)});
    if (anchor) define(std::move(*anchor), begin);
    return deliver_scalar(text, form);
  }

  bool take_alias(std::string_view name) {
    ++aliases_;
    if (aliases_ > Limits::kAliases) return false;
    if (aliases_ >= Limits::kRatioFromAliases && aliases_ > anchor_count_ * Limits::kAliasesPerAnchor) return false;
    auto found = names_.find(std::string(name));
    if (found == names_.end()) return false;  // undefined, or an alias inside its own anchor
    record({Recorded::Kind::Alias, {}, {}, found->second});
    return replay(found->second, 1);
  }

  // Feeds an anchor's events to the builder again; aliases recorded inside it
  // replay in turn, one level deeper.
  bool replay(std::size_t anchor, std::size_t depth) {
    if (depth > Limits::kReplayDepth) return false;
    const Anchor& range = anchors_[anchor];
    for (std::size_t i = range.begin; i < range.end; ++i) {
      const Recorded& event = record_[i];
      if (++replayed_ > Limits::kReplayedEvents) return false;
      bool ok = true;
      switch (event.kind) {
        case Recorded::Kind::Mapping:
        case Recorded::Kind::Sequence: ok = builder_.start_collection(event.kind == Recorded::Kind::Mapping); break;
        case Recorded::Kind::End: ok = builder_.end_collection(); break;
        case Recorded::Kind::Scalar: ok = deliver_scalar(event.text, event.form); break;
        case Recorded::Kind::Alias: ok = replay(event.anchor, depth + 1); break;
      }
      if (!ok) return false;
    }
    return true;
  }

  bool count_node(bool anchored) {
    if (++nodes_ > Limits::kNodes) return false;
    return !anchored || ++anchor_count_ <= Limits::kAnchors;
  }

  bool deliver_scalar(std::string_view text, ScalarForm form) {
    scalar_bytes_ += text.size();
    return scalar_bytes_ <= Limits::kScalarBytes && builder_.scalar(text, form);
  }

  static std::optional<std::string> anchor_name(fy_event& event) {
    fy_token* anchor = fy_event_get_anchor_token(&event);
    if (!anchor) return std::nullopt;
    return std::string(text_of(anchor));
  }

  // Events are kept only inside an anchored node; elsewhere no alias can
  // reach them.
  void record(Recorded event) {
    if (recording_ > 0) record_.push_back(std::move(event));
  }

  // A name defined again names the later node from then on.
  void define(std::string name, std::size_t begin) {
    names_[std::move(name)] = anchors_.size();
    anchors_.push_back({begin, record_.size()});
  }

  ValueBuilder builder_;
  std::vector<Open> open_;
  std::vector<Recorded> record_;
  std::vector<Anchor> anchors_;
  std::unordered_map<std::string, std::size_t> names_;
  std::size_t recording_ = 0;  // anchored collections open
  std::size_t events_ = 0;
  std::size_t documents_ = 0;
  std::size_t nodes_ = 0;
  std::size_t anchor_count_ = 0;
  std::size_t aliases_ = 0;
  std::size_t scalar_bytes_ = 0;
  std::size_t replayed_ = 0;
};

}  // namespace

std::optional<ast::Json> read_yaml(std::string_view text) {
  if (text.size() > Limits::kInputBytes) return std::nullopt;
  return Reader().read(text);
}

}  // namespace vyn::frontmatter
