// Every setting of the SimpleLines effect as one plain value record (SimpleLines::Parameter).
// Units: lengths in pixels of the layer being rendered (downsampling and "Scale" applied;
// centre in layer coordinates), the direction in radians, fractions 0..1, the order phase
// in turns. Setters clamp (see ParameterClamp) and return the record so calls chain.
#pragma once

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloColorSet.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloPattern.h"
#include "Brelo/BreloSchedule.h"

namespace Brelo {

class SimpleLinesParameter {
 public:
  // Which end of a bar sits on its offset line; menu "Top|Middle|Bottom".
  enum class AlignType : int { Top = 1, Middle = 2, Bottom = 3 };
  // Sign rule of the offset; menu "One|Alternately|Both".
  enum class AlignDirection : int { One = 1, Alternately = 2, Both = 3 };
  // Offsets independent or accumulated; menu "Normal|Accumulate".
  enum class AlignMode : int { Normal = 1, Accumulate = 2 };
  using ColorSpace = ::Brelo::ColorSpace;
  using ColorOverlap = ::Brelo::ColorOverlap;
  // Menu "X|Y|Alternately 1|Alternately 2|X or Y|Fade Out|Random".
  enum class TransitionType { X = 1, Y, Alternately1, Alternately2, XOrY, FadeOut, Random };
  // Menu "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random".
  enum class TransitionMode { Normal = 1, Inverse, Alternately1, Alternately2, NormalOrInverse, Both, Random };

  BRELO_PATTERN_ACCESSORS(SimpleLinesParameter, 0.0)
  BRELO_FIELD(SimpleLinesParameter, double, width_align, WidthAlign, unit, 0.5)
  BRELO_FIELD(SimpleLinesParameter, int, height_num, HeightNum, classCount, 1)
  BRELO_FIELD(SimpleLinesParameter, double, height_max1, HeightMax1, nonNegative, 100.0)
  BRELO_FIELD(SimpleLinesParameter, double, height_max2, HeightMax2, nonNegative, 100.0)
  BRELO_FIELD(SimpleLinesParameter, double, height_max3, HeightMax3, nonNegative, 100.0)
  BRELO_FIELD(SimpleLinesParameter, double, height_min, HeightMin, unit, 0.3)
  BRELO_FIELD(SimpleLinesParameter, double, height_power, HeightPower, nonNegative, 1.0)
  BRELO_FIELD(SimpleLinesParameter, int, height_seed, HeightSeed, keep, 0)
  BRELO_FIELD(SimpleLinesParameter, AlignType, align_type, AlignType, keep, AlignType::Middle)
  BRELO_FIELD(SimpleLinesParameter, AlignDirection, align_direction, AlignDirection, keep, AlignDirection::One)
  BRELO_FIELD(SimpleLinesParameter, AlignMode, align_mode, AlignMode, keep, AlignMode::Normal)
  BRELO_FIELD(SimpleLinesParameter, double, align_max, AlignMax, finite, 0.0)
  BRELO_FIELD(SimpleLinesParameter, double, align_min, AlignMin, unit, 0.3)
  BRELO_FIELD(SimpleLinesParameter, double, align_power, AlignPower, nonNegative, 1.0)
  BRELO_FIELD(SimpleLinesParameter, int, align_seed, AlignSeed, keep, 0)
  BRELO_COLOR_SET_ACCESSORS(SimpleLinesParameter, m_colors, color, Color)
  BRELO_FIELD(SimpleLinesParameter, TransitionType, transition_type, TransitionType, keep, TransitionType::X)
  BRELO_FIELD(SimpleLinesParameter, int, transition_type_seed, TransitionTypeSeed, keep, 0)
  BRELO_FIELD(SimpleLinesParameter, TransitionMode, transition_mode, TransitionMode, keep, TransitionMode::Normal)
  BRELO_FIELD(SimpleLinesParameter, int, transition_mode_seed, TransitionModeSeed, keep, 0)
  BRELO_SCHEDULE_ACCESSORS(SimpleLinesParameter, transition, Transition)
  BRELO_FIELD(SimpleLinesParameter, double, opacity, Opacity, unit, 1.0)
  BRELO_FIELD(SimpleLinesParameter, ::Brelo::BlendMode, blend_mode, BlendMode, keep, ::Brelo::BlendMode::Normal)

 private:
  Pattern m_pattern = [] {
    Pattern p;
    p.width_max2 = 20.0;
    p.width_max3 = 50.0;
    return p;
  }();
  ColorSet m_colors;
  Schedule m_transition{1, 0, 0.0};  // every bar; the wipe starts undone
};

}  // namespace Brelo
