// The controls' appearance: ranges, colours and seeds greyed out when the current modes
// make them meaningless, and variance names that follow the colour space.
#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"

namespace Brelo {

using namespace SimpleLinesParams;

void simpleLinesUpdateAppearance(AppearanceUpdate& ui) {
  ui.enableByMode(kWidthMode, kMaxWidth2, kMaxWidth3);
  ui.enableByMode(kGapMode, kMaxGap2, kMaxGap3);
  ui.enableByMode(kHeightMode, kMaxHeight2, kMaxHeight3);
  ui.enableByMode(kColorMode, kColor2, kColor3);

  ui.nameVariances(kColorSpace, kColorVariance1, "Color");

  // Seeds matter only where a random choice uses them.
  const PF_ParamValue type = ui.value(kWipeType);
  ui.enable(kWipeTypeSeed, type == kWipeTypeXOrY || type == kWipeTypeRandom);
  const PF_ParamValue mode = ui.value(kWipeMode);
  ui.enable(kWipeModeSeed, mode == kWipeModeNormalOrInverse || mode == kWipeModeRandom);
  ui.enable(kWipeOrderSeed, ui.value(kWipeOrder) == kWipeOrderRandom);
}

}  // namespace Brelo
