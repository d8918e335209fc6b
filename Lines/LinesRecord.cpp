#include "Lines/LinesRecord.h"

#include <cstring>
#include <new>

#include "Util/ColorSetControls.h"
#include "Util/ControlFields.h"
#include "Util/PatternControls.h"
#include "Util/PopupMappers.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

using namespace LinesParams;

namespace {

constexpr std::array<PF_ParamIndex, 103> kOrder = {
    // Layout: 1 to 20.
    kCompletion, kCenter, kAlign, kDirection, kTotalWidth, BRELO_SIZE_CLASS_INDICES(Width),
    BRELO_SIZE_CLASS_INDICES(Gap), kWidthSeed, kOutside, kOriginal,
    // Slice: 29, 30, 27, 28, 22 to 26, 31 to 35.
    kSliceCompletion, kSliceDelay, kSlicePer, kSliceOffset, kSliceDirection, kMaxSlice, kMinSlice, kSlicePower,
    kSliceSeed, BRELO_SCHEDULE_RANKING_INDICES(Slice),
    // RGB Separation: 47, 48, 45, 46, 38, 39, 41, 43, 42, 44, 49 to 53.
    kRGBCompletion, kRGBDelay, kRGBPer, kRGBOffset, kMaxRGBSeparation, kMinRGBSeparation, kRGBColor1, kRGBColor3,
    kRGBColor2, kRGBSeparationSeed, BRELO_SCHEDULE_RANKING_INDICES(RGB),
    // Color Correction: 71, 72, 69, 70, 56 to 68, 73 to 77.
    kColorCompletion, kColorDelay, kColorPer, kColorOffset, kColorCorrectionType, kBlendWithOriginal, kMidtone,
    kColorHDirection, kMaxColorHVariance, kMinColorHVariance, kColorLDirection, kMaxColorLVariance,
    kMinColorLVariance, kColorSDirection, kMaxColorSVariance, kMinColorSVariance, kColorVarianceSeed,
    BRELO_SCHEDULE_RANKING_INDICES(Color),
    // Color Composite: 94, 95, 92, 93, 80 to 91, 96 to 100.
    kCompositeCompletion, kCompositeDelay, kCompositePer, kCompositeOffset, kCompositeOpacity, kBlendingMode,
    kCompositeMode, kCompositeColor1, kCompositeColor2, kCompositeColor3, kCompositeVarianceSpace,
    kCompositeOverlap, kCompositeVariance1, kCompositeVariance2, kCompositeVariance3, kCompositeSeed,
    BRELO_SCHEDULE_RANKING_INDICES(Composite),
    // Wipe: 107, 108, 105, 106, 103, 104, 109 to 113.
    kWipeCompletion, kWipeDelay, kWipePer, kWipeOffset, kWipeType, kWipeTypeSeed,
    BRELO_SCHEDULE_RANKING_INDICES(Wipe),
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

PF_Err readLinesControls(PF_InData* in_data, LinesControlValues& values) {
  return readControls(in_data, kLinesCheckoutOrder.data(), kLinesCheckoutOrder.size(), values.data());
}

namespace {

using namespace ControlRead;
using P = LinesParameter;

constexpr PatternControls kPattern = BRELO_PATTERN_CONTROLS;

// The composite colours: opaque whatever the controls hold, their visibility
// being the channel's opacity, and no space or overlap outside the menus.
ColorSet compositeColorsOf(PF_ParamDef const* values) {
  ColorSet c = readColorSet(values, kCompositeMode);
  c.color1.alpha = c.color2.alpha = c.color3.alpha = 1.0f;
  c.variance_space = getColorSpace(static_cast<int>(c.variance_space));
  c.overlap = getCompositeOverlap(static_cast<int>(c.overlap));
  return c;
}

// Every control outside the pattern, the composite colours and the schedules
// but the RGB colours, which are set together.
const ControlField<P> kFields[] = {
    field<&P::setCompletion, fractionOf>(kCompletion),
    field<&P::setAlign, fractionOf>(kAlign),
    field<&P::setOutside, popupAs<getBorderType>>(kOutside),
    field<&P::setOriginal, checkboxOf>(kOriginal),

    field<&P::setSliceDirection, popupAs<getDirection>>(kSliceDirection),
    field<&P::setSliceMax, lengthOf>(kMaxSlice),
    field<&P::setSliceMin, fractionOf>(kMinSlice),
    field<&P::setSlicePower, realOf>(kSlicePower),
    field<&P::setSliceSeed, sliderOf>(kSliceSeed),

    field<&P::setRGBMax, lengthOf>(kMaxRGBSeparation),
    field<&P::setRGBMin, fractionOf>(kMinRGBSeparation),
    field<&P::setRGBSeed, sliderOf>(kRGBSeparationSeed),

    field<&P::setColorType, popupAs<getColorType>>(kColorCorrectionType),
    field<&P::setColorBlendWithOriginal, fractionOf>(kBlendWithOriginal),
    field<&P::setColorColor, colourOf>(kMidtone),
    field<&P::setColorHDirection, popupAs<getDirection>>(kColorHDirection),
    field<&P::setColorH, degreesOf>(kMaxColorHVariance),
    field<&P::setColorHMin, fractionOf>(kMinColorHVariance),
    field<&P::setColorLDirection, popupAs<getDirection>>(kColorLDirection),
    field<&P::setColorL, percentOf>(kMaxColorLVariance),
    field<&P::setColorLMin, fractionOf>(kMinColorLVariance),
    field<&P::setColorSDirection, popupAs<getDirection>>(kColorSDirection),
    field<&P::setColorS, percentOf>(kMaxColorSVariance),
    field<&P::setColorSMin, fractionOf>(kMinColorSVariance),
    field<&P::setColorSeed, sliderOf>(kColorVarianceSeed),

    field<&P::setCompositeOpacity, fractionOf>(kCompositeOpacity),

    field<&P::setTransitionType, popupAs<getTransitionType>>(kWipeType),
    field<&P::setTransitionTypeSeed, sliderOf>(kWipeTypeSeed),
};

}  // namespace

const LinesScheduleChannel kLinesScheduleChannels[5] = {
    {{BRELO_SCHEDULE_INDICES(Slice)}, &P::setSliceSchedule},
    {{BRELO_SCHEDULE_INDICES(RGB)}, &P::setRGBSchedule},
    {{BRELO_SCHEDULE_INDICES(Color)}, &P::setColorSchedule},
    {{BRELO_SCHEDULE_INDICES(Composite)}, &P::setCompositeSchedule},
    {{BRELO_SCHEDULE_INDICES(Wipe)}, &P::setTransitionSchedule},
};

void fillLinesPreRenderRecord(LinesControlValues const& v, double dsx, LinesPreRenderRecord& r) {
  std::memset(static_cast<void*>(&r), 0, sizeof r);
  new (&r) LinesPreRenderRecord;
  P& p = r.parameter;
  LengthScale const lengths{dsx, 1.0};
  p.setPattern(readPattern(v.data(), kPattern, lengths));
  setFields(p, kFields, v.data(), lengths);
  p.setCompositeColors(compositeColorsOf(v.data()));
  for (LinesScheduleChannel const& c : kLinesScheduleChannels) {
    (p.*c.engine)(readSchedule(v.data(), c.controls, getOrderType));
  }
  // The engine's second colour is the third control and vice versa.
  p.setRGBColor(colourOf(v[kRGBColor1], lengths), colourOf(v[kRGBColor3], lengths), colourOf(v[kRGBColor2], lengths));
  r.blend_mode = popupOf(v[kBlendingMode], lengths);
}

BorderType getBorderType(int entry) {
  static constexpr BorderType kTypes[] = {BorderType::None, BorderType::Wrap, BorderType::Reflect};
  return kTypes[popupEntry(entry, 3) - 1];
}

}  // namespace Brelo
