#include "Brelo/Effect/BreloLinesParameter.h"

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

using namespace ParameterClamp;

// ---- layout
LinesParameter& LinesParameter::setCompletion(double v) { m_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setCenter(Vector<double> const& v) { m_center = v; return *this; }
LinesParameter& LinesParameter::setAlign(double v) { m_align = unit(v); return *this; }
LinesParameter& LinesParameter::setDirection(double v) { m_direction = wrapAngle(v); return *this; }
LinesParameter& LinesParameter::setTotalWidth(double v) { m_total_width = between(v, 0.0, kMaxTotalWidth); return *this; }
LinesParameter& LinesParameter::setWidthNum(int v) { m_width_num = classCount(v); return *this; }
LinesParameter& LinesParameter::setWidthMax1(double v) { m_width_max1 = atLeast(v, 1.0); return *this; }
LinesParameter& LinesParameter::setWidthMax2(double v) { m_width_max2 = atLeast(v, 1.0); return *this; }
LinesParameter& LinesParameter::setWidthMax3(double v) { m_width_max3 = atLeast(v, 1.0); return *this; }
LinesParameter& LinesParameter::setWidthMin(double v) { m_width_min = unit(v); return *this; }
LinesParameter& LinesParameter::setWidthPower(double v) { m_width_power = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setGapNum(int v) { m_gap_num = classCount(v); return *this; }
LinesParameter& LinesParameter::setGapMax1(double v) { m_gap_max1 = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setGapMax2(double v) { m_gap_max2 = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setGapMax3(double v) { m_gap_max3 = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setGapMin(double v) { m_gap_min = unit(v); return *this; }
LinesParameter& LinesParameter::setGapPower(double v) { m_gap_power = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setWidthSeed(int v) { m_width_seed = v; return *this; }
LinesParameter& LinesParameter::setOutside(BorderType v) { m_outside = v; return *this; }
LinesParameter& LinesParameter::setOriginal(bool v) { m_original = v; return *this; }

// ---- Slice
LinesParameter& LinesParameter::setSliceDirection(Direction v) { m_slice_direction = v; return *this; }
LinesParameter& LinesParameter::setSliceMax(double v) { m_slice_max = finite(v); return *this; }
LinesParameter& LinesParameter::setSliceMin(double v) { m_slice_min = unit(v); return *this; }
LinesParameter& LinesParameter::setSlicePower(double v) { m_slice_power = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setSliceSeed(int v) { m_slice_seed = v; return *this; }

// ---- RGB Separation
LinesParameter& LinesParameter::setRGBMax(double v) { m_rgb_max = finite(v); return *this; }
LinesParameter& LinesParameter::setRGBMin(double v) { m_rgb_min = unit(v); return *this; }
LinesParameter& LinesParameter::setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                                            ColorFloat<float> const& c3) {
  m_rgb_color1 = c1;
  m_rgb_color2 = c2;
  m_rgb_color3 = c3;
  Colorsys::Normalize(m_rgb_color1, m_rgb_color2, m_rgb_color3);
  return *this;
}
LinesParameter& LinesParameter::setRGBSeed(int v) { m_rgb_seed = v; return *this; }

// ---- Color Correction
LinesParameter& LinesParameter::setColorType(ColorType v) { m_color_type = v; return *this; }
LinesParameter& LinesParameter::setColorBlendWithOriginal(double v) { m_color_blend_with_original = unit(v); return *this; }
LinesParameter& LinesParameter::setColorColor(ColorFloat<float> const& v) { m_color_color = v; return *this; }
LinesParameter& LinesParameter::setColorHDirection(Direction v) { m_color_h_direction = v; return *this; }
LinesParameter& LinesParameter::setColorH(double v) { m_color_h = finite(v); return *this; }
LinesParameter& LinesParameter::setColorHMin(double v) { m_color_h_min = finite(v); return *this; }
LinesParameter& LinesParameter::setColorLDirection(Direction v) { m_color_l_direction = v; return *this; }
LinesParameter& LinesParameter::setColorL(double v) { m_color_l = finite(v); return *this; }
LinesParameter& LinesParameter::setColorLMin(double v) { m_color_l_min = finite(v); return *this; }
LinesParameter& LinesParameter::setColorSDirection(Direction v) { m_color_s_direction = v; return *this; }
LinesParameter& LinesParameter::setColorS(double v) { m_color_s = finite(v); return *this; }
LinesParameter& LinesParameter::setColorSMin(double v) { m_color_s_min = finite(v); return *this; }
LinesParameter& LinesParameter::setColorSeed(int v) { m_color_seed = v; return *this; }

// ---- Color Composite
LinesParameter& LinesParameter::setCompositeOpacity(double v) { m_composite_opacity = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositeNum(int v) { m_composite_num = classCount(v); return *this; }
LinesParameter& LinesParameter::setCompositeColor1(ColorFloat<float> const& v) { m_composite_color1 = v; return *this; }
LinesParameter& LinesParameter::setCompositeColor2(ColorFloat<float> const& v) { m_composite_color2 = v; return *this; }
LinesParameter& LinesParameter::setCompositeColor3(ColorFloat<float> const& v) { m_composite_color3 = v; return *this; }
LinesParameter& LinesParameter::setCompositeVarianceSpace(ColorSpace v) { m_composite_variance_space = v; return *this; }
LinesParameter& LinesParameter::setCompositeOverlap(CompositeOverlap v) { m_composite_overlap = v; return *this; }
LinesParameter& LinesParameter::setCompositeVariance1(double v) { m_composite_variance1 = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositeVariance2(double v) { m_composite_variance2 = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositeVariance3(double v) { m_composite_variance3 = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositeSeed(int v) { m_composite_seed = v; return *this; }

// ---- Wipe
LinesParameter& LinesParameter::setTransitionType(TransitionType v) { m_transition_type = v; return *this; }
LinesParameter& LinesParameter::setTransitionTypeSeed(int v) { m_transition_type_seed = v; return *this; }

}  // namespace Brelo
