#include "brelo_image/ChannelRules.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "AE_Effect.h"

namespace Brelo {
namespace ImageIO {

namespace {

constexpr std::uint32_t kHostMax16 = 32768;

// One pixel's four channels, in the host's order, as a writer wants them.
template <class S>
struct Quad {
  S a, r, g, b;
};

// One channel of a host pixel (or a normalised value, as float) as a sample
// of type S, by the rules above.
template <class S, class C>
S sampleOf(C v) {
  constexpr bool from8 = std::is_same<C, A_u_char>::value, from16 = std::is_same<C, A_u_short>::value;
  if constexpr (std::is_same<S, float>::value) {
    if constexpr (from8) return float(v) / 255.0f;
    if constexpr (from16) return float(v) / 32768.0f;
    if constexpr (!from8 && !from16) return v;
  } else if constexpr (std::is_same<S, std::uint16_t>::value) {
    if constexpr (from8) return std::uint16_t(v * 257u);
    if constexpr (from16) return spread16(v);
    if constexpr (!from8 && !from16) return unitTo16(v);
  } else {
    if constexpr (from8) return v;
    if constexpr (!from8) return unitTo8(sampleOf<float>(v));
  }
}

template <class S, class P>
Quad<S> convert(P const& p, bool premultiply) {
  if (!premultiply) return {sampleOf<S>(p.alpha), sampleOf<S>(p.red), sampleOf<S>(p.green), sampleOf<S>(p.blue)};
  // Through normalised values; float colour where alpha is 1 stays exactly as it is.
  const float a = sampleOf<float>(p.alpha);
  auto pm = [a](float c) { return a == 1.0f ? c : c * a; };
  return {sampleOf<S>(a), sampleOf<S>(pm(sampleOf<float>(p.red))), sampleOf<S>(pm(sampleOf<float>(p.green))),
          sampleOf<S>(pm(sampleOf<float>(p.blue)))};
}

// One loop per order and premultiplication, so that no pixel decides them
// again and the plain cases compile to straight copies.
template <ChannelOrder Order, bool Premultiply, class S, class P>
void convertRowAs(const P* px, int width, S* out) {
  constexpr int n = Order == ChannelOrder::RGB ? 3 : 4;
  for (int x = 0; x < width; ++x, out += n) {
    Quad<S> const q = convert<S>(px[x], Premultiply);
    if constexpr (Order == ChannelOrder::ARGB) out[0] = q.a, out[1] = q.r, out[2] = q.g, out[3] = q.b;
    if constexpr (Order == ChannelOrder::RGBA) out[0] = q.r, out[1] = q.g, out[2] = q.b, out[3] = q.a;
    if constexpr (Order == ChannelOrder::RGB) out[0] = q.r, out[1] = q.g, out[2] = q.b;
  }
}

template <bool Premultiply, class S, class P>
void convertRowAs(const P* px, int width, ChannelOrder order, S* out) {
  switch (order) {
    case ChannelOrder::ARGB: convertRowAs<ChannelOrder::ARGB, Premultiply>(px, width, out); break;
    case ChannelOrder::RGBA: convertRowAs<ChannelOrder::RGBA, Premultiply>(px, width, out); break;
    case ChannelOrder::RGB: convertRowAs<ChannelOrder::RGB, Premultiply>(px, width, out); break;
  }
}

template <class S, class P>
void convertRow(const P* px, int width, RowLayout layout, S* out) {
  if (layout.premultiply)
    convertRowAs<true>(px, width, layout.order, out);
  else
    convertRowAs<false>(px, width, layout.order, out);
}

template <class S>
void convertRowFrom(PixelView const& v, int y, RowLayout layout, S* out) {
  switch (v.depth) {
    case Sim::Depth::Bits8: convertRow(reinterpret_cast<const PF_Pixel*>(v.row(y)), v.width, layout, out); break;
    case Sim::Depth::Bits16: convertRow(reinterpret_cast<const PF_Pixel16*>(v.row(y)), v.width, layout, out); break;
    case Sim::Depth::Bits32: convertRow(reinterpret_cast<const PF_PixelFloat*>(v.row(y)), v.width, layout, out); break;
  }
}

// Samples as host channels of the matching depth.
template <class S, class P, class Channel>
void toHost(const S* s, int channels, int stride, int width, P* out, Channel channel, decltype(P::alpha) opaque) {
  for (int x = 0; x < width; ++x, s += stride) {
    P& p = out[x];
    switch (channels) {
      case 1: p.red = p.green = p.blue = channel(s[0]), p.alpha = opaque; break;
      case 2: p.red = p.green = p.blue = channel(s[0]), p.alpha = channel(s[1]); break;
      case 3: p.red = channel(s[0]), p.green = channel(s[1]), p.blue = channel(s[2]), p.alpha = opaque; break;
      default: p.red = channel(s[0]), p.green = channel(s[1]), p.blue = channel(s[2]), p.alpha = channel(s[3]); break;
    }
  }
}

template <class P, class T>
void unpremultiplyInt(P* px, int width, T max) {
  for (int x = 0; x < width; ++x) {
    P& p = px[x];
    if (p.alpha == 0 || p.alpha >= max) continue;
    const std::uint32_t a = p.alpha;
    auto un = [a, max](T c) { return T(std::min<std::uint32_t>(max, (std::uint32_t(c) * max + a / 2) / a)); };
    p.red = un(p.red), p.green = un(p.green), p.blue = un(p.blue);
  }
}

}  // namespace

std::uint16_t spread16(std::uint16_t host) {
  if (host >= kHostMax16) return 65535;
  return std::uint16_t((std::uint32_t(host) * 65535u + kHostMax16 / 2) / kHostMax16);
}

std::uint16_t gather16(std::uint16_t sample) {
  return std::uint16_t((std::uint32_t(sample) * kHostMax16 + 65535u / 2) / 65535u);
}

std::uint8_t unitTo8(float v) {
  if (!(v > 0.0f)) return 0;  // NaN too
  if (v >= 1.0f) return 255;
  return std::uint8_t(v * 255.0f + 0.5f);
}

std::uint16_t unitTo16(float v) {
  if (!(v > 0.0f)) return 0;
  if (v >= 1.0f) return 65535;
  return std::uint16_t(v * 65535.0f + 0.5f);
}

Sim::Depth depthFor(SampleType type) {
  switch (type) {
    case SampleType::U8: return Sim::Depth::Bits8;
    case SampleType::U16: return Sim::Depth::Bits16;
    case SampleType::F32: break;
  }
  return Sim::Depth::Bits32;
}

std::size_t rowBytes(RowLayout layout, int width) {
  std::size_t sample = layout.type == SampleType::U8 ? 1 : layout.type == SampleType::U16 ? 2 : 4;
  return sample * (layout.order == ChannelOrder::RGB ? 3 : 4) * std::size_t(std::max(width, 0));
}

void hostRowToSamples(PixelView const& view, int y, RowLayout layout, void* out) {
  switch (layout.type) {
    case SampleType::U8: convertRowFrom(view, y, layout, static_cast<std::uint8_t*>(out)); break;
    case SampleType::U16: convertRowFrom(view, y, layout, static_cast<std::uint16_t*>(out)); break;
    case SampleType::F32: convertRowFrom(view, y, layout, static_cast<float*>(out)); break;
  }
}

void samplesToHostRow(const void* samples, SampleType type, int channels, int stride, int width, void* hostRow) {
  switch (type) {
    case SampleType::U8:
      toHost(
          static_cast<const std::uint8_t*>(samples), channels, stride, width, static_cast<PF_Pixel*>(hostRow),
          [](std::uint8_t v) { return v; }, A_u_char(255));
      break;
    case SampleType::U16:
      toHost(static_cast<const std::uint16_t*>(samples), channels, stride, width, static_cast<PF_Pixel16*>(hostRow),
             gather16, A_u_short(kHostMax16));
      break;
    case SampleType::F32:
      toHost(
          static_cast<const float*>(samples), channels, stride, width, static_cast<PF_PixelFloat*>(hostRow),
          [](float v) { return v; }, 1.0f);
      break;
  }
}

void unpremultiplyRow(void* hostRow, Sim::Depth depth, int width) {
  switch (depth) {
    case Sim::Depth::Bits8: unpremultiplyInt(static_cast<PF_Pixel*>(hostRow), width, A_u_char(255)); break;
    case Sim::Depth::Bits16: unpremultiplyInt(static_cast<PF_Pixel16*>(hostRow), width, A_u_short(kHostMax16)); break;
    case Sim::Depth::Bits32: {
      auto* px = static_cast<PF_PixelFloat*>(hostRow);
      for (int x = 0; x < width; ++x) {
        PF_PixelFloat& p = px[x];
        // Fully transparent pixels keep their colour, opaque ones need nothing.
        if (p.alpha != 0.0f && p.alpha != 1.0f) p.red /= p.alpha, p.green /= p.alpha, p.blue /= p.alpha;
      }
      break;
    }
  }
}

}  // namespace ImageIO
}  // namespace Brelo
