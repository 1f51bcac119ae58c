#include "parser/source_map.hpp"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vyn::parser {

SourceMap::SourceMap(std::string_view text) {
  // Room for lines of 32 bytes on average, which few texts go below: the table is mostly made
  // once, without counting the lines first.
  line_starts_.reserve(text.size() / 32 + 3);
  line_starts_.push_back(0);
  const char* begin = text.data();
  std::size_t size = text.size();
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixty-four bytes at a time, their line feeds as the bits of one mask: most lines are short, and
  // a search call per line costs more than the line's bytes. Lines of some forty bytes leave a
  // sixteen-byte chunk without a feed as often as not, a branch that would mostly guess wrong;
  // sixty-four bytes nearly always hold one.
  const __m128i line_feed = _mm_set1_epi8('\n');
  auto feeds_at = [&](std::size_t at) -> std::uint64_t {
    __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + at));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, line_feed)));
  };
  for (; i + 64 <= size; i += 64) {
    std::uint64_t feeds = feeds_at(i) | feeds_at(i + 16) << 16 | feeds_at(i + 32) << 32 | feeds_at(i + 48) << 48;
    for (; feeds != 0; feeds &= feeds - 1)
      line_starts_.push_back(i + static_cast<unsigned>(__builtin_ctzll(feeds)) + 1);
  }
#endif
  for (; i < size; ++i) {
    if (begin[i] == '\n') line_starts_.push_back(i + 1);
  }
  line_starts_.push_back(kNoLine);
}

std::size_t SourceMap::line_index_far(std::uint64_t offset, std::size_t near) const {
  // Steps of doubling length from `near` towards the offset bracket its line between `low` and
  // `high` (line_starts_[low] <= offset < line_starts_[high]); halving then closes the bracket.
  // Both ends of the table stop the steps: the first start is 0, the last kNoLine.
  std::size_t last = line_starts_.size() - 1;
  std::size_t low = near;
  std::size_t high = near;
  if (offset >= line_starts_[near]) {
    high = near + 1;
    for (std::size_t step = 2; line_starts_[high] <= offset; step *= 2) {
      low = high;
      high = std::min(low + step, last);
    }
  } else {
    low = near - 1;  // near > 0: the first line starts at 0
    for (std::size_t step = 2; line_starts_[low] > offset; step *= 2) {
      high = low;
      low = high > step ? high - step : 0;
    }
  }
  while (high - low > 1) {
    std::size_t middle = low + (high - low) / 2;
    (line_starts_[middle] <= offset ? low : high) = middle;
  }
  return low;
}

}  // namespace vyn::parser
