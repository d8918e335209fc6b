#include "Lines/LinesRecordFromControls.h"

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

void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& r) {
  r = LinesPreRenderRecord{};

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

  r.slice_completion = fraction(v.fixed(kSliceCompletion));
  r.slice_delay = fraction(v.fixed(kSliceDelay));
  r.slice_per = v.slider(kSlicePer);
  r.slice_offset = v.slider(kSliceOffset);
  r.slice_direction = v.popup(kSliceDirection);
  r.slice_max = pixels(v.floatValue(kMaxSlice), dsx);
  r.slice_min = fraction(v.fixed(kMinSlice));
  r.slice_power = v.floatValue(kSlicePower);
  r.slice_seed = v.slider(kSliceSeed);
  r.slice_order = v.popup(kSliceOrder);
  r.slice_order_phase = turns(v.angle(kSliceOrderPhase));
  r.slice_order_seed = v.slider(kSliceOrderSeed);
  r.slice_easing_type = v.popup(kSliceEasingType);
  r.slice_easing_mode = v.popup(kSliceEasingMode);

  r.rgb_completion = fraction(v.fixed(kRGBCompletion));
  r.rgb_delay = fraction(v.fixed(kRGBDelay));
  r.rgb_per = v.slider(kRGBPer);
  r.rgb_offset = v.slider(kRGBOffset);
  r.rgb_max = pixels(v.floatValue(kMaxRGBSeparation), dsx);
  r.rgb_min = fraction(v.fixed(kMinRGBSeparation));
  // The engine's second colour is the third control and vice versa.
  r.rgb_color1 = colour(v.color(kRGBColor1));
  r.rgb_color2 = colour(v.color(kRGBColor3));
  r.rgb_color3 = colour(v.color(kRGBColor2));
  r.rgb_seed = v.slider(kRGBSeparationSeed);
  r.rgb_order = v.popup(kRGBOrder);
  r.rgb_order_phase = turns(v.angle(kRGBOrderPhase));
  r.rgb_order_seed = v.slider(kRGBOrderSeed);
  r.rgb_easing_type = v.popup(kRGBEasingType);
  r.rgb_easing_mode = v.popup(kRGBEasingMode);

  r.color_completion = fraction(v.fixed(kColorCompletion));
  r.color_delay = fraction(v.fixed(kColorDelay));
  r.color_per = v.slider(kColorPer);
  r.color_offset = v.slider(kColorOffset);
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
  r.color_order = v.popup(kColorOrder);
  r.color_order_phase = turns(v.angle(kColorOrderPhase));
  r.color_order_seed = v.slider(kColorOrderSeed);
  r.color_easing_type = v.popup(kColorEasingType);
  r.color_easing_mode = v.popup(kColorEasingMode);

  r.composite_completion = fraction(v.fixed(kCompositeCompletion));
  r.composite_delay = fraction(v.fixed(kCompositeDelay));
  r.composite_per = v.slider(kCompositePer);
  r.composite_offset = v.slider(kCompositeOffset);
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
  r.composite_order = v.popup(kCompositeOrder);
  r.composite_order_phase = turns(v.angle(kCompositeOrderPhase));
  r.composite_order_seed = v.slider(kCompositeOrderSeed);
  r.composite_easing_type = v.popup(kCompositeEasingType);
  r.composite_easing_mode = v.popup(kCompositeEasingMode);

  r.transition_completion = fraction(v.fixed(kWipeCompletion));
  r.transition_delay = fraction(v.fixed(kWipeDelay));
  r.transition_per = v.slider(kWipePer);
  r.transition_offset = v.slider(kWipeOffset);
  r.transition_type = v.popup(kWipeType);
  r.transition_type_seed = v.slider(kWipeTypeSeed);
  r.transition_order = v.popup(kWipeOrder);
  r.transition_order_phase = turns(v.angle(kWipeOrderPhase));
  r.transition_order_seed = v.slider(kWipeOrderSeed);
  r.transition_easing_type = v.popup(kWipeEasingType);
  r.transition_easing_mode = v.popup(kWipeEasingMode);
}

}  // namespace Brelo
