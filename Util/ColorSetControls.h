// The controls of an effect's colour set (see Brelo::ColorSet), by their index
// in the host's parameter array; both effects have each of them.
#pragma once

#include "Brelo/BreloColorSet.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct ColorSetControls {
  PF_ParamIndex num, color1, color2, color3, variance_space, overlap, variance1, variance2, variance3, seed;
};

// The colour set from the controls' values (values[i] is control i): the
// count, space and overlap as their popups' entries, the colours as the host
// gives them (alpha included), the variances as fractions; nothing clamped yet.
ColorSet readColorSet(PF_ParamDef const* values, ColorSetControls const& controls);

}  // namespace Brelo
