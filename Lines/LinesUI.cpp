// The controls' appearance: controls greyed out when the current modes make
// them meaningless, and names that follow the chosen colour model.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Shell/AppearanceUpdate.h"

namespace Brelo {

using namespace LinesParams;

PF_Err linesUpdateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                           AEGP_SuiteHandler& suites) {
  if (!params) return PF_Err_BAD_CALLBACK_PARAM;
  AppearanceUpdate ui(in_data, params, suites.ParamUtilsSuite2());

  ui.enableByMode(kWidthMode, kMaxWidth2, kMaxWidth3);
  ui.enableByMode(kGapMode, kMaxGap2, kMaxGap3);

  // Entries out of range count as the first, as they do at render.
  switch (ui.value(kColorCorrectionType)) {
    case 3:  // HLS: no colour to blend; the colour keeps its last name
      ui.enable(kBlendWithOriginal, false);
      ui.enable(kMidtone, false);
      break;
    case 2:  // Tint
      ui.enable(kBlendWithOriginal, true);
      ui.enable(kMidtone, true, "Tint");
      break;
    default:  // Tritone
      ui.enable(kBlendWithOriginal, true);
      ui.enable(kMidtone, true, "Midtone");
      break;
  }

  ui.enableByMode(kCompositeMode, kCompositeColor2, kCompositeColor3);

  static const char* const kVarianceNames[3][3] = {
      {"Composite R Variance", "Composite G Variance", "Composite B Variance"},
      {"Composite H Variance", "Composite L Variance", "Composite S Variance"},
      {"Composite Y Variance", "Composite U Variance", "Composite V Variance"},
  };
  const PF_ParamValue space = ui.value(kCompositeVarianceSpace);
  const bool known = space >= 1 && space <= 3;
  for (int i = 0; i < 3; ++i) {
    ui.rename(kCompositeVariance1 + i, known ? kVarianceNames[space - 1][i] : nullptr);
  }

  out_data->out_flags |= PF_OutFlag_REFRESH_UI;
  return ui.error();
}

}  // namespace Brelo
