// Reading an input image whatever its format, writing a frame in the format
// its name asks for.
#pragma once

#include <string>

#include "brelo_host/Image.h"

namespace Brelo {
namespace Render {

enum class ImageFormat { Png, Exr };

// PNG or OpenEXR, told apart by their first bytes. Throws RenderError (input).
Sim::Image readImage(std::string const& path);

// By the name's extension (.png, .exr, any case); throws RenderError (usage) for others.
ImageFormat formatForName(std::string const& path);

// PNG at `pngBits` (8 or 16) or OpenEXR float. Throws RenderError (output).
void writeImage(Sim::Image const& image, std::string const& path, int pngBits);

}  // namespace Render
}  // namespace Brelo
