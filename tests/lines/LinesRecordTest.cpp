// The road from control values to the engine's parameter record, without a
// host: popup mappers, unit conversions of the pre-render record and the
// setters that receive each field.
#include <cstring>
#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include "Brelo/BreloColorsys.h"
#include "Lines/LinesRecord.h"
#include "Util/PopupMappers.h"

namespace {

using namespace Brelo;
using namespace Brelo::LinesParams;
using P = LinesParameter;

TEST(LinesMappers, EveryEntryAndOutOfRangeValues) {
  for (int v = -3; v <= 25; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(static_cast<int>(getDirection(v)), v == 2 || v == 3 ? v : 1);
    EXPECT_EQ(static_cast<int>(getColorType(v)), v == 2 || v == 3 ? v : 1);
    EXPECT_EQ(static_cast<int>(getOrderType(v)), v >= 2 && v <= 6 ? v : 1);
    EXPECT_EQ(static_cast<int>(easingTypeEntry(v)), v >= 2 && v <= 11 ? v : 1);
    EXPECT_EQ(static_cast<int>(easingModeEntry(v)), v == 2 || v == 3 ? v : 1);
    EXPECT_EQ(static_cast<int>(getTransitionType(v)), v >= 2 && v <= 7 ? v : 1);
    EXPECT_EQ(static_cast<int>(getColorSpace(v)), v == 2 || v == 3 ? v : 1);
    EXPECT_EQ(static_cast<int>(getCompositeOverlap(v)), v == 2 ? 2 : 1);
    BorderType const border = v == 2 ? BorderType::Wrap : v == 3 ? BorderType::Reflect : BorderType::None;
    EXPECT_EQ(getBorderType(v), border);
  }
  // "Normal|(-|Add|Multiply|Screen|Overlay|Soft Light|Hard Light|(-|Color Dodge|Color Burn|(-|Darken|
  //  Lighten|Difference|Exclusion|(-|Hue|Saturation|Luminosity": a separator means the entry after it.
  BlendMode const expected[] = {
      BlendMode::Normal,     BlendMode::Add,        BlendMode::Add,      BlendMode::Multiply,
      BlendMode::Screen,     BlendMode::Overlay,    BlendMode::SoftLight, BlendMode::HardLight,
      BlendMode::Dodge,      BlendMode::Dodge,      BlendMode::Burn,     BlendMode::Darken,
      BlendMode::Darken,     BlendMode::Lighten,    BlendMode::Difference, BlendMode::Exclusion,
      BlendMode::Hue,        BlendMode::Hue,        BlendMode::Saturation, BlendMode::Luminosity};
  for (int entry = 1; entry <= 20; ++entry) EXPECT_EQ(blendModeFromNormal(entry), expected[entry - 1]) << entry;
  for (int entry : {-1, 0, 21, 1000}) EXPECT_EQ(blendModeFromNormal(entry), BlendMode::Normal) << entry;
}

PF_Fixed fixedOf(double v) { return static_cast<PF_Fixed>(v * 65536.0); }

enum class Kind { FixSlider, FloatSlider, Slider, Angle, Popup, Checkbox, Color, Point };

// How the host hands each control the render reads over.
Kind kindOf(PF_ParamIndex i) {
  auto in = [i](std::initializer_list<int> list) {
    for (int v : list)
      if (v == i) return true;
    return false;
  };
  if (in({4, 32, 50, 60, 74, 97, 110})) return Kind::Angle;
  if (i == 2) return Kind::Point;
  if (i == 20) return Kind::Checkbox;
  if (in({41, 42, 43, 58, 83, 84, 85})) return Kind::Color;
  if (in({5, 7, 8, 9, 11, 13, 14, 15, 17, 23, 25, 38, 63, 66})) return Kind::FloatSlider;
  if (in({18, 26, 27, 28, 33, 44, 45, 46, 51, 68, 69, 70, 75, 91, 92, 93, 98, 104, 105, 106, 111})) return Kind::Slider;
  if (in({6, 12, 19, 22, 31, 34, 35, 49, 52, 53, 56, 59, 62, 65, 73, 76, 77, 81, 82, 86, 87, 96, 99, 100, 103, 109,
          112, 113}))
    return Kind::Popup;
  return Kind::FixSlider;
}

// A distinct value for every control the render reads.
LinesControlValues distinctValues() {
  LinesControlValues v;
  for (PF_ParamIndex i : kLinesCheckoutOrder) {
    PF_ParamDef& d = v[i];
    switch (kindOf(i)) {
      case Kind::FixSlider: d.u.fd.value = fixedOf(i * 0.5); break;           // percent
      case Kind::FloatSlider: d.u.fs_d.value = i * 1.25; break;
      case Kind::Slider: d.u.sd.value = i * 3; break;
      case Kind::Angle: d.u.ad.value = fixedOf(i * 2.0); break;               // degrees
      case Kind::Popup: d.u.pd.value = (i % 3) + 1; break;
      case Kind::Checkbox: d.u.bd.value = 1; break;
      case Kind::Color: d.u.cd.value = PF_Pixel{A_u_char(i), A_u_char(i + 1), A_u_char(i + 2), A_u_char(i + 3)}; break;
      case Kind::Point: d.u.td.x_value = fixedOf(10.25), d.u.td.y_value = fixedOf(-7.5); break;
    }
  }
  return v;
}

double pct(PF_ParamIndex i) { return (i * 0.5) * 0.01; }
double deg(PF_ParamIndex i) { return i * 2.0; }

TEST(LinesPreRenderRecord, EveryFieldFromItsControlInEngineUnits) {
  LinesControlValues const v = distinctValues();
  LinesPreRenderRecord r;
  fillLinesPreRenderRecord(v, 1.0, r);
  LinesParameter const& p = r.parameter;
  // Each channel's schedule controls stand together from its Per on:
  // Per, Offset, Completion, Delay, Order, Order Phase, Order Seed, Easing Type and Mode.
  static_assert(kSliceEasingMode == kSlicePer + 8 && kRGBEasingMode == kRGBPer + 8 &&
                    kColorEasingMode == kColorPer + 8 && kCompositeEasingMode == kCompositePer + 8 &&
                    kWipeEasingMode == kWipePer + 8,
                "schedule controls in one run");
  for (auto [schedule, per] :
       {std::pair{&P::slice_schedule, kSlicePer}, std::pair{&P::rgb_schedule, kRGBPer},
        std::pair{&P::color_schedule, kColorPer}, std::pair{&P::composite_schedule, kCompositePer},
        std::pair{&P::transition_schedule, kWipePer}}) {
    SCOPED_TRACE(per);
    Schedule const& s = (p.*schedule)();
    EXPECT_EQ(s.per, per * 3);
    EXPECT_EQ(s.offset, (per + 1) * 3);
    EXPECT_EQ(s.completion, pct(per + 2));
    EXPECT_EQ(s.delay, pct(per + 3));
    EXPECT_EQ(static_cast<int>(s.order), (per + 4) % 3 + 1);
    EXPECT_EQ(s.order_phase, deg(per + 5) / 360.0);
    EXPECT_EQ(s.order_seed, (per + 6) * 3);
    EXPECT_EQ(static_cast<int>(s.easing_type), (per + 7) % 3 + 1);
    EXPECT_EQ(static_cast<int>(s.easing_mode), (per + 8) % 3 + 1);
  }

  EXPECT_EQ(p.completion(), pct(kCompletion));
  EXPECT_EQ(p.center().x, 10.25);
  EXPECT_EQ(p.center().y, -7.5);
  EXPECT_EQ(p.align(), pct(kAlign));
  EXPECT_EQ(p.direction(), deg(kDirection) * 0.017453292519943295);
  EXPECT_EQ(p.total_width(), kTotalWidth * 1.25);
  EXPECT_EQ(p.width_num(), kWidthMode % 3 + 1);
  EXPECT_EQ(p.width_max1(), kMaxWidth1 * 1.25);
  EXPECT_EQ(p.width_max2(), kMaxWidth2 * 1.25);
  EXPECT_EQ(p.width_max3(), kMaxWidth3 * 1.25);
  EXPECT_EQ(p.width_min(), pct(kMinWidth));
  EXPECT_EQ(p.width_power(), kWidthPower * 1.25);
  EXPECT_EQ(p.gap_num(), kGapMode % 3 + 1);
  EXPECT_EQ(p.gap_max1(), kMaxGap1 * 1.25);
  EXPECT_EQ(p.gap_max2(), kMaxGap2 * 1.25);
  EXPECT_EQ(p.gap_max3(), kMaxGap3 * 1.25);
  EXPECT_EQ(p.gap_min(), pct(kMinGap));
  EXPECT_EQ(p.gap_power(), kGapPower * 1.25);
  EXPECT_EQ(p.width_seed(), kWidthSeed * 3);
  EXPECT_EQ(p.outside(), getBorderType(kOutside % 3 + 1));
  EXPECT_TRUE(p.original());

  EXPECT_EQ(static_cast<int>(p.slice_direction()), kSliceDirection % 3 + 1);
  EXPECT_EQ(p.slice_max(), kMaxSlice * 1.25);
  EXPECT_EQ(p.slice_min(), pct(kMinSlice));
  EXPECT_EQ(p.slice_power(), kSlicePower * 1.25);
  EXPECT_EQ(p.slice_seed(), kSliceSeed * 3);

  EXPECT_EQ(p.rgb_max(), kMaxRGBSeparation * 1.25);
  EXPECT_EQ(p.rgb_min(), pct(kMinRGBSeparation));
  // 8-bit colours divided by 255; the second and third controls trade places.
  auto expectColour = [](ColorFloat<float> const& c, int first, float alpha) {
    EXPECT_EQ(c.alpha, alpha);
    EXPECT_EQ(c.red, float(first + 1) / 255.0f);
    EXPECT_EQ(c.green, float(first + 2) / 255.0f);
    EXPECT_EQ(c.blue, float(first + 3) / 255.0f);
  };
  // The engine normalises the three together, so the expectation does too.
  ColorFloat<float> rgb1, rgb2, rgb3;
  auto const controlColour = [](ColorFloat<float>& c, int first) {
    c = ColorFloat<float>(float(first) / 255.0f, float(first + 1) / 255.0f, float(first + 2) / 255.0f,
                          float(first + 3) / 255.0f);
  };
  controlColour(rgb1, kRGBColor1);
  controlColour(rgb2, kRGBColor3);
  controlColour(rgb3, kRGBColor2);
  Colorsys::Normalize(rgb1, rgb2, rgb3);
  for (auto const& [got, want] : {std::pair{p.rgb_color1(), rgb1}, std::pair{p.rgb_color2(), rgb2},
                                  std::pair{p.rgb_color3(), rgb3}}) {
    EXPECT_EQ(got.alpha, want.alpha);
    EXPECT_EQ(got.red, want.red);
    EXPECT_EQ(got.green, want.green);
    EXPECT_EQ(got.blue, want.blue);
  }
  EXPECT_EQ(p.rgb_seed(), kRGBSeparationSeed * 3);

  EXPECT_EQ(static_cast<int>(p.color_type()), kColorCorrectionType % 3 + 1);
  EXPECT_EQ(p.color_blend_with_original(), pct(kBlendWithOriginal));
  expectColour(p.color_color(), kMidtone, float(kMidtone) / 255.0f);
  EXPECT_EQ(static_cast<int>(p.color_h_direction()), kColorHDirection % 3 + 1);
  EXPECT_EQ(p.color_h(), deg(kMaxColorHVariance));
  EXPECT_EQ(p.color_h_min(), pct(kMinColorHVariance));
  EXPECT_EQ(static_cast<int>(p.color_l_direction()), kColorLDirection % 3 + 1);
  EXPECT_EQ(p.color_l(), kMaxColorLVariance * 1.25 * 0.01);
  EXPECT_EQ(p.color_l_min(), pct(kMinColorLVariance));
  EXPECT_EQ(static_cast<int>(p.color_s_direction()), kColorSDirection % 3 + 1);
  EXPECT_EQ(p.color_s(), kMaxColorSVariance * 1.25 * 0.01);
  EXPECT_EQ(p.color_s_min(), pct(kMinColorSVariance));
  EXPECT_EQ(p.color_seed(), kColorVarianceSeed * 3);

  EXPECT_EQ(p.composite_opacity(), pct(kCompositeOpacity));
  EXPECT_EQ(r.blend_mode, kBlendingMode % 3 + 1);
  EXPECT_EQ(p.composite_num(), kCompositeMode % 3 + 1);
  // Opaque whatever alpha the control holds.
  expectColour(p.composite_color1(), kCompositeColor1, 1.0f);
  expectColour(p.composite_color2(), kCompositeColor2, 1.0f);
  expectColour(p.composite_color3(), kCompositeColor3, 1.0f);
  EXPECT_EQ(static_cast<int>(p.composite_variance_space()), kCompositeVarianceSpace % 3 + 1);
  EXPECT_EQ(p.composite_overlap(), getCompositeOverlap(kCompositeOverlap % 3 + 1));
  EXPECT_EQ(p.composite_variance1(), pct(kCompositeVariance1));
  EXPECT_EQ(p.composite_variance2(), pct(kCompositeVariance2));
  EXPECT_EQ(p.composite_variance3(), pct(kCompositeVariance3));
  EXPECT_EQ(p.composite_seed(), kCompositeSeed * 3);

  EXPECT_EQ(static_cast<int>(p.transition_type()), kWipeType % 3 + 1);
  EXPECT_EQ(p.transition_type_seed(), kWipeTypeSeed * 3);
}

TEST(LinesPreRenderRecord, ConversionsOfFixedPointValues) {
  LinesControlValues v;
  v[kCompletion].u.fd.value = 0x10000 * 100;         // 100 %
  v[kAlign].u.fd.value = 1;                          // the smallest step
  v[kDirection].u.ad.value = -90 * 0x10000;
  v[kSliceOrderPhase].u.ad.value = 720 * 0x10000;    // two turns
  v[kMaxColorHVariance].u.ad.value = 0x18000;        // 1.5 degrees
  v[kCenter].u.td.x_value = -0x8000;
  v[kCenter].u.td.y_value = 0x7FFFFFFF;
  LinesPreRenderRecord r;
  fillLinesPreRenderRecord(v, 1.0, r);
  LinesParameter const& p = r.parameter;
  EXPECT_EQ(p.completion(), 1.0);
  EXPECT_EQ(p.align(), 1.0 / 65536.0 * 0.01);
  // Converted as it is, then wrapped into one turn by the setter.
  EXPECT_EQ(p.direction(), ParameterClamp::wrapAngle(-90.0 * 0.017453292519943295));
  EXPECT_EQ(p.slice_order_phase(), 2.0);
  EXPECT_EQ(p.color_h(), 1.5);
  EXPECT_EQ(p.center().x, -0.5);
  EXPECT_EQ(p.center().y, 2147483647.0 / 65536.0);
}

TEST(LinesPreRenderRecord, HalfResolutionHalvesLengthsOnly) {
  LinesControlValues const v = distinctValues();
  LinesPreRenderRecord full, half;
  // Padding too, for the byte comparison.
  std::memset(static_cast<void*>(&full), 0, sizeof full);
  std::memset(static_cast<void*>(&half), 0, sizeof half);
  fillLinesPreRenderRecord(v, 1.0, full);
  fillLinesPreRenderRecord(v, 0.5, half);
  using Length = std::pair<double (P::*)() const, P& (P::*)(double)>;
  for (auto const& [get, set] :
       {Length{&P::total_width, &P::setTotalWidth}, Length{&P::width_max1, &P::setWidthMax1},
        Length{&P::width_max2, &P::setWidthMax2}, Length{&P::width_max3, &P::setWidthMax3},
        Length{&P::gap_max1, &P::setGapMax1}, Length{&P::gap_max2, &P::setGapMax2},
        Length{&P::gap_max3, &P::setGapMax3}, Length{&P::slice_max, &P::setSliceMax},
        Length{&P::rgb_max, &P::setRGBMax}}) {
    EXPECT_NE((full.parameter.*get)(), 0.0);
    EXPECT_EQ((half.parameter.*get)(), (full.parameter.*get)() * 0.5);
    // Put back, so that the byte comparison below sees every other field.
    (half.parameter.*set)((full.parameter.*get)());
  }
  EXPECT_EQ(std::memcmp(&half, &full, sizeof full), 0) << "only lengths depend on the downsample";
}

TEST(LinesParameterFromRecord, EveryFieldReachesItsSetter) {
  LinesControlValues const v = distinctValues();
  LinesPreRenderRecord r;
  fillLinesPreRenderRecord(v, 1.0, r);
  // Values the setters keep unchanged, so that a crossed wire shows.
  LinesParameter& q = r.parameter;
  q.setCompletion(0.91).setAlign(0.81).setDirection(1.5).setTotalWidth(321.5);
  q.setWidthNum(2).setGapNum(3).setCompositeNum(2);
  q.setWidthMin(0.11).setGapMin(0.12).setSliceMin(0.13).setRGBMin(0.14);
  q.setSlicePer(4).setRGBPer(5).setColorPer(6).setCompositePer(7).setTransitionPer(8);
  q.setSliceCompletion(0.21).setRGBCompletion(0.22).setColorCompletion(0.23);
  q.setCompositeCompletion(0.24).setTransitionCompletion(0.25);
  q.setSliceDelay(0.31).setRGBDelay(0.32).setColorDelay(0.33).setCompositeDelay(0.34);
  q.setTransitionDelay(0.35).setCompositeOpacity(0.41).setColorBlendWithOriginal(0.42);
  q.setCompositeVariance1(0.51).setCompositeVariance2(0.52).setCompositeVariance3(0.53);
  q.setSliceOrder(OrderType(2)).setRGBOrder(OrderType(3)).setColorOrder(OrderType(4));
  q.setCompositeOrder(OrderType(5)).setTransitionOrder(OrderType(6));
  q.setSliceEasingType(EasingType(7)).setRGBEasingType(EasingType(8)).setColorEasingType(EasingType(9));
  q.setCompositeEasingType(EasingType(10)).setTransitionEasingType(EasingType(11));
  q.setSliceEasingMode(EasingMode(2)).setRGBEasingMode(EasingMode(3)).setColorEasingMode(EasingMode(2));
  q.setCompositeEasingMode(EasingMode(3)).setTransitionEasingMode(EasingMode(2));
  q.setSliceDirection(getDirection(2)).setColorHDirection(getDirection(3));
  q.setColorLDirection(getDirection(2)).setColorSDirection(getDirection(3));
  q.setColorType(getColorType(3)).setTransitionType(getTransitionType(6)).setOutside(getBorderType(2));
  q.setOriginal(true).setCompositeVarianceSpace(getColorSpace(3)).setCompositeOverlap(getCompositeOverlap(2));

  LinesParameter const p = makeLinesParameter(r, Vector<double>(4.0, -2.5));
  EXPECT_EQ(p.completion(), 0.91);
  EXPECT_EQ(p.center().x, 10.25 - 4.0);
  EXPECT_EQ(p.center().y, -7.5 + 2.5);
  EXPECT_EQ(p.align(), 0.81);
  EXPECT_EQ(p.direction(), 1.5);
  EXPECT_EQ(p.total_width(), 321.5);
  EXPECT_EQ(p.width_num(), 2);
  EXPECT_EQ(p.width_max1(), q.width_max1());
  EXPECT_EQ(p.width_max2(), q.width_max2());
  EXPECT_EQ(p.width_max3(), q.width_max3());
  EXPECT_EQ(p.width_min(), 0.11);
  EXPECT_EQ(p.width_power(), q.width_power());
  EXPECT_EQ(p.gap_num(), 3);
  EXPECT_EQ(p.gap_max1(), q.gap_max1());
  EXPECT_EQ(p.gap_max2(), q.gap_max2());
  EXPECT_EQ(p.gap_max3(), q.gap_max3());
  EXPECT_EQ(p.gap_min(), 0.12);
  EXPECT_EQ(p.gap_power(), q.gap_power());
  EXPECT_EQ(p.width_seed(), q.width_seed());
  EXPECT_EQ(p.outside(), BorderType::Wrap);
  EXPECT_TRUE(p.original());

  EXPECT_EQ(p.slice_direction(), LinesParameter::Direction::Alternately);
  EXPECT_EQ(p.slice_max(), q.slice_max());
  EXPECT_EQ(p.slice_min(), 0.13);
  EXPECT_EQ(p.slice_power(), q.slice_power());
  EXPECT_EQ(p.slice_seed(), q.slice_seed());

  EXPECT_EQ(p.rgb_max(), q.rgb_max());
  EXPECT_EQ(p.rgb_min(), 0.14);
  EXPECT_EQ(p.rgb_seed(), q.rgb_seed());

  EXPECT_EQ(p.color_type(), LinesParameter::ColorType::HLS);
  EXPECT_EQ(p.color_blend_with_original(), 0.42);
  EXPECT_EQ(p.color_color().red, q.color_color().red);
  EXPECT_EQ(p.color_color().alpha, q.color_color().alpha);
  EXPECT_EQ(p.color_h_direction(), LinesParameter::Direction::Both);
  EXPECT_EQ(p.color_h(), q.color_h());
  EXPECT_EQ(p.color_h_min(), q.color_h_min());
  EXPECT_EQ(p.color_l_direction(), LinesParameter::Direction::Alternately);
  EXPECT_EQ(p.color_l(), q.color_l());
  EXPECT_EQ(p.color_l_min(), q.color_l_min());
  EXPECT_EQ(p.color_s_direction(), LinesParameter::Direction::Both);
  EXPECT_EQ(p.color_s(), q.color_s());
  EXPECT_EQ(p.color_s_min(), q.color_s_min());
  EXPECT_EQ(p.color_seed(), q.color_seed());

  EXPECT_EQ(p.composite_opacity(), 0.41);
  EXPECT_EQ(p.composite_num(), 2);
  EXPECT_EQ(p.composite_color1().green, q.composite_color1().green);
  EXPECT_EQ(p.composite_color2().green, q.composite_color2().green);
  EXPECT_EQ(p.composite_color3().green, q.composite_color3().green);
  EXPECT_EQ(p.composite_color1().alpha, 1.0f);
  EXPECT_EQ(p.composite_variance_space(), LinesParameter::ColorSpace::YUV);
  EXPECT_EQ(p.composite_overlap(), LinesParameter::CompositeOverlap::WrapBack);
  EXPECT_EQ(p.composite_variance1(), 0.51);
  EXPECT_EQ(p.composite_variance2(), 0.52);
  EXPECT_EQ(p.composite_variance3(), 0.53);
  EXPECT_EQ(p.composite_seed(), q.composite_seed());

  EXPECT_EQ(p.transition_type(), LinesParameter::TransitionType::FadeOut);
  EXPECT_EQ(p.transition_type_seed(), q.transition_type_seed());

  struct Expected {
    Schedule const& (P::*schedule)() const;
    int per;
    double completion, delay;
    OrderType order;
    EasingType easing_type;
    EasingMode easing_mode;
  };
  for (Expected const& e : {
           Expected{&P::slice_schedule, 4, 0.21, 0.31, OrderType::Inverse, EasingType::Circ, EasingMode::Out},
           Expected{&P::rgb_schedule, 5, 0.22, 0.32, OrderType::Inward, EasingType::Sine, EasingMode::InOut},
           Expected{&P::color_schedule, 6, 0.23, 0.33, OrderType::Outward, EasingType::Bounce, EasingMode::Out},
           Expected{&P::composite_schedule, 7, 0.24, 0.34, OrderType::Random, EasingType::Back, EasingMode::InOut},
           Expected{&P::transition_schedule, 8, 0.25, 0.35, OrderType::InverseRandom, EasingType::Elastic,
                    EasingMode::Out},
       }) {
    SCOPED_TRACE(e.per);
    Schedule const& got = (p.*e.schedule)();
    Schedule const& set = (q.*e.schedule)();
    EXPECT_EQ(got.completion, e.completion);
    EXPECT_EQ(got.delay, e.delay);
    EXPECT_EQ(got.per, e.per);
    EXPECT_EQ(got.offset, set.offset);
    EXPECT_EQ(got.order, e.order);
    EXPECT_EQ(got.order_phase, set.order_phase);
    EXPECT_EQ(got.order_seed, set.order_seed);
    EXPECT_EQ(got.easing_type, e.easing_type);
    EXPECT_EQ(got.easing_mode, e.easing_mode);
  }
}

TEST(LinesParameterFromRecord, RGBColoursAreNormalisedInEngineOrder) {
  LinesControlValues v;
  LinesPreRenderRecord r;
  // Controls 1, 2, 3 = red, green, blue; the engine takes 1, 3, 2.
  v[kRGBColor1].u.cd.value = PF_Pixel{255, 255, 0, 0};
  v[kRGBColor2].u.cd.value = PF_Pixel{255, 0, 255, 0};
  v[kRGBColor3].u.cd.value = PF_Pixel{255, 0, 0, 255};
  fillLinesPreRenderRecord(v, 1.0, r);
  LinesParameter const p = makeLinesParameter(r, Vector<double>());
  EXPECT_EQ(p.rgb_color1().red, 1.0f);
  EXPECT_EQ(p.rgb_color2().blue, 1.0f);
  EXPECT_EQ(p.rgb_color2().green, 0.0f);
  EXPECT_EQ(p.rgb_color3().green, 1.0f);
  // Two equal reds share the red weight; the zero sums fall to the middle colour.
  v[kRGBColor3].u.cd.value = PF_Pixel{255, 255, 0, 0};
  v[kRGBColor2].u.cd.value = PF_Pixel{255, 0, 0, 0};
  fillLinesPreRenderRecord(v, 1.0, r);
  LinesParameter const q = makeLinesParameter(r, Vector<double>());
  EXPECT_EQ(q.rgb_color1().red, 0.5f);
  EXPECT_EQ(q.rgb_color2().red, 0.5f);
  EXPECT_EQ(q.rgb_color3().red, 0.0f);
  EXPECT_EQ(q.rgb_color2().green, 1.0f);
  EXPECT_EQ(q.rgb_color2().blue, 1.0f);
}

TEST(LinesParameterFromRecord, SettersStillClampControlValues) {
  LinesControlValues v;
  v[kCompletion].u.fd.value = 300 * 0x10000;  // 300 %
  v[kWidthMode].u.pd.value = 0;
  v[kSlicePer].u.sd.value = -4;
  v[kTotalWidth].u.fs_d.value = -1.0;
  v[kOutside].u.pd.value = 7;
  LinesPreRenderRecord r;
  fillLinesPreRenderRecord(v, 1.0, r);
  LinesParameter const p = makeLinesParameter(r, Vector<double>());
  EXPECT_EQ(p.completion(), 1.0);
  EXPECT_EQ(p.width_num(), 1);
  EXPECT_EQ(p.slice_per(), 1);
  EXPECT_EQ(p.total_width(), 0.0);
  EXPECT_EQ(p.outside(), BorderType::None);
}

TEST(LinesParameterFromRecord, CompositeVisibleOnlyWhenAllThreeAreAboveZero) {
  LinesPreRenderRecord r;
  for (double c : {0.0, 0.5})
    for (double cc : {0.0, 1.0})
      for (double o : {0.0, 0.25}) {
        r.parameter.setCompletion(c).setCompositeCompletion(cc).setCompositeOpacity(o);
        EXPECT_EQ(linesCompositeVisible(r), c > 0 && cc > 0 && o > 0) << c << " " << cc << " " << o;
      }
}

}  // namespace
