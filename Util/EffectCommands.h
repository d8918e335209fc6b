// The host's commands as both effects answer them. An effect names what sets
// it apart in one EffectCommands table; its EntryPointFunc hands every
// command to runEffectCommand, which answers the about box, global set-up
// and set-down alike for both, and passes the rest to the table.
#pragma once

#include "Util/AEGP_SuiteHandler.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct EffectCommands {
  const char* name;    // as the host and the about box show it
  const char* notice;  // shown after the version in the about box
  PF_Err (*registerParams)(PF_InData* in_data, PF_OutData* out_data);
  PF_Err (*updateParamsUI)(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                           AEGP_SuiteHandler& suites);
  // nullptr for an effect without supervised controls.
  PF_Err (*userChangedParam)(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                             PF_UserChangedParamExtra const* extra, AEGP_SuiteHandler& suites);
  PF_Err (*smartPreRender)(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
  PF_Err (*smartRender)(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                        AEGP_SuiteHandler& suites);
};

// One command, with a suite handler of its own (whatever it acquires is
// released when the command ends, on the error paths too) and under
// guardCommand: nothing unwinds into the host. PF_Cmd_RENDER and other
// commands are answered with PF_Err_NONE: the effects render through the
// smart pair only.
PF_Err runEffectCommand(EffectCommands const& effect, PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                        PF_ParamDef* params[], void* extra) noexcept;

}  // namespace Brelo
