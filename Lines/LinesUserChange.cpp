// Edits of supervised controls: RGB Type presets, RGB colours switching the
// type to Manual, and the Utility group's copies into the five channels.
#include <cstring>

#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Lines/LinesRecord.h"

namespace Brelo {

using namespace LinesParams;

namespace {

void applyRGBPreset(PF_ParamDef* params[]) {
  static const A_u_char kPresets[3][3][3] = {
      {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},  // Red/Green/Blue
      {{255, 0, 0}, {0, 0, 0}, {0, 255, 255}},  // Red/Cyan
      {{0, 0, 255}, {0, 0, 0}, {255, 255, 0}},  // Blue/Yellow
  };
  const PF_ParamValue entry = params[kRGBType]->u.pd.value;
  if (entry < kRGBTypeRedGreenBlue || entry > kRGBTypeBlueYellow) return;  // Manual keeps the colours
  for (int c = 0; c < 3; ++c) {
    A_u_char const* rgb = kPresets[entry - kRGBTypeRedGreenBlue][c];
    PF_Pixel& value = params[kRGBColor1 + c]->u.cd.value;
    value = PF_Pixel{value.alpha, rgb[0], rgb[1], rgb[2]};
    markChanged(params[kRGBColor1 + c]);
  }
}

// The Utility controls as a schedule's (there is no Utility Completion).
constexpr ScheduleControls kUtility = {kUtilityPer, kUtilityOffset, 0, kUtilityDelay,
                                       BRELO_SCHEDULE_RANKING_INDICES(Utility)};
using S = ScheduleControls;
using Setting = PF_ParamIndex S::*;
constexpr Setting kSettings[] = {&S::per,   &S::offset,     &S::delay,       &S::order,
                                 &S::order_phase, &S::order_seed, &S::easing_type, &S::easing_mode};

// Every Utility control and its targets are 32-bit kinds of the same kind,
// so the value word is copied as it is.
void copyUtility(PF_ParamDef* params[], Setting setting) {
  A_long word;
  std::memcpy(&word, &params[kUtility.*setting]->u, sizeof word);
  for (LinesScheduleChannel const& channel : kLinesScheduleChannels) {
    PF_ParamDef* target = params[channel.controls.*setting];
    std::memcpy(&target->u, &word, sizeof word);
    markChanged(target);
  }
}

}  // namespace

PF_Err linesUserChangedParam(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                             PF_UserChangedParamExtra const* extra, AEGP_SuiteHandler& suites) {
  // Set first, so that the frame is redrawn whatever happens below.
  out_data->out_flags |= PF_OutFlag_FORCE_RERENDER;
  if (!params || !extra) return PF_Err_NONE;

  const PF_ParamIndex index = extra->param_index;
  switch (index) {
    case kRGBType:
      applyRGBPreset(params);
      return PF_Err_NONE;
    case kRGBColor1:
    case kRGBColor2:
    case kRGBColor3:
      if (params[kRGBType]->u.pd.value != kRGBTypeManual) {
        params[kRGBType]->u.pd.value = kRGBTypeManual;
        markChanged(params[kRGBType]);
      }
      return PF_Err_NONE;
    case kSetExpression:
      return linesSetExpression(in_data, params, suites);
    default:
      for (Setting setting : kSettings) {
        if (kUtility.*setting == index) copyUtility(params, setting);
      }
      return PF_Err_NONE;
  }
}

}  // namespace Brelo
