// markdown::Parser: a CommonMark pull parser with tables, footnotes, strikethrough, task lists and
// definition lists, yielding events with their byte ranges.
//
//     markdown::Parser parser(text, markdown::Options::all);
//     for (const markdown::Event& event : parser) { ... event.kind, event.start, event.end ... }
//
// Blocks are read when the Parser is built; the inline content of each paragraph, heading, table
// cell or term is resolved when iteration reaches it. Parsing never fails and never recurses on
// the input's nesting.
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "markdown/document.hpp"
#include "markdown/events.hpp"
#include "markdown/inline_parser.hpp"

namespace markdown {

class Parser {
 public:
  Parser(std::string_view text, Options options);
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;
  Parser(Parser&&) = default;
  Parser& operator=(Parser&&) = default;

  // The next event, or nothing once the document is done.
  std::optional<Event> next();
  // The same, written over `event`; false once the document is done.
  bool next(Event& event);

  class iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = Event;
    using difference_type = std::ptrdiff_t;
    using pointer = const Event*;
    using reference = const Event&;

    iterator() = default;
    explicit iterator(Parser* parser) : parser_(parser) { ++*this; }
    reference operator*() const { return event_; }
    pointer operator->() const { return &event_; }
    iterator& operator++() {
      if (!parser_->next(event_)) parser_ = nullptr;
      return *this;
    }
    void operator++(int) { ++*this; }
    bool operator==(const iterator& other) const { return parser_ == other.parser_; }

   private:
    Parser* parser_ = nullptr;
    Event event_;
  };

  iterator begin() { return iterator(this); }
  iterator end() { return iterator(); }

 private:
  void make_event(std::uint32_t ix, bool end, Event& event) const;
  // Called with a paragraph, its parent and grandparent on top of `open_`.
  bool hidden_paragraph(std::uint32_t ix) const;
  void resolve_hidden_after(std::uint32_t ix);
  void fill_cell(std::uint32_t ix, Event& event);

  Document doc_;
  std::uint32_t cur_ = nil;
  std::vector<std::uint32_t> open_;
  // The item a paragraph shown without its tags last resolved inline items in.
  std::uint32_t resolving_item_ = nil;
  CodeSpanCarry code_spans_;   // of that item's paragraphs
  std::uint64_t filling_ = 0;  // events left of the empty cells that one node stands for
};

}  // namespace markdown
