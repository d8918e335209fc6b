// Pixel renderer: every pixel gathers the bars within half a pixel of it, with one-pixel
// soft edges, adds their colours and blends the sum over the layer. One loop for the
// three depths; each depth's arithmetic sits in the small traits below.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

namespace {

using Strip = SimpleLines::Impl::Strip;
using Edges = SimpleLines::Impl::Edges;

// Integer depths carry the opacity as a channel level (of `Full`) and round
// the bar alpha half up; the float depth works with the opacity itself.
template <class P, class Channel, int Full, P Strip::*Colour>
struct IntDepth {
  using Pixel = P;
  using Level = int;
  static Level level(double opacity) { return static_cast<int>(opacity * Full); }
  static Pixel colour(Strip const& s) { return s.*Colour; }
  static void setAlpha(Pixel& p, double a, double b, Level o, double) {
    p.alpha = static_cast<Channel>((a * o) * b + 0.5);
  }
};
using Depth8 = IntDepth<PF_Pixel, A_u_char, 255, &Strip::color8>;
using Depth16 = IntDepth<PF_Pixel16, A_u_short, 32768, &Strip::color16>;

struct Depth32 {
  using Pixel = PF_PixelFloat;
  using Level = float;
  static Level level(double opacity) { return static_cast<float>(opacity); }
  static Pixel colour(Strip const& s) { return s.color32; }
  static void setAlpha(Pixel& p, double a, double b, Level, double opacity) {
    p.alpha = static_cast<float>(b * (a * opacity));
  }
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

// k times the coverage of x between a pair of one-pixel soft edges, as
// k * rise * fall above form it, from the bounds the pair keeps.
inline double cover(double k, double x, Edges const& e) {
  double const r = x >= e.lo_in ? 1 : x < e.lo_out ? 0 : limitEdge(x - e.lo_out);
  return k * r * (x <= e.hi_in ? 1 : x > e.hi_out ? 0 : limitEdge(e.hi_out - x));
}

// First bar that can still reach u: every bar before it ends more than half a pixel
// before u. Ends never decrease (layout and wipe keep them so): the test is monotone.
int firstReaching(Strip const* strips, int count, double u) {
  int lo = 0;
  int hi = count;
  while (lo < hi) {
    int const mid = lo + (hi - lo) / 2;
    if (u > strips[mid].along.hi_out) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// Whether the bar list allows the row loop's shortcuts: ends never decrease
// and no bar ends before it starts. Then the first bar that can reach a
// position moves monotonically with it, and a position inside one bar's
// width (or between two bars) is reached by that bar alone (or by none).
bool orderedForRuns(Strip const* bars, int count) {
  for (int i = 0; i < count; ++i) {
    if (!(bars[i].start <= bars[i].end)) return false;
    if (i > 0 && !(bars[i - 1].end <= bars[i].end)) return false;
  }
  return true;
}

// A stretch of positions u along the axis, as the per-pixel tests see it:
// after < u (or after <= u), u <= last and u < next.
struct Stretch {
  double after, last, next;
  bool closed;  // after <= u
  bool contains(double u) const { return (closed ? u >= after : u > after) && u <= last && u < next; }
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Positions where no bar but j can reach a pixel: more than half a pixel past the end of
// every bar before it (their falling edges give 0 or they are skipped) and short of the
// next one (the scan stops there). The bounds are the very sums the per-pixel tests form.
[[gnu::always_inline]] inline Stretch soleBar(Strip const* bars, int count, int j) {
  return {j > 0 ? bars[j - 1].along.hi_out : -kInfinity, kInfinity,
          j + 1 < count ? bars[j + 1].along.lo_out : kInfinity, false};
}

// Positions where no bar reaches a pixel: more than half a pixel past the end
// of every bar before `first` (the walk keeps `first`) and short of bar
// `first` (the scan stops at once).
[[gnu::always_inline]] inline Stretch betweenBars(Strip const* bars, int count, int first) {
  return {first > 0 ? bars[first - 1].along.hi_out : -kInfinity, kInfinity,
          first < count ? bars[first].along.lo_out : kInfinity, first == 0};
}

// Positions along a row: p(x) = (x - from) * step + at0, as the per-pixel
// code forms them.
struct RowLine {
  double from, step, at0;
  // 1 / step, for the guesses below: no division on the way to each run's end.
  double per_step = 1 / step;
  double at(int x) const { return (x - from) * step + at0; }
  // Where the run of pixels whose positions lie in `in` is expected to end,
  // from the line inverted at the bound it leaves by; only a guess, which
  // runEnd checks with the per-pixel test.
  double exitGuess(Stretch const& in) const {
    if (step > 0) return std::floor(from + (std::min(in.last, in.next) - at0) * per_step) + 1;
    if (step < 0) return std::ceil(from + (in.after - at0) * per_step);
    return kInfinity;
  }
};

// The end of the run of pixels from x (whose position lies in `in`) whose positions all
// do: positions are monotonic along a row, so the run is an interval. Two probes around
// the line's guess settle it; bisection covers a guess rounding put off by over a pixel.
inline int runEnd(Stretch const& in, int x, int x_end, RowLine const& line) {
  int lo = x + 1, hi = x_end;  // [x, lo) lies in `in`; the end is in [lo, hi]
  if (lo >= hi) return hi;
  double const guess = line.exitGuess(in);
  int const c = guess >= hi ? hi : (guess > lo ? static_cast<int>(guess) : lo);
  if (c > lo) {
    if (in.contains(line.at(c - 1))) {
      lo = c;
    } else {
      hi = c - 1;
    }
  }
  if (lo == c && c < hi) {
    if (in.contains(line.at(c))) {
      lo = c + 1;
    } else {
      hi = c;
    }
  }
  while (lo < hi) {
    int const mid = lo + (hi - lo) / 2;
    if (in.contains(line.at(mid))) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

// One colour blended over pixels [x0, x1) of a row; `normal` says the blend
// is Blend::normal.
template <class Depth, class BlendFn>
[[gnu::flatten]] void paintSpan(typename Depth::Pixel* row, int x0, int x1, typename Depth::Pixel const& top, BlendFn const& blend,
               bool normal) {
  if constexpr (std::is_same_v<typename Depth::Pixel, PF_Pixel>) {
    if (normal) {
      Blend::normalSpan(row + x0, x1 - x0, top);
      return;
    }
  }
  (void)normal;
  for (int x = x0; x < x1; ++x) row[x] = blend(row[x], top);
}

// Pixels blended under Normal at 8 bits, each with its own top pixel, a few at a time.
// Every pixel of an area is blended at most once, so it may wait until the queue fills.
class NormalQueue {
 public:
  NormalQueue() = default;
  NormalQueue(NormalQueue const&) = delete;
  NormalQueue& operator=(NormalQueue const&) = delete;
  ~NormalQueue() { flush(); }
  void add(PF_Pixel& p, PF_Pixel const& top) {
    m_at[m_n] = &p;
    m_top[m_n] = top;
    if (++m_n == kSize) flush();
  }
  void flush() {
    Blend::normalEach(m_at, m_top, m_n);
    m_n = 0;
  }

 private:
  static constexpr int kSize = 16;
  PF_Pixel* m_at[kSize];
  PF_Pixel m_top[kSize];
  int m_n = 0;
};

// What every pixel of one area shares, and the steps of a row: the bars, the
// opacity (0 … 1) and its level in the depth, the blend (`normal`: Blend::normal,
// whose 8-bit pixels on bar edges wait in `queue`).
template <class Depth, class BlendFn>
struct RowPainter {
  using Pixel = typename Depth::Pixel;
  Strip const* bars;
  int count;
  double opacity;
  typename Depth::Level o;
  BlendFn const& blend;
  bool normal;
  NormalQueue* queue;

  // The bars within half a pixel of positions (u, v), from `first` on and before `end`
  // (where the scan would stop anyway), summed and blended over the pixel: the rules in
  // full. Inlined where most edge pixels pass; `pixel` is the call for bar `first` alone.
  [[gnu::noinline, gnu::flatten]] void pixel(Pixel& p, double u, double v, int first) const {
    rules(p, u, v, first, first + 1);
  }
  [[gnu::always_inline]] void rules(Pixel& pixel, double u, double v, int first, int end) const {
    Pixel acc{};
    for (int i = first; i < end; ++i) {
      Strip const& s = bars[i];
      if (s.along.lo_out > u) break;
      if (s.hidden || u > s.along.hi_out) continue;
      double const a = cover(s.opacity, u, s.along);
      if (!(a > 0)) continue;
      double const b = cover(s.length_coverage, v, s.athwart);
      if (!(b > 0)) continue;
      Pixel px = Depth::colour(s);
      Depth::setAlpha(px, a, b, o, opacity);
      acc = Blend::alpha_add(acc, px);
    }
    if (acc.alpha > 0) {
      if (acc.alpha > o) acc.alpha = o;
      if constexpr (std::is_same_v<Pixel, PF_Pixel>) {
        if (normal) {
          queue->add(pixel, acc);
          return;
        }
      }
      pixel = blend(pixel, acc);
    }
  }

  // Any bar list: neighbouring pixels lie at most a pixel apart along the
  // axis, so the previous pixel's first bar is a step or two away.
  void scanRow(Pixel* row, int x0, int x1, RowLine const& along, RowLine const& athwart) const {
    int first = 0;
    for (int x = x0; x < x1; ++x) {
      double const u = along.at(x);
      if (count >= 4) {
        if (x == x0) {
          first = firstReaching(bars, count, u);
        } else {
          while (first < count && u > bars[first].along.hi_out) ++first;
          while (first > 0 && !(u > bars[first - 1].along.hi_out)) --first;
        }
      }
      rules(row[x], u, athwart.at(x), first, count);
    }
  }

  // A list orderedForRuns: positions move monotonically along a row, and so
  // does the first bar that can reach them, so it is followed, and pixels
  // reached by no bar or by one bar alone are passed in runs.
  [[gnu::flatten]] void runRow(Pixel* row, int x0, int x1, RowLine const& along, RowLine const& athwart) const {
    int first = firstReaching(bars, count, along.at(x0));
    // The stretches around `first`, formed again only when it moves, and the
    // bounds whose crossing moves it (ahead of the first pixel: crossed).
    int formed = -1;
    Stretch none{}, soleFirst{}, soleNext{};
    double ahead = -kInfinity, back = kInfinity;
    int x = x0;
    while (x < x1) {
      double const u = along.at(x);
      // Rounding keeps positions monotonic: `first` only ever moves one way.
      if (along.step > 0) {
        if (u > ahead) {
          while (first < count && u > bars[first].along.hi_out) ++first;
        }
      } else if (!(u > back)) {
        while (first > 0 && !(u > bars[first - 1].along.hi_out)) --first;
      }
      if (first != formed) {
        formed = first;
        none = betweenBars(bars, count, first);
        if (first < count) soleFirst = soleBar(bars, count, first);
        if (first + 1 < count) soleNext = soleBar(bars, count, first + 1);
        ahead = first < count ? bars[first].along.hi_out : kInfinity;
        back = first > 0 ? bars[first - 1].along.hi_out : -kInfinity;
      }
      // Past every bar before `first` (the walk keeps it so): in `none` when
      // short of bar `first`.
      if (u < none.next) {
        x = runEnd(none, x, x1, along);
      } else if (first < count && soleFirst.contains(u)) {
        x = soleRun(row, x, runEnd(soleFirst, x, x1, along), first, along, athwart);
      } else if (first + 1 < count && soleNext.contains(u)) {
        x = soleRun(row, x, runEnd(soleNext, x, x1, along), first + 1, along, athwart);
      } else {
        rules(row[x], u, athwart.at(x), first, count);
        ++x;
      }
    }
  }

  // Pixels [x, stop) in bar j's soleBar: off its reach they get nothing, fully across its
  // width they go to alongBar, and on its edges only j needs the rules. Positions move one
  // way along the row, so the pixels come in that order: short of the bar, an edge, across
  // (when the bar is wide enough), the other edge, past it (to stop). Returns stop.
  int soleRun(Pixel* row, int x, int stop, int j, RowLine const& along, RowLine const& athwart) const {
    Edges const& e = bars[j].along;
    if (bars[j].hidden) return stop;
    bool const rising = !(along.step < 0);
    double u = along.at(x);
    if (rising ? u < e.lo_out : u > e.hi_out) {
      x = runEnd(rising ? Stretch{-kInfinity, kInfinity, e.lo_out, true} : Stretch{e.hi_out, kInfinity, kInfinity, false},
                 x, stop, along);
    }
    bool across = false;
    for (; x < stop; ++x) {
      u = along.at(x);
      if (rising ? u > e.hi_out : u < e.lo_out) return stop;
      if (u >= e.lo_in && u <= e.hi_in) {
        across = true;
        break;
      }
      rules(row[x], u, athwart.at(x), j, j + 1);
    }
    if (!across) return stop;
    x = alongBar(row, x, runEnd({e.lo_in, e.hi_in, kInfinity, true}, x, stop, along), j, along, athwart);
    for (; x < stop; ++x) {
      u = along.at(x);
      if (rising ? u > e.hi_out : u < e.lo_out) return stop;
      rules(row[x], u, athwart.at(x), j, j + 1);
    }
    return stop;
  }

  // Pixels [x, stop) lie across bar j alone, fully covered across its width:
  // along its length each is the bar's colour at full alpha, nothing, or
  // (within half a pixel of an end) the rules in full. Returns stop.
  int alongBar(Pixel* row, int x, int stop, int j, RowLine const& along, RowLine const& athwart) const {
    Strip const& s = bars[j];
    if (s.hidden) return stop;
    Pixel full = Depth::colour(s);
    Depth::setAlpha(full, s.opacity * 1.0 * 1.0, s.length_coverage * 1.0 * 1.0, o, opacity);
    bool const shows = full.alpha > 0;
    if (full.alpha > o) full.alpha = o;
    double const outer_lo = s.athwart.lo_out, outer_hi = s.athwart.hi_out;
    // v is monotonic along the run too: the pixels of full colour are an
    // interval [inner_begin, inner_end), painted in one go.
    Stretch const inner{s.athwart.lo_in, s.athwart.hi_in, kInfinity, true};
    int inner_begin = stop, inner_end = stop;
    for (; x < stop; ++x) {
      double const v = athwart.at(x);
      if (inner.contains(v)) {
        inner_begin = x;
        inner_end = runEnd(inner, x, stop, athwart);
        break;
      }
      if (v >= outer_lo && v <= outer_hi) pixel(row[x], along.at(x), v, j);
    }
    if (shows) paintSpan<Depth>(row, inner_begin, inner_end, full, blend, normal);
    for (x = inner_end; x < stop; ++x) {
      double const v = athwart.at(x);
      if (v >= outer_lo && v <= outer_hi) pixel(row[x], along.at(x), v, j);
    }
    return stop;
  }
};

// The bars one row can see, for a list orderedForRuns whose starts never decrease either.
// A bar that paints no pixel of a row (hidden, or its length wholly off the row) is left
// out of that row's list: the scan would skip it, and where it would stop at it, the next
// bar stops it as well. Rows then pass in runs the pixels they would test one by one.
class RowBars {
 public:
  RowBars(SimpleLines::Impl const& e, Vector<double> const& center, bool ordered)
      : all(e.strips.data()), count(e.strip_count) {
    if (!ordered) return;
    for (int i = 1; i < count; ++i) {
      if (!(all[i - 1].along.lo_out <= all[i].along.lo_out)) return;
    }
    // y(u, v) = cu u + cv v + c0 inverts the positions the pixel loop forms.
    Vector<double> const a = e.axis, b = e.across, o = e.origin;
    double const det = a.x * b.y - a.y * b.x;
    if (!(std::fabs(det) > 0.5)) return;
    double const cu = -b.x / det, cv = a.x / det;
    double const c0 = (a.x * (center.x * b.x + center.y * b.y) - b.x * (o.x * a.x + o.y * a.y)) / det;
    try {
      rows.resize(static_cast<size_t>(count));
      shown.reserve(static_cast<size_t>(count));
    } catch (std::bad_alloc const&) {
      return;  // every row sees every bar
    }
    double const scale = std::fabs(center.x) + std::fabs(center.y) + std::fabs(o.x) + std::fabs(o.y);
    for (int i = 0; i < count; ++i) {
      Strip const& s = all[i];
      // The corners of the reach, half a pixel out on every side, with a row to spare for
      // rounding (more far from the origin); no finite bounds: every row.
      double const lo = c0 + std::min(cu * s.along.lo_out, cu * s.along.hi_out) +
                        std::min(cv * s.athwart.lo_out, cv * s.athwart.hi_out);
      double const hi = c0 + std::max(cu * s.along.lo_out, cu * s.along.hi_out) +
                        std::max(cv * s.athwart.lo_out, cv * s.athwart.hi_out);
      double const spare = 1 + 1e-9 * (scale + std::fabs(lo) + std::fabs(hi) + std::fabs(s.along.lo_out) +
                                       std::fabs(s.along.hi_out) + std::fabs(s.athwart.lo_out) +
                                       std::fabs(s.athwart.hi_out));
      Range& r = rows[static_cast<size_t>(i)];
      if (s.hidden) {
        r = {1, 0};
      } else if (lo <= hi && std::isfinite(hi - lo + spare)) {
        r = {std::floor(lo - spare), std::ceil(hi + spare)};
      } else {
        r = {-kInfinity, kInfinity};
      }
    }
    culls = true;
  }
  Strip const* bars() const { return culls ? shown.data() : all; }
  int size() const { return culls ? static_cast<int>(shown.size()) : count; }
  // Rows come in ascending order; the list holds until a bar enters or leaves.
  void row(int y) {
    if (!culls || y < until) return;
    shown.clear();
    until = kInfinity;
    for (int i = 0; i < count; ++i) {
      Range const& r = rows[static_cast<size_t>(i)];
      if (y < r.lo) {
        until = std::min(until, r.lo);
      } else if (y <= r.hi) {
        shown.push_back(all[i]);
        until = std::min(until, r.hi + 1);
      }
    }
  }

 private:
  struct Range {
    double lo, hi;
  };
  Strip const* all;
  int count;
  bool culls = false;
  double until = -kInfinity;
  std::vector<Range> rows;
  std::vector<Strip> shown;
};

}  // namespace

double SimpleLines::Impl::_getAlpha(double x, double edge, double width, bool rising) {
  return rising ? rise(x, edge, width) : fall(x, edge, width);
}

template <class Depth>
void SimpleLines::Impl::_paint(Layer& layer, Rect const& area) const noexcept {
  PF_LayerDef* world = layer.getWorld();
  if (world == nullptr || world->data == nullptr) return;
  // A world whose rows are shorter than its width is not addressed at all.
  if (static_cast<long long>(world->rowbytes) < static_cast<long long>(width) * static_cast<long long>(sizeof(typename Depth::Pixel))) {
    return;
  }
  withBlend(parameter.blend_mode(), [&](auto const& blend) { _paintWith<Depth>(world, area, blend); });
}

template <class Depth, class BlendFn>
void SimpleLines::Impl::_paintWith(PF_LayerDef* world, Rect const& area, BlendFn const& blend) const noexcept {
  int const x0 = area.left > 0 ? area.left : 0;
  int const y0 = area.top > 0 ? area.top : 0;
  int const x1 = area.right < width ? area.right : width;
  int const y1 = area.bottom < height ? area.bottom : height;
  if (x0 >= x1 || y0 >= y1) return;

  // The setter keeps the opacity in 0 … 1; a NaN must not reach an integer.
  double const opacity = parameter.opacity();
  double const level_opacity = opacity > 0 ? (opacity < 1 ? opacity : 1.0) : 0.0;
  NormalQueue queue;
  RowPainter<Depth, BlendFn> painter{strips.data(), strip_count, level_opacity, Depth::level(level_opacity),
                                     blend, parameter.blend_mode() == BlendMode::Normal, &queue};
  bool const runs = strip_count > 0 && orderedForRuns(strips.data(), strip_count);
  auto* const base = static_cast<unsigned char*>(world->data);
  std::ptrdiff_t const pitch = world->rowbytes;
  Vector<double> const center = parameter.center();
  RowBars seen(*this, center, runs);
  for (int y = y0; y < y1; ++y) {
    auto* const row = reinterpret_cast<typename Depth::Pixel*>(base + pitch * y);
    RowLine const along{origin.x, axis.x, (y - origin.y) * axis.y};
    RowLine const athwart{center.x, across.x, (y - center.y) * across.y};
    if (runs) {
      seen.row(y);
      painter.bars = seen.bars();
      painter.count = seen.size();
      if (painter.count > 0) painter.runRow(row, x0, x1, along, athwart);
    } else {
      painter.scanRow(row, x0, x1, along, athwart);
    }
  }
}

void SimpleLines::Impl::execute(Layer& layer, Rect const& area) const noexcept {
  PF_LayerDef const* world = layer.getWorld();
  if (world == nullptr || world->data == nullptr) return;
  if (layer.getWidth() != width || layer.getHeight() != height || area.isEmpty()) return;
  switch (layer.getBPC()) {
    case BPC::Bits8:
      _paint<Depth8>(layer, area);
      break;
    case BPC::Bits16:
      _paint<Depth16>(layer, area);
      break;
    case BPC::Bits32:
      _paint<Depth32>(layer, area);
      break;
    default:
      break;
  }
}

}  // namespace Brelo
