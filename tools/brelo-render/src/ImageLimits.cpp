#include "brelo_render/ImageLimits.h"

namespace Brelo {
namespace Render {

void checkImageSize(std::int64_t width, std::int64_t height, std::string const& what, ExitCode code) {
  std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width <= 0 || height <= 0) throw RenderError(code, what + " is " + size + " pixels: it has no pixels");
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    throw RenderError(code, what + " is " + size + " pixels; brelo-render takes at most " +
                                std::to_string(kMaxImageSide) + " pixels a side and " +
                                std::to_string(kMaxImagePixels) + " pixels in all");
}

}  // namespace Render
}  // namespace Brelo
