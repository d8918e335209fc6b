#include "Util/ScheduleControls.h"

#include "Util/ControlUnits.h"
#include "Util/PopupMappers.h"

namespace Brelo {

Schedule readSchedule(PF_ParamDef const* v, ScheduleControls const& c, OrderType (*order)(int entry)) {
  Schedule s;
  if (c.per) s.per = v[c.per].u.sd.value;
  if (c.offset) s.offset = v[c.offset].u.sd.value;
  s.completion = ControlUnits::fraction(v[c.completion].u.fd.value);
  s.delay = ControlUnits::fraction(v[c.delay].u.fd.value);
  s.order = order(v[c.order].u.pd.value);
  s.order_phase = ControlUnits::turns(v[c.order_phase].u.ad.value);
  s.order_seed = v[c.order_seed].u.sd.value;
  s.easing_type = easingTypeEntry(v[c.easing_type].u.pd.value);
  s.easing_mode = easingModeEntry(v[c.easing_mode].u.pd.value);
  return s;
}

}  // namespace Brelo
