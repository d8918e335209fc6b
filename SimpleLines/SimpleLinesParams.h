// The SimpleLines effect's controls: their indices in the host's parameter
// array (each control's identifier is its index; 0 is the layer itself) and
// their registration.
#pragma once

#include "Util/BreloHostAPI.h"
#include "Util/PatternControls.h"
#include "Util/ScheduleControls.h"

namespace Brelo {
namespace SimpleLinesParams {

enum Index : PF_ParamIndex {
  kLayer = 0,
  kCenter,
  kWidthAlign,
  kDirection,
  kTotalWidth,

  kWidthGroup,
  BRELO_SIZE_CLASS_INDICES(Width),
  BRELO_SIZE_CLASS_INDICES(Gap),
  kWidthSeed,
  kWidthGroupEnd,

  kHeightGroup,
  BRELO_SIZE_CLASS_INDICES(Height),
  kHeightSeed,
  kHeightGroupEnd,

  kAlignGroup,
  kAlignType,
  kAlignDirection,
  kAlignMode,
  kMaxAlignVariance,
  kMinAlignVariance,
  kAlignPower,
  kAlignSeed,
  kAlignGroupEnd,

  kColorGroup,
  kColorMode,
  kColor1,
  kColor2,
  kColor3,
  kColorSpace,
  kColorOverlap,
  kColorVariance1,
  kColorVariance2,
  kColorVariance3,
  kColorSeed,
  kColorGroupEnd,

  kWipeGroup,
  kWipeCompletion,
  kWipeDelay,
  kWipeType,
  kWipeTypeSeed,
  kWipeMode,
  kWipeModeSeed,
  BRELO_SCHEDULE_RANKING_INDICES(Wipe),
  kWipeGroupEnd,

  kScale,
  kOpacity,
  kBlendingMode,

  // Entries of the host's parameter array, the layer included.
  kCount
};

static_assert(kWidthGroupEnd == 19 && kHeightGroupEnd == 28 && kAlignGroupEnd == 37 && kColorGroupEnd == 49 &&
                  kWipeGroupEnd == 62 && kBlendingMode == 65 && kCount == 66,
              "control indices are the identifiers saved in projects");

// Entries of the popups whose choice the shell acts on (1-based).
enum ColorSpaceEntry { kColorSpaceRGB = 1, kColorSpaceHLS, kColorSpaceYUV };
enum WipeTypeEntry { kWipeTypeXOrY = 5, kWipeTypeRandom = 7 };
enum WipeModeEntry { kWipeModeNormalOrInverse = 5, kWipeModeRandom = 7 };
enum WipeOrderEntry { kWipeOrderRandom = 5 };
// "None" and the separator after it paint over transparency; from "Normal"
// on the bars go over the layer.
enum BlendingModeEntry { kBlendingModeNone = 1, kBlendingModeNormal = 3 };

// Registers every control in index order; the first host error stops the
// registration and is returned.
PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data);

}  // namespace SimpleLinesParams
}  // namespace Brelo
