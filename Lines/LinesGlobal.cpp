// About box, global set-up and global set-down of the Lines effect.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Lines/LinesVersion.h"

namespace Brelo {

PF_Err linesAbout(PF_InData* in_data, PF_OutData* out_data) {
  if (!in_data->utils || !in_data->utils->ansi.sprintf) return PF_Err_BAD_CALLBACK_PARAM;
  in_data->utils->ansi.sprintf(out_data->return_msg, "%s, v%d.%d%d\r%s", LinesVersion::kName, LinesVersion::kMajor,
                               LinesVersion::kMinor, LinesVersion::kBug, LinesVersion::kNotice);
  return PF_Err_NONE;
}

PF_Err linesGlobalSetup(PF_InData* /*in_data*/, PF_OutData* out_data, AEGP_SuiteHandler& suites) {
  out_data->my_version = LinesVersion::kPacked;
  out_data->out_flags |= LinesVersion::kOutFlags;
  out_data->out_flags2 |= LinesVersion::kOutFlags2;

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
  // Without a plug-in ID the handle is of no use to anyone; "Set Expression"
  // reports the missing global data when it is chosen.
  if (registered) {
    out_data->global_data = handle;
  } else {
    handles->host_dispose_handle(handle);
  }
  return err;
}

PF_Err linesGlobalSetdown(PF_InData* in_data, AEGP_SuiteHandler& suites) {
  if (in_data->global_data) suites.HandleSuite2()->host_dispose_handle(in_data->global_data);
  return PF_Err_NONE;
}

PF_Err linesParamsSetup(PF_InData* in_data, PF_OutData* out_data) {
  return LinesParams::registerParams(in_data, out_data);
}

}  // namespace Brelo
