#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Brelo/BreloRandom.h"
#include "LinesTestSupport.h"

namespace Brelo {
namespace {

using namespace test;


// Every channel on, with amounts that need no random draw to predict:
// min 1 makes each amount its maximum.
Parameter allChannels() {
  Parameter p = columnStrips(0.0, 100.0, 10.0);
  p.setSliceMax(7.0).setSliceMin(1.0).setSliceDelay(0.3);
  p.setRGBMax(3.0).setRGBMin(1.0).setRGBDelay(0.2);
  p.setColorType(Parameter::ColorType::HLS).setColorH(30.0).setColorHMin(1.0)
      .setColorHDirection(Parameter::Direction::One).setColorDelay(0.1);
  p.setCompositeOpacity(0.8).setCompositeDelay(0.4);
  return p;
}

TEST(LinesChannels, FullCompletionWithoutDelayGivesFullAmountsAndZeroGivesNone) {
  PowOnlyInData host;
  for (double completion : {1.0, 0.0}) {
    Parameter p = allChannels();
    p.setSliceCompletion(completion).setSliceDelay(0.0).setRGBCompletion(completion).setRGBDelay(0.0)
        .setColorCompletion(completion).setColorDelay(0.0).setCompositeCompletion(completion).setCompositeDelay(0.0);
    Impl const e(&host.in, 200, 10, p);
    for (Strip const& s : stripsOnly(e)) {
      EXPECT_EQ(s.slice, 7.0 * completion);
      EXPECT_EQ(s.rgb, 3.0 * completion);
      EXPECT_EQ(s.color.red, static_cast<float>(30.0 * completion));
      EXPECT_EQ(s.composite_opacity, 0.8 * completion);
    }
  }
  // The master completion scales every channel.
  Parameter p = allChannels();
  p.setCompletion(0.0);
  Impl const e(&host.in, 200, 10, p);
  for (Strip const& s : stripsOnly(e)) {
    EXPECT_EQ(s.slice, 0.0);
    EXPECT_EQ(s.rgb, 0.0);
    EXPECT_EQ(s.color.red, 0.0f);
    EXPECT_EQ(s.composite_opacity, 0.0);
  }
  EXPECT_EQ(e.parameter.slice_completion(), 0.0);
  EXPECT_EQ(e.parameter.transition_completion(), 0.0);
}

TEST(LinesChannels, StaggerOrderAndEasing) {
  PowOnlyInData host;
  // 10 strips, completion 0.5, delay 0.1: rank r progresses 0.5 * 1.9 - 0.1 r.
  Parameter p = allChannels();
  p.setSliceCompletion(0.5).setSliceDelay(0.1).setSliceOrder(OrderType::Inverse)
      .setSliceEasingType(EasingType::Quad).setSliceEasingMode(EasingMode::In);
  Impl const e(&host.in, 200, 10, p);
  std::vector<Strip> const s = stripsOnly(e);
  ASSERT_EQ(s.size(), 10u);
  for (int j = 0; j < 10; ++j) {
    int const rank = 9 - j;  // inverse order
    double t = 0.95 - 0.1 * rank;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    EXPECT_NEAR(s[static_cast<std::size_t>(j)].slice, 7.0 * t * t, 1e-12) << j;
  }
}

TEST(LinesChannels, TritoneAndTintScaleOnlyTheStrength) {
  PowOnlyInData host;
  Parameter p = columnStrips(0.0, 100.0, 10.0);
  p.setColorType(Parameter::ColorType::Tint).setColorBlendWithOriginal(0.6)
      .setColorColor(ColorFloat<float>(0.2f, 0.4f, 0.9f)).setColorCompletion(0.5).setColorDelay(0.0);
  Impl const e(&host.in, 200, 10, p);
  EXPECT_TRUE(e.color_active);
  for (Strip const& s : stripsOnly(e)) {
    EXPECT_EQ(s.color.alpha, 0.6f * 0.5f);
    EXPECT_NEAR(s.color.red, 0.2f, 1e-6);
    EXPECT_NEAR(s.color.green, 0.4f, 1e-6);
    EXPECT_NEAR(s.color.blue, 0.9f, 1e-6);
  }
  // Colour inactive: no strength, or an HLS shift of nothing.
  p.setColorBlendWithOriginal(0.0);
  EXPECT_FALSE(Impl(&host.in, 200, 10, p).color_active);
  p.setColorType(Parameter::ColorType::HLS);
  EXPECT_FALSE(Impl(&host.in, 200, 10, p).color_active);
  p.setColorL(-0.01);
  EXPECT_TRUE(Impl(&host.in, 200, 10, p).color_active);
}

// A strip [10, 30] wiped at eased progress 0.5.
Strip wipedStrip(Parameter::TransitionType type, double completion) {
  PowOnlyInData host;
  Parameter p = columnStrips(10.0, 20.0, 20.0);
  p.setTransitionType(type).setTransitionCompletion(completion).setTransitionDelay(0.0);
  Impl const e(&host.in, 100, 10, p);
  std::vector<Strip> const s = stripsOnly(e);
  EXPECT_EQ(s.size(), 1u);
  return s.at(0);
}

TEST(LinesChannels, WipeKinds) {
  using T = Parameter::TransitionType;
  Strip s = wipedStrip(T::Normal, 0.5);
  EXPECT_EQ(s.start, 20.0);
  EXPECT_EQ(s.end, 30.0);
  EXPECT_EQ(s.coverage, 1.0);
  s = wipedStrip(T::Inverse, 0.5);
  EXPECT_EQ(s.start, 10.0);
  EXPECT_EQ(s.end, 20.0);
  s = wipedStrip(T::Both, 0.5);
  EXPECT_EQ(s.start, 15.0);
  EXPECT_EQ(s.end, 25.0);
  s = wipedStrip(T::FadeOut, 0.5);
  EXPECT_EQ(s.start, 10.0);
  EXPECT_EQ(s.end, 30.0);
  EXPECT_EQ(s.fade, 0.5);
  EXPECT_FALSE(s.hidden);
  // Progress 1 hides the strip, whatever the kind; completion 0 wipes nothing.
  for (int type = 1; type <= 7; ++type) {
    Strip const gone = wipedStrip(static_cast<T>(type), 1.0);
    EXPECT_TRUE(gone.hidden) << type;
    Strip const kept = wipedStrip(static_cast<T>(type), 0.0);
    EXPECT_FALSE(kept.hidden) << type;
    EXPECT_EQ(kept.start, 10.0);
    EXPECT_EQ(kept.end, 30.0);
    EXPECT_EQ(kept.fade, 1.0);
  }
  // A wipe down to 0.4 pixel leaves coverage 0.4.
  s = wipedStrip(T::Normal, 0.98);
  EXPECT_NEAR(s.end - s.start, 0.4, 1e-9);
  EXPECT_NEAR(s.coverage, 0.4, 1e-9);
}

TEST(LinesChannels, MixedWipeKindsDrawOncePerTakingPartStrip) {
  using T = Parameter::TransitionType;
  PowOnlyInData host;
  Parameter base = columnStrips(0.0, 400.0, 10.0);
  base.setTransitionPer(2).setTransitionOffset(1).setTransitionTypeSeed(77).setTransitionDelay(0.3);
  Impl const plain(&host.in, 500, 10, base);
  std::vector<Strip> const before = stripsOnly(plain);
  ASSERT_EQ(before.size(), 40u);

  for (T type : {T::NormalOrInverse, T::NormalOrInverseOrBoth, T::Random}) {
    Parameter p = base;
    // Mid-way: early groups are gone, late ones untouched, some in between.
    p.setTransitionType(type).setTransitionCompletion(0.5);
    Impl const e(&host.in, 500, 10, p);
    std::vector<Strip> const after = stripsOnly(e);
    Random draws(77);
    int hidden = 0, untouched = 0, moving = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
      Strip const& a = after[i];
      Strip const& b = before[i];
      if (!takesPart(static_cast<int>(i), 1, 2)) {
        EXPECT_TRUE(!a.hidden && a.start == b.start && a.end == b.end && a.fade == 1.0) << i;
        continue;
      }
      double const r = draws.randD();
      if (a.hidden) {
        ++hidden;
        continue;
      }
      if (a.start == b.start && a.end == b.end && a.fade == 1.0) {
        ++untouched;
        continue;
      }
      ++moving;
      bool const normal = a.start > b.start && a.end == b.end;
      bool const inverse = a.start == b.start && a.end < b.end;
      bool const both = a.start > b.start && a.end < b.end;
      bool const fade = a.start == b.start && a.end == b.end && a.fade < 1.0;
      if (type == T::NormalOrInverse) {
        EXPECT_TRUE(r < 0.5 ? normal : inverse) << i;
      } else if (type == T::NormalOrInverseOrBoth) {
        EXPECT_TRUE(r < 0.3333333333333333 ? normal : (r < 0.6666666666666666 ? inverse : both)) << i;
      } else {
        EXPECT_TRUE(r < 0.25 ? normal : (r < 0.5 ? inverse : (r < 0.75 ? both : fade))) << i;
      }
    }
    EXPECT_GT(hidden, 0);
    EXPECT_GT(untouched, 0);
    EXPECT_GT(moving, 2);
  }
}

TEST(LinesChannels, WipeGroupWithoutOrderEntryFollowsTheLastOne) {
  PowOnlyInData host;
  // 10 strips, Per 3: groups 0..3 but only 3 order entries; strip 9 is in
  // group 3 and moves with group 2 (strip 6).
  Parameter p = columnStrips(0.0, 100.0, 10.0);
  p.setTransitionPer(3).setTransitionCompletion(0.6).setTransitionDelay(0.5);
  Impl const e(&host.in, 200, 10, p);
  std::vector<Strip> const s = stripsOnly(e);
  ASSERT_EQ(s.size(), 10u);
  double const w6 = s[6].end - s[6].start, w9 = s[9].end - s[9].start;
  EXPECT_LT(w6, 10.0);
  EXPECT_DOUBLE_EQ(w6, w9);
  EXPECT_EQ(s[9].end, 100.0);

  // One strip, Per 2: no entry at all; the strip stays as it is.
  Parameter one = columnStrips(0.0, 10.0, 10.0);
  one.setTransitionPer(2).setTransitionCompletion(1.0);
  Impl const lone(&host.in, 200, 10, one);
  std::vector<Strip> const l = stripsOnly(lone);
  ASSERT_EQ(l.size(), 1u);
  EXPECT_FALSE(l[0].hidden);
  EXPECT_EQ(l[0].end - l[0].start, 10.0);
}

TEST(LinesChannels, FixedPointOffsets) {
  PowOnlyInData host;
  // Slice 10 along direction 0 and pi/2.
  for (double a : {0.0, 1.5707963267948966}) {
    Parameter p = columnStrips(0.0, 40.0, 10.0);
    p.setDirection(a).setSliceMax(10.0).setSliceMin(1.0);
    Impl const e(&host.in, 100, 100, p);
    std::vector<Strip> const s = stripsOnly(e);
    ASSERT_FALSE(s.empty());
    for (Strip const& strip : s) {
      EXPECT_EQ(strip.slice_offset.x, a == 0.0 ? 10 * 65536 : 0) << a;
      EXPECT_EQ(strip.slice_offset.y, a == 0.0 ? 0 : 10 * 65536) << a;
    }
  }
  // RGB 4, slice 0, direction 0: first sample 4 pixels right, third 4 left.
  Parameter p = columnStrips(0.0, 40.0, 10.0);
  p.setDirection(0.0).setRGBMax(4.0).setRGBMin(1.0);
  Impl const e(&host.in, 100, 100, p);
  for (Strip const& strip : stripsOnly(e)) {
    EXPECT_EQ(strip.rgb_offset1.x, 4 * 65536);
    EXPECT_EQ(strip.rgb_offset1.y, 0);
    EXPECT_EQ(strip.rgb_offset3.x, -4 * 65536);
    EXPECT_EQ(strip.slice_offset.x, 0);
  }
}

TEST(LinesChannels, FixedRoundingIsDefinedForEveryValue) {
  EXPECT_EQ(fixedRound(2.5), 3);
  EXPECT_EQ(fixedRound(-2.5), -3);
  EXPECT_EQ(fixedRound(2.4999), 2);
  EXPECT_EQ(fixedRound(-0.4), 0);
  EXPECT_EQ(fixedRound(std::nan("")), 0);
  EXPECT_EQ(fixedRound(1e12), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(fixedRound(-std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(fixedRound(std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::max());

  // Slides too long for 16.16, or not numbers at all, give bounded offsets.
  PowOnlyInData host;
  for (double slide : {1e300, -1e9, std::numeric_limits<double>::infinity(), std::nan("")}) {
    Parameter p = columnStrips(0.0, 20.0, 10.0);
    p.setDirection(0.7).setSliceMax(slide).setSliceMin(1.0).setRGBMax(slide);
    Impl const e(&host.in, 100, 100, p);
    for (Strip const& s : stripsOnly(e)) {
      // An infinite maximum gives an infinite low and a range of inf * 0:
      // the amount is not a number either.
      if (!std::isfinite(slide)) {
        EXPECT_EQ(s.slice_offset.x, 0);
        EXPECT_EQ(s.rgb_offset1.y, 0);
      } else {
        EXPECT_NE(s.slice_offset.x, 0) << slide;
      }
    }
  }
}

}  // namespace
}  // namespace Brelo
