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
#include "Brelo/BreloPattern.h"
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

  // ---- layout of the strips (width maxima at least one pixel)
  BRELO_PATTERN_ACCESSORS(LinesParameter, 1.0)
  BRELO_FIELD(LinesParameter, double, completion, Completion, unit)
  BRELO_FIELD(LinesParameter, double, align, Align, unit)
  BRELO_FIELD(LinesParameter, BorderType, outside, Outside, keep)
  BRELO_FIELD(LinesParameter, bool, original, Original, keep)

  // ---- Slice channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, slice, Slice)
  BRELO_FIELD(LinesParameter, Direction, slice_direction, SliceDirection, keep)
  BRELO_FIELD(LinesParameter, double, slice_max, SliceMax, finite)
  BRELO_FIELD(LinesParameter, double, slice_min, SliceMin, unit)
  BRELO_FIELD(LinesParameter, double, slice_power, SlicePower, nonNegative)
  BRELO_FIELD(LinesParameter, int, slice_seed, SliceSeed, keep)

  // ---- RGB Separation channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, rgb, RGB)
  BRELO_FIELD(LinesParameter, double, rgb_max, RGBMax, finite)
  BRELO_FIELD(LinesParameter, double, rgb_min, RGBMin, unit)
  ColorFloat<float> rgb_color1() const { return m_rgb_color1; }
  ColorFloat<float> rgb_color2() const { return m_rgb_color2; }
  ColorFloat<float> rgb_color3() const { return m_rgb_color3; }
  BRELO_FIELD(LinesParameter, int, rgb_seed, RGBSeed, keep)

  // The three colours are normalised together: afterwards the red, green and
  // blue weights of the three each add up to 1.
  LinesParameter& setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                              ColorFloat<float> const& c3);

  // ---- Color Correction channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, color, Color)
  BRELO_FIELD(LinesParameter, ColorType, color_type, ColorType, keep)
  BRELO_FIELD(LinesParameter, double, color_blend_with_original, ColorBlendWithOriginal, unit)
  BRELO_FIELD(LinesParameter, ColorFloat<float>, color_color, ColorColor, keep)
  BRELO_FIELD(LinesParameter, Direction, color_h_direction, ColorHDirection, keep)
  BRELO_FIELD(LinesParameter, double, color_h, ColorH, finite)
  BRELO_FIELD(LinesParameter, double, color_h_min, ColorHMin, finite)
  BRELO_FIELD(LinesParameter, Direction, color_l_direction, ColorLDirection, keep)
  BRELO_FIELD(LinesParameter, double, color_l, ColorL, finite)
  BRELO_FIELD(LinesParameter, double, color_l_min, ColorLMin, finite)
  BRELO_FIELD(LinesParameter, Direction, color_s_direction, ColorSDirection, keep)
  BRELO_FIELD(LinesParameter, double, color_s, ColorS, finite)
  BRELO_FIELD(LinesParameter, double, color_s_min, ColorSMin, finite)
  BRELO_FIELD(LinesParameter, int, color_seed, ColorSeed, keep)

  // ---- Color Composite channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, composite, Composite)
  BRELO_FIELD(LinesParameter, double, composite_opacity, CompositeOpacity, unit)
  BRELO_FIELD(LinesParameter, int, composite_num, CompositeNum, classCount)
  BRELO_FIELD(LinesParameter, ColorFloat<float>, composite_color1, CompositeColor1, keep)
  BRELO_FIELD(LinesParameter, ColorFloat<float>, composite_color2, CompositeColor2, keep)
  BRELO_FIELD(LinesParameter, ColorFloat<float>, composite_color3, CompositeColor3, keep)
  BRELO_FIELD(LinesParameter, ColorSpace, composite_variance_space, CompositeVarianceSpace, keep)
  BRELO_FIELD(LinesParameter, CompositeOverlap, composite_overlap, CompositeOverlap, keep)
  BRELO_FIELD(LinesParameter, double, composite_variance1, CompositeVariance1, unit)
  BRELO_FIELD(LinesParameter, double, composite_variance2, CompositeVariance2, unit)
  BRELO_FIELD(LinesParameter, double, composite_variance3, CompositeVariance3, unit)
  BRELO_FIELD(LinesParameter, int, composite_seed, CompositeSeed, keep)

  // ---- Wipe channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, transition, Transition)
  BRELO_FIELD(LinesParameter, TransitionType, transition_type, TransitionType, keep)
  BRELO_FIELD(LinesParameter, int, transition_type_seed, TransitionTypeSeed, keep)

 private:
  double m_completion = 1.0;
  Pattern m_pattern;
  double m_align = 0.5;
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
