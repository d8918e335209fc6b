#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Util/EffectCommands.h"

namespace {

const Brelo::EffectCommands kLines = {
    "BreloLines",
    "Strips of the layer, each animated on its own. Brelo.",
    Brelo::LinesParams::registerParams,
    Brelo::linesUpdateAppearance,
    Brelo::linesUserChangedParam,
    Brelo::linesSmartPreRender,
    Brelo::linesSmartRender,
};

}  // namespace

BRELO_EFFECT_ENTRY_POINT(kLines)
