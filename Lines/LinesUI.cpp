// The controls' appearance: controls greyed out when the current modes make
// them meaningless, and names that follow the chosen colour model.
#include <cstring>

#include "Lines/LinesCommands.h"
#include "Lines/LinesParams.h"

namespace Brelo {

using namespace LinesParams;

namespace {

// Sends changed copies of the host's definitions. After the first error the
// copies are still prepared but no longer sent, and that error is kept.
class AppearanceUpdate {
 public:
  AppearanceUpdate(PF_InData* in_data, PF_ParamDef* params[], PF_ParamUtilsSuite2* suite)
      : m_in_data(in_data), m_params(params), m_suite(suite) {}

  void enable(PF_ParamIndex index, bool enabled, const char* name = nullptr) {
    PF_ParamDef copy = *m_params[index];
    if (enabled) {
      copy.ui_flags &= ~PF_PUI_DISABLED;
    } else {
      copy.ui_flags |= PF_PUI_DISABLED;
    }
    if (name) setName(copy, name);
    send(index, copy);
  }

  void rename(PF_ParamIndex index, const char* name) {
    PF_ParamDef copy = *m_params[index];
    if (name) setName(copy, name);
    send(index, copy);
  }

  PF_ParamValue value(PF_ParamIndex index) const { return m_params[index]->u.pd.value; }
  PF_Err error() const { return m_err; }

 private:
  static void setName(PF_ParamDef& def, const char* name) {
    std::memset(def.name, 0, sizeof def.name);
    std::strncpy(def.name, name, sizeof def.name - 1);
  }
  void send(PF_ParamIndex index, PF_ParamDef const& copy) {
    if (m_err) return;
    m_err = m_suite->PF_UpdateParamUI(m_in_data->effect_ref, index, &copy);
  }

  PF_InData* m_in_data;
  PF_ParamDef** m_params;
  PF_ParamUtilsSuite2* m_suite;
  PF_Err m_err = PF_Err_NONE;
};

// The second and third of three controls by a "One|Two|Three" mode.
void enableByMode(AppearanceUpdate& ui, PF_ParamIndex mode, PF_ParamIndex second, PF_ParamIndex third) {
  const PF_ParamValue n = ui.value(mode);
  ui.enable(second, n > 1);
  ui.enable(third, n > 2);
}

}  // namespace

PF_Err linesUpdateParamsUI(PF_InData* in_data, PF_OutData* out_data, PF_ParamDef* params[],
                           AEGP_SuiteHandler& suites) {
  if (!params) return PF_Err_BAD_CALLBACK_PARAM;
  AppearanceUpdate ui(in_data, params, suites.ParamUtilsSuite2());

  enableByMode(ui, kWidthMode, kMaxWidth2, kMaxWidth3);
  enableByMode(ui, kGapMode, kMaxGap2, kMaxGap3);

  // Entries out of range count as the first, as they do at render.
  switch (ui.value(kColorCorrectionType)) {
    case 3:  // HLS: no colour to blend; the colour keeps its last name
      ui.enable(kBlendWithOriginal, false);
      ui.enable(kMidtone, false);
      break;
    case 2:  // Tint
      ui.enable(kBlendWithOriginal, true);
      ui.enable(kMidtone, true, "Tint");
      break;
    default:  // Tritone
      ui.enable(kBlendWithOriginal, true);
      ui.enable(kMidtone, true, "Midtone");
      break;
  }

  enableByMode(ui, kCompositeMode, kCompositeColor2, kCompositeColor3);

  static const char* const kVarianceNames[3][3] = {
      {"Composite R Variance", "Composite G Variance", "Composite B Variance"},
      {"Composite H Variance", "Composite L Variance", "Composite S Variance"},
      {"Composite Y Variance", "Composite U Variance", "Composite V Variance"},
  };
  const PF_ParamValue space = ui.value(kCompositeVarianceSpace);
  const bool known = space >= 1 && space <= 3;
  for (int i = 0; i < 3; ++i) {
    ui.rename(kCompositeVariance1 + i, known ? kVarianceNames[space - 1][i] : nullptr);
  }

  out_data->out_flags |= PF_OutFlag_REFRESH_UI;
  return ui.error();
}

}  // namespace Brelo
