// TIFF files through libtiff: 8- and 16-bit integer and 32-bit float samples,
// gray, gray with alpha, RGB and RGBA, in strips or tiles, either planar
// configuration, in; RGBA at 8, 16 or 32 (float) bits out, with straight
// (unassociated) alpha. Associated alpha in a file is made straight on reading.
#pragma once

#include <string>

#include "brelo_host/Image.h"
#include "brelo_image/ImageOptions.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

// How every TIFF is compressed: Deflate at this zlib level, with the
// horizontal predictor for integer samples and the floating-point one for
// floats. One setting, so that speed and size are tuned in one place.
struct TiffCompression {
  int zlibLevel;
};
extern const TiffCompression kTiffCompression;

// An 8-bit, 16-bit or float image after the file's samples. Throws
// ImageError (read): unreadable, damaged, beyond the size limits (checked
// before anything is allocated for it), or a layout other than the above
// (palette, CMYK, YCbCr, 1-bit, half float, ...).
Sim::Image readTiff(std::string const& path, Alpha alpha);

// `bits` 8, 16 or 32 (float). Complete or not at all. Throws ImageError (write).
void writeTiff(PixelView const& view, int bits, std::string const& path);

}  // namespace ImageIO
}  // namespace Brelo
