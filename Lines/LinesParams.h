// The Lines effect's controls: their indices in the host's parameter array
// (each control's identifier is its index; 0 is the layer itself) and their
// registration.
#pragma once

#include "Util/BreloHostAPI.h"
#include "Util/PatternControls.h"
#include "Util/ScheduleControls.h"

namespace Brelo {
namespace LinesParams {

enum Index : PF_ParamIndex {
  kLayer = 0,
  kCompletion,
  kCenter,
  kAlign,
  kDirection,
  kTotalWidth,
  BRELO_SIZE_CLASS_INDICES(Width),
  BRELO_SIZE_CLASS_INDICES(Gap),
  kWidthSeed,
  kOutside,
  kOriginal,

  kSliceGroup,
  kSliceDirection,
  kMaxSlice,
  kMinSlice,
  kSlicePower,
  kSliceSeed,
  BRELO_SCHEDULE_INDICES(Slice),
  kSliceGroupEnd,

  kRGBGroup,
  kMaxRGBSeparation,
  kMinRGBSeparation,
  kRGBType,
  kRGBColor1,
  kRGBColor2,
  kRGBColor3,
  kRGBSeparationSeed,
  BRELO_SCHEDULE_INDICES(RGB),
  kRGBGroupEnd,

  kColorGroup,
  kColorCorrectionType,
  kBlendWithOriginal,
  kMidtone,
  kColorHDirection,
  kMaxColorHVariance,
  kMinColorHVariance,
  kColorLDirection,
  kMaxColorLVariance,
  kMinColorLVariance,
  kColorSDirection,
  kMaxColorSVariance,
  kMinColorSVariance,
  kColorVarianceSeed,
  BRELO_SCHEDULE_INDICES(Color),
  kColorGroupEnd,

  kCompositeGroup,
  kCompositeOpacity,
  kBlendingMode,
  kCompositeMode,
  kCompositeColor1,
  kCompositeColor2,
  kCompositeColor3,
  kCompositeVarianceSpace,
  kCompositeOverlap,
  kCompositeVariance1,
  kCompositeVariance2,
  kCompositeVariance3,
  kCompositeSeed,
  BRELO_SCHEDULE_INDICES(Composite),
  kCompositeGroupEnd,

  kWipeGroup,
  kWipeType,
  kWipeTypeSeed,
  BRELO_SCHEDULE_INDICES(Wipe),
  kWipeGroupEnd,

  kUtilityGroup,
  kSetExpression,
  kUtilityPer,
  kUtilityOffset,
  kUtilityDelay,
  BRELO_SCHEDULE_RANKING_INDICES(Utility),
  kUtilityGroupEnd,

  // Entries of the host's parameter array, the layer included.
  kCount
};

static_assert(kOriginal == 20 && kSliceGroupEnd == 36 && kRGBGroupEnd == 54 && kColorGroupEnd == 78 &&
                  kCompositeGroupEnd == 101 && kWipeGroupEnd == 114 && kUtilityGroupEnd == 125 && kCount == 126,
              "control indices are the identifiers saved in projects");

// Entries of the popups whose choice the shell acts on (1-based).
enum RGBTypeEntry { kRGBTypeRedGreenBlue = 1, kRGBTypeRedCyan, kRGBTypeBlueYellow, kRGBTypeManual };
enum SetExpressionEntry { kSetExpressionNone = 1, kSetExpressionOptimumTotalWidth };

// Registers every control in index order (the table: LinesParams.cpp); the
// first host error stops the registration and is returned.
PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data);

}  // namespace LinesParams
}  // namespace Brelo
