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
#include "Brelo/BreloSchedule.h"
#include "Brelo/BreloTransition.h"

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

  SimpleLinesParameter& setCenter(Vector<double> const& v);
  SimpleLinesParameter& setWidthAlign(double v);
  SimpleLinesParameter& setDirection(double v);
  SimpleLinesParameter& setTotalWidth(double v);
  SimpleLinesParameter& setWidthNum(int v);
  SimpleLinesParameter& setWidthMax1(double v);
  SimpleLinesParameter& setWidthMax2(double v);
  SimpleLinesParameter& setWidthMax3(double v);
  SimpleLinesParameter& setWidthMin(double v);
  SimpleLinesParameter& setWidthPower(double v);
  SimpleLinesParameter& setGapNum(int v);
  SimpleLinesParameter& setGapMax1(double v);
  SimpleLinesParameter& setGapMax2(double v);
  SimpleLinesParameter& setGapMax3(double v);
  SimpleLinesParameter& setGapMin(double v);
  SimpleLinesParameter& setGapPower(double v);
  SimpleLinesParameter& setWidthSeed(int v);
  SimpleLinesParameter& setHeightNum(int v);
  SimpleLinesParameter& setHeightMax1(double v);
  SimpleLinesParameter& setHeightMax2(double v);
  SimpleLinesParameter& setHeightMax3(double v);
  SimpleLinesParameter& setHeightMin(double v);
  SimpleLinesParameter& setHeightPower(double v);
  SimpleLinesParameter& setHeightSeed(int v);
  SimpleLinesParameter& setAlignType(AlignType v);
  SimpleLinesParameter& setAlignDirection(AlignDirection v);
  SimpleLinesParameter& setAlignMode(AlignMode v);
  SimpleLinesParameter& setAlignMax(double v);
  SimpleLinesParameter& setAlignMin(double v);
  SimpleLinesParameter& setAlignPower(double v);
  SimpleLinesParameter& setAlignSeed(int v);
  SimpleLinesParameter& setColorNum(int v);
  SimpleLinesParameter& setColorColor1(ColorFloat<float> const& v);
  SimpleLinesParameter& setColorColor2(ColorFloat<float> const& v);
  SimpleLinesParameter& setColorColor3(ColorFloat<float> const& v);
  SimpleLinesParameter& setColorVarianceSpace(ColorSpace v);
  SimpleLinesParameter& setColorOverlap(ColorOverlap v);
  SimpleLinesParameter& setColorVariance1(double v);
  SimpleLinesParameter& setColorVariance2(double v);
  SimpleLinesParameter& setColorVariance3(double v);
  SimpleLinesParameter& setColorSeed(int v);
  SimpleLinesParameter& setTransitionType(TransitionType v);
  SimpleLinesParameter& setTransitionTypeSeed(int v);
  SimpleLinesParameter& setTransitionMode(TransitionMode v);
  SimpleLinesParameter& setTransitionModeSeed(int v);
  SimpleLinesParameter& setOpacity(double v);
  SimpleLinesParameter& setBlendMode(::Brelo::BlendMode const& v);

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
