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
#include "Brelo/Vector.h"
#include "Brelo/Effect/BreloLinesParameter.h"
#include "Lines/LinesParams.h"
#include "Util/BreloHostAPI.h"
#include "Util/PopupMappers.h"
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

 private:
  std::array<PF_ParamDef, LinesParams::kCount> m_values;
};

// Checks out every control of kLinesCheckoutOrder at the current time, copies
// its value and checks it in again before the next one, so that no control
// stays checked out whatever fails. Returns the first host error.
PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values);

// ---- the pre-render record
// The engine's parameters of one frame, read from the controls through their
// setters, so already in the engine's units and clamped (the centre still in
// layer pixels), and the blending mode of the composite colours; smart render
// only reads it.
struct LinesPreRenderRecord {
  LinesParameter parameter;
  int blend_mode = 1;  // popup entry; used by the final blend, not by the engine
};

// The five animated channels in the order of the check-out: each one's
// controls and the engine's setter for its schedule.
struct LinesScheduleChannel {
  ScheduleControls controls;
  LinesParameter& (LinesParameter::*engine)(Schedule const&);
};
extern const LinesScheduleChannel kLinesScheduleChannels[5];

// The host moves pre-render data as plain bytes.
static_assert(std::is_trivially_copyable<LinesPreRenderRecord>::value, "the record must be plain bytes");
static_assert(std::is_trivially_destructible<LinesPreRenderRecord>::value, "the record is disposed as bytes");

// `record` is zeroed first, padding included, so that equal controls make
// equal bytes. dsx is the horizontal downsample factor: lengths shrink with
// it, the centre (a point, already scaled by the host) does not.
void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& record);

// ---- the engine's parameter record
// The record's parameters with the centre moved into the input buffer's
// coordinates (`input_origin`: where its pixel (0, 0) lies in layer coordinates).
LinesParameter makeLinesParameter(LinesPreRenderRecord const& record, Vector<double> const& input_origin);

// Whether the composite colours can show at all: the final blend is skipped
// when any of Completion, Composite Completion and Composite Opacity is 0.
bool linesCompositeVisible(LinesPreRenderRecord const& record);

// ---- popup entries (1-based) to the enumerations the Lines engine takes,
// for the menus of its own (the shared ones: Util/PopupMappers.h). A value
// out of range, such as one from a project of a later version, falls back to
// the first enumerator.
// Also gives "Color Correction Type" its ColorType: 2 and 3 as they are, else 1.
inline constexpr auto getDirection = menuEntry<LinesParameter::Direction, 3>;
inline constexpr auto getColorType = menuEntry<LinesParameter::ColorType, 3>;
inline constexpr auto getOrderType = menuEntry<OrderType, 6>;
inline constexpr auto getTransitionType = menuEntry<LinesParameter::TransitionType, 7>;
// "Composite Variance Space" and "Composite Overlap" follow the same rule, so
// that no value outside the menu reaches the engine.
inline constexpr auto getColorSpace = menuEntry<LinesParameter::ColorSpace, 3>;
inline constexpr auto getCompositeOverlap = menuEntry<LinesParameter::CompositeOverlap, 2>;
// "Outside": Transparent, Wrap, Reflect. Clamp is not offered.
BorderType getBorderType(int entry);

}  // namespace Brelo
