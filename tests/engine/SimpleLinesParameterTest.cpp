#include <limits>

#include <gtest/gtest.h>

#include "Brelo/BreloLimits.h"
#include "Brelo/Effect/BreloSimpleLinesParameter.h"

namespace Brelo {
namespace {

using P = SimpleLinesParameter;
constexpr double kPi = 3.141592653589793;

TEST(SimpleLinesParameter, Defaults) {
  P p;
  EXPECT_EQ(p.width_align(), 0.5);
  EXPECT_EQ(p.total_width(), 1000.0);
  EXPECT_EQ(p.width_max1(), 100.0);
  EXPECT_EQ(p.width_max2(), 20.0);
  EXPECT_EQ(p.width_max3(), 50.0);
  EXPECT_EQ(p.height_min(), 0.3);
  EXPECT_EQ(p.align_type(), P::AlignType::Middle);
  EXPECT_EQ(p.align_min(), 0.3);
  ColorFloat<float> c1 = p.color_color1(), c2 = p.color_color2(), c3 = p.color_color3();
  EXPECT_EQ(c1.alpha, 1.0f);
  EXPECT_EQ(c1.red, 1.0f);
  EXPECT_EQ(c1.green, 0.0f);
  EXPECT_EQ(c2.blue, 1.0f);
  EXPECT_EQ(c3.red, 0.0f);
  EXPECT_EQ(c3.blue, 1.0f);
  EXPECT_EQ(p.transition_delay(), 0.1);
  EXPECT_EQ(p.transition_type(), P::TransitionType::X);
  EXPECT_EQ(p.transition_mode(), P::TransitionMode::Normal);
  EXPECT_EQ(p.opacity(), 1.0);
  EXPECT_EQ(p.blend_mode(), BlendMode::Normal);
}

TEST(SimpleLinesParameter, Limits) {
  EXPECT_DOUBLE_EQ(P().setDirection(-kPi / 2).direction(), 3 * kPi / 2);
  EXPECT_DOUBLE_EQ(P().setDirection(7).direction(), 7 - 2 * kPi);
  EXPECT_EQ(P().setDirection(2 * kPi).direction(), 0.0);
  EXPECT_EQ(P().setTotalWidth(-5).total_width(), 0.0);
  EXPECT_EQ(P().setTotalWidth(1000).total_width(), 1000.0);
  EXPECT_EQ(P().setTotalWidth(5e6).total_width(), kMaxTotalWidth);
  for (int v : {0, -2}) {
    EXPECT_EQ(P().setWidthNum(v).width_num(), 1);
    EXPECT_EQ(P().setGapNum(v).gap_num(), 1);
    EXPECT_EQ(P().setHeightNum(v).height_num(), 1);
    EXPECT_EQ(P().setColorNum(v).color_num(), 1);
  }
  EXPECT_EQ(P().setWidthNum(7).width_num(), 3);
  EXPECT_EQ(P().setHeightNum(7).height_num(), 3);
  EXPECT_EQ(P().setWidthMin(1.5).width_min(), 1.0);
  EXPECT_EQ(P().setWidthMax2(-3).width_max2(), 0.0);
  EXPECT_EQ(P().setAlignMax(-40).align_max(), -40.0);
  EXPECT_EQ(P().setTransitionOrderPhase(2.5).transition_order_phase(), 2.5);
  EXPECT_EQ(P().setOpacity(1.2).opacity(), 1.0);
  EXPECT_EQ(P().setTransitionCompletion(-0.1).transition_completion(), 0.0);
  EXPECT_EQ(P().setColorVariance3(2.0).color_variance3(), 1.0);
  EXPECT_EQ(P().setOpacity(std::numeric_limits<double>::quiet_NaN()).opacity(), 0.0);
}

TEST(SimpleLinesParameter, EnumerationsAndSeedsAreStoredUnchanged) {
  P p;
  p.setAlignType(static_cast<P::AlignType>(9)).setTransitionMode(static_cast<P::TransitionMode>(9)).setColorSeed(-17);
  EXPECT_EQ(static_cast<int>(p.align_type()), 9);
  EXPECT_EQ(static_cast<int>(p.transition_mode()), 9);
  EXPECT_EQ(p.color_seed(), -17);
}

}  // namespace
}  // namespace Brelo
