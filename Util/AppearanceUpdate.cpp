#include "Util/AppearanceUpdate.h"

#include <cstdio>
#include <cstring>

namespace Brelo {

AppearanceUpdate::AppearanceUpdate(PF_InData* in_data, PF_ParamDef* params[], PF_ParamUtilsSuite2* suite)
    : m_in_data(in_data), m_params(params), m_suite(suite) {}

void AppearanceUpdate::enable(PF_ParamIndex index, bool enabled, const char* name) {
  PF_ParamDef copy = *m_params[index];
  copy.ui_flags = enabled ? copy.ui_flags & ~PF_PUI_DISABLED : copy.ui_flags | PF_PUI_DISABLED;
  if (name) setName(copy, name);
  send(index, copy);
}

void AppearanceUpdate::rename(PF_ParamIndex index, const char* name) {
  PF_ParamDef copy = *m_params[index];
  if (name) setName(copy, name);
  send(index, copy);
}

void AppearanceUpdate::enableByMode(PF_ParamIndex mode, PF_ParamIndex second, PF_ParamIndex third) {
  const PF_ParamValue n = value(mode);
  enable(second, n > 1);
  enable(third, n > 2);
}

void AppearanceUpdate::nameVariances(PF_ParamIndex space, PF_ParamIndex first, const char* prefix) {
  static const char kChannels[3][4] = {"RGB", "HLS", "YUV"};
  const PF_ParamValue s = value(space);
  const bool known = s >= 1 && s <= 3;
  for (int i = 0; i < 3; ++i) {
    char name[sizeof(PF_ParamDef::name)] = {};
    if (known) std::snprintf(name, sizeof name, "%s %c Variance", prefix, kChannels[s - 1][i]);
    rename(first + i, known ? name : nullptr);
  }
}

void AppearanceUpdate::setName(PF_ParamDef& def, const char* name) {
  std::memset(def.name, 0, sizeof def.name);
  std::strncpy(def.name, name, sizeof def.name - 1);
}

void AppearanceUpdate::send(PF_ParamIndex index, PF_ParamDef const& copy) {
  if (m_err) return;
  m_err = m_suite->PF_UpdateParamUI(m_in_data->effect_ref, index, &copy);
}

}  // namespace Brelo
