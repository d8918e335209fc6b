#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <utility>
#include <vector>

#include <boost/thread/thread.hpp>

#include "Brelo/Effect/BreloLinesFrame.h"
#include "Brelo/Effect/BreloLinesMulti.h"
#include "LinesScene.h"

namespace Brelo {
namespace {

using Parameter = Lines::Parameter;
using Sim::Depth;
using test::Scene;

// Everything that samples and mixes: slides both ways, RGB separation,
// colour correction, wipes, composite colours.
Parameter busy(int w, int h) {
  Parameter p;
  p.setDirection(2.2).setCenter(Vector<double>(w * 0.4, h * 0.6)).setTotalWidth(w + h).setWidthMax1(6.0)
      .setWidthMin(0.1).setGapMax1(1.5).setGapMin(0.0).setOriginal(true).setSliceMax(9.0)
      .setSliceDirection(Parameter::Direction::Both).setRGBMax(3.0).setColorType(Parameter::ColorType::HLS)
      .setColorH(50.0).setColorS(0.2).setTransitionCompletion(0.5).setTransitionType(Parameter::TransitionType::Random)
      .setCompositeVariance1(0.5).setOutside(BorderType::Wrap);
  return p;
}

struct Frame {
  Sim::Image output, composite;
  bool operator==(Frame const& o) const { return output == o.output && composite == o.composite; }
};

template <class Draw>
Frame draw(Sim::Image const& src, Draw&& how) {
  Scene scene(src);
  how(scene);
  EXPECT_TRUE(scene.paddingIntact());
  return Frame{scene.outputImage(), scene.compositeImage()};
}

// Starts every band's job through `start`, on a thread group of its own.
class StarterWorkers final : public BandWorkers {
 public:
  using Starter = std::function<void(boost::thread_group& group, std::function<void()> const& work)>;
  explicit StarterWorkers(Starter start) : m_start(std::move(start)) {}
  ~StarterWorkers() override { joinAll(); }
  void start(std::function<void()> job) override { m_start(m_group, job); }
  void joinAll() noexcept override { m_group.join_all(); }

 private:
  Starter m_start;
  boost::thread_group m_group;
};

TEST(LinesMulti, SamePictureForEveryThreadCountAndBothBuilds) {
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    int const w = 53, h = 41;
    Sim::Image const src = test::randomImage(w, h, depth, 8, 0.2f);
    Parameter const p = busy(w, h);
    Frame const single = draw(src, [&](Scene& s) {
      single::renderLinesFrame(s.source, s.composite, s.output, 4, s.in(), p);
    });
    EXPECT_NE(single.output, Sim::Image(w, h, depth));
    for (int threads : {1, 2, 3, 8, 0, -3, 1000}) {
      Frame const f = draw(src, [&](Scene& s) { LinesMulti(s.source, s.composite, s.output, threads, s.in(), p); });
      EXPECT_TRUE(f == single) << Sim::depthName(depth) << " threads " << threads;
    }
    Frame const mt = draw(src, [&](Scene& s) {
      threaded::renderLinesFrame(s.source, s.composite, s.output, 3, s.in(), p);
    });
    EXPECT_TRUE(mt == single) << Sim::depthName(depth);
  }
}

TEST(LinesMulti, OneWorkerPerBandWithRows) {
  int const w = 9, h = 10;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 2, 0.5f);
  Parameter const p = busy(w, h);
  for (int threads : {-3, 0, 1, 4, 25}) {
    int started = 0;
    Scene scene(src);
    Lines const engine(scene.in(), scene.source, p);
    StarterWorkers workers([&](boost::thread_group& group, std::function<void()> const& work) {
      ++started;
      group.create_thread(work);
    });
    renderLinesBands(engine, scene.source, scene.composite, scene.output, Rect(0, 0, w, h), threads, workers);
    EXPECT_EQ(started, threads < 1 ? 1 : std::min(threads, h)) << threads;
  }
}

TEST(LinesMulti, BandsWhoseThreadCannotStartAreDrawnByTheCaller) {
  int const w = 40, h = 33;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 21, 0.3f);
  Parameter const p = busy(w, h);
  Frame const expected = draw(src, [&](Scene& s) { LinesMulti(s.source, s.composite, s.output, 6, s.in(), p); });
  for (int refuse_from : {0, 1, 3}) {
    int call = 0;
    Frame const f = draw(src, [&](Scene& s) {
      Lines const engine(s.in(), s.source, p);
      StarterWorkers workers([&](boost::thread_group& group, std::function<void()> const& work) {
        if (call++ >= refuse_from && call % 2 == 0) throw boost::thread_resource_error();
        group.create_thread(work);
      });
      renderLinesBands(engine, s.source, s.composite, s.output, Rect(0, 0, w, h), 6, workers);
    });
    EXPECT_TRUE(f == expected) << refuse_from;
  }
}

PF_FpLong countedPow(PF_FpLong x, PF_FpLong y);
std::atomic<int> g_pow_calls{0};
PF_FpLong countedPow(PF_FpLong x, PF_FpLong y) {
  ++g_pow_calls;
  return std::pow(x, y);
}

TEST(LinesMulti, EmptyAreaBuildsNoEngineAndTouchesNothing) {
  int const w = 12, h = 9;
  Sim::Image const src = test::randomImage(w, h, Depth::Bits8, 6, 0.5f);
  Sim::Image marker(w, h, Depth::Bits8);
  marker.fill(Sim::RGBA{1.0f, 0.1f, 0.2f, 0.3f});
  Scene scene(src);
  scene.setOutput(marker);
  // The layout takes its powers from the host: counting them tells whether
  // an engine was built.
  PF_UtilCallbacks utils = *scene.in()->utils;
  utils.ansi.pow = countedPow;
  PF_InData in = *scene.in();
  in.utils = &utils;
  Parameter const p = busy(w, h);
  g_pow_calls = 0;
  for (Rect const& empty : {Rect(0, 3, w, 3), Rect(5, 0, 5, h), Rect(4, 4, 2, 8)}) {
    LinesMulti(scene.source, scene.composite, scene.output, empty, 4, &in, p);
  }
  EXPECT_EQ(g_pow_calls.load(), 0);
  EXPECT_EQ(scene.outputImage(), marker);
  EXPECT_EQ(scene.host().callCount(Sim::Call::Fill), 0u);
  LinesMulti(scene.source, scene.composite, scene.output, Rect(0, 0, w, h), 4, &in, p);
  EXPECT_GT(g_pow_calls.load(), 0);
}

TEST(LinesMulti, MissingSuiteInWorkersEndsTheFrameWith516) {
  int const w = 30, h = 20;
  struct Case {
    char const* suite;
    int version;
  } const cases[] = {{kPFSampling8Suite, 1}, {kPFFillMatteSuite, 2}};
  for (Case const& c : cases) {
    for (int threads : {1, 2, 3, 8}) {
      Scene scene(test::randomImage(w, h, Depth::Bits8, 4, 0.5f));
      scene.host().withholdSuite(c.suite, c.version);
      PF_Err const err =
          threaded::renderLinesFrame(scene.source, scene.composite, scene.output, threads, scene.in(), busy(w, h));
      EXPECT_EQ(err, PF_Err_BAD_CALLBACK_PARAM) << c.suite << " threads " << threads;
      Sim::Outstanding const left = scene.host().outstanding();
      EXPECT_EQ(left.suites, 0u) << left.describe();
      EXPECT_EQ(left.worlds, 0u) << left.describe();
    }
    // The single-threaded build fails the same way.
    Scene scene(test::randomImage(w, h, Depth::Bits8, 4, 0.5f));
    scene.host().withholdSuite(c.suite, c.version);
    EXPECT_EQ(single::renderLinesFrame(scene.source, scene.composite, scene.output, 1, scene.in(), busy(w, h)),
              PF_Err_BAD_CALLBACK_PARAM);
  }
}

TEST(LinesMulti, FailedClearStaysInTheOutputLayer) {
  int const w = 24, h = 16;
  for (int threads : {1, 2, 8, 0}) {
    for (bool use_threads : {true, false}) {
      Scene scene(test::randomImage(w, h, Depth::Bits8, 4, 0.5f));
      scene.host().failCallsFrom(Sim::Call::Fill, 1, PF_Err_INTERNAL_STRUCT_DAMAGED);
      if (use_threads) {
        threaded::renderLinesFrame(scene.source, scene.composite, scene.output, threads, scene.in(), busy(w, h));
      } else {
        single::renderLinesFrame(scene.source, scene.composite, scene.output, threads, scene.in(), busy(w, h));
      }
      EXPECT_EQ(scene.output.getError(), PF_Err_INTERNAL_STRUCT_DAMAGED) << threads << " " << use_threads;
      EXPECT_EQ(scene.host().callCount(Sim::Call::Fill), 1u);
    }
  }
}

}  // namespace
}  // namespace Brelo
