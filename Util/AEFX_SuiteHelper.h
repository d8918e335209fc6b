// Suite acquisition with the host's error display: when the suite cannot be had, the
// caller's text goes to out_data->return_msg, the host is asked to show it, 516 returned.
#pragma once

#include "Util/BreloHostAPI.h"

// The suite from `basic`, or nullptr when there is none; a table handed out
// with an error is given back.
const void* acquireHostSuite(const SPBasicSuite* basic, const char* name, int32_t version);

PF_Err AEFX_AcquireSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC, void** suitePP);

PF_Err AEFX_ReleaseSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC);
