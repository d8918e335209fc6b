// The host's commands as both effects answer them: an effect names what sets
// it apart in one EffectCommands table, and runEffectCommand does the rest.
#pragma once

#include "Util/AEGP_SuiteHandler.h"
#include "Util/AppearanceUpdate.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

struct EffectCommands {
  const char* name;    // as the host and the about box show it
  const char* notice;  // shown after the version in the about box
  PF_Err (*registerParams)(PF_InData* in_data, PF_OutData* out_data);
  void (*updateAppearance)(AppearanceUpdate& ui);
  // nullptr for an effect without supervised controls.
  PF_Err (*userChangedParam)(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                             PF_UserChangedParamExtra const* extra, AEGP_SuiteHandler& suites);
  PF_Err (*smartPreRender)(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
  PF_Err (*smartRender)(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                        AEGP_SuiteHandler& suites);
};

// One command, with a suite handler of its own and under guardCommand, so
// nothing unwinds into the host. Other commands (PF_Cmd_RENDER too: the
// effects render through the smart pair only) are answered with PF_Err_NONE.
PF_Err runEffectCommand(EffectCommands const& effect, PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                        PF_ParamDef* params[], void* extra) noexcept;

}  // namespace Brelo

// The only export of a plug-in module: the host calls it with one command at
// a time and takes the result as its error code.
extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* output, void* extra);

// Defines EntryPointFunc, handing every command with `effect` (an
// EffectCommands) to runEffectCommand.
#define BRELO_EFFECT_ENTRY_POINT(effect)                                                                  \
  extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,        \
                                             PF_ParamDef* params[], PF_LayerDef* /*output*/, void* extra) { \
    return ::Brelo::runEffectCommand(effect, cmd, in_data, out_data, params, extra);                      \
  }
