#include "markdown/node_memory.hpp"

#include <cstdint>
#include <new>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

namespace markdown {

namespace {

#ifdef MADV_HUGEPAGE
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// Below this, the arena comes from the heap: a few huge pages would not pay for a mapping.
constexpr std::size_t kOwnMapping = 4 * kHugePage;

std::uintptr_t round_up(std::uintptr_t n) { return (n + kHugePage - 1) & ~(kHugePage - 1); }
#endif

}  // namespace

void* allocate_nodes(std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (bytes >= kOwnMapping) {
    std::size_t size = round_up(bytes);
    void* raw = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    // Keep the aligned middle of the mapping, so that every 2 MB of it can be one page.
    auto base = reinterpret_cast<std::uintptr_t>(raw);
    std::uintptr_t aligned = round_up(base);
    if (aligned > base) munmap(raw, aligned - base);
    if (std::uintptr_t tail = base + kHugePage - aligned) munmap(reinterpret_cast<void*>(aligned + size), tail);
    // Only a hint: where the kernel has no huge pages to give, the arena has small ones.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
  }
#endif
  return ::operator new(bytes);
}

void free_nodes(void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (bytes >= kOwnMapping) {
    munmap(p, round_up(bytes));
    return;
  }
#endif
  // Unsized: clang does not declare the sized form unless asked to (-fsized-deallocation).
  ::operator delete(p);
}

}  // namespace markdown
