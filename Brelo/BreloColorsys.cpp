#include "Brelo/BreloColorsys.h"

#include <algorithm>
#include <cmath>

namespace Brelo {

namespace {

float max3(float a, float b, float c) { return std::max(std::max(a, b), c); }
float min3(float a, float b, float c) { return std::min(std::min(a, b), c); }
unsigned maxInt3(unsigned a, unsigned b, unsigned c) { return std::max(std::max(a, b), c); }
unsigned minInt3(unsigned a, unsigned b, unsigned c) { return std::min(std::min(a, b), c); }

// Degrees folded into 0 .. 360.
float wrapDegrees(float h) {
  h = std::fmod(h, 360.0f);
  return h < 0.0f ? h + 360.0f : h;
}

// Red wins ties with the other channels, then green.
float hueOf(float r, float g, float b, float mx, float mn) {
  if (mx == mn) return 0.0f;
  float h;
  if (r == mx) {
    h = (g - b) * 60.0f / (mx - mn);
  } else if (g == mx) {
    h = (b - r) * 60.0f / (mx - mn) + 120.0f;
  } else {
    h = (r - g) * 60.0f / (mx - mn) + 240.0f;
  }
  return wrapDegrees(h);
}

float saturationOf(float mx, float mn) {
  if (mx == mn) return 0.0f;
  float const l = 0.5f * (mx + mn);
  return (mx - mn) / (l < 0.5f ? mx + mn : 2.0f - mx - mn);
}

// Integer saturation: (mx - mn) * full over mx + mn, folded at `half` (the
// 8-bit form folds at 256 with a full scale of 255).
unsigned foldedSaturation(unsigned mx, unsigned mn, unsigned half, unsigned full) {
  if (mx == mn) return 0;
  unsigned const f = mx + mn;
  return (mx - mn) * full / (f >= half ? 2 * half - f : f);
}

// One channel of HLS to RGB at the angle x (degrees, 0..360).
float hlsValue(float m1, float m2, float x) {
  if (x < 60.0f) return m1 + (m2 - m1) * x / 60.0f;
  if (x < 180.0f) return m2;
  if (x < 240.0f) return m1 + (m2 - m1) * (240.0f - x) / 60.0f;
  return m1;
}

float luma(float r, float g, float b) { return 0.114f * b + (0.299f * r + 0.587f * g); }

}  // namespace

ColorFloat<float> Colorsys::RgbToHls(ColorFloat<float> const& c) {
  float const mx = max3(c.red, c.green, c.blue);
  float const mn = min3(c.red, c.green, c.blue);
  return ColorFloat<float>(c.alpha, hueOf(c.red, c.green, c.blue, mx, mn), 0.5f * (mx + mn), saturationOf(mx, mn));
}

ColorFloat<float> Colorsys::HlsToRgb(ColorFloat<float> const& c) {
  float const h = wrapDegrees(c.red);
  float const l = std::min(std::max(c.green, 0.0f), 1.0f);
  if (!(c.blue > 0.0f)) return ColorFloat<float>(c.alpha, l, l, l);
  float const s = std::min(c.blue, 1.0f);
  float const m2 = l < 0.5f ? l * (1.0f + s) : l + s - l * s;
  float const m1 = 2.0f * l - m2;
  float hr = h + 120.0f;
  if (hr > 360.0f) hr -= 360.0f;
  float hb = h - 120.0f;
  if (hb < 0.0f) hb += 360.0f;
  return ColorFloat<float>(c.alpha, hlsValue(m1, m2, hr), hlsValue(m1, m2, h), hlsValue(m1, m2, hb));
}

ColorFloat<float> Colorsys::RgbToHsb(ColorFloat<float> const& c) {
  float const mx = max3(c.red, c.green, c.blue);
  float const mn = min3(c.red, c.green, c.blue);
  float const s = mx != 0.0f ? (mx - mn) / mx : 0.0f;
  return ColorFloat<float>(c.alpha, hueOf(c.red, c.green, c.blue, mx, mn), s, mx);
}

ColorFloat<float> Colorsys::HsbToRgb(ColorFloat<float> const& c) {
  float const hue = c.red;
  float const s = c.green;
  float const v = c.blue;
  if (s == 0.0f) return ColorFloat<float>(c.alpha, v, v, v);
  ColorFloat<float> out(c.alpha, 0.0f, 0.0f, 0.0f);
  float const sector = std::fmod(std::floor(hue / 60.0f), 6.0f);
  // A hue that is not finite has no sector; converting it would be undefined.
  if (!std::isfinite(sector)) return out;
  int const i = static_cast<int>(sector);
  float const f = hue / 60.0f - static_cast<float>(i);
  float const p = v * (1.0f - s);
  float const q = v * (1.0f - s * f);
  float const t = v * (1.0f - s * (1.0f - f));
  switch (i) {
    case 0: out.red = v; out.green = t; out.blue = p; break;
    case 1: out.red = q; out.green = v; out.blue = p; break;
    case 2: out.red = p; out.green = v; out.blue = t; break;
    case 3: out.red = p; out.green = q; out.blue = v; break;
    case 4: out.red = t; out.green = p; out.blue = v; break;
    case 5: out.red = v; out.green = p; out.blue = q; break;
    default: break;  // negative sectors keep black
  }
  return out;
}

ColorFloat<float> Colorsys::RgbToYuv(ColorFloat<float> const& c) {
  return ColorFloat<float>(c.alpha, luma(c.red, c.green, c.blue), -0.169f * c.red - 0.331f * c.green + 0.5f * c.blue,
                           0.5f * c.red - 0.419f * c.green - 0.081f * c.blue);
}

// Y, U, V are in red, green, blue.
ColorFloat<float> Colorsys::YuvToRgb(ColorFloat<float> const& c) {
  return ColorFloat<float>(c.alpha, c.red + 1.402f * c.blue, c.red - 0.344f * c.green - 0.714f * c.blue,
                           c.red + 1.772f * c.green);
}

float Colorsys::Hue(ColorFloat<float> const& c) {
  return hueOf(c.red, c.green, c.blue, max3(c.red, c.green, c.blue), min3(c.red, c.green, c.blue));
}

float Colorsys::Luminance(ColorFloat<float> const& c) { return luma(c.red, c.green, c.blue); }
float Colorsys::Luminance(PF_PixelFloat const& p) { return Luminance(ColorFloat<float>(p)); }
A_u_char Colorsys::Luminance(PF_Pixel const& p) {
  return static_cast<A_u_char>(Luminance(ColorFloat<float>(p, false)));
}
A_u_short Colorsys::Luminance(PF_Pixel16 const& p) {
  return static_cast<A_u_short>(Luminance(ColorFloat<float>(p, false)));
}

float Colorsys::Lightness(ColorFloat<float> const& c) {
  return 0.5f * (max3(c.red, c.green, c.blue) + min3(c.red, c.green, c.blue));
}
float Colorsys::Lightness(PF_PixelFloat const& p) { return Lightness(ColorFloat<float>(p)); }
A_u_char Colorsys::Lightness(PF_Pixel const& p) {
  return static_cast<A_u_char>((maxInt3(p.red, p.green, p.blue) + minInt3(p.red, p.green, p.blue)) >> 1);
}
A_u_short Colorsys::Lightness(PF_Pixel16 const& p) {
  unsigned const sum = maxInt3(p.red, p.green, p.blue) + minInt3(p.red, p.green, p.blue);
  return static_cast<A_u_short>(sum > 65537u ? 32768u : sum >> 1);
}

float Colorsys::Saturation(ColorFloat<float> const& c) {
  return saturationOf(max3(c.red, c.green, c.blue), min3(c.red, c.green, c.blue));
}
float Colorsys::Saturation(PF_PixelFloat const& p) { return Saturation(ColorFloat<float>(p)); }
A_u_char Colorsys::Saturation(PF_Pixel const& p) {
  unsigned const mx = maxInt3(p.red, p.green, p.blue);
  return static_cast<A_u_char>(foldedSaturation(mx, minInt3(p.red, p.green, p.blue), 256u, 255u));
}
A_u_short Colorsys::Saturation(PF_Pixel16 const& p) {
  // Channels above the 16-bit full scale are taken as full scale: the folded
  // denominator would otherwise reach 0 or wrap.
  unsigned const mx = std::min(maxInt3(p.red, p.green, p.blue), 32768u);
  unsigned const mn = std::min(minInt3(p.red, p.green, p.blue), 32768u);
  return static_cast<A_u_short>(foldedSaturation(mx, mn, 32768u, 32768u));
}

float Colorsys::Brightness(ColorFloat<float> const& c) { return max3(c.red, c.green, c.blue); }
float Colorsys::Brightness(PF_PixelFloat const& p) { return Brightness(ColorFloat<float>(p)); }
A_u_char Colorsys::Brightness(PF_Pixel const& p) { return static_cast<A_u_char>(maxInt3(p.red, p.green, p.blue)); }
A_u_short Colorsys::Brightness(PF_Pixel16 const& p) { return static_cast<A_u_short>(maxInt3(p.red, p.green, p.blue)); }

void Colorsys::Normalize(ColorFloat<float>& first, ColorFloat<float>& second, ColorFloat<float>& third) {
  auto const balance = [](float& a, float& b, float& c) {
    float const sum = (b + a) + c;
    if (sum != 0.0f) {
      a /= sum;
      b /= sum;
      c /= sum;
    } else {
      a = 0.0f;
      b = 1.0f;
      c = 0.0f;
    }
  };
  balance(first.red, second.red, third.red);
  balance(first.green, second.green, third.green);
  balance(first.blue, second.blue, third.blue);
}

}  // namespace Brelo
