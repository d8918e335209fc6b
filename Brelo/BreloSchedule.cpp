#include "Brelo/BreloSchedule.h"

#include "Brelo/ParameterClamp.h"

namespace Brelo {

Schedule Schedule::clamped() const {
  Schedule s = *this;
  s.per = ParameterClamp::per(per);
  s.completion = ParameterClamp::unit(completion);
  s.delay = ParameterClamp::unit(delay);
  s.order_phase = ParameterClamp::finite(order_phase);
  return s;
}

}  // namespace Brelo
