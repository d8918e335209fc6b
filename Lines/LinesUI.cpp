// The controls' appearance: controls greyed out when the current modes make
// them meaningless, and names that follow the chosen colour model.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"

namespace Brelo {

using namespace LinesParams;

void linesUpdateAppearance(AppearanceUpdate& ui) {
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

  ui.nameVariances(kCompositeVarianceSpace, kCompositeVariance1, "Composite");
}

}  // namespace Brelo
