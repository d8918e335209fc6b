// About box, global set-up, global set-down and parameter set-up of the
// SimpleLines effect.
#include "Shell/EffectGlobal.h"
#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "SimpleLines/SimpleLinesVersion.h"

namespace Brelo {

PF_Err simpleLinesAbout(PF_InData* in_data, PF_OutData* out_data) {
  return effectAbout(in_data, out_data, SimpleLinesVersion::kName, SimpleLinesVersion::kNotice);
}

// Registration with AEGP as the Lines effect does it, although nothing of
// this effect uses the plug-in ID.
PF_Err simpleLinesGlobalSetup(PF_OutData* out_data, AEGP_SuiteHandler& suites) {
  return effectGlobalSetup(out_data, suites);
}

PF_Err simpleLinesGlobalSetdown(PF_InData* in_data, AEGP_SuiteHandler& suites) {
  return effectGlobalSetdown(in_data, suites);
}

PF_Err simpleLinesParamsSetup(PF_InData* in_data, PF_OutData* out_data) {
  return SimpleLinesParams::registerParams(in_data, out_data);
}

}  // namespace Brelo
