// The controls of an effect's pattern (see Brelo::Pattern), by their index in
// the host's parameter array; both effects have each of them.
#pragma once

#include "Brelo/BreloPattern.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlFields.h"

namespace Brelo {

struct PatternControls {
  PF_ParamIndex center, direction, total_width;
  PF_ParamIndex width_num, width_max1, width_max2, width_max3, width_min, width_power;
  PF_ParamIndex gap_num, gap_max1, gap_max2, gap_max3, gap_min, gap_power;
  PF_ParamIndex width_seed;
};

// The pattern from the controls' values (values[i] is control i): the centre
// as the host hands the point over, the direction in radians, lengths scaled
// by `lengths`, the minima as fractions; nothing clamped yet.
Pattern readPattern(PF_ParamDef const* values, PatternControls const& controls, LengthScale const& lengths);

// `p` with its centre moved from layer coordinates into those of a buffer
// whose pixel (0, 0) lies at `origin` in layer coordinates.
template <class Parameter>
Parameter centredIn(Parameter p, Vector<double> const& origin) {
  Vector<double> center = p.center();
  center -= origin;
  p.setCenter(center);
  return p;
}

}  // namespace Brelo
