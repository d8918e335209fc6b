#include "SimpleLines/SimpleLinesRecord.h"

#include <iterator>

#include "SimpleLines/SimpleLinesParams.h"
#include "Util/ColorSetControls.h"
#include "Util/ControlFields.h"
#include "Util/PatternControls.h"
#include "Util/PopupMappers.h"
#include "Util/ScheduleControls.h"
#include "Util/SmartPreRender.h"

namespace Brelo {

using namespace SimpleLinesParams;

namespace {

// Every control the record needs, in the order they are read.
constexpr PF_ParamIndex kReadOrder[] = {
    kCenter, kWidthAlign, kDirection, kTotalWidth,
    BRELO_SIZE_CLASS_INDICES(Width), BRELO_SIZE_CLASS_INDICES(Gap), kWidthSeed,
    BRELO_SIZE_CLASS_INDICES(Height), kHeightSeed,
    kMaxAlignVariance, kMinAlignVariance, kAlignPower, kAlignSeed,
    kAlignType, kAlignDirection, kAlignMode,
    kColorMode, kColor1, kColor2, kColor3, kColorSpace, kColorOverlap,
    kColorVariance1, kColorVariance2, kColorVariance3, kColorSeed,
    kWipeCompletion, kWipeDelay, kWipeType, kWipeTypeSeed, kWipeMode, kWipeModeSeed,
    kWipeOrder, kWipeOrderPhase, kWipeOrderSeed, kWipeEasingType, kWipeEasingMode,
    kScale, kOpacity, kBlendingMode,
};

using namespace ControlRead;
using P = SimpleLinesParameter;

constexpr PatternControls kPattern = BRELO_PATTERN_CONTROLS;

// Every control outside the pattern, the colours and the wipe's schedule.
const ControlField<P> kFields[] = {
    field<&P::setWidthAlign, fractionOf>(kWidthAlign),
    field<&P::setHeightNum, popupOf>(kHeightMode),
    field<&P::setHeightMax1, lengthOf>(kMaxHeight1),
    field<&P::setHeightMax2, lengthOf>(kMaxHeight2),
    field<&P::setHeightMax3, lengthOf>(kMaxHeight3),
    field<&P::setHeightMin, fractionOf>(kMinHeight),
    field<&P::setHeightPower, realOf>(kHeightPower),
    field<&P::setHeightSeed, sliderOf>(kHeightSeed),
    field<&P::setAlignType, popupAs<simpleLinesAlignType>>(kAlignType),
    field<&P::setAlignDirection, popupAs<simpleLinesAlignDirection>>(kAlignDirection),
    field<&P::setAlignMode, popupAs<simpleLinesAlignMode>>(kAlignMode),
    field<&P::setAlignMax, lengthOf>(kMaxAlignVariance),
    field<&P::setAlignMin, fractionOf>(kMinAlignVariance),
    field<&P::setAlignPower, realOf>(kAlignPower),
    field<&P::setAlignSeed, sliderOf>(kAlignSeed),
    field<&P::setTransitionType, popupAs<simpleLinesTransitionType>>(kWipeType),
    field<&P::setTransitionTypeSeed, sliderOf>(kWipeTypeSeed),
    field<&P::setTransitionMode, popupAs<simpleLinesTransitionMode>>(kWipeMode),
    field<&P::setTransitionModeSeed, sliderOf>(kWipeModeSeed),
    field<&P::setOpacity, fractionOf>(kOpacity),
    field<&P::setBlendMode, popupAs<simpleLinesBlendMode>>(kBlendingMode),
};

// The wipe has no Per and Offset controls: every bar takes part.
constexpr ScheduleControls kWipeSchedule = {0, 0, kWipeCompletion, kWipeDelay, BRELO_SCHEDULE_RANKING_INDICES(Wipe)};

}  // namespace

PF_Err readSimpleLinesControls(PF_InData* in_data, SimpleLinesControlValues& values) {
  return readControls(in_data, kReadOrder, std::size(kReadOrder), values.data());
}

SimpleLinesRecord makeSimpleLinesRecord(PF_ParamDef const* values, double dsx) {
  SimpleLinesRecord r;
  LengthScale const lengths{dsx, values[kScale].u.fs_d.value * 0.01};
  r.parameter.setPattern(readPattern(values, kPattern, lengths));
  setFields(r.parameter, kFields, values, lengths);
  // Space and overlap stay as the host gives them: the engine copes with any value.
  r.parameter.setColorColors(readColorSet(values, kColorMode));
  r.parameter.setTransitionSchedule(readSchedule(values, kWipeSchedule, simpleLinesOrderType));
  r.blend_mode = values[kBlendingMode].u.pd.value;
  return r;
}

}  // namespace Brelo
