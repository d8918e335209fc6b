// The pre-render record of the SimpleLines effect: the engine's parameters set
// from the controls (clamped, lengths scaled by downsampling and "Scale", the
// centre in layer pixels) and "Blending Mode", which also picks the background.
#pragma once

#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloSimpleLinesParameter.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "Util/BreloHostAPI.h"
#include "Util/PatternControls.h"
#include "Util/PopupMappers.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

struct SimpleLinesRecord {
  SimpleLinesParameter parameter;
  int blend_mode = 1;
};

// Reads every control the record needs (see readControls).
using SimpleLinesControlValues = ControlValues<SimpleLinesParams::kCount>;
PF_Err readSimpleLinesControls(PF_InData* in_data, SimpleLinesControlValues& values);

// The record from the controls as read (values[i] is control i) at the
// horizontal downsample factor `dsx`.
SimpleLinesRecord makeSimpleLinesRecord(PF_ParamDef const* values, double dsx);

// The record's parameters with the centre moved into the input buffer's
// coordinates (`origin`: its pixel (0, 0) in layer coordinates).
inline SimpleLinesParameter makeSimpleLinesParameter(SimpleLinesRecord const& record, Vector<double> const& origin) {
  return centredIn(record.parameter, origin);
}

// Popup entry to enumeration, as the host's entries map onto the engine's.
inline constexpr auto simpleLinesAlignType = menuEntry<SimpleLinesParameter::AlignType, 3>;
inline constexpr auto simpleLinesAlignDirection = menuEntry<SimpleLinesParameter::AlignDirection, 3>;
inline constexpr auto simpleLinesAlignMode = menuEntry<SimpleLinesParameter::AlignMode, 2>;
inline constexpr auto simpleLinesTransitionType = menuEntry<SimpleLinesParameter::TransitionType, 7>;
inline constexpr auto simpleLinesTransitionMode = menuEntry<SimpleLinesParameter::TransitionMode, 7>;
// The menu has no "Inverse Random": entry 6 is out of range here.
inline constexpr auto simpleLinesOrderType = menuEntry<OrderType, 5>;
// "Blending Mode" ("Normal" is entry 3): separators give the mode after them;
// "None" and anything out of range give Normal.
inline BlendMode simpleLinesBlendMode(int entry) { return blendModeFromNormal(entry - 2); }
// Whether the bars go over the layer (from "Normal" on) or over transparency.
inline bool simpleLinesOverLayer(int entry) { return entry >= SimpleLinesParams::kBlendingModeNormal; }

}  // namespace Brelo
