// Rows of host pixels to be written to a file, wherever they live: an image,
// or a world the host made (whose rows may be padded). Pixels are alpha, red,
// green, blue at one depth, with straight colour, as the host keeps them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"
#include "brelo_host/Image.h"

namespace Brelo {
namespace ImageIO {

struct PixelView {
  const std::uint8_t* data = nullptr;  // the first pixel of the top row
  std::ptrdiff_t rowBytes = 0;         // from one row to the next
  int width = 0, height = 0;
  Sim::Depth depth = Sim::Depth::Bits8;

  PixelView() = default;
  PixelView(Sim::Image const& image);  // NOLINT: an image is a view of itself
  PixelView(PF_EffectWorld const& world, Sim::Depth depth);

  const std::uint8_t* row(int y) const { return data + std::ptrdiff_t(y) * rowBytes; }
  // Normalised, as Sim::Image::get reads.
  Sim::RGBA get(int x, int y) const { return Sim::readPixel(row(y) + std::size_t(x) * Sim::pixelSize(depth), depth); }
};

}  // namespace ImageIO
}  // namespace Brelo
