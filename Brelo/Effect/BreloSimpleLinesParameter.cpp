#include "Brelo/Effect/BreloSimpleLinesParameter.h"

#include "Brelo/BreloLimits.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

using namespace ParameterClamp;

SimpleLinesParameter::SimpleLinesParameter()
    : m_center(0.0, 0.0),
      m_width_align(0.5),
      m_direction(0.0),
      m_total_width(1000.0),
      m_width_num(1),
      m_width_max1(100.0),
      m_width_max2(20.0),
      m_width_max3(50.0),
      m_width_min(1.0),
      m_width_power(1.0),
      m_gap_num(1),
      m_gap_max1(0.0),
      m_gap_max2(0.0),
      m_gap_max3(0.0),
      m_gap_min(0.0),
      m_gap_power(1.0),
      m_width_seed(0),
      m_height_num(1),
      m_height_max1(100.0),
      m_height_max2(100.0),
      m_height_max3(100.0),
      m_height_min(0.3),
      m_height_power(1.0),
      m_height_seed(0),
      m_align_type(AlignType::Middle),
      m_align_direction(AlignDirection::One),
      m_align_mode(AlignMode::Normal),
      m_align_max(0.0),
      m_align_min(0.3),
      m_align_power(1.0),
      m_align_seed(0),
      m_color_num(1),
      m_color_color1(1.0f, 1.0f, 0.0f, 0.0f),
      m_color_color2(1.0f, 1.0f, 1.0f, 1.0f),
      m_color_color3(1.0f, 0.0f, 0.0f, 1.0f),
      m_color_variance_space(ColorSpace::RGB),
      m_color_overlap(ColorOverlap::Clip),
      m_color_variance1(0.0),
      m_color_variance2(0.0),
      m_color_variance3(0.0),
      m_color_seed(0),
      m_transition_completion(0.0),
      m_transition_delay(0.1),
      m_transition_type(TransitionType::X),
      m_transition_type_seed(0),
      m_transition_mode(TransitionMode::Normal),
      m_transition_mode_seed(0),
      m_transition_order(OrderType::Normal),
      m_transition_order_phase(0.0),
      m_transition_order_seed(0),
      m_transition_easing_type(EasingType::Linear),
      m_transition_easing_mode(EasingMode::InOut),
      m_opacity(1.0),
      m_blend_mode(::Brelo::BlendMode::Normal) {}

SimpleLinesParameter& SimpleLinesParameter::setCenter(Vector<double> const& v) {
  m_center = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthAlign(double v) {
  m_width_align = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setDirection(double v) {
  m_direction = wrapAngle(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTotalWidth(double v) {
  m_total_width = between(v, 0.0, kMaxTotalWidth);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthNum(int v) {
  m_width_num = classCount(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthMax1(double v) {
  m_width_max1 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthMax2(double v) {
  m_width_max2 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthMax3(double v) {
  m_width_max3 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthMin(double v) {
  m_width_min = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthPower(double v) {
  m_width_power = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapNum(int v) {
  m_gap_num = classCount(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapMax1(double v) {
  m_gap_max1 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapMax2(double v) {
  m_gap_max2 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapMax3(double v) {
  m_gap_max3 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapMin(double v) {
  m_gap_min = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setGapPower(double v) {
  m_gap_power = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setWidthSeed(int v) {
  m_width_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightNum(int v) {
  m_height_num = classCount(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightMax1(double v) {
  m_height_max1 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightMax2(double v) {
  m_height_max2 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightMax3(double v) {
  m_height_max3 = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightMin(double v) {
  m_height_min = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightPower(double v) {
  m_height_power = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setHeightSeed(int v) {
  m_height_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignType(AlignType v) {
  m_align_type = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignDirection(AlignDirection v) {
  m_align_direction = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignMode(AlignMode v) {
  m_align_mode = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignMax(double v) {
  m_align_max = finite(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignMin(double v) {
  m_align_min = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignPower(double v) {
  m_align_power = atLeast(v, 0.0);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setAlignSeed(int v) {
  m_align_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorNum(int v) {
  m_color_num = classCount(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorColor1(ColorFloat<float> const& v) {
  m_color_color1 = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorColor2(ColorFloat<float> const& v) {
  m_color_color2 = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorColor3(ColorFloat<float> const& v) {
  m_color_color3 = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorVarianceSpace(ColorSpace v) {
  m_color_variance_space = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorOverlap(ColorOverlap v) {
  m_color_overlap = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorVariance1(double v) {
  m_color_variance1 = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorVariance2(double v) {
  m_color_variance2 = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorVariance3(double v) {
  m_color_variance3 = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setColorSeed(int v) {
  m_color_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionCompletion(double v) {
  m_transition_completion = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionDelay(double v) {
  m_transition_delay = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionType(TransitionType v) {
  m_transition_type = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionTypeSeed(int v) {
  m_transition_type_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionMode(TransitionMode v) {
  m_transition_mode = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionModeSeed(int v) {
  m_transition_mode_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionOrder(OrderType v) {
  m_transition_order = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionOrderPhase(double v) {
  m_transition_order_phase = finite(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionOrderSeed(int v) {
  m_transition_order_seed = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionEasingType(EasingType v) {
  m_transition_easing_type = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setTransitionEasingMode(EasingMode v) {
  m_transition_easing_mode = v;
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setOpacity(double v) {
  m_opacity = unit(v);
  return *this;
}
SimpleLinesParameter& SimpleLinesParameter::setBlendMode(::Brelo::BlendMode const& v) {
  m_blend_mode = v;
  return *this;
}

}  // namespace Brelo
