// Speed of a Lines frame at 1920 x 1080 as the render path draws it: the
// engine's bands into the output and a cleared composite layer, then the
// composite colours blended over the output by the host. Every figure is a
// ratio to a floor measured in the same binary:
//   BM_Frame        x_floor: one copy of a frame; x_unavoidable: what no
//                   frame can skip (three passes of the host's sub-pixel
//                   sampler called as the engine calls it, plus the host's
//                   overlay blend of one frame); x_8bit: over the 8-bit frame.
//   BM_HostSampler  one pass of the host's sampler through its suite, a call
//                   a sample, over a plain inlined bilinear loop with the
//                   same rounding (x_plain).
//   BM_Threads      the engine's bands on all threads over one, and that
//                   speed-up over a trivially parallel loop's (x_parallel_loop);
//                   frame_speedup: the whole frame, the host's blend included.
//   BM_StripCount   about 10,000 strips over about 100 (x_100_strips), and
//                   the layout's share of the frame (layout_share).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <type_traits>

#include "BenchFloors.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Brelo/Effect/BreloLinesMulti.h"
#include "Util/AEGP_SuiteHandler.h"
#include "brelo_host/Host.h"
#include "brelo_host/Image.h"
#include "brelo_host/Session.h"

namespace {

using namespace Brelo;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kDirection = 0.35;

Sim::Depth depthOf(int64_t i) { return i == 0 ? Sim::Depth::Bits8 : (i == 1 ? Sim::Depth::Bits16 : Sim::Depth::Bits32); }
BPC bpcOf(Sim::Depth d) {
  return d == Sim::Depth::Bits8 ? BPC::Bits8 : (d == Sim::Depth::Bits16 ? BPC::Bits16 : BPC::Bits32);
}

// Opaque colour ramps with a band of partly transparent pixels.
Sim::Image picture(Sim::Depth depth) {
  Sim::Image img(kWidth, kHeight, depth);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      float const a = (y > kHeight / 3 && y < kHeight / 2) ? ((x ^ y) & 255) / 255.0f : 1.0f;
      img.set(x, y, Sim::RGBA{a, x / float(kWidth), y / float(kHeight), ((x * 7 + y * 3) & 1023) / 1023.0f});
    }
  return img;
}

// The strips' extent across the frame at the bench's direction: the pattern
// then just covers the frame ("Optimum Total Width").
double optimumTotalWidth() { return kWidth * std::fabs(std::sin(kDirection)) + kHeight * std::fabs(std::cos(kDirection)); }

// Slices, RGB separation and composite colours on every strip.
Lines::Parameter frameSettings() {
  Lines::Parameter p;
  p.setDirection(kDirection).setCenter(Vector<double>(kWidth / 2.0, kHeight / 2.0)).setTotalWidth(optimumTotalWidth())
      .setWidthMax1(60.0).setWidthMin(0.1).setGapMax1(4.0).setOriginal(true).setSliceMax(80.0)
      .setSliceDirection(Lines::Parameter::Direction::Both).setRGBMax(6.0).setColorBlendWithOriginal(0.0)
      .setCompositeOpacity(0.6).setCompositeVariance1(0.3);
  return p;
}

bool compositeVisible(Lines::Parameter const& p) {
  return p.completion() * p.composite_completion() * p.composite_opacity() > 0.0;
}

// A host, an input and an output world of one depth, and the frame as the
// render path draws it.
class Frame {
 public:
  explicit Frame(Sim::Depth depth)
      : m_depth(depth),
        m_session(nullptr, kWidth, kHeight),
        m_scope(m_session.beginSmartRender(0, depth)),
        m_src(m_session.host().makeWorld(picture(depth))),
        m_out(m_session.host().makeWorld(kWidth, kHeight, depth)),
        source(in(), m_scope->out_data(), m_src.get(), bpcOf(depth)),
        output(in(), m_scope->out_data(), m_out.get(), bpcOf(depth)) {}

  PF_InData* in() { return m_scope->in_data(); }
  Sim::Depth depth() const { return m_depth; }
  PF_EffectWorld* sourceWorld() { return m_src.get(); }

  // The host composites on as many threads as it reports.
  [[gnu::noinline]] void render(Lines::Parameter const& p, int threads) {
    m_session.host().setNumThreads(threads);
    m_working.reset();
    m_working = std::make_unique<Layer>(in(), m_scope->out_data(), kWidth, kHeight, bpcOf(m_depth));
    LinesMulti(source, *m_working, output, threads, in(), p);
    if (compositeVisible(p)) blend(*m_working);
  }

  // The engine's bands alone: the composite colours into a cleared layer.
  void bands(Lines::Parameter const& p, int threads) {
    if (!m_working) m_working = std::make_unique<Layer>(in(), m_scope->out_data(), kWidth, kHeight, bpcOf(m_depth));
    m_working->fill(ColorFloat<float>());
    LinesMulti(source, *m_working, output, threads, in(), p);
  }

  // The host's overlay blend of a composite layer over the output, as the
  // render path asks for it.
  void blend(Layer& composite) {
    Rect from = composite.getSize();
    Vector<int> at(0, 0);
    composite.blendTo(output, from, at, 1.0, BlendMode::Overlay, true);
  }

  // Seconds of the host's overlay blend of the last frame's composite
  // colours, on one thread.
  double blendSeconds() {
    m_session.host().setNumThreads(1);
    return BreloBench::bestSeconds([&] { blend(*m_working); });
  }

 private:
  Sim::Depth m_depth;
  Sim::Session m_session;
  std::unique_ptr<Sim::Session::Scope> m_scope;
  Sim::HostWorld m_src, m_out;
  std::unique_ptr<Layer> m_working;  // the last frame's composite colours

 public:
  Layer source;
  Layer output;
};

// ---- the host's sampler and a plain loop with the same rounding

// A sub-pixel position near every pixel, its fractions changing from pixel
// to pixel, so that no loop can weigh all pixels alike.
template <class Sample>
void everyPixel(Sample&& sample) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      sample((x << 16) + ((x * 40503 + y * 9973) & 0xFFFF), (y << 16) + ((x * 7919 + y * 52361) & 0xFFFF));
}

// Both passes consume every channel: with alpha alone the compiler drops the
// inlined loop's other three channels and the floor weighs a quarter pixel.
template <class Pixel>
double channelSum(Pixel const& p) {
  return double(p.alpha) + double(p.red) + double(p.green) + double(p.blue);
}

template <class Pixel, class Suite>
double suitePassSeconds(PF_InData* in_data, PF_EffectWorld* src, Suite sample) {
  PF_SampPB pb{};
  pb.src = src;
  return BreloBench::bestSeconds([&] {
    Pixel px{};
    double sum = 0;
    everyPixel([&](PF_Fixed x, PF_Fixed y) {
      sample(in_data->effect_ref, x, y, &pb, &px);
      sum += channelSum(px);
    });
    benchmark::DoNotOptimize(sum);
  });
}

// Seconds of one sub-pixel sample of every pixel through the host's suite.
double samplerPassSeconds(PF_InData* in_data, PF_EffectWorld* src, Sim::Depth depth) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  switch (depth) {
    case Sim::Depth::Bits8:
      return suitePassSeconds<PF_Pixel>(in_data, src, suites.Sampling8Suite1()->subpixel_sample);
    case Sim::Depth::Bits16:
      return suitePassSeconds<PF_Pixel16>(in_data, src, suites.Sampling16Suite1()->subpixel_sample16);
    default:
      return suitePassSeconds<PF_PixelFloat>(in_data, src, suites.SamplingFloatSuite1()->subpixel_sample_float);
  }
}

// Bilinear over the four pixels around a 16.16 position, each weighed with
// the product of its 16-bit fractions, pixels outside transparent, integer
// sums rounded half up; float sums in double. Written the plain way, inlined.
template <class Pixel>
inline Pixel plainBilinear(PF_EffectWorld const* w, PF_Fixed x, PF_Fixed y) {
  int64_t const fx = x & 0xFFFF, fy = y & 0xFFFF;
  int64_t const x0 = x >> 16, y0 = y >> 16;
  int64_t const weight[4] = {(65536 - fx) * (65536 - fy), fx * (65536 - fy), (65536 - fx) * fy, fx * fy};
  using Sum = std::conditional_t<std::is_same_v<Pixel, PF_PixelFloat>, double, int64_t>;
  Sum a = 0, r = 0, g = 0, b = 0;
  for (int i = 0; i < 4; ++i) {
    int64_t const px = x0 + (i & 1), py = y0 + (i >> 1);
    if (weight[i] == 0 || px < 0 || py < 0 || px >= w->width || py >= w->height) continue;
    Pixel const& p = reinterpret_cast<Pixel const*>(static_cast<char const*>(w->data) + py * w->rowbytes)[px];
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
      double const wt = double(weight[i]) / 4294967296.0;
      a += wt * double(p.alpha), r += wt * double(p.red), g += wt * double(p.green), b += wt * double(p.blue);
    } else {
      a += weight[i] * p.alpha, r += weight[i] * p.red, g += weight[i] * p.green, b += weight[i] * p.blue;
    }
  }
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
    return Pixel{float(a), float(r), float(g), float(b)};
  } else {
    using C = decltype(Pixel::alpha);
    int64_t const half = int64_t(1) << 31;
    return Pixel{C((a + half) >> 32), C((r + half) >> 32), C((g + half) >> 32), C((b + half) >> 32)};
  }
}

template <class Pixel>
double plainPassSeconds(PF_EffectWorld const* src) {
  return BreloBench::bestSeconds([&] {
    double sum = 0;
    everyPixel([&](PF_Fixed x, PF_Fixed y) { sum += channelSum(plainBilinear<Pixel>(src, x, y)); });
    benchmark::DoNotOptimize(sum);
  });
}

double plainPassSeconds(PF_EffectWorld const* src, Sim::Depth depth) {
  switch (depth) {
    case Sim::Depth::Bits8:
      return plainPassSeconds<PF_Pixel>(src);
    case Sim::Depth::Bits16:
      return plainPassSeconds<PF_Pixel16>(src);
    default:
      return plainPassSeconds<PF_PixelFloat>(src);
  }
}

// ---- benchmarks

void BM_Frame(benchmark::State& state) {
  Sim::Depth const depth = depthOf(state.range(0));
  int const threads = state.range(1) == 0 ? 1 : BreloBench::allThreads();
  Lines::Parameter const p = frameSettings();
  double copy = 0, unavoidable = 0;
  {
    Frame f(depth);
    for (auto _ : state) f.render(p, threads);
    copy = BreloBench::frameCopySeconds(f.sourceWorld()->data, f.sourceWorld()->rowbytes, f.output.getWorld()->data,
                                        f.output.getWorld()->rowbytes, std::size_t(kWidth) * Sim::pixelSize(depth),
                                        kHeight);
    if (threads == 1) unavoidable = 3.0 * samplerPassSeconds(f.in(), f.sourceWorld(), depth) + f.blendSeconds();
  }
  state.counters["floor_ms"] = copy * 1e3;
  state.counters["x_floor"] = BreloBench::timesFloor(copy);
  if (threads == 1) {
    state.counters["unavoidable_ms"] = unavoidable * 1e3;
    state.counters["x_unavoidable"] = BreloBench::timesFloor(unavoidable);
  }
  if (depth != Sim::Depth::Bits8) {
    Frame f8(Sim::Depth::Bits8);
    state.counters["x_8bit"] = BreloBench::timesFloor(BreloBench::bestSeconds([&] { f8.render(p, threads); }));
  }
  state.counters["threads"] = threads;
  state.SetLabel(std::string(Sim::depthName(depth)) + (threads == 1 ? ", 1 thread" : ", all threads"));
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"depth", "all_threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_HostSampler(benchmark::State& state) {
  Sim::Depth const depth = depthOf(state.range(0));
  Frame f(depth);
  auto suitePass = [&] { return samplerPassSeconds(f.in(), f.sourceWorld(), depth); };
  for (auto _ : state) suitePass();
  // Both passes taken in turn, each at its best, so that a busy machine
  // slows both alike.
  double suite = 1e300, plain = 1e300;
  for (int i = 0; i < 7; ++i) {
    suite = std::min(suite, suitePass());
    plain = std::min(plain, plainPassSeconds(f.sourceWorld(), depth));
  }
  state.counters["suite_ms"] = suite * 1e3;
  state.counters["plain_ms"] = plain * 1e3;
  state.counters["x_plain"] = suite / plain;
  state.SetLabel(Sim::depthName(depth));
}
BENCHMARK(BM_HostSampler)->DenseRange(0, 2)->ArgName("depth")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Threads(benchmark::State& state) {
  int const threads = BreloBench::allThreads();
  Lines::Parameter const p = frameSettings();
  Frame f(Sim::Depth::Bits8);
  for (auto _ : state) f.render(p, threads);
  double const loop = BreloBench::parallelLoopSpeedup(threads);
  // The engine's bands alone, and the whole frame with the host's composite
  // blend, which runs on the host's thread.
  double const bands1 = BreloBench::bestSeconds([&] { f.bands(p, 1); });
  double const bandsN = BreloBench::bestSeconds([&] { f.bands(p, threads); });
  double const frame1 = BreloBench::bestSeconds([&] { f.render(p, 1); });
  double const frameN = BreloBench::bestSeconds([&] { f.render(p, threads); });
  state.counters["threads"] = threads;
  state.counters["loop_speedup"] = loop;
  state.counters["speedup"] = bands1 / bandsN;
  state.counters["x_parallel_loop"] = bands1 / bandsN / loop;
  state.counters["frame_speedup"] = frame1 / frameN;
  state.SetLabel("8-bit frame");
}
BENCHMARK(BM_Threads)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same frame with about 10,000 strips of about 5 pixels (a 50,000-pixel
// pattern, a few hundred of them in the frame) and with about 100 strips of
// about 18 pixels: more strips must not cost more per pixel.
Lines::Parameter manyStrips() {
  Lines::Parameter p = frameSettings();
  p.setTotalWidth(50000.0).setWidthMax1(8.0).setGapMax1(1.2);
  return p;
}
Lines::Parameter fewStrips() {
  Lines::Parameter p = frameSettings();
  p.setWidthMax1(30.0).setGapMax1(4.0);
  return p;
}

void BM_StripCount(benchmark::State& state) {
  Frame f(Sim::Depth::Bits8);
  Lines::Parameter const many = manyStrips(), few = fewStrips();
  for (auto _ : state) f.render(many, 1);
  double const frame = BreloBench::bestSeconds([&] { f.render(many, 1); });
  double const fewFrame = BreloBench::bestSeconds([&] { f.render(few, 1); });
  double const layout = BreloBench::bestSeconds([&] {
    Lines::Impl const e(f.in(), kWidth, kHeight, many);
    benchmark::DoNotOptimize(e.strips.data());
  });
  state.counters["strips"] = Lines::Impl(f.in(), kWidth, kHeight, many).strip_count;
  state.counters["few_strips"] = Lines::Impl(f.in(), kWidth, kHeight, few).strip_count;
  state.counters["x_100_strips"] = frame / fewFrame;
  state.counters["layout_ms"] = layout * 1e3;
  state.counters["layout_share"] = layout / frame;
  state.SetLabel("8-bit frame, 1 thread");
}
BENCHMARK(BM_StripCount)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
