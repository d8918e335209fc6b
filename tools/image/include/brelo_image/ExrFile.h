// OpenEXR files for float frames: values above 1 and below 0 survive. Files
// are written with 32-bit float R, G, B, A; half, float and integer channels
// are read. Colour is premultiplied by alpha in the file, as the format
// expects, unless Alpha::Straight asks for the host's values as they are.
#pragma once

#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/ImageOptions.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

// A float image. Missing colour channels read as 0, missing alpha as 1, a
// luminance-only (Y) file as gray. Throws ImageError (read), also for files
// with none of R, G, B and Y or with subsampled channels.
Sim::Image readExr(std::string const& path, Alpha alpha);

// Complete or not at all. Throws ImageError (write).
void writeExr(PixelView const& view, std::string const& path, Alpha alpha);

}  // namespace ImageIO
}  // namespace Brelo
