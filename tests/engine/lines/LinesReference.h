// A plain Lines renderer for the tests, written from the rules with none of
// the engine's shortcuts: every pixel forms its position from scratch, finds
// its first entry by bisection, visits the entries one by one, samples through
// the host's suite and blends with the foundation's functions. The engine
// must give the same bytes at every depth.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {
namespace test {

namespace reference {

using Strip = Lines::Impl::Strip;
using Parameter = Lines::Parameter;

template <class Pixel>
Pixel& at(PF_EffectWorld* w, int x, int y) {
  return reinterpret_cast<Pixel*>(static_cast<char*>(w->data) + static_cast<std::ptrdiff_t>(y) * w->rowbytes)[x];
}

// Integer of (value + 0.5), limited to the channel's range.
template <class Channel>
Channel rounded(double value, double max) {
  double const v = std::floor(value + 0.5);
  if (!(v > 0.0)) return 0;
  return static_cast<Channel>(std::min(v, max));
}

// alpha · fade · cov, multiplied in that order.
template <class Pixel>
auto scaled(decltype(Pixel::alpha) alpha, double fade, double cov) -> decltype(Pixel::alpha) {
  double const v = static_cast<double>(alpha) * fade * cov;
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) return rounded<A_u_char>(v, 255.0);
  if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return rounded<A_u_short>(v, 32768.0);
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return static_cast<float>(v);
}

inline int32_t saturated(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

template <class Pixel>
Pixel sample(AEGP_SuiteHandler& suites, PF_InData* in_data, PF_EffectWorld* src, BorderType outside, int x, int y,
             VectorFixed const& offset) {
  VectorFixed p{};
  p.x = saturated(static_cast<int64_t>(x) * 65536 + offset.x);
  p.y = saturated(static_cast<int64_t>(y) * 65536 + offset.y);
  Border::offsetF(p, src->width, src->height, outside, false);
  PF_SampPB pb{};
  pb.src = src;
  Pixel out{};
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) {
    suites.Sampling8Suite1()->subpixel_sample(in_data->effect_ref, p.x, p.y, &pb, &out);
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    suites.Sampling16Suite1()->subpixel_sample16(in_data->effect_ref, p.x, p.y, &pb, &out);
  } else {
    suites.SamplingFloatSuite1()->subpixel_sample_float(in_data->effect_ref, p.x, p.y, &pb, &out);
  }
  return out;
}

// The three RGB samples mixed with the 8-bit weights; false when all three
// are transparent.
template <class Pixel>
bool mix(Pixel const (&k)[3], PF_Pixel const (&w)[3], Pixel& out) {
  auto const a = std::max({k[0].alpha, k[1].alpha, k[2].alpha});
  if (!(a > 0)) return false;
  out.alpha = a;
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) {
    int32_t r = 0, g = 0, b = 0;
    for (int i = 0; i < 3; ++i) {
      r += k[i].red * k[i].alpha * w[i].red;
      g += k[i].green * k[i].alpha * w[i].green;
      b += k[i].blue * k[i].alpha * w[i].blue;
    }
    out.red = static_cast<A_u_char>(std::min(255, r / a / 255));
    out.green = static_cast<A_u_char>(std::min(255, g / a / 255));
    out.blue = static_cast<A_u_char>(std::min(255, b / a / 255));
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    double r = 0, g = 0, b = 0;
    for (int i = 0; i < 3; ++i) {
      r += static_cast<double>(k[i].red) * k[i].alpha * w[i].red;
      g += static_cast<double>(k[i].green) * k[i].alpha * w[i].green;
      b += static_cast<double>(k[i].blue) * k[i].alpha * w[i].blue;
    }
    out.red = static_cast<A_u_short>(std::min(32768.0, r / a / 255.0));
    out.green = static_cast<A_u_short>(std::min(32768.0, g / a / 255.0));
    out.blue = static_cast<A_u_short>(std::min(32768.0, b / a / 255.0));
  } else {
    float r = 0, g = 0, b = 0;
    for (int i = 0; i < 3; ++i) {
      r += k[i].red * k[i].alpha * static_cast<float>(w[i].red);
      g += k[i].green * k[i].alpha * static_cast<float>(w[i].green);
      b += k[i].blue * k[i].alpha * static_cast<float>(w[i].blue);
    }
    out.red = r / a / 255.0f;
    out.green = g / a / 255.0f;
    out.blue = b / a / 255.0f;
  }
  return true;
}

inline ColorFloat<float> corrected(Parameter::ColorType type, ColorFloat<float> p, ColorFloat<float> const& m) {
  if (type == Parameter::ColorType::HLS) {
    ColorFloat<float> hls = Colorsys::RgbToHls(p);
    hls.red += m.red;
    hls.green += m.green;
    hls.blue += m.blue;
    return Colorsys::HlsToRgb(hls);
  }
  float const l = Colorsys::Luminance(p);
  float const d = m.alpha;
  float const mv[3] = {m.red, m.green, m.blue};
  float* const v[3] = {&p.red, &p.green, &p.blue};
  for (int i = 0; i < 3; ++i) {
    float tone;
    if (type == Parameter::ColorType::Tint) {
      tone = mv[i] * l * d;
    } else if (l < 0.5f) {
      tone = mv[i] * (l * 2.0f) * d;
    } else {
      float const f = (l - 0.5f) + (l - 0.5f);
      tone = ((1.0f - mv[i]) * f + mv[i]) * d;
    }
    *v[i] = *v[i] * (1.0f - d) + tone;
  }
  return p;
}

template <class Pixel>
Pixel corrected(Parameter::ColorType type, Pixel const& p, ColorFloat<float> const& m) {
  ColorFloat<float> const c = corrected(type, ColorFloat<float>(p), m);
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) return aePixel8(c);
  if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return aePixel16(c);
  if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return aePixel32(c);
}

template <class Pixel>
Pixel compositeOf(Strip const& s, double cov) {
  if constexpr (std::is_same_v<Pixel, PF_Pixel>) {
    PF_Pixel c = s.composite8;
    c.alpha = rounded<A_u_char>(cov * s.composite_opacity * 255.0, 255.0);
    return c;
  } else if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    PF_Pixel16 c = s.composite16;
    c.alpha = rounded<A_u_short>(cov * (s.composite_opacity * 32768.0), 32768.0);
    return c;
  } else {
    PF_PixelFloat c = s.composite32;
    c.alpha = static_cast<float>(cov * s.composite_opacity);
    return c;
  }
}

template <class Pixel>
void draw(Lines::Impl const& e, Layer& source, Layer& composite, Layer& output, Rect const& area) {
  Parameter const& p = e.parameter;
  PF_EffectWorld* const src = source.getWorld();
  PF_EffectWorld* const out = output.getWorld();
  PF_EffectWorld* const comp = composite.getWorld();
  AEGP_SuiteHandler suites(e.in_data->pica_basicP);
  PF_Pixel const weights[3] = {aePixel8(p.rgb_color1()), aePixel8(p.rgb_color2()), aePixel8(p.rgb_color3())};
  std::size_t const n = e.strips.size();
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, src->height); ++y) {
    for (int x = std::max(area.left, 0); x < std::min(area.right, src->width); ++x) {
      double const t = (x - e.origin_x) * e.axis_x + (y - e.origin_y) * e.axis_y;
      // First entry: every entry before it ends more than half a pixel before t.
      std::size_t first = 0;
      if (n >= 4) {
        std::size_t lo = 0, hi = n;
        while (lo < hi) {
          std::size_t const mid = (lo + hi) / 2;
          if (t > e.strips[mid].end + 0.5) {
            lo = mid + 1;
          } else {
            hi = mid;
          }
        }
        first = lo;
      }
      for (std::size_t j = first; j < n; ++j) {
        Strip const& s = e.strips[j];
        if (s.start - 0.5 > t) break;
        if (s.hidden || (s.gap && !p.original()) || t > s.end + 0.5) continue;
        double const left = t >= s.start + 0.5 ? 1.0 : std::clamp(t - s.start + 0.5, 0.0, 1.0);
        double const right = t <= s.end - 0.5 ? 1.0 : std::clamp(s.end + 0.5 - t, 0.0, 1.0);
        double const cov = s.coverage * left * right;
        if (!(cov > 0.0)) continue;
        Pixel& o = at<Pixel>(out, x, y);
        if (s.gap) {
          Pixel g = at<Pixel>(src, x, y);
          g.alpha = scaled<Pixel>(g.alpha, 1.0, cov);
          o = Blend::alpha_add(o, g);
          continue;
        }
        Pixel c{};
        bool visible = true;
        if (std::fabs(s.rgb) >= 0.00001) {
          Pixel const k[3] = {sample<Pixel>(suites, e.in_data, src, p.outside(), x, y, s.rgb_offset1),
                              sample<Pixel>(suites, e.in_data, src, p.outside(), x, y, s.slice_offset),
                              sample<Pixel>(suites, e.in_data, src, p.outside(), x, y, s.rgb_offset3)};
          visible = mix(k, weights, c);
        } else if (std::fabs(s.slice) >= 0.00001) {
          c = sample<Pixel>(suites, e.in_data, src, p.outside(), x, y, s.slice_offset);
        } else {
          c = at<Pixel>(src, x, y);
        }
        if (visible) {
          c.alpha = scaled<Pixel>(c.alpha, s.fade, cov);
          if (e.color_active) c = corrected(p.color_type(), c, s.color);
          o = Blend::alpha_add(o, c);
        }
        Pixel& m = at<Pixel>(comp, x, y);
        m = Blend::alpha_add(m, compositeOf<Pixel>(s, cov));
      }
    }
  }
}

}  // namespace reference

// Clears `area` of the output and draws it as the rules say, for layers the
// engine would draw (same size and depth, pixels present).
inline void referenceLines(Lines::Impl const& e, Layer& source, Layer& composite, Layer& output, Rect const& area) {
  if (area.isEmpty() || e.parameter.total_width() < 0.1) return;
  Rect const inside(std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, source.getWidth()),
                    std::min(area.bottom, source.getHeight()));
  if (inside.isEmpty()) return;
  output.fill(ColorFloat<float>(), inside);
  switch (source.getBPC()) {
    case BPC::Bits8:
      reference::draw<PF_Pixel>(e, source, composite, output, inside);
      break;
    case BPC::Bits16:
      reference::draw<PF_Pixel16>(e, source, composite, output, inside);
      break;
    default:
      reference::draw<PF_PixelFloat>(e, source, composite, output, inside);
      break;
  }
}

}  // namespace test
}  // namespace Brelo
