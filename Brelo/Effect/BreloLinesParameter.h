// Every setting of the Lines effect as one plain value record (Lines::Parameter). Units:
// lengths in pixels of the layer being rendered (centre in layer coordinates), layout
// angles in radians, hues in degrees, fractions 0..1, order phases in turns. Setters clamp,
// the only validation of the engine's input, and return the record so calls chain.
#pragma once

#include "Brelo/BreloColorSet.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloPattern.h"
#include "Brelo/BreloSchedule.h"

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
  enum class TransitionType { Normal = 1, Inverse, NormalOrInverse, Both, NormalOrInverseOrBoth, FadeOut, Random };

  // ---- layout of the strips (width maxima at least one pixel)
  BRELO_PATTERN_ACCESSORS(LinesParameter, 1.0)
  BRELO_FIELD(LinesParameter, double, completion, Completion, unit, 1.0)
  BRELO_FIELD(LinesParameter, double, align, Align, unit, 0.5)
  BRELO_FIELD(LinesParameter, BorderType, outside, Outside, keep, BorderType::Reflect)
  BRELO_FIELD(LinesParameter, bool, original, Original, keep, false)

  // ---- Slice channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, slice, Slice)
  BRELO_FIELD(LinesParameter, Direction, slice_direction, SliceDirection, keep, Direction::One)
  BRELO_FIELD(LinesParameter, double, slice_max, SliceMax, finite, 0.0)
  BRELO_FIELD(LinesParameter, double, slice_min, SliceMin, unit, 0.3)
  BRELO_FIELD(LinesParameter, double, slice_power, SlicePower, nonNegative, 1.0)
  BRELO_FIELD(LinesParameter, int, slice_seed, SliceSeed, keep, 0)

  // ---- RGB Separation channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, rgb, RGB)
  BRELO_FIELD(LinesParameter, double, rgb_max, RGBMax, finite, 0.0)
  BRELO_FIELD(LinesParameter, double, rgb_min, RGBMin, unit, 0.3)
  ColorFloat<float> rgb_color1() const { return m_rgb_color1; }
  ColorFloat<float> rgb_color2() const { return m_rgb_color2; }
  ColorFloat<float> rgb_color3() const { return m_rgb_color3; }
  BRELO_FIELD(LinesParameter, int, rgb_seed, RGBSeed, keep, 0)

  // The three colours are normalised together: afterwards the red, green and
  // blue weights of the three each add up to 1.
  LinesParameter& setRGBColor(ColorFloat<float> const& c1, ColorFloat<float> const& c2,
                              ColorFloat<float> const& c3);

  // ---- Color Correction channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, color, Color)
  BRELO_FIELD(LinesParameter, ColorType, color_type, ColorType, keep, ColorType::Tritone)
  BRELO_FIELD(LinesParameter, double, color_blend_with_original, ColorBlendWithOriginal, unit, 1.0)
  BRELO_FIELD(LinesParameter, ColorFloat<float>, color_color, ColorColor, keep,
              ColorFloat<float>(1.0f, 0.5f, 0.5f, 0.5f))
  BRELO_FIELD(LinesParameter, Direction, color_h_direction, ColorHDirection, keep, Direction::Both)
  BRELO_FIELD(LinesParameter, double, color_h, ColorH, finite, 0.0)
  BRELO_FIELD(LinesParameter, double, color_h_min, ColorHMin, finite, 0.0)
  BRELO_FIELD(LinesParameter, Direction, color_l_direction, ColorLDirection, keep, Direction::Both)
  BRELO_FIELD(LinesParameter, double, color_l, ColorL, finite, 0.0)
  BRELO_FIELD(LinesParameter, double, color_l_min, ColorLMin, finite, 0.0)
  BRELO_FIELD(LinesParameter, Direction, color_s_direction, ColorSDirection, keep, Direction::Both)
  BRELO_FIELD(LinesParameter, double, color_s, ColorS, finite, 0.0)
  BRELO_FIELD(LinesParameter, double, color_s_min, ColorSMin, finite, 0.0)
  BRELO_FIELD(LinesParameter, int, color_seed, ColorSeed, keep, 0)

  // ---- Color Composite channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, composite, Composite)
  BRELO_FIELD(LinesParameter, double, composite_opacity, CompositeOpacity, unit, 1.0)
  BRELO_COLOR_SET_ACCESSORS(LinesParameter, m_composite_colors, composite, Composite)

  // ---- Wipe channel
  BRELO_SCHEDULE_ACCESSORS(LinesParameter, transition, Transition)
  BRELO_FIELD(LinesParameter, TransitionType, transition_type, TransitionType, keep, TransitionType::Normal)
  BRELO_FIELD(LinesParameter, int, transition_type_seed, TransitionTypeSeed, keep, 0)

 private:
  Pattern m_pattern;
  ColorFloat<float> m_rgb_color1{1.0f, 1.0f, 0.0f, 0.0f};
  ColorFloat<float> m_rgb_color2{1.0f, 0.0f, 1.0f, 0.0f};
  ColorFloat<float> m_rgb_color3{1.0f, 0.0f, 0.0f, 1.0f};
  Schedule m_slice, m_rgb, m_color, m_composite;
  ColorSet m_composite_colors;
  Schedule m_transition{1, 0, 0.0};  // the wipe starts undone
};

}  // namespace Brelo
