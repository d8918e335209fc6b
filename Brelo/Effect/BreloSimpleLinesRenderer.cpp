// Pixel renderer: every pixel gathers the bars within half a pixel of it,
// with one-pixel soft edges, adds their colours and blends the sum over the
// layer. One loop for the three depths; the depth's arithmetic sits in the
// small traits below.
#include <cstddef>

#include "Brelo/BreloBlend.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

namespace {

using Strip = SimpleLines::Impl::Strip;

// Integer depths carry the opacity as a channel level and round the bar
// alpha half up; the float depth works with the opacity itself.
struct Depth8 {
  using Pixel = PF_Pixel;
  using Level = int;
  static Level level(double opacity) { return static_cast<int>(opacity * 255); }
  static Pixel colour(Strip const& s) { return s.color8; }
  static void setAlpha(Pixel& p, double a, double b, Level o, double) {
    p.alpha = static_cast<A_u_char>((a * o) * b + 0.5);
  }
  static auto blend(BlendMode mode) { return getBlendFunction8(mode); }
};

struct Depth16 {
  using Pixel = PF_Pixel16;
  using Level = int;
  static Level level(double opacity) { return static_cast<int>(opacity * 32768); }
  static Pixel colour(Strip const& s) { return s.color16; }
  static void setAlpha(Pixel& p, double a, double b, Level o, double) {
    p.alpha = static_cast<A_u_short>((a * o) * b + 0.5);
  }
  static auto blend(BlendMode mode) { return getBlendFunction16(mode); }
};

struct Depth32 {
  using Pixel = PF_PixelFloat;
  using Level = float;
  static Level level(double opacity) { return static_cast<float>(opacity); }
  static Pixel colour(Strip const& s) { return s.color32; }
  static void setAlpha(Pixel& p, double a, double b, Level, double opacity) {
    p.alpha = static_cast<float>(b * (a * opacity));
  }
  static auto blend(BlendMode mode) { return getBlendFunction32(mode); }
};

// The soft edge, rising (x past the edge is inside) or falling (x before the
// edge is inside); NaN comes out as 0. Kept here, inline, for the pixel loop.
inline double limitEdge(double r) {
  if (!(r > 0)) return 0;
  return r > 1 ? 1 : r;
}
inline double rise(double x, double edge, double width) {
  double const h = width / 2;
  if (x >= edge + h) return 1;
  if (x < edge - h) return 0;
  return limitEdge((x - (edge - h)) / width);
}
inline double fall(double x, double edge, double width) {
  double const h = width / 2;
  if (x <= edge - h) return 1;
  if (x > edge + h) return 0;
  return limitEdge(((edge + h) - x) / width);
}

// First bar that can still reach u: every bar before it ends more than half
// a pixel before u. Ends are non-decreasing (the layout and the wipe keep
// them so), which makes the test monotone.
int firstReaching(Strip const* strips, int count, double u) {
  int lo = 0;
  int hi = count;
  while (lo < hi) {
    int const mid = lo + (hi - lo) / 2;
    if (u > strips[mid].end + 0.5) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

}  // namespace

double SimpleLines::Impl::_getAlpha(double x, double edge, double width, bool rising) {
  return rising ? rise(x, edge, width) : fall(x, edge, width);
}

void SimpleLines::Impl::execute(Layer& layer, Rect const& area) const noexcept {
  PF_LayerDef const* world = layer.getWorld();
  if (world == nullptr || world->data == nullptr) return;
  if (layer.getWidth() != width || layer.getHeight() != height || area.isEmpty()) return;
  switch (layer.getBPC()) {
    case BPC::Bits8:
      _lines8(layer, area);
      break;
    case BPC::Bits16:
      _lines16(layer, area);
      break;
    case BPC::Bits32:
      _lines32(layer, area);
      break;
    default:
      break;
  }
}

void SimpleLines::Impl::_lines8(Layer& layer, Rect const& area) const noexcept { _paint<Depth8>(layer, area); }
void SimpleLines::Impl::_lines16(Layer& layer, Rect const& area) const noexcept { _paint<Depth16>(layer, area); }
void SimpleLines::Impl::_lines32(Layer& layer, Rect const& area) const noexcept { _paint<Depth32>(layer, area); }

template <class Depth>
void SimpleLines::Impl::_paint(Layer& layer, Rect const& area) const noexcept {
  using Pixel = typename Depth::Pixel;
  PF_LayerDef* world = layer.getWorld();
  if (world == nullptr || world->data == nullptr) return;
  // A world whose rows are shorter than its width is not addressed at all.
  if (static_cast<long long>(world->rowbytes) < static_cast<long long>(width) * static_cast<long long>(sizeof(Pixel))) {
    return;
  }

  int const x0 = area.left > 0 ? area.left : 0;
  int const y0 = area.top > 0 ? area.top : 0;
  int const x1 = area.right < width ? area.right : width;
  int const y1 = area.bottom < height ? area.bottom : height;
  if (x0 >= x1 || y0 >= y1) return;

  // The setter keeps the opacity in 0 … 1; a NaN must not reach an integer.
  double const level_opacity = opacity > 0 ? (opacity < 1 ? opacity : 1.0) : 0.0;
  typename Depth::Level const o = Depth::level(level_opacity);
  auto const blend = Depth::blend(blend_mode);
  Strip const* const bars = strips.data();
  int const count = strip_count;
  auto* const base = static_cast<unsigned char*>(world->data);
  std::ptrdiff_t const pitch = world->rowbytes;

  for (int y = y0; y < y1; ++y) {
    auto* const row = reinterpret_cast<Pixel*>(base + pitch * y);
    double const uy = (y - origin.y) * axis.y;
    double const vy = (y - center.y) * across.y;
    int first = 0;
    for (int x = x0; x < x1; ++x) {
      double const u = (x - origin.x) * axis.x + uy;
      double const v = (x - center.x) * across.x + vy;
      // Neighbouring pixels lie at most a pixel apart along the axis, so
      // the previous pixel's first bar is a step or two away: walk from it.
      // Either way this is the first bar that can reach u.
      if (count >= 4) {
        if (x == x0) {
          first = firstReaching(bars, count, u);
        } else {
          while (first < count && u > bars[first].end + 0.5) ++first;
          while (first > 0 && !(u > bars[first - 1].end + 0.5)) --first;
        }
      }
      Pixel acc{};
      for (int i = first; i < count; ++i) {
        Strip const& s = bars[i];
        if (s.start - 0.5 > u) break;
        if (s.hidden || u > s.end + 0.5) continue;
        double const a = s.opacity * rise(u, s.start, 1) * fall(u, s.end, 1);
        if (!(a > 0)) continue;
        double const b = s.length_coverage * rise(v, s.lower, 1) * fall(v, s.upper, 1);
        if (!(b > 0)) continue;
        Pixel px = Depth::colour(s);
        Depth::setAlpha(px, a, b, o, level_opacity);
        acc = Blend::alpha_add(acc, px);
      }
      if (acc.alpha > 0) {
        if (acc.alpha > o) acc.alpha = o;
        row[x] = blend(row[x], acc);
      }
    }
  }
}

}  // namespace Brelo
