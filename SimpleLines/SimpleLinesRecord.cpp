#include "SimpleLines/SimpleLinesRecord.h"

#include <iterator>

#include "SimpleLines/SimpleLinesParams.h"
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
    kWidthMode, kMaxWidth1, kMaxWidth2, kMaxWidth3, kMinWidth, kWidthPower,
    kGapMode, kMaxGap1, kMaxGap2, kMaxGap3, kMinGap, kGapPower, kWidthSeed,
    kHeightMode, kMaxHeight1, kMaxHeight2, kMaxHeight3, kMinHeight, kHeightPower, kHeightSeed,
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

ColorSpace colorSpaceOf(int entry) { return ColorSpace(entry); }
ColorOverlap colorOverlapOf(int entry) { return ColorOverlap(entry); }

constexpr PatternControls kPattern = {kCenter,   kDirection, kTotalWidth, kWidthMode, kMaxWidth1, kMaxWidth2,
                                      kMaxWidth3, kMinWidth, kWidthPower, kGapMode,  kMaxGap1,   kMaxGap2,
                                      kMaxGap3,   kMinGap,   kGapPower,   kWidthSeed};

// Every control outside the pattern and the wipe's schedule.
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
    field<&P::setColorNum, popupOf>(kColorMode),
    field<&P::setColorColor1, colourOf>(kColor1),
    field<&P::setColorColor2, colourOf>(kColor2),
    field<&P::setColorColor3, colourOf>(kColor3),
    // Stored as the host gives them: the engine copes with any value.
    field<&P::setColorVarianceSpace, popupAs<colorSpaceOf>>(kColorSpace),
    field<&P::setColorOverlap, popupAs<colorOverlapOf>>(kColorOverlap),
    field<&P::setColorVariance1, fractionOf>(kColorVariance1),
    field<&P::setColorVariance2, fractionOf>(kColorVariance2),
    field<&P::setColorVariance3, fractionOf>(kColorVariance3),
    field<&P::setColorSeed, sliderOf>(kColorSeed),
    field<&P::setTransitionType, popupAs<simpleLinesTransitionType>>(kWipeType),
    field<&P::setTransitionTypeSeed, sliderOf>(kWipeTypeSeed),
    field<&P::setTransitionMode, popupAs<simpleLinesTransitionMode>>(kWipeMode),
    field<&P::setTransitionModeSeed, sliderOf>(kWipeModeSeed),
    field<&P::setOpacity, fractionOf>(kOpacity),
    field<&P::setBlendMode, popupAs<simpleLinesBlendMode>>(kBlendingMode),
};

// The wipe has no Per and Offset controls: every bar takes part.
constexpr ScheduleControls kWipeSchedule = {0,           0,           kWipeCompletion, kWipeDelay,     kWipeOrder,
                                            kWipeOrderPhase, kWipeOrderSeed, kWipeEasingType, kWipeEasingMode};

}  // namespace

PF_Err readSimpleLinesControls(PF_InData* in_data, PF_ParamDef (&values)[SimpleLinesParams::kCount]) {
  return readControls(in_data, kReadOrder, std::size(kReadOrder), values);
}

SimpleLinesRecord makeSimpleLinesRecord(PF_ParamDef const* values, double dsx) {
  SimpleLinesRecord r;
  LengthScale const lengths{dsx, values[kScale].u.fs_d.value * 0.01};
  r.parameter.setPattern(readPattern(values, kPattern, lengths));
  setFields(r.parameter, kFields, values, lengths);
  r.parameter.setTransitionSchedule(readSchedule(values, kWipeSchedule, simpleLinesOrderType));
  r.blend_mode = values[kBlendingMode].u.pd.value;
  return r;
}

SimpleLinesParameter::AlignType simpleLinesAlignType(int entry) {
  return SimpleLinesParameter::AlignType(popupEntry(entry, 3));
}

SimpleLinesParameter::AlignDirection simpleLinesAlignDirection(int entry) {
  return SimpleLinesParameter::AlignDirection(popupEntry(entry, 3));
}

SimpleLinesParameter::AlignMode simpleLinesAlignMode(int entry) {
  return SimpleLinesParameter::AlignMode(popupEntry(entry, 2));
}

SimpleLinesParameter::TransitionType simpleLinesTransitionType(int entry) {
  return SimpleLinesParameter::TransitionType(popupEntry(entry, 7));
}

SimpleLinesParameter::TransitionMode simpleLinesTransitionMode(int entry) {
  return SimpleLinesParameter::TransitionMode(popupEntry(entry, 7));
}

// The menu has no "Inverse Random": entry 6 is out of range here.
OrderType simpleLinesOrderType(int entry) { return OrderType(popupEntry(entry, 5)); }

// "Normal" is entry 3.
BlendMode simpleLinesBlendMode(int entry) { return blendModeFromNormal(entry - 2); }

bool simpleLinesOverLayer(int entry) { return entry >= kBlendingModeNormal; }

SimpleLinesParameter makeSimpleLinesParameter(SimpleLinesRecord const& r, Vector<double> const& input_origin) {
  return centredIn(r.parameter, input_origin);
}

}  // namespace Brelo
