// The pre-render record of the SimpleLines effect: every control the engine
// needs, read at the frame's time and converted into engine units (lengths
// in pixels of the rendered frame with downsampling and "Scale" applied,
// percentages as fractions, the direction in radians, the order phase in
// turns). Popup entries are kept as the host gives them and render maps
// them, but for the wipe's schedule, whose popups are mapped here.
#pragma once

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloSchedule.h"
#include "Brelo/Effect/BreloSimpleLinesParameter.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct SimpleLinesRecord {
  Vector<double> center;  // layer coordinates, as the host gives the point
  double width_align;
  double direction;
  double total_width;
  int width_num;
  double width_max1, width_max2, width_max3;
  double width_min;
  double width_power;
  int gap_num;
  double gap_max1, gap_max2, gap_max3;
  double gap_min;
  double gap_power;
  int width_seed;
  int height_num;
  double height_max1, height_max2, height_max3;
  double height_min;
  double height_power;
  int height_seed;
  int align_type;
  int align_direction;
  int align_mode;
  double align_max;
  double align_min;
  double align_power;
  int align_seed;
  int color_num;
  ColorFloat<float> color_color1, color_color2, color_color3;
  int color_variance_space;
  int color_overlap;
  double color_variance1, color_variance2, color_variance3;
  int color_seed;
  Schedule transition;
  int transition_type;
  int transition_type_seed;
  int transition_mode;
  int transition_mode_seed;
  double opacity;
  int blend_mode;
};

// Checks out every control the record needs at the current time (values[i]
// is control i), each checked in again before the next one. Returns the first
// host error.
PF_Err readSimpleLinesControls(PF_InData* in_data, PF_ParamDef (&values)[SimpleLinesParams::kCount]);

// The record from the controls as read (values[i] is control i) at the
// horizontal downsample factor `dsx`.
SimpleLinesRecord makeSimpleLinesRecord(PF_ParamDef const* values, double dsx);

// The engine's parameters from the record; `input_origin` is where the
// input buffer's pixel (0, 0) lies in layer coordinates.
SimpleLinesParameter makeSimpleLinesParameter(SimpleLinesRecord const& record, Vector<double> const& input_origin);

// Popup entry to enumeration, as the host's entries map onto the engine's.
SimpleLinesParameter::AlignType simpleLinesAlignType(int entry);
SimpleLinesParameter::AlignDirection simpleLinesAlignDirection(int entry);
SimpleLinesParameter::AlignMode simpleLinesAlignMode(int entry);
SimpleLinesParameter::TransitionType simpleLinesTransitionType(int entry);
SimpleLinesParameter::TransitionMode simpleLinesTransitionMode(int entry);
OrderType simpleLinesOrderType(int entry);
// "Blending Mode": separators give the mode after them; "None" and anything
// out of range give Normal.
BlendMode simpleLinesBlendMode(int entry);
// Whether the bars go over the layer (from "Normal" on) or over transparency.
bool simpleLinesOverLayer(int entry);

}  // namespace Brelo
