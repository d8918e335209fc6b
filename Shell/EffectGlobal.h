// The commands both effects answer alike: the about text, and global set-up
// and set-down with the AEGP registration kept in the global data.
#pragma once

#include "Util/AEGP_SuiteHandler.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// "<name>, v1.00\r<notice>" into return_msg through the host's sprintf.
PF_Err effectAbout(PF_InData* in_data, PF_OutData* out_data, const char* name, const char* notice);

// Version and flags; a 4-byte handle holding the plug-in ID from AEGP
// registration becomes the global data.
PF_Err effectGlobalSetup(PF_OutData* out_data, AEGP_SuiteHandler& suites);

// Disposes of the global data, if any.
PF_Err effectGlobalSetdown(PF_InData* in_data, AEGP_SuiteHandler& suites);

}  // namespace Brelo
