// The controls' appearance: ranges, colours and seeds greyed out when the
// current modes make them meaningless, and variance names that follow the
// colour space.
#include "Shell/AppearanceUpdate.h"
#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"

namespace Brelo {

using namespace SimpleLinesParams;

PF_Err simpleLinesUpdateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                                 AEGP_SuiteHandler& suites) {
  if (!params) return PF_Err_BAD_CALLBACK_PARAM;
  AppearanceUpdate ui(in_data, params, suites.ParamUtilsSuite2());

  ui.enableByMode(kWidthMode, kMaxWidth2, kMaxWidth3);
  ui.enableByMode(kGapMode, kMaxGap2, kMaxGap3);
  ui.enableByMode(kHeightMode, kMaxHeight2, kMaxHeight3);
  ui.enableByMode(kColorMode, kColor2, kColor3);

  static const char* const kVarianceNames[3][3] = {
      {"Color R Variance", "Color G Variance", "Color B Variance"},
      {"Color H Variance", "Color L Variance", "Color S Variance"},
      {"Color Y Variance", "Color U Variance", "Color V Variance"},
  };
  // An entry out of range leaves the names as they are.
  const PF_ParamValue space = ui.value(kColorSpace);
  const bool known = space >= kColorSpaceRGB && space <= kColorSpaceYUV;
  for (int i = 0; i < 3; ++i) {
    ui.rename(kColorVariance1 + i, known ? kVarianceNames[space - 1][i] : nullptr);
  }

  // Seeds matter only where a random choice uses them.
  const PF_ParamValue type = ui.value(kWipeType);
  ui.enable(kWipeTypeSeed, type == kWipeTypeXOrY || type == kWipeTypeRandom);
  const PF_ParamValue mode = ui.value(kWipeMode);
  ui.enable(kWipeModeSeed, mode == kWipeModeNormalOrInverse || mode == kWipeModeRandom);
  ui.enable(kWipeOrderSeed, ui.value(kWipeOrder) == kWipeOrderRandom);

  out_data->out_flags |= PF_OutFlag_REFRESH_UI;
  return ui.error();
}

}  // namespace Brelo
