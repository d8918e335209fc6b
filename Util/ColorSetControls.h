// The controls of an effect's colour set (see Brelo::ColorSet): ten controls
// in a row, listed by BRELO_COLOR_SET_CONTROLS and read by readColorSet, so that
// their order is fixed in one place.
#pragma once

#include "Brelo/BreloColorSet.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlFields.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {

// The colour set from the ten controls from `first` on (values[i] is control i): the count,
// space and overlap as their popups' entries, the colours as the host gives them (alpha
// included), the variances as fractions; nothing clamped yet.
inline ColorSet readColorSet(PF_ParamDef const* values, PF_ParamIndex first) {
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

// As X(index, row) entries: k<Prefix>Mode "<Prefix> Mode", k<Colors>1 .. 3
// "<colors> 1" .. "3", `Space` "<space>", k<Prefix>Overlap "<Prefix> Overlap"
// (entry `overlap` at first), k<Prefix>Variance1 .. 3 "<Prefix> Variance 1" ..
// "3" and k<Prefix>Seed "<Prefix> Seed".
#define BRELO_COLOR_SET_CONTROLS(X, Prefix, Colors, Space, colors, space, overlap)                            \
  X(k##Prefix##Mode, ::Brelo::Control::popup(#Prefix " Mode", 1, ::Brelo::kModeMenu, 0))                      \
  X(k##Colors##1, ::Brelo::Control::color(colors " 1", 255, 0, 0, 0))                                         \
  X(k##Colors##2, ::Brelo::Control::color(colors " 2", 255, 255, 255, 0))                                     \
  X(k##Colors##3, ::Brelo::Control::color(colors " 3", 0, 0, 255, 0))                                         \
  X(Space, ::Brelo::Control::popup(space, 2, ::Brelo::kColorSpaceMenu, 0))                                    \
  X(k##Prefix##Overlap, ::Brelo::Control::popup(#Prefix " Overlap", overlap, ::Brelo::kOverlapMenu, 0))       \
  X(k##Prefix##Variance1, ::Brelo::Control::percent(#Prefix " Variance 1", 30, PF_ParamFlag_START_COLLAPSED)) \
  X(k##Prefix##Variance2, ::Brelo::Control::percent(#Prefix " Variance 2", 0, PF_ParamFlag_START_COLLAPSED))  \
  X(k##Prefix##Variance3, ::Brelo::Control::percent(#Prefix " Variance 3", 0, PF_ParamFlag_START_COLLAPSED))  \
  X(k##Prefix##Seed, ::Brelo::Control::seed(#Prefix " Seed", PF_ParamFlag_START_COLLAPSED))
