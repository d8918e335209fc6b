// The Lines effect's controls: their indices in the host's parameter array
// (each control's identifier is its index; 0 is the layer) and registration.
#pragma once

#include "Util/BreloHostAPI.h"
#include "Util/ColorSetControls.h"
#include "Util/PatternControls.h"
#include "Util/ScheduleControls.h"

// Every control in index order as X(index, row), the rows in Brelo::Control's
// terms with the flags and menus of LinesParams.cpp. Utility edits are copied
// into the five channels, so they are supervised and never animated.
#define BRELO_LINES_CONTROLS(X)                                                                       \
  X(kCompletion, percent("Completion", 100, 0))                                                       \
  X(kCenter, point("Center", 50, 50))                                                                 \
  X(kAlign, percent("Align", 50, C))                                                                  \
  X(kDirection, angle("Direction", 90, 0))                                                            \
  X(kTotalWidth, floatSlider("Total Width", 300, 0, kMaxTotalWidth, 0, kMaxTotalWidth, 1, false, 0))  \
  BRELO_SIZE_CLASS_CONTROLS(X, Width, 50, 20, 30, 1, 50000, 1, 100)                                   \
  BRELO_SIZE_CLASS_CONTROLS(X, Gap, 0, 0, 0, 0, 50000, 0, 100)                                        \
  X(kWidthSeed, seed("Width Seed", C))                                                                \
  X(kOutside, popup("Outside", 3, kOutsideMenu, 0))                                                   \
  X(kOriginal, checkbox("Original", false))                                                           \
  X(kSliceGroup, groupStart("--Slice--"))                                                             \
  X(kSliceDirection, popup("Slice Direction", 3, kDirectionMenu, 0))                                  \
  X(kMaxSlice, floatSlider("Max Slice", 0, -10000, 10000, -100, 100, 1, false, C))                    \
  X(kMinSlice, percent("Min Slice", 20, C))                                                           \
  X(kSlicePower, power("Slice Power"))                                                                \
  X(kSliceSeed, seed("Slice Seed", C))                                                                \
  BRELO_SCHEDULE_CONTROLS(X, Slice, 100, kOrderMenu)                                                  \
  X(kSliceGroupEnd, groupEnd())                                                                       \
  X(kRGBGroup, groupStart("--RGB Separation--"))                                                      \
  X(kMaxRGBSeparation, floatSlider("Max RGB Separation", 0, -10000, 10000, -100, 100, 1, false, C))   \
  X(kMinRGBSeparation, percent("Min RGB Separation", 20, C))                                          \
  X(kRGBType, popup("RGB Type", 1, kRGBTypeMenu, T | S))                                              \
  X(kRGBColor1, color("RGB Color 1", 255, 0, 0, S))                                                   \
  X(kRGBColor2, color("RGB Color 2", 0, 255, 0, S))                                                   \
  X(kRGBColor3, color("RGB Color 3", 0, 0, 255, S))                                                   \
  X(kRGBSeparationSeed, seed("RGB Separation Seed", C))                                               \
  BRELO_SCHEDULE_CONTROLS(X, RGB, 100, kOrderMenu)                                                    \
  X(kRGBGroupEnd, groupEnd())                                                                         \
  X(kColorGroup, groupStart("--Color Correction--"))                                                  \
  X(kColorCorrectionType, popup("Color Correction Type", 1, kColorTypeMenu, 0))                       \
  X(kBlendWithOriginal, percent("Blend With Original", 0, C))                                         \
  X(kMidtone, color("Midtone", 128, 100, 70, 0))                                                      \
  X(kColorHDirection, popup("Color H Direction", 3, kDirectionMenu, 0))                               \
  X(kMaxColorHVariance, angle("Max Color H Variance", 30, C))                                         \
  X(kMinColorHVariance, percent("Min Color H Variance", 0, C))                                        \
  X(kColorLDirection, popup("Color L Direction", 3, kDirectionMenu, 0))                               \
  X(kMaxColorLVariance, floatSlider("Max Color L Variance", 0, -200, 200, -100, 100, 1, true, C | S)) \
  X(kMinColorLVariance, percent("Min Color L Variance", 0, C))                                        \
  X(kColorSDirection, popup("Color S Direction", 3, kDirectionMenu, 0))                               \
  X(kMaxColorSVariance, floatSlider("Max Color S Variance", 0, -200, 200, -100, 100, 1, true, C | S)) \
  X(kMinColorSVariance, percent("Min Color S Variance", 0, C))                                        \
  X(kColorVarianceSeed, seed("Color Variance Seed", C))                                               \
  BRELO_SCHEDULE_CONTROLS(X, Color, 100, kOrderMenu)                                                  \
  X(kColorGroupEnd, groupEnd())                                                                       \
  X(kCompositeGroup, groupStart("--Color Composite--"))                                               \
  X(kCompositeOpacity, percent("Composite Opacity", 0, C))                                            \
  X(kBlendingMode, popup("Blending Mode", 6, kBlendingModeMenu, 0))                                   \
  BRELO_COLOR_SET_CONTROLS(X, Composite, CompositeColor, kCompositeVarianceSpace, "Composite Color",  \
                           "Composite Variance Space", 2)                                             \
  BRELO_SCHEDULE_CONTROLS(X, Composite, 100, kOrderMenu)                                              \
  X(kCompositeGroupEnd, groupEnd())                                                                   \
  X(kWipeGroup, groupStart("--Wipe--"))                                                               \
  X(kWipeType, popup("Wipe Type", 1, kWipeTypeMenu, 0))                                               \
  X(kWipeTypeSeed, seed("Wipe Type Seed", C))                                                         \
  BRELO_SCHEDULE_CONTROLS(X, Wipe, 0, kOrderMenu)                                                     \
  X(kWipeGroupEnd, groupEnd())                                                                        \
  X(kUtilityGroup, groupStart("--Utility--"))                                                         \
  X(kSetExpression, popup("Set Expression", 1, kSetExpressionMenu, T | S))                            \
  X(kUtilityPer, intSlider("Utility Per", 1, 1, 100, 1, 5, T | S))                                    \
  X(kUtilityOffset, intSlider("Utility Offset", 0, 0, 100, 0, 5, T | S))                              \
  X(kUtilityDelay, percent("Utility Delay", 0, T | S))                                                \
  X(kUtilityOrder, popup("Utility Order", 1, kOrderMenu, T | S))                                      \
  X(kUtilityOrderPhase, angle("Utility Order Phase", 0, T | C | S))                                   \
  X(kUtilityOrderSeed, seed("Utility Order Seed", T | S))                                             \
  X(kUtilityEasingType, popup("Utility Easing Type", 1, kEasingTypeMenu, T | S))                      \
  X(kUtilityEasingMode, popup("Utility Easing Mode", 1, kEasingModeMenu, T | S))                      \
  X(kUtilityGroupEnd, groupEnd())

namespace Brelo {
namespace LinesParams {

BRELO_CONTROL_INDICES(BRELO_LINES_CONTROLS);

static_assert(kOriginal == 20 && kSliceGroupEnd == 36 && kRGBGroupEnd == 54 && kColorGroupEnd == 78 &&
                  kCompositeGroupEnd == 101 && kWipeGroupEnd == 114 && kUtilityGroupEnd == 125 && kCount == 126,
              "control indices are the identifiers saved in projects");

// Entries of the popups whose choice the shell acts on (1-based).
enum RGBTypeEntry { kRGBTypeRedGreenBlue = 1, kRGBTypeRedCyan, kRGBTypeBlueYellow, kRGBTypeManual };
enum SetExpressionEntry { kSetExpressionNone = 1, kSetExpressionOptimumTotalWidth };

// Registers every control in index order; the first host error stops the
// registration and is returned.
PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data);

}  // namespace LinesParams
}  // namespace Brelo
