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

}  // namespace Sim
}  // namespace Brelo
