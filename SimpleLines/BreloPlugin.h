// The only export of the SimpleLines plug-in: the host calls it with one
// command at a time and takes the result as its error code.
#pragma once

#include "Util/BreloHostAPI.h"

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* output, void* extra);
