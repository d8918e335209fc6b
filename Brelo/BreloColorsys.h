// Conversions of the working colour between RGB and HLS, HSB and YUV, and single colour
// quantities, all in single precision. A converted colour carries the other space's
// components in red, green, blue (HLS: hue in degrees, lightness, saturation; HSB: hue,
// saturation, brightness; YUV: Y, U, V) and keeps its alpha.
#pragma once

#include "Brelo/ColorFloat.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

class Colorsys {
 public:
  static ColorFloat<float> RgbToHls(ColorFloat<float> const& c);
  static ColorFloat<float> HlsToRgb(ColorFloat<float> const& c);
  static ColorFloat<float> RgbToHsb(ColorFloat<float> const& c);
  // A negative hue leaves the colour channels 0.
  static ColorFloat<float> HsbToRgb(ColorFloat<float> const& c);
  static ColorFloat<float> RgbToYuv(ColorFloat<float> const& c);
  static ColorFloat<float> YuvToRgb(ColorFloat<float> const& c);

  // Hue in degrees, 0 <= H < 360.
  static float Hue(ColorFloat<float> const& c);

  // Each quantity in the scale of its argument.
  static float Luminance(ColorFloat<float> const& c);
  static float Luminance(PF_PixelFloat const& p);
  static A_u_char Luminance(PF_Pixel const& p);
  static A_u_short Luminance(PF_Pixel16 const& p);

  static float Lightness(ColorFloat<float> const& c);
  static float Lightness(PF_PixelFloat const& p);
  static A_u_char Lightness(PF_Pixel const& p);
  static A_u_short Lightness(PF_Pixel16 const& p);

  // The 8-bit form divides by 256/512-based sums, so near full lightness it
  // differs from the floating one.
  static float Saturation(ColorFloat<float> const& c);
  static float Saturation(PF_PixelFloat const& p);
  static A_u_char Saturation(PF_Pixel const& p);
  static A_u_short Saturation(PF_Pixel16 const& p);

  static float Brightness(ColorFloat<float> const& c);
  static float Brightness(PF_PixelFloat const& p);
  static A_u_char Brightness(PF_Pixel const& p);
  static A_u_short Brightness(PF_Pixel16 const& p);

  // Per colour channel, divides the three colours by their sum so that they
  // add up to 1; a zero sum gives 0, 1, 0. Alpha is untouched.
  static void Normalize(ColorFloat<float>& first, ColorFloat<float>& second, ColorFloat<float>& third);
};

}  // namespace Brelo
