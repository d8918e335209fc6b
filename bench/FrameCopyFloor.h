// The floor every frame benchmark is read against: one row-by-row copy of a
// frame, timed in the same binary so that a ratio needs no second run.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstring>

namespace BreloBench {

// Seconds of one copy of `height` rows of `row_bytes` bytes between buffers
// whose rows lie `*_stride` bytes apart.
inline double frameCopySeconds(void const* from, std::ptrdiff_t from_stride, void* to, std::ptrdiff_t to_stride,
                               std::size_t row_bytes, int height) {
  auto copy = [&] {
    for (int y = 0; y < height; ++y)
      std::memcpy(static_cast<char*>(to) + y * to_stride, static_cast<char const*>(from) + y * from_stride,
                  row_bytes);
    benchmark::ClobberMemory();
  };
  copy();
  int const reps = 20;
  auto const t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < reps; ++i) copy();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / reps;
}

// The counter of a frame's time over the floor's.
inline benchmark::Counter timesFloor(double floor_seconds) {
  return benchmark::Counter(floor_seconds,
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace BreloBench
