// Per-pixel blend modes for the working colour and the three host pixel kinds. The first
// argument is the pixel already in the image (base, b), the second the pixel laid over it
// (s), both straight colour. All pure, allocation-free and inline: the renderers call
// them once per covered pixel, from many threads.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloDivide.h"
#include "Brelo/ColorFloat.h"
#include "Brelo/PixelConversion.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Every mode after Normal as X(Mode, name, host transfer mode), in the enumeration's
// order: the mixes of both pixels' colours, then the colour-space modes and alpha_add.
#define BRELO_BLEND_MIXES(X)                                                                                   \
  X(Add, add, PF_Xfer_ADD) X(Multiply, multiply, PF_Xfer_MULTIPLY) X(Screen, screen, PF_Xfer_SCREEN)           \
  X(Overlay, overlay, PF_Xfer_OVERLAY) X(SoftLight, softlight, PF_Xfer_SOFT_LIGHT)                             \
  X(HardLight, hardlight, PF_Xfer_HARD_LIGHT) X(Dodge, dodge, PF_Xfer_COLOR_DODGE2)                            \
  X(Burn, burn, PF_Xfer_COLOR_BURN2) X(Darken, darken, PF_Xfer_DARKEN) X(Lighten, lighten, PF_Xfer_LIGHTEN)    \
  X(Difference, difference, PF_Xfer_DIFFERENCE2) X(Exclusion, exclusion, PF_Xfer_EXCLUSION)
#define BRELO_BLEND_MODES(X)                                                                  \
  BRELO_BLEND_MIXES(X) X(Hue, hue, PF_Xfer_HUE) X(Saturation, saturation, PF_Xfer_SATURATION) \
  X(Luminosity, luminosity, PF_Xfer_LUMINOSITY) X(AlphaAdd, alpha_add, PF_Xfer_ALPHA_ADD)

// Normal is 0 and the modes above follow from 1 in their order; saved
// projects hold these values.
#define BRELO_BLEND_ENUMERATOR(Mode, name, transfer) Mode,
enum class BlendMode : int { Normal = 0, BRELO_BLEND_MODES(BRELO_BLEND_ENUMERATOR) };
#undef BRELO_BLEND_ENUMERATOR

namespace BlendDetail {

// out with red, green, blue set to channel(cb, cs, ch); ch is 0, 1, 2.
template <class P, class Channel>
inline P eachChannel(P out, P const& b, P const& s, Channel const& channel) {
  out.red = channel(b.red, s.red, 0);
  out.green = channel(b.green, s.green, 1);
  out.blue = channel(b.blue, s.blue, 2);
  return out;
}

// Where only one of the pixels is present it shows unchanged; null where both are.
template <class P>
inline P const* onlyOne(P const& b, P const& s) {
  return b.alpha == 0 ? &s : (s.alpha == 0 ? &b : nullptr);
}

// ---------------------------------------------------------------- frames
// Every mode but normal and alpha_add: where one pixel alone is present its own colour
// shows, where both are the mode's mix B(cb, cs), each weighted by its coverage.

template <bool LimitColour, class P, class Mix>
inline P frameFloat(P const& b, P const& s, Mix const& mix) {
  if (P const* one = onlyOne(b, s)) return *one;
  float const ab = b.alpha;
  float const as = s.alpha;
  float const onlyS = (1.0f - ab) * as;
  float const onlyB = (1.0f - as) * ab;
  float const both = ab * as;
  float const ao = ab + onlyS;
  P out = b;
  out.alpha = ao;
  return eachChannel(out, b, s, [&](float cb, float cs, int ch) {
    float const co = (cs * onlyS + cb * onlyB + mix(cb, cs, ch) * both) / ao;
    return LimitColour ? std::min(std::max(co, 0.0f), 1.0f) : co;
  });
}

// 8 bits in integers; Int is 64-bit where the mix term needs it.
// term(cb, cs, ab * as, ch) is the whole ab * as * B8 product.
template <class Int, class Term>
inline PF_Pixel frame8(PF_Pixel const& b, PF_Pixel const& s, Term const& term) {
  if (PF_Pixel const* one = onlyOne(b, s)) return *one;
  PF_Pixel out;
  Int const ab = b.alpha;
  Int const as = s.alpha;
  Int const a = ab + (255 - ab) * as / 255;
  Int const onlyB = (255 - as) * ab;
  Int const onlyS = (255 - ab) * as;
  Int const both = ab * as;
  out.alpha = static_cast<A_u_char>(a > 255 ? 255 : a);
  return eachChannel(out, b, s, [&](Int cb, Int cs, int ch) {
    Int const n = cb * onlyB + cs * onlyS + term(cb, cs, both, ch);
    Int const co = static_cast<Int>(Divide::by255A(n, a));  // n / a / 255
    return static_cast<A_u_char>(co > 255 ? 255 : co);
  });
}

// 8 bits (softlight, burn) and 16 bits in single precision on the raw values 0..Full;
// term(cb, cs, ch, ab, as) is the whole product B · ab · as, grouped as each depth needs.
template <class P, class Channel, int Full, class Term>
inline P frameScaled(P const& b, P const& s, Term const& term) {
  if (P const* one = onlyOne(b, s)) return *one;
  P out;
  float const ab = b.alpha;
  float const as = s.alpha;
  float const onlyS = (float(Full) - ab) * as;
  float const alpha = onlyS / float(Full) + ab;
  float const onlyB = ab * (float(Full) - as);
  out.alpha = PixelDetail::limitTruncate<Channel>(alpha, float(Full));
  return eachChannel(out, b, s, [&](float cb, float cs, int ch) {
    float const co = (cs * onlyS + cb * onlyB + term(cb, cs, ch, ab, as)) / alpha / float(Full);
    return PixelDetail::limitTruncate<Channel>(co, float(Full));
  });
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
  // Hard light is overlay with the two pixels' roles swapped, in every kind.
  static float hardlight(float cb, float cs, int ch) { return overlay(cs, cb, ch); }
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

// 8-bit terms, channels 0..255: integer products ab * as * B8 (both = ab * as; dodge in
// 64 bits), except softlight and burn, which give B8 in single precision; half is 128.
struct Term8 {
  using U = uint32_t;
  using U64 = uint64_t;
  static U add(U cb, U cs, U both, int) { return both * (cb + cs); }
  static U multiply(U cb, U cs, U both, int) { return both * cb * cs / 255; }
  static U screen(U cb, U cs, U both, int) { return both * (cb + cs - cb * cs / 255); }
  static U overlay(U cb, U cs, U both, int) {
    return both * (cb >= 128 ? 2 * (cb + cs - cb * cs / 255) - 255 : 2 * cb * cs / 255);
  }
  static U hardlight(U cb, U cs, U both, int ch) { return overlay(cs, cb, both, ch); }
  // A full blend channel saturates any base channel above 0.
  static U64 dodge(U64 cb, U64 cs, U64 both, int) {
    return both * (cs < 255 ? 255 * cb / (255 - cs) : cb * 255000);
  }
  static U darken(U cb, U cs, U both, int) { return both * std::min(cb, cs); }
  static U lighten(U cb, U cs, U both, int) { return both * std::max(cb, cs); }
  static U difference(U cb, U cs, U both, int) { return both * (cb > cs ? cb - cs : cs - cb); }
  static U exclusion(U cb, U cs, U both, int) { return both * (cb + cs - 2 * cb * cs / 255); }
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
  static float hardlight(float cb, float cs, int ch) { return overlay(cs, cb, ch); }
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

// The mixes of each pixel kind, by mode name.
template <class P>
using Mixes = std::conditional_t<std::is_same_v<P, PF_Pixel>, Term8,
                                 std::conditional_t<std::is_same_v<P, PF_Pixel16>, Mix16, MixF>>;

// A mix function as a type of its own, so that each mode's frame calls it
// directly instead of through a pointer.
template <auto F>
struct Call {
  template <class... A>
  auto operator()(A... a) const {
    return F(a...);
  }
};

// A mix applied to a pair of pixels; the kind of the mix picks the frame.
using FloatMix = float (*)(float, float, int);
using Term32 = uint32_t (*)(uint32_t, uint32_t, uint32_t, int);
using Term64 = uint64_t (*)(uint64_t, uint64_t, uint64_t, int);
using Mix8Float = float (*)(float, float);

template <FloatMix F>
inline ColorFloat<float> mixed(ColorFloat<float> const& b, ColorFloat<float> const& s) {
  return frameFloat<false>(b, s, Call<F>{});
}
// Float host pixels: as the working colour, but dodge and burn are limited. Specialised
// rather than compared: sanitizer builds take no function address comparison as constant.
template <FloatMix F>
struct LimitsColour : std::false_type {};
template <>
struct LimitsColour<&MixF::dodge> : std::true_type {};
template <>
struct LimitsColour<&MixF::burn> : std::true_type {};
template <FloatMix F>
inline PF_PixelFloat mixed(PF_PixelFloat const& b, PF_PixelFloat const& s) {
  return frameFloat<LimitsColour<F>::value>(b, s, Call<F>{});
}
template <Term32 F>
inline PF_Pixel mixed(PF_Pixel const& b, PF_Pixel const& s) {
  return frame8<uint32_t>(b, s, Call<F>{});
}
template <Term64 F>
inline PF_Pixel mixed(PF_Pixel const& b, PF_Pixel const& s) {
  return frame8<uint64_t>(b, s, Call<F>{});
}
template <Mix8Float F>
inline PF_Pixel mixed(PF_Pixel const& b, PF_Pixel const& s) {
  return frameScaled<PF_Pixel, A_u_char, 255>(
      b, s, [](float cb, float cs, int, float ab, float as) { return F(cb, cs) * ab * as; });
}
template <FloatMix F>
inline PF_Pixel16 mixed(PF_Pixel16 const& b, PF_Pixel16 const& s) {
  return frameScaled<PF_Pixel16, A_u_short, 32768>(
      b, s, [](float cb, float cs, int ch, float ab, float as) { return F(cb, cs, ch) * (ab * as); });
}

// ---------------------------------------------------------------- colour-space modes
enum class SpaceMode { Hue, Saturation, Luminosity };

// The mixed colour M of the colour-space modes. `grey` reports the hue case of a grey
// blend pixel, where M is the base's luma and the integer kinds convert it without limiting.
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
inline P space(SpaceMode mode, P const& b, P const& s) {
  if (P const* one = onlyOne(b, s)) return *one;
  bool grey;
  ColorFloat<float> const m = spaceMix(mode, ColorFloat<float>(b), ColorFloat<float>(s), grey);
  return frameFloat<false>(b, s, [&m](float, float, int ch) { return pick(m, ch); });
}

// Integer kinds: M in raw channel values, limited and truncated; the luma of
// the grey case is only truncated (never negative for integer channels).
template <class P, class Channel, int Full>
inline P spaceInt(SpaceMode mode, P const& b, P const& s) {
  if (P const* one = onlyOne(b, s)) return *one;
  bool grey;
  ColorFloat<float> const m = spaceMix(mode, ColorFloat<float>(b), ColorFloat<float>(s), grey);
  using T = std::conditional_t<Full == 255, uint32_t, float>;
  auto const raw = [&](float v) -> T {
    if (grey) return Full == 255 ? T(static_cast<uint32_t>(m.red * 255.0f)) : T(std::trunc(m.red * float(Full)));
    return PixelDetail::limitTruncate<Channel>(v * float(Full), float(Full));
  };
  T const mc[3] = {raw(m.red), raw(m.green), raw(m.blue)};
  if constexpr (Full == 255) {
    return frame8<uint32_t>(b, s, [&mc](uint32_t, uint32_t, uint32_t both, int ch) { return both * mc[ch]; });
  } else {
    return frameScaled<P, Channel, Full>(
        b, s, [&mc](float, float, int ch, float ab, float as) { return mc[ch] * (ab * as); });
  }
}
inline PF_Pixel space(SpaceMode mode, PF_Pixel const& b, PF_Pixel const& s) {
  return spaceInt<PF_Pixel, A_u_char, 255>(mode, b, s);
}
inline PF_Pixel16 space(SpaceMode mode, PF_Pixel16 const& b, PF_Pixel16 const& s) {
  return spaceInt<PF_Pixel16, A_u_short, 32768>(mode, b, s);
}

// ---------------------------------------------------------------- normal, alpha_add
template <class P>
inline P normal(P const& b, P const& s) {
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
  return eachChannel(out, b, s, [&](float cb, float cs, int) { return (cs * as + cb * w) / ao; });
}

// Integer normal for 8 and 16 bits; F is the full scale, and the 8-bit
// quotients (small enough) come from Divide::small.
template <class P, class Channel, uint32_t F>
inline P normalInt(P const& b, P const& s) {
  // An alpha above the full scale counts as opaque; (F - as) would otherwise wrap.
  if (b.alpha == 0 || s.alpha >= F) {
    return s;
  }
  if (s.alpha == 0) {
    return b;
  }
  uint32_t const as = s.alpha;
  uint32_t const w = (F - as) * b.alpha / F;
  uint32_t const a = as + w;
  P out;
  out.alpha = static_cast<Channel>(a > F ? F : a);
  return eachChannel(out, b, s, [&](uint32_t cb, uint32_t cs, int) {
    uint32_t const n = cs * as + cb * w;
    uint32_t const co = F == 255 ? Divide::small(n, a) : n / a;  // (cs as + cb w) / a
    return static_cast<Channel>(co > F ? F : co);
  });
}
inline PF_Pixel normal(PF_Pixel const& b, PF_Pixel const& s) { return normalInt<PF_Pixel, A_u_char, 255>(b, s); }
inline PF_Pixel16 normal(PF_Pixel16 const& b, PF_Pixel16 const& s) {
  return normalInt<PF_Pixel16, A_u_short, 32768>(b, s);
}

template <class P>
inline P alphaAdd(P const& b, P const& s) {
  if (P const* one = onlyOne(b, s)) return *one;
  P out = b;
  float const ab = b.alpha;
  float const as = s.alpha;
  float const sum = ab + as;
  auto const limit = [](float v) { return std::min(std::max(v, 0.0f), 1.0f); };
  out.alpha = limit(sum);
  return eachChannel(out, b, s, [&](float cb, float cs, int) { return limit((cb * ab + cs * as) / sum); });
}

// Integer alpha_add for 8 and 16 bits; F is the full scale.
template <class P, class Channel, uint32_t F>
inline P alphaAddInt(P const& b, P const& s) {
  if (P const* one = onlyOne(b, s)) return *one;
  P out;
  uint32_t const ab = b.alpha;
  uint32_t const as = s.alpha;
  uint32_t const a = ab + as;
  out.alpha = static_cast<Channel>(a > F ? F : a);
  return eachChannel(out, b, s, [&](uint32_t cb, uint32_t cs, int) {
    uint32_t const co = Divide::small(cb * ab + cs * as, a);  // (cb ab + cs as) / a
    return static_cast<Channel>(co > F ? F : co);
  });
}
inline PF_Pixel alphaAdd(PF_Pixel const& b, PF_Pixel const& s) { return alphaAddInt<PF_Pixel, A_u_char, 255>(b, s); }
inline PF_Pixel16 alphaAdd(PF_Pixel16 const& b, PF_Pixel16 const& s) {
  return alphaAddInt<PF_Pixel16, A_u_short, 32768>(b, s);
}

}  // namespace BlendDetail

// Every mode for the working colour (ColorFloat<float>) and the three host pixel kinds.
// PF_Pixel works in integers except softlight, burn and the colour-space modes; PF_Pixel16
// in single precision on the raw values except normal and alpha_add; PF_PixelFloat as the
// working colour, except that dodge and burn limit their colour channels to 0..1.
class Blend {
 public:
  template <class P>
  static P normal(P const& b, P const& s) { return BlendDetail::normal(b, s); }
#define BRELO_BLEND_MIX(Mode, name, transfer) \
  template <class P>                          \
  static P name(P const& b, P const& s) { return BlendDetail::mixed<&BlendDetail::Mixes<P>::name>(b, s); }
  BRELO_BLEND_MIXES(BRELO_BLEND_MIX)
#undef BRELO_BLEND_MIX
  template <class P>
  static P hue(P const& b, P const& s) { return BlendDetail::space(BlendDetail::SpaceMode::Hue, b, s); }
  template <class P>
  static P saturation(P const& b, P const& s) { return BlendDetail::space(BlendDetail::SpaceMode::Saturation, b, s); }
  template <class P>
  static P luminosity(P const& b, P const& s) { return BlendDetail::space(BlendDetail::SpaceMode::Luminosity, b, s); }
  template <class P>
  static P alpha_add(P const& b, P const& s) { return BlendDetail::alphaAdd(b, s); }

  // row[i] = normal(row[i], top) for i in 0 .. n - 1, the same pixels, several at a
  // time with the kernel named (one the processor lacks runs as the next below it).
  enum class SpanKernel { Scalar, Sse2, Avx2 };
  static SpanKernel bestSpanKernel();
  static void normalSpan(PF_Pixel* row, int n, PF_Pixel const& top, SpanKernel kernel = bestSpanKernel());
  // *at[i] = normal(*at[i], top[i]) for n distinct pixels *at[i], the same way.
  static void normalEach(PF_Pixel* const* at, PF_Pixel const* top, int n, SpanKernel kernel = bestSpanKernel());
};

using BlendFunction = ColorFloat<float> (*)(ColorFloat<float> const&, ColorFloat<float> const&);
using BlendFunction8 = PF_Pixel (*)(PF_Pixel const&, PF_Pixel const&);
using BlendFunction16 = PF_Pixel16 (*)(PF_Pixel16 const&, PF_Pixel16 const&);
using BlendFunction32 = PF_PixelFloat (*)(PF_PixelFloat const&, PF_PixelFloat const&);

// Calls go(f) with a function object f(b, s) of the mode, for any pixel kind: a loop over
// pixels inside `go` gets the blend inlined instead of a call through a pointer per pixel.
// Values outside the enumeration give `normal`, as the lookups below.
template <class Go>
void withBlend(BlendMode mode, Go&& go) {
#define BRELO_BLEND_CASE(Mode, name, transfer)                           \
  case BlendMode::Mode:                                                  \
    go([](auto const& b, auto const& s) { return Blend::name(b, s); }); \
    return;
  switch (mode) {
    BRELO_BLEND_MODES(BRELO_BLEND_CASE)
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
