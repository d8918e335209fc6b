// The controls of an effect's pattern (see Brelo::Pattern), by their index in
// the host's parameter array; both effects have each of them.
#pragma once

#include "Brelo/BreloPattern.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlFields.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {

// The controls of a size class (the pattern's widths and gaps, SimpleLines'
// heights): the count, the three maxima, the minimum and the power. Their
// indices are k<Name>Mode, kMax<Name>1 .. 3, kMin<Name>, k<Name>Power; their
// rows are named "<Name> Mode", "Max <Name> 1" .. "3", "Min <Name>" and
// "<Name> Power". Written once, so that indices and rows cannot drift apart.
#define BRELO_SIZE_CLASS_INDICES(Name) \
  k##Name##Mode, kMax##Name##1, kMax##Name##2, kMax##Name##3, kMin##Name, k##Name##Power
// The maxima default to d1, d2, d3 and take least .. most, the slider showing
// slider_min .. slider_max.
#define BRELO_SIZE_CLASS_ROWS(Name, d1, d2, d3, least, most, slider_min, slider_max)                                 \
  ::Brelo::Control::popup(Name " Mode", 1, ::Brelo::kModeMenu, 0),                                                    \
      ::Brelo::Control::floatSlider("Max " Name " 1", d1, least, most, slider_min, slider_max, 1, false,              \
                                    PF_ParamFlag_START_COLLAPSED),                                                   \
      ::Brelo::Control::floatSlider("Max " Name " 2", d2, least, most, slider_min, slider_max, 1, false,              \
                                    PF_ParamFlag_START_COLLAPSED),                                                   \
      ::Brelo::Control::floatSlider("Max " Name " 3", d3, least, most, slider_min, slider_max, 1, false,              \
                                    PF_ParamFlag_START_COLLAPSED),                                                   \
      ::Brelo::Control::percent("Min " Name, 100, PF_ParamFlag_START_COLLAPSED),                                      \
      ::Brelo::Control::floatSlider(Name " Power", 1, 0, 100, 0, 10, 2, false, PF_ParamFlag_START_COLLAPSED)

// In the order of the fields, as both effects name them.
#define BRELO_PATTERN_CONTROLS \
  {kCenter, kDirection, kTotalWidth, BRELO_SIZE_CLASS_INDICES(Width), BRELO_SIZE_CLASS_INDICES(Gap), kWidthSeed}

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
