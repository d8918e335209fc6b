// The converted control values of one Lines frame, kept by the host between
// smart pre-render and smart render as the frame's pre-render data. Each field
// is named after the Lines::Parameter getter it ends in and is already in the
// engine's units (popups of the schedules mapped, the others' entries as the
// host gives them); smart render only reads it.
#pragma once

#include <type_traits>

#include "Brelo/BreloSchedule.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/Vector.h"
#include "Brelo/Effect/BreloLinesParameter.h"
#include "Util/ScheduleControls.h"

namespace Brelo {

struct LinesPreRenderRecord {
  double completion;
  Vector<double> center;  // layer pixels, as the host gives the point
  double align;
  double direction;
  double total_width;
  int width_num;
  double width_max1;
  double width_max2;
  double width_max3;
  double width_min;
  double width_power;
  int gap_num;
  double gap_max1;
  double gap_max2;
  double gap_max3;
  double gap_min;
  double gap_power;
  int width_seed;
  int outside;
  int original;

  Schedule slice;
  int slice_direction;
  double slice_max;
  double slice_min;
  double slice_power;
  int slice_seed;

  Schedule rgb;
  double rgb_max;
  double rgb_min;
  ColorFloat<float> rgb_color1;  // "RGB Color 1"
  ColorFloat<float> rgb_color2;  // "RGB Color 3": the engine's second colour
  ColorFloat<float> rgb_color3;  // "RGB Color 2"
  int rgb_seed;

  Schedule color;
  int color_type;
  double color_blend_with_original;
  ColorFloat<float> color_color;
  int color_h_direction;
  double color_h;
  double color_h_min;
  int color_l_direction;
  double color_l;
  double color_l_min;
  int color_s_direction;
  double color_s;
  double color_s_min;
  int color_seed;

  Schedule composite;
  double composite_opacity;
  int blend_mode;  // popup entry; used by the final blend, not by the engine
  int composite_num;
  ColorFloat<float> composite_color1;
  ColorFloat<float> composite_color2;
  ColorFloat<float> composite_color3;
  int composite_variance_space;
  int composite_overlap;
  double composite_variance1;
  double composite_variance2;
  double composite_variance3;
  int composite_seed;

  Schedule transition;
  int transition_type;
  int transition_type_seed;
};

// The five animated channels in the order of the check-out: each one's
// controls, its field of the record and the engine's setter for it.
struct LinesScheduleChannel {
  ScheduleControls controls;
  Schedule LinesPreRenderRecord::*record;
  LinesParameter& (LinesParameter::*engine)(Schedule const&);
};
extern const LinesScheduleChannel kLinesScheduleChannels[5];

// The host moves pre-render data as plain bytes.
static_assert(std::is_trivially_copyable<LinesPreRenderRecord>::value, "the record must be plain bytes");
static_assert(std::is_trivially_destructible<LinesPreRenderRecord>::value, "the record is disposed as bytes");
static_assert(std::is_standard_layout<LinesPreRenderRecord>::value, "the record's layout is its field order");

}  // namespace Brelo
