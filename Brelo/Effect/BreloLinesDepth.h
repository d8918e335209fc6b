// What differs between the strip renderer's three bit depths: pixel type, sampling
// service and number conversion; the rest of the pixel loop is shared.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Brelo/BreloDivide.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {
namespace LinesDepth {

using Strip = Lines::Impl::Strip;

// Integer channel of (value + 0.5) kept inside 0..max, so that no factor can wrap a channel.
template <class Channel>
Channel roundedChannel(double value, double max) {
  double const v = value + 0.5;
  if (!(v >= 1.0)) return 0;
  if (v >= max) return static_cast<Channel>(max);
  return static_cast<Channel>(v);
}

// 1 / (255 a) for a in 1..255, the reciprocals of the 8-bit mix.
inline constexpr std::array<double, 256> kReciprocal255A = [] {
  std::array<double, 256> r{};
  for (int a = 1; a < 256; ++a) r[a] = 1.0 / (255.0 * a);
  return r;
}();

template <class Pixel>
struct Traits;

// The mixer of a depth whose mix takes the weights as they are.
template <class Depth>
class WeightsMixer {
 public:
  explicit WeightsMixer(std::array<PF_Pixel, 3> const& w) { std::memcpy(m_w, w.data(), sizeof m_w); }
  template <class Pixel>
  bool operator()(Pixel const (&k)[3], Pixel& out) const {
    return Depth::mix(k, m_w, out);
  }

 private:
  PF_Pixel m_w[3];
};

// A depth's sampling suite and its sub-pixel call.
template <class Pixel, class S, S* (AEGP_SuiteHandler::*Get)() const,
          PF_Err (*S::*Call)(PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB*, Pixel*)>
struct Sampling {
  using Suite = S;
  using Sampler = PF_Err (*)(PF_ProgPtr, PF_Fixed, PF_Fixed, const PF_SampPB*, Pixel*);
  static Suite* suite(AEGP_SuiteHandler& suites) { return (suites.*Get)(); }
  static Sampler sampler(Suite const* s) { return s->*Call; }
};

template <>
struct Traits<PF_Pixel> : Sampling<PF_Pixel, PF_Sampling8Suite1, &AEGP_SuiteHandler::Sampling8Suite1,
                                   &PF_Sampling8Suite1::subpixel_sample> {
  // alpha · fade · cov
  static A_u_char scaleAlpha(A_u_char alpha, double fade, double cov) {
    return roundedChannel<A_u_char>(alpha * fade * cov, 255.0);
  }
  // scaleAlpha(alpha, 1, 1)
  static A_u_char unitAlpha(A_u_char alpha) { return alpha; }
  static PF_Pixel composite(Strip const& s, double cov) {
    PF_Pixel c = s.composite8;
    c.alpha = roundedChannel<A_u_char>(cov * s.composite_opacity * 255.0, 255.0);
    return c;
  }
  // The weighted mix of the three RGB samples with the frame's 8-bit weights;
  // false when all three are transparent. Each sum over the alpha over 255,
  // both divisions truncating: one multiplication by the reciprocal of 255 a
  // (the sums stay below 2^26).
  class Mixer {
   public:
    explicit Mixer(std::array<PF_Pixel, 3> const& w) {
      std::memcpy(m_w, w.data(), sizeof m_w);
#if defined(__SSE2__)
      __m128i const zero = _mm_setzero_si128();
      m_w01 = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<__m128i const*>(w.data())), zero);
      m_w2 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(pack(w[2])), zero);
      m_w0w1 = _mm_unpacklo_epi16(m_w01, _mm_unpackhi_epi64(m_w01, m_w01));
      m_w2z = _mm_unpacklo_epi16(m_w2, zero);
#endif
    }

    bool operator()(PF_Pixel const (&k)[3], PF_Pixel& out) const {
#if defined(__SSE2__)
      return mixVector(k, out);
#else
      return mixPlain(k, out);
#endif
    }

    bool mixPlain(PF_Pixel const (&k)[3], PF_Pixel& out) const {
      std::uint32_t const a = std::max(std::max(k[0].alpha, k[1].alpha), k[2].alpha);
      if (a == 0) return false;
      std::uint32_t r = 0, g = 0, b = 0;
      for (int i = 0; i < 3; ++i) {
        r += std::uint32_t(k[i].red) * k[i].alpha * m_w[i].red;
        g += std::uint32_t(k[i].green) * k[i].alpha * m_w[i].green;
        b += std::uint32_t(k[i].blue) * k[i].alpha * m_w[i].blue;
      }
      finish(a, r, g, b, out);
      return true;
    }

#if defined(__SSE2__)
    // The same sums, the channels of the three samples side by side in
    // 16-bit lanes: channel times alpha stays below 2^16, times the weight
    // is taken whole in 32 bits. The quotients come from doubles: with the
    // sums n whole and below 2^26 and 255 a below 2^16, (n + 0.5) / (255 a)
    // lies at least 2^-17 from every whole number, and the quotient is
    // below 2^10, so the rounded reciprocal and product (off by less than
    // 2^-41) truncate to floor(n / a / 255), as the integer divisions do.
    bool mixVector(PF_Pixel const (&k)[3], PF_Pixel& out) const {
      std::uint32_t const a = std::max(std::max(k[0].alpha, k[1].alpha), k[2].alpha);
      if (a == 0) return false;
      if (k[0].alpha == a && k[1].alpha == a && k[2].alpha == a) return mixEqualAlphas(k, a, out);
      __m128i const zero = _mm_setzero_si128();
      __m128i const p01 = _mm_unpacklo_epi8(pair(k), zero);
      __m128i const p2 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(pack(k[2])), zero);
      __m128i const ca01 = _mm_mullo_epi16(p01, _mm_shufflehi_epi16(_mm_shufflelo_epi16(p01, 0), 0));
      __m128i const ca2 = _mm_mullo_epi16(p2, _mm_shufflelo_epi16(p2, 0));
      __m128i const lo01 = _mm_mullo_epi16(ca01, m_w01), hi01 = _mm_mulhi_epu16(ca01, m_w01);
      __m128i const lo2 = _mm_mullo_epi16(ca2, m_w2), hi2 = _mm_mulhi_epu16(ca2, m_w2);
      // Lanes: (sum of the alphas' products, red, green, blue).
      __m128i const sum = _mm_add_epi32(_mm_add_epi32(_mm_unpacklo_epi16(lo01, hi01), _mm_unpackhi_epi16(lo01, hi01)),
                                        _mm_unpacklo_epi16(lo2, hi2));
      __m128d const half = _mm_set1_pd(0.5);
      __m128d const reciprocal = _mm_set1_pd(kReciprocal255A[a]);
      __m128i const q0 = _mm_cvttpd_epi32(_mm_mul_pd(_mm_add_pd(_mm_cvtepi32_pd(sum), half), reciprocal));
      __m128i const q1 = _mm_cvttpd_epi32(
          _mm_mul_pd(_mm_add_pd(_mm_cvtepi32_pd(_mm_unpackhi_epi64(sum, sum)), half), reciprocal));
      // (_, red, green, blue) as 16-bit, then bytes limited to 255; the alpha into the first byte.
      __m128i const q = _mm_unpacklo_epi64(q0, q1);
      __m128i const bytes = _mm_packus_epi16(_mm_packs_epi32(q, q), zero);
      std::int32_t const packed = (_mm_cvtsi128_si32(bytes) & ~0xFF) | static_cast<std::int32_t>(a);
      std::memcpy(&out, &packed, sizeof out);
      return true;
    }

    // Three samples of one alpha a (as in opaque footage): a cancels, and
    // each channel is floor(sum of channel times weight / 255). The sums stay
    // below 2^18, so (sum + 0.5) / 255 in single precision lies at least
    // 2^-9 from every whole number and is off by less than 2^-14.
    bool mixEqualAlphas(PF_Pixel const (&k)[3], std::uint32_t a, PF_Pixel& out) const {
      __m128i const zero = _mm_setzero_si128();
      __m128i const p01 = _mm_unpacklo_epi8(pair(k), zero);
      __m128i const p2 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(pack(k[2])), zero);
      __m128i const cw01 = _mm_mullo_epi16(p01, m_w01), cw2 = _mm_mullo_epi16(p2, m_w2);  // below 2^16
      __m128i const sum = _mm_add_epi32(_mm_add_epi32(_mm_unpacklo_epi16(cw01, zero), _mm_unpackhi_epi16(cw01, zero)),
                                        _mm_unpacklo_epi16(cw2, zero));
      __m128i const q = quotient255(sum);
      __m128i const bytes = _mm_packus_epi16(_mm_packs_epi32(q, q), zero);
      std::int32_t const packed = (_mm_cvtsi128_si32(bytes) & ~0xFF) | static_cast<std::int32_t>(a);
      std::memcpy(&out, &packed, sizeof out);
      return true;
    }

    // Pixels i = 0 .. 3 from samples k0[i], k1[i], k2[i] into out, when each
    // pixel's samples share one alpha, not 0, and out[i] is clear, so that
    // adding stores the mix; else false, nothing stored. mixEqualAlphas' sums
    // (pairs taken by one 16-bit multiply-add) and quotients, lane for lane.
    bool mixFourOntoClear(PF_Pixel const* k0, PF_Pixel const* k1, PF_Pixel const* k2, PF_Pixel* out) const {
      __m128i const zero = _mm_setzero_si128();
      __m128i const alpha = _mm_set1_epi32(0xFF);
      __m128i const s0 = load4(k0), s1 = load4(k1), s2 = load4(k2), clear = load4(out);
      __m128i const alphas = _mm_and_si128(s0, alpha);
      __m128i bad = _mm_or_si128(_mm_xor_si128(s0, s1), _mm_xor_si128(s1, s2));
      bad = _mm_and_si128(_mm_or_si128(bad, clear), alpha);
      bad = _mm_or_si128(bad, _mm_cmpeq_epi32(alphas, zero));
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(bad, zero)) != 0xFFFF) return false;
      __m128i q[4];
      for (int h = 0; h < 2; ++h) {
        __m128i const c0 = h ? _mm_unpackhi_epi8(s0, zero) : _mm_unpacklo_epi8(s0, zero);
        __m128i const c1 = h ? _mm_unpackhi_epi8(s1, zero) : _mm_unpacklo_epi8(s1, zero);
        __m128i const c2 = h ? _mm_unpackhi_epi8(s2, zero) : _mm_unpacklo_epi8(s2, zero);
        __m128i const sum_lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(c0, c1), m_w0w1),
                                             _mm_madd_epi16(_mm_unpacklo_epi16(c2, zero), m_w2z));
        __m128i const sum_hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(c0, c1), m_w0w1),
                                             _mm_madd_epi16(_mm_unpackhi_epi16(c2, zero), m_w2z));
        q[2 * h] = quotient255(sum_lo);
        q[2 * h + 1] = quotient255(sum_hi);
      }
      __m128i const bytes = _mm_packus_epi16(_mm_packs_epi32(q[0], q[1]), _mm_packs_epi32(q[2], q[3]));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(_mm_andnot_si128(alpha, bytes), alphas));
      return true;
    }
#endif

   private:
#if defined(__SSE2__)
    // k[0] and k[1] in the low 64 bits, read as the 32-bit pixels they were
    // written as: an 8-byte load of two fresh 4-byte stores waits for both.
    static __m128i pair(PF_Pixel const (&k)[3]) {
      return _mm_unpacklo_epi32(_mm_cvtsi32_si128(pack(k[0])), _mm_cvtsi32_si128(pack(k[1])));
    }
    static __m128i load4(PF_Pixel const* p) { return _mm_loadu_si128(reinterpret_cast<__m128i const*>(p)); }
    // floor(sum / 255) of each lane as mixEqualAlphas forms it.
    static __m128i quotient255(__m128i sum) {
      return _mm_cvttps_epi32(
          _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(sum), _mm_set1_ps(0.5f)), _mm_set1_ps(1.0f / 255.0f)));
    }
#endif
    static std::int32_t pack(PF_Pixel const& p) {
      std::int32_t v;
      std::memcpy(&v, &p, sizeof v);
      return v;
    }
    static void finish(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b, PF_Pixel& out) {
      out.alpha = static_cast<A_u_char>(a);
      out.red = static_cast<A_u_char>(std::min<std::uint64_t>(255, Divide::by255A(r, a)));
      out.green = static_cast<A_u_char>(std::min<std::uint64_t>(255, Divide::by255A(g, a)));
      out.blue = static_cast<A_u_char>(std::min<std::uint64_t>(255, Divide::by255A(b, a)));
    }

    PF_Pixel m_w[3];
#if defined(__SSE2__)
    __m128i m_w01, m_w2;
    __m128i m_w0w1, m_w2z;  // per channel (w0, w1) and (w2, 0), for the multiply-add
#endif
  };
};

template <>
struct Traits<PF_Pixel16> : Sampling<PF_Pixel16, PF_Sampling16Suite1, &AEGP_SuiteHandler::Sampling16Suite1,
                                     &PF_Sampling16Suite1::subpixel_sample16> {
  static A_u_short scaleAlpha(A_u_short alpha, double fade, double cov) {
    return roundedChannel<A_u_short>(alpha * fade * cov, 32768.0);
  }
  // scaleAlpha(alpha, 1, 1): raw values above full scale are limited.
  static A_u_short unitAlpha(A_u_short alpha) { return alpha < 32768 ? alpha : A_u_short(32768); }
  static PF_Pixel16 composite(Strip const& s, double cov) {
    PF_Pixel16 c = s.composite16;
    c.alpha = roundedChannel<A_u_short>(cov * (s.composite_opacity * 32768.0), 32768.0);
    return c;
  }
  using Mixer = WeightsMixer<Traits>;
  static bool mix(PF_Pixel16 const (&k)[3], PF_Pixel const (&w)[3], PF_Pixel16& out) {
    A_u_short const a = std::max(std::max(k[0].alpha, k[1].alpha), k[2].alpha);
    if (a == 0) return false;
    double r = 0.0, g = 0.0, b = 0.0;
    for (int i = 0; i < 3; ++i) {
      r += static_cast<double>(k[i].red) * k[i].alpha * w[i].red;
      g += static_cast<double>(k[i].green) * k[i].alpha * w[i].green;
      b += static_cast<double>(k[i].blue) * k[i].alpha * w[i].blue;
    }
    // acc / a / 255 truncated, with one division a pixel. The sums are whole
    // numbers, so (acc + 0.5) / (255 a) lies at least 1 / (510 a) > 2^-25
    // from every whole number; the quotient is below 2^18, so the reciprocal
    // and the product move it by less than 2^-33, and truncating it gives
    // the same whole number as truncating acc / a / 255.
    double const reciprocal = 1.0 / (255.0 * a);
    auto channel = [reciprocal](double acc) {
      return static_cast<A_u_short>(std::min(32768.0, (acc + 0.5) * reciprocal));
    };
    out.alpha = a;
    out.red = channel(r);
    out.green = channel(g);
    out.blue = channel(b);
    return true;
  }
};

template <>
struct Traits<PF_PixelFloat> : Sampling<PF_PixelFloat, PF_SamplingFloatSuite1, &AEGP_SuiteHandler::SamplingFloatSuite1,
                                        &PF_SamplingFloatSuite1::subpixel_sample_float> {
  static float scaleAlpha(float alpha, double fade, double cov) {
    return static_cast<float>(static_cast<double>(alpha) * fade * cov);
  }
  static float unitAlpha(float alpha) { return scaleAlpha(alpha, 1.0, 1.0); }
  static PF_PixelFloat composite(Strip const& s, double cov) {
    PF_PixelFloat c = s.composite32;
    c.alpha = static_cast<float>(cov * s.composite_opacity);
    return c;
  }
  using Mixer = WeightsMixer<Traits>;
  static bool mix(PF_PixelFloat const (&k)[3], PF_Pixel const (&w)[3], PF_PixelFloat& out) {
    float const a = std::max(std::max(k[0].alpha, k[1].alpha), k[2].alpha);
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
