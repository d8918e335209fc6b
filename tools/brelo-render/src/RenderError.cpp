#include "brelo_render/RenderError.h"

#include <cctype>

namespace Brelo {
namespace Render {

ExitCode exitCodeOf(ImageIO::ImageError const& e) {
  switch (e.kind()) {
    case ImageIO::ImageError::Kind::Read: return ExitCode::Input;
    case ImageIO::ImageError::Kind::Write: return ExitCode::Output;
    case ImageIO::ImageError::Kind::Usage: break;
  }
  return ExitCode::Usage;
}

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

std::string describeEffectFailure(std::string const& effect, std::string const& what, PF_Err err,
                                  std::string const& message) {
  std::string s = effect + " failed " + what + ": " + describeHostError(err);
  std::string m;
  for (char ch : message) m += std::iscntrl(static_cast<unsigned char>(ch)) ? ' ' : ch;
  std::size_t b = m.find_first_not_of(' '), e = m.find_last_not_of(' ');
  if (b != std::string::npos) s += ": \"" + m.substr(b, e - b + 1) + "\"";
  return s;
}

}  // namespace Render
}  // namespace Brelo
