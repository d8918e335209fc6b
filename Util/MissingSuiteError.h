// Raised by AEGP_SuiteHandler when the host cannot supply a suite. Caught in guardCommand (and
// atop every worker thread) and handed to the host as its error code: it never crosses into it.
#pragma once

#include "Util/BreloHostAPI.h"

struct MissingSuiteError {
  PF_Err error;
  const char* suite_name;
  int32_t version;
};
