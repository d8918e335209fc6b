#include "Util/AppearanceUpdate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Brelo {

AppearanceUpdate::AppearanceUpdate(PF_InData* in_data, PF_ParamDef* params[], PF_ParamUtilsSuite2* suite)
    : m_in_data(in_data), m_params(params), m_suite(suite) {}

void AppearanceUpdate::enable(PF_ParamIndex index, bool enabled, const char* name) {
  PF_ParamDef copy = *m_params[index];
  copy.ui_flags = enabled ? copy.ui_flags & ~PF_PUI_DISABLED : copy.ui_flags | PF_PUI_DISABLED;
  send(index, copy, name);
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
    send(first + i, *m_params[first + i], known ? name : nullptr);
  }
}

void AppearanceUpdate::send(PF_ParamIndex index, PF_ParamDef copy, const char* name) {
  if (m_err) return;
  if (name) {
    std::memset(copy.name, 0, sizeof copy.name);
    std::memcpy(copy.name, name, std::min(std::strlen(name), sizeof copy.name - 1));
  }
  m_err = m_suite->PF_UpdateParamUI(m_in_data->effect_ref, index, &copy);
}

}  // namespace Brelo
