// Memory for the node arena. A large document's arena runs to tens of megabytes, written once from
// front to back; mapped a 4 KB page at a time, its page faults took a fifth of the parse. A large
// arena is mapped on its own, aligned for huge pages, and asks the kernel for them.
#pragma once

#include <cstddef>

namespace markdown {

void* allocate_nodes(std::size_t bytes);
void free_nodes(void* p, std::size_t bytes);

template <class T>
struct NodeAllocator {
  using value_type = T;
  NodeAllocator() = default;
  template <class U>
  explicit NodeAllocator(const NodeAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(allocate_nodes(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { free_nodes(p, n * sizeof(T)); }
  bool operator==(const NodeAllocator&) const = default;
};

}  // namespace markdown
