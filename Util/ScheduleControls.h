// The controls of one animated channel's schedule (see Brelo::Schedule), by
// their index in the host's parameter array. Each effect ties its channels'
// controls, record fields and engine fields in one table of these.
#pragma once

#include "Brelo/BreloSchedule.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

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

// A channel's schedule controls are written once for every channel, so that
// their indices, rows and ScheduleControls cannot drift apart. The indices of
// channel Ch are k<Ch>Per .. k<Ch>EasingMode, in the order of the rows and of
// the ScheduleControls fields; the ranking (Order .. Easing Mode) closes the
// group of every channel.
#define BRELO_SCHEDULE_RANKING_INDICES(Ch)                                                          \
  k##Ch##Order, k##Ch##OrderPhase, k##Ch##OrderSeed, k##Ch##EasingType, k##Ch##EasingMode
#define BRELO_SCHEDULE_INDICES(Ch)                                                                  \
  k##Ch##Per, k##Ch##Offset, k##Ch##Completion, k##Ch##Delay, BRELO_SCHEDULE_RANKING_INDICES(Ch)

// The rows of those controls, named "<prefix> Per" .. "<prefix> Easing Mode".
#define BRELO_SCHEDULE_TIMING_ROWS(prefix, completion)                                              \
  ::Brelo::Control::percent(prefix " Completion", completion, 0),                                   \
      ::Brelo::Control::percent(prefix " Delay", 5, 0)
#define BRELO_SCHEDULE_RANKING_ROWS(prefix, order_menu)                                             \
  ::Brelo::Control::popup(prefix " Order", 1, order_menu, 0),                                       \
      ::Brelo::Control::angle(prefix " Order Phase", 0, PF_ParamFlag_START_COLLAPSED),              \
      ::Brelo::Control::seed(prefix " Order Seed", PF_ParamFlag_START_COLLAPSED),                   \
      ::Brelo::Control::popup(prefix " Easing Type", 1, ::Brelo::kEasingTypeMenu, 0),               \
      ::Brelo::Control::popup(prefix " Easing Mode", 3, ::Brelo::kEasingModeMenu, 0)
#define BRELO_SCHEDULE_ROWS(prefix, completion, order_menu)                                         \
  ::Brelo::Control::intSlider(prefix " Per", 1, 1, 100, 1, 5, PF_ParamFlag_START_COLLAPSED),        \
      ::Brelo::Control::intSlider(prefix " Offset", 0, 0, 100, 0, 5, PF_ParamFlag_START_COLLAPSED), \
      BRELO_SCHEDULE_TIMING_ROWS(prefix, completion), BRELO_SCHEDULE_RANKING_ROWS(prefix, order_menu)
