// Edits of supervised controls: RGB Type presets, RGB colours switching the
// type to Manual, and the Utility group's copies into the five channels.
#include <cstring>

#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"
#include "Lines/LinesRecord.h"

namespace Brelo {

using namespace LinesParams;

namespace {

void markChanged(PF_ParamDef* def) { def->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE; }

void setRGB(PF_ParamDef* def, A_u_char red, A_u_char green, A_u_char blue) {
  def->u.cd.value.red = red;
  def->u.cd.value.green = green;
  def->u.cd.value.blue = blue;
  markChanged(def);
}

void applyRGBPreset(PF_ParamDef* params[]) {
  struct Preset {
    A_u_char rgb[3][3];
  };
  static const Preset kPresets[] = {
      {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}},  // Red/Green/Blue
      {{{255, 0, 0}, {0, 0, 0}, {0, 255, 255}}},  // Red/Cyan
      {{{0, 0, 255}, {0, 0, 0}, {255, 255, 0}}},  // Blue/Yellow
  };
  const PF_ParamValue entry = params[kRGBType]->u.pd.value;
  if (entry < kRGBTypeRedGreenBlue || entry > kRGBTypeBlueYellow) return;  // Manual keeps the colours
  Preset const& p = kPresets[entry - kRGBTypeRedGreenBlue];
  for (int c = 0; c < 3; ++c) setRGB(params[kRGBColor1 + c], p.rgb[c][0], p.rgb[c][1], p.rgb[c][2]);
}

// Each Utility control and the setting it drives in every channel's schedule.
struct UtilityTarget {
  PF_ParamIndex utility;
  PF_ParamIndex ScheduleControls::*setting;
};
const UtilityTarget kUtilityTargets[] = {
    {kUtilityPer, &ScheduleControls::per},
    {kUtilityOffset, &ScheduleControls::offset},
    {kUtilityDelay, &ScheduleControls::delay},
    {kUtilityOrder, &ScheduleControls::order},
    {kUtilityOrderPhase, &ScheduleControls::order_phase},
    {kUtilityOrderSeed, &ScheduleControls::order_seed},
    {kUtilityEasingType, &ScheduleControls::easing_type},
    {kUtilityEasingMode, &ScheduleControls::easing_mode},
};

// Every Utility control and its targets are 32-bit kinds of the same kind,
// so the value word is copied as it is.
void copyUtility(PF_ParamDef* params[], UtilityTarget const& u) {
  A_long word;
  std::memcpy(&word, &params[u.utility]->u, sizeof word);
  for (LinesScheduleChannel const& channel : kLinesScheduleChannels) {
    PF_ParamDef* target = params[channel.controls.*u.setting];
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
      for (UtilityTarget const& u : kUtilityTargets) {
        if (u.utility == index) copyUtility(params, u);
      }
      return PF_Err_NONE;
  }
}

}  // namespace Brelo
