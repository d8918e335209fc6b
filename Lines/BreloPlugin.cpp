#include "Lines/BreloPlugin.h"

#include "Lines/LinesCommands.h"
#include "Util/AEGP_SuiteHandler.h"
#include "Util/CommandGuard.h"

namespace {

PF_Err dispatch(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[], void* extra) {
  // One handler per command: whatever it acquires is released when the
  // command ends, on the error paths too.
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return Brelo::linesAbout(in_data, out_data);
    case PF_Cmd_GLOBAL_SETUP:
      return Brelo::linesGlobalSetup(in_data, out_data, suites);
    case PF_Cmd_GLOBAL_SETDOWN:
      return Brelo::linesGlobalSetdown(in_data, suites);
    case PF_Cmd_PARAMS_SETUP:
      return Brelo::linesParamsSetup(in_data, out_data);
    case PF_Cmd_USER_CHANGED_PARAM:
      return Brelo::linesUserChangedParam(in_data, out_data, params,
                                          static_cast<PF_UserChangedParamExtra const*>(extra), suites);
    case PF_Cmd_UPDATE_PARAMS_UI:
      return Brelo::linesUpdateParamsUI(in_data, out_data, params, suites);
    case PF_Cmd_SMART_PRE_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return Brelo::linesSmartPreRender(in_data, static_cast<PF_PreRenderExtra*>(extra), suites);
    case PF_Cmd_SMART_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return Brelo::linesSmartRender(in_data, out_data, static_cast<PF_SmartRenderExtra*>(extra), suites);
    default:
      // PF_Cmd_RENDER included: the effect renders through the smart pair only.
      return PF_Err_NONE;
  }
}

}  // namespace

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* /*output*/, void* extra) {
  return Brelo::guardCommand(in_data, out_data, [&] { return dispatch(cmd, in_data, out_data, params, extra); });
}
