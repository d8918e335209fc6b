#include "SimpleLines/BreloPlugin.h"

#include "SimpleLines/SimpleLinesCommands.h"
#include "Util/AEGP_SuiteHandler.h"
#include "Util/CommandGuard.h"

namespace {

PF_Err dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], void* extra) {
  // One handler per command: whatever it acquires is released when the
  // command ends, on the error paths too.
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return Brelo::simpleLinesAbout(in_data, out_data);
    case PF_Cmd_GLOBAL_SETUP:
      return Brelo::simpleLinesGlobalSetup(out_data, suites);
    case PF_Cmd_GLOBAL_SETDOWN:
      return Brelo::simpleLinesGlobalSetdown(in_data, suites);
    case PF_Cmd_PARAMS_SETUP:
      return Brelo::simpleLinesParamsSetup(in_data, out_data);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return Brelo::simpleLinesUpdateParamsUI(in_data, out_data, params, suites);
    case PF_Cmd_SMART_PRE_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return Brelo::simpleLinesSmartPreRender(in_data, static_cast<PF_PreRenderExtra*>(extra), suites);
    case PF_Cmd_SMART_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return Brelo::simpleLinesSmartRender(in_data, out_data, static_cast<PF_SmartRenderExtra*>(extra), suites);
    default:
      // PF_Cmd_USER_CHANGED_PARAM included (no control is supervised), and
      // PF_Cmd_RENDER: the effect renders through the smart pair only.
      return PF_Err_NONE;
  }
}

}  // namespace

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* /*output*/, void* extra) {
  return Brelo::guardCommand(in_data, out_data, [&] { return dispatch(cmd, in_data, out_data, params, extra); });
}
