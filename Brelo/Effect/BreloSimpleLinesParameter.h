// Every setting of the SimpleLines effect as one plain value record
// (SimpleLines::Parameter).
//
// Units: lengths in pixels of the layer being rendered (downsampling and
// "Scale" already applied; centre in layer coordinates), the direction in
// radians, fractions 0..1, the order phase in turns. Setters limit their
// argument and return the record so calls chain; enumerations and seeds are
// stored unchanged and the engine copes with any value.
#pragma once

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloColorVariance.h"
#include "Brelo/BreloEasing.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/BreloSchedule.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/ParameterClamp.h"

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
  enum class TransitionType : int { X = 1, Y = 2, Alternately1 = 3, Alternately2 = 4, XOrY = 5, FadeOut = 6, Random = 7 };
  // Menu "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random".
  enum class TransitionMode : int {
    Normal = 1,
    Inverse = 2,
    Alternately1 = 3,
    Alternately2 = 4,
    NormalOrInverse = 5,
    Both = 6,
    Random = 7
  };

  Vector<double> center() const { return m_center; }
  double width_align() const { return m_width_align; }
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
  int height_num() const { return m_height_num; }
  double height_max1() const { return m_height_max1; }
  double height_max2() const { return m_height_max2; }
  double height_max3() const { return m_height_max3; }
  double height_min() const { return m_height_min; }
  double height_power() const { return m_height_power; }
  int height_seed() const { return m_height_seed; }
  AlignType align_type() const { return m_align_type; }
  AlignDirection align_direction() const { return m_align_direction; }
  AlignMode align_mode() const { return m_align_mode; }
  double align_max() const { return m_align_max; }
  double align_min() const { return m_align_min; }
  double align_power() const { return m_align_power; }
  int align_seed() const { return m_align_seed; }
  int color_num() const { return m_color_num; }
  ColorFloat<float> color_color1() const { return m_color_color1; }
  ColorFloat<float> color_color2() const { return m_color_color2; }
  ColorFloat<float> color_color3() const { return m_color_color3; }
  ColorSpace color_variance_space() const { return m_color_variance_space; }
  ColorOverlap color_overlap() const { return m_color_overlap; }
  double color_variance1() const { return m_color_variance1; }
  double color_variance2() const { return m_color_variance2; }
  double color_variance3() const { return m_color_variance3; }
  int color_seed() const { return m_color_seed; }
  TransitionType transition_type() const { return m_transition_type; }
  int transition_type_seed() const { return m_transition_type_seed; }
  TransitionMode transition_mode() const { return m_transition_mode; }
  int transition_mode_seed() const { return m_transition_mode_seed; }
  BRELO_SCHEDULE_ACCESSORS(SimpleLinesParameter, transition, Transition)
  double opacity() const { return m_opacity; }
  ::Brelo::BlendMode blend_mode() const { return m_blend_mode; }

  SimpleLinesParameter& setCenter(Vector<double> const& v) { m_center = v; return *this; }
  SimpleLinesParameter& setWidthAlign(double v) { m_width_align = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setDirection(double v) { m_direction = ParameterClamp::wrapAngle(v); return *this; }
  SimpleLinesParameter& setTotalWidth(double v) {
    m_total_width = ParameterClamp::between(v, 0.0, kMaxTotalWidth);
    return *this;
  }
  SimpleLinesParameter& setWidthNum(int v) { m_width_num = ParameterClamp::classCount(v); return *this; }
  SimpleLinesParameter& setWidthMax1(double v) { m_width_max1 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setWidthMax2(double v) { m_width_max2 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setWidthMax3(double v) { m_width_max3 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setWidthMin(double v) { m_width_min = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setWidthPower(double v) { m_width_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setGapNum(int v) { m_gap_num = ParameterClamp::classCount(v); return *this; }
  SimpleLinesParameter& setGapMax1(double v) { m_gap_max1 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setGapMax2(double v) { m_gap_max2 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setGapMax3(double v) { m_gap_max3 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setGapMin(double v) { m_gap_min = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setGapPower(double v) { m_gap_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setWidthSeed(int v) { m_width_seed = v; return *this; }
  SimpleLinesParameter& setHeightNum(int v) { m_height_num = ParameterClamp::classCount(v); return *this; }
  SimpleLinesParameter& setHeightMax1(double v) { m_height_max1 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setHeightMax2(double v) { m_height_max2 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setHeightMax3(double v) { m_height_max3 = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setHeightMin(double v) { m_height_min = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setHeightPower(double v) { m_height_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setHeightSeed(int v) { m_height_seed = v; return *this; }
  SimpleLinesParameter& setAlignType(AlignType v) { m_align_type = v; return *this; }
  SimpleLinesParameter& setAlignDirection(AlignDirection v) { m_align_direction = v; return *this; }
  SimpleLinesParameter& setAlignMode(AlignMode v) { m_align_mode = v; return *this; }
  SimpleLinesParameter& setAlignMax(double v) { m_align_max = ParameterClamp::finite(v); return *this; }
  SimpleLinesParameter& setAlignMin(double v) { m_align_min = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setAlignPower(double v) { m_align_power = ParameterClamp::atLeast(v, 0.0); return *this; }
  SimpleLinesParameter& setAlignSeed(int v) { m_align_seed = v; return *this; }
  SimpleLinesParameter& setColorNum(int v) { m_color_num = ParameterClamp::classCount(v); return *this; }
  SimpleLinesParameter& setColorColor1(ColorFloat<float> const& v) { m_color_color1 = v; return *this; }
  SimpleLinesParameter& setColorColor2(ColorFloat<float> const& v) { m_color_color2 = v; return *this; }
  SimpleLinesParameter& setColorColor3(ColorFloat<float> const& v) { m_color_color3 = v; return *this; }
  SimpleLinesParameter& setColorVarianceSpace(ColorSpace v) { m_color_variance_space = v; return *this; }
  SimpleLinesParameter& setColorOverlap(ColorOverlap v) { m_color_overlap = v; return *this; }
  SimpleLinesParameter& setColorVariance1(double v) { m_color_variance1 = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setColorVariance2(double v) { m_color_variance2 = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setColorVariance3(double v) { m_color_variance3 = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setColorSeed(int v) { m_color_seed = v; return *this; }
  SimpleLinesParameter& setTransitionType(TransitionType v) { m_transition_type = v; return *this; }
  SimpleLinesParameter& setTransitionTypeSeed(int v) { m_transition_type_seed = v; return *this; }
  SimpleLinesParameter& setTransitionMode(TransitionMode v) { m_transition_mode = v; return *this; }
  SimpleLinesParameter& setTransitionModeSeed(int v) { m_transition_mode_seed = v; return *this; }
  SimpleLinesParameter& setOpacity(double v) { m_opacity = ParameterClamp::unit(v); return *this; }
  SimpleLinesParameter& setBlendMode(::Brelo::BlendMode const& v) { m_blend_mode = v; return *this; }

 private:
  Vector<double> m_center{0.0, 0.0};
  double m_width_align = 0.5;
  double m_direction = 0.0;
  double m_total_width = 1000.0;
  int m_width_num = 1;
  double m_width_max1 = 100.0;
  double m_width_max2 = 20.0;
  double m_width_max3 = 50.0;
  double m_width_min = 1.0;
  double m_width_power = 1.0;
  int m_gap_num = 1;
  double m_gap_max1 = 0.0;
  double m_gap_max2 = 0.0;
  double m_gap_max3 = 0.0;
  double m_gap_min = 0.0;
  double m_gap_power = 1.0;
  int m_width_seed = 0;
  int m_height_num = 1;
  double m_height_max1 = 100.0;
  double m_height_max2 = 100.0;
  double m_height_max3 = 100.0;
  double m_height_min = 0.3;
  double m_height_power = 1.0;
  int m_height_seed = 0;
  AlignType m_align_type = AlignType::Middle;
  AlignDirection m_align_direction = AlignDirection::One;
  AlignMode m_align_mode = AlignMode::Normal;
  double m_align_max = 0.0;
  double m_align_min = 0.3;
  double m_align_power = 1.0;
  int m_align_seed = 0;
  int m_color_num = 1;
  ColorFloat<float> m_color_color1{1.0f, 1.0f, 0.0f, 0.0f};
  ColorFloat<float> m_color_color2{1.0f, 1.0f, 1.0f, 1.0f};
  ColorFloat<float> m_color_color3{1.0f, 0.0f, 0.0f, 1.0f};
  ColorSpace m_color_variance_space = ColorSpace::RGB;
  ColorOverlap m_color_overlap = ColorOverlap::Clip;
  double m_color_variance1 = 0.0;
  double m_color_variance2 = 0.0;
  double m_color_variance3 = 0.0;
  int m_color_seed = 0;
  Schedule m_transition{1, 0, 0.0};  // every bar; the wipe starts undone
  TransitionType m_transition_type = TransitionType::X;
  int m_transition_type_seed = 0;
  TransitionMode m_transition_mode = TransitionMode::Normal;
  int m_transition_mode_seed = 0;
  double m_opacity = 1.0;
  ::Brelo::BlendMode m_blend_mode = ::Brelo::BlendMode::Normal;
};

}  // namespace Brelo
