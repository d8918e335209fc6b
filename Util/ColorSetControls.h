// The controls of an effect's colour set (see Brelo::ColorSet): ten controls
// in a row, written by BRELO_COLOR_SET_ROWS and read by readColorSet, so that
// their order is fixed in one place.
#pragma once

#include "Brelo/BreloColorSet.h"
#include "Util/BreloHostAPI.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {

// The colour set from the ten controls from `first` on (values[i] is control
// i): the count, space and overlap as their popups' entries, the colours as
// the host gives them (alpha included), the variances as fractions; nothing
// clamped yet.
ColorSet readColorSet(PF_ParamDef const* values, PF_ParamIndex first);

}  // namespace Brelo

// "<prefix> Mode", "<colors> 1" .. "3", `space`, "<prefix> Overlap" (entry
// `overlap` at first), "<prefix> Variance 1" .. "3" and "<prefix> Seed".
#define BRELO_COLOR_SET_ROWS(prefix, colors, space, overlap)                                         \
  ::Brelo::Control::popup(prefix " Mode", 1, ::Brelo::kModeMenu, 0),                                 \
      ::Brelo::Control::color(colors " 1", 255, 0, 0, 0),                                            \
      ::Brelo::Control::color(colors " 2", 255, 255, 255, 0),                                        \
      ::Brelo::Control::color(colors " 3", 0, 0, 255, 0),                                            \
      ::Brelo::Control::popup(space, 2, ::Brelo::kColorSpaceMenu, 0),                                \
      ::Brelo::Control::popup(prefix " Overlap", overlap, ::Brelo::kOverlapMenu, 0),                 \
      ::Brelo::Control::percent(prefix " Variance 1", 30, PF_ParamFlag_START_COLLAPSED),             \
      ::Brelo::Control::percent(prefix " Variance 2", 0, PF_ParamFlag_START_COLLAPSED),              \
      ::Brelo::Control::percent(prefix " Variance 3", 0, PF_ParamFlag_START_COLLAPSED),              \
      ::Brelo::Control::seed(prefix " Seed", PF_ParamFlag_START_COLLAPSED)
