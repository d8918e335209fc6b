// From the controls as the host hands them out to the engine's parameters:
// unit conversions, "Scale" and the downsample on every length, and the
// popup mappers with their fall-backs.
#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "Brelo/BreloLimits.h"
#include "SimpleLines/SimpleLinesRecord.h"
#include "Util/PopupMappers.h"

namespace {

using Brelo::BlendMode;
using P = Brelo::SimpleLinesParameter;

PF_Fixed fixed(double v) { return PF_Fixed(std::lround(v * 65536.0)); }

// A size class from control `first` on: its mode, maxima, minimum (percent)
// and power.
void setSizeClass(PF_ParamDef* v, int first, int mode, double m1, double m2, double m3, double min, double power) {
  v[first].u.pd.value = mode;
  v[first + 1].u.fs_d.value = m1;
  v[first + 2].u.fs_d.value = m2;
  v[first + 3].u.fs_d.value = m3;
  v[first + 4].u.fd.value = fixed(min);
  v[first + 5].u.fs_d.value = power;
}

// Every control at a value of its own, so that a field read from the wrong
// control shows.
struct Values {
  PF_ParamDef v[66];
  Values() {
    std::memset(v, 0, sizeof v);
    v[1].u.td.x_value = fixed(20.5);
    v[1].u.td.y_value = fixed(-7.25);
    v[2].u.fd.value = fixed(25);   // Width Align
    v[3].u.ad.value = fixed(90);   // Direction
    v[4].u.fs_d.value = 300;       // Total Width
    setSizeClass(v, 6, 2, 50, 20, 30, 80, 1.5);     // Width
    setSizeClass(v, 12, 3, 4, 6, 8, 40, 2.5);       // Gap
    v[18].u.sd.value = 18;
    setSizeClass(v, 21, 1, 300, 100, 200, 60, 3.5);  // Height
    v[27].u.sd.value = 27;
    v[30].u.pd.value = 3;  // Align Type
    v[31].u.pd.value = 2;  // Align Direction
    v[32].u.pd.value = 2;  // Align Mode
    v[33].u.fs_d.value = -12;
    v[34].u.fd.value = fixed(20);
    v[35].u.fs_d.value = 4.5;
    v[36].u.sd.value = 36;
    v[39].u.pd.value = 3;  // Color Mode
    v[40].u.cd.value = PF_Pixel{255, 255, 0, 0};
    v[41].u.cd.value = PF_Pixel{51, 255, 255, 255};
    v[42].u.cd.value = PF_Pixel{255, 0, 0, 255};
    v[43].u.pd.value = 3;  // Color Space
    v[44].u.pd.value = 2;  // Color Overlap
    v[45].u.fd.value = fixed(30);
    v[46].u.fd.value = fixed(10);
    v[47].u.fd.value = fixed(5);
    v[48].u.sd.value = 48;
    v[51].u.fd.value = fixed(75);  // Wipe Completion
    v[52].u.fd.value = fixed(5);
    v[53].u.pd.value = 5;  // Wipe Type
    v[54].u.sd.value = 54;
    v[55].u.pd.value = 6;  // Wipe Mode
    v[56].u.sd.value = 56;
    v[57].u.pd.value = 5;  // Wipe Order
    v[58].u.ad.value = fixed(180);
    v[59].u.sd.value = 59;
    v[60].u.pd.value = 9;  // Wipe Easing Type
    v[61].u.pd.value = 2;  // Wipe Easing Mode
    v[63].u.fs_d.value = 100;  // Scale
    v[64].u.fd.value = fixed(50);
    v[65].u.pd.value = 6;  // Blending Mode "Multiply"
  }
};

TEST(SimpleLinesRecord, EveryFieldFromItsControlInEngineUnits) {
  Values c;
  const auto rec = Brelo::makeSimpleLinesRecord(c.v, 1.0);
  P const& r = rec.parameter;
  Brelo::Schedule const& transition = r.transition_schedule();
  EXPECT_EQ(r.center().x, 20.5);
  EXPECT_EQ(r.center().y, -7.25);
  EXPECT_EQ(r.width_align(), 0.25);
  EXPECT_DOUBLE_EQ(r.direction(), M_PI / 2);
  EXPECT_EQ(r.total_width(), 300);
  EXPECT_EQ(r.width_num(), 2);
  EXPECT_EQ(r.width_max1(), 50);
  EXPECT_EQ(r.width_max2(), 20);
  EXPECT_EQ(r.width_max3(), 30);
  EXPECT_DOUBLE_EQ(r.width_min(), 0.8);
  EXPECT_EQ(r.width_power(), 1.5);
  EXPECT_EQ(r.gap_num(), 3);
  EXPECT_EQ(r.gap_max1(), 4);
  EXPECT_EQ(r.gap_max2(), 6);
  EXPECT_EQ(r.gap_max3(), 8);
  EXPECT_DOUBLE_EQ(r.gap_min(), 0.4);
  EXPECT_EQ(r.gap_power(), 2.5);
  EXPECT_EQ(r.width_seed(), 18);
  EXPECT_EQ(r.height_num(), 1);
  EXPECT_EQ(r.height_max1(), 300);
  EXPECT_EQ(r.height_max2(), 100);
  EXPECT_EQ(r.height_max3(), 200);
  EXPECT_DOUBLE_EQ(r.height_min(), 0.6);
  EXPECT_EQ(r.height_power(), 3.5);
  EXPECT_EQ(r.height_seed(), 27);
  EXPECT_EQ(int(r.align_type()), 3);
  EXPECT_EQ(int(r.align_direction()), 2);
  EXPECT_EQ(int(r.align_mode()), 2);
  EXPECT_EQ(r.align_max(), -12);
  EXPECT_DOUBLE_EQ(r.align_min(), 0.2);
  EXPECT_EQ(r.align_power(), 4.5);
  EXPECT_EQ(r.align_seed(), 36);
  EXPECT_EQ(r.color_num(), 3);
  EXPECT_EQ(r.color_color1().alpha, 1.0f);
  EXPECT_EQ(r.color_color1().red, 1.0f);
  EXPECT_EQ(r.color_color1().green, 0.0f);
  // The alpha of a colour control reaches the engine as it is.
  EXPECT_EQ(r.color_color2().alpha, 0.2f);
  EXPECT_EQ(r.color_color3().blue, 1.0f);
  EXPECT_EQ(r.color_color3().red, 0.0f);
  EXPECT_EQ(int(r.color_variance_space()), 3);
  EXPECT_EQ(int(r.color_overlap()), 2);
  EXPECT_DOUBLE_EQ(r.color_variance1(), 0.3);
  EXPECT_DOUBLE_EQ(r.color_variance2(), 0.1);
  EXPECT_DOUBLE_EQ(r.color_variance3(), 0.05);
  EXPECT_EQ(r.color_seed(), 48);
  EXPECT_EQ(transition.completion, 0.75);
  EXPECT_DOUBLE_EQ(transition.delay, 0.05);
  EXPECT_EQ(int(r.transition_type()), 5);
  EXPECT_EQ(r.transition_type_seed(), 54);
  EXPECT_EQ(int(r.transition_mode()), 6);
  EXPECT_EQ(r.transition_mode_seed(), 56);
  EXPECT_EQ(int(transition.order), 5);
  EXPECT_EQ(transition.order_phase, 0.5);
  EXPECT_EQ(transition.order_seed, 59);
  EXPECT_EQ(int(transition.easing_type), 9);
  EXPECT_EQ(int(transition.easing_mode), 2);
  EXPECT_EQ(r.opacity(), 0.5);
  EXPECT_EQ(rec.blend_mode, 6);
  EXPECT_EQ(r.blend_mode(), BlendMode::Multiply);
}

TEST(SimpleLinesRecord, ScaleAndDownsampleMultiplyEveryLengthAndNothingElse) {
  Values c;
  const auto base_record = Brelo::makeSimpleLinesRecord(c.v, 1.0);
  P const& base = base_record.parameter;
  struct Case {
    double scale_percent, dsx, factor;
  };
  for (Case k : {Case{200, 1.0, 2.0}, Case{100, 0.5, 0.5}, Case{200, 0.5, 1.0}, Case{0, 1.0, 0.0},
                 Case{50, 0.25, 0.125}}) {
    SCOPED_TRACE(::testing::Message() << "scale " << k.scale_percent << " dsx " << k.dsx);
    c.v[63].u.fs_d.value = k.scale_percent;
    const auto record = Brelo::makeSimpleLinesRecord(c.v, k.dsx);
    P const& r = record.parameter;
    EXPECT_EQ(r.total_width(), base.total_width() * k.factor);
    EXPECT_EQ(r.width_max1(), base.width_max1() * k.factor);
    EXPECT_EQ(r.width_max2(), base.width_max2() * k.factor);
    EXPECT_EQ(r.width_max3(), base.width_max3() * k.factor);
    EXPECT_EQ(r.gap_max1(), base.gap_max1() * k.factor);
    EXPECT_EQ(r.gap_max2(), base.gap_max2() * k.factor);
    EXPECT_EQ(r.gap_max3(), base.gap_max3() * k.factor);
    EXPECT_EQ(r.height_max1(), base.height_max1() * k.factor);
    EXPECT_EQ(r.height_max2(), base.height_max2() * k.factor);
    EXPECT_EQ(r.height_max3(), base.height_max3() * k.factor);
    EXPECT_EQ(r.align_max(), base.align_max() * k.factor);
    // The centre is a point: the host hands it out at the render's scale.
    EXPECT_EQ(r.center().x, base.center().x);
    EXPECT_EQ(r.center().y, base.center().y);
    EXPECT_EQ(r.width_min(), base.width_min());
    EXPECT_EQ(r.width_power(), base.width_power());
    EXPECT_EQ(r.opacity(), base.opacity());
  }
}

TEST(SimpleLinesRecord, ParameterTakesEveryFieldThroughItsSetter) {
  Values c;
  auto r = Brelo::makeSimpleLinesRecord(c.v, 1.0);
  const P p = Brelo::makeSimpleLinesParameter(r, Brelo::Vector<double>(-20, 8));
  EXPECT_EQ(p.center().x, 40.5);
  EXPECT_EQ(p.center().y, -15.25);
  EXPECT_EQ(p.width_align(), 0.25);
  EXPECT_EQ(p.direction(), r.parameter.direction());
  EXPECT_EQ(p.total_width(), 300);
  EXPECT_EQ(p.width_num(), 2);
  EXPECT_EQ(p.width_max3(), 30);
  EXPECT_EQ(p.gap_num(), 3);
  EXPECT_EQ(p.gap_max2(), 6);
  EXPECT_EQ(p.gap_power(), 2.5);
  EXPECT_EQ(p.width_seed(), 18);
  EXPECT_EQ(p.height_max1(), 300);
  EXPECT_EQ(p.height_seed(), 27);
  EXPECT_EQ(p.align_type(), P::AlignType::Bottom);
  EXPECT_EQ(p.align_direction(), P::AlignDirection::Alternately);
  EXPECT_EQ(p.align_mode(), P::AlignMode::Accumulate);
  EXPECT_EQ(p.align_max(), -12);
  EXPECT_EQ(p.align_seed(), 36);
  EXPECT_EQ(p.color_num(), 3);
  EXPECT_EQ(p.color_color2().alpha, 0.2f);
  EXPECT_EQ(p.color_variance_space(), P::ColorSpace::YUV);
  EXPECT_EQ(p.color_overlap(), P::ColorOverlap::WrapBack);
  EXPECT_EQ(p.color_seed(), 48);
  EXPECT_EQ(p.transition_completion(), 0.75);
  EXPECT_EQ(p.transition_type(), P::TransitionType::XOrY);
  EXPECT_EQ(p.transition_type_seed(), 54);
  EXPECT_EQ(p.transition_mode(), P::TransitionMode::Both);
  EXPECT_EQ(p.transition_mode_seed(), 56);
  EXPECT_EQ(p.transition_order(), Brelo::OrderType(5));
  EXPECT_EQ(p.transition_order_phase(), 0.5);
  EXPECT_EQ(p.transition_order_seed(), 59);
  EXPECT_EQ(p.transition_easing_type(), Brelo::EasingType(9));
  EXPECT_EQ(p.transition_easing_mode(), Brelo::EasingMode::Out);
  EXPECT_EQ(p.opacity(), 0.5);
  EXPECT_EQ(p.blend_mode(), BlendMode::Multiply);

  // Scale 0: every length is 0 and the setters' lower limits apply.
  c.v[63].u.fs_d.value = 0;
  r = Brelo::makeSimpleLinesRecord(c.v, 1.0);
  const P z = Brelo::makeSimpleLinesParameter(r, Brelo::Vector<double>());
  EXPECT_EQ(z.total_width(), 0);
  EXPECT_EQ(z.width_max1(), 0);
  EXPECT_EQ(z.gap_max3(), 0);
  EXPECT_EQ(z.height_max2(), 0);
  EXPECT_EQ(z.align_max(), 0);

  // The largest Total Width the control admits passes the setter unchanged.
  c.v[63].u.fs_d.value = 100;
  c.v[4].u.fs_d.value = Brelo::kMaxTotalWidth;
  r = Brelo::makeSimpleLinesRecord(c.v, 1.0);
  EXPECT_EQ(Brelo::makeSimpleLinesParameter(r, Brelo::Vector<double>()).total_width(), Brelo::kMaxTotalWidth);
}

TEST(SimpleLinesRecord, PopupMappersFallBackToTheFirstEnumerator) {
  for (int e = -1; e <= 12; ++e) {
    SCOPED_TRACE(e);
    EXPECT_EQ(int(Brelo::simpleLinesAlignType(e)), e == 2 || e == 3 ? e : 1);
    EXPECT_EQ(int(Brelo::simpleLinesAlignDirection(e)), e == 2 || e == 3 ? e : 1);
    EXPECT_EQ(int(Brelo::simpleLinesAlignMode(e)), e == 2 ? 2 : 1);
    EXPECT_EQ(int(Brelo::simpleLinesTransitionType(e)), e >= 2 && e <= 7 ? e : 1);
    EXPECT_EQ(int(Brelo::simpleLinesTransitionMode(e)), e >= 2 && e <= 7 ? e : 1);
    // No "Inverse Random" in this effect's order menu.
    EXPECT_EQ(int(Brelo::simpleLinesOrderType(e)), e >= 2 && e <= 5 ? e : 1);
    EXPECT_EQ(int(Brelo::easingTypeEntry(e)), e >= 2 && e <= 11 ? e : 1);
    EXPECT_EQ(int(Brelo::easingModeEntry(e)), e == 2 || e == 3 ? e : 1);
  }
}

TEST(SimpleLinesRecord, BlendMapperFollowsTheMenuWithSeparatorsTakingTheNextMode) {
  // Entry by entry: "None|(-|Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|
  // Color Burn|(-|Darken|Lighten|Difference|Exclusion|(-|Hue|Saturation|Luminosity".
  const BlendMode expected[23] = {
      BlendMode::Normal,   BlendMode::Normal,     BlendMode::Normal,   BlendMode::Normal,    BlendMode::Add,
      BlendMode::Add,      BlendMode::Multiply,   BlendMode::Screen,   BlendMode::Overlay,   BlendMode::SoftLight,
      BlendMode::HardLight, BlendMode::Dodge,     BlendMode::Dodge,    BlendMode::Burn,      BlendMode::Darken,
      BlendMode::Darken,   BlendMode::Lighten,    BlendMode::Difference, BlendMode::Exclusion, BlendMode::Hue,
      BlendMode::Hue,      BlendMode::Saturation, BlendMode::Luminosity};
  for (int e = 0; e <= 22; ++e) EXPECT_EQ(Brelo::simpleLinesBlendMode(e), expected[e]) << "entry " << e;
  EXPECT_EQ(Brelo::simpleLinesBlendMode(23), BlendMode::Normal);
  EXPECT_EQ(Brelo::simpleLinesBlendMode(-4), BlendMode::Normal);

  // The background: transparency for "None" and the separator after it.
  EXPECT_FALSE(Brelo::simpleLinesOverLayer(1));
  EXPECT_FALSE(Brelo::simpleLinesOverLayer(2));
  for (int e = 3; e <= 22; ++e) EXPECT_TRUE(Brelo::simpleLinesOverLayer(e)) << e;
}

}  // namespace
