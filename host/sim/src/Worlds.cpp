// World Suites 1 and 2, the Fill Matte Suite and the utility copy.
#include <cstring>
#include <vector>

#include "BadParam.h"
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

PF_Err makeWorld(Call c, PF_ProgPtr ref, A_long width, A_long height, Depth depth, bool clear, WorldOwner owner,
                 PF_EffectWorld* world) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  Instance* inst = h->instance(ref, c);
  if (!inst) return PF_Err_BAD_CALLBACK_PARAM;
  if (!world) return badParam(h, c, "null world record");
  if (width <= 0 || height <= 0) return badParam(h, c, "width and height must be positive");
  if (!h->newWorld(width, height, depth, owner, world, clear, inst)) return PF_Err_OUT_OF_MEMORY;
  return PF_Err_NONE;
}

PF_Err disposeWorld(Call c, PF_ProgPtr ref, PF_EffectWorld* world, WorldOwner owner) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  if (!h->instance(ref, c)) return PF_Err_BAD_CALLBACK_PARAM;
  WorldRec* rec = h->world(world, c);
  if (!rec) return PF_Err_BAD_CALLBACK_PARAM;
  if (rec->owner != owner) {
    return badParam(h, c,
                    rec->owner == WorldOwner::Plugin1 || rec->owner == WorldOwner::Plugin2
                        ? "world made by the other World Suite version"
                        : "world belongs to the host");
  }
  h->disposeWorld(rec, world);
  return PF_Err_NONE;
}

PF_Err pixelFormatOf(Call c, const PF_EffectWorld* world, PF_PixelFormat* format) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  if (!format) return badParam(h, c, "null result pointer");
  WorldRec* rec = h->world(world, c);
  if (!rec) return PF_Err_BAD_CALLBACK_PARAM;
  *format = pixelFormat(rec->depth);
  return PF_Err_NONE;
}

// ---- World Suite 1
PF_Err newWorld1(PF_ProgPtr ref, A_long width, A_long height, PF_NewWorldFlags flags, PF_EffectWorld* world) {
  Depth d = (flags & PF_NewWorldFlag_DEEP_PIXELS) ? Depth::Bits16 : Depth::Bits8;
  return makeWorld(Call::NewWorld, ref, width, height, d, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0,
                   WorldOwner::Plugin1, world);
}
PF_Err disposeWorld1(PF_ProgPtr ref, PF_EffectWorld* world) {
  return disposeWorld(Call::DisposeWorld, ref, world, WorldOwner::Plugin1);
}
PF_Err getPixelFormat1(const PF_EffectWorld* world, PF_PixelFormat* format) {
  return pixelFormatOf(Call::GetPixelFormat1, world, format);
}

// ---- World Suite 2
PF_Err newWorld2(PF_ProgPtr ref, A_long width, A_long height, PF_Boolean clear, PF_PixelFormat format,
                 PF_EffectWorld* world) {
  Depth d;
  switch (format) {
    case PF_PixelFormat_ARGB32: d = Depth::Bits8; break;
    case PF_PixelFormat_ARGB64: d = Depth::Bits16; break;
    case PF_PixelFormat_ARGB128: d = Depth::Bits32; break;
    default: {
      Host::Impl* h = currentImpl();
      if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
      if (PF_Err e = h->fault(Call::PFNewWorld)) return e;
      return badParam(h, Call::PFNewWorld, "unsupported pixel format");
    }
  }
  return makeWorld(Call::PFNewWorld, ref, width, height, d, clear != 0, WorldOwner::Plugin2, world);
}
PF_Err disposeWorld2(PF_ProgPtr ref, PF_EffectWorld* world) {
  return disposeWorld(Call::PFDisposeWorld, ref, world, WorldOwner::Plugin2);
}
PF_Err getPixelFormat2(const PF_EffectWorld* world, PF_PixelFormat* format) {
  return pixelFormatOf(Call::PFGetPixelFormat, world, format);
}

// ---- Fill Matte Suite 2
template <class P>
PF_Err fillWorld(Call c, Depth depth, PF_ProgPtr ref, const P* colour, const PF_Rect* rect, PF_EffectWorld* world) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  if (!h->instance(ref, c)) return PF_Err_BAD_CALLBACK_PARAM;
  if (!colour) return badParam(h, c, "null colour");
  WorldRec* rec = h->world(world, c);
  if (!rec) return PF_Err_BAD_CALLBACK_PARAM;
  if (rec->depth != depth) return badParam(h, c, "world has another depth");
  PF_LRect r = rect ? *rect : PF_LRect{0, 0, rec->width, rec->height};
  if (!clipRect(r, rec->width, rec->height)) return PF_Err_NONE;
  P const value = *colour;
  for (A_long y = r.top; y < r.bottom; ++y) {
    P* p = pixelAt<P>(world, 0, y);
    for (A_long x = r.left; x < r.right; ++x) p[x] = value;
  }
  return PF_Err_NONE;
}

PF_Err fill8(PF_ProgPtr ref, const PF_Pixel* c, const PF_Rect* r, PF_EffectWorld* w) {
  return fillWorld(Call::Fill, Depth::Bits8, ref, c, r, w);
}
PF_Err fill16(PF_ProgPtr ref, const PF_Pixel16* c, const PF_Rect* r, PF_EffectWorld* w) {
  return fillWorld(Call::Fill16, Depth::Bits16, ref, c, r, w);
}
PF_Err fillFloat(PF_ProgPtr ref, const PF_PixelFloat* c, const PF_Rect* r, PF_EffectWorld* w) {
  return fillWorld(Call::FillFloat, Depth::Bits32, ref, c, r, w);
}

}  // namespace

const PF_WorldSuite1 kWorldSuite1 = {newWorld1, disposeWorld1, getPixelFormat1};
const PF_WorldSuite2 kWorldSuite2 = {newWorld2, disposeWorld2, getPixelFormat2};
const PF_FillMatteSuite2 kFillMatteSuite2 = {fill8, fill16, fillFloat};

// Copies src_r of src onto dst_r of dst, scaling to nearest pixels when the
// sizes differ. Pixels that fall outside either world are left alone.
PF_Err cbCopy(PF_ProgPtr ref, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* src_r, PF_Rect* dst_r) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::Copy)) return e;
  if (!h->instance(ref, Call::Copy)) return PF_Err_BAD_CALLBACK_PARAM;
  WorldRec* s = h->world(src, Call::Copy);
  WorldRec* d = s ? h->world(dst, Call::Copy) : nullptr;
  if (!s || !d) return PF_Err_BAD_CALLBACK_PARAM;
  if (s->depth != d->depth) return badParam(h, Call::Copy, "source and destination differ in depth");
  PF_LRect sr = src_r ? *src_r : PF_LRect{0, 0, s->width, s->height};
  PF_LRect dr = dst_r ? *dst_r : PF_LRect{0, 0, d->width, d->height};
  std::int64_t sw = std::int64_t(sr.right) - sr.left, sh = std::int64_t(sr.bottom) - sr.top;
  std::int64_t dw = std::int64_t(dr.right) - dr.left, dh = std::int64_t(dr.bottom) - dr.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return PF_Err_NONE;

  std::size_t ps = pixelSize(s->depth);
  // Copying a world onto itself reads from a snapshot.
  std::vector<std::uint8_t> snapshot;
  const std::uint8_t* sdata = s->data;
  if (s == d) {
    snapshot.assign(s->data, s->data + std::size_t(s->rowbytes) * std::size_t(s->height));
    sdata = snapshot.data();
  }
  PF_LRect clip = dr;
  if (!clipRect(clip, d->width, d->height)) return PF_Err_NONE;
  for (A_long y = clip.top; y < clip.bottom; ++y) {
    std::int64_t sy = sr.top + (std::int64_t(y) - dr.top) * sh / dh;
    if (sy < 0 || sy >= s->height) continue;
    const std::uint8_t* srow = sdata + std::size_t(sy) * std::size_t(s->rowbytes);
    std::uint8_t* drow = d->data + std::size_t(y) * std::size_t(d->rowbytes);
    for (A_long x = clip.left; x < clip.right; ++x) {
      std::int64_t sx = sr.left + (std::int64_t(x) - dr.left) * sw / dw;
      if (sx < 0 || sx >= s->width) continue;
      std::memcpy(drow + std::size_t(x) * ps, srow + std::size_t(sx) * ps, ps);
    }
  }
  return PF_Err_NONE;
}

}  // namespace Sim
}  // namespace Brelo
