#include "Shell/EffectGlobal.h"

#include "Shell/EffectVersion.h"

namespace Brelo {

PF_Err effectAbout(PF_InData* in_data, PF_OutData* out_data, const char* name, const char* notice) {
  if (!in_data->utils || !in_data->utils->ansi.sprintf) return PF_Err_BAD_CALLBACK_PARAM;
  in_data->utils->ansi.sprintf(out_data->return_msg, "%s, v%d.%d%d\r%s", name, EffectVersion::kMajor,
                               EffectVersion::kMinor, EffectVersion::kBug, notice);
  return PF_Err_NONE;
}

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
  // Without a plug-in ID the handle is of no use to anyone; whatever needs
  // the ID reports the missing global data when it is used.
  if (registered) {
    out_data->global_data = handle;
  } else {
    handles->host_dispose_handle(handle);
  }
  return err;
}

PF_Err effectGlobalSetdown(PF_InData* in_data, AEGP_SuiteHandler& suites) {
  if (in_data->global_data) suites.HandleSuite2()->host_dispose_handle(in_data->global_data);
  return PF_Err_NONE;
}

}  // namespace Brelo
