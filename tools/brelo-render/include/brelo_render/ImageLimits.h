// The largest image brelo-render takes in or makes: 30000 pixels a side, and
// no more pixels than the host makes a world of (2^28, e.g. 16384 x 16384).
#pragma once

#include <cstdint>
#include <string>

#include "brelo_render/RenderError.h"

namespace Brelo {
namespace Render {

constexpr int kMaxImageSide = 30000;
constexpr std::int64_t kMaxImagePixels = std::int64_t(1) << 28;

// Throws RenderError(code) for a zero, negative or too large size; `what`
// names the image in the message.
void checkImageSize(std::int64_t width, std::int64_t height, std::string const& what, ExitCode code);

}  // namespace Render
}  // namespace Brelo
