#include "brelo_image/ImageLimits.h"

#include "brelo_image/ImageError.h"

namespace Brelo {
namespace ImageIO {

std::string imageSizeProblem(std::int64_t width, std::int64_t height, std::string const& what) {
  std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) return what + " is " + size + " pixels: it has no pixels";
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    return what + " is " + size + " pixels; brelo-render takes at most " + std::to_string(kMaxImageSide) +
           " pixels a side and " + std::to_string(kMaxImagePixels) + " pixels in all";
  return {};
}

void checkReadableSize(std::int64_t width, std::int64_t height, std::string const& path) {
  std::string problem = imageSizeProblem(width, height, path);
  if (!problem.empty()) throw ImageError(ImageError::Kind::Read, problem);
}

}  // namespace ImageIO
}  // namespace Brelo
