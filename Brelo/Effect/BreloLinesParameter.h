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
#include "Brelo/BreloSchedule.h"
#include "Brelo/BreloTransition.h"

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

  LinesParameter& setCompletion(double v);
  LinesParameter& setCenter(Vector<double> const& v);
  LinesParameter& setAlign(double v);
  LinesParameter& setDirection(double v);
  LinesParameter& setTotalWidth(double v);
  LinesParameter& setWidthNum(int v);
  LinesParameter& setWidthMax1(double v);
  LinesParameter& setWidthMax2(double v);
  LinesParameter& setWidthMax3(double v);
  LinesParameter& setWidthMin(double v);
  LinesParameter& setWidthPower(double v);
  LinesParameter& setGapNum(int v);
  LinesParameter& setGapMax1(double v);
  LinesParameter& setGapMax2(double v);
  LinesParameter& setGapMax3(double v);
  LinesParameter& setGapMin(double v);
  LinesParameter& setGapPower(double v);
  LinesParameter& setWidthSeed(int v);
  LinesParameter& setOutside(BorderType v);
  LinesParameter& setOriginal(bool v);

  // ---- Slice channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, slice, Slice)
  Direction slice_direction() const { return m_slice_direction; }
  double slice_max() const { return m_slice_max; }
  double slice_min() const { return m_slice_min; }
  double slice_power() const { return m_slice_power; }
  int slice_seed() const { return m_slice_seed; }

  LinesParameter& setSliceDirection(Direction v);
  LinesParameter& setSliceMax(double v);
  LinesParameter& setSliceMin(double v);
  LinesParameter& setSlicePower(double v);
  LinesParameter& setSliceSeed(int v);

  // ---- RGB Separation channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, rgb, RGB)
  double rgb_max() const { return m_rgb_max; }
  double rgb_min() const { return m_rgb_min; }
  ColorFloat<float> rgb_color1() const { return m_rgb_color1; }
  ColorFloat<float> rgb_color2() const { return m_rgb_color2; }
  ColorFloat<float> rgb_color3() const { return m_rgb_color3; }
  int rgb_seed() const { return m_rgb_seed; }

  LinesParameter& setRGBMax(double v);
  LinesParameter& setRGBMin(double v);
  // The three colours are normalised together: afterwards the red, green and
  // blue weights of the three each add up to 1.
  LinesParameter& setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                              ColorFloat<float> const& c3);
  LinesParameter& setRGBSeed(int v);

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

  LinesParameter& setColorType(ColorType v);
  LinesParameter& setColorBlendWithOriginal(double v);
  LinesParameter& setColorColor(ColorFloat<float> const& v);
  LinesParameter& setColorHDirection(Direction v);
  LinesParameter& setColorH(double v);
  LinesParameter& setColorHMin(double v);
  LinesParameter& setColorLDirection(Direction v);
  LinesParameter& setColorL(double v);
  LinesParameter& setColorLMin(double v);
  LinesParameter& setColorSDirection(Direction v);
  LinesParameter& setColorS(double v);
  LinesParameter& setColorSMin(double v);
  LinesParameter& setColorSeed(int v);

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

  LinesParameter& setCompositeOpacity(double v);
  LinesParameter& setCompositeNum(int v);
  LinesParameter& setCompositeColor1(ColorFloat<float> const& v);
  LinesParameter& setCompositeColor2(ColorFloat<float> const& v);
  LinesParameter& setCompositeColor3(ColorFloat<float> const& v);
  LinesParameter& setCompositeVarianceSpace(ColorSpace v);
  LinesParameter& setCompositeOverlap(CompositeOverlap v);
  LinesParameter& setCompositeVariance1(double v);
  LinesParameter& setCompositeVariance2(double v);
  LinesParameter& setCompositeVariance3(double v);
  LinesParameter& setCompositeSeed(int v);

  // ---- Wipe channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, transition, Transition)
  TransitionType transition_type() const { return m_transition_type; }
  int transition_type_seed() const { return m_transition_type_seed; }

  LinesParameter& setTransitionType(TransitionType v);
  LinesParameter& setTransitionTypeSeed(int v);

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
