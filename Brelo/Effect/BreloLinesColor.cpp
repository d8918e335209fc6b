// Colour correction of a strip's pixels: HLS shift, Tint and Tritone.
#include "Brelo/BreloColorsys.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

namespace {

// pixel with each colour channel set to f(pixel's channel, m's channel).
template <class F>
ColorFloat<float> blendChannels(ColorFloat<float> const& pixel, ColorFloat<float> const& m, F const& f) {
  ColorFloat<float> c = pixel;
  c.red = f(pixel.red, m.red);
  c.green = f(pixel.green, m.green);
  c.blue = f(pixel.blue, m.blue);
  return c;
}

}  // namespace

ColorFloat<float> Lines::Impl::_correct(ColorFloat<float> const& pixel, ColorFloat<float> const& m) const {
  switch (parameter.color_type()) {
    case Parameter::ColorType::HLS:
      return Colorsys::HlsToRgb(blendChannels(Colorsys::RgbToHls(pixel), m, [](float h, float mc) { return h + mc; }));
    case Parameter::ColorType::Tint: {
      float const l = Colorsys::Luminance(pixel);
      float const d = m.alpha;
      return blendChannels(pixel, m, [l, d](float p, float mc) { return p * (1.0f - d) + mc * l * d; });
    }
    default: {  // Tritone: black to black, mid grey to m, white to white
      float const l = Colorsys::Luminance(pixel);
      float const d = m.alpha;
      if (l < 0.5f) {
        float const l2 = l * 2.0f;
        return blendChannels(pixel, m, [l2, d](float p, float mc) { return p * (1.0f - d) + mc * l2 * d; });
      }
      float const f = (l - 0.5f) + (l - 0.5f);
      return blendChannels(pixel, m, [f, d](float p, float mc) { return p * (1.0f - d) + ((1.0f - mc) * f + mc) * d; });
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
