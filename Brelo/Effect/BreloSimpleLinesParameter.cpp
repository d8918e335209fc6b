#include "Brelo/Effect/BreloSimpleLinesParameter.h"

#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

using namespace ParameterClamp;

SimpleLinesParameter& SimpleLinesParameter::setCenter(Vector<double> const& v) { m_center = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthAlign(double v) { m_width_align = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setDirection(double v) { m_direction = wrapAngle(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setTotalWidth(double v) { m_total_width = between(v, 0.0, kMaxTotalWidth); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthNum(int v) { m_width_num = classCount(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthMax1(double v) { m_width_max1 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthMax2(double v) { m_width_max2 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthMax3(double v) { m_width_max3 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthMin(double v) { m_width_min = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthPower(double v) { m_width_power = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapNum(int v) { m_gap_num = classCount(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapMax1(double v) { m_gap_max1 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapMax2(double v) { m_gap_max2 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapMax3(double v) { m_gap_max3 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapMin(double v) { m_gap_min = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setGapPower(double v) { m_gap_power = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setWidthSeed(int v) { m_width_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightNum(int v) { m_height_num = classCount(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightMax1(double v) { m_height_max1 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightMax2(double v) { m_height_max2 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightMax3(double v) { m_height_max3 = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightMin(double v) { m_height_min = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightPower(double v) { m_height_power = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setHeightSeed(int v) { m_height_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignType(AlignType v) { m_align_type = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignDirection(AlignDirection v) { m_align_direction = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignMode(AlignMode v) { m_align_mode = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignMax(double v) { m_align_max = finite(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignMin(double v) { m_align_min = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignPower(double v) { m_align_power = atLeast(v, 0.0); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setAlignSeed(int v) { m_align_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorNum(int v) { m_color_num = classCount(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorColor1(ColorFloat<float> const& v) { m_color_color1 = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorColor2(ColorFloat<float> const& v) { m_color_color2 = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorColor3(ColorFloat<float> const& v) { m_color_color3 = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorVarianceSpace(ColorSpace v) { m_color_variance_space = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorOverlap(ColorOverlap v) { m_color_overlap = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorVariance1(double v) { m_color_variance1 = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorVariance2(double v) { m_color_variance2 = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorVariance3(double v) { m_color_variance3 = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setColorSeed(int v) { m_color_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setTransitionType(TransitionType v) { m_transition_type = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setTransitionTypeSeed(int v) { m_transition_type_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setTransitionMode(TransitionMode v) { m_transition_mode = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setTransitionModeSeed(int v) { m_transition_mode_seed = v; return *this; }
SimpleLinesParameter& SimpleLinesParameter::setOpacity(double v) { m_opacity = unit(v); return *this; }
SimpleLinesParameter& SimpleLinesParameter::setBlendMode(::Brelo::BlendMode const& v) { m_blend_mode = v; return *this; }

}  // namespace Brelo
