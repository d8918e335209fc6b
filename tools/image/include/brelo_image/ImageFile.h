// Reading an image whatever its format, writing one in the format its name
// asks for: the one place brelo-render, the golden tests and the benchmarks
// go through for image files.
#pragma once

#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/ImageFormat.h"
#include "brelo_image/ImageOptions.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

// PNG, OpenEXR, TIFF or JPEG, told apart by their first bytes, at the depth
// that holds the file's samples exactly: 8-bit for 8-bit files and fewer,
// 16-bit (0..32768) for 16-bit files, float for float and half files.
// Throws ImageError (read).
Sim::Image readImage(std::string const& path, ReadOptions const& options = {});

// By the name's extension, at options.bits (0: defaultBits for the view's
// depth). Complete or not at all: written under a temporary name and renamed.
// Throws ImageError (usage) for a name or depth the formats do not take,
// (write) when the file cannot be written.
void writeImage(PixelView const& view, std::string const& path, WriteOptions const& options = {});

}  // namespace ImageIO
}  // namespace Brelo
