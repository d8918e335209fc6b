// Smart render of the SimpleLines effect. The engine is not wired in yet:
// the command refuses with an error instead of handing the host an
// untouched output.
#include "SimpleLines/SimpleLinesCommands.h"

namespace Brelo {

PF_Err simpleLinesSmartRender(PF_InData* /*in_data*/, PF_OutData* /*out_data*/, PF_SmartRenderExtra* /*extra*/,
                              AEGP_SuiteHandler& /*suites*/) {
  return PF_Err_INTERNAL_STRUCT_DAMAGED;
}

}  // namespace Brelo
