#include "Lines/LinesParams.h"

#include "Brelo/BreloLimits.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {
namespace LinesParams {

namespace {

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;
constexpr PF_ParamFlags S = PF_ParamFlag_SUPERVISE;
constexpr PF_ParamFlags T = PF_ParamFlag_CANNOT_TIME_VARY;

const char kOutsideMenu[] = "Transparent|Wrap|Reflect";
const char kOrderMenu[] = "Normal|Inverse|Inward|Outward|Random|Inverse Random";
const char kRGBTypeMenu[] = "Red/Green/Blue|Red/Cyan|Blue/Yellow|Manual";
const char kColorTypeMenu[] = "Tritone|Tint|HLS";
const char kWipeTypeMenu[] = "Normal|Inverse|Normal or Inverse|Both|Normal or Inverse or Both|Fade Out|Random";
const char kSetExpressionMenu[] = "-------------------------|Optimum Total Width";

using namespace Control;

constexpr ControlRow kTable[] = {BRELO_LINES_CONTROLS(BRELO_CONTROL_ROW)};

}  // namespace

PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data) {
  return registerControls(in_data, out_data, kTable, kCount - 1);
}

}  // namespace LinesParams
}  // namespace Brelo
