// Changes to the controls' appearance during PF_Cmd_UPDATE_PARAMS_UI: copies of the host's
// definitions, enabled or disabled and renamed, go to PF_UpdateParamUI until the first error.
#pragma once

#include "Util/BreloHostAPI.h"

namespace Brelo {

class AppearanceUpdate {
 public:
  AppearanceUpdate(PF_InData* in_data, PF_ParamDef* params[], PF_ParamUtilsSuite2* suite);

  // Enables or disables control `index`, renaming it when `name` is given.
  void enable(PF_ParamIndex index, bool enabled, const char* name = nullptr);
  // The second and third of three controls by a "One|Two|Three" mode: the
  // second enabled from "Two", the third from "Three".
  void enableByMode(PF_ParamIndex mode, PF_ParamIndex second, PF_ParamIndex third);
  // Names three variance controls from `first` on after the channels of the "RGB|HLS|YUV"
  // popup `space` ("<prefix> R Variance", ...); an entry out of range leaves the names.
  void nameVariances(PF_ParamIndex space, PF_ParamIndex first, const char* prefix);

  PF_ParamValue value(PF_ParamIndex index) const { return m_params[index]->u.pd.value; }
  PF_Err error() const { return m_err; }

 private:
  // Sends `copy` as control `index`, renamed when `name` is given.
  void send(PF_ParamIndex index, PF_ParamDef copy, const char* name);

  PF_InData* m_in_data;
  PF_ParamDef** m_params;
  PF_ParamUtilsSuite2* m_suite;
  PF_Err m_err = PF_Err_NONE;
};

}  // namespace Brelo
