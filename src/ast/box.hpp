// A heap-allocated single owned child with value semantics: copying a Box
// copies the value it holds, so recursive records stay plain values.
#pragma once

#include <memory>
#include <utility>

namespace vyn::ast {

template <class T>
class Box {
 public:
  // Holds a default value, for a reader to fill in place.
  Box() : ptr_(std::make_unique<T>()) {}
  Box(T value) : ptr_(std::make_unique<T>(std::move(value))) {}  // NOLINT: implicit on purpose
  Box(const Box& other) : ptr_(std::make_unique<T>(*other.ptr_)) {}
  Box(Box&&) noexcept = default;
  Box& operator=(const Box& other) {
    if (this != &other) ptr_ = std::make_unique<T>(*other.ptr_);
    return *this;
  }
  Box& operator=(Box&&) noexcept = default;
  ~Box() = default;

  T& operator*() { return *ptr_; }
  const T& operator*() const { return *ptr_; }
  T* operator->() { return ptr_.get(); }
  const T* operator->() const { return ptr_.get(); }

  friend bool operator==(const Box& a, const Box& b) { return *a.ptr_ == *b.ptr_; }

 private:
  std::unique_ptr<T> ptr_;
};

// A value, or the value a Box holds: for code that takes either alike.
template <class T>
T& unbox(T& value) {
  return value;
}
template <class T>
const T& unbox(const T& value) {
  return value;
}
template <class T>
T& unbox(Box<T>& box) {
  return *box;
}
template <class T>
const T& unbox(const Box<T>& box) {
  return *box;
}

}  // namespace vyn::ast
