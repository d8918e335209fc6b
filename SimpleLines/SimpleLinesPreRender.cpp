// Smart pre-render of the SimpleLines effect: the whole layer requested,
// the controls read and converted into the pre-render record.
#include <iterator>
#include <new>

#include "Shell/PreRenderHandle.h"
#include "Shell/SmartPreRender.h"
#include "SimpleLines/SimpleLinesCommands.h"
#include "SimpleLines/SimpleLinesParams.h"
#include "SimpleLines/SimpleLinesRecord.h"

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

}  // namespace

PF_Err simpleLinesSmartPreRender(PF_InData* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites) {
  requestWholeLayer(in_data, extra);

  PreRenderHandle data(in_data, extra, suites, sizeof(SimpleLinesRecord));
  if (PF_Err err = data.error()) return err;

  PF_ParamDef values[kCount] = {};
  if (PF_Err err = readControls(in_data, kReadOrder, std::size(kReadOrder), values)) return err;

  PF_CheckoutResult checkout = {};
  if (PF_Err err = checkoutWholeInput(in_data, extra, &checkout)) return err;

  const double dsx = static_cast<double>(in_data->downsample_x.num) / static_cast<double>(in_data->downsample_x.den);
  new (data.record()) SimpleLinesRecord(makeSimpleLinesRecord(values, dsx));
  data.commit();

  claimInputArea(checkout, extra);
  return PF_Err_NONE;
}

}  // namespace Brelo
