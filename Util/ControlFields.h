// An effect's table of fields: for each control outside the shared groups,
// the reading into the engine's units and the engine parameter's setter.
#pragma once

#include <cstddef>

#include "Brelo/Vector.h"
#include "Util/ControlUnits.h"

namespace Brelo {

// Lengths are float sliders in layer pixels: multiplied by the horizontal
// downsample factor, then by the effect's own scale (1 where it has none).
struct LengthScale {
  double dsx;
  double scale;
};

template <class Parameter>
struct ControlField {
  PF_ParamIndex control;
  void (*set)(Parameter& p, PF_ParamDef const& value, LengthScale const& lengths);
};

// The readings, one per kind of conversion (see ControlUnits).
namespace ControlRead {

inline double fractionOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::fraction(d.u.fd.value); }
inline double lengthOf(PF_ParamDef const& d, LengthScale const& s) { return d.u.fs_d.value * s.dsx * s.scale; }
inline double realOf(PF_ParamDef const& d, LengthScale const&) { return d.u.fs_d.value; }
inline double percentOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::percentFraction(d.u.fs_d.value); }
inline double radiansOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::radians(d.u.ad.value); }
inline double turnsOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::turns(d.u.ad.value); }
inline double degreesOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::degrees(d.u.ad.value); }
inline int sliderOf(PF_ParamDef const& d, LengthScale const&) { return d.u.sd.value; }
inline int popupOf(PF_ParamDef const& d, LengthScale const&) { return d.u.pd.value; }
inline bool checkboxOf(PF_ParamDef const& d, LengthScale const&) { return d.u.bd.value != 0; }
inline ColorFloat<float> colourOf(PF_ParamDef const& d, LengthScale const&) { return ControlUnits::colour(d.u.cd.value); }
// A point as the host hands it over: already at the render's scale.
inline Vector<double> pointOf(PF_ParamDef const& d, LengthScale const&) {
  return Vector<double>(ControlUnits::coordinate(d.u.td.x_value), ControlUnits::coordinate(d.u.td.y_value));
}
// A popup entry through its menu's mapper.
template <auto Map>
auto popupAs(PF_ParamDef const& d, LengthScale const&) {
  return Map(d.u.pd.value);
}

}  // namespace ControlRead

template <class Setter>
struct SetterClass;
template <class P, class A>
struct SetterClass<P& (P::*)(A)> {
  using type = P;
};

// The row of `control` read with `Read` into setter `Set`.
template <auto Set, auto Read, class P = typename SetterClass<decltype(Set)>::type>
constexpr ControlField<P> field(PF_ParamIndex control) {
  return {control, [](P& p, PF_ParamDef const& d, LengthScale const& s) { (p.*Set)(Read(d, s)); }};
}

// Every field of `fields` from the controls' values (values[i] is control i).
template <class Parameter, std::size_t N>
void setFields(Parameter& p, ControlField<Parameter> const (&fields)[N], PF_ParamDef const* values,
               LengthScale const& lengths) {
  for (ControlField<Parameter> const& f : fields) f.set(p, values[f.control], lengths);
}

}  // namespace Brelo
