#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Brelo/BreloLimits.h"
#include "Brelo/Effect/BreloLinesParameter.h"

namespace Brelo {
namespace {

using P = LinesParameter;
constexpr double kTwoPi = 6.283185307179586;

TEST(LinesParameter, DefaultsOfEveryChannel) {
  P p;
  EXPECT_EQ(p.completion(), 1.0);
  EXPECT_EQ(p.align(), 0.5);
  EXPECT_EQ(p.total_width(), 1000.0);
  EXPECT_EQ(p.width_max1(), 100.0);
  EXPECT_EQ(p.width_min(), 1.0);
  EXPECT_EQ(p.gap_max3(), 0.0);
  EXPECT_EQ(p.outside(), BorderType::Reflect);
  EXPECT_FALSE(p.original());
  EXPECT_EQ(p.slice_delay(), 0.1);
  EXPECT_EQ(p.slice_min(), 0.3);
  EXPECT_EQ(p.slice_direction(), P::Direction::One);
  EXPECT_EQ(p.slice_easing_mode(), EasingMode::InOut);
  EXPECT_EQ(p.rgb_color1().red, 1.0f);
  EXPECT_EQ(p.rgb_color2().green, 1.0f);
  EXPECT_EQ(p.rgb_color3().blue, 1.0f);
  EXPECT_EQ(p.rgb_color3().alpha, 1.0f);
  EXPECT_EQ(p.color_type(), P::ColorType::Tritone);
  EXPECT_EQ(p.color_blend_with_original(), 1.0);
  EXPECT_EQ(p.color_color().green, 0.5f);
  EXPECT_EQ(p.color_h_direction(), P::Direction::Both);
  EXPECT_EQ(p.composite_opacity(), 1.0);
  EXPECT_EQ(p.composite_color2().blue, 1.0f);
  EXPECT_EQ(p.composite_variance_space(), P::ColorSpace::RGB);
  EXPECT_EQ(p.composite_overlap(), P::CompositeOverlap::Clip);
  // The Wipe channel alone starts at 0.
  EXPECT_EQ(p.transition_completion(), 0.0);
  EXPECT_EQ(p.transition_type(), P::TransitionType::Normal);
  EXPECT_EQ(p.transition_order(), OrderType::Normal);
}

TEST(LinesParameter, DirectionWrapsIntoOneTurn) {
  EXPECT_DOUBLE_EQ(P().setDirection(-0.5).direction(), kTwoPi - 0.5);
  EXPECT_DOUBLE_EQ(P().setDirection(7.0).direction(), 7.0 - kTwoPi);
  EXPECT_EQ(P().setDirection(kTwoPi).direction(), 0.0);
  EXPECT_DOUBLE_EQ(P().setDirection(-3 * kTwoPi - 1.0).direction(), kTwoPi - 1.0);
}

TEST(LinesParameter, ClampsOfTheLayout) {
  EXPECT_EQ(P().setTotalWidth(-3).total_width(), 0.0);
  EXPECT_EQ(P().setTotalWidth(1e9).total_width(), kMaxTotalWidth);
  EXPECT_EQ(P().setTotalWidth(42426.4).total_width(), 42426.4);
  for (int v : {0, -2}) {
    EXPECT_EQ(P().setWidthNum(v).width_num(), 1);
    EXPECT_EQ(P().setGapNum(v).gap_num(), 1);
    EXPECT_EQ(P().setCompositeNum(v).composite_num(), 1);
  }
  EXPECT_EQ(P().setWidthNum(7).width_num(), 3);
  EXPECT_EQ(P().setGapNum(7).gap_num(), 3);
  EXPECT_EQ(P().setCompositeNum(2).composite_num(), 2);
  EXPECT_EQ(P().setWidthMax1(0.2).width_max1(), 1.0);
  EXPECT_EQ(P().setWidthMax3(7.5).width_max3(), 7.5);
  EXPECT_EQ(P().setGapMax1(-4).gap_max1(), 0.0);
  EXPECT_EQ(P().setWidthPower(-1).width_power(), 0.0);
  EXPECT_EQ(P().setAlign(1.5).align(), 1.0);
  EXPECT_EQ(P().setCompletion(-0.5).completion(), 0.0);
}

TEST(LinesParameter, PerIsNeverBelowOneAndHasNoUpperBound) {
  EXPECT_EQ(P().setSlicePer(0).slice_per(), 1);
  EXPECT_EQ(P().setSlicePer(5).slice_per(), 5);
  EXPECT_EQ(P().setRGBPer(-1).rgb_per(), 1);
  EXPECT_EQ(P().setColorPer(0).color_per(), 1);
  EXPECT_EQ(P().setCompositePer(0).composite_per(), 1);
  EXPECT_EQ(P().setTransitionPer(0).transition_per(), 1);
  EXPECT_EQ(P().setTransitionPer(1000).transition_per(), 1000);
  EXPECT_EQ(P().setSliceOffset(-2).slice_offset(), -2);
}

TEST(LinesParameter, UnclampedFieldsKeepTheirValues) {
  EXPECT_EQ(P().setSliceMax(-250.0).slice_max(), -250.0);
  EXPECT_EQ(P().setRGBMax(-9999.0).rgb_max(), -9999.0);
  EXPECT_EQ(P().setColorH(-720.0).color_h(), -720.0);
  EXPECT_EQ(P().setColorL(-2.0).color_l(), -2.0);
  EXPECT_EQ(P().setColorSMin(3.0).color_s_min(), 3.0);
  EXPECT_EQ(P().setSliceOrderPhase(2.5).slice_order_phase(), 2.5);
}

TEST(LinesParameter, NotANumberNeverReachesTheEngine) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(P().setTotalWidth(nan).total_width(), 0.0);
  EXPECT_EQ(P().setCompletion(nan).completion(), 0.0);
  EXPECT_EQ(P().setDirection(inf).direction(), 0.0);
  EXPECT_EQ(P().setWidthMax1(inf).width_max1(), 1.0);
  EXPECT_EQ(P().setSliceMax(nan).slice_max(), 0.0);
  EXPECT_EQ(P().setColorH(-inf).color_h(), 0.0);
}

// The whole set takes the clamps of its flat setters; what has none stays.
TEST(LinesParameter, CompositeColorsSetWholeAreClampedAsTheirFields) {
  ColorSet c;
  c.num = 9;
  c.variance1 = -0.5;
  c.variance2 = std::numeric_limits<double>::quiet_NaN();
  c.variance3 = 0.25;
  c.color2 = ColorFloat<float>(0.5f, 0.25f, 0.125f, 2.0f);
  c.variance_space = static_cast<ColorSpace>(7);
  c.overlap = ColorOverlap::WrapBack;
  c.seed = -3;
  P const p = P().setCompositeColors(c);
  EXPECT_EQ(p.composite_num(), 3);
  EXPECT_EQ(p.composite_variance1(), 0.0);
  EXPECT_EQ(p.composite_variance2(), 0.0);
  EXPECT_EQ(p.composite_variance3(), 0.25);
  EXPECT_EQ(p.composite_color1().red, 1.0f);
  EXPECT_EQ(p.composite_color2().alpha, 0.5f);
  EXPECT_EQ(p.composite_color2().blue, 2.0f);
  EXPECT_EQ(static_cast<int>(p.composite_variance_space()), 7);
  EXPECT_EQ(p.composite_overlap(), ColorOverlap::WrapBack);
  EXPECT_EQ(p.composite_seed(), -3);
}

TEST(LinesParameter, RgbColoursAreNormalisedTogether) {
  P p;
  p.setRGBColor(ColorFloat<float>(1, 0, 0), ColorFloat<float>(1, 0, 0), ColorFloat<float>(0, 0, 0));
  EXPECT_FLOAT_EQ(p.rgb_color1().red, 0.5f);
  EXPECT_FLOAT_EQ(p.rgb_color2().red, 0.5f);
  EXPECT_FLOAT_EQ(p.rgb_color3().red, 0.0f);
  // Green and blue sum to 0: weights 0, 1, 0.
  EXPECT_EQ(p.rgb_color1().green, 0.0f);
  EXPECT_EQ(p.rgb_color2().green, 1.0f);
  EXPECT_EQ(p.rgb_color3().green, 0.0f);
  EXPECT_EQ(p.rgb_color2().blue, 1.0f);
  EXPECT_EQ(p.rgb_color1().alpha, 1.0f);

  p.setRGBColor(ColorFloat<float>(0.2f, 0.9f, 0.3f), ColorFloat<float>(0.6f, 0.1f, 0.3f),
                ColorFloat<float>(0.2f, 0.5f, 0.0f));
  EXPECT_NEAR(p.rgb_color1().red + p.rgb_color2().red + p.rgb_color3().red, 1.0f, 1e-6f);
  EXPECT_NEAR(p.rgb_color1().green + p.rgb_color2().green + p.rgb_color3().green, 1.0f, 1e-6f);
  EXPECT_NEAR(p.rgb_color1().blue + p.rgb_color2().blue + p.rgb_color3().blue, 1.0f, 1e-6f);
}

TEST(LinesParameter, SettersChainAndCopiesAreValues) {
  P p;
  p.setSliceMax(12.0).setSlicePer(3).setSliceOffset(1).setTransitionCompletion(0.5);
  P q = p;
  p.setSliceMax(1.0);
  EXPECT_EQ(q.slice_max(), 12.0);
  EXPECT_EQ(q.slice_per(), 3);
  EXPECT_EQ(q.slice_offset(), 1);
  EXPECT_EQ(q.transition_completion(), 0.5);
}

}  // namespace
}  // namespace Brelo
