// The largest image taken in or made: 30000 pixels a side, and no more pixels
// than the host makes a world of (2^28, e.g. 16384 x 16384). Every reader
// checks a file's size against them before it allocates anything for it.
#pragma once

#include <cstdint>
#include <string>

namespace Brelo {
namespace ImageIO {

constexpr int kMaxImageSide = 30000;
constexpr std::int64_t kMaxImagePixels = std::int64_t(1) << 28;

// Empty when width x height pixels are within the limits; otherwise why not,
// naming the image as `what` ("shot.exr is 0 x 30 pixels: it has no pixels").
std::string imageSizeProblem(std::int64_t width, std::int64_t height, std::string const& what);

// Throws ImageError(Read) with imageSizeProblem's text.
void checkReadableSize(std::int64_t width, std::int64_t height, std::string const& path);

}  // namespace ImageIO
}  // namespace Brelo
