// PNG files: through libpng, 1- to 16-bit gray, gray with alpha, RGB, RGBA or
// palette in; 8- or 16-bit RGBA out, compressed by libdeflate. Colour is straight, as in the host's images.
#pragma once

#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

// How every PNG is compressed: libdeflate's level (1 fastest to 12
// smallest). One setting, so that speed and size are tuned in one place.
struct PngCompression {
  int level;
};
extern const PngCompression kPngCompression;

// An 8-bit image for files of 8 bits and fewer, 16-bit for 16-bit files.
// Throws ImageError (read): unreadable, not a PNG, truncated, damaged, or
// beyond the size limits (checked before anything is allocated for it).
Sim::Image readPng(std::string const& path);

// At 8 or 16 bits per channel; float values are limited to 0..1. Complete or
// not at all. Throws ImageError (write).
void writePng(PixelView const& view, int bits, std::string const& path);

}  // namespace ImageIO
}  // namespace Brelo
