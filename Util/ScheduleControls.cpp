#include "Util/ScheduleControls.h"

#include "Util/ControlFields.h"
#include "Util/PopupMappers.h"

namespace Brelo {

Schedule readSchedule(PF_ParamDef const* v, ScheduleControls const& c, OrderType (*order)(int entry)) {
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
