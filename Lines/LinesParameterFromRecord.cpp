#include "Lines/LinesParameterFromRecord.h"

#include "Lines/LinesMappers.h"

namespace Brelo {

LinesParameter makeLinesParameter(LinesPreRenderRecord const& r, Vector<double> const& input_origin) {
  Vector<double> center = r.center;
  center -= input_origin;

  LinesParameter p;
  p.setCompletion(r.completion)
      .setCenter(center)
      .setAlign(r.align)
      .setDirection(r.direction)
      .setTotalWidth(r.total_width)
      .setWidthNum(r.width_num)
      .setWidthMax1(r.width_max1)
      .setWidthMax2(r.width_max2)
      .setWidthMax3(r.width_max3)
      .setWidthMin(r.width_min)
      .setWidthPower(r.width_power)
      .setGapNum(r.gap_num)
      .setGapMax1(r.gap_max1)
      .setGapMax2(r.gap_max2)
      .setGapMax3(r.gap_max3)
      .setGapMin(r.gap_min)
      .setGapPower(r.gap_power)
      .setWidthSeed(r.width_seed)
      .setOutside(getBorderType(r.outside))
      .setOriginal(r.original != 0)

      .setSliceCompletion(r.slice_completion)
      .setSliceDelay(r.slice_delay)
      .setSlicePer(r.slice_per)
      .setSliceOffset(r.slice_offset)
      .setSliceDirection(getDirection(r.slice_direction))
      .setSliceMax(r.slice_max)
      .setSliceMin(r.slice_min)
      .setSlicePower(r.slice_power)
      .setSliceSeed(r.slice_seed)
      .setSliceOrder(getOrderType(r.slice_order))
      .setSliceOrderPhase(r.slice_order_phase)
      .setSliceOrderSeed(r.slice_order_seed)
      .setSliceEasingType(getEasingType(r.slice_easing_type))
      .setSliceEasingMode(getEasingMode(r.slice_easing_mode))

      .setRGBCompletion(r.rgb_completion)
      .setRGBDelay(r.rgb_delay)
      .setRGBPer(r.rgb_per)
      .setRGBOffset(r.rgb_offset)
      .setRGBMax(r.rgb_max)
      .setRGBMin(r.rgb_min)
      .setRGBColor(r.rgb_color1, r.rgb_color2, r.rgb_color3)
      .setRGBSeed(r.rgb_seed)
      .setRGBOrder(getOrderType(r.rgb_order))
      .setRGBOrderPhase(r.rgb_order_phase)
      .setRGBOrderSeed(r.rgb_order_seed)
      .setRGBEasingType(getEasingType(r.rgb_easing_type))
      .setRGBEasingMode(getEasingMode(r.rgb_easing_mode))

      .setColorCompletion(r.color_completion)
      .setColorDelay(r.color_delay)
      .setColorPer(r.color_per)
      .setColorOffset(r.color_offset)
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
      .setColorOrder(getOrderType(r.color_order))
      .setColorOrderPhase(r.color_order_phase)
      .setColorOrderSeed(r.color_order_seed)
      .setColorEasingType(getEasingType(r.color_easing_type))
      .setColorEasingMode(getEasingMode(r.color_easing_mode))

      .setCompositeCompletion(r.composite_completion)
      .setCompositeDelay(r.composite_delay)
      .setCompositePer(r.composite_per)
      .setCompositeOffset(r.composite_offset)
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
      .setCompositeOrder(getOrderType(r.composite_order))
      .setCompositeOrderPhase(r.composite_order_phase)
      .setCompositeOrderSeed(r.composite_order_seed)
      .setCompositeEasingType(getEasingType(r.composite_easing_type))
      .setCompositeEasingMode(getEasingMode(r.composite_easing_mode))

      .setTransitionCompletion(r.transition_completion)
      .setTransitionDelay(r.transition_delay)
      .setTransitionPer(r.transition_per)
      .setTransitionOffset(r.transition_offset)
      .setTransitionType(getTransitionType(r.transition_type))
      .setTransitionTypeSeed(r.transition_type_seed)
      .setTransitionOrder(getOrderType(r.transition_order))
      .setTransitionOrderPhase(r.transition_order_phase)
      .setTransitionOrderSeed(r.transition_order_seed)
      .setTransitionEasingType(getEasingType(r.transition_easing_type))
      .setTransitionEasingMode(getEasingMode(r.transition_easing_mode));
  return p;
}

bool linesCompositeVisible(LinesPreRenderRecord const& r) {
  return r.completion * r.composite_completion * r.composite_opacity > 0.0;
}

}  // namespace Brelo
