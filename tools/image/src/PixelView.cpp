#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

PixelView::PixelView(Sim::Image const& image)
    : data(image.bytes()),
      rowBytes(std::ptrdiff_t(image.rowBytes())),
      width(image.width()),
      height(image.height()),
      depth(image.depth()) {}

PixelView::PixelView(PF_EffectWorld const& world, Sim::Depth d)
    : data(static_cast<const std::uint8_t*>(world.data)),
      rowBytes(world.rowbytes),
      width(world.width),
      height(world.height),
      depth(d) {}

}  // namespace ImageIO
}  // namespace Brelo
