// The SimpleLines effect's controls: their indices in the host's parameter
// array (each control's identifier is its index; 0 is the layer) and registration.
#pragma once

#include "Util/BreloHostAPI.h"
#include "Util/ColorSetControls.h"
#include "Util/PatternControls.h"
#include "Util/ScheduleControls.h"

// Every control in index order as X(index, row), the rows in Brelo::Control's
// terms with the flags and menus of SimpleLinesParams.cpp. "Both" stays in the
// string of "Align Direction" but is not offered.
#define BRELO_SIMPLELINES_CONTROLS(X)                                                                \
  X(kCenter, point("Center", 50, 50))                                                                \
  X(kWidthAlign, percent("Width Align", 50, C))                                                      \
  X(kDirection, angle("Direction", 90, 0))                                                           \
  X(kTotalWidth, floatSlider("Total Width", 300, 0, kMaxTotalWidth, 0, kMaxTotalWidth, 1, false, 0)) \
  X(kWidthGroup, groupStart("--Width--"))                                                            \
  BRELO_SIZE_CLASS_CONTROLS(X, Width, 50, 20, 30, 1, 500, 1, 100)                                    \
  BRELO_SIZE_CLASS_CONTROLS(X, Gap, 0, 0, 0, 0, 500, 0, 100)                                         \
  X(kWidthSeed, seed("Width Seed", C))                                                               \
  X(kWidthGroupEnd, groupEnd())                                                                      \
  X(kHeightGroup, groupStart("--Height--"))                                                          \
  BRELO_SIZE_CLASS_CONTROLS(X, Height, 300, 100, 200, 0, 500, 0, 500)                                \
  X(kHeightSeed, seed("Height Seed", C))                                                             \
  X(kHeightGroupEnd, groupEnd())                                                                     \
  X(kAlignGroup, groupStart("--Align--"))                                                            \
  X(kAlignType, popup("Align Type", 2, kAlignTypeMenu, 0))                                           \
  X(kAlignDirection, popup("Align Direction", 1, kDirectionMenu, 0, 2))                              \
  X(kAlignMode, popup("Align Mode", 1, kAlignModeMenu, 0))                                           \
  X(kMaxAlignVariance, floatSlider("Max Align Variance", 0, -50000, 50000, -100, 100, 1, false, C))  \
  X(kMinAlignVariance, percent("Min Align Variance", 20, C))                                         \
  X(kAlignPower, power("Align Power"))                                                               \
  X(kAlignSeed, seed("Align Seed", C))                                                               \
  X(kAlignGroupEnd, groupEnd())                                                                      \
  X(kColorGroup, groupStart("--Color--"))                                                            \
  BRELO_COLOR_SET_CONTROLS(X, Color, Color, kColorSpace, "Color", "Color Space", 1)                  \
  X(kColorGroupEnd, groupEnd())                                                                      \
  X(kWipeGroup, groupStart("--Wipe--"))                                                              \
  BRELO_SCHEDULE_TIMING_CONTROLS(X, Wipe, 0)                                                         \
  X(kWipeType, popup("Wipe Type", 1, kWipeTypeMenu, 0))                                              \
  X(kWipeTypeSeed, seed("Wipe Type Seed", C))                                                        \
  X(kWipeMode, popup("Wipe Mode", 1, kWipeModeMenu, 0))                                              \
  X(kWipeModeSeed, seed("Wipe Mode Seed", C))                                                        \
  BRELO_SCHEDULE_RANKING_CONTROLS(X, Wipe, kOrderMenu)                                               \
  X(kWipeGroupEnd, groupEnd())                                                                       \
  X(kScale, floatSlider("Scale", 100, 0, 10000, 0, 100, 1, true, 0))                                 \
  X(kOpacity, percent("Opacity", 100, C))                                                            \
  X(kBlendingMode, popup("Blending Mode", kBlendingModeNormal, kBlendingModeMenuWithNone, 0))

namespace Brelo {
namespace SimpleLinesParams {

BRELO_CONTROL_INDICES(BRELO_SIMPLELINES_CONTROLS);

static_assert(kWidthGroupEnd == 19 && kHeightGroupEnd == 28 && kAlignGroupEnd == 37 && kColorGroupEnd == 49 &&
                  kWipeGroupEnd == 62 && kBlendingMode == 65 && kCount == 66,
              "control indices are the identifiers saved in projects");

// Entries of the popups whose choice the shell acts on (1-based).
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
