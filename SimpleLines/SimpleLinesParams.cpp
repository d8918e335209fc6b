#include "SimpleLines/SimpleLinesParams.h"

#include "Brelo/BreloLimits.h"
#include "Util/ControlRow.h"
#include "Util/PopupMappers.h"

namespace Brelo {
namespace SimpleLinesParams {

namespace {

using namespace Control;

constexpr PF_ParamFlags C = PF_ParamFlag_START_COLLAPSED;

const char kAlignTypeMenu[] = "Top|Middle|Bottom";
const char kAlignModeMenu[] = "Normal|Accumulate";
const char kWipeTypeMenu[] = "X|Y|Alternately 1|Alternately 2|X or Y|Fade Out|Random";
const char kWipeModeMenu[] = "Normal|Inverse|Alternately 1|Alternately 2|Normal or Inverse|Both|Random";
const char kOrderMenu[] = "Normal|Inverse|Inward|Outward|Random";

constexpr ControlRow kTable[] = {BRELO_SIMPLELINES_CONTROLS(BRELO_CONTROL_ROW)};

}  // namespace

PF_Err registerParams(PF_InData* in_data, PF_OutData* out_data) {
  return registerControls(in_data, out_data, kTable, kCount - 1);
}

}  // namespace SimpleLinesParams
}  // namespace Brelo
