#include "Brelo/BreloColorVariance.h"

#include "Brelo/BreloColorsys.h"

namespace Brelo {

ColorFloat<float> varyColor(ColorFloat<float> const& base, float const d[3], ColorSpace space, ColorOverlap rule) {
  switch (space) {
    case ColorSpace::RGB: {
      ColorFloat<float> c = base;
      c.red = overlap(c.red + d[0], 0.0f, 1.0f, rule);
      c.green = overlap(c.green + d[1], 0.0f, 1.0f, rule);
      c.blue = overlap(c.blue + d[2], 0.0f, 1.0f, rule);
      return c;
    }
    case ColorSpace::HLS: {
      ColorFloat<float> hls = Colorsys::RgbToHls(base);
      hls.red = hls.red + d[0] * 180.0f;
      hls.green = overlap(hls.green + d[1], 0.0f, 1.0f, rule);
      hls.blue = overlap(hls.blue + d[2], 0.0f, 1.0f, rule);
      return Colorsys::HlsToRgb(hls);
    }
    case ColorSpace::YUV: {
      ColorFloat<float> yuv = Colorsys::RgbToYuv(base);
      yuv.red = overlap(yuv.red + d[0], 0.0f, 1.0f, rule);
      yuv.green = overlap(yuv.green + d[1] * 0.5f, -0.5f, 0.5f, rule);
      yuv.blue = overlap(yuv.blue + d[2] * 0.5f, -0.5f, 0.5f, rule);
      return Colorsys::YuvToRgb(yuv);
    }
  }
  return base;
}

}  // namespace Brelo
