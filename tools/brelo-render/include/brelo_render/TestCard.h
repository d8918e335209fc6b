// The built-in input: an opaque card of colour bars, a grey ramp, a hue
// sweep, a grid and a centre circle, so that strips, slides, colour shifts
// and wipes all show without an input file.
#pragma once

#include "brelo_host/Image.h"

namespace Brelo {
namespace Render {

constexpr int kTestCardWidth = 640;
constexpr int kTestCardHeight = 360;

// An 8-bit image; the size must lie within the image limits.
Sim::Image makeTestCard(int width, int height);

}  // namespace Render
}  // namespace Brelo
