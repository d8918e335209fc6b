#include "ImageTestUtil.h"

#include <algorithm>

namespace ImageTest {

using namespace Brelo;

Sim::Image everyValue(Sim::Depth depth) {
  switch (depth) {
    case Sim::Depth::Bits8: {
      Sim::Image img(256, 4, depth);
      for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 4; ++y)
          img.px8(x, y) = {A_u_char(x ^ (y * 85)), A_u_char(255 - x), A_u_char(x ^ y), A_u_char(y * 60 + x % 7)};
      return img;
    }
    case Sim::Depth::Bits16: {
      Sim::Image img(257, 129, depth);
      for (int i = 0; i < 257 * 129; ++i) {
        A_u_short v = A_u_short(std::min(i, 32768));
        img.px16(i % 257, i / 257) = {A_u_short(32768 - v), v, A_u_short(v / 2), A_u_short(32768 - v / 3)};
      }
      return img;
    }
    case Sim::Depth::Bits32: break;
  }
  Sim::Image img(37, 11, depth);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const int i = y * img.width() + x;
      img.pxF(x, y) = {i % 5 == 0 ? 1.0f : float(i % 9) / 8.0f, float(i) / 3.0f - 20.0f, -0.1f * float(x),
                       1e-7f * float(y) + 1e6f * float(x % 2)};
    }
  return img;
}

}  // namespace ImageTest
