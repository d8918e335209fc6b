// How the simulator answers a call whose arguments a real host would reject:
// the misuse is recorded for the test to see, and the plug-in gets the error.
#pragma once

#include <string>

#include "HostImpl.h"

namespace Brelo {
namespace Sim {

// Out of line: the calls that check arguments on every sample stay small.
[[gnu::noinline, gnu::cold]] inline PF_Err badParam(Host::Impl* h, Call c, std::string const& why) {
  h->misuse(std::string(callName(c)) + ": " + why);
  return PF_Err_BAD_CALLBACK_PARAM;
}

// An index out of the range `c` takes: a misuse, and the plug-in gets
// PF_Err_INVALID_INDEX.
[[gnu::noinline, gnu::cold]] inline PF_Err badIndex(Host::Impl* h, Call c, A_long index) {
  h->misuse(std::string(callName(c)) + ": index " + std::to_string(index) + " out of range");
  return PF_Err_INVALID_INDEX;
}

}  // namespace Sim
}  // namespace Brelo
