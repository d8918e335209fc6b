#include "Util/ColorSetControls.h"

#include "Util/ControlUnits.h"

namespace Brelo {

ColorSet readColorSet(PF_ParamDef const* v, ColorSetControls const& c) {
  using namespace ControlUnits;
  ColorSet s;
  s.num = v[c.num].u.pd.value;
  s.color1 = colour(v[c.color1].u.cd.value);
  s.color2 = colour(v[c.color2].u.cd.value);
  s.color3 = colour(v[c.color3].u.cd.value);
  s.variance_space = static_cast<ColorSpace>(v[c.variance_space].u.pd.value);
  s.overlap = static_cast<ColorOverlap>(v[c.overlap].u.pd.value);
  s.variance1 = fraction(v[c.variance1].u.fd.value);
  s.variance2 = fraction(v[c.variance2].u.fd.value);
  s.variance3 = fraction(v[c.variance3].u.fd.value);
  s.seed = v[c.seed].u.sd.value;
  return s;
}

}  // namespace Brelo
