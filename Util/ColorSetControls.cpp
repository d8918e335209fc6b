#include "Util/ColorSetControls.h"

#include "Util/ControlFields.h"

namespace Brelo {

ColorSet readColorSet(PF_ParamDef const* values, PF_ParamIndex first) {
  using namespace ControlRead;
  LengthScale const unscaled{1.0, 1.0};
  ColorSet s;
#define BRELO_COLOR_SET_READ(holder, name, Name, T, initial, clamp, control, read) \
  s.name = static_cast<T>(read(values[first + control], unscaled));
  BRELO_COLOR_SET_FIELDS(BRELO_COLOR_SET_READ, ColorSet)
#undef BRELO_COLOR_SET_READ
  return s;
}

}  // namespace Brelo
