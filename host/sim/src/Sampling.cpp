// The three sampling suites. Positions are 16.16 coordinates of params->src
// with pixel centres on whole numbers. Sub-pixel sampling is bilinear over the
// four pixels around the position, every channel interpolated on its own
// (straight colour); pixels outside the world count as transparent black.
//
// Rounding: integer depths weigh the four pixels with the products of the
// 16-bit fractions (the weights sum to 2^32) and round the weighted sum half
// up, so results are exact and the same on every thread. Float sums the
// weighted channels in double, in the order top-left, top-right,
// bottom-left, bottom-right, skipping zero weights, then stores float.
//
// Called from many threads at once: nothing here writes shared state. The
// checks of every call (fault rules, effect reference, world record) stay;
// what they cost is paid once per thread, not once per sample (see
// Host::Impl::enter), and the four pixels of a position inside the world are weighed
// without per-pixel bounds checks.
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define BRELO_SIM_SSE41 __attribute__((target("sse4.1")))
#define BRELO_SIM_AVX2 __attribute__((target("avx2")))
#endif

#include "BadParam.h"
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

std::int64_t floorDiv65536(std::int64_t v) { return v >= 0 ? v / 65536 : -((-v + 65535) / 65536); }

template <class P>
struct Channels;
template <>
struct Channels<PF_Pixel> {
  using T = A_u_char;
};
template <>
struct Channels<PF_Pixel16> {
  using T = A_u_short;
};
template <>
struct Channels<PF_PixelFloat> {
  using T = PF_FpShort;
};

template <class P>
bool inside(WorldRec const* r, std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < r->width && y < r->height;
}

template <class P>
P const& pixel(WorldRec const* r, std::int64_t x, std::int64_t y) {
  return reinterpret_cast<P const*>(r->data + std::size_t(y) * std::size_t(r->rowbytes))[x];
}

// Everything a sampling call checks before it reads a pixel: a live host,
// the fault rules (and the call count), an effect reference of this host, a
// parameter block and result, and a live, unaltered world of the right depth.
template <class P>
inline PF_Err check(Call c, Depth depth, PF_ProgPtr ref, const PF_SampPB* params, P* dst, WorldRec** rec) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->enter(c, ref)) return e;
  if (!params || !dst) return badParam(h, c, "null parameter block or result");
  *rec = h->world(params->src, c);
  if (!*rec) return PF_Err_BAD_CALLBACK_PARAM;
  if ((*rec)->depth != depth) return badParam(h, c, "world has another depth");
  return PF_Err_NONE;
}

// Any position, the four pixels weighed one by one, those outside skipped.
template <class P>
void bilinearAnywhere(WorldRec const* r, PF_Fixed x, PF_Fixed y, P* dst) {
  std::int64_t fx = x & 0xFFFF, fy = y & 0xFFFF;
  std::int64_t x0 = floorDiv65536(x), y0 = floorDiv65536(y);
  const std::int64_t w[4] = {(65536 - fx) * (65536 - fy), fx * (65536 - fy), (65536 - fx) * fy, fx * fy};
  const std::int64_t px[4] = {x0, x0 + 1, x0, x0 + 1};
  const std::int64_t py[4] = {y0, y0, y0 + 1, y0 + 1};
  using T = typename Channels<P>::T;
  if constexpr (std::is_same<P, PF_PixelFloat>::value) {
    double a = 0, rr = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
      if (w[i] == 0 || !inside<P>(r, px[i], py[i])) continue;
      double wt = double(w[i]) / 4294967296.0;
      P const& p = pixel<P>(r, px[i], py[i]);
      a += wt * double(p.alpha);
      rr += wt * double(p.red);
      g += wt * double(p.green);
      b += wt * double(p.blue);
    }
    *dst = {float(a), float(rr), float(g), float(b)};
  } else {
    std::int64_t a = 0, rr = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
      if (w[i] == 0 || !inside<P>(r, px[i], py[i])) continue;
      P const& p = pixel<P>(r, px[i], py[i]);
      a += w[i] * p.alpha;
      rr += w[i] * p.red;
      g += w[i] * p.green;
      b += w[i] * p.blue;
    }
    const std::int64_t half = std::int64_t(1) << 31;
    *dst = {T((a + half) >> 32), T((rr + half) >> 32), T((g + half) >> 32), T((b + half) >> 32)};
  }
}

// The four pixels around a position, when all of them are inside the world.
template <class P>
struct Quad {
  P const* top;
  P const* bottom;
  std::uint32_t fx, fy;
};

template <class P>
inline bool quadInside(Host::Impl::ThreadView::SampledWorld const& v, PF_Fixed x, PF_Fixed y, Quad<P>& q) {
  std::int32_t const x0 = x >> 16, y0 = y >> 16;  // arithmetic shifts: floors
  if (!(std::uint32_t(x0) < v.lastX && std::uint32_t(y0) < v.lastY)) return false;
  q.top = reinterpret_cast<P const*>(v.data + std::ptrdiff_t(y0) * v.rowbytes) + x0;
  q.bottom = reinterpret_cast<P const*>(reinterpret_cast<std::uint8_t const*>(q.top) + v.rowbytes);
  q.fx = std::uint32_t(x) & 0xFFFF;
  q.fy = std::uint32_t(y) & 0xFFFF;
  return true;
}

// The scalar kernels for a position whose four pixels are all inside.
struct Scalar {
  // Integer depths: each row interpolated in 32 bits (a weight of at most
  // 2^16 times a channel below 2^16), then the column step in 64. The same
  // sum as weighing the pixels one by one, regrouped.
  template <class T>
  static void integer(T const* top, T const* bottom, std::uint32_t fx, std::uint32_t fy, T* out) {
    std::uint32_t const gx = 65536 - fx, gy = 65536 - fy;
    for (int c = 0; c < 4; ++c) {
      std::uint32_t const r0 = gx * top[c] + fx * top[c + 4];
      std::uint32_t const r1 = gx * bottom[c] + fx * bottom[c + 4];
      out[c] = T((std::uint64_t(r0) * gy + std::uint64_t(r1) * fy + (std::uint64_t(1) << 31)) >> 32);
    }
  }
  // Float: the same sums in the same order as bilinearAnywhere (zero weights
  // still skipped, which matters for non-finite pixels).
  static void real(PF_PixelFloat const* top, PF_PixelFloat const* bottom, std::uint32_t fx, std::uint32_t fy,
                   PF_PixelFloat* dst) {
    std::int64_t const gx = 65536 - std::int64_t(fx), gy = 65536 - std::int64_t(fy);
    const std::int64_t w[4] = {gx * gy, std::int64_t(fx) * gy, gx * std::int64_t(fy), std::int64_t(fx) * fy};
    PF_PixelFloat const* const p[4] = {top, top + 1, bottom, bottom + 1};
    double a = 0, rr = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
      if (w[i] == 0) continue;
      double const wt = double(w[i]) / 4294967296.0;
      a += wt * double(p[i]->alpha);
      rr += wt * double(p[i]->red);
      g += wt * double(p[i]->green);
      b += wt * double(p[i]->blue);
    }
    *dst = {float(a), float(rr), float(g), float(b)};
  }
  template <class P>
  static void lerp(Quad<P> const& q, P* dst) {
    if constexpr (std::is_same<P, PF_PixelFloat>::value) {
      real(q.top, q.bottom, q.fx, q.fy, dst);
    } else {
      using T = typename Channels<P>::T;
      T out[4];
      integer(reinterpret_cast<T const*>(q.top), reinterpret_cast<T const*>(q.bottom), q.fx, q.fy, out);
      std::memcpy(dst, out, sizeof out);
    }
  }
};

#if defined(BRELO_SIM_SSE41)
// The same results with the four channels in one vector. Integer depths
// split each row sum r = 2^16 q + e so that the column step fits 32-bit
// lanes: with A = gy q0 + fy q1 and B = gy e0 + fy e1 (both below 2^32),
// round(sum / 2^32) = (A >> 16) + ((A & 0xFFFF) + (B >> 16) + 2^15) >> 16.
struct Sse41 {
  BRELO_SIM_SSE41 static __m128i lerp(__m128i p00, __m128i p01, __m128i p10, __m128i p11, std::uint32_t fx,
                                      std::uint32_t fy) {
    __m128i const one = _mm_set1_epi32(65536);
    __m128i const wx = _mm_set1_epi32(int(fx)), gx = _mm_sub_epi32(one, wx);
    __m128i const wy = _mm_set1_epi32(int(fy)), gy = _mm_sub_epi32(one, wy);
    __m128i const low = _mm_set1_epi32(0xFFFF);
    __m128i const r0 = _mm_add_epi32(_mm_mullo_epi32(gx, p00), _mm_mullo_epi32(wx, p01));
    __m128i const r1 = _mm_add_epi32(_mm_mullo_epi32(gx, p10), _mm_mullo_epi32(wx, p11));
    __m128i const a = _mm_add_epi32(_mm_mullo_epi32(gy, _mm_srli_epi32(r0, 16)), _mm_mullo_epi32(wy, _mm_srli_epi32(r1, 16)));
    __m128i const b = _mm_add_epi32(_mm_mullo_epi32(gy, _mm_and_si128(r0, low)), _mm_mullo_epi32(wy, _mm_and_si128(r1, low)));
    __m128i const carry = _mm_add_epi32(_mm_add_epi32(_mm_and_si128(a, low), _mm_srli_epi32(b, 16)), _mm_set1_epi32(32768));
    return _mm_add_epi32(_mm_srli_epi32(a, 16), _mm_srli_epi32(carry, 16));
  }
  BRELO_SIM_SSE41 static void integer(A_u_char const* top, A_u_char const* bottom, std::uint32_t fx, std::uint32_t fy,
                                      A_u_char* out) {
    __m128i const t = _mm_loadl_epi64(reinterpret_cast<__m128i const*>(top));
    __m128i const b = _mm_loadl_epi64(reinterpret_cast<__m128i const*>(bottom));
    __m128i v = lerp(_mm_cvtepu8_epi32(t), _mm_cvtepu8_epi32(_mm_srli_si128(t, 4)), _mm_cvtepu8_epi32(b),
                     _mm_cvtepu8_epi32(_mm_srli_si128(b, 4)), fx, fy);
    v = _mm_packus_epi32(v, v);
    v = _mm_packus_epi16(v, v);
    std::int32_t const four = _mm_cvtsi128_si32(v);
    std::memcpy(out, &four, 4);
  }
  BRELO_SIM_SSE41 static void integer(A_u_short const* top, A_u_short const* bottom, std::uint32_t fx,
                                      std::uint32_t fy, A_u_short* out) {
    __m128i const t = _mm_loadu_si128(reinterpret_cast<__m128i const*>(top));
    __m128i const b = _mm_loadu_si128(reinterpret_cast<__m128i const*>(bottom));
    __m128i v = lerp(_mm_cvtepu16_epi32(t), _mm_cvtepu16_epi32(_mm_srli_si128(t, 8)), _mm_cvtepu16_epi32(b),
                     _mm_cvtepu16_epi32(_mm_srli_si128(b, 8)), fx, fy);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi32(v, v));
  }
  // Float: per channel the very double operations of the scalar kernel, in
  // the same order, two channels to a vector.
  // The weights come straight as doubles: each fraction over 2^16 is exact,
  // and so is the product of two (34 significant bits), which is the
  // scalar kernel's weight over 2^32.
  BRELO_SIM_SSE41 static void real(PF_PixelFloat const* top, PF_PixelFloat const* bottom, std::uint32_t fx,
                                   std::uint32_t fy, PF_PixelFloat* dst) {
    double const unit = 1.0 / 65536.0;
    double const ax = double(65536 - fx) * unit, bx = double(fx) * unit;
    double const ay = double(65536 - fy) * unit, by = double(fy) * unit;
    PF_PixelFloat const* const p[4] = {top, top + 1, bottom, bottom + 1};
    double const w[4] = {ax * ay, bx * ay, ax * by, bx * by};
    __m128d ar = _mm_setzero_pd(), gb = _mm_setzero_pd();
    auto add = [&](int i) {
      __m128d const wt = _mm_set1_pd(w[i]);
      __m128 const v = _mm_loadu_ps(&p[i]->alpha);
      ar = _mm_add_pd(ar, _mm_mul_pd(wt, _mm_cvtps_pd(v)));
      gb = _mm_add_pd(gb, _mm_mul_pd(wt, _mm_cvtps_pd(_mm_movehl_ps(v, v))));
    };
    if (fx != 0 && fy != 0) {
      add(0), add(1), add(2), add(3);
    } else {
      for (int i = 0; i < 4; ++i) {
        if (w[i] != 0.0) add(i);
      }
    }
    _mm_storeu_ps(&dst->alpha, _mm_movelh_ps(_mm_cvtpd_ps(ar), _mm_cvtpd_ps(gb)));
  }
  BRELO_SIM_SSE41 static void lerp(Quad<PF_Pixel> const& q, PF_Pixel* dst) {
    integer(&q.top->alpha, &q.bottom->alpha, q.fx, q.fy, &dst->alpha);
  }
  BRELO_SIM_SSE41 static void lerp(Quad<PF_Pixel16> const& q, PF_Pixel16* dst) {
    integer(&q.top->alpha, &q.bottom->alpha, q.fx, q.fy, &dst->alpha);
  }
  BRELO_SIM_SSE41 static void lerp(Quad<PF_PixelFloat> const& q, PF_PixelFloat* dst) {
    real(q.top, q.bottom, q.fx, q.fy, dst);
  }
};
#endif

#if defined(BRELO_SIM_AVX2)
// The same results with AVX2.
struct Avx2 {
  // Integer depths: each row interpolated in 32 bits, both rows in one
  // vector, then the column step in 64 bits, one channel to a lane; the same
  // regrouping as the scalar kernel. A row sum is below 2^32 even with a
  // whole weight of 2^16, and the column sums below 2^48.
  BRELO_SIM_AVX2 static __m256i widenPair(PF_Pixel const* p) {
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<__m128i const*>(p)));
  }
  BRELO_SIM_AVX2 static __m256i widenPair(PF_Pixel16 const* p) {
    return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<__m128i const*>(p)));
  }
  BRELO_SIM_AVX2 static __m256i times(__m256i p, std::uint32_t w) { return _mm256_mul_epu32(p, _mm256_set1_epi32(int(w))); }
  // The rounded sums: bits 32 and up of each lane are the result.
  // Constants read from memory: the compiler would build them in registers,
  // at three instructions each, unless the address hides their value.
  alignas(32) static constexpr std::int32_t kOne[8] = {65536, 65536, 65536, 65536, 65536, 65536, 65536, 65536};
  alignas(32) static constexpr std::int64_t kHalf[4] = {std::int64_t(1) << 31, std::int64_t(1) << 31,
                                                        std::int64_t(1) << 31, std::int64_t(1) << 31};
  BRELO_SIM_AVX2 static __m256i constant(void const* c) {
    __asm__("" : "+r"(c));
    __m256i v;
    std::memcpy(&v, c, sizeof v);
    return v;
  }
  template <class P>
  BRELO_SIM_AVX2 static __m256i weighed(Quad<P> const& q) {
    __m256i const fx = _mm256_set1_epi32(int(q.fx));
    __m256i const wx = _mm256_blend_epi32(_mm256_sub_epi32(constant(kOne), fx), fx, 0xF0);
    __m256i const top = _mm256_mullo_epi32(widenPair(q.top), wx);        // gx p00 | fx p01
    __m256i const bottom = _mm256_mullo_epi32(widenPair(q.bottom), wx);  // gx p10 | fx p11
    __m256i const rows = _mm256_add_epi32(_mm256_permute2x128_si256(top, bottom, 0x20),
                                          _mm256_permute2x128_si256(top, bottom, 0x31));
    __m256i const r0 = _mm256_cvtepu32_epi64(_mm256_castsi256_si128(rows));
    __m256i const r1 = _mm256_cvtepu32_epi64(_mm256_extracti128_si256(rows, 1));
    __m256i const sum = _mm256_add_epi64(times(r0, 65536 - q.fy), times(r1, q.fy));
    return _mm256_add_epi64(sum, constant(kHalf));
  }
  BRELO_SIM_AVX2 static void lerp(Quad<PF_Pixel> const& q, PF_Pixel* dst) {
    __m256i const v = _mm256_shuffle_epi8(weighed(q), _mm256_set1_epi64x(0x0C04));
    std::int32_t const four = _mm_cvtsi128_si32(_mm_unpacklo_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1)));
    std::memcpy(dst, &four, 4);
  }
  BRELO_SIM_AVX2 static void lerp(Quad<PF_Pixel16> const& q, PF_Pixel16* dst) {
    __m256i const v = _mm256_shuffle_epi8(weighed(q), _mm256_set1_epi64x(0x0D0C0504));
    __m128i const both = _mm_unpacklo_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), both);
  }
  // Float: the four channels' doubles in one vector, the same operations in
  // the same order as the other kernels.
  BRELO_SIM_AVX2 static void lerp(Quad<PF_PixelFloat> const& q, PF_PixelFloat* dst) {
    double const unit = 1.0 / 65536.0;
    double const ax = double(65536 - q.fx) * unit, bx = double(q.fx) * unit;
    double const ay = double(65536 - q.fy) * unit, by = double(q.fy) * unit;
    PF_PixelFloat const* const p[4] = {q.top, q.top + 1, q.bottom, q.bottom + 1};
    double const w[4] = {ax * ay, bx * ay, ax * by, bx * by};
    bool const all = q.fx != 0 && q.fy != 0;  // else zero weights are skipped
    __m256d sum = _mm256_setzero_pd();
    for (int i = 0; i < 4; ++i) {
      if (all || w[i] != 0.0) {
        sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_set1_pd(w[i]), _mm256_cvtps_pd(_mm_loadu_ps(&p[i]->alpha))));
      }
    }
    _mm_storeu_ps(&dst->alpha, _mm256_cvtpd_ps(sum));
  }
};
#endif

template <class P>
void nearest(WorldRec const* r, PF_Fixed x, PF_Fixed y, P* dst) {
  std::int64_t xi = floorDiv65536(std::int64_t(x) + 32768), yi = floorDiv65536(std::int64_t(y) + 32768);
  *dst = inside<P>(r, xi, yi) ? pixel<P>(r, xi, yi) : P{};
}

template <class P, Call C, Depth D>
PF_Err nearestSample(PF_ProgPtr ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params, P* dst) {
  WorldRec* rec = nullptr;
  if (PF_Err e = check<P>(C, D, ref, params, dst, &rec)) return e;
  nearest<P>(rec, x, y, dst);
  return PF_Err_NONE;
}

// Whether a call passes all its checks at a glance: this thread has called
// this host with this effect reference, and sampled this world at this depth,
// since the last change that could make a call fail (a world disposed of, a
// fault rule armed), and the world's record is as it was. If so the call is
// counted and the world's view returned; null sends the call the long way,
// which checks (and counts) everything again.
template <Call C, Depth D>
inline Host::Impl::ThreadView::SampledWorld const* quickCheck(PF_ProgPtr ref, const PF_SampPB* params,
                                                              void const* dst) {
  if (!params || !dst) return nullptr;
  Host::Impl::ThreadView& v = t_hostView;
  if (v.changes != g_changes.load(std::memory_order_acquire) || ref != v.ref) return nullptr;
  Host::Impl::ThreadView::SampledWorld const& s = v.sampled[int(D)];
  PF_EffectWorld const* w = params->src;
  if (w != s.world) return nullptr;  // a null world never matches
  if (w->data != s.data || w->rowbytes != s.rowbytes || w->width != s.width || w->height != s.height) return nullptr;
  std::atomic<std::uint64_t>& n = v.counts->n[std::size_t(C)];
  n.store(n.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  return &s;
}

// The long way: every check with its misuse record, then any position. A
// call that passes, with no fault rule armed for it, leaves its world in the
// thread's view.
template <class P, Call C, Depth D>
[[gnu::noinline]] PF_Err checkedSubpixel(PF_ProgPtr ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params, P* dst) {
  std::uint64_t const changes = g_changes.load(std::memory_order_acquire);
  WorldRec* rec = nullptr;
  if (PF_Err e = check<P>(C, D, ref, params, dst, &rec)) return e;
  Host::Impl* h = currentImpl();
  if (!h->armed[std::size_t(C)].load(std::memory_order_acquire)) {
    Host::Impl::ThreadView& v = t_hostView;
    v.changes = changes;
    v.sampled[int(D)] = {params->src,  rec, rec->data, rec->rowbytes, rec->width, rec->height,
                         std::uint32_t(rec->width) - 1, std::uint32_t(rec->height) - 1};
  }
  bilinearAnywhere(rec, x, y, dst);
  return PF_Err_NONE;
}

template <class P>
[[gnu::noinline]] PF_Err subpixelAnywhere(WorldRec const* rec, PF_Fixed x, PF_Fixed y, P* dst) {
  bilinearAnywhere(rec, x, y, dst);
  return PF_Err_NONE;
}

// The sampling calls, one per kernel: a leaf for a position whose four
// pixels are inside and a call that passes at a glance; everything else
// tail-calls the long way. Each is compiled for its kernel's instruction set.
#define BRELO_SIM_SUBPIXEL_SAMPLE(name, Kernel, target)                                           \
  template <class P, Call C, Depth D>                                                             \
  target PF_Err name(PF_ProgPtr ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params, P* dst) { \
    auto const* v = quickCheck<C, D>(ref, params, dst);                                           \
    if (!v) return checkedSubpixel<P, C, D>(ref, x, y, params, dst);                              \
    Quad<P> q;                                                                                    \
    if (!quadInside(*v, x, y, q)) return subpixelAnywhere(v->rec, x, y, dst);                     \
    Kernel::lerp(q, dst);                                                                         \
    return PF_Err_NONE;                                                                           \
  }

BRELO_SIM_SUBPIXEL_SAMPLE(subpixelSample, Scalar, )
#if defined(BRELO_SIM_SSE41)
BRELO_SIM_SUBPIXEL_SAMPLE(subpixelSampleSse41, Sse41, BRELO_SIM_SSE41)
BRELO_SIM_SUBPIXEL_SAMPLE(subpixelSampleAvx2, Avx2, BRELO_SIM_AVX2)
#endif

}  // namespace

#define BRELO_SIM_SAMPLING_SUITES(name, subpixel)                                  \
  const PF_Sampling8Suite1 name##8 = {                                             \
      nearestSample<PF_Pixel, Call::NnSample, Depth::Bits8>,                       \
      subpixel<PF_Pixel, Call::SubpixelSample, Depth::Bits8>,                      \
      subpixel<PF_Pixel, Call::AreaSample, Depth::Bits8>,                          \
  };                                                                               \
  const PF_Sampling16Suite1 name##16 = {                                           \
      nearestSample<PF_Pixel16, Call::NnSample16, Depth::Bits16>,                  \
      subpixel<PF_Pixel16, Call::SubpixelSample16, Depth::Bits16>,                 \
      subpixel<PF_Pixel16, Call::AreaSample16, Depth::Bits16>,                     \
  };                                                                               \
  const PF_SamplingFloatSuite1 name##Float = {                                     \
      nearestSample<PF_PixelFloat, Call::NnSampleFloat, Depth::Bits32>,            \
      subpixel<PF_PixelFloat, Call::SubpixelSampleFloat, Depth::Bits32>,           \
      subpixel<PF_PixelFloat, Call::AreaSampleFloat, Depth::Bits32>,               \
  };

namespace {
BRELO_SIM_SAMPLING_SUITES(kScalarSampling, subpixelSample)
#if defined(BRELO_SIM_SSE41)
BRELO_SIM_SAMPLING_SUITES(kSse41Sampling, subpixelSampleSse41)
BRELO_SIM_SAMPLING_SUITES(kAvx2Sampling, subpixelSampleAvx2)
#endif
}  // namespace

SamplingSuites samplingSuites(Kernels kernels) {
#if defined(BRELO_SIM_SSE41)
  if (kernels == Kernels::Avx2 && __builtin_cpu_supports("avx2")) {
    return {&kAvx2Sampling8, &kAvx2Sampling16, &kAvx2SamplingFloat, Kernels::Avx2};
  }
  if (kernels != Kernels::Scalar && __builtin_cpu_supports("sse4.1")) {
    return {&kSse41Sampling8, &kSse41Sampling16, &kSse41SamplingFloat, Kernels::Sse41};
  }
#endif
  (void)kernels;
  return {&kScalarSampling8, &kScalarSampling16, &kScalarSamplingFloat, Kernels::Scalar};
}

}  // namespace Sim
}  // namespace Brelo
