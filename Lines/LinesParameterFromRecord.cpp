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

}  // namespace Brelo
