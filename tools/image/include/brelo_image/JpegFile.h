// JPEG files through libjpeg-turbo: 8-bit gray, YCbCr and RGB in (opaque);
// 8-bit RGB out, colour laid over black where the frame is not opaque, since
// the format holds no alpha.
#pragma once

#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

// The quality every JPEG is written at, 1 to 100.
constexpr int kJpegQuality = 95;

// An opaque 8-bit image. Throws ImageError (read): unreadable, not a JPEG,
// truncated or damaged (libjpeg's warnings about corrupt data are taken as
// errors), beyond the size limits (checked before decoding), or CMYK.
Sim::Image readJpeg(std::string const& path);

// Complete or not at all. Throws ImageError (write).
void writeJpeg(PixelView const& view, std::string const& path);

}  // namespace ImageIO
}  // namespace Brelo
