// What a frei0r filter adds to a frame: a 1920 x 1080 frame of each effect
// rendered through f0r_update's instance, next to the bare render of the
// same frame in the same host (layer and output copied straight in and out
// of the host's worlds, in the host's own pixel layout) and to brelo-render's
// host path. "x_bare" is a frame's time over the bare render's best, measured
// in the same run; "overhead_ms" the best frame's time less the bare one's.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "brelo_frei0r/FilterDescription.h"
#include "brelo_frei0r/FilterHost.h"
#include "brelo_frei0r/FilterInstance.h"
#include "brelo_frei0r/RgbaFrameIO.h"
#include "brelo_host/FrameIO.h"
#include "brelo_host/Session.h"
#include "brelo_render/ControlScript.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/TestCard.h"
#include "BenchFloors.h"

namespace {

using namespace Brelo;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kSeconds = 0.75;

struct Case {
  Frei0r::FilterDescription const& filter;
  const char* module;
  const char* controls;
};

Case const kLines{Frei0r::linesFilter(), BRELO_LINES_MODULE,
                  "Max Slice=120;Max RGB Separation=24;Completion=0@0;100@1.5;Composite Opacity=40"};
Case const kSimpleLines{Frei0r::simpleLinesFilter(), BRELO_SIMPLELINES_MODULE,
                        "Max Width 1=12;Wipe Completion=0@0;100@1.5;Opacity=90"};

// The layer copied row by row into the host's world and the output out of
// it, in the host's layout: what any driver pays at the least.
class CopyIO : public Sim::FrameIO {
 public:
  explicit CopyIO(Sim::Image const& layer) : m_layer(layer), m_out(layer.width(), layer.height(), layer.depth()) {}
  void writeLayer(PF_EffectWorld& w, Sim::Depth) override {
    for (int y = 0; y < w.height; ++y)
      std::memcpy(static_cast<char*>(w.data) + std::ptrdiff_t(y) * w.rowbytes,
                  m_layer.bytes() + std::size_t(y) * m_layer.rowBytes(), m_layer.rowBytes());
  }
  void readOutput(PF_EffectWorld const& w, Sim::Depth) override {
    for (int y = 0; y < w.height; ++y)
      std::memcpy(m_out.bytes() + std::size_t(y) * m_out.rowBytes(),
                  static_cast<char const*>(w.data) + std::ptrdiff_t(y) * w.rowbytes, m_out.rowBytes());
  }

 private:
  Sim::Image const& m_layer;
  Sim::Image m_out;
};

// An effect instance of its own in the filters' host, controls applied.
struct Bare {
  Bare(Frei0r::FilterHost& host, Case const& c, Sim::Image const& card)
      : session(host.host(), host.entry(), kWidth, kHeight),
        controls(session, c.filter.effect, Render::TimeBase{}, {kWidth, kHeight}) {
    Render::applyControlScript(controls, c.controls);
    session.setInput(card);
  }
  Sim::Session session;
  Render::EffectControls controls;
};

A_long frameTime() { return Render::secondsToTime(kSeconds, Render::TimeBase{}, "bench"); }

double bareSeconds(Frei0r::FilterHost& host, Case const& c, Sim::Image const& card) {
  Bare bare(host, c, card);
  CopyIO io(card);
  return BreloBench::bestSeconds([&] {
    bare.session.render(frameTime(), Sim::Depth::Bits8, {}, io);
    host.host().forgetRetired(bare.session.instance());
  });
}

void report(benchmark::State& state, double bare) {
  state.counters["bare_ms"] = bare * 1e3;
  state.counters["x_bare"] = BreloBench::timesFloor(bare);
}

void bareRender(benchmark::State& state, Case const& c) {
  auto host = Frei0r::FilterHost::acquire(c.module);
  Sim::Image const card = Render::makeTestCard(kWidth, kHeight);
  Bare bare(*host, c, card);
  CopyIO io(card);
  for (auto _ : state) {
    bare.session.render(frameTime(), Sim::Depth::Bits8, {}, io);
    host->host().forgetRetired(bare.session.instance());
  }
}

void filterUpdate(benchmark::State& state, Case const& c) {
  auto host = Frei0r::FilterHost::acquire(c.module);
  Sim::Image const card = Render::makeTestCard(kWidth, kHeight);
  std::vector<std::uint32_t> in(std::size_t(kWidth) * kHeight), out(in.size());
  Frei0r::argbToRgba(card.bytes(), reinterpret_cast<std::uint8_t*>(in.data()), kWidth * kHeight);
  Frei0r::FilterInstance f(c.filter, host, kWidth, kHeight, Frei0r::HostKind::Other, [](std::string const&) {});
  char const* controls = c.controls;
  f.setParam(Frei0r::kControls, &controls);
  f.update(kSeconds, in.data(), out.data());
  for (auto _ : state) {
    f.update(kSeconds, in.data(), out.data());
    benchmark::ClobberMemory();
  }
  if (!f.refusal().empty()) state.SkipWithError(f.refusal().c_str());
  // Best against best, so that other work on the machine cancels out.
  double const frame = BreloBench::bestSeconds([&] { f.update(kSeconds, in.data(), out.data()); });
  double const bare = bareSeconds(*host, c, card);
  report(state, bare);
  state.counters["overhead_ms"] = (frame - bare) * 1e3;
}

// brelo-render's path: the host keeps the layer as an image of its own and
// hands the output back as one.
void hostPath(benchmark::State& state, Case const& c) {
  auto host = Frei0r::FilterHost::acquire(c.module);
  Sim::Image const card = Render::makeTestCard(kWidth, kHeight);
  Bare bare(*host, c, card);
  for (auto _ : state) {
    Sim::RenderResult r = bare.session.render(frameTime(), Sim::Depth::Bits8);
    benchmark::DoNotOptimize(r.image.bytes());
    host->host().forgetRetired(bare.session.instance());
  }
  report(state, bareSeconds(*host, c, card));
}

// The filter's own pass over the pixels: host RGBA into the effect's layout
// and back, next to copying the frame both ways ("x_floor").
void conversion(benchmark::State& state) {
  std::vector<std::uint8_t> rgba(std::size_t(kWidth) * kHeight * 4, 0x40), argb(rgba.size()), back(rgba.size());
  std::size_t const row = std::size_t(kWidth) * 4;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) Frei0r::rgbaToArgb(&rgba[row * std::size_t(y)], &argb[row * std::size_t(y)], kWidth);
    for (int y = 0; y < kHeight; ++y) Frei0r::argbToRgba(&argb[row * std::size_t(y)], &back[row * std::size_t(y)], kWidth);
    benchmark::ClobberMemory();
  }
  double const floor = 2 * BreloBench::frameCopySeconds(rgba.data(), std::ptrdiff_t(row), argb.data(),
                                                        std::ptrdiff_t(row), row, kHeight);
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = BreloBench::timesFloor(floor);
}

}  // namespace

BENCHMARK(conversion)->Name("RgbaBothWays")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(bareRender, Lines, kLines)->Name("BareRender/Lines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(filterUpdate, Lines, kLines)->Name("Frei0rUpdate/Lines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(hostPath, Lines, kLines)->Name("HostPath/Lines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(bareRender, SimpleLines, kSimpleLines)
    ->Name("BareRender/SimpleLines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(filterUpdate, SimpleLines, kSimpleLines)
    ->Name("Frei0rUpdate/SimpleLines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(hostPath, SimpleLines, kSimpleLines)
    ->Name("HostPath/SimpleLines")->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
