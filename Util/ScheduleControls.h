// The controls of one animated channel's schedule (see Brelo::Schedule), by
// their index in the host's parameter array.
#pragma once

#include "Brelo/BreloSchedule.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlFields.h"
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
inline Schedule readSchedule(PF_ParamDef const* v, ScheduleControls const& c, OrderType (*order)(int entry)) {
  using namespace ControlRead;
  LengthScale const unscaled{1.0, 1.0};
  Schedule s;
#define BRELO_SCHEDULE_READ(holder, name, Name, T, initial, clamp, read) \
  if (c.name) s.name = static_cast<T>(read(v[c.name], unscaled));
  BRELO_SCHEDULE_FIELDS(BRELO_SCHEDULE_READ, s)
#undef BRELO_SCHEDULE_READ
  s.order = order(v[c.order].u.pd.value);
  return s;
}

}  // namespace Brelo

// Channel Ch's schedule controls as X(index, row) entries: k<Ch>Per ..
// k<Ch>EasingMode, "<Ch> Per" .. "<Ch> Easing Mode", in the order of the
// ScheduleControls fields; the ranking closes the group of every channel.
#define BRELO_SCHEDULE_RANKING_INDICES(Ch) \
  k##Ch##Order, k##Ch##OrderPhase, k##Ch##OrderSeed, k##Ch##EasingType, k##Ch##EasingMode
#define BRELO_SCHEDULE_INDICES(Ch) \
  k##Ch##Per, k##Ch##Offset, k##Ch##Completion, k##Ch##Delay, BRELO_SCHEDULE_RANKING_INDICES(Ch)

#define BRELO_SCHEDULE_TIMING_CONTROLS(X, Ch, completion)                           \
  X(k##Ch##Completion, ::Brelo::Control::percent(#Ch " Completion", completion, 0)) \
  X(k##Ch##Delay, ::Brelo::Control::percent(#Ch " Delay", 5, 0))
#define BRELO_SCHEDULE_RANKING_CONTROLS(X, Ch, order_menu)                                           \
  X(k##Ch##Order, ::Brelo::Control::popup(#Ch " Order", 1, order_menu, 0))                           \
  X(k##Ch##OrderPhase, ::Brelo::Control::angle(#Ch " Order Phase", 0, PF_ParamFlag_START_COLLAPSED)) \
  X(k##Ch##OrderSeed, ::Brelo::Control::seed(#Ch " Order Seed", PF_ParamFlag_START_COLLAPSED))       \
  X(k##Ch##EasingType, ::Brelo::Control::popup(#Ch " Easing Type", 1, ::Brelo::kEasingTypeMenu, 0))  \
  X(k##Ch##EasingMode, ::Brelo::Control::popup(#Ch " Easing Mode", 3, ::Brelo::kEasingModeMenu, 0))
#define BRELO_SCHEDULE_CONTROLS(X, Ch, completion, order_menu)                                                \
  X(k##Ch##Per, ::Brelo::Control::intSlider(#Ch " Per", 1, 1, 100, 1, 5, PF_ParamFlag_START_COLLAPSED))       \
  X(k##Ch##Offset, ::Brelo::Control::intSlider(#Ch " Offset", 0, 0, 100, 0, 5, PF_ParamFlag_START_COLLAPSED)) \
  BRELO_SCHEDULE_TIMING_CONTROLS(X, Ch, completion) BRELO_SCHEDULE_RANKING_CONTROLS(X, Ch, order_menu)
