#include "SimpleLines/SimpleLinesRecord.h"

#include <iterator>

#include "SimpleLines/SimpleLinesParams.h"
#include "Util/ControlUnits.h"
#include "Util/PatternFromRecord.h"
#include "Util/PopupMappers.h"
#include "Util/ScheduleControls.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

using namespace SimpleLinesParams;

namespace {

// Every control the record needs, in the order they are read.
constexpr PF_ParamIndex kReadOrder[] = {
    kCenter, kWidthAlign, kDirection, kTotalWidth,
    kWidthMode, kMaxWidth1, kMaxWidth2, kMaxWidth3, kMinWidth, kWidthPower,
    kGapMode, kMaxGap1, kMaxGap2, kMaxGap3, kMinGap, kGapPower, kWidthSeed,
    kHeightMode, kMaxHeight1, kMaxHeight2, kMaxHeight3, kMinHeight, kHeightPower, kHeightSeed,
    kMaxAlignVariance, kMinAlignVariance, kAlignPower, kAlignSeed,
    kAlignType, kAlignDirection, kAlignMode,
    kColorMode, kColor1, kColor2, kColor3, kColorSpace, kColorOverlap,
    kColorVariance1, kColorVariance2, kColorVariance3, kColorSeed,
    kWipeCompletion, kWipeDelay, kWipeType, kWipeTypeSeed, kWipeMode, kWipeModeSeed,
    kWipeOrder, kWipeOrderPhase, kWipeOrderSeed, kWipeEasingType, kWipeEasingMode,
    kScale, kOpacity, kBlendingMode,
};

// Readers of one control each, named after the conversion they make.
struct Controls {
  PF_ParamDef const* values;
  double dsx;
  double scale;

  double fraction(int i) const { return ControlUnits::fraction(values[i].u.fd.value); }
  double real(int i) const { return values[i].u.fs_d.value; }
  // Float-slider lengths in pixels of the rendered frame.
  double scaledPixels(int i) const { return real(i) * dsx * scale; }
  double radians(int i) const { return ControlUnits::radians(values[i].u.ad.value); }
  int popup(int i) const { return values[i].u.pd.value; }
  int integer(int i) const { return values[i].u.sd.value; }
  ColorFloat<float> colour(int i) const { return ControlUnits::colour(values[i].u.cd.value); }
};

}  // namespace

PF_Err readSimpleLinesControls(PF_InData* in_data, PF_ParamDef (&values)[SimpleLinesParams::kCount]) {
  return readControls(in_data, kReadOrder, std::size(kReadOrder), values);
}

SimpleLinesRecord makeSimpleLinesRecord(PF_ParamDef const* values, double dsx) {
  const Controls c{values, dsx, values[kScale].u.fs_d.value * 0.01};
  SimpleLinesRecord r{};
  r.center = Vector<double>(ControlUnits::coordinate(values[kCenter].u.td.x_value),
                            ControlUnits::coordinate(values[kCenter].u.td.y_value));
  r.width_align = c.fraction(kWidthAlign);
  r.direction = c.radians(kDirection);
  r.total_width = c.scaledPixels(kTotalWidth);
  r.width_num = c.popup(kWidthMode);
  r.width_max1 = c.scaledPixels(kMaxWidth1);
  r.width_max2 = c.scaledPixels(kMaxWidth2);
  r.width_max3 = c.scaledPixels(kMaxWidth3);
  r.width_min = c.fraction(kMinWidth);
  r.width_power = c.real(kWidthPower);
  r.gap_num = c.popup(kGapMode);
  r.gap_max1 = c.scaledPixels(kMaxGap1);
  r.gap_max2 = c.scaledPixels(kMaxGap2);
  r.gap_max3 = c.scaledPixels(kMaxGap3);
  r.gap_min = c.fraction(kMinGap);
  r.gap_power = c.real(kGapPower);
  r.width_seed = c.integer(kWidthSeed);
  r.height_num = c.popup(kHeightMode);
  r.height_max1 = c.scaledPixels(kMaxHeight1);
  r.height_max2 = c.scaledPixels(kMaxHeight2);
  r.height_max3 = c.scaledPixels(kMaxHeight3);
  r.height_min = c.fraction(kMinHeight);
  r.height_power = c.real(kHeightPower);
  r.height_seed = c.integer(kHeightSeed);
  r.align_type = c.popup(kAlignType);
  r.align_direction = c.popup(kAlignDirection);
  r.align_mode = c.popup(kAlignMode);
  r.align_max = c.scaledPixels(kMaxAlignVariance);
  r.align_min = c.fraction(kMinAlignVariance);
  r.align_power = c.real(kAlignPower);
  r.align_seed = c.integer(kAlignSeed);
  r.color_num = c.popup(kColorMode);
  r.color_color1 = c.colour(kColor1);
  r.color_color2 = c.colour(kColor2);
  r.color_color3 = c.colour(kColor3);
  r.color_variance_space = c.popup(kColorSpace);
  r.color_overlap = c.popup(kColorOverlap);
  r.color_variance1 = c.fraction(kColorVariance1);
  r.color_variance2 = c.fraction(kColorVariance2);
  r.color_variance3 = c.fraction(kColorVariance3);
  r.color_seed = c.integer(kColorSeed);
  // The wipe has no Per and Offset controls: every bar takes part.
  r.transition = readSchedule(values, {0, 0, kWipeCompletion, kWipeDelay, kWipeOrder, kWipeOrderPhase, kWipeOrderSeed,
                                       kWipeEasingType, kWipeEasingMode},
                              simpleLinesOrderType);
  r.transition_type = c.popup(kWipeType);
  r.transition_type_seed = c.integer(kWipeTypeSeed);
  r.transition_mode = c.popup(kWipeMode);
  r.transition_mode_seed = c.integer(kWipeModeSeed);
  r.opacity = c.fraction(kOpacity);
  r.blend_mode = c.popup(kBlendingMode);
  return r;
}

SimpleLinesParameter::AlignType simpleLinesAlignType(int entry) {
  using T = SimpleLinesParameter::AlignType;
  return entry == 2 || entry == 3 ? T(entry) : T::Top;
}

SimpleLinesParameter::AlignDirection simpleLinesAlignDirection(int entry) {
  using T = SimpleLinesParameter::AlignDirection;
  return entry == 2 || entry == 3 ? T(entry) : T::One;
}

SimpleLinesParameter::AlignMode simpleLinesAlignMode(int entry) {
  using T = SimpleLinesParameter::AlignMode;
  return entry == 2 ? T::Accumulate : T::Normal;
}

SimpleLinesParameter::TransitionType simpleLinesTransitionType(int entry) {
  using T = SimpleLinesParameter::TransitionType;
  return entry >= 2 && entry <= 7 ? T(entry) : T::X;
}

SimpleLinesParameter::TransitionMode simpleLinesTransitionMode(int entry) {
  using T = SimpleLinesParameter::TransitionMode;
  return entry >= 2 && entry <= 7 ? T(entry) : T::Normal;
}

// The menu has no "Inverse Random": entry 6 is out of range here.
OrderType simpleLinesOrderType(int entry) { return entry >= 2 && entry <= 5 ? OrderType(entry) : OrderType::Normal; }

// "Normal" is entry 3.
BlendMode simpleLinesBlendMode(int entry) { return blendModeFromNormal(entry - 2); }

bool simpleLinesOverLayer(int entry) { return entry >= kBlendingModeNormal; }

SimpleLinesParameter makeSimpleLinesParameter(SimpleLinesRecord const& r, Vector<double> const& input_origin) {
  SimpleLinesParameter p;
  setPatternFrom(p, r, input_origin)
      .setWidthAlign(r.width_align)
      .setHeightNum(r.height_num)
      .setHeightMax1(r.height_max1)
      .setHeightMax2(r.height_max2)
      .setHeightMax3(r.height_max3)
      .setHeightMin(r.height_min)
      .setHeightPower(r.height_power)
      .setHeightSeed(r.height_seed)
      .setAlignType(simpleLinesAlignType(r.align_type))
      .setAlignDirection(simpleLinesAlignDirection(r.align_direction))
      .setAlignMode(simpleLinesAlignMode(r.align_mode))
      .setAlignMax(r.align_max)
      .setAlignMin(r.align_min)
      .setAlignPower(r.align_power)
      .setAlignSeed(r.align_seed)
      .setColorNum(r.color_num)
      .setColorColor1(r.color_color1)
      .setColorColor2(r.color_color2)
      .setColorColor3(r.color_color3)
      .setColorVarianceSpace(SimpleLinesParameter::ColorSpace(r.color_variance_space))
      .setColorOverlap(SimpleLinesParameter::ColorOverlap(r.color_overlap))
      .setColorVariance1(r.color_variance1)
      .setColorVariance2(r.color_variance2)
      .setColorVariance3(r.color_variance3)
      .setColorSeed(r.color_seed)
      .setTransitionType(simpleLinesTransitionType(r.transition_type))
      .setTransitionTypeSeed(r.transition_type_seed)
      .setTransitionMode(simpleLinesTransitionMode(r.transition_mode))
      .setTransitionModeSeed(r.transition_mode_seed)
      .setTransitionSchedule(r.transition)
      .setOpacity(r.opacity)
      .setBlendMode(simpleLinesBlendMode(r.blend_mode));
  return p;
}

}  // namespace Brelo
