// Raised by AEGP_SuiteHandler when the host cannot supply a suite. Caught in
// guardCommand (and at the top of every worker thread) and returned to the
// host as its error code; it never crosses the host boundary.
#pragma once

#include "Util/BreloHostAPI.h"

struct MissingSuiteError {
  PF_Err error;
  const char* suite_name;
  int32_t version;
};
