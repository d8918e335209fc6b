#include "Brelo/BreloBlend.h"

#include <cstdint>
#include <cstring>

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

#if defined(__GNUC__) && defined(__SSE2__)
#define BRELO_SPAN_LANES 1
// The wide helpers are always inlined into their kernel, unoptimised builds included: no
// 32-byte vector crosses a call, whose convention outside the AVX2 kernels differs. (Templates
// are instantiated at the end of the file: the rest of it is quiet.)
#pragma GCC diagnostic ignored "-Wpsabi"
namespace {

// N pixels at once as GCC vector types: the same operations in every width,
// so every width gives the same bytes (no FMA is enabled to fuse them).
template <int N>
struct Lanes;
template <>
struct Lanes<4> {
  typedef float F __attribute__((vector_size(16)));
  typedef std::int32_t I __attribute__((vector_size(16)));
  typedef std::uint32_t U __attribute__((vector_size(16)));
};
template <>
struct Lanes<8> {
  typedef float F __attribute__((vector_size(32)));
  typedef std::int32_t I __attribute__((vector_size(32)));
  typedef std::uint32_t U __attribute__((vector_size(32)));
};

template <int N>
[[gnu::always_inline]] inline typename Lanes<N>::F toFloat(typename Lanes<N>::U v) {
  return __builtin_convertvector(reinterpret_cast<typename Lanes<N>::I>(v), typename Lanes<N>::F);
}
template <int N>
[[gnu::always_inline]] inline typename Lanes<N>::U truncated(typename Lanes<N>::F v) {
  return reinterpret_cast<typename Lanes<N>::U>(__builtin_convertvector(v, typename Lanes<N>::I));
}

// The top pixel's terms: its alpha, 255 minus it, and cs as + 0.5 per colour; one top
// pixel in every lane, or each lane's own.
template <int N>
struct NormalTop {
  using F = typename Lanes<N>::F;
  F as, rest, red, green, blue;
  [[gnu::always_inline]] explicit NormalTop(PF_Pixel const& top) {
    float const a = top.alpha;
    as = F{} + a;
    rest = F{} + (255.0f - a);
    red = F{} + (float(top.red) * a + 0.5f);
    green = F{} + (float(top.green) * a + 0.5f);
    blue = F{} + (float(top.blue) * a + 0.5f);
  }
  [[gnu::always_inline]] explicit NormalTop(typename Lanes<N>::U top) {
    as = toFloat<N>(top & 0xFF);
    rest = 255.0f - as;
    red = toFloat<N>((top >> 8) & 0xFF) * as + 0.5f;
    green = toFloat<N>((top >> 16) & 0xFF) * as + 0.5f;
    blue = toFloat<N>(top >> 24) * as + 0.5f;
  }
};

// normal of N base pixels (alpha in the low byte) under the top pixel: w = (255 - as) ab
// / 255, a = as + w, each channel (cs as + 0.5 + cb w) / a as a product with 1 / a.
template <int N>
[[gnu::always_inline]] inline typename Lanes<N>::U normalLanes(typename Lanes<N>::U b, NormalTop<N> const& t) {
  using F = typename Lanes<N>::F;
  F const w = toFloat<N>(truncated<N>((t.rest * toFloat<N>(b & 0xFF) + 0.5f) * (1.0f / 255.0f)));
  F const a = t.as + w;
  F const inv_a = 1.0f / a;
  auto const red = truncated<N>((t.red + toFloat<N>((b >> 8) & 0xFF) * w) * inv_a);
  auto const green = truncated<N>((t.green + toFloat<N>((b >> 16) & 0xFF) * w) * inv_a);
  auto const blue = truncated<N>((t.blue + toFloat<N>(b >> 24) * w) * inv_a);
  // A transparent pixel (w = 0) comes out as the top pixel, as it should.
  return truncated<N>(a) | red << 8 | green << 16 | blue << 24;
}

template <int N>
[[gnu::always_inline]] inline void normalLanesAt(PF_Pixel* p, NormalTop<N> const& t) {
  typename Lanes<N>::U b;
  std::memcpy(&b, p, sizeof b);
  b = normalLanes<N>(b, t);
  std::memcpy(p, &b, sizeof b);
}

// A span of at least N pixels, N at a time. The last N go first, from their own values,
// and are stored last: pixels that both steps cover get the same result twice.
template <int N>
[[gnu::always_inline]] inline void normalLanesSpan(PF_Pixel* row, int n, NormalTop<N> const& t) {
  typename Lanes<N>::U last;
  std::memcpy(&last, row + n - N, sizeof last);
  last = normalLanes<N>(last, t);
  for (int x = 0; x < n - N; x += N) normalLanesAt<N>(row + x, t);
  std::memcpy(row + n - N, &last, sizeof last);
}

// Pixels *at[i] under tops top[i], N at a time, the lanes past n idle.
template <int N>
[[gnu::always_inline]] inline void normalLanesEach(PF_Pixel* const* at, PF_Pixel const* top, int n) {
  using U = typename Lanes<N>::U;
  for (int i = 0; i < n; i += N) {
    U b{}, t{};
    for (int m = 0; m < N && i + m < n; ++m) {
      std::uint32_t v, w;
      std::memcpy(&v, at[i + m], sizeof v);
      std::memcpy(&w, &top[i + m], sizeof w);
      b[m] = v;
      t[m] = w;
    }
    // Where both alphas are 0 the quotients are 0 / 0: normal gives the top pixel there.
    U const none = reinterpret_cast<U>(((b | t) & 0xFF) == 0);
    U const out = (normalLanes<N>(b, NormalTop<N>(t)) & ~none) | (t & none);
    for (int m = 0; m < N && i + m < n; ++m) {
      std::uint32_t const v = out[m];
      std::memcpy(at[i + m], &v, sizeof v);
    }
  }
}

void normalEachSse2(PF_Pixel* const* at, PF_Pixel const* top, int n) { normalLanesEach<4>(at, top, n); }
[[gnu::target("avx2")]] void normalEachAvx2(PF_Pixel* const* at, PF_Pixel const* top, int n) {
  normalLanesEach<8>(at, top, n);
}

// Whether the kernel named runs as the AVX2 one: named, and the processor has it.
bool avx2(Blend::SpanKernel kernel) {
  return kernel == Blend::SpanKernel::Avx2 && Blend::bestSpanKernel() == Blend::SpanKernel::Avx2;
}

void normalSpanSse2(PF_Pixel* row, int n, PF_Pixel const& top) {
  if (n < 4) {
    for (int x = 0; x < n; ++x) row[x] = Blend::normal(row[x], top);
    return;
  }
  normalLanesSpan<4>(row, n, NormalTop<4>(top));
}
[[gnu::target("avx2")]] void normalSpanAvx2(PF_Pixel* row, int n, PF_Pixel const& top) {
  if (n < 8) {
    normalSpanSse2(row, n, top);
    return;
  }
  normalLanesSpan<8>(row, n, NormalTop<8>(top));
}

}  // namespace
#endif

Blend::SpanKernel Blend::bestSpanKernel() {
#if defined(BRELO_SPAN_LANES)
  static SpanKernel const best = __builtin_cpu_supports("avx2") ? SpanKernel::Avx2 : SpanKernel::Sse2;
  return best;
#else
  return SpanKernel::Scalar;
#endif
}

// In single precision, for a top alpha strictly between 0 and 255 (else each pixel is the
// top pixel, or for alpha 0 the rules below per pixel). w = (255 - as) ab / 255 and each
// channel (cs as + cb w) / a have numerators below 2^17 and denominators from 1 to 255, so
// (n + 0.5) / d lies at least 2^-9 from every whole number and below 2^9, and truncates to
// the integer quotient after the roundings of products and a reciprocal (relative error
// below 2^-22).
void Blend::normalSpan(PF_Pixel* row, int n, PF_Pixel const& top, SpanKernel kernel) {
#if defined(BRELO_SPAN_LANES)
  if (top.alpha > 0 && top.alpha < 255 && kernel != SpanKernel::Scalar) {
    (avx2(kernel) ? normalSpanAvx2 : normalSpanSse2)(row, n, top);
    return;
  }
#endif
  (void)kernel;
  for (int x = 0; x < n; ++x) row[x] = normal(row[x], top);
}

// The same single-precision steps as normalSpan, each lane with its own top pixel. The
// bound on the quotients holds for every top alpha: at 255, w = 0 and each channel is cs;
// at 0, w = ab and each channel cb, but for a base alpha of 0 as well (then 0 / 0), where
// the top pixel is taken.
void Blend::normalEach(PF_Pixel* const* at, PF_Pixel const* top, int n, SpanKernel kernel) {
#if defined(BRELO_SPAN_LANES)
  if (kernel != SpanKernel::Scalar) {
    (avx2(kernel) ? normalEachAvx2 : normalEachSse2)(at, top, n);
    return;
  }
#endif
  (void)kernel;
  for (int i = 0; i < n; ++i) *at[i] = normal(*at[i], top[i]);
}

}  // namespace Brelo
