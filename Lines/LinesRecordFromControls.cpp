#include "Lines/LinesRecordFromControls.h"

#include <cstring>

#include "Lines/LinesMappers.h"
#include "Lines/LinesUnits.h"

namespace Brelo {

using namespace LinesParams;
using namespace LinesUnits;

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

}  // namespace Brelo
