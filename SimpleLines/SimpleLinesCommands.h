// The SimpleLines effect's own commands (the table in BreloPlugin.cpp; the
// rest: Util/EffectCommands.h), each called with the command's suite handler.
#pragma once

#include "Util/EffectCommands.h"

namespace Brelo {

void simpleLinesUpdateAppearance(AppearanceUpdate& ui);

PF_Err simpleLinesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites);
PF_Err simpleLinesSmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra,
                              AEGP_SuiteHandler& suites);

}  // namespace Brelo
