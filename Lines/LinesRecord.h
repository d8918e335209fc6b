// The road from the Lines controls to the engine: the controls' values at the
// frame's time, the pre-render record the host keeps between smart pre-render
// and smart render (already in the engine's units), and the engine's
// parameter record made from it.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>

#include "Brelo/BreloSchedule.h"
#include "Brelo/Border.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/Vector.h"
#include "Brelo/Effect/BreloLinesParameter.h"
#include "Lines/LinesParams.h"
#include "Util/BreloHostAPI.h"
#include "Util/ScheduleControls.h"

namespace Brelo {

// ---- the controls' values
// Copied out of the host's parameter records so that every control can be
// checked in again at once.
// The controls the render reads, in the order they are checked out: the
// layout, then each channel with its schedule first.
extern const std::array<PF_ParamIndex, 103> kLinesCheckoutOrder;

class LinesControlValues {
 public:
  LinesControlValues();

  PF_ParamDef& operator[](PF_ParamIndex index) { return m_values[static_cast<std::size_t>(index)]; }
  PF_ParamDef const& operator[](PF_ParamIndex index) const { return m_values[static_cast<std::size_t>(index)]; }

  // Indexed by control, the layer's entry included.
  PF_ParamDef* data() { return m_values.data(); }
  PF_ParamDef const* data() const { return m_values.data(); }

  PF_Fixed fixed(PF_ParamIndex i) const { return (*this)[i].u.fd.value; }
  double floatValue(PF_ParamIndex i) const { return (*this)[i].u.fs_d.value; }
  PF_Fixed angle(PF_ParamIndex i) const { return (*this)[i].u.ad.value; }
  A_long slider(PF_ParamIndex i) const { return (*this)[i].u.sd.value; }
  A_long popup(PF_ParamIndex i) const { return (*this)[i].u.pd.value; }
  A_long checkbox(PF_ParamIndex i) const { return (*this)[i].u.bd.value; }
  PF_Pixel const& color(PF_ParamIndex i) const { return (*this)[i].u.cd.value; }
  PF_Fixed pointX(PF_ParamIndex i) const { return (*this)[i].u.td.x_value; }
  PF_Fixed pointY(PF_ParamIndex i) const { return (*this)[i].u.td.y_value; }

 private:
  std::array<PF_ParamDef, LinesParams::kCount> m_values;
};

// Checks out every control of kLinesCheckoutOrder at the current time, copies
// its value and checks it in again before the next one, so that no control
// stays checked out whatever fails. Returns the first host error.
PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values);

// ---- the pre-render record
// The converted control values of one frame. Each field is named after the
// Lines::Parameter getter it ends in and is already in the engine's units
// (popups of the schedules mapped, the others' entries as the host gives
// them); smart render only reads it.
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

// `record` is zeroed first, padding included. dsx is the horizontal downsample factor: lengths
// shrink with it, the centre (a point, already scaled by the host) does not.
void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& record);

// ---- the engine's parameter record
// `input_origin`: where the input buffer's pixel (0, 0) lies in layer coordinates.
LinesParameter makeLinesParameter(LinesPreRenderRecord const& record, Vector<double> const& input_origin);

// Whether the composite colours can show at all: the final blend is skipped
// when any of Completion, Composite Completion and Composite Opacity is 0.
bool linesCompositeVisible(LinesPreRenderRecord const& record);

// ---- popup entries (1-based) to the enumerations the Lines engine takes,
// for the menus of its own (the shared ones: Util/PopupMappers.h). A value
// out of range, such as one from a project of a later version, falls back to
// the first enumerator.
// Also gives "Color Correction Type" its ColorType: 2 and 3 as they are, else 1.
LinesParameter::Direction getDirection(int entry);
LinesParameter::ColorType getColorType(int entry);
OrderType getOrderType(int entry);
LinesParameter::TransitionType getTransitionType(int entry);
// "Composite Variance Space" and "Composite Overlap" follow the same rule, so
// that no value outside the menu reaches the engine.
LinesParameter::ColorSpace getColorSpace(int entry);
LinesParameter::CompositeOverlap getCompositeOverlap(int entry);
// "Outside": Transparent, Wrap, Reflect. Clamp is not offered.
BorderType getBorderType(int entry);

}  // namespace Brelo
