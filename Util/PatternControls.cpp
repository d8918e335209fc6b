#include "Util/PatternControls.h"

namespace Brelo {

Pattern readPattern(PF_ParamDef const* v, PatternControls const& c, LengthScale const& s) {
  using namespace ControlRead;
  Pattern p;
#define BRELO_PATTERN_READ(holder, name, Name, T, initial, clamp, read) p.name = read(v[c.name], s);
  BRELO_PATTERN_FIELDS(BRELO_PATTERN_READ, Pattern)
#undef BRELO_PATTERN_READ
  return p;
}

}  // namespace Brelo
