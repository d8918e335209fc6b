// What differs between the three bit depths of the strip renderer: pixel
// type, sampling service and number conversion. Everything else of the pixel
// loop is shared.
#pragma once

#include <algorithm>
#include <cstdint>

#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {
namespace LinesDepth {

using Strip = Lines::Impl::Strip;

// Integer channel of (value + 0.5), kept inside 0..max so that no factor can
// wrap a channel.
template <class Channel>
Channel roundedChannel(double value, double max) {
  double const v = value + 0.5;
  if (!(v >= 1.0)) return 0;
  if (v >= max) return static_cast<Channel>(max);
  return static_cast<Channel>(v);
}

template <class Pixel>
struct Traits;

template <>
struct Traits<PF_Pixel> {
  using Suite = PF_Sampling8Suite1;
  static Suite* suite(AEGP_SuiteHandler& suites) { return suites.Sampling8Suite1(); }
  static void sample(Suite const* s, PF_ProgPtr ref, VectorFixed const& at, PF_SampPB const* pb, PF_Pixel* dst) {
    s->subpixel_sample(ref, at.x, at.y, pb, dst);
  }
  // alpha · fade · cov
  static A_u_char scaleAlpha(A_u_char alpha, double fade, double cov) {
    return roundedChannel<A_u_char>(alpha * fade * cov, 255.0);
  }
  static PF_Pixel composite(Strip const& s, double cov) {
    PF_Pixel c = s.composite8;
    c.alpha = roundedChannel<A_u_char>(cov * s.composite_opacity * 255.0, 255.0);
    return c;
  }
  // Weighted mix of the three RGB samples; false when all are transparent.
  static bool mix(PF_Pixel const (&k)[3], PF_Pixel const (&w)[3], PF_Pixel& out) {
    int32_t const a = std::max({k[0].alpha, k[1].alpha, k[2].alpha});
    if (a == 0) return false;
    int32_t r = 0, g = 0, b = 0;
    for (int i = 0; i < 3; ++i) {
      r += k[i].red * k[i].alpha * w[i].red;
      g += k[i].green * k[i].alpha * w[i].green;
      b += k[i].blue * k[i].alpha * w[i].blue;
    }
    out.alpha = static_cast<A_u_char>(a);
    out.red = static_cast<A_u_char>(std::min(255, r / a / 255));
    out.green = static_cast<A_u_char>(std::min(255, g / a / 255));
    out.blue = static_cast<A_u_char>(std::min(255, b / a / 255));
    return true;
  }
};

template <>
struct Traits<PF_Pixel16> {
  using Suite = PF_Sampling16Suite1;
  static Suite* suite(AEGP_SuiteHandler& suites) { return suites.Sampling16Suite1(); }
  static void sample(Suite const* s, PF_ProgPtr ref, VectorFixed const& at, PF_SampPB const* pb, PF_Pixel16* dst) {
    s->subpixel_sample16(ref, at.x, at.y, pb, dst);
  }
  static A_u_short scaleAlpha(A_u_short alpha, double fade, double cov) {
    return roundedChannel<A_u_short>(alpha * fade * cov, 32768.0);
  }
  static PF_Pixel16 composite(Strip const& s, double cov) {
    PF_Pixel16 c = s.composite16;
    c.alpha = roundedChannel<A_u_short>(cov * (s.composite_opacity * 32768.0), 32768.0);
    return c;
  }
  static bool mix(PF_Pixel16 const (&k)[3], PF_Pixel const (&w)[3], PF_Pixel16& out) {
    A_u_short const a = std::max({k[0].alpha, k[1].alpha, k[2].alpha});
    if (a == 0) return false;
    double r = 0.0, g = 0.0, b = 0.0;
    for (int i = 0; i < 3; ++i) {
      r += static_cast<double>(k[i].red) * k[i].alpha * w[i].red;
      g += static_cast<double>(k[i].green) * k[i].alpha * w[i].green;
      b += static_cast<double>(k[i].blue) * k[i].alpha * w[i].blue;
    }
    auto channel = [a](double acc) { return static_cast<A_u_short>(std::min(32768.0, acc / a / 255.0)); };
    out.alpha = a;
    out.red = channel(r);
    out.green = channel(g);
    out.blue = channel(b);
    return true;
  }
};

template <>
struct Traits<PF_PixelFloat> {
  using Suite = PF_SamplingFloatSuite1;
  static Suite* suite(AEGP_SuiteHandler& suites) { return suites.SamplingFloatSuite1(); }
  static void sample(Suite const* s, PF_ProgPtr ref, VectorFixed const& at, PF_SampPB const* pb,
                     PF_PixelFloat* dst) {
    s->subpixel_sample_float(ref, at.x, at.y, pb, dst);
  }
  static float scaleAlpha(float alpha, double fade, double cov) {
    return static_cast<float>(static_cast<double>(alpha) * fade * cov);
  }
  static PF_PixelFloat composite(Strip const& s, double cov) {
    PF_PixelFloat c = s.composite32;
    c.alpha = static_cast<float>(cov * s.composite_opacity);
    return c;
  }
  static bool mix(PF_PixelFloat const (&k)[3], PF_Pixel const (&w)[3], PF_PixelFloat& out) {
    float const a = std::max({k[0].alpha, k[1].alpha, k[2].alpha});
    if (!(a > 0.0f)) return false;
    float r = 0.0f, g = 0.0f, b = 0.0f;
    for (int i = 0; i < 3; ++i) {
      r += k[i].red * k[i].alpha * static_cast<float>(w[i].red);
      g += k[i].green * k[i].alpha * static_cast<float>(w[i].green);
      b += k[i].blue * k[i].alpha * static_cast<float>(w[i].blue);
    }
    out.alpha = a;
    out.red = r / a / 255.0f;
    out.green = g / a / 255.0f;
    out.blue = b / a / 255.0f;
    return true;
  }
};

}  // namespace LinesDepth
}  // namespace Brelo
