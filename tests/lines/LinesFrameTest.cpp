// The Lines frame drawn by the engine, end to end through the module: the
// composite blend, both builds at every thread count, downsampling, and every
// host call failing in turn.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "HostFailureSweep.h"
#include "LinesRenderSupport.h"
#include "Lines/LinesParams.h"

namespace {

using namespace Brelo::Sim;
using namespace Brelo::LinesParams;
// The shared render helpers (LinesRenderSupport.h).
using namespace BreloTest;

TEST(LinesRender, CompositeBlendOnlyWhenItCanShow) {
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->host().resetCallCounts();
  RenderResult r = s->render(0, Depth::Bits8);
  ASSERT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(s->host().callCount(Call::TransferRect), 1u);
  Image const blended = r.image;
  expectClean(*s, r);

  for (int control : {int(kCompletion), int(kCompositeCompletion), int(kCompositeOpacity)}) {
    SCOPED_TRACE(control);
    busySettings(*s);
    s->setValue(kCompletion, 100);
    s->setValue(kCompositeCompletion, 100);
    s->setValue(control, 0);
    s->host().resetCallCounts();
    // A failing transfer would surface if it were called at all.
    s->host().failCallsFrom(Call::TransferRect, 1, kInjected);
    r = s->render(0, Depth::Bits8);
    s->host().clearFaults();
    EXPECT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(s->host().callCount(Call::TransferRect), 0u);
    expectClean(*s, r);
  }
  // Composite opacity alone changes only the blend: without it the colours do not show.
  busySettings(*s);
  s->setValue(kCompositeOpacity, 0);
  r = s->render(0, Depth::Bits8);
  EXPECT_NE(r.image, blended);
}

TEST(LinesRender, SameBytesInBothBuildsAtEveryThreadCountDepthAndDownsample) {
  std::vector<Image> reference;
  {
    auto s = newSession(singleThreadedModule());
    busySettings(*s);
    for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32})
      for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
        RenderResult const r = s->render(0, depth, ds);
        ASSERT_EQ(r.err, PF_Err_NONE);
        expectClean(*s, r);
        reference.push_back(r.image);
      }
  }
  auto s = newSession(threadedModule());
  busySettings(*s);
  for (int threads : {1, 2, 3, 8}) {
    s->host().setNumThreads(threads);
    std::size_t i = 0;
    for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32})
      for (Downsample ds : {Downsample(), Downsample(1, 2)}) {
        SCOPED_TRACE(std::to_string(threads) + " threads, " + depthName(depth) + ", downsample 1/" +
                     std::to_string(ds.x.den));
        RenderResult const r = s->render(0, depth, ds);
        ASSERT_EQ(r.err, PF_Err_NONE);
        EXPECT_EQ(r.image, reference[i++]);
        expectClean(*s, r);
      }
  }
}

TEST(LinesRender, HalfResolutionMatchesTheStripsOfAFullRender) {
  // Lengths scale with the downsample: the half render of a pattern with even
  // sizes puts its strip edges where the full render has them, halved.
  auto s = newSession(threadedModule());
  s->setValue(kDirection, 90);
  s->setValue(kTotalWidth, 64);
  s->setValue(kMaxWidth1, 8);
  s->setValue(kMaxGap1, 8);
  s->setValue(kMinGap, 100);
  s->setValue(kCompositeOpacity, 100);
  s->setValue(kBlendingMode, 1);
  RenderResult const full = s->render(0, Depth::Bits8);
  RenderResult const half = s->render(0, Depth::Bits8, Downsample(1, 2));
  ASSERT_EQ(full.err, PF_Err_NONE);
  ASSERT_EQ(half.err, PF_Err_NONE);
  int matches = 0, compared = 0;
  for (int y = 0; y < half.image.height(); ++y)
    for (int x = 0; x < half.image.width(); ++x) {
      PF_Pixel const& h = half.image.px8(x, y);
      PF_Pixel const& f = full.image.px8(2 * x, 2 * y);
      ++compared;
      matches += (h.alpha == 0) == (f.alpha == 0);
    }
  // Every strip and gap lines up; only pixels on an anti-aliased edge may differ.
  EXPECT_GE(matches, compared * 9 / 10);
}

TEST(LinesRender, CentreIsMovedIntoTheInputBuffer) {
  // The same pattern, once on a buffer at the layer's origin and once on one
  // whose pixel (0, 0) lies at (7, -3) with the centre moved along.
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->setPoint(kCenter, 20, 30);
  RenderResult const atZero = s->render(0, Depth::Bits8);
  ASSERT_EQ(atZero.err, PF_Err_NONE);
  s->setInputOrigin(7, -3);
  s->setPoint(kCenter, 27, 27);
  RenderResult const moved = s->render(0, Depth::Bits8);
  ASSERT_EQ(moved.err, PF_Err_NONE);
  EXPECT_EQ(moved.image, atZero.image);
  s->setPoint(kCenter, 20, 30);
  EXPECT_NE(s->render(0, Depth::Bits8).image, atZero.image) << "the origin matters";
}

// Every host call the render makes, failing in turn.
class LinesHostFailure : public ::testing::TestWithParam<Depth> {};

TEST_P(LinesHostFailure, EveryHostCallFailingInTurnIsReturnedWithNothingLeaked) {
  Depth const depth = GetParam();
  auto s = newSession(threadedModule());
  busySettings(*s);
  s->host().setNumThreads(2);
  s->host().resetCallCounts();
  RenderResult const clean = s->render(0, depth);
  ASSERT_EQ(clean.err, PF_Err_NONE);
  std::vector<std::pair<Call, std::uint64_t>> counts;
  for (std::size_t c = 0; c < kCallCount; ++c) counts.emplace_back(Call(c), s->host().callCount(Call(c)));

  int tried = 0;
  for (auto const& [call, count] : counts) {
    // Calls that return nothing cannot report a failure; a failed release is the
    // host's own leak. Missing suites have a test of their own.
    if (call == Call::ReleaseSuite || call == Call::HostUnlockHandle || call == Call::HostDisposeHandle ||
        call == Call::DisposeWorld || call == Call::PFDisposeWorld || call == Call::CheckinLayerPixels ||
        call == Call::AcquireSuite)
      continue;
    for (std::uint64_t n = 1; n <= count; n = BreloTest::nextFailure(call, n, count)) {
      SCOPED_TRACE(std::string(callName(call)) + " #" + std::to_string(n));
      s->host().clearMisuses();
      std::size_t const paramsBefore = held(*s).params;
      s->host().resetCallCounts();
      s->host().failCall(call, n, kInjected);
      RenderResult const r = s->render(0, depth);
      s->host().clearFaults();
      ++tried;
      PF_Err expected = kInjected;
      switch (call) {
        case Call::HostNewHandle: expected = PF_Err_OUT_OF_MEMORY; break;
        // The first lock is pre-render's, the second render's.
        case Call::HostLockHandle: expected = n == 1 ? PF_Err_OUT_OF_MEMORY : PF_Err_BAD_CALLBACK_PARAM; break;
        default: break;
      }
      // The engine does not look at what the sampler returns, so a failed sample
      // cannot reach the frame's result; it must still leave nothing behind.
      if (!BreloTest::isSamplingCall(call)) {
        EXPECT_EQ(r.err, expected);
      }
      // A check-in the host refused leaves that control on the host's books.
      Outstanding o = held(*s);
      EXPECT_EQ(o.params - paramsBefore, call == Call::CheckinParam ? 1u : 0u);
      o.params = 0;
      EXPECT_EQ(o.handles + o.worlds + o.suites + o.layerPixels, 0u) << o.describe();
      EXPECT_TRUE(r.inputUntouched);
    }
  }
  EXPECT_GT(tried, 130);
}

INSTANTIATE_TEST_SUITE_P(Depths, LinesHostFailure, ::testing::Values(Depth::Bits8, Depth::Bits16, Depth::Bits32),
                         [](::testing::TestParamInfo<Depth> const& p) {
                           return p.param == Depth::Bits8 ? "Bits8" : p.param == Depth::Bits16 ? "Bits16" : "Float";
                         });

TEST(LinesRender, EveryMissingSuiteEndsTheFrameWith516) {
  struct Suite {
    const char* name;
    std::int32_t version;
  };
  Suite const suites[] = {{kPFHandleSuite, kPFHandleSuiteVersion2},   {kPFWorldSuite, kPFWorldSuiteVersion1},
                          {kPFWorldSuite, kPFWorldSuiteVersion2},     {kPFFillMatteSuite, kPFFillMatteSuiteVersion2},
                          {kPFSampling8Suite, kPFSampling8SuiteVersion1}, {kPFSampling16Suite, kPFSampling16SuiteVersion1},
                          {kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1},
                          {kAEGPIterateSuite, kAEGPIterateSuiteVersion1}};
  auto s = newSession(threadedModule());
  busySettings(*s);
  for (Depth depth : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    s->host().clearMisuses();
    RenderResult const clean = s->render(0, depth);
    ASSERT_EQ(clean.err, PF_Err_NONE);
    for (Suite const& suite : suites) {
      // Only the suites this frame uses.
      int const before = s->host().suiteAcquisitions(suite.name, suite.version);
      s->render(0, depth);
      if (s->host().suiteAcquisitions(suite.name, suite.version) == before) continue;
      SCOPED_TRACE(std::string(suite.name) + " " + std::to_string(suite.version) + " at " + depthName(depth));
      s->host().withholdSuite(suite.name, suite.version);
      RenderResult const r = s->render(0, depth);
      s->host().restoreSuite(suite.name, suite.version);
      EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
      EXPECT_TRUE(held(*s).none()) << held(*s).describe();
    }
  }
}

}  // namespace
