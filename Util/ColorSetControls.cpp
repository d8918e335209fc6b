#include "Util/ColorSetControls.h"

#include "Util/ControlUnits.h"

namespace Brelo {

ColorSet readColorSet(PF_ParamDef const* values, PF_ParamIndex first) {
  using namespace ControlUnits;
  PF_ParamDef const* v = values + first;
  ColorSet s;
  s.num = v[0].u.pd.value;
  s.color1 = colour(v[1].u.cd.value);
  s.color2 = colour(v[2].u.cd.value);
  s.color3 = colour(v[3].u.cd.value);
  s.variance_space = static_cast<ColorSpace>(v[4].u.pd.value);
  s.overlap = static_cast<ColorOverlap>(v[5].u.pd.value);
  s.variance1 = fraction(v[6].u.fd.value);
  s.variance2 = fraction(v[7].u.fd.value);
  s.variance3 = fraction(v[8].u.fd.value);
  s.seed = v[9].u.sd.value;
  return s;
}

}  // namespace Brelo
