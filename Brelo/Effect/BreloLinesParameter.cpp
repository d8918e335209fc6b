#include "Brelo/Effect/BreloLinesParameter.h"

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

using namespace ParameterClamp;

LinesParameter::LinesParameter()
    : m_completion(1.0),
      m_center(0.0, 0.0),
      m_align(0.5),
      m_direction(0.0),
      m_total_width(1000.0),
      m_width_num(1),
      m_width_max1(100.0),
      m_width_max2(100.0),
      m_width_max3(100.0),
      m_width_min(1.0),
      m_width_power(1.0),
      m_gap_num(1),
      m_gap_max1(0.0),
      m_gap_max2(0.0),
      m_gap_max3(0.0),
      m_gap_min(0.0),
      m_gap_power(1.0),
      m_width_seed(0),
      m_outside(BorderType::Reflect),
      m_original(false),
      m_slice_completion(1.0),
      m_slice_delay(0.1),
      m_slice_per(1),
      m_slice_offset(0),
      m_slice_direction(Direction::One),
      m_slice_max(0.0),
      m_slice_min(0.3),
      m_slice_power(1.0),
      m_slice_seed(0),
      m_slice_order(OrderType::Normal),
      m_slice_order_phase(0.0),
      m_slice_order_seed(0),
      m_slice_easing_type(EasingType::Linear),
      m_slice_easing_mode(EasingMode::InOut),
      m_rgb_completion(1.0),
      m_rgb_delay(0.1),
      m_rgb_per(1),
      m_rgb_offset(0),
      m_rgb_max(0.0),
      m_rgb_min(0.3),
      m_rgb_color1(1.0f, 1.0f, 0.0f, 0.0f),
      m_rgb_color2(1.0f, 0.0f, 1.0f, 0.0f),
      m_rgb_color3(1.0f, 0.0f, 0.0f, 1.0f),
      m_rgb_seed(0),
      m_rgb_order(OrderType::Normal),
      m_rgb_order_phase(0.0),
      m_rgb_order_seed(0),
      m_rgb_easing_type(EasingType::Linear),
      m_rgb_easing_mode(EasingMode::InOut),
      m_color_completion(1.0),
      m_color_delay(0.1),
      m_color_per(1),
      m_color_offset(0),
      m_color_type(ColorType::Tritone),
      m_color_blend_with_original(1.0),
      m_color_color(1.0f, 0.5f, 0.5f, 0.5f),
      m_color_h_direction(Direction::Both),
      m_color_h(0.0),
      m_color_h_min(0.0),
      m_color_l_direction(Direction::Both),
      m_color_l(0.0),
      m_color_l_min(0.0),
      m_color_s_direction(Direction::Both),
      m_color_s(0.0),
      m_color_s_min(0.0),
      m_color_seed(0),
      m_color_order(OrderType::Normal),
      m_color_order_phase(0.0),
      m_color_order_seed(0),
      m_color_easing_type(EasingType::Linear),
      m_color_easing_mode(EasingMode::InOut),
      m_composite_completion(1.0),
      m_composite_delay(0.1),
      m_composite_per(1),
      m_composite_offset(0),
      m_composite_opacity(1.0),
      m_composite_num(1),
      m_composite_color1(1.0f, 1.0f, 0.0f, 0.0f),
      m_composite_color2(1.0f, 1.0f, 1.0f, 1.0f),
      m_composite_color3(1.0f, 0.0f, 0.0f, 1.0f),
      m_composite_variance_space(ColorSpace::RGB),
      m_composite_overlap(CompositeOverlap::Clip),
      m_composite_variance1(0.0),
      m_composite_variance2(0.0),
      m_composite_variance3(0.0),
      m_composite_seed(0),
      m_composite_order(OrderType::Normal),
      m_composite_order_phase(0.0),
      m_composite_order_seed(0),
      m_composite_easing_type(EasingType::Linear),
      m_composite_easing_mode(EasingMode::InOut),
      m_transition_completion(0.0),
      m_transition_delay(0.1),
      m_transition_per(1),
      m_transition_offset(0),
      m_transition_type(TransitionType::Normal),
      m_transition_type_seed(0),
      m_transition_order(OrderType::Normal),
      m_transition_order_phase(0.0),
      m_transition_order_seed(0),
      m_transition_easing_type(EasingType::Linear),
      m_transition_easing_mode(EasingMode::InOut) {}

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
LinesParameter& LinesParameter::setSliceCompletion(double v) { m_slice_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setSliceDelay(double v) { m_slice_delay = unit(v); return *this; }
LinesParameter& LinesParameter::setSlicePer(int v) { m_slice_per = per(v); return *this; }
LinesParameter& LinesParameter::setSliceOffset(int v) { m_slice_offset = v; return *this; }
LinesParameter& LinesParameter::setSliceDirection(Direction v) { m_slice_direction = v; return *this; }
LinesParameter& LinesParameter::setSliceMax(double v) { m_slice_max = finite(v); return *this; }
LinesParameter& LinesParameter::setSliceMin(double v) { m_slice_min = unit(v); return *this; }
LinesParameter& LinesParameter::setSlicePower(double v) { m_slice_power = atLeast(v, 0.0); return *this; }
LinesParameter& LinesParameter::setSliceSeed(int v) { m_slice_seed = v; return *this; }
LinesParameter& LinesParameter::setSliceOrder(OrderType v) { m_slice_order = v; return *this; }
LinesParameter& LinesParameter::setSliceOrderPhase(double v) { m_slice_order_phase = finite(v); return *this; }
LinesParameter& LinesParameter::setSliceOrderSeed(int v) { m_slice_order_seed = v; return *this; }
LinesParameter& LinesParameter::setSliceEasingType(EasingType v) { m_slice_easing_type = v; return *this; }
LinesParameter& LinesParameter::setSliceEasingMode(EasingMode v) { m_slice_easing_mode = v; return *this; }

// ---- RGB Separation
LinesParameter& LinesParameter::setRGBCompletion(double v) { m_rgb_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setRGBDelay(double v) { m_rgb_delay = unit(v); return *this; }
LinesParameter& LinesParameter::setRGBPer(int v) { m_rgb_per = per(v); return *this; }
LinesParameter& LinesParameter::setRGBOffset(int v) { m_rgb_offset = v; return *this; }
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
LinesParameter& LinesParameter::setRGBOrder(OrderType v) { m_rgb_order = v; return *this; }
LinesParameter& LinesParameter::setRGBOrderPhase(double v) { m_rgb_order_phase = finite(v); return *this; }
LinesParameter& LinesParameter::setRGBOrderSeed(int v) { m_rgb_order_seed = v; return *this; }
LinesParameter& LinesParameter::setRGBEasingType(EasingType v) { m_rgb_easing_type = v; return *this; }
LinesParameter& LinesParameter::setRGBEasingMode(EasingMode v) { m_rgb_easing_mode = v; return *this; }

// ---- Color Correction
LinesParameter& LinesParameter::setColorCompletion(double v) { m_color_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setColorDelay(double v) { m_color_delay = unit(v); return *this; }
LinesParameter& LinesParameter::setColorPer(int v) { m_color_per = per(v); return *this; }
LinesParameter& LinesParameter::setColorOffset(int v) { m_color_offset = v; return *this; }
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
LinesParameter& LinesParameter::setColorOrder(OrderType v) { m_color_order = v; return *this; }
LinesParameter& LinesParameter::setColorOrderPhase(double v) { m_color_order_phase = finite(v); return *this; }
LinesParameter& LinesParameter::setColorOrderSeed(int v) { m_color_order_seed = v; return *this; }
LinesParameter& LinesParameter::setColorEasingType(EasingType v) { m_color_easing_type = v; return *this; }
LinesParameter& LinesParameter::setColorEasingMode(EasingMode v) { m_color_easing_mode = v; return *this; }

// ---- Color Composite
LinesParameter& LinesParameter::setCompositeCompletion(double v) { m_composite_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositeDelay(double v) { m_composite_delay = unit(v); return *this; }
LinesParameter& LinesParameter::setCompositePer(int v) { m_composite_per = per(v); return *this; }
LinesParameter& LinesParameter::setCompositeOffset(int v) { m_composite_offset = v; return *this; }
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
LinesParameter& LinesParameter::setCompositeOrder(OrderType v) { m_composite_order = v; return *this; }
LinesParameter& LinesParameter::setCompositeOrderPhase(double v) { m_composite_order_phase = finite(v); return *this; }
LinesParameter& LinesParameter::setCompositeOrderSeed(int v) { m_composite_order_seed = v; return *this; }
LinesParameter& LinesParameter::setCompositeEasingType(EasingType v) { m_composite_easing_type = v; return *this; }
LinesParameter& LinesParameter::setCompositeEasingMode(EasingMode v) { m_composite_easing_mode = v; return *this; }

// ---- Wipe
LinesParameter& LinesParameter::setTransitionCompletion(double v) { m_transition_completion = unit(v); return *this; }
LinesParameter& LinesParameter::setTransitionDelay(double v) { m_transition_delay = unit(v); return *this; }
LinesParameter& LinesParameter::setTransitionPer(int v) { m_transition_per = per(v); return *this; }
LinesParameter& LinesParameter::setTransitionOffset(int v) { m_transition_offset = v; return *this; }
LinesParameter& LinesParameter::setTransitionType(TransitionType v) { m_transition_type = v; return *this; }
LinesParameter& LinesParameter::setTransitionTypeSeed(int v) { m_transition_type_seed = v; return *this; }
LinesParameter& LinesParameter::setTransitionOrder(OrderType v) { m_transition_order = v; return *this; }
LinesParameter& LinesParameter::setTransitionOrderPhase(double v) { m_transition_order_phase = finite(v); return *this; }
LinesParameter& LinesParameter::setTransitionOrderSeed(int v) { m_transition_order_seed = v; return *this; }
LinesParameter& LinesParameter::setTransitionEasingType(EasingType v) { m_transition_easing_type = v; return *this; }
LinesParameter& LinesParameter::setTransitionEasingMode(EasingMode v) { m_transition_easing_mode = v; return *this; }

}  // namespace Brelo
