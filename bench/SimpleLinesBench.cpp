// Time to paint a 1920 x 1080 SimpleLines frame of a few hundred bars in each
// depth, on one thread and on all of them, next to the time to copy the same
// frame row by row: the floor any pass over the frame pays. The counter
// "x_floor" is time per frame over the copy's time, measured in the same run.
// SimpleLinesThreads: all threads over one (speedup), and that over what a
// trivially parallel loop gains on this machine (x_parallel_loop).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"
#include "Brelo/Effect/BreloSimpleLinesMulti.h"
#include "BenchFloors.h"
#include "Util/BreloHostAPI.h"

namespace {

using namespace Brelo;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

template <class P>
constexpr BPC bpcOf() {
  return sizeof(P) == 4 ? BPC::Bits8 : sizeof(P) == 8 ? BPC::Bits16 : BPC::Bits32;
}

// A frame with padded rows, as hosts hand them over.
template <class P>
struct Frame {
  std::ptrdiff_t rowbytes = static_cast<std::ptrdiff_t>(kWidth + 16) * static_cast<std::ptrdiff_t>(sizeof(P));
  std::vector<unsigned char> bytes = std::vector<unsigned char>(static_cast<size_t>(rowbytes) * kHeight);
  PF_LayerDef def{};

  explicit Frame(unsigned char fill) {
    std::memset(bytes.data(), fill, bytes.size());
    def.data = bytes.data();
    def.rowbytes = static_cast<A_long>(rowbytes);
    def.width = kWidth;
    def.height = kHeight;
  }
  Layer layer() { return Layer(nullptr, nullptr, &def, bpcOf<P>()); }
};

SimpleLines::Parameter frameParameter() {
  SimpleLines::Parameter p;
  p.setCenter(Vector<double>(960, 540))
      .setDirection(0.4)
      .setTotalWidth(2200)
      .setWidthNum(2)
      .setWidthMax1(12)
      .setWidthMax2(4)
      .setWidthMin(0.2)
      .setGapMax1(3)
      .setGapMin(0)
      .setHeightMax1(1500)
      .setHeightMin(0.4)
      .setAlignMax(200)
      .setAlignMin(0)
      .setColorNum(3)
      .setColorVariance1(0.3)
      .setColorVarianceSpace(SimpleLines::Parameter::ColorSpace::HLS)
      .setTransitionCompletion(0.3)
      .setTransitionType(SimpleLines::Parameter::TransitionType::Random)
      .setOpacity(0.9);
  return p;
}

template <class P>
void paint(benchmark::State& state) {
  Frame<P> source(0x40);
  Frame<P> frame(0x40);
  Layer layer = frame.layer();
  int const threads = static_cast<int>(state.range(0));
  SimpleLines::Parameter const p = frameParameter();
  state.counters["bars"] = static_cast<double>(SimpleLines(layer, p).impl().strip_count);
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.bytes.data(), source.bytes.data(), frame.bytes.size());
    state.ResumeTiming();
    SimpleLinesMulti(layer, threads, p);
    benchmark::ClobberMemory();
  }
  Frame<P> const copy_source(0x40);
  Frame<P> copy_target(0);
  double const floor = BreloBench::frameCopySeconds(copy_source.bytes.data(), copy_source.rowbytes,
                                                    copy_target.bytes.data(), copy_target.rowbytes,
                                                    sizeof(P) * kWidth, kHeight);
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = BreloBench::timesFloor(floor);
}

template <class P>
void copyFloor(benchmark::State& state) {
  Frame<P> source(0x40);
  Frame<P> frame(0);
  size_t const row = sizeof(P) * kWidth;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y)
      std::memcpy(frame.bytes.data() + frame.rowbytes * y, source.bytes.data() + source.rowbytes * y, row);
    benchmark::ClobberMemory();
  }
}

// The 8-bit frame painted on all threads and on one, each at its best.
void threads(benchmark::State& state) {
  Frame<PF_Pixel> source(0x40);
  Frame<PF_Pixel> frame(0x40);
  Layer layer = frame.layer();
  SimpleLines::Parameter const p = frameParameter();
  int const n = BreloBench::allThreads();
  auto paintOn = [&](int count) {
    std::memcpy(frame.bytes.data(), source.bytes.data(), frame.bytes.size());
    SimpleLinesMulti(layer, count, p);
  };
  for (auto _ : state) paintOn(n);
  double const copy = BreloBench::bestSeconds([&] { std::memcpy(frame.bytes.data(), source.bytes.data(), frame.bytes.size()); });
  double const one = BreloBench::bestSeconds([&] { paintOn(1); }) - copy;
  double const many = BreloBench::bestSeconds([&] { paintOn(n); }) - copy;
  double const loop = BreloBench::parallelLoopSpeedup(n);
  state.counters["threads"] = n;
  state.counters["speedup"] = one / many;
  state.counters["loop_speedup"] = loop;
  state.counters["x_parallel_loop"] = one / many / loop;
}

}  // namespace

BENCHMARK(copyFloor<PF_Pixel>)->Name("FrameCopy8")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(copyFloor<PF_Pixel16>)->Name("FrameCopy16")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(copyFloor<PF_PixelFloat>)->Name("FrameCopy32")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(paint<PF_Pixel>)->Name("SimpleLines8")->Arg(1)->Arg(BreloBench::allThreads())->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(paint<PF_Pixel16>)->Name("SimpleLines16")->Arg(1)->Arg(BreloBench::allThreads())->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(paint<PF_PixelFloat>)->Name("SimpleLines32")->Arg(1)->Arg(BreloBench::allThreads())->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(threads)->Name("SimpleLinesThreads")->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
