// About box, global set-up and global set-down of the Lines effect.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Lines/LinesVersion.h"
#include "Shell/EffectGlobal.h"

namespace Brelo {

PF_Err linesAbout(PF_InData* in_data, PF_OutData* out_data) {
  return effectAbout(in_data, out_data, LinesVersion::kName, LinesVersion::kNotice);
}

PF_Err linesGlobalSetup(PF_InData* /*in_data*/, PF_OutData* out_data, AEGP_SuiteHandler& suites) {
  return effectGlobalSetup(out_data, suites);
}

PF_Err linesGlobalSetdown(PF_InData* in_data, AEGP_SuiteHandler& suites) {
  return effectGlobalSetdown(in_data, suites);
}

PF_Err linesParamsSetup(PF_InData* in_data, PF_OutData* out_data) {
  return LinesParams::registerParams(in_data, out_data);
}

}  // namespace Brelo
