// A link's or image's destination or title, or a text node's value. Every use of a link reference
// definition repeats the definition's texts, which may be long, and most text nodes hold a stretch
// of the input: the tree's root keeps each such text once (`Root::shared_texts`) and the nodes view
// it, so that a definition used many times costs its text once and a text node costs no copy of
// its own. Compared and written by value.
#pragma once

#include <cstddef>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace vyn::ast {

// The texts that the nodes of one tree view (Root::shared_texts). Each stays where it is as more
// are kept and when the root is moved; nothing is allocated until the first is kept, as most
// documents keep none.
class KeptTexts {
 public:
  KeptTexts() = default;
  KeptTexts(const KeptTexts& other)
      : texts_(other.texts_ ? std::make_unique<std::deque<std::string>>(*other.texts_) : nullptr) {}
  KeptTexts& operator=(const KeptTexts& other) {
    if (this != &other) *this = KeptTexts(other);
    return *this;
  }
  KeptTexts(KeptTexts&&) noexcept = default;
  KeptTexts& operator=(KeptTexts&&) noexcept = default;
  ~KeptTexts() = default;

  std::size_t size() const { return texts_ ? texts_->size() : 0; }
  const std::string& operator[](std::size_t k) const { return (*texts_)[k]; }
  const std::string& emplace_back(std::string_view text) {
    if (!texts_) texts_ = std::make_unique<std::deque<std::string>>();
    return texts_->emplace_back(text);
  }

 private:
  std::unique_ptr<std::deque<std::string>> texts_;
};

// Owns its bytes, or views bytes that outlive it: a text the root keeps, or a string literal. Its
// bytes stay where they are when it is moved, so a move copies four words.
class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string_view value) { own(value); }                             // NOLINT(google-explicit-constructor)
  SharedText(const std::string& value) : SharedText(std::string_view(value)) {}  // NOLINT(google-explicit-constructor)
  SharedText(const char* value) : SharedText(std::string_view(value)) {}         // NOLINT(google-explicit-constructor)
  SharedText(const SharedText& other) : kept_(other.kept_), data_(other.data_), size_(other.size_) {
    if (other.owned_) own(other.view());
  }
  SharedText& operator=(const SharedText& other) {
    if (this != &other) *this = SharedText(other);
    return *this;
  }
  SharedText(SharedText&& other) noexcept
      : owned_(std::move(other.owned_)),
        kept_(std::exchange(other.kept_, nullptr)),
        data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)) {}
  SharedText& operator=(SharedText&& other) noexcept {
    owned_ = std::move(other.owned_);
    kept_ = std::exchange(other.kept_, nullptr);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    return *this;
  }
  ~SharedText() = default;

  // A view of `part` (the whole by default) of `kept`, a text that the root of the node's tree keeps.
  static SharedText view_of(const std::string& kept) { return view_of(kept, kept); }
  static SharedText view_of(const std::string& kept, std::string_view part) {
    SharedText text;
    text.kept_ = &kept;
    text.data_ = part.data();
    text.size_ = part.size();
    return text;
  }
  // A view of `text`, which lives as long as the program (a string literal).
  static SharedText literal(std::string_view text) {
    SharedText shared;
    shared.data_ = text.data();
    shared.size_ = text.size();
    return shared;
  }

  std::string_view view() const { return {data_, size_}; }
  operator std::string_view() const { return view(); }  // NOLINT(google-explicit-constructor)
  bool empty() const { return size_ == 0; }

  // Drops the first `n` bytes.
  void remove_prefix(std::size_t n) {
    data_ += n;
    size_ -= n;
  }

  // The root's text this one views, else nullptr.
  const std::string* kept() const { return kept_; }
  // The root's text this one views whole, else nullptr: texts that view the same whole are the same.
  const std::string* kept_whole() const { return kept_ && size_ == kept_->size() ? kept_ : nullptr; }
  // Views the same part of `kept`, a copy of the text viewed so far.
  void rebind(const std::string* kept) {
    data_ = kept->data() + (data_ - kept_->data());
    kept_ = kept;
  }

  bool operator==(const SharedText& other) const { return view() == other.view(); }
  bool operator==(std::string_view other) const { return view() == other; }
  bool operator==(const std::string& other) const { return view() == other; }
  bool operator==(const char* other) const { return view() == other; }

 private:
  void own(std::string_view value) {
    if (value.empty()) {
      owned_.reset();
      data_ = nullptr;
    } else {
      owned_ = std::make_unique_for_overwrite<char[]>(value.size());
      std::memcpy(owned_.get(), value.data(), value.size());
      data_ = owned_.get();
    }
    size_ = value.size();
  }

  std::unique_ptr<char[]> owned_;
  const std::string* kept_ = nullptr;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace vyn::ast
