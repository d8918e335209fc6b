#include "SimpleLines/BreloPlugin.h"

#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "Util/EffectCommands.h"

namespace {

// No control is supervised: no user-change command.
const Brelo::EffectCommands kSimpleLines = {
    "BreloSimpleLines",
    "Bars of random width, length and colour, wiped bar by bar. Brelo.",
    Brelo::SimpleLinesParams::registerParams,
    Brelo::simpleLinesUpdateParamsUI,
    nullptr,
    Brelo::simpleLinesSmartPreRender,
    Brelo::simpleLinesSmartRender,
};

}  // namespace

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* /*output*/, void* extra) {
  return Brelo::runEffectCommand(kSimpleLines, cmd, in_data, out_data, params, extra);
}
