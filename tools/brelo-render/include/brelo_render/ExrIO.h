// OpenEXR files for float frames: values above 1 and below 0 survive. The
// files hold 32-bit float R, G, B, A with colour premultiplied by alpha, as
// the format expects; the host's images hold straight colour.
#pragma once

#include <string>

#include "brelo_host/Image.h"

namespace Brelo {
namespace Render {

bool hasExrSignature(const unsigned char* bytes, std::size_t size);

// A float image. Missing colour channels read as 0 (a luminance-only file
// as gray), missing alpha as 1. Throws RenderError (input).
Sim::Image readExr(std::string const& path);
// Writes complete or not at all. Throws RenderError (output).
void writeExr(Sim::Image const& image, std::string const& path);

}  // namespace Render
}  // namespace Brelo
