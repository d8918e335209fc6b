// transfer_rect's 8- and 16-bit blends four pixels at a time, for the modes
// whose formulas (the foundation's frames and mixes) have a vector form here;
// every result equals the scalar blend's. At 16 bits the single-precision
// operations are the scalar ones, in the same order. At 8 bits divisions become
// multiplications by reciprocals in floating point, each used only where the
// numerator is small enough for the product to truncate to the exact
// quotient:
//   - floor(x / 255) for x below 2^18 in single precision: (x + 0.5) / 255
//     lies at least 2^-9 from every whole number, and below 2^10, where two
//     roundings move it by less than 2^-12;
//   - floor(n / (255 a)) for n below 2^26 in double precision: at least
//     2^-17 from every whole number, below 2^10, moved by less than 2^-41.
#include "TransferVector.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include <cstring>

#include "Brelo/BreloBlend.h"

namespace Brelo {
namespace Sim {

namespace {

#define BRELO_SIM_SSE41 __attribute__((target("sse4.1")))

// 1 / (255 a), a in 0..255 (0 unused).
struct Reciprocals {
  double r[256];
  Reciprocals() {
    r[0] = 0.0;
    for (int a = 1; a < 256; ++a) r[a] = 1.0 / (255.0 * a);
  }
};
Reciprocals const kReciprocals;

BRELO_SIM_SSE41 inline __m128i div255(__m128i x) {
  return _mm_cvttps_epi32(_mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(x), _mm_set1_ps(0.5f)), _mm_set1_ps(1.0f / 255.0f)));
}

// floor(n / (255 a)) per lane, n below 2^26.
BRELO_SIM_SSE41 inline __m128i div255A(__m128i n, __m128d r01, __m128d r23) {
  __m128d const half = _mm_set1_pd(0.5);
  __m128i const q01 = _mm_cvttpd_epi32(_mm_mul_pd(_mm_add_pd(_mm_cvtepi32_pd(n), half), r01));
  __m128i const q23 = _mm_cvttpd_epi32(_mm_mul_pd(_mm_add_pd(_mm_cvtepi32_pd(_mm_unpackhi_epi64(n, n)), half), r23));
  return _mm_unpacklo_epi64(q01, q23);
}

// floor(x * y / 255) per lane for x * y below 2^32 (a product in double).
BRELO_SIM_SSE41 inline __m128i productDiv255(__m128i x, __m128i y) {
  __m128d const half = _mm_set1_pd(0.5), inverse = _mm_set1_pd(1.0 / 255.0);
  __m128d const p01 = _mm_mul_pd(_mm_cvtepi32_pd(x), _mm_cvtepi32_pd(y));
  __m128d const p23 = _mm_mul_pd(_mm_cvtepi32_pd(_mm_unpackhi_epi64(x, x)), _mm_cvtepi32_pd(_mm_unpackhi_epi64(y, y)));
  __m128i const q01 = _mm_cvttpd_epi32(_mm_mul_pd(_mm_add_pd(p01, half), inverse));
  __m128i const q23 = _mm_cvttpd_epi32(_mm_mul_pd(_mm_add_pd(p23, half), inverse));
  return _mm_unpacklo_epi64(q01, q23);
}

// The terms ab * as * B8 of the modes, four lanes (cb, cs 0..255, both =
// ab * as), as Term8<uint32_t> forms them.
struct Terms {
  BRELO_SIM_SSE41 static __m128i add(__m128i cb, __m128i cs, __m128i both) {
    return _mm_mullo_epi32(both, _mm_add_epi32(cb, cs));
  }
  BRELO_SIM_SSE41 static __m128i multiply(__m128i cb, __m128i cs, __m128i both) {
    return productDiv255(_mm_mullo_epi32(both, cb), cs);
  }
  BRELO_SIM_SSE41 static __m128i screen(__m128i cb, __m128i cs, __m128i both) {
    __m128i const m = div255(_mm_mullo_epi32(cb, cs));
    return _mm_mullo_epi32(both, _mm_sub_epi32(_mm_add_epi32(cb, cs), m));
  }
  // 2 (cb + cs - cb cs / 255) - 255 where `light`, 2 cb cs / 255 elsewhere.
  BRELO_SIM_SSE41 static __m128i lightOrDark(__m128i cb, __m128i cs, __m128i both, __m128i light) {
    __m128i const cbcs = _mm_mullo_epi32(cb, cs);
    __m128i const l = _mm_sub_epi32(_mm_slli_epi32(_mm_sub_epi32(_mm_add_epi32(cb, cs), div255(cbcs)), 1),
                                    _mm_set1_epi32(255));
    __m128i const d = div255(_mm_slli_epi32(cbcs, 1));
    return _mm_mullo_epi32(both, _mm_blendv_epi8(d, l, light));
  }
  BRELO_SIM_SSE41 static __m128i overlay(__m128i cb, __m128i cs, __m128i both) {
    return lightOrDark(cb, cs, both, _mm_cmpgt_epi32(cb, _mm_set1_epi32(127)));
  }
  BRELO_SIM_SSE41 static __m128i hardlight(__m128i cb, __m128i cs, __m128i both) {
    return lightOrDark(cb, cs, both, _mm_cmpgt_epi32(cs, _mm_set1_epi32(127)));
  }
  BRELO_SIM_SSE41 static __m128i darken(__m128i cb, __m128i cs, __m128i both) {
    return _mm_mullo_epi32(both, _mm_min_epi32(cb, cs));
  }
  BRELO_SIM_SSE41 static __m128i lighten(__m128i cb, __m128i cs, __m128i both) {
    return _mm_mullo_epi32(both, _mm_max_epi32(cb, cs));
  }
  BRELO_SIM_SSE41 static __m128i difference(__m128i cb, __m128i cs, __m128i both) {
    return _mm_mullo_epi32(both, _mm_abs_epi32(_mm_sub_epi32(cb, cs)));
  }
  BRELO_SIM_SSE41 static __m128i exclusion(__m128i cb, __m128i cs, __m128i both) {
    __m128i const m = div255(_mm_slli_epi32(_mm_mullo_epi32(cb, cs), 1));
    return _mm_mullo_epi32(both, _mm_sub_epi32(_mm_add_epi32(cb, cs), m));
  }
};

// Four pixels (alpha, red, green, blue bytes) as channel lanes.
BRELO_SIM_SSE41 inline __m128i channel(__m128i px, int shift) {
  return _mm_and_si128(_mm_srli_epi32(px, shift), _mm_set1_epi32(0xFF));
}

template <class Term>
BRELO_SIM_SSE41 int blendFour(PF_Pixel const* s, PF_Pixel* o, int n, PF_CompositeMode const& c, Term term) {
  __m128i const zero = _mm_setzero_si128(), full = _mm_set1_epi32(255);
  __m128i const opacity = _mm_set1_epi32(c.opacity);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i sp = _mm_loadu_si128(reinterpret_cast<__m128i const*>(s + i));
    __m128i const bp = _mm_loadu_si128(reinterpret_cast<__m128i const*>(o + i));
    if (c.opacity < 255) {  // (alpha * opacity + 127) / 255
      __m128i const scaled = div255(_mm_add_epi32(_mm_mullo_epi32(channel(sp, 0), opacity), _mm_set1_epi32(127)));
      sp = _mm_or_si128(_mm_andnot_si128(_mm_set1_epi32(0xFF), sp), scaled);
    }
    __m128i const ab = channel(bp, 0), as = channel(sp, 0);
    __m128i const a = _mm_add_epi32(ab, div255(_mm_mullo_epi32(_mm_sub_epi32(full, ab), as)));
    __m128i const onlyB = _mm_mullo_epi32(_mm_sub_epi32(full, as), ab);
    __m128i const onlyS = _mm_mullo_epi32(_mm_sub_epi32(full, ab), as);
    __m128i const both = _mm_mullo_epi32(ab, as);
    alignas(16) std::int32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), a);
    double const* const r = kReciprocals.r;
    __m128d const r01 = _mm_set_pd(r[lanes[1] & 0xFF], r[lanes[0] & 0xFF]);
    __m128d const r23 = _mm_set_pd(r[lanes[3] & 0xFF], r[lanes[2] & 0xFF]);
    __m128i out = _mm_min_epi32(a, full);
    for (int shift = 8; shift < 32; shift += 8) {
      __m128i const cb = channel(bp, shift), cs = channel(sp, shift);
      __m128i const nsum = _mm_add_epi32(_mm_add_epi32(_mm_mullo_epi32(cb, onlyB), _mm_mullo_epi32(cs, onlyS)),
                                         term(cb, cs, both));
      __m128i const co = _mm_min_epi32(div255A(nsum, r01, r23), full);
      out = _mm_or_si128(out, _mm_slli_epi32(co, shift));
    }
    // A transparent base shows the blend pixel, a transparent blend pixel the base.
    out = _mm_blendv_epi8(out, bp, _mm_cmpeq_epi32(as, zero));
    out = _mm_blendv_epi8(out, sp, _mm_cmpeq_epi32(ab, zero));
    if (c.rgb_only) out = _mm_blendv_epi8(out, bp, _mm_set1_epi32(0xFF));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i), out);
  }
  return i;
}

// ---- 16 bits: the scalar frame's single-precision operations on the raw
// values 0..32768, in the same order, one pixel to a lane.

struct Mix16 {
  BRELO_SIM_SSE41 static __m128 full() { return _mm_set1_ps(32768.0f); }
  // 2 (cb + cs - cb cs / 32768) - 32768 where `light`, 2 cb cs / 32768 elsewhere.
  BRELO_SIM_SSE41 static __m128 lightOrDark(__m128 cb, __m128 cs, __m128 light) {
    __m128 const l = _mm_sub_ps(
        _mm_mul_ps(_mm_set1_ps(2.0f), _mm_sub_ps(_mm_add_ps(cb, cs), _mm_div_ps(_mm_mul_ps(cb, cs), full()))), full());
    __m128 const d = _mm_div_ps(_mm_mul_ps(_mm_mul_ps(_mm_set1_ps(2.0f), cb), cs), full());
    return _mm_blendv_ps(d, l, light);
  }
  BRELO_SIM_SSE41 static __m128 add(__m128 cb, __m128 cs) { return _mm_add_ps(cb, cs); }
  BRELO_SIM_SSE41 static __m128 multiply(__m128 cb, __m128 cs) { return _mm_div_ps(_mm_mul_ps(cb, cs), full()); }
  BRELO_SIM_SSE41 static __m128 screen(__m128 cb, __m128 cs) {
    return _mm_sub_ps(_mm_add_ps(cb, cs), _mm_div_ps(_mm_mul_ps(cb, cs), full()));
  }
  BRELO_SIM_SSE41 static __m128 overlay(__m128 cb, __m128 cs) {
    return lightOrDark(cb, cs, _mm_cmpgt_ps(cb, _mm_set1_ps(16383.0f)));
  }
  BRELO_SIM_SSE41 static __m128 hardlight(__m128 cb, __m128 cs) {
    return lightOrDark(cb, cs, _mm_cmpgt_ps(cs, _mm_set1_ps(16383.0f)));
  }
  BRELO_SIM_SSE41 static __m128 darken(__m128 cb, __m128 cs) { return _mm_min_ps(cs, cb); }   // cs < cb ? cs : cb
  BRELO_SIM_SSE41 static __m128 lighten(__m128 cb, __m128 cs) { return _mm_max_ps(cs, cb); }  // cb < cs ? cs : cb
  BRELO_SIM_SSE41 static __m128 difference(__m128 cb, __m128 cs) {
    return _mm_andnot_ps(_mm_set1_ps(-0.0f), _mm_sub_ps(cb, cs));
  }
  BRELO_SIM_SSE41 static __m128 exclusion(__m128 cb, __m128 cs) {
    return _mm_sub_ps(_mm_add_ps(cb, cs), _mm_div_ps(_mm_mul_ps(_mm_mul_ps(_mm_set1_ps(2.0f), cb), cs), full()));
  }
};

// Four pixels' channels, one pixel to a lane: alpha, red, green, blue.
struct Lanes16 {
  __m128i c[4];
};

BRELO_SIM_SSE41 inline Lanes16 split16(PF_Pixel16 const* p) {
  __m128i const v0 = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
  __m128i const v1 = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p + 2));
  __m128i const t0 = _mm_unpacklo_epi16(v0, v1), t1 = _mm_unpackhi_epi16(v0, v1);
  __m128i const ar = _mm_unpacklo_epi16(t0, t1), gb = _mm_unpackhi_epi16(t0, t1);
  return {{_mm_cvtepu16_epi32(ar), _mm_cvtepu16_epi32(_mm_srli_si128(ar, 8)), _mm_cvtepu16_epi32(gb),
           _mm_cvtepu16_epi32(_mm_srli_si128(gb, 8))}};
}

BRELO_SIM_SSE41 inline void join16(Lanes16 const& l, PF_Pixel16* p) {
  __m128i const ar = _mm_packus_epi32(l.c[0], l.c[1]), gb = _mm_packus_epi32(l.c[2], l.c[3]);
  __m128i const t0 = _mm_unpacklo_epi16(ar, gb), t1 = _mm_unpackhi_epi16(ar, gb);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_unpacklo_epi16(t0, t1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 2), _mm_unpackhi_epi16(t0, t1));
}

// 0 for values not above 0 (NaN too), at most 32768, truncated.
BRELO_SIM_SSE41 inline __m128i limit16(__m128 v) {
  return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), Mix16::full()));
}

template <class Mix>
BRELO_SIM_SSE41 int blendFour(PF_Pixel16 const* s, PF_Pixel16* o, int n, PF_CompositeMode const& c, Mix mix) {
  unsigned const opacity = c.opacitySu ? c.opacitySu : (unsigned(c.opacity) * 32768 + 127) / 255;
  __m128 const full = Mix16::full();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    Lanes16 sp = split16(s + i);
    Lanes16 const bp = split16(o + i);
    if (opacity < 32768)
      sp.c[0] = _mm_srli_epi32(_mm_add_epi32(_mm_mullo_epi32(sp.c[0], _mm_set1_epi32(int(opacity))),
                                             _mm_set1_epi32(16384)), 15);
    __m128 const ab = _mm_cvtepi32_ps(bp.c[0]), as = _mm_cvtepi32_ps(sp.c[0]);
    __m128 const onlyS = _mm_mul_ps(_mm_sub_ps(full, ab), as);
    __m128 const alpha = _mm_add_ps(_mm_div_ps(onlyS, full), ab);
    __m128 const onlyB = _mm_mul_ps(ab, _mm_sub_ps(full, as));
    __m128 const both = _mm_mul_ps(ab, as);
    Lanes16 out;
    out.c[0] = limit16(alpha);
    for (int ch = 1; ch < 4; ++ch) {
      __m128 const cb = _mm_cvtepi32_ps(bp.c[ch]), cs = _mm_cvtepi32_ps(sp.c[ch]);
      __m128 const sum = _mm_add_ps(_mm_add_ps(_mm_mul_ps(cs, onlyS), _mm_mul_ps(cb, onlyB)), _mm_mul_ps(mix(cb, cs), both));
      out.c[ch] = limit16(_mm_div_ps(_mm_div_ps(sum, alpha), full));
    }
    // A transparent base shows the blend pixel, a transparent blend pixel the base.
    __m128i const noS = _mm_cmpeq_epi32(sp.c[0], _mm_setzero_si128());
    __m128i const noB = _mm_cmpeq_epi32(bp.c[0], _mm_setzero_si128());
    for (int ch = 0; ch < 4; ++ch)
      out.c[ch] = _mm_blendv_epi8(_mm_blendv_epi8(out.c[ch], bp.c[ch], noS), sp.c[ch], noB);
    if (c.rgb_only) out.c[0] = bp.c[0];
    join16(out, o + i);
  }
  return i;
}

// The mixes of the modes with a vector form, by pixel kind.
template <class P>
struct VectorMixes;
template <>
struct VectorMixes<PF_Pixel> : Terms {};
template <>
struct VectorMixes<PF_Pixel16> : Mix16 {};

template <class P>
int transferFour(P const* s, P* o, int n, BlendMode mode, PF_CompositeMode const& c) {
  if (!__builtin_cpu_supports("sse4.1")) return 0;
  using M = VectorMixes<P>;
  switch (mode) {
    case BlendMode::Add: return blendFour(s, o, n, c, M::add);
    case BlendMode::Multiply: return blendFour(s, o, n, c, M::multiply);
    case BlendMode::Screen: return blendFour(s, o, n, c, M::screen);
    case BlendMode::Overlay: return blendFour(s, o, n, c, M::overlay);
    case BlendMode::HardLight: return blendFour(s, o, n, c, M::hardlight);
    case BlendMode::Darken: return blendFour(s, o, n, c, M::darken);
    case BlendMode::Lighten: return blendFour(s, o, n, c, M::lighten);
    case BlendMode::Difference: return blendFour(s, o, n, c, M::difference);
    case BlendMode::Exclusion: return blendFour(s, o, n, c, M::exclusion);
    default: return 0;
  }
}

}  // namespace

int transferFour8(PF_Pixel const* s, PF_Pixel* o, int n, BlendMode mode, PF_CompositeMode const& c) {
  return transferFour(s, o, n, mode, c);
}
int transferFour16(PF_Pixel16 const* s, PF_Pixel16* o, int n, BlendMode mode, PF_CompositeMode const& c) {
  return transferFour(s, o, n, mode, c);
}

}  // namespace Sim
}  // namespace Brelo

#else

namespace Brelo {
namespace Sim {
int transferFour8(PF_Pixel const*, PF_Pixel*, int, BlendMode, PF_CompositeMode const&) { return 0; }
int transferFour16(PF_Pixel16 const*, PF_Pixel16*, int, BlendMode, PF_CompositeMode const&) { return 0; }
}  // namespace Sim
}  // namespace Brelo

#endif
