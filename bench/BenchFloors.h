// The floors every benchmark here is read against, timed in the same binary
// so that a ratio needs no second run: one row-by-row copy of a frame, the
// best of several runs of any piece of work, and the speed-up that a
// trivially parallel compute loop gets from more threads on this machine.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace BreloBench {

// Seconds of the fastest of `reps` runs of `work` (after one unmeasured run).
template <class Work>
double bestSeconds(Work&& work, int reps = 5) {
  work();
  double best = 1e300;
  for (int i = 0; i < reps; ++i) {
    auto const t0 = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

// Seconds of one copy of `height` rows of `row_bytes` bytes between buffers
// whose rows lie `*_stride` bytes apart.
inline double frameCopySeconds(void const* from, std::ptrdiff_t from_stride, void* to, std::ptrdiff_t to_stride,
                               std::size_t row_bytes, int height) {
  return bestSeconds(
      [&] {
        for (int y = 0; y < height; ++y)
          std::memcpy(static_cast<char*>(to) + y * to_stride, static_cast<char const*>(from) + y * from_stride,
                      row_bytes);
        benchmark::ClobberMemory();
      },
      20);
}

// The counter of a benchmark's time per iteration over `floor_seconds`.
inline benchmark::Counter timesFloor(double floor_seconds) {
  return benchmark::Counter(floor_seconds,
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Time on one thread over time on `threads` threads of a fixed amount of pure
// arithmetic split evenly between them: the best speed-up this machine gives
// work that shares nothing.
inline double parallelLoopSpeedup(int threads) {
  auto spin = [](std::uint64_t steps, std::uint64_t* sink) {
    std::uint64_t x = 88172645463325252ull;
    for (std::uint64_t i = 0; i < steps; ++i) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
    }
    *sink = x;
  };
  std::uint64_t const total = 200000000;
  auto run = [&](int n) {
    std::vector<std::uint64_t> sinks(static_cast<std::size_t>(n) * 8);
    std::vector<std::thread> pool;
    for (int i = 1; i < n; ++i) pool.emplace_back(spin, total / n, &sinks[static_cast<std::size_t>(i) * 8]);
    spin(total / n, &sinks[0]);
    for (auto& t : pool) t.join();
    benchmark::DoNotOptimize(sinks.data());
  };
  double const one = bestSeconds([&] { run(1); }, 3);
  double const many = bestSeconds([&] { run(threads); }, 3);
  return one / many;
}

inline int allThreads() {
  unsigned const n = std::thread::hardware_concurrency();
  return n > 0 ? static_cast<int>(n) : 1;
}

}  // namespace BreloBench
