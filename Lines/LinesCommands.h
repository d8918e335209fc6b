// The Lines effect's own commands (the table in BreloPlugin.cpp; the rest:
// Util/EffectCommands.h), each called with the command's suite handler.
#pragma once

#include "Util/EffectCommands.h"

namespace Brelo {

// Tells the host that a user change rewrote `def`'s value.
inline void markChanged(PF_ParamDef* def) { def->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE; }

PF_Err linesUserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                             PF_UserChangedParamExtra const* extra, AEGP_SuiteHandler& suites);

void linesUpdateAppearance(AppearanceUpdate& ui);

// "Set Expression" (control 116) after the user picked an entry.
PF_Err linesSetExpression(PF_InData* in_data, PF_ParamDef* params[], AEGP_SuiteHandler& suites);

PF_Err linesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
PF_Err linesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                        AEGP_SuiteHandler& suites);

}  // namespace Brelo
