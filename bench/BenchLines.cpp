// Speed of the Lines engine on a 1920 x 1080 frame at each depth, on one
// thread and on all, next to two floors measured in the same binary: copying
// one frame of the same size and depth ("x_floor" is time per frame over the
// copy's time), and one plain pass of the host's sub-pixel sampler over every
// pixel ("x_sample_floor"; a frame with RGB separation samples three times).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <thread>

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Brelo/Effect/BreloLinesMulti.h"
#include "Util/AEGP_SuiteHandler.h"
#include "brelo_host/Host.h"
#include "brelo_host/Image.h"
#include "brelo_host/Session.h"
#include "FrameCopyFloor.h"

namespace {

using namespace Brelo;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

Sim::Depth depthOf(int64_t i) { return i == 0 ? Sim::Depth::Bits8 : (i == 1 ? Sim::Depth::Bits16 : Sim::Depth::Bits32); }
BPC bpcOf(Sim::Depth d) {
  return d == Sim::Depth::Bits8 ? BPC::Bits8 : (d == Sim::Depth::Bits16 ? BPC::Bits16 : BPC::Bits32);
}

Sim::Image gradient(Sim::Depth depth) {
  Sim::Image img(kWidth, kHeight, depth);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      img.set(x, y, Sim::RGBA{1.0f, x / float(kWidth), y / float(kHeight), ((x ^ y) & 255) / 255.0f});
  return img;
}

// Slices and RGB separation on every strip.
Lines::Parameter frameSettings() {
  Lines::Parameter p;
  p.setDirection(0.35).setCenter(Vector<double>(kWidth / 2.0, kHeight / 2.0)).setTotalWidth(2400.0)
      .setWidthMax1(60.0).setWidthMin(0.1).setGapMax1(4.0).setOriginal(true).setSliceMax(80.0)
      .setSliceDirection(Lines::Parameter::Direction::Both).setRGBMax(6.0).setColorBlendWithOriginal(0.0);
  return p;
}

template <class Pixel, class Sample>
double sampleLoopSeconds(PF_InData* in_data, PF_EffectWorld* src, Sample sample) {
  PF_SampPB pb{};
  pb.src = src;
  Pixel px{};
  unsigned sum = 0;
  auto const t0 = std::chrono::steady_clock::now();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      sample(in_data->effect_ref, (x << 16) + 0x6000, (y << 16) + 0x2000, &pb, &px);
      sum += unsigned(px.alpha);
    }
  benchmark::DoNotOptimize(sum);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Seconds of one sub-pixel sample of every pixel through the host's suite.
double sampleSeconds(PF_InData* in_data, PF_EffectWorld* src, Sim::Depth depth) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  switch (depth) {
    case Sim::Depth::Bits8:
      return sampleLoopSeconds<PF_Pixel>(in_data, src, suites.Sampling8Suite1()->subpixel_sample);
    case Sim::Depth::Bits16:
      return sampleLoopSeconds<PF_Pixel16>(in_data, src, suites.Sampling16Suite1()->subpixel_sample16);
    default:
      return sampleLoopSeconds<PF_PixelFloat>(in_data, src, suites.SamplingFloatSuite1()->subpixel_sample_float);
  }
}

void BM_Frame(benchmark::State& state) {
  Sim::Depth const depth = depthOf(state.range(0));
  int const threads = state.range(1) == 0 ? 1 : int(std::max(1u, std::thread::hardware_concurrency()));
  Sim::Session session(nullptr, kWidth, kHeight);
  auto scope = session.beginSmartRender(0, depth);
  Sim::HostWorld src = session.host().makeWorld(gradient(depth));
  Sim::HostWorld out = session.host().makeWorld(kWidth, kHeight, depth);
  Sim::HostWorld comp = session.host().makeWorld(kWidth, kHeight, depth);
  BPC const bpc = bpcOf(depth);
  Layer source(scope->in_data(), scope->out_data(), src.get(), bpc);
  Layer output(scope->in_data(), scope->out_data(), out.get(), bpc);
  Layer composite(scope->in_data(), scope->out_data(), comp.get(), bpc);
  Lines::Parameter const p = frameSettings();
  for (auto _ : state) {
    LinesMulti(source, composite, output, threads, scope->in_data(), p);
  }
  double const floor = BreloBench::frameCopySeconds(src->data, src->rowbytes, out->data, out->rowbytes,
                                                    std::size_t(kWidth) * Sim::pixelSize(depth), kHeight);
  double const sampling = sampleSeconds(scope->in_data(), src.get(), depth);
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = BreloBench::timesFloor(floor);
  state.counters["sample_floor_ms"] = sampling * 1e3;
  state.counters["x_sample_floor"] = BreloBench::timesFloor(sampling);
  state.counters["threads"] = threads;
  state.SetLabel(std::string(Sim::depthName(depth)) + (threads == 1 ? ", 1 thread" : ", all threads"));
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"depth", "all_threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The floor itself, for the record.
void BM_CopyFrame(benchmark::State& state) {
  Sim::Depth const depth = depthOf(state.range(0));
  Sim::Session session(nullptr, kWidth, kHeight);
  Sim::HostWorld src = session.host().makeWorld(gradient(depth));
  Sim::HostWorld out = session.host().makeWorld(kWidth, kHeight, depth);
  std::size_t const row_bytes = std::size_t(kWidth) * Sim::pixelSize(depth);
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y)
      std::memcpy(static_cast<char*>(out->data) + std::ptrdiff_t(y) * out->rowbytes,
                  static_cast<char const*>(src->data) + std::ptrdiff_t(y) * src->rowbytes, row_bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(row_bytes) * kHeight);
  state.SetLabel(Sim::depthName(depth));
}
BENCHMARK(BM_CopyFrame)->DenseRange(0, 2)->ArgName("depth")->Unit(benchmark::kMillisecond);

// Layout and channel passes alone, 10,000 strips.
void BM_Layout10000(benchmark::State& state) {
  PF_UtilCallbacks utils{};
  utils.ansi.pow = +[](A_FpLong x, A_FpLong y) -> A_FpLong { return std::pow(x, y); };
  PF_InData in{};
  in.utils = &utils;
  Lines::Parameter p = frameSettings();
  p.setTotalWidth(10000.0).setWidthMax1(1.0).setGapMax1(0.0).setTransitionCompletion(0.5).setColorBlendWithOriginal(0.5);
  int strips = 0;
  for (auto _ : state) {
    Lines::Impl const e(&in, kWidth, kHeight, p);
    strips = e.strip_count;
    benchmark::DoNotOptimize(e.strips.data());
  }
  state.counters["strips"] = strips;
}
BENCHMARK(BM_Layout10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
