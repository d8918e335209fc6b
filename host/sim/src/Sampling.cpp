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
// Called from many threads at once: nothing here writes shared state except
// the host's atomic call counters.
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

template <class P>
PF_Err check(Call c, Depth depth, PF_ProgPtr ref, const PF_SampPB* params, P* dst, WorldRec** rec) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  if (!h->instance(ref, c)) return PF_Err_BAD_CALLBACK_PARAM;
  if (!params || !dst) return badParam(h, c, "null parameter block or result");
  *rec = h->world(params->src, c);
  if (!*rec) return PF_Err_BAD_CALLBACK_PARAM;
  if ((*rec)->depth != depth) return badParam(h, c, "world has another depth");
  return PF_Err_NONE;
}

template <class P>
void bilinear(WorldRec const* r, PF_Fixed x, PF_Fixed y, P* dst) {
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

template <class P>
void nearest(WorldRec const* r, PF_Fixed x, PF_Fixed y, P* dst) {
  std::int64_t xi = floorDiv65536(std::int64_t(x) + 32768), yi = floorDiv65536(std::int64_t(y) + 32768);
  *dst = inside<P>(r, xi, yi) ? pixel<P>(r, xi, yi) : P{};
}

template <class P, Call C, Depth D, bool Nearest>
PF_Err sample(PF_ProgPtr ref, PF_Fixed x, PF_Fixed y, const PF_SampPB* params, P* dst) {
  WorldRec* rec = nullptr;
  if (PF_Err e = check<P>(C, D, ref, params, dst, &rec)) return e;
  if (Nearest)
    nearest<P>(rec, x, y, dst);
  else
    bilinear<P>(rec, x, y, dst);
  return PF_Err_NONE;
}

}  // namespace

const PF_Sampling8Suite1 kSampling8Suite1 = {
    sample<PF_Pixel, Call::NnSample, Depth::Bits8, true>,
    sample<PF_Pixel, Call::SubpixelSample, Depth::Bits8, false>,
    sample<PF_Pixel, Call::AreaSample, Depth::Bits8, false>,
};
const PF_Sampling16Suite1 kSampling16Suite1 = {
    sample<PF_Pixel16, Call::NnSample16, Depth::Bits16, true>,
    sample<PF_Pixel16, Call::SubpixelSample16, Depth::Bits16, false>,
    sample<PF_Pixel16, Call::AreaSample16, Depth::Bits16, false>,
};
const PF_SamplingFloatSuite1 kSamplingFloatSuite1 = {
    sample<PF_PixelFloat, Call::NnSampleFloat, Depth::Bits32, true>,
    sample<PF_PixelFloat, Call::SubpixelSampleFloat, Depth::Bits32, false>,
    sample<PF_PixelFloat, Call::AreaSampleFloat, Depth::Bits32, false>,
};

}  // namespace Sim
}  // namespace Brelo
