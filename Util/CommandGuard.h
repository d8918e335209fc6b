// The one place where a command's failures become the host's error codes: nothing may unwind
// into the host, and a call without its data structures is refused before anything touches them.
#pragma once

#include <new>

#include "Util/BreloHostAPI.h"
#include "Util/MissingSuiteError.h"

namespace Brelo {

// Runs `call()`, which returns a PF_Err, and turns whatever it raises into
// the host's error code.
template <class Call>
PF_Err guardCall(Call&& call) noexcept {
  try {
    return call();
  } catch (MissingSuiteError const& e) {
    return e.error;
  } catch (std::bad_alloc const&) {
    return PF_Err_OUT_OF_MEMORY;
  } catch (...) {
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
}

// Runs `dispatch()` (which returns the command's PF_Err) for a command whose
// in_data and out_data the host passed.
template <class Dispatch>
PF_Err guardCommand(PF_InData const* in_data, PF_OutData const* out_data, Dispatch&& dispatch) noexcept {
  if (!in_data || !out_data) return PF_Err_BAD_CALLBACK_PARAM;
  return guardCall(dispatch);
}

}  // namespace Brelo
