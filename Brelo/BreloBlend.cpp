#include "Brelo/BreloBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Brelo {

namespace {

// Functions in enumeration order from Add (1) to AlphaAdd (16); Normal (0)
// and every unknown value fall back to `normal`.
template <class P>
P (*lookUp(BlendMode mode))(P const&, P const&) {
#define BRELO_BLEND_ENTRY(Mode, name, transfer) &Blend::name<P>,
  static constexpr P (*kFunctions[16])(P const&, P const&) = {BRELO_BLEND_MODES(BRELO_BLEND_ENTRY)};
#undef BRELO_BLEND_ENTRY
  int const v = static_cast<int>(mode);
  return v >= 1 && v <= 16 ? kFunctions[v - 1] : &Blend::normal<P>;
}

}  // namespace

BlendFunction getBlendFunction(BlendMode mode) { return lookUp<ColorFloat<float>>(mode); }
BlendFunction8 getBlendFunction8(BlendMode mode) { return lookUp<PF_Pixel>(mode); }
BlendFunction16 getBlendFunction16(BlendMode mode) { return lookUp<PF_Pixel16>(mode); }
BlendFunction32 getBlendFunction32(BlendMode mode) { return lookUp<PF_PixelFloat>(mode); }

int aeBlendMode(BlendMode mode) {
#define BRELO_BLEND_TRANSFER(Mode, name, transfer) \
  case BlendMode::Mode:                            \
    return transfer;
  switch (mode) {
    BRELO_BLEND_MODES(BRELO_BLEND_TRANSFER)
    default:
      return PF_Xfer_IN_FRONT;
  }
#undef BRELO_BLEND_TRANSFER
}

#if defined(__SSE2__)
namespace {

// One channel of normal: (cs as + cb w + 0.5) / a.
inline __m128 normalChannel(__m128i b, int shift, __m128 cs_as, __m128 w, __m128 a) {
  __m128 const cb = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(b, shift), _mm_set1_epi32(0xFF)));
  return _mm_div_ps(_mm_add_ps(_mm_add_ps(cs_as, _mm_mul_ps(cb, w)), _mm_set1_ps(0.5f)), a);
}

}  // namespace
#endif

// Four pixels at a time in single precision, for a top alpha strictly between 0 and 255
// (else each pixel is the top pixel, or for alpha 0 the rules below per pixel).
// w = (255 - as) ab / 255 and each channel (cs as + cb w) / a have numerators below 2^17
// and denominators from 1 to 255, so (n + 0.5) / d lies at least 2^-9 from every whole
// number and below 2^9, and truncates to the integer quotient after the roundings of a
// product and a division.
void Blend::normalSpan(PF_Pixel* row, int n, PF_Pixel const& top) {
  int x = 0;
#if defined(__SSE2__)
  if (top.alpha > 0 && top.alpha < 255) {
    float const as = top.alpha;
    __m128 const vas = _mm_set1_ps(as), rest = _mm_set1_ps(255.0f - as);
    __m128 const cs_r = _mm_set1_ps(top.red * as), cs_g = _mm_set1_ps(top.green * as);
    __m128 const cs_b = _mm_set1_ps(top.blue * as);
    for (; x + 4 <= n; x += 4) {
      __m128i const b = _mm_loadu_si128(reinterpret_cast<__m128i const*>(row + x));
      __m128i const abi = _mm_and_si128(b, _mm_set1_epi32(0xFF));
      __m128 const w = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_mul_ps(
          _mm_add_ps(_mm_mul_ps(rest, _mm_cvtepi32_ps(abi)), _mm_set1_ps(0.5f)), _mm_set1_ps(1.0f / 255.0f))));
      __m128 const a = _mm_add_ps(vas, w);
      __m128i const r = _mm_cvttps_epi32(normalChannel(b, 8, cs_r, w, a));
      __m128i const g = _mm_cvttps_epi32(normalChannel(b, 16, cs_g, w, a));
      __m128i const bl = _mm_cvttps_epi32(normalChannel(b, 24, cs_b, w, a));
      // A transparent pixel (w = 0) comes out as the top pixel, as it should.
      __m128i const out = _mm_or_si128(_mm_or_si128(_mm_cvttps_epi32(a), _mm_slli_epi32(r, 8)),
                                       _mm_or_si128(_mm_slli_epi32(g, 16), _mm_slli_epi32(bl, 24)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), out);
    }
  }
#endif
  for (; x < n; ++x) row[x] = normal(row[x], top);
}

}  // namespace Brelo
