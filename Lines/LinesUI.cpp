// The controls' appearance: controls greyed out when the current modes make
// them meaningless, and names that follow the chosen colour model.
#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"

namespace Brelo {

using namespace LinesParams;

void linesUpdateAppearance(AppearanceUpdate& ui) {
  ui.enableByMode(kWidthMode, kMaxWidth2, kMaxWidth3);
  ui.enableByMode(kGapMode, kMaxGap2, kMaxGap3);

  // HLS has no colour to blend, and the colour keeps its last name. Entries
  // out of range count as the first (Tritone), as they do at render.
  const PF_ParamValue type = ui.value(kColorCorrectionType);
  ui.enable(kBlendWithOriginal, type != 3);
  ui.enable(kMidtone, type != 3, type == 3 ? nullptr : (type == 2 ? "Tint" : "Midtone"));

  ui.enableByMode(kCompositeMode, kCompositeColor2, kCompositeColor3);

  ui.nameVariances(kCompositeVarianceSpace, kCompositeVariance1, "Composite");
}

}  // namespace Brelo
