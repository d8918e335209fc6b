// The commands of the SimpleLines effect that are its own (the table in
// BreloPlugin.cpp; the rest: Util/EffectCommands.h), one function each,
// called with the command's own suite handler. Each returns the host's error
// code; a suite the host cannot supply surfaces as MissingSuiteError, which
// runEffectCommand turns into 516.
#pragma once

#include "Util/AEGP_SuiteHandler.h"
#include "Util/AppearanceUpdate.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

void simpleLinesUpdateAppearance(AppearanceUpdate& ui);

PF_Err simpleLinesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
PF_Err simpleLinesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                              AEGP_SuiteHandler& suites);

}  // namespace Brelo
