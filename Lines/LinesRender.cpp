// The smart-render pair of the Lines effect. The render path (pre-render
// record, engine, composite blend) is not built yet: both commands refuse
// with an error instead of handing the host an untouched output.
#include "Lines/LinesCommands.h"

namespace Brelo {

PF_Err linesSmartPreRender(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_PreRenderExtra* /*extra*/) {
  return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

PF_Err linesSmartRender(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_SmartRenderExtra* /*extra*/) {
  return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

}  // namespace Brelo
