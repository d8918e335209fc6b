// The utility transfer_rect: composites a rectangle of one world onto another
// in one of the host's transfer modes, with straight alpha. The per-pixel
// formulas are the foundation's blend functions (the mode's base is the
// destination pixel, the blend pixel the source pixel with its alpha scaled
// by the opacity).
//
// Opacity: 8-bit worlds take `opacity` (0..255); 16-bit and float worlds take
// `opacitySu` (0..32768), or `opacity` when only that one is set. Integer
// alphas are scaled with rounding to nearest.
#include <algorithm>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "HostImpl.h"
#include "TransferVector.h"

namespace Brelo {
namespace Sim {

namespace {

bool modeOf(PF_TransferMode xfer, BlendMode* mode) {
  for (int m = int(BlendMode::Normal); m <= int(BlendMode::AlphaAdd); ++m) {
    if (aeBlendMode(BlendMode(m)) == xfer) {
      *mode = BlendMode(m);
      return true;
    }
  }
  return false;
}

PF_Pixel withOpacity(PF_Pixel p, PF_CompositeMode const& c) {
  if (c.opacity < 255) p.alpha = A_u_char((unsigned(p.alpha) * c.opacity + 127) / 255);
  return p;
}

PF_Pixel16 withOpacity(PF_Pixel16 p, PF_CompositeMode const& c) {
  unsigned o = c.opacitySu ? c.opacitySu : (unsigned(c.opacity) * 32768 + 127) / 255;
  if (o < 32768) p.alpha = A_u_short((unsigned(p.alpha) * o + 16384) >> 15);
  return p;
}

PF_PixelFloat withOpacity(PF_PixelFloat p, PF_CompositeMode const& c) {
  float o = c.opacitySu ? float(c.opacitySu) / 32768.0f : float(c.opacity) / 255.0f;
  if (o != 1.0f) p.alpha *= o;
  return p;
}

// How a transfer is done: the blend as a function object, and for 8 and 16
// bits whether the vector forms may take the pixels they have a form for.
template <class Fn>
struct Blender {
  Fn const& fn;
  BlendMode mode;
  bool vector;
};

// Rows first..last of the rectangle.
template <class P, class Fn>
void transferRows(std::uint8_t const* sdata, A_long srowbytes, PF_LRect const& sr, WorldRec* d, A_long dx, A_long dy,
                  PF_CompositeMode const& c, Blender<Fn> const& blender, A_long first, A_long last) {
  Fn const& fn = blender.fn;
  for (A_long y = first; y < last; ++y) {
    auto const* s = reinterpret_cast<P const*>(sdata + std::ptrdiff_t(sr.top + y) * srowbytes) + sr.left;
    auto* o = reinterpret_cast<P*>(d->data + std::ptrdiff_t(dy + y) * d->rowbytes) + dx;
    A_long x = 0;
    if constexpr (std::is_same<P, PF_Pixel>::value) {
      if (blender.vector) x = transferFour8(s, o, sr.right - sr.left, blender.mode, c);
    } else if constexpr (std::is_same<P, PF_Pixel16>::value) {
      if (blender.vector) x = transferFour16(s, o, sr.right - sr.left, blender.mode, c);
    }
    for (; x < sr.right - sr.left; ++x) {
      P r = fn(o[x], withOpacity(s[x], c));
      if (c.rgb_only) r.alpha = o[x].alpha;
      o[x] = r;
    }
  }
}

// The host composites large rectangles in bands of rows on as many threads
// as it reports to plug-ins; every row is computed alike, so the result does
// not depend on the count.
template <class P, class Fn>
void transfer(std::uint8_t const* sdata, A_long srowbytes, PF_LRect const& sr, WorldRec* d, A_long dx, A_long dy,
              PF_CompositeMode const& c, Blender<Fn> const& fn, int threads) {
  A_long const rows = sr.bottom - sr.top;
  std::int64_t const pixels = std::int64_t(rows) * (sr.right - sr.left);
  int const n = pixels < (std::int64_t(1) << 16) ? 1 : int(std::clamp<std::int64_t>(threads, 1, rows));
  std::vector<std::thread> helpers;
  for (int i = 1; i < n; ++i) {
    A_long const first = A_long(std::int64_t(rows) * i / n), last = A_long(std::int64_t(rows) * (i + 1) / n);
    try {
      helpers.emplace_back([=, &fn, &c] { transferRows<P>(sdata, srowbytes, sr, d, dx, dy, c, fn, first, last); });
    } catch (std::system_error const&) {
      transferRows<P>(sdata, srowbytes, sr, d, dx, dy, c, fn, first, last);  // no thread to be had
    }
  }
  transferRows<P>(sdata, srowbytes, sr, d, dx, dy, c, fn, 0, A_long(std::int64_t(rows) / n));
  for (std::thread& t : helpers) t.join();
}

}  // namespace

PF_Err cbTransferRect(PF_ProgPtr ref, PF_Quality, PF_ModeFlags m_flags, PF_Field, const PF_Rect* src_rec,
                      const PF_EffectWorld* src_world, const PF_CompositeMode* comp_mode,
                      const PF_MaskWorld* mask_world0, A_long dest_x, A_long dest_y, PF_EffectWorld* dst_world) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::TransferRect)) return e;
  if (!h->instance(ref, Call::TransferRect)) return PF_Err_BAD_CALLBACK_PARAM;
  auto refuse = [&](std::string const& why) {
    h->misuse("transfer_rect: " + why);
    return PF_Err_BAD_CALLBACK_PARAM;
  };
  if (!comp_mode) return refuse("null composite mode");
  if (mask_world0) return refuse("masks are not simulated");
  if (!(m_flags & PF_MF_Alpha_STRAIGHT)) return refuse("premultiplied alpha is not simulated");
  BlendMode mode;
  if (!modeOf(comp_mode->xfer, &mode)) return refuse("unknown transfer mode " + std::to_string(comp_mode->xfer));
  WorldRec* s = h->world(src_world, Call::TransferRect);
  WorldRec* d = s ? h->world(dst_world, Call::TransferRect) : nullptr;
  if (!s || !d) return PF_Err_BAD_CALLBACK_PARAM;
  if (s->depth != d->depth) return refuse("source and destination differ in depth");

  // Clip the source to its world, then the landing rectangle to the
  // destination, moving the other side along.
  PF_LRect sr = src_rec ? *src_rec : PF_LRect{0, 0, s->width, s->height};
  std::int64_t dx = dest_x, dy = dest_y;
  if (sr.left < 0) dx -= sr.left, sr.left = 0;
  if (sr.top < 0) dy -= sr.top, sr.top = 0;
  if (sr.right > s->width) sr.right = s->width;
  if (sr.bottom > s->height) sr.bottom = s->height;
  if (dx < 0) sr.left += A_long(-dx), dx = 0;
  if (dy < 0) sr.top += A_long(-dy), dy = 0;
  if (dx + (sr.right - sr.left) > d->width) sr.right = A_long(sr.left + (d->width - dx));
  if (dy + (sr.bottom - sr.top) > d->height) sr.bottom = A_long(sr.top + (d->height - dy));
  if (sr.left >= sr.right || sr.top >= sr.bottom) return PF_Err_NONE;

  // Compositing a world onto itself reads the pixels as they were.
  std::vector<std::uint8_t> snapshot;
  std::uint8_t const* sdata = s->data;
  if (s == d) {
    snapshot.assign(s->data, s->data + std::size_t(s->rowbytes) * std::size_t(s->height));
    sdata = snapshot.data();
  }
  int const threads = h->numThreads.load();
  bool const vector = h->kernels.load() != Kernels::Scalar;
  withBlend(mode, [&](auto const& blend) {
    Blender<std::decay_t<decltype(blend)>> const blender{blend, mode, vector};
    switch (s->depth) {
      case Depth::Bits8:
        transfer<PF_Pixel>(sdata, s->rowbytes, sr, d, A_long(dx), A_long(dy), *comp_mode, blender, threads);
        break;
      case Depth::Bits16:
        transfer<PF_Pixel16>(sdata, s->rowbytes, sr, d, A_long(dx), A_long(dy), *comp_mode, blender, threads);
        break;
      case Depth::Bits32:
        transfer<PF_PixelFloat>(sdata, s->rowbytes, sr, d, A_long(dx), A_long(dy), *comp_mode, blender, threads);
        break;
    }
  });
  return PF_Err_NONE;
}

}  // namespace Sim
}  // namespace Brelo
