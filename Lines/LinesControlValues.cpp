#include "Lines/LinesControlValues.h"

#include <cstring>

#include "Util/SmartPreRender.h"

namespace Brelo {

using namespace LinesParams;

namespace {

constexpr std::array<PF_ParamIndex, 103> kOrder = {
    // Layout: 1 to 20.
    kCompletion, kCenter, kAlign, kDirection, kTotalWidth, kWidthMode, kMaxWidth1, kMaxWidth2, kMaxWidth3,
    kMinWidth, kWidthPower, kGapMode, kMaxGap1, kMaxGap2, kMaxGap3, kMinGap, kGapPower, kWidthSeed, kOutside,
    kOriginal,
    // Slice: 29, 30, 27, 28, 22 to 26, 31 to 35.
    kSliceCompletion, kSliceDelay, kSlicePer, kSliceOffset, kSliceDirection, kMaxSlice, kMinSlice, kSlicePower,
    kSliceSeed, kSliceOrder, kSliceOrderPhase, kSliceOrderSeed, kSliceEasingType, kSliceEasingMode,
    // RGB Separation: 47, 48, 45, 46, 38, 39, 41, 43, 42, 44, 49 to 53.
    kRGBCompletion, kRGBDelay, kRGBPer, kRGBOffset, kMaxRGBSeparation, kMinRGBSeparation, kRGBColor1, kRGBColor3,
    kRGBColor2, kRGBSeparationSeed, kRGBOrder, kRGBOrderPhase, kRGBOrderSeed, kRGBEasingType, kRGBEasingMode,
    // Color Correction: 71, 72, 69, 70, 56 to 68, 73 to 77.
    kColorCompletion, kColorDelay, kColorPer, kColorOffset, kColorCorrectionType, kBlendWithOriginal, kMidtone,
    kColorHDirection, kMaxColorHVariance, kMinColorHVariance, kColorLDirection, kMaxColorLVariance,
    kMinColorLVariance, kColorSDirection, kMaxColorSVariance, kMinColorSVariance, kColorVarianceSeed, kColorOrder,
    kColorOrderPhase, kColorOrderSeed, kColorEasingType, kColorEasingMode,
    // Color Composite: 94, 95, 92, 93, 80 to 91, 96 to 100.
    kCompositeCompletion, kCompositeDelay, kCompositePer, kCompositeOffset, kCompositeOpacity, kBlendingMode,
    kCompositeMode, kCompositeColor1, kCompositeColor2, kCompositeColor3, kCompositeVarianceSpace,
    kCompositeOverlap, kCompositeVariance1, kCompositeVariance2, kCompositeVariance3, kCompositeSeed,
    kCompositeOrder, kCompositeOrderPhase, kCompositeOrderSeed, kCompositeEasingType, kCompositeEasingMode,
    // Wipe: 107, 108, 105, 106, 103, 104, 109 to 113.
    kWipeCompletion, kWipeDelay, kWipePer, kWipeOffset, kWipeType, kWipeTypeSeed, kWipeOrder, kWipeOrderPhase,
    kWipeOrderSeed, kWipeEasingType, kWipeEasingMode,
};

// A missing initialiser would leave index 0, the layer, in the list.
constexpr bool everyEntryAControlOnce() {
  for (std::size_t i = 0; i < kOrder.size(); ++i) {
    if (kOrder[i] < 1 || kOrder[i] >= kCount) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kOrder[j] == kOrder[i]) return false;
    }
  }
  return true;
}
static_assert(everyEntryAControlOnce(), "the check-out order names each control once");

}  // namespace

const std::array<PF_ParamIndex, 103> kLinesCheckoutOrder = kOrder;

LinesControlValues::LinesControlValues() { std::memset(m_values.data(), 0, sizeof m_values); }

PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values) {
  return readControls(in_data, kLinesCheckoutOrder.data(), kLinesCheckoutOrder.size(), values.data());
}

}  // namespace Brelo
