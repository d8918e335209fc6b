// A small effect that exercises the host the way the real plug-ins do. It is
// linked into the tests and also built as a loadable module.
#pragma once

#include "Util/BreloHostAPI.h"

namespace SimTestPlugin {

enum Index {
  kLayer = 0,
  kGain,      // fixed slider, percent: scales the alpha of a copy
  kOffset,    // point: sampling offset
  kMode,      // popup "Copy|Fill|Sample"
  kColor,     // colour for Fill
  kAmount,    // float slider; set to 2.5 when Mode is edited
  kEnabled,   // checkbox
  kAngle,     // angle
  kCount
};

enum Mode { kCopy = 1, kFill = 2, kSample = 3 };

// What pre-render keeps for render.
struct Record {
  double gain;
  PF_Fixed offset_x, offset_y;
  A_long mode;
  PF_Pixel color;
  double amount;
};

}  // namespace SimTestPlugin

extern "C" DllExport PF_Err EntryPointFunc(PF_Cmd cmd, PF_InData* in_data, PF_OutData* out_data,
                                           PF_ParamDef* params[], PF_LayerDef* output, void* extra);
