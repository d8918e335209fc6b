#include "Brelo/BreloSchedule.h"

#include "Brelo/ParameterClamp.h"

namespace Brelo {

Schedule Schedule::clamped() const {
  using namespace ParameterClamp;
  Schedule s = *this;
  BRELO_SCHEDULE_FIELDS(BRELO_LIST_CLAMP, s)
  return s;
}

}  // namespace Brelo
