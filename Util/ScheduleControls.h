// The controls of one animated channel's schedule (see Brelo::Schedule), by
// their index in the host's parameter array. Each effect ties its channels'
// controls, record fields and engine fields in one table of these.
#pragma once

#include "Brelo/BreloSchedule.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct ScheduleControls {
  // 0, the layer, where the channel has no such control: the setting keeps
  // the schedule's default.
  PF_ParamIndex per, offset;
  PF_ParamIndex completion, delay, order, order_phase, order_seed, easing_type, easing_mode;
};

// The schedule from the controls' values (values[i] is control i):
// percentages as fractions, the phase angle in turns, the popups through
// `order` (the channel's order menu) and the easing menus' mappers.
Schedule readSchedule(PF_ParamDef const* values, ScheduleControls const& controls, OrderType (*order)(int entry));

}  // namespace Brelo
