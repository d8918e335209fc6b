#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "Util/EffectCommands.h"

namespace {

// No control is supervised: no user-change command.
const Brelo::EffectCommands kSimpleLines = {
    "BreloSimpleLines",
    "Bars of random width, length and colour, wiped bar by bar. Brelo.",
    Brelo::SimpleLinesParams::registerParams,
    Brelo::simpleLinesUpdateAppearance,
    nullptr,
    Brelo::simpleLinesSmartPreRender,
    Brelo::simpleLinesSmartRender,
};

}  // namespace

BRELO_EFFECT_ENTRY_POINT(kSimpleLines)
