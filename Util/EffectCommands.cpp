#include "Util/EffectCommands.h"

#include "Util/CommandGuard.h"
#include "Util/EffectVersion.h"

namespace Brelo {

namespace {

// "<name>, v1.00\r<notice>" into return_msg through the host's sprintf.
PF_Err effectAbout(PF_InData* in_data, PF_OutData* out_data, const char* name, const char* notice) {
  if (!in_data->utils || !in_data->utils->ansi.sprintf) return PF_Err_BAD_CALLBACK_PARAM;
  in_data->utils->ansi.sprintf(out_data->return_msg, "%s, v%d.%d%d\r%s", name, EffectVersion::kMajor,
                               EffectVersion::kMinor, EffectVersion::kBug, notice);
  return PF_Err_NONE;
}

// Version and flags; a 4-byte handle holding the plug-in ID from AEGP
// registration becomes the global data.
PF_Err effectGlobalSetup(PF_OutData* out_data, AEGP_SuiteHandler& suites) {
  out_data->my_version = EffectVersion::kPacked;
  out_data->out_flags |= EffectVersion::kOutFlags;
  out_data->out_flags2 |= EffectVersion::kOutFlags2;

  // Both suites are acquired before the handle exists, so that a missing
  // suite cannot leave a handle behind.
  PF_HandleSuite2* handles = suites.HandleSuite2();
  AEGP_UtilitySuite7* utility = suites.UtilitySuite7();

  PF_Handle handle = handles->host_new_handle(sizeof(AEGP_PluginID));
  if (!handle) return PF_Err_INTERNAL_STRUCT_DAMAGED;

  PF_Err err = PF_Err_NONE;
  bool registered = false;
  if (auto* plugin_id = static_cast<AEGP_PluginID*>(handles->host_lock_handle(handle))) {
    err = utility->AEGP_RegisterWithAEGP(nullptr, "Error!", plugin_id);
    registered = err == PF_Err_NONE;
    handles->host_unlock_handle(handle);
  }
  // Without a plug-in ID the handle is of no use; whatever needs the ID
  // reports the missing global data.
  if (registered) {
    out_data->global_data = handle;
  } else {
    handles->host_dispose_handle(handle);
  }
  return err;
}

PF_Err dispatch(EffectCommands const& effect, PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                PF_ParamDef* params[], void* extra) {
  AEGP_SuiteHandler suites(in_data->pica_basicP);
  switch (cmd) {
    case PF_Cmd_ABOUT:
      return effectAbout(in_data, out_data, effect.name, effect.notice);
    case PF_Cmd_GLOBAL_SETUP:
      return effectGlobalSetup(out_data, suites);
    case PF_Cmd_GLOBAL_SETDOWN:
      if (in_data->global_data) suites.HandleSuite2()->host_dispose_handle(in_data->global_data);
      return PF_Err_NONE;
    case PF_Cmd_PARAMS_SETUP:
      return effect.registerParams(in_data, out_data);
    case PF_Cmd_USER_CHANGED_PARAM:
      if (!effect.userChangedParam) return PF_Err_NONE;
      return effect.userChangedParam(in_data, out_data, params, static_cast<PF_UserChangedParamExtra const*>(extra),
                                     suites);
    case PF_Cmd_UPDATE_PARAMS_UI: {
      if (!params) return PF_Err_BAD_CALLBACK_PARAM;
      AppearanceUpdate ui(in_data, params, suites.ParamUtilsSuite2());
      effect.updateAppearance(ui);
      out_data->out_flags |= PF_OutFlag_REFRESH_UI;
      return ui.error();
    }
    case PF_Cmd_SMART_PRE_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return effect.smartPreRender(in_data, static_cast<PF_PreRenderExtra*>(extra), suites);
    case PF_Cmd_SMART_RENDER:
      if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
      return effect.smartRender(in_data, out_data, static_cast<PF_SmartRenderExtra*>(extra), suites);
    default:
      return PF_Err_NONE;
  }
}

}  // namespace

PF_Err runEffectCommand(EffectCommands const& effect, PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                        PF_ParamDef* params[], void* extra) noexcept {
  return guardCommand(in_data, out_data, [&] { return dispatch(effect, cmd, in_data, out_data, params, extra); });
}

}  // namespace Brelo
