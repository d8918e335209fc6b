// The controls of an effect's pattern (see Brelo::Pattern), by their index in
// the host's parameter array; both effects have each of them.
#pragma once

#include "Brelo/BreloPattern.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlFields.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {

// The controls of a size class (the pattern's widths and gaps, SimpleLines' heights) as
// X(index, row) entries: k<Name>Mode "<Name> Mode", kMax<Name>1 .. 3 "Max <Name> 1" .. "3",
// kMin<Name> "Min <Name>", k<Name>Power "<Name> Power". The maxima default to d1, d2, d3
// and take least .. most, the slider showing slider_min .. slider_max.
#define BRELO_SIZE_CLASS_INDICES(Name) \
  k##Name##Mode, kMax##Name##1, kMax##Name##2, kMax##Name##3, kMin##Name, k##Name##Power
#define BRELO_SIZE_CLASS_CONTROLS(X, Name, d1, d2, d3, least, most, smin, smax)               \
  X(k##Name##Mode, ::Brelo::Control::popup(#Name " Mode", 1, ::Brelo::kModeMenu, 0))          \
  X(kMax##Name##1, ::Brelo::Control::maximum("Max " #Name " 1", d1, least, most, smin, smax)) \
  X(kMax##Name##2, ::Brelo::Control::maximum("Max " #Name " 2", d2, least, most, smin, smax)) \
  X(kMax##Name##3, ::Brelo::Control::maximum("Max " #Name " 3", d3, least, most, smin, smax)) \
  X(kMin##Name, ::Brelo::Control::percent("Min " #Name, 100, PF_ParamFlag_START_COLLAPSED))   \
  X(k##Name##Power, ::Brelo::Control::power(#Name " Power"))

// In the order of the fields, as both effects name them.
#define BRELO_PATTERN_CONTROLS \
  {kCenter, kDirection, kTotalWidth, BRELO_SIZE_CLASS_INDICES(Width), BRELO_SIZE_CLASS_INDICES(Gap), kWidthSeed}

struct PatternControls {
#define BRELO_PATTERN_CONTROL(holder, name, Name, T, initial, clamp, read) PF_ParamIndex name;
  BRELO_PATTERN_FIELDS(BRELO_PATTERN_CONTROL, PatternControls)
#undef BRELO_PATTERN_CONTROL
};

// The pattern from the controls' values (values[i] is control i): the centre
// as the host hands the point over, the direction in radians, lengths scaled
// by `lengths`, the minima as fractions; nothing clamped yet.
inline Pattern readPattern(PF_ParamDef const* v, PatternControls const& c, LengthScale const& s) {
  using namespace ControlRead;
  Pattern p;
#define BRELO_PATTERN_READ(holder, name, Name, T, initial, clamp, read) p.name = read(v[c.name], s);
  BRELO_PATTERN_FIELDS(BRELO_PATTERN_READ, Pattern)
#undef BRELO_PATTERN_READ
  return p;
}

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
