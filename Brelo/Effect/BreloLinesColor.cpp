// Colour correction of a strip's pixels: HLS shift, Tint and Tritone.
#include "Brelo/BreloColorsys.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

ColorFloat<float> Lines::Impl::_correct(ColorFloat<float> const& pixel, ColorFloat<float> const& m) const {
  switch (parameter.color_type()) {
    case Parameter::ColorType::HLS: {
      ColorFloat<float> hls = Colorsys::RgbToHls(pixel);
      hls.red = hls.red + m.red;
      hls.green = hls.green + m.green;
      hls.blue = hls.blue + m.blue;
      return Colorsys::HlsToRgb(hls);
    }
    case Parameter::ColorType::Tint: {
      float const l = Colorsys::Luminance(pixel);
      float const d = m.alpha;
      ColorFloat<float> c = pixel;
      c.red = pixel.red * (1.0f - d) + m.red * l * d;
      c.green = pixel.green * (1.0f - d) + m.green * l * d;
      c.blue = pixel.blue * (1.0f - d) + m.blue * l * d;
      return c;
    }
    default: {  // Tritone: black to black, mid grey to m, white to white
      float const l = Colorsys::Luminance(pixel);
      float const d = m.alpha;
      ColorFloat<float> c = pixel;
      if (l < 0.5f) {
        float const l2 = l * 2.0f;
        c.red = pixel.red * (1.0f - d) + m.red * l2 * d;
        c.green = pixel.green * (1.0f - d) + m.green * l2 * d;
        c.blue = pixel.blue * (1.0f - d) + m.blue * l2 * d;
      } else {
        float const f = (l - 0.5f) + (l - 0.5f);
        c.red = pixel.red * (1.0f - d) + ((1.0f - m.red) * f + m.red) * d;
        c.green = pixel.green * (1.0f - d) + ((1.0f - m.green) * f + m.green) * d;
        c.blue = pixel.blue * (1.0f - d) + ((1.0f - m.blue) * f + m.blue) * d;
      }
      return c;
    }
  }
}

PF_Pixel Lines::Impl::_variance(PF_Pixel const& pixel, ColorFloat<float> const& m) const {
  return aePixel8(_correct(ColorFloat<float>(pixel), m));
}

PF_Pixel16 Lines::Impl::_variance(PF_Pixel16 const& pixel, ColorFloat<float> const& m) const {
  return aePixel16(_correct(ColorFloat<float>(pixel), m));
}

PF_PixelFloat Lines::Impl::_variance(PF_PixelFloat const& pixel, ColorFloat<float> const& m) const {
  return aePixel32(_correct(ColorFloat<float>(pixel), m));
}

}  // namespace Brelo
