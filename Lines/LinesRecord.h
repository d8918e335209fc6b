// The road from the Lines controls to the engine: the controls' values, the
// pre-render record (in the engine's units) and the engine's parameters.
#pragma once

#include <array>
#include <type_traits>

#include "Brelo/BreloSchedule.h"
#include "Brelo/Border.h"
#include "Brelo/Vector.h"
#include "Brelo/Effect/BreloLinesParameter.h"
#include "Lines/LinesParams.h"
#include "Util/BreloHostAPI.h"
#include "Util/PopupMappers.h"
#include "Util/ScheduleControls.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

// The controls the render reads, in the order they are checked out: the
// layout, then each channel with its schedule first.
extern const std::array<PF_ParamIndex, 103> kLinesCheckoutOrder;

using LinesControlValues = ControlValues<LinesParams::kCount>;

// Reads every control of kLinesCheckoutOrder (see readControls).
PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values);

// The engine's parameters of one frame, set from the controls, so clamped and
// in the engine's units (the centre still in layer pixels).
struct LinesPreRenderRecord {
  LinesParameter parameter;
  int blend_mode = 1;  // popup entry; used by the final blend, not by the engine
};

// The five animated channels: their controls and the engine's schedule setter.
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

// The record's parameters with the centre moved into the input buffer's
// coordinates (`input_origin`: its pixel (0, 0) in layer coordinates).
inline LinesParameter makeLinesParameter(LinesPreRenderRecord const& record, Vector<double> const& input_origin) {
  return centredIn(record.parameter, input_origin);
}

// Whether the composite colours can show at all: the final blend is skipped
// when any of Completion, Composite Completion and Composite Opacity is 0.
inline bool linesCompositeVisible(LinesPreRenderRecord const& record) {
  LinesParameter const& p = record.parameter;
  return p.completion() * p.composite_completion() * p.composite_opacity() > 0.0;
}

// The Lines menus' entries (1-based) to the engine's enumerations; out of
// range (say, from a later version) gives the first (see Util/PopupMappers.h).
inline constexpr auto getDirection = menuEntry<LinesParameter::Direction, 3>;
inline constexpr auto getColorType = menuEntry<LinesParameter::ColorType, 3>;
inline constexpr auto getOrderType = menuEntry<OrderType, 6>;
inline constexpr auto getTransitionType = menuEntry<LinesParameter::TransitionType, 7>;
inline constexpr auto getColorSpace = menuEntry<LinesParameter::ColorSpace, 3>;
inline constexpr auto getCompositeOverlap = menuEntry<LinesParameter::CompositeOverlap, 2>;
// "Outside": Transparent, Wrap, Reflect. Clamp is not offered.
BorderType getBorderType(int entry);

}  // namespace Brelo
