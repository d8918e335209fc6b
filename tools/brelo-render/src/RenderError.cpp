#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

std::string describeHostError(PF_Err err) {
  const char* name = nullptr;
  switch (err) {
    case PF_Err_OUT_OF_MEMORY: name = "out of memory"; break;
    case PF_Err_INTERNAL_STRUCT_DAMAGED: name = "internal structure damaged"; break;
    case PF_Err_INVALID_INDEX: name = "invalid index"; break;
    case PF_Err_UNRECOGNIZED_PARAM_TYPE: name = "unrecognized parameter type"; break;
    case PF_Err_INVALID_CALLBACK: name = "invalid callback"; break;
    case PF_Err_BAD_CALLBACK_PARAM: name = "bad callback parameter"; break;
    case PF_Interrupt_CANCEL: name = "interrupted"; break;
    case PF_Err_CANNOT_PARSE_KEYFRAME_TEXT: name = "cannot parse keyframe text"; break;
    default: break;
  }
  std::string s = "error " + std::to_string(err);
  if (name) s += std::string(" (") + name + ")";
  return s;
}

}  // namespace Render
}  // namespace Brelo
