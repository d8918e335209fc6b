// The commands of the Lines effect that are its own (the table in
// BreloPlugin.cpp; the rest: Util/EffectCommands.h), one function each,
// called with the command's own suite handler. Each returns the host's error
// code; a suite the host cannot supply surfaces as MissingSuiteError, which
// runEffectCommand turns into 516.
#pragma once

#include "Util/AEGP_SuiteHandler.h"
#include "Util/AppearanceUpdate.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

PF_Err linesUserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                             PF_UserChangedParamExtra const* extra, AEGP_SuiteHandler& suites);

void linesUpdateAppearance(AppearanceUpdate& ui);

// "Set Expression" (control 116) after the user picked an entry.
PF_Err linesSetExpression(PF_InData* in_data, PF_ParamDef* params[], AEGP_SuiteHandler& suites);

PF_Err linesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
PF_Err linesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                        AEGP_SuiteHandler& suites);

}  // namespace Brelo
