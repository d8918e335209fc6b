// Per-pixel blend modes for the working colour and the three host pixel
// kinds. The first argument is the pixel already in the image (base, b), the
// second the pixel laid over it (s); colours are straight, not premultiplied.
// Every function is pure, allocation-free and inline: the renderers call them
// once per covered pixel, from many threads.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloDivide.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/PixelConversion.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

enum class BlendMode : int {
  Normal = 0,
  Add = 1,
  Multiply = 2,
  Screen = 3,
  Overlay = 4,
  SoftLight = 5,
  HardLight = 6,
  Dodge = 7,
  Burn = 8,
  Darken = 9,
  Lighten = 10,
  Difference = 11,
  Exclusion = 12,
  Hue = 13,
  Saturation = 14,
  Luminosity = 15,
  AlphaAdd = 16,
};

namespace BlendDetail {

// ---------------------------------------------------------------- frames
// Every mode but normal and alpha_add: where only one pixel is present its
// own colour shows, where both are the mode's mix B(cb, cs), each weighted by
// its coverage; ch is 0, 1, 2 for red, green, blue.

template <bool LimitColour, class P, class Mix>
inline P frameFloat(P const& b, P const& s, Mix const& mix) {
  if (b.alpha == 0.0f) {
    return s;
  }
  if (s.alpha == 0.0f) {
    return b;
  }
  float const ab = b.alpha;
  float const as = s.alpha;
  float const onlyS = (1.0f - ab) * as;
  float const onlyB = (1.0f - as) * ab;
  float const both = ab * as;
  float const ao = ab + onlyS;
  auto const channel = [&](float cb, float cs, int ch) {
    float const co = (cs * onlyS + cb * onlyB + mix(cb, cs, ch) * both) / ao;
    return LimitColour ? std::min(std::max(co, 0.0f), 1.0f) : co;
  };
  P out = b;
  out.alpha = ao;
  out.red = channel(b.red, s.red, 0);
  out.green = channel(b.green, s.green, 1);
  out.blue = channel(b.blue, s.blue, 2);
  return out;
}

// 8 bits in integers; Int is 64-bit where the mix term needs it.
// term(cb, cs, ab * as, ch) is the whole ab * as * B8 product.
template <class Int, class Term>
inline PF_Pixel frame8(PF_Pixel const& b, PF_Pixel const& s, Term const& term) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  Int const ab = b.alpha;
  Int const as = s.alpha;
  Int const a = ab + (255 - ab) * as / 255;
  Int const onlyB = (255 - as) * ab;
  Int const onlyS = (255 - ab) * as;
  Int const both = ab * as;
  auto const channel = [&](Int cb, Int cs, int ch) {
    Int const n = cb * onlyB + cs * onlyS + term(cb, cs, both, ch);
    Int const co = static_cast<Int>(Divide::by255A(n, a));  // n / a / 255
    return static_cast<A_u_char>(co > 255 ? 255 : co);
  };
  PF_Pixel out;
  out.alpha = static_cast<A_u_char>(a > 255 ? 255 : a);
  out.red = channel(b.red, s.red, 0);
  out.green = channel(b.green, s.green, 1);
  out.blue = channel(b.blue, s.blue, 2);
  return out;
}

// 8 bits in single precision (softlight, burn); mix gives B in 0..255.
template <class Mix>
inline PF_Pixel frame8Float(PF_Pixel const& b, PF_Pixel const& s, Mix const& mix) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  float const ab = b.alpha;
  float const as = s.alpha;
  float const onlyS = (255.0f - ab) * as;
  float const alpha = onlyS / 255.0f + ab;
  float const onlyB = ab * (255.0f - as);
  auto const channel = [&](float cb, float cs) {
    float const co = (cs * onlyS + cb * onlyB + mix(cb, cs) * ab * as) / alpha / 255.0f;
    return PixelDetail::limitTruncate<A_u_char>(co, 255.0f);
  };
  PF_Pixel out;
  out.alpha = PixelDetail::limitTruncate<A_u_char>(alpha, 255.0f);
  out.red = channel(b.red, s.red);
  out.green = channel(b.green, s.green);
  out.blue = channel(b.blue, s.blue);
  return out;
}

// 16 bits in single precision on the raw values 0..32768; mix gives B16.
template <class Mix>
inline PF_Pixel16 frame16(PF_Pixel16 const& b, PF_Pixel16 const& s, Mix const& mix) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  float const ab = b.alpha;
  float const as = s.alpha;
  float const onlyS = (32768.0f - ab) * as;
  float const alpha = onlyS / 32768.0f + ab;
  float const onlyB = ab * (32768.0f - as);
  float const both = ab * as;
  auto const channel = [&](float cb, float cs, int ch) {
    float const co = (cs * onlyS + cb * onlyB + mix(cb, cs, ch) * both) / alpha / 32768.0f;
    return PixelDetail::limitTruncate<A_u_short>(co, 32768.0f);
  };
  PF_Pixel16 out;
  out.alpha = PixelDetail::limitTruncate<A_u_short>(alpha, 32768.0f);
  out.red = channel(b.red, s.red, 0);
  out.green = channel(b.green, s.green, 1);
  out.blue = channel(b.blue, s.blue, 2);
  return out;
}

// ---------------------------------------------------------------- mixes
// Floating kinds, channels 0..1.
struct MixF {
  static float add(float cb, float cs, int) { return cb + cs; }
  static float multiply(float cb, float cs, int) { return cb * cs; }
  static float screen(float cb, float cs, int) { return 1.0f - (1.0f - cb) * (1.0f - cs); }
  static float overlay(float cb, float cs, int) {
    return cb < 0.5f ? 2.0f * cb * cs : 1.0f - 2.0f * (1.0f - cb) * (1.0f - cs);
  }
  static float hardlight(float cb, float cs, int) {
    return cs < 0.5f ? 2.0f * cs * cb : 1.0f - 2.0f * (1.0f - cs) * (1.0f - cb);
  }
  static float softlight(float cb, float cs, int) {
    float const e = cs < 0.5f ? 2.0f * (1.0f - cs) : 1.0f / (2.0f * cs);
    return std::pow(cb, e);
  }
  static float dodge(float cb, float cs, int) {
    float const d = cs < 1.0f ? 1.0f - cs : 0.00001f;
    return cb / d;
  }
  static float burn(float cb, float cs, int) {
    float const d = cs > 0.0f ? cs : 0.00001f;
    return 1.0f - (1.0f - cb) / d;
  }
  static float darken(float cb, float cs, int) { return std::min(cb, cs); }
  static float lighten(float cb, float cs, int) { return std::max(cb, cs); }
  static float difference(float cb, float cs, int) { return std::fabs(cb - cs); }
  static float exclusion(float cb, float cs, int) { return (1.0f - cs) * cb + (1.0f - cb) * cs; }
};

// 8-bit integer terms ab * as * B8 (both = ab * as), channels 0..255.
template <class Int>
struct Term8 {
  static Int add(Int cb, Int cs, Int both, int) { return both * (cb + cs); }
  static Int multiply(Int cb, Int cs, Int both, int) { return both * cb * cs / 255; }
  static Int screen(Int cb, Int cs, Int both, int) { return both * (cb + cs - cb * cs / 255); }
  static Int overlay(Int cb, Int cs, Int both, int) {
    return both * (cb >= 128 ? 2 * (cb + cs - cb * cs / 255) - 255 : 2 * cb * cs / 255);
  }
  static Int hardlight(Int cb, Int cs, Int both, int) {
    return both * (cs >= 128 ? 2 * (cs + cb - cs * cb / 255) - 255 : 2 * cs * cb / 255);
  }
  // A full blend channel saturates any base channel above 0.
  static Int dodge(Int cb, Int cs, Int both, int) { return both * (cs < 255 ? 255 * cb / (255 - cs) : cb * 255000); }
  static Int darken(Int cb, Int cs, Int both, int) { return both * std::min(cb, cs); }
  static Int lighten(Int cb, Int cs, Int both, int) { return both * std::max(cb, cs); }
  static Int difference(Int cb, Int cs, Int both, int) { return both * (cb > cs ? cb - cs : cs - cb); }
  static Int exclusion(Int cb, Int cs, Int both, int) { return both * (cb + cs - 2 * cb * cs / 255); }
};

// 8-bit modes computed in single precision, channels 0..255; the half point is 128.
struct Mix8Float {
  static float softlight(float cb, float cs) {
    float const e = cs >= 128.0f ? 128.0f / cs : (255.0f - cs) / 128.0f;
    return 255.0f * std::pow(cb / 255.0f, e);
  }
  static float burn(float cb, float cs) {
    float const q = cs != 0.0f ? (255.0f - cb) * 255.0f / cs : (255.0f - cb) * 255.0f * 10.0f;
    return 255.0f - q;
  }
};

// 16-bit mixes B16 on the raw values 0..32768.
struct Mix16 {
  static float add(float cb, float cs, int) { return cb + cs; }
  static float multiply(float cb, float cs, int) { return cb * cs / 32768.0f; }
  static float screen(float cb, float cs, int) { return cb + cs - cb * cs / 32768.0f; }
  static float overlay(float cb, float cs, int) {
    return cb > 16383.0f ? 2.0f * (cb + cs - cb * cs / 32768.0f) - 32768.0f : 2.0f * cb * cs / 32768.0f;
  }
  static float hardlight(float cb, float cs, int) {
    return cs > 16383.0f ? 2.0f * (cb + cs - cb * cs / 32768.0f) - 32768.0f : 2.0f * cb * cs / 32768.0f;
  }
  static float softlight(float cb, float cs, int) {
    float const e = cs > 16383.0f ? 16384.0f / cs : (32768.0f - cs) / 16384.0f;
    return 32768.0f * std::pow(cb / 32768.0f, e);
  }
  static float dodge(float cb, float cs, int) {
    return cs < 32768.0f ? 32768.0f * cb / (32768.0f - cs) : 32768.0f * cb * 1000.0f;
  }
  static float burn(float cb, float cs, int) {
    float const q = cs != 0.0f ? (32768.0f - cb) * 32768.0f / cs : (32768.0f - cb) * 32768.0f * 10.0f;
    return 32768.0f - q;
  }
  static float darken(float cb, float cs, int) { return std::min(cb, cs); }
  static float lighten(float cb, float cs, int) { return std::max(cb, cs); }
  static float difference(float cb, float cs, int) { return std::fabs(cb - cs); }
  static float exclusion(float cb, float cs, int) { return cb + cs - 2.0f * cb * cs / 32768.0f; }
};

// ---------------------------------------------------------------- colour-space modes
enum class SpaceMode { Hue, Saturation, Luminosity };

// The mixed colour M of the colour-space modes. `grey` reports the hue case
// of a grey blend pixel, where M is the base's luma and the integer kinds
// convert it without limiting.
inline ColorFloat<float> spaceMix(SpaceMode mode, ColorFloat<float> const& b, ColorFloat<float> const& s, bool& grey) {
  grey = false;
  if (mode == SpaceMode::Hue && s.red == s.green && s.green == s.blue) {
    grey = true;
    float const y = Colorsys::RgbToYuv(b).red;
    return ColorFloat<float>(b.alpha, y, y, y);
  }
  ColorFloat<float> hls = Colorsys::RgbToHls(b);
  ColorFloat<float> const other = Colorsys::RgbToHls(s);
  switch (mode) {
    case SpaceMode::Hue: hls.red = other.red; break;
    case SpaceMode::Saturation: hls.blue = other.blue; break;
    case SpaceMode::Luminosity: hls.green = other.green; break;
  }
  return Colorsys::HlsToRgb(hls);
}

inline float pick(ColorFloat<float> const& c, int ch) { return ch == 0 ? c.red : (ch == 1 ? c.green : c.blue); }

template <class P>
inline P spaceFloat(SpaceMode mode, P const& b, P const& s) {
  if (b.alpha == 0.0f) {
    return s;
  }
  if (s.alpha == 0.0f) {
    return b;
  }
  bool grey;
  ColorFloat<float> const m = spaceMix(mode, ColorFloat<float>(b), ColorFloat<float>(s), grey);
  return frameFloat<false>(b, s, [&m](float, float, int ch) { return pick(m, ch); });
}

inline PF_Pixel space8(SpaceMode mode, PF_Pixel const& b, PF_Pixel const& s) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  bool grey;
  ColorFloat<float> const m = spaceMix(mode, ColorFloat<float>(b), ColorFloat<float>(s), grey);
  uint32_t mc[3];
  if (grey) {
    // Luma of integer channels is never negative, so plain truncation is safe.
    mc[0] = mc[1] = mc[2] = static_cast<uint32_t>(m.red * 255.0f);
  } else {
    PF_Pixel const p = aePixel8(m);
    mc[0] = p.red;
    mc[1] = p.green;
    mc[2] = p.blue;
  }
  return frame8<uint32_t>(b, s, [&mc](uint32_t, uint32_t, uint32_t both, int ch) { return both * mc[ch]; });
}

inline PF_Pixel16 space16(SpaceMode mode, PF_Pixel16 const& b, PF_Pixel16 const& s) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  bool grey;
  ColorFloat<float> const m = spaceMix(mode, ColorFloat<float>(b), ColorFloat<float>(s), grey);
  float mc[3];
  if (grey) {
    mc[0] = mc[1] = mc[2] = std::trunc(m.red * 32768.0f);
  } else {
    PF_Pixel16 const p = aePixel16(m);
    mc[0] = p.red;
    mc[1] = p.green;
    mc[2] = p.blue;
  }
  return frame16(b, s, [&mc](float, float, int ch) { return mc[ch]; });
}

// ---------------------------------------------------------------- normal, alpha_add
template <class P>
inline P normalFloat(P const& b, P const& s) {
  if (b.alpha == 0.0f || s.alpha == 1.0f) {
    return s;
  }
  if (s.alpha == 0.0f) {
    return b;
  }
  float const as = s.alpha;
  float const w = (1.0f - as) * b.alpha;
  float const ao = as + w;
  P out = b;
  out.alpha = ao;
  out.red = (s.red * as + b.red * w) / ao;
  out.green = (s.green * as + b.green * w) / ao;
  out.blue = (s.blue * as + b.blue * w) / ao;
  return out;
}

template <class P>
inline P alphaAddFloat(P const& b, P const& s) {
  if (b.alpha == 0.0f) {
    return s;
  }
  if (s.alpha == 0.0f) {
    return b;
  }
  float const ab = b.alpha;
  float const as = s.alpha;
  float const sum = ab + as;
  auto const limit = [](float v) { return std::min(std::max(v, 0.0f), 1.0f); };
  P out = b;
  out.alpha = limit(sum);
  out.red = limit((b.red * ab + s.red * as) / sum);
  out.green = limit((b.green * ab + s.green * as) / sum);
  out.blue = limit((b.blue * ab + s.blue * as) / sum);
  return out;
}

// Integer alpha_add for 8 and 16 bits; F is the full scale.
template <class P, class Channel, uint32_t F>
inline P alphaAddInt(P const& b, P const& s) {
  if (b.alpha == 0) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  uint32_t const ab = b.alpha;
  uint32_t const as = s.alpha;
  uint32_t const a = ab + as;
  auto const channel = [&](uint32_t cb, uint32_t cs) {
    uint32_t const co = Divide::small(cb * ab + cs * as, a);  // (cb ab + cs as) / a
    return static_cast<Channel>(co > F ? F : co);
  };
  P out;
  out.alpha = static_cast<Channel>(a > F ? F : a);
  out.red = channel(b.red, s.red);
  out.green = channel(b.green, s.green);
  out.blue = channel(b.blue, s.blue);
  return out;
}

}  // namespace BlendDetail

class Blend {
 public:
  using Color = ColorFloat<float>;

  // ColorFloat<float>
  static Color normal(Color const& b, Color const& s) { return BlendDetail::normalFloat(b, s); }
  static Color add(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::add); }
  static Color multiply(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::multiply); }
  static Color screen(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::screen); }
  static Color overlay(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::overlay); }
  static Color softlight(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::softlight); }
  static Color hardlight(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::hardlight); }
  static Color dodge(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::dodge); }
  static Color burn(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::burn); }
  static Color darken(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::darken); }
  static Color lighten(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::lighten); }
  static Color difference(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::difference); }
  static Color exclusion(Color const& b, Color const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::exclusion); }
  static Color hue(Color const& b, Color const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Hue, b, s); }
  static Color saturation(Color const& b, Color const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Saturation, b, s); }
  static Color luminosity(Color const& b, Color const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Luminosity, b, s); }
  static Color alpha_add(Color const& b, Color const& s) { return BlendDetail::alphaAddFloat(b, s); }

  // PF_Pixel: integer arithmetic except softlight, burn and the colour-space modes.
  static PF_Pixel normal(PF_Pixel const& b, PF_Pixel const& s) {
    if (b.alpha == 0 || s.alpha == 255) {
      return s;
    }
    if (s.alpha == 0) {
      return b;
    }
    uint32_t const as = s.alpha;
    uint32_t const w = (255 - as) * b.alpha / 255;
    uint32_t const a = as + w;
    auto const channel = [&](uint32_t cb, uint32_t cs) {
      uint32_t const co = Divide::small(cs * as + cb * w, a);  // (cs as + cb w) / a
      return static_cast<A_u_char>(co > 255 ? 255 : co);
    };
    PF_Pixel out;
    out.alpha = static_cast<A_u_char>(a > 255 ? 255 : a);
    out.red = channel(b.red, s.red);
    out.green = channel(b.green, s.green);
    out.blue = channel(b.blue, s.blue);
    return out;
  }
  static PF_Pixel add(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::add); }
  static PF_Pixel multiply(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::multiply); }
  static PF_Pixel screen(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::screen); }
  static PF_Pixel overlay(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::overlay); }
  static PF_Pixel softlight(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8Float(b, s, BlendDetail::Mix8Float::softlight); }
  static PF_Pixel hardlight(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::hardlight); }
  static PF_Pixel dodge(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint64_t>(b, s, BlendDetail::Term8<uint64_t>::dodge); }
  static PF_Pixel burn(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8Float(b, s, BlendDetail::Mix8Float::burn); }
  static PF_Pixel darken(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::darken); }
  static PF_Pixel lighten(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::lighten); }
  static PF_Pixel difference(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::difference); }
  static PF_Pixel exclusion(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::frame8<uint32_t>(b, s, BlendDetail::Term8<uint32_t>::exclusion); }
  static PF_Pixel hue(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::space8(BlendDetail::SpaceMode::Hue, b, s); }
  static PF_Pixel saturation(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::space8(BlendDetail::SpaceMode::Saturation, b, s); }
  static PF_Pixel luminosity(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::space8(BlendDetail::SpaceMode::Luminosity, b, s); }
  static PF_Pixel alpha_add(PF_Pixel const& b, PF_Pixel const& s) { return BlendDetail::alphaAddInt<PF_Pixel, A_u_char, 255>(b, s); }
  // row[i] = normal(row[i], top) for i in 0 .. n - 1, the same pixels, four
  // at a time where the processor has SSE2.
  static void normalSpan(PF_Pixel* row, int n, PF_Pixel const& top);

  // PF_Pixel16: single precision on the raw values, except normal and alpha_add.
  static PF_Pixel16 normal(PF_Pixel16 const& b, PF_Pixel16 const& s) {
    // An alpha above the 16-bit full scale counts as opaque; (32768 - as)
    // would otherwise wrap.
    if (b.alpha == 0 || s.alpha >= 32768) {
      return s;
    }
    if (s.alpha == 0) {
      return b;
    }
    uint32_t const as = s.alpha;
    uint32_t const w = ((32768 - as) * b.alpha) >> 15;
    uint32_t const a = as + w;
    auto const channel = [&](uint32_t cb, uint32_t cs) {
      uint32_t const co = (cs * as + cb * w) / a;
      return static_cast<A_u_short>(co > 32768 ? 32768 : co);
    };
    PF_Pixel16 out;
    out.alpha = static_cast<A_u_short>(a > 32768 ? 32768 : a);
    out.red = channel(b.red, s.red);
    out.green = channel(b.green, s.green);
    out.blue = channel(b.blue, s.blue);
    return out;
  }
  static PF_Pixel16 add(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::add); }
  static PF_Pixel16 multiply(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::multiply); }
  static PF_Pixel16 screen(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::screen); }
  static PF_Pixel16 overlay(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::overlay); }
  static PF_Pixel16 softlight(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::softlight); }
  static PF_Pixel16 hardlight(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::hardlight); }
  static PF_Pixel16 dodge(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::dodge); }
  static PF_Pixel16 burn(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::burn); }
  static PF_Pixel16 darken(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::darken); }
  static PF_Pixel16 lighten(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::lighten); }
  static PF_Pixel16 difference(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::difference); }
  static PF_Pixel16 exclusion(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::frame16(b, s, BlendDetail::Mix16::exclusion); }
  static PF_Pixel16 hue(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::space16(BlendDetail::SpaceMode::Hue, b, s); }
  static PF_Pixel16 saturation(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::space16(BlendDetail::SpaceMode::Saturation, b, s); }
  static PF_Pixel16 luminosity(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::space16(BlendDetail::SpaceMode::Luminosity, b, s); }
  static PF_Pixel16 alpha_add(PF_Pixel16 const& b, PF_Pixel16 const& s) { return BlendDetail::alphaAddInt<PF_Pixel16, A_u_short, 32768>(b, s); }

  // PF_PixelFloat: as the working colour, except that dodge and burn limit
  // their colour channels to 0..1.
  static PF_PixelFloat normal(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::normalFloat(b, s); }
  static PF_PixelFloat add(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::add); }
  static PF_PixelFloat multiply(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::multiply); }
  static PF_PixelFloat screen(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::screen); }
  static PF_PixelFloat overlay(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::overlay); }
  static PF_PixelFloat softlight(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::softlight); }
  static PF_PixelFloat hardlight(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::hardlight); }
  static PF_PixelFloat dodge(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<true>(b, s, BlendDetail::MixF::dodge); }
  static PF_PixelFloat burn(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<true>(b, s, BlendDetail::MixF::burn); }
  static PF_PixelFloat darken(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::darken); }
  static PF_PixelFloat lighten(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::lighten); }
  static PF_PixelFloat difference(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::difference); }
  static PF_PixelFloat exclusion(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::frameFloat<false>(b, s, BlendDetail::MixF::exclusion); }
  static PF_PixelFloat hue(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Hue, b, s); }
  static PF_PixelFloat saturation(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Saturation, b, s); }
  static PF_PixelFloat luminosity(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::spaceFloat(BlendDetail::SpaceMode::Luminosity, b, s); }
  static PF_PixelFloat alpha_add(PF_PixelFloat const& b, PF_PixelFloat const& s) { return BlendDetail::alphaAddFloat(b, s); }
};

using BlendFunction = ColorFloat<float> (*)(ColorFloat<float> const&, ColorFloat<float> const&);
using BlendFunction8 = PF_Pixel (*)(PF_Pixel const&, PF_Pixel const&);
using BlendFunction16 = PF_Pixel16 (*)(PF_Pixel16 const&, PF_Pixel16 const&);
using BlendFunction32 = PF_PixelFloat (*)(PF_PixelFloat const&, PF_PixelFloat const&);

// Calls go(f) with a function object f(b, s) of the mode, for any pixel kind:
// a loop over pixels written inside `go` gets the blend inlined instead of a
// call through a pointer per pixel. Values outside the enumeration give
// `normal`, as the lookups below.
template <class Go>
void withBlend(BlendMode mode, Go&& go) {
#define BRELO_BLEND_CASE(Mode, name)                                          \
  case BlendMode::Mode:                                                       \
    go([](auto const& b, auto const& s) { return Blend::name(b, s); });      \
    return;
  switch (mode) {
    BRELO_BLEND_CASE(Add, add)
    BRELO_BLEND_CASE(Multiply, multiply)
    BRELO_BLEND_CASE(Screen, screen)
    BRELO_BLEND_CASE(Overlay, overlay)
    BRELO_BLEND_CASE(SoftLight, softlight)
    BRELO_BLEND_CASE(HardLight, hardlight)
    BRELO_BLEND_CASE(Dodge, dodge)
    BRELO_BLEND_CASE(Burn, burn)
    BRELO_BLEND_CASE(Darken, darken)
    BRELO_BLEND_CASE(Lighten, lighten)
    BRELO_BLEND_CASE(Difference, difference)
    BRELO_BLEND_CASE(Exclusion, exclusion)
    BRELO_BLEND_CASE(Hue, hue)
    BRELO_BLEND_CASE(Saturation, saturation)
    BRELO_BLEND_CASE(Luminosity, luminosity)
    BRELO_BLEND_CASE(AlphaAdd, alpha_add)
    default:
      go([](auto const& b, auto const& s) { return Blend::normal(b, s); });
      return;
  }
#undef BRELO_BLEND_CASE
}

// Any value outside the enumeration yields `normal`.
BlendFunction getBlendFunction(BlendMode mode);
BlendFunction8 getBlendFunction8(BlendMode mode);
BlendFunction16 getBlendFunction16(BlendMode mode);
BlendFunction32 getBlendFunction32(BlendMode mode);

// The host's transfer mode for compositing done by the host; PF_Xfer_IN_FRONT
// for values outside the enumeration.
int aeBlendMode(BlendMode mode);

}  // namespace Brelo
