// Every setting of the Lines effect as one plain value record (Lines::Parameter).
//
// Units: lengths in pixels of the layer being rendered (centre in layer
// coordinates), layout angles in radians, hues in degrees, fractions 0..1,
// order phases in turns. Setters clamp their argument and return the record
// so calls chain; they are the only validation of the engine's input.
#pragma once

#include "Brelo/BreloEasing.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloTransition.h"

namespace Brelo {

class LinesParameter {
 public:
  // Sign rule of a drawn amount; menu "One|Alternately|Both".
  enum class Direction : int { One = 1, Alternately = 2, Both = 3 };
  // Menu "Tritone|Tint|HLS".
  enum class ColorType : int { Tritone = 1, Tint = 2, HLS = 3 };
  // Menu "RGB|HLS|YUV".
  enum class ColorSpace : int { RGB = 1, HLS = 2, YUV = 3 };
  // Menu "Clip|Wrap Back".
  enum class CompositeOverlap : int { Clip = 1, WrapBack = 2 };
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

  LinesParameter();

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
  double slice_completion() const { return m_slice_completion; }
  double slice_delay() const { return m_slice_delay; }
  int slice_per() const { return m_slice_per; }
  int slice_offset() const { return m_slice_offset; }
  Direction slice_direction() const { return m_slice_direction; }
  double slice_max() const { return m_slice_max; }
  double slice_min() const { return m_slice_min; }
  double slice_power() const { return m_slice_power; }
  int slice_seed() const { return m_slice_seed; }
  OrderType slice_order() const { return m_slice_order; }
  double slice_order_phase() const { return m_slice_order_phase; }
  int slice_order_seed() const { return m_slice_order_seed; }
  EasingType slice_easing_type() const { return m_slice_easing_type; }
  EasingMode slice_easing_mode() const { return m_slice_easing_mode; }

  LinesParameter& setSliceCompletion(double v);
  LinesParameter& setSliceDelay(double v);
  LinesParameter& setSlicePer(int v);
  LinesParameter& setSliceOffset(int v);
  LinesParameter& setSliceDirection(Direction v);
  LinesParameter& setSliceMax(double v);
  LinesParameter& setSliceMin(double v);
  LinesParameter& setSlicePower(double v);
  LinesParameter& setSliceSeed(int v);
  LinesParameter& setSliceOrder(OrderType v);
  LinesParameter& setSliceOrderPhase(double v);
  LinesParameter& setSliceOrderSeed(int v);
  LinesParameter& setSliceEasingType(EasingType v);
  LinesParameter& setSliceEasingMode(EasingMode v);

  // ---- RGB Separation channel
  double rgb_completion() const { return m_rgb_completion; }
  double rgb_delay() const { return m_rgb_delay; }
  int rgb_per() const { return m_rgb_per; }
  int rgb_offset() const { return m_rgb_offset; }
  double rgb_max() const { return m_rgb_max; }
  double rgb_min() const { return m_rgb_min; }
  ColorFloat<float> rgb_color1() const { return m_rgb_color1; }
  ColorFloat<float> rgb_color2() const { return m_rgb_color2; }
  ColorFloat<float> rgb_color3() const { return m_rgb_color3; }
  int rgb_seed() const { return m_rgb_seed; }
  OrderType rgb_order() const { return m_rgb_order; }
  double rgb_order_phase() const { return m_rgb_order_phase; }
  int rgb_order_seed() const { return m_rgb_order_seed; }
  EasingType rgb_easing_type() const { return m_rgb_easing_type; }
  EasingMode rgb_easing_mode() const { return m_rgb_easing_mode; }

  LinesParameter& setRGBCompletion(double v);
  LinesParameter& setRGBDelay(double v);
  LinesParameter& setRGBPer(int v);
  LinesParameter& setRGBOffset(int v);
  LinesParameter& setRGBMax(double v);
  LinesParameter& setRGBMin(double v);
  // The three colours are normalised together: afterwards the red, green and
  // blue weights of the three each add up to 1.
  LinesParameter& setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                              ColorFloat<float> const& c3);
  LinesParameter& setRGBSeed(int v);
  LinesParameter& setRGBOrder(OrderType v);
  LinesParameter& setRGBOrderPhase(double v);
  LinesParameter& setRGBOrderSeed(int v);
  LinesParameter& setRGBEasingType(EasingType v);
  LinesParameter& setRGBEasingMode(EasingMode v);

  // ---- Color Correction channel
  double color_completion() const { return m_color_completion; }
  double color_delay() const { return m_color_delay; }
  int color_per() const { return m_color_per; }
  int color_offset() const { return m_color_offset; }
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
  OrderType color_order() const { return m_color_order; }
  double color_order_phase() const { return m_color_order_phase; }
  int color_order_seed() const { return m_color_order_seed; }
  EasingType color_easing_type() const { return m_color_easing_type; }
  EasingMode color_easing_mode() const { return m_color_easing_mode; }

  LinesParameter& setColorCompletion(double v);
  LinesParameter& setColorDelay(double v);
  LinesParameter& setColorPer(int v);
  LinesParameter& setColorOffset(int v);
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
  LinesParameter& setColorOrder(OrderType v);
  LinesParameter& setColorOrderPhase(double v);
  LinesParameter& setColorOrderSeed(int v);
  LinesParameter& setColorEasingType(EasingType v);
  LinesParameter& setColorEasingMode(EasingMode v);

  // ---- Color Composite channel
  double composite_completion() const { return m_composite_completion; }
  double composite_delay() const { return m_composite_delay; }
  int composite_per() const { return m_composite_per; }
  int composite_offset() const { return m_composite_offset; }
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
  OrderType composite_order() const { return m_composite_order; }
  double composite_order_phase() const { return m_composite_order_phase; }
  int composite_order_seed() const { return m_composite_order_seed; }
  EasingType composite_easing_type() const { return m_composite_easing_type; }
  EasingMode composite_easing_mode() const { return m_composite_easing_mode; }

  LinesParameter& setCompositeCompletion(double v);
  LinesParameter& setCompositeDelay(double v);
  LinesParameter& setCompositePer(int v);
  LinesParameter& setCompositeOffset(int v);
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
  LinesParameter& setCompositeOrder(OrderType v);
  LinesParameter& setCompositeOrderPhase(double v);
  LinesParameter& setCompositeOrderSeed(int v);
  LinesParameter& setCompositeEasingType(EasingType v);
  LinesParameter& setCompositeEasingMode(EasingMode v);

  // ---- Wipe channel
  double transition_completion() const { return m_transition_completion; }
  double transition_delay() const { return m_transition_delay; }
  int transition_per() const { return m_transition_per; }
  int transition_offset() const { return m_transition_offset; }
  TransitionType transition_type() const { return m_transition_type; }
  int transition_type_seed() const { return m_transition_type_seed; }
  OrderType transition_order() const { return m_transition_order; }
  double transition_order_phase() const { return m_transition_order_phase; }
  int transition_order_seed() const { return m_transition_order_seed; }
  EasingType transition_easing_type() const { return m_transition_easing_type; }
  EasingMode transition_easing_mode() const { return m_transition_easing_mode; }

  LinesParameter& setTransitionCompletion(double v);
  LinesParameter& setTransitionDelay(double v);
  LinesParameter& setTransitionPer(int v);
  LinesParameter& setTransitionOffset(int v);
  LinesParameter& setTransitionType(TransitionType v);
  LinesParameter& setTransitionTypeSeed(int v);
  LinesParameter& setTransitionOrder(OrderType v);
  LinesParameter& setTransitionOrderPhase(double v);
  LinesParameter& setTransitionOrderSeed(int v);
  LinesParameter& setTransitionEasingType(EasingType v);
  LinesParameter& setTransitionEasingMode(EasingMode v);

 private:
  double m_completion;
  Vector<double> m_center;
  double m_align;
  double m_direction;
  double m_total_width;
  int m_width_num;
  double m_width_max1, m_width_max2, m_width_max3;
  double m_width_min;
  double m_width_power;
  int m_gap_num;
  double m_gap_max1, m_gap_max2, m_gap_max3;
  double m_gap_min;
  double m_gap_power;
  int m_width_seed;
  BorderType m_outside;
  bool m_original;

  double m_slice_completion;
  double m_slice_delay;
  int m_slice_per;
  int m_slice_offset;
  Direction m_slice_direction;
  double m_slice_max;
  double m_slice_min;
  double m_slice_power;
  int m_slice_seed;
  OrderType m_slice_order;
  double m_slice_order_phase;
  int m_slice_order_seed;
  EasingType m_slice_easing_type;
  EasingMode m_slice_easing_mode;

  double m_rgb_completion;
  double m_rgb_delay;
  int m_rgb_per;
  int m_rgb_offset;
  double m_rgb_max;
  double m_rgb_min;
  ColorFloat<float> m_rgb_color1, m_rgb_color2, m_rgb_color3;
  int m_rgb_seed;
  OrderType m_rgb_order;
  double m_rgb_order_phase;
  int m_rgb_order_seed;
  EasingType m_rgb_easing_type;
  EasingMode m_rgb_easing_mode;

  double m_color_completion;
  double m_color_delay;
  int m_color_per;
  int m_color_offset;
  ColorType m_color_type;
  double m_color_blend_with_original;
  ColorFloat<float> m_color_color;
  Direction m_color_h_direction;
  double m_color_h;
  double m_color_h_min;
  Direction m_color_l_direction;
  double m_color_l;
  double m_color_l_min;
  Direction m_color_s_direction;
  double m_color_s;
  double m_color_s_min;
  int m_color_seed;
  OrderType m_color_order;
  double m_color_order_phase;
  int m_color_order_seed;
  EasingType m_color_easing_type;
  EasingMode m_color_easing_mode;

  double m_composite_completion;
  double m_composite_delay;
  int m_composite_per;
  int m_composite_offset;
  double m_composite_opacity;
  int m_composite_num;
  ColorFloat<float> m_composite_color1, m_composite_color2, m_composite_color3;
  ColorSpace m_composite_variance_space;
  CompositeOverlap m_composite_overlap;
  double m_composite_variance1, m_composite_variance2, m_composite_variance3;
  int m_composite_seed;
  OrderType m_composite_order;
  double m_composite_order_phase;
  int m_composite_order_seed;
  EasingType m_composite_easing_type;
  EasingMode m_composite_easing_mode;

  double m_transition_completion;
  double m_transition_delay;
  int m_transition_per;
  int m_transition_offset;
  TransitionType m_transition_type;
  int m_transition_type_seed;
  OrderType m_transition_order;
  double m_transition_order_phase;
  int m_transition_order_seed;
  EasingType m_transition_easing_type;
  EasingMode m_transition_easing_mode;
};

}  // namespace Brelo
