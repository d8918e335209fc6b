// A failure that ends a brelo-render job: one line for the user and the exit
// status that tells scripts what went wrong.
#pragma once

#include <stdexcept>
#include <string>

#include "AE_Effect.h"
#include "brelo_image/ImageError.h"

namespace Brelo {
namespace Render {

enum class ExitCode : int {
  Ok = 0,
  Internal = 1,  // a fault of brelo-render itself, out of memory
  Usage = 2,     // options, control names, values, keyframes, presets
  Input = 3,     // the input image
  Module = 4,    // the plug-in cannot be loaded or fails outside rendering
  Render = 5,    // the plug-in returned an error while rendering
  Output = 6,    // an output file cannot be written
};

class RenderError : public std::runtime_error {
 public:
  RenderError(ExitCode code, std::string const& message) : std::runtime_error(message), m_code(code) {}
  ExitCode code() const { return m_code; }

 private:
  ExitCode m_code;
};

// The exit status of an image file's failure: 3 reading, 6 writing, 2 a name
// or depth no format takes.
ExitCode exitCodeOf(ImageIO::ImageError const& e);

// "error 512 (internal structure damaged)"; unknown codes by number only.
std::string describeHostError(PF_Err err);

// "BreloLines failed <what>: error 516 (bad callback parameter): "<message>"",
// the message being what the effect left for the host's error display, on
// one line; no message part when it left none.
std::string describeEffectFailure(std::string const& effect, std::string const& what, PF_Err err,
                                  std::string const& message);

}  // namespace Render
}  // namespace Brelo
