// Suite acquisition with the host's error display: when the suite cannot be
// had, the caller's text goes to out_data->return_msg, the host is asked to
// show it, and 516 is returned.
#pragma once

#include "Util/BreloHostAPI.h"

PF_Err AEFX_AcquireSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC, void** suitePP);

PF_Err AEFX_ReleaseSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC);
