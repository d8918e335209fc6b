// Version and global flags that both Brelo effects declare, at global set-up
// and in their resource descriptions alike.
#pragma once

#include "Util/BreloHostAPI.h"

namespace Brelo {
namespace EffectVersion {

constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kBug = 0;
constexpr int kBuild = 1;
constexpr A_u_long kPacked = PF_VERSION(kMajor, kMinor, kBug, PF_STAGE_RELEASE, kBuild);
static_assert(kPacked == 525825u, "must equal the effect version of the resource description");

constexpr PF_OutFlags kOutFlags = PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
constexpr PF_OutFlags2 kOutFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;
static_assert(kOutFlags == 100663296 && kOutFlags2 == 5120, "must equal the resource description's flags");

}  // namespace EffectVersion
}  // namespace Brelo
