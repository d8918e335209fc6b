#include "Lines/LinesRecord.h"

#include <cstring>

#include "Util/ControlUnits.h"
#include "Util/PatternFromRecord.h"
#include "Util/PopupMappers.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

using namespace ControlUnits;
using namespace LinesParams;

namespace {

constexpr std::array<PF_ParamIndex, 103> kOrder = {
    // Layout: 1 to 20.
    kCompletion, kCenter, kAlign, kDirection, kTotalWidth, kWidthMode, kMaxWidth1, kMaxWidth2, kMaxWidth3,
    kMinWidth, kWidthPower, kGapMode, kMaxGap1, kMaxGap2, kMaxGap3, kMinGap, kGapPower, kWidthSeed, kOutside,
    kOriginal,
    // Slice: 29, 30, 27, 28, 22 to 26, 31 to 35.
    kSliceCompletion, kSliceDelay, kSlicePer, kSliceOffset, kSliceDirection, kMaxSlice, kMinSlice, kSlicePower,
    kSliceSeed, kSliceOrder, kSliceOrderPhase, kSliceOrderSeed, kSliceEasingType, kSliceEasingMode,
    // RGB Separation: 47, 48, 45, 46, 38, 39, 41, 43, 42, 44, 49 to 53.
    kRGBCompletion, kRGBDelay, kRGBPer, kRGBOffset, kMaxRGBSeparation, kMinRGBSeparation, kRGBColor1, kRGBColor3,
    kRGBColor2, kRGBSeparationSeed, kRGBOrder, kRGBOrderPhase, kRGBOrderSeed, kRGBEasingType, kRGBEasingMode,
    // Color Correction: 71, 72, 69, 70, 56 to 68, 73 to 77.
    kColorCompletion, kColorDelay, kColorPer, kColorOffset, kColorCorrectionType, kBlendWithOriginal, kMidtone,
    kColorHDirection, kMaxColorHVariance, kMinColorHVariance, kColorLDirection, kMaxColorLVariance,
    kMinColorLVariance, kColorSDirection, kMaxColorSVariance, kMinColorSVariance, kColorVarianceSeed, kColorOrder,
    kColorOrderPhase, kColorOrderSeed, kColorEasingType, kColorEasingMode,
    // Color Composite: 94, 95, 92, 93, 80 to 91, 96 to 100.
    kCompositeCompletion, kCompositeDelay, kCompositePer, kCompositeOffset, kCompositeOpacity, kBlendingMode,
    kCompositeMode, kCompositeColor1, kCompositeColor2, kCompositeColor3, kCompositeVarianceSpace,
    kCompositeOverlap, kCompositeVariance1, kCompositeVariance2, kCompositeVariance3, kCompositeSeed,
    kCompositeOrder, kCompositeOrderPhase, kCompositeOrderSeed, kCompositeEasingType, kCompositeEasingMode,
    // Wipe: 107, 108, 105, 106, 103, 104, 109 to 113.
    kWipeCompletion, kWipeDelay, kWipePer, kWipeOffset, kWipeType, kWipeTypeSeed, kWipeOrder, kWipeOrderPhase,
    kWipeOrderSeed, kWipeEasingType, kWipeEasingMode,
};

// A missing initialiser would leave index 0, the layer, in the list.
constexpr bool everyEntryAControlOnce() {
  for (std::size_t i = 0; i < kOrder.size(); ++i) {
    if (kOrder[i] < 1 || kOrder[i] >= kCount) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kOrder[j] == kOrder[i]) return false;
    }
  }
  return true;
}
static_assert(everyEntryAControlOnce(), "the check-out order names each control once");

}  // namespace

const std::array<PF_ParamIndex, 103> kLinesCheckoutOrder = kOrder;

LinesControlValues::LinesControlValues() { std::memset(m_values.data(), 0, sizeof m_values); }

PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values) {
  return readControls(in_data, kLinesCheckoutOrder.data(), kLinesCheckoutOrder.size(), values.data());
}

namespace {

// The composite colours are opaque whatever the control holds; their
// visibility is the channel's opacity.
ColorFloat<float> opaque(PF_Pixel const& p) {
  ColorFloat<float> c = colour(p);
  c.alpha = 1.0f;
  return c;
}

}  // namespace

const LinesScheduleChannel kLinesScheduleChannels[5] = {
    {{kSlicePer, kSliceOffset, kSliceCompletion, kSliceDelay, kSliceOrder, kSliceOrderPhase, kSliceOrderSeed,
      kSliceEasingType, kSliceEasingMode},
     &LinesPreRenderRecord::slice, &LinesParameter::setSliceSchedule},
    {{kRGBPer, kRGBOffset, kRGBCompletion, kRGBDelay, kRGBOrder, kRGBOrderPhase, kRGBOrderSeed, kRGBEasingType,
      kRGBEasingMode},
     &LinesPreRenderRecord::rgb, &LinesParameter::setRGBSchedule},
    {{kColorPer, kColorOffset, kColorCompletion, kColorDelay, kColorOrder, kColorOrderPhase, kColorOrderSeed,
      kColorEasingType, kColorEasingMode},
     &LinesPreRenderRecord::color, &LinesParameter::setColorSchedule},
    {{kCompositePer, kCompositeOffset, kCompositeCompletion, kCompositeDelay, kCompositeOrder,
      kCompositeOrderPhase, kCompositeOrderSeed, kCompositeEasingType, kCompositeEasingMode},
     &LinesPreRenderRecord::composite, &LinesParameter::setCompositeSchedule},
    {{kWipePer, kWipeOffset, kWipeCompletion, kWipeDelay, kWipeOrder, kWipeOrderPhase, kWipeOrderSeed,
      kWipeEasingType, kWipeEasingMode},
     &LinesPreRenderRecord::transition, &LinesParameter::setTransitionSchedule},
};

void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& r) {
  // Padding too, so that equal controls make equal bytes.
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  for (LinesScheduleChannel const& c : kLinesScheduleChannels) {
    r.*c.record = readSchedule(v.data(), c.controls, getOrderType);
  }

  r.completion = fraction(v.fixed(kCompletion));
  r.center = Vector<double>(coordinate(v.pointX(kCenter)), coordinate(v.pointY(kCenter)));
  r.align = fraction(v.fixed(kAlign));
  r.direction = radians(v.angle(kDirection));
  r.total_width = pixels(v.floatValue(kTotalWidth), dsx);
  r.width_num = v.popup(kWidthMode);
  r.width_max1 = pixels(v.floatValue(kMaxWidth1), dsx);
  r.width_max2 = pixels(v.floatValue(kMaxWidth2), dsx);
  r.width_max3 = pixels(v.floatValue(kMaxWidth3), dsx);
  r.width_min = fraction(v.fixed(kMinWidth));
  r.width_power = v.floatValue(kWidthPower);
  r.gap_num = v.popup(kGapMode);
  r.gap_max1 = pixels(v.floatValue(kMaxGap1), dsx);
  r.gap_max2 = pixels(v.floatValue(kMaxGap2), dsx);
  r.gap_max3 = pixels(v.floatValue(kMaxGap3), dsx);
  r.gap_min = fraction(v.fixed(kMinGap));
  r.gap_power = v.floatValue(kGapPower);
  r.width_seed = v.slider(kWidthSeed);
  r.outside = v.popup(kOutside);
  r.original = v.checkbox(kOriginal);

  r.slice_direction = v.popup(kSliceDirection);
  r.slice_max = pixels(v.floatValue(kMaxSlice), dsx);
  r.slice_min = fraction(v.fixed(kMinSlice));
  r.slice_power = v.floatValue(kSlicePower);
  r.slice_seed = v.slider(kSliceSeed);

  r.rgb_max = pixels(v.floatValue(kMaxRGBSeparation), dsx);
  r.rgb_min = fraction(v.fixed(kMinRGBSeparation));
  // The engine's second colour is the third control and vice versa.
  r.rgb_color1 = colour(v.color(kRGBColor1));
  r.rgb_color2 = colour(v.color(kRGBColor3));
  r.rgb_color3 = colour(v.color(kRGBColor2));
  r.rgb_seed = v.slider(kRGBSeparationSeed);

  r.color_type = v.popup(kColorCorrectionType);
  r.color_blend_with_original = fraction(v.fixed(kBlendWithOriginal));
  r.color_color = colour(v.color(kMidtone));
  r.color_h_direction = v.popup(kColorHDirection);
  r.color_h = degrees(v.angle(kMaxColorHVariance));
  r.color_h_min = fraction(v.fixed(kMinColorHVariance));
  r.color_l_direction = v.popup(kColorLDirection);
  r.color_l = percentFraction(v.floatValue(kMaxColorLVariance));
  r.color_l_min = fraction(v.fixed(kMinColorLVariance));
  r.color_s_direction = v.popup(kColorSDirection);
  r.color_s = percentFraction(v.floatValue(kMaxColorSVariance));
  r.color_s_min = fraction(v.fixed(kMinColorSVariance));
  r.color_seed = v.slider(kColorVarianceSeed);

  r.composite_opacity = fraction(v.fixed(kCompositeOpacity));
  r.blend_mode = v.popup(kBlendingMode);
  r.composite_num = v.popup(kCompositeMode);
  r.composite_color1 = opaque(v.color(kCompositeColor1));
  r.composite_color2 = opaque(v.color(kCompositeColor2));
  r.composite_color3 = opaque(v.color(kCompositeColor3));
  r.composite_variance_space = v.popup(kCompositeVarianceSpace);
  r.composite_overlap = v.popup(kCompositeOverlap);
  r.composite_variance1 = fraction(v.fixed(kCompositeVariance1));
  r.composite_variance2 = fraction(v.fixed(kCompositeVariance2));
  r.composite_variance3 = fraction(v.fixed(kCompositeVariance3));
  r.composite_seed = v.slider(kCompositeSeed);

  r.transition_type = v.popup(kWipeType);
  r.transition_type_seed = v.slider(kWipeTypeSeed);
}

LinesParameter makeLinesParameter(LinesPreRenderRecord const& r, Vector<double> const& input_origin) {
  LinesParameter p;
  setPatternFrom(p, r, input_origin)
      .setCompletion(r.completion)
      .setAlign(r.align)
      .setOutside(getBorderType(r.outside))
      .setOriginal(r.original != 0)

      .setSliceDirection(getDirection(r.slice_direction))
      .setSliceMax(r.slice_max)
      .setSliceMin(r.slice_min)
      .setSlicePower(r.slice_power)
      .setSliceSeed(r.slice_seed)

      .setRGBMax(r.rgb_max)
      .setRGBMin(r.rgb_min)
      .setRGBColor(r.rgb_color1, r.rgb_color2, r.rgb_color3)
      .setRGBSeed(r.rgb_seed)

      .setColorType(getColorType(r.color_type))
      .setColorBlendWithOriginal(r.color_blend_with_original)
      .setColorColor(r.color_color)
      .setColorHDirection(getDirection(r.color_h_direction))
      .setColorH(r.color_h)
      .setColorHMin(r.color_h_min)
      .setColorLDirection(getDirection(r.color_l_direction))
      .setColorL(r.color_l)
      .setColorLMin(r.color_l_min)
      .setColorSDirection(getDirection(r.color_s_direction))
      .setColorS(r.color_s)
      .setColorSMin(r.color_s_min)
      .setColorSeed(r.color_seed)

      .setCompositeOpacity(r.composite_opacity)
      .setCompositeNum(r.composite_num)
      .setCompositeColor1(r.composite_color1)
      .setCompositeColor2(r.composite_color2)
      .setCompositeColor3(r.composite_color3)
      .setCompositeVarianceSpace(getColorSpace(r.composite_variance_space))
      .setCompositeOverlap(getCompositeOverlap(r.composite_overlap))
      .setCompositeVariance1(r.composite_variance1)
      .setCompositeVariance2(r.composite_variance2)
      .setCompositeVariance3(r.composite_variance3)
      .setCompositeSeed(r.composite_seed)

      .setTransitionType(getTransitionType(r.transition_type))
      .setTransitionTypeSeed(r.transition_type_seed);
  for (LinesScheduleChannel const& c : kLinesScheduleChannels) (p.*c.engine)(r.*c.record);
  return p;
}

bool linesCompositeVisible(LinesPreRenderRecord const& r) {
  return r.completion * r.composite.completion * r.composite_opacity > 0.0;
}

LinesParameter::Direction getDirection(int entry) {
  return static_cast<LinesParameter::Direction>(popupEntry(entry, 3));
}

LinesParameter::ColorType getColorType(int entry) {
  return static_cast<LinesParameter::ColorType>(static_cast<int>(getDirection(entry)));
}

OrderType getOrderType(int entry) { return static_cast<OrderType>(popupEntry(entry, 6)); }

LinesParameter::TransitionType getTransitionType(int entry) {
  return static_cast<LinesParameter::TransitionType>(popupEntry(entry, 7));
}

LinesParameter::ColorSpace getColorSpace(int entry) {
  return static_cast<LinesParameter::ColorSpace>(popupEntry(entry, 3));
}

LinesParameter::CompositeOverlap getCompositeOverlap(int entry) {
  return static_cast<LinesParameter::CompositeOverlap>(popupEntry(entry, 2));
}

BorderType getBorderType(int entry) {
  switch (entry) {
    case 2:
      return BorderType::Wrap;
    case 3:
      return BorderType::Reflect;
    default:
      return BorderType::None;
  }
}

}  // namespace Brelo
