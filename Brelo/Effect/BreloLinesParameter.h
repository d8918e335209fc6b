// Every setting of the Lines effect as one plain value record (Lines::Parameter).
//
// Units: lengths in pixels of the layer being rendered (centre in layer
// coordinates), layout angles in radians, hues in degrees, fractions 0..1,
// order phases in turns. Setters clamp their argument and return the record
// so calls chain; they are the only validation of the engine's input.
#pragma once

#include "Brelo/BreloColorVariance.h"
#include "Brelo/BreloEasing.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/BreloSchedule.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/ParameterClamp.h"

namespace Brelo {

class LinesParameter {
 public:
  // Sign rule of a drawn amount; menu "One|Alternately|Both".
  enum class Direction : int { One = 1, Alternately = 2, Both = 3 };
  // Menu "Tritone|Tint|HLS".
  enum class ColorType : int { Tritone = 1, Tint = 2, HLS = 3 };
  using ColorSpace = ::Brelo::ColorSpace;
  using CompositeOverlap = ColorOverlap;
  // Menu "Normal|Inverse|Normal or Inverse|Both|Normal or Inverse or Both|Fade Out|Random".
  enum class TransitionType : int {
    Normal = 1,
    Inverse = 2,
    NormalOrInverse = 3,
    Both = 4,
    NormalOrInverseOrBoth = 5,
    FadeOut = 6,
    Random = 7
  };


  // ---- layout of the strips
  double completion() const { return m_completion; }
  Vector<double> center() const { return m_center; }
  double align() const { return m_align; }
  double direction() const { return m_direction; }
  double total_width() const { return m_total_width; }
  int width_num() const { return m_width_num; }
  double width_max1() const { return m_width_max1; }
  double width_max2() const { return m_width_max2; }
  double width_max3() const { return m_width_max3; }
  double width_min() const { return m_width_min; }
  double width_power() const { return m_width_power; }
  int gap_num() const { return m_gap_num; }
  double gap_max1() const { return m_gap_max1; }
  double gap_max2() const { return m_gap_max2; }
  double gap_max3() const { return m_gap_max3; }
  double gap_min() const { return m_gap_min; }
  double gap_power() const { return m_gap_power; }
  int width_seed() const { return m_width_seed; }
  BorderType outside() const { return m_outside; }
  bool original() const { return m_original; }

  LinesParameter& setCompletion(double v) { m_completion = ParameterClamp::unit(v); return *this; }
  LinesParameter& setCenter(Vector<double> const& v) { m_center = v; return *this; }
  LinesParameter& setAlign(double v) { m_align = ParameterClamp::unit(v); return *this; }
  LinesParameter& setDirection(double v) { m_direction = ParameterClamp::wrapAngle(v); return *this; }
  LinesParameter& setTotalWidth(double v) {
    m_total_width = ParameterClamp::between(v, 0.0, kMaxTotalWidth);
    return *this;
  }
  LinesParameter& setWidthNum(int v) { m_width_num = ParameterClamp::classCount(v); return *this; }
  LinesParameter& setWidthMax1(double v) { m_width_max1 = ParameterClamp::atLeast(v, 1.0); return *this; }
  LinesParameter& setWidthMax2(double v) { m_width_max2 = ParameterClamp::atLeast(v, 1.0); return *this; }
  LinesParameter& setWidthMax3(double v) { m_width_max3 = ParameterClamp::atLeast(v, 1.0); return *this; }
  LinesParameter& setWidthMin(double v) { m_width_min = ParameterClamp::unit(v); return *this; }
  LinesParameter& setWidthPower(double v) { m_width_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setGapNum(int v) { m_gap_num = ParameterClamp::classCount(v); return *this; }
  LinesParameter& setGapMax1(double v) { m_gap_max1 = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setGapMax2(double v) { m_gap_max2 = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setGapMax3(double v) { m_gap_max3 = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setGapMin(double v) { m_gap_min = ParameterClamp::unit(v); return *this; }
  LinesParameter& setGapPower(double v) { m_gap_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setWidthSeed(int v) { m_width_seed = v; return *this; }
  LinesParameter& setOutside(BorderType v) { m_outside = v; return *this; }
  LinesParameter& setOriginal(bool v) { m_original = v; return *this; }

  // ---- Slice channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, slice, Slice)
  Direction slice_direction() const { return m_slice_direction; }
  double slice_max() const { return m_slice_max; }
  double slice_min() const { return m_slice_min; }
  double slice_power() const { return m_slice_power; }
  int slice_seed() const { return m_slice_seed; }

  LinesParameter& setSliceDirection(Direction v) { m_slice_direction = v; return *this; }
  LinesParameter& setSliceMax(double v) { m_slice_max = ParameterClamp::finite(v); return *this; }
  LinesParameter& setSliceMin(double v) { m_slice_min = ParameterClamp::unit(v); return *this; }
  LinesParameter& setSlicePower(double v) { m_slice_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  LinesParameter& setSliceSeed(int v) { m_slice_seed = v; return *this; }

  // ---- RGB Separation channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, rgb, RGB)
  double rgb_max() const { return m_rgb_max; }
  double rgb_min() const { return m_rgb_min; }
  ColorFloat<float> rgb_color1() const { return m_rgb_color1; }
  ColorFloat<float> rgb_color2() const { return m_rgb_color2; }
  ColorFloat<float> rgb_color3() const { return m_rgb_color3; }
  int rgb_seed() const { return m_rgb_seed; }

  LinesParameter& setRGBMax(double v) { m_rgb_max = ParameterClamp::finite(v); return *this; }
  LinesParameter& setRGBMin(double v) { m_rgb_min = ParameterClamp::unit(v); return *this; }
  // The three colours are normalised together: afterwards the red, green and
  // blue weights of the three each add up to 1.
  LinesParameter& setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                              ColorFloat<float> const& c3);
  LinesParameter& setRGBSeed(int v) { m_rgb_seed = v; return *this; }

  // ---- Color Correction channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, color, Color)
  ColorType color_type() const { return m_color_type; }
  double color_blend_with_original() const { return m_color_blend_with_original; }
  ColorFloat<float> color_color() const { return m_color_color; }
  Direction color_h_direction() const { return m_color_h_direction; }
  double color_h() const { return m_color_h; }
  double color_h_min() const { return m_color_h_min; }
  Direction color_l_direction() const { return m_color_l_direction; }
  double color_l() const { return m_color_l; }
  double color_l_min() const { return m_color_l_min; }
  Direction color_s_direction() const { return m_color_s_direction; }
  double color_s() const { return m_color_s; }
  double color_s_min() const { return m_color_s_min; }
  int color_seed() const { return m_color_seed; }

  LinesParameter& setColorType(ColorType v) { m_color_type = v; return *this; }
  LinesParameter& setColorBlendWithOriginal(double v) {
    m_color_blend_with_original = ParameterClamp::unit(v);
    return *this;
  }
  LinesParameter& setColorColor(ColorFloat<float> const& v) { m_color_color = v; return *this; }
  LinesParameter& setColorHDirection(Direction v) { m_color_h_direction = v; return *this; }
  LinesParameter& setColorH(double v) { m_color_h = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorHMin(double v) { m_color_h_min = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorLDirection(Direction v) { m_color_l_direction = v; return *this; }
  LinesParameter& setColorL(double v) { m_color_l = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorLMin(double v) { m_color_l_min = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorSDirection(Direction v) { m_color_s_direction = v; return *this; }
  LinesParameter& setColorS(double v) { m_color_s = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorSMin(double v) { m_color_s_min = ParameterClamp::finite(v); return *this; }
  LinesParameter& setColorSeed(int v) { m_color_seed = v; return *this; }

  // ---- Color Composite channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, composite, Composite)
  double composite_opacity() const { return m_composite_opacity; }
  int composite_num() const { return m_composite_num; }
  ColorFloat<float> composite_color1() const { return m_composite_color1; }
  ColorFloat<float> composite_color2() const { return m_composite_color2; }
  ColorFloat<float> composite_color3() const { return m_composite_color3; }
  ColorSpace composite_variance_space() const { return m_composite_variance_space; }
  CompositeOverlap composite_overlap() const { return m_composite_overlap; }
  double composite_variance1() const { return m_composite_variance1; }
  double composite_variance2() const { return m_composite_variance2; }
  double composite_variance3() const { return m_composite_variance3; }
  int composite_seed() const { return m_composite_seed; }

  LinesParameter& setCompositeOpacity(double v) { m_composite_opacity = ParameterClamp::unit(v); return *this; }
  LinesParameter& setCompositeNum(int v) { m_composite_num = ParameterClamp::classCount(v); return *this; }
  LinesParameter& setCompositeColor1(ColorFloat<float> const& v) { m_composite_color1 = v; return *this; }
  LinesParameter& setCompositeColor2(ColorFloat<float> const& v) { m_composite_color2 = v; return *this; }
  LinesParameter& setCompositeColor3(ColorFloat<float> const& v) { m_composite_color3 = v; return *this; }
  LinesParameter& setCompositeVarianceSpace(ColorSpace v) { m_composite_variance_space = v; return *this; }
  LinesParameter& setCompositeOverlap(CompositeOverlap v) { m_composite_overlap = v; return *this; }
  LinesParameter& setCompositeVariance1(double v) { m_composite_variance1 = ParameterClamp::unit(v); return *this; }
  LinesParameter& setCompositeVariance2(double v) { m_composite_variance2 = ParameterClamp::unit(v); return *this; }
  LinesParameter& setCompositeVariance3(double v) { m_composite_variance3 = ParameterClamp::unit(v); return *this; }
  LinesParameter& setCompositeSeed(int v) { m_composite_seed = v; return *this; }

  // ---- Wipe channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, transition, Transition)
  TransitionType transition_type() const { return m_transition_type; }
  int transition_type_seed() const { return m_transition_type_seed; }

  LinesParameter& setTransitionType(TransitionType v) { m_transition_type = v; return *this; }
  LinesParameter& setTransitionTypeSeed(int v) { m_transition_type_seed = v; return *this; }

 private:
  double m_completion = 1.0;
  Vector<double> m_center{0.0, 0.0};
  double m_align = 0.5;
  double m_direction = 0.0;
  double m_total_width = 1000.0;
  int m_width_num = 1;
  double m_width_max1 = 100.0, m_width_max2 = 100.0, m_width_max3 = 100.0;
  double m_width_min = 1.0;
  double m_width_power = 1.0;
  int m_gap_num = 1;
  double m_gap_max1 = 0.0, m_gap_max2 = 0.0, m_gap_max3 = 0.0;
  double m_gap_min = 0.0;
  double m_gap_power = 1.0;
  int m_width_seed = 0;
  BorderType m_outside = BorderType::Reflect;
  bool m_original = false;

  Direction m_slice_direction = Direction::One;
  double m_slice_max = 0.0;
  double m_slice_min = 0.3;
  double m_slice_power = 1.0;
  int m_slice_seed = 0;

  double m_rgb_max = 0.0;
  double m_rgb_min = 0.3;
  ColorFloat<float> m_rgb_color1{1.0f, 1.0f, 0.0f, 0.0f};
  ColorFloat<float> m_rgb_color2{1.0f, 0.0f, 1.0f, 0.0f};
  ColorFloat<float> m_rgb_color3{1.0f, 0.0f, 0.0f, 1.0f};
  int m_rgb_seed = 0;

  ColorType m_color_type = ColorType::Tritone;
  double m_color_blend_with_original = 1.0;
  ColorFloat<float> m_color_color{1.0f, 0.5f, 0.5f, 0.5f};
  Direction m_color_h_direction = Direction::Both;
  double m_color_h = 0.0;
  double m_color_h_min = 0.0;
  Direction m_color_l_direction = Direction::Both;
  double m_color_l = 0.0;
  double m_color_l_min = 0.0;
  Direction m_color_s_direction = Direction::Both;
  double m_color_s = 0.0;
  double m_color_s_min = 0.0;
  int m_color_seed = 0;

  double m_composite_opacity = 1.0;
  int m_composite_num = 1;
  ColorFloat<float> m_composite_color1{1.0f, 1.0f, 0.0f, 0.0f};
  ColorFloat<float> m_composite_color2{1.0f, 1.0f, 1.0f, 1.0f};
  ColorFloat<float> m_composite_color3{1.0f, 0.0f, 0.0f, 1.0f};
  ColorSpace m_composite_variance_space = ColorSpace::RGB;
  CompositeOverlap m_composite_overlap = CompositeOverlap::Clip;
  double m_composite_variance1 = 0.0, m_composite_variance2 = 0.0, m_composite_variance3 = 0.0;
  int m_composite_seed = 0;

  Schedule m_slice, m_rgb, m_color, m_composite;
  Schedule m_transition{1, 0, 0.0};  // the wipe starts undone

  TransitionType m_transition_type = TransitionType::Normal;
  int m_transition_type_seed = 0;
};

}  // namespace Brelo
