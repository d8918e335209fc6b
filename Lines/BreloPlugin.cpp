#include "Lines/BreloPlugin.h"

#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Util/EffectCommands.h"

namespace {

const Brelo::EffectCommands kLines = {
    "BreloLines",
    "Strips of the layer, each animated on its own. Brelo.",
    Brelo::LinesParams::registerParams,
    Brelo::linesUpdateParamsUI,
    Brelo::linesUserChangedParam,
    Brelo::linesSmartPreRender,
    Brelo::linesSmartRender,
};

}  // namespace

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* /*output*/, void* extra) {
  return Brelo::runEffectCommand(kLines, cmd, in_data, out_data, params, extra);
}
