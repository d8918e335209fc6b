#include "brelo_render/TestCard.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Brelo {
namespace Render {

namespace {

PF_Pixel opaque(int r, int g, int b) { return {255, A_u_char(r), A_u_char(g), A_u_char(b)}; }

// Fully saturated hue at position i of n, in integers so every machine agrees.
PF_Pixel hue(std::int64_t i, std::int64_t n) {
  std::int64_t h = i * 1530 / std::max<std::int64_t>(n, 1);  // six sextants of 255
  int s = int(h / 255), f = int(h % 255);
  switch (s) {
    case 0: return opaque(255, f, 0);
    case 1: return opaque(255 - f, 255, 0);
    case 2: return opaque(0, 255, f);
    case 3: return opaque(0, 255 - f, 255);
    case 4: return opaque(f, 0, 255);
    default: return opaque(255, 0, 255 - f);
  }
}

PF_Pixel mixWhite(PF_Pixel p) {
  return {255, A_u_char((p.red + 255) / 2), A_u_char((p.green + 255) / 2), A_u_char((p.blue + 255) / 2)};
}

}  // namespace

Sim::Image makeTestCard(int width, int height) {
  static const PF_Pixel kBars[7] = {opaque(191, 191, 191), opaque(191, 191, 0), opaque(0, 191, 191), opaque(0, 191, 0),
                                    opaque(191, 0, 191),   opaque(191, 0, 0),   opaque(0, 0, 191)};
  Sim::Image img(width, height, Sim::Depth::Bits8);
  const int barsEnd = height * 60 / 100, rampEnd = height * 75 / 100;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      PF_Pixel p;
      if (y < barsEnd) {
        p = kBars[std::int64_t(x) * 7 / width];
      } else if (y < rampEnd) {
        int v = width > 1 ? int(std::int64_t(x) * 255 / (width - 1)) : 0;
        p = opaque(v, v, v);
      } else {
        p = hue(x, width);
      }
      img.px8(x, y) = p;
    }
  }
  // Grid lines every sixteenth of the longer side, lightened rather than
  // drawn over, so the content stays readable.
  const int cell = std::max(4, std::max(width, height) / 16);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (x % cell == 0 || y % cell == 0) img.px8(x, y) = mixWhite(img.px8(x, y));
    }
  }
  // Circle and cross around the centre.
  const std::int64_t cx = width / 2, cy = height / 2;
  const std::int64_t r = std::max<std::int64_t>(2, std::min(width, height) * 35 / 100);
  const std::int64_t thick = std::max<std::int64_t>(1, std::min(width, height) / 180);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::int64_t dx = x - cx, dy = y - cy;
      std::int64_t d2 = dx * dx + dy * dy;
      bool ring = d2 >= (r - thick) * (r - thick) && d2 <= (r + thick) * (r + thick);
      bool cross = (std::llabs(dx) <= thick && std::llabs(dy) <= r / 4) || (std::llabs(dy) <= thick && std::llabs(dx) <= r / 4);
      if (ring || cross) img.px8(x, y) = opaque(255, 255, 255);
    }
  }
  return img;
}

}  // namespace Render
}  // namespace Brelo
