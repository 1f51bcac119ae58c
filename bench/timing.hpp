// Timing for the benchmark programs: the best of a few runs, so that one
// disturbed run does not count.
#pragma once

#include <algorithm>
#include <chrono>

namespace vyn::bench {

template <class F>
double best_seconds(F&& run) {
  using Clock = std::chrono::steady_clock;
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace vyn::bench
