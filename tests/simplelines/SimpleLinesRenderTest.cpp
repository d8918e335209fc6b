// The SimpleLines render path through the module in the simulated host:
// the whole layer requested, the background chosen by the blending mode,
// opacity 0 skipping the bars, "Scale" and the downsample on every length,
// the blending modes, identical frames from both builds and any thread
// count, and every host failure reported with nothing left behind.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "SimpleLinesModuleFixture.h"

namespace {

using namespace Brelo::Sim;
using SimpleLinesTest::expectClean;
using SimpleLinesTest::renderSession;
using SimpleLinesTest::singleThreadedModule;
using SimpleLinesTest::syntheticInput;
using SimpleLinesTest::threadedModule;

constexpr Depth kDepths[] = {Depth::Bits8, Depth::Bits16, Depth::Bits32};

// Control indices the tests set.
enum {
  kCenter = 1,
  kDirection = 3,
  kTotalWidth = 4,
  kWidthMode = 6,
  kMaxWidth1 = 7,
  kMaxWidth2 = 8,
  kMaxWidth3 = 9,
  kGapMode = 12,
  kMaxGap1 = 13,
  kMaxGap2 = 14,
  kMaxGap3 = 15,
  kHeightMode = 21,
  kMaxHeight1 = 22,
  kMaxHeight2 = 23,
  kMaxHeight3 = 24,
  kMaxAlignVariance = 33,
  kColorMode = 39,
  kWipeCompletion = 51,
  kWipeType = 53,
  kScale = 63,
  kOpacity = 64,
  kBlendingMode = 65,
};

// Every length control with its default, or with a non-zero one where the
// default is 0, so that a length the shell forgets to scale shows.
const std::pair<int, double> kLengths[] = {
    {kTotalWidth, 40},  {kMaxWidth1, 6}, {kMaxWidth2, 3},   {kMaxWidth3, 5},   {kMaxGap1, 2},
    {kMaxGap2, 1},      {kMaxGap3, 3},   {kMaxHeight1, 30}, {kMaxHeight2, 12}, {kMaxHeight3, 20},
    {kMaxAlignVariance, 4},
};

// Three ranges of each, so that every length is used.
void useEveryLength(Session& s, double factor) {
  for (int mode : {kWidthMode, kGapMode, kHeightMode}) s.setValue(mode, 3);
  for (auto const& l : kLengths) s.setValue(l.first, l.second * factor);
}

Image render(Session& s, Depth depth, Downsample ds = {}) {
  RenderResult r = s.render(0, depth, ds);
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.rendered);
  EXPECT_TRUE(r.paddingIntact);
  EXPECT_TRUE(r.inputUntouched);
  return r.image;
}

bool allTransparentBlack(Image const& img) {
  for (std::size_t i = 0; i < img.rowBytes() * std::size_t(img.height()); ++i) {
    if (img.bytes()[i]) return false;
  }
  return true;
}

TEST(SimpleLinesRender, PreRenderAsksForTheWholeLayerAndClaimsIt) {
  auto s = renderSession(threadedModule());
  s->setRenderRequest(PF_LRect{10, 5, 30, 20});
  RenderResult r = s->render(0, Depth::Bits8, Downsample(1, 2));
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.flags & PF_RenderOutputFlag_RETURNS_EXTRA_PIXELS);
  ASSERT_EQ(r.layerRequests.size(), 1u);
  LayerRequest const& q = r.layerRequests[0];
  EXPECT_EQ(q.index, 0);
  EXPECT_EQ(q.checkout_id, 0);
  EXPECT_EQ(q.request.preserve_rgb_of_zero_alpha, 1);
  EXPECT_EQ(q.request.rect.left, 0);
  EXPECT_EQ(q.request.rect.top, 0);
  EXPECT_EQ(q.request.rect.right, 32);
  EXPECT_EQ(q.request.rect.bottom, 24);
  for (PF_LRect const* rect : {&r.result_rect, &r.max_result_rect}) {
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->right, 32);
    EXPECT_EQ(rect->bottom, 24);
  }
  // The controls were checked in again and the record handed back.
  expectClean(*s);
}

TEST(SimpleLinesRender, OpacityZeroLeavesTheBackgroundAlone) {
  auto s = renderSession(threadedModule());
  s->setValue(kOpacity, 0);
  for (Depth d : kDepths) {
    SCOPED_TRACE(depthName(d));
    EXPECT_EQ(render(*s, d), s->instance().layerAt({}, d));
    EXPECT_EQ(render(*s, d, Downsample(1, 2)), s->instance().layerAt(Downsample(1, 2), d));
  }
  s->setValue(kBlendingMode, 1);  // "None"
  for (Depth d : kDepths) EXPECT_TRUE(allTransparentBlack(render(*s, d))) << depthName(d);
  expectClean(*s);
}

TEST(SimpleLinesRender, NonePaintsTheBarsOverTransparency) {
  for (Depth d : kDepths) {
    SCOPED_TRACE(depthName(d));
    Image bars;
    {
      auto none = renderSession(threadedModule());
      none->setValue(kBlendingMode, 1);
      bars = render(*none, d);
      EXPECT_FALSE(allTransparentBlack(bars));
      // The separator after "None" behaves as "None".
      none->setValue(kBlendingMode, 2);
      EXPECT_EQ(render(*none, d), bars);
      expectClean(*none);
    }
    // The same as "Normal" over a transparent layer: the layer is not shown.
    auto normal = renderSession(threadedModule());
    normal->setInput(Image(64, 48, Depth::Bits8));
    EXPECT_EQ(render(*normal, d), bars);
  }
}

TEST(SimpleLinesRender, EachBlendingModeEntryGivesItsMode) {
  auto s = renderSession(threadedModule());
  s->setValue(kColorMode, 3);
  s->setValue(kOpacity, 80);
  std::vector<Image> frames(23);
  for (int e = 1; e <= 22; ++e) {
    s->setValue(kBlendingMode, e);
    frames[std::size_t(e)] = render(*s, Depth::Bits16);
  }
  // A separator gives the mode of the entry after it.
  for (int sep : {4, 11, 14, 19}) EXPECT_EQ(frames[std::size_t(sep)], frames[std::size_t(sep + 1)]) << sep;
  // Sixteen modes, sixteen different frames.
  const int named[] = {3, 5, 6, 7, 8, 9, 10, 12, 13, 15, 16, 17, 18, 20, 21, 22};
  for (int a : named) {
    for (int b : named) {
      if (a < b) {
        EXPECT_NE(frames[std::size_t(a)], frames[std::size_t(b)]) << a << " and " << b;
      }
    }
  }
  // "Normal" over the layer is not "None".
  EXPECT_NE(frames[3], frames[1]);
  expectClean(*s);
}

// One frame from a fresh session on `module` (the host allows one session
// at a time).
template <class Setup>
Image frame(Module& module, Depth d, Setup setup, Downsample ds = {}, int width = 64, int height = 48) {
  auto s = renderSession(module, width, height);
  setup(*s);
  Image img = render(*s, d, ds);
  expectClean(*s);
  return img;
}

TEST(SimpleLinesRender, ScaleMultipliesEveryLength) {
  for (Depth d : {Depth::Bits8, Depth::Bits32}) {
    SCOPED_TRACE(depthName(d));
    const Image at100 = frame(threadedModule(), d, [](Session& s) { useEveryLength(s, 1); });
    for (auto scale : {std::make_pair(200.0, 2.0), std::make_pair(50.0, 0.5), std::make_pair(0.0, 0.0)}) {
      SCOPED_TRACE(scale.first);
      const Image scaled = frame(threadedModule(), d, [&](Session& s) {
        useEveryLength(s, 1);
        s.setValue(kScale, scale.first);
      });
      const Image plain = frame(threadedModule(), d, [&](Session& s) { useEveryLength(s, scale.second); });
      EXPECT_EQ(scaled, plain);
      // And "Scale" is not ignored.
      EXPECT_NE(scaled, at100);
    }
  }
}

TEST(SimpleLinesRender, HalfResolutionHalvesTheLengthsAndTakesTheCentreAsGiven) {
  const Downsample half(1, 2);
  for (Depth d : kDepths) {
    SCOPED_TRACE(depthName(d));
    Image layerAtHalf;
    const Image halfFrame = frame(
        threadedModule(), d,
        [&](Session& s) {
          useEveryLength(s, 1);
          s.setPoint(kCenter, 20, 30);
          s.setValue(kDirection, 30);
          layerAtHalf = s.instance().layerAt(half, d);
        },
        half);
    ASSERT_EQ(halfFrame.width(), 32);
    // The same frame from a layer of the downsampled size at full
    // resolution, lengths halved, centre where the host put it.
    const Image small = frame(
        threadedModule(), d,
        [&](Session& s) {
          s.setInput(layerAtHalf);
          useEveryLength(s, 0.5);
          s.setPoint(kCenter, 10, 15);
          s.setValue(kDirection, 30);
        },
        {}, 32, 24);
    EXPECT_EQ(small, halfFrame);
  }
}

TEST(SimpleLinesRender, TheCentreIsTakenRelativeToTheInputOrigin) {
  const Image shifted = frame(threadedModule(), Depth::Bits8, [](Session& s) {
    s.setInputOrigin(-6, 4);
    s.setPoint(kCenter, 20, 30);
  });
  const Image plain = frame(threadedModule(), Depth::Bits8, [](Session& s) { s.setPoint(kCenter, 26, 26); });
  EXPECT_EQ(shifted, plain);
}

TEST(SimpleLinesRender, SameBytesFromBothBuildsAndEveryThreadCount) {
  auto busy = [](Session& s) {
    useEveryLength(s, 1);
    s.setValue(kColorMode, 3);
    s.setValue(kWipeCompletion, 40);
    s.setValue(kWipeType, 7);
  };
  for (Depth d : kDepths) {
    SCOPED_TRACE(depthName(d));
    const Image reference = frame(singleThreadedModule(), d, [&](Session& s) {
      busy(s);
      s.host().setNumThreads(1);
    });
    EXPECT_FALSE(allTransparentBlack(reference));
    for (int threads : {1, 2, 3, 8}) {
      const Image banded = frame(threadedModule(), d, [&](Session& s) {
        busy(s);
        s.host().setNumThreads(threads);
      });
      EXPECT_EQ(banded, reference) << threads << " threads";
    }
  }
}

// ---------------------------------------------------------------- failures

// Calls whose failure the plug-in cannot make good: what they should have
// released stays with the host.
bool releases(Call c) {
  return c == Call::ReleaseSuite || c == Call::DisposeWorld || c == Call::PFDisposeWorld ||
         c == Call::HostDisposeHandle || c == Call::HostUnlockHandle || c == Call::CheckinParam ||
         c == Call::CheckinLayerPixels || c == Call::FreeBlock;
}

TEST(SimpleLinesRender, EveryFailingHostCallIsReportedAndNothingIsLeft) {
  for (Depth d : kDepths) {
    SCOPED_TRACE(depthName(d));
    Image clean;
    std::vector<std::uint64_t> counts(kCallCount);
    {
      auto s = renderSession(threadedModule());
      s->host().resetCallCounts();
      clean = render(*s, d);
      for (std::size_t c = 0; c < kCallCount; ++c) counts[c] = s->host().callCount(Call(c));
    }
    for (std::size_t c = 0; c < kCallCount; ++c) {
      for (std::uint64_t n = 1; n <= counts[c]; ++n) {
        SCOPED_TRACE(::testing::Message() << callName(Call(c)) << " #" << n);
        auto s = renderSession(threadedModule());
        s->host().resetCallCounts();
        s->host().failCall(Call(c), n, PF_Err_INVALID_CALLBACK);
        RenderResult r = s->render(0, d);
        // A failure is reported, or it did not matter.
        if (r.err == PF_Err_NONE) {
          EXPECT_EQ(r.image, clean);
        }
        s->host().clearFaults();
        // The host deletes the record after the frame; without the handle
        // suite there, the record cannot be returned.
        const bool deleterRefused = Call(c) == Call::AcquireSuite && n == counts[c] && r.err == PF_Err_NONE;
        if (releases(Call(c)) || deleterRefused) {
          EXPECT_TRUE(s->host().misuses().empty()) << s->host().misuses().front();
        } else {
          expectClean(*s);
        }
      }
    }
  }
}

TEST(SimpleLinesRender, MissingSuitesEndTheFrameWithNothingLeft) {
  const std::pair<const char*, std::int32_t> suites[] = {
      {kPFWorldSuite, kPFWorldSuiteVersion1},   {kPFWorldSuite, kPFWorldSuiteVersion2},
      {kPFFillMatteSuite, kPFFillMatteSuiteVersion2}, {kPFHandleSuite, kPFHandleSuiteVersion2},
      {kAEGPIterateSuite, kAEGPIterateSuiteVersion1},
  };
  for (auto const& suite : suites) {
    for (int mode : {1, 3}) {
      SCOPED_TRACE(::testing::Message() << suite.first << " " << suite.second << ", blending mode " << mode);
      auto s = renderSession(threadedModule());
      s->setValue(kBlendingMode, mode);
      const Image clean = render(*s, Depth::Bits32);
      s->host().withholdSuite(suite.first, suite.second);
      RenderResult r = s->render(0, Depth::Bits32);
      if (r.err == PF_Err_NONE) {
        EXPECT_EQ(r.image, clean);
      } else {
        EXPECT_EQ(r.err, PF_Err_BAD_CALLBACK_PARAM);
      }
      s->host().restoreSuite(suite.first, suite.second);
      expectClean(*s);
    }
  }
}

}  // namespace
