// The pixel renderer: every pixel adds the strips and gaps that touch its
// position across the strips, anti-aliased over half a pixel on each side.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/BreloMath.h"
#include "Brelo/Effect/BreloLinesDepth.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

namespace {

template <class Pixel>
Pixel* rowOf(PF_EffectWorld* world, int y) {
  return reinterpret_cast<Pixel*>(static_cast<char*>(world->data) + static_cast<std::ptrdiff_t>(y) * world->rowbytes);
}

}  // namespace

std::size_t Lines::Impl::_firstEntry(double t) const {
  if (strips.size() < 4) return 0;
  // Ends increase along the list, so "ends more than half a pixel before t" holds for a
  // prefix: skip it. Stopping at the last end at or before t instead would miss an entry
  // ending within half a pixel of t when a narrower entry follows it.
  auto const first =
      std::partition_point(strips.begin(), strips.end(), [t](Strip const& s) { return t > s.end + 0.5; });
  return static_cast<std::size_t>(first - strips.begin());
}

Rect Lines::Impl::_drawnArea(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  // A layer without pixels (a failed creation or checkout) is never written.
  for (Layer* layer : {&source, &composite, &output}) {
    if (!layer->getWorld() || !layer->getWorld()->data) return Rect();
  }
  if (source.equalTo(output) || !source.equalInSize(output)) return Rect();
  if (source.equalTo(composite) || !source.equalInSize(composite)) return Rect();
  // The pixel loop addresses all three buffers with the source's pixel type.
  if (output.getBPC() != source.getBPC() || composite.getBPC() != source.getBPC()) return Rect();
  if (area.isEmpty() || parameter.total_width() < kMinTotalWidth) return Rect();
  Rect const inside(std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, source.getWidth()),
                    std::min(area.bottom, source.getHeight()));
  return inside.isEmpty() ? Rect() : inside;
}

void Lines::Impl::execute(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  Rect const drawn = _drawnArea(source, composite, output, area);
  if (drawn.isEmpty()) return;
  output.fill(ColorFloat<float>(), drawn);
  _draw(source, composite, output, drawn);
}

void Lines::Impl::_draw(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  switch (source.getBPC()) {
    case BPC::Bits32:
      _lines<PF_PixelFloat>(source, composite, output, area);
      break;
    case BPC::Bits16:
      _lines<PF_Pixel16>(source, composite, output, area);
      break;
    default:
      _lines<PF_Pixel>(source, composite, output, area);
      break;
  }
}

namespace {

// Whether the list allows the row loop's shortcut: no entry ends before it starts, and
// neither starts nor ends decrease along it (an overshooting wipe easing can break all
// three). Then the entries that touch a position are a run of the list, and along a row,
// where positions move one way, the pixels each entry touches are an interval that only
// moves on from the entry before.
bool inOrder(std::vector<Lines::Impl::Strip> const& strips) {
  for (std::size_t j = 0; j < strips.size(); ++j) {
    if (!(strips[j].start <= strips[j].end)) return false;
    if (j > 0 && !(strips[j - 1].end <= strips[j].end && strips[j - 1].start <= strips[j].start)) return false;
  }
  return true;
}

// One call's drawing state: the three buffers, the host's sampler and the
// frame's settings, for the pixel loop of one depth.
template <class Pixel>
class Painter {
 public:
  using Depth = LinesDepth::Traits<Pixel>;
  using Strip = Lines::Impl::Strip;
  static constexpr int kBatch = 64;  // pixels sampled before they are mixed
  // The samples of up to kBatch pixels: each sample's pixels side by side at 8 bits (the
  // four-pixel mix loads them so), each pixel's samples side by side at the other depths.
  template <int Samples>
  struct Batch {
    static constexpr bool kPlanar = std::is_same_v<Pixel, PF_Pixel>;
    Pixel px[Samples * kBatch];
    Pixel& at(int k, int i) { return px[kPlanar ? k * kBatch + i : i * Samples + k]; }
    Pixel const& at(int k, int i) const { return px[kPlanar ? k * kBatch + i : i * Samples + k]; }
  };
  Painter(Lines::Impl const& e, PF_EffectWorld* src, PF_EffectWorld* out, PF_EffectWorld* comp,
          AEGP_SuiteHandler& suites)
      : m_e(e),
        m_src(src),
        m_out(out),
        m_comp(comp),
        m_suites(suites),
        m_ref(e.in_data ? e.in_data->effect_ref : nullptr),
        m_outside(e.parameter.outside()),
        m_original(e.parameter.original()),
        m_correct(e.color_active),
        m_list(e.strips.data()),
        m_count(e.strips.size()),
        m_maxX((static_cast<int64_t>(src->width) - 1) * 65536),
        m_maxY((static_cast<int64_t>(src->height) - 1) * 65536),
        m_mix(weightsOf(e.parameter)) {
    m_pb.src = src;
  }

  // Every entry that touches position t adds itself to pixel (x, y): the
  // rules in full, for any pixel. `first` is the first entry that can.
  [[gnu::always_inline]] void pixel(int x, int y, double t, std::size_t first, Pixel const* src_row, Pixel& o,
                                    Pixel& c) {
    int64_t const bx = static_cast<int64_t>(x) * 65536, by = static_cast<int64_t>(y) * 65536;
    for (std::size_t j = first; j < m_count; ++j) {
      Strip const& s = m_list[j];
      if (s.start - 0.5 > t) break;
      if (s.hidden || (!m_original && s.gap) || t > s.end + 0.5) continue;
      add(s, bx, by, t, src_row[x], o, c);
    }
  }

  // Row y of a list inOrder, entry by entry in list order: each entry adds itself to the
  // pixels it touches, so every pixel gets its entries' shares in the order pixel() adds
  // them. Positions move one way along the row (`rising`: they never fall with x), by
  // `step` a pixel.
  void row(int y, double const* column, double row_term, int x_begin, int x_end, bool rising, double step,
           Pixel const* src_row, Pixel* out_row, Pixel* comp_row) {
    // Pixels counted from the end where positions are lowest: position i never falls with i.
    int const n = x_end - x_begin;
    auto const tOf = [&](int i) { return column[rising ? x_begin + i : x_end - 1 - i] + row_term; };
    double const t0 = tOf(0), per_step = 1 / step;
    // The first i from `from` on whose position passes (a test that, once passed, stays
    // passed): from a guess off the row's line, which a step or two settles.
    auto const firstPast = [&](int from, double bound, auto const& past) {
      double const guess = std::ceil((bound - t0) * per_step);
      int i = !(guess > from) ? from : (guess >= n ? n : static_cast<int>(guess));
      while (i > from && past(tOf(i - 1))) --i;
      while (i < n && !past(tOf(i))) ++i;
      return i;
    };
    int lo = 0, hi = 0;  // the pixels [lo, hi) the entry touches
    for (std::size_t j = m_e._firstEntry(t0); j < m_count; ++j) {
      Strip const& s = m_list[j];
      lo = firstPast(lo, s.start - 0.5, [&](double t) { return !(s.start - 0.5 > t); });
      if (lo == n) break;  // this entry and every later one start past the row
      hi = firstPast(std::max(hi, lo), s.end + 0.5, [&](double t) { return t > s.end + 0.5; });
      if (lo == hi || s.hidden || (!m_original && s.gap)) continue;
      entry(s, rising ? x_begin + lo : x_end - hi, rising ? x_begin + hi : x_end - lo, y, column, row_term, src_row,
            out_row, comp_row);
    }
  }

 private:
  // A strip's pixels in a row: [x0, x1) touched, [w0, w1) of them covered whole.
  struct Span {
    int x0, w0, w1, x1, y;
    double const* column;
    double row_term;
    Pixel const* src_row;
    Pixel* out_row;
    Pixel* comp_row;
  };

  // Entry s over pixels [x0, x1) of row y, all of which it touches. Those it covers whole
  // (coverage 1) are an interval, as positions move one way along the row, and go in runs;
  // those on its edges each at its own coverage.
  void entry(Strip const& s, int x0, int x1, int y, double const* column, double row_term, Pixel const* src_row,
             Pixel* out_row, Pixel* comp_row) {
    auto const whole = [&](int x) {
      double const t = column[x] + row_term;
      return s.coverage == 1.0 && t >= s.start + 0.5 && t <= s.end - 0.5;
    };
    int w0 = x0;
    while (w0 < x1 && !whole(w0)) ++w0;
    int w1 = x1;
    while (w1 > w0 && !whole(w1 - 1)) --w1;
    Span const span{x0, w0, w1, x1, y, column, row_term, src_row, out_row, comp_row};
    if (s.gap) {
      int64_t const by = static_cast<int64_t>(y) * 65536;
      auto const edge = [&](int x) {
        add(s, static_cast<int64_t>(x) * 65536, by, column[x] + row_term, src_row[x], out_row[x], comp_row[x]);
      };
      for (int x = x0; x < w0; ++x) edge(x);
      for (int x = w0; x < w1; ++x) {
        Pixel p = src_row[x];
        p.alpha = Depth::unitAlpha(p.alpha);
        out_row[x] = Blend::alpha_add(out_row[x], p);
      }
      for (int x = w1; x < x1; ++x) edge(x);
    } else if (std::fabs(s.rgb) >= 0.00001) {
      VectorFixed const* const offsets[3] = {&s.rgb_offset1, &s.slice_offset, &s.rgb_offset3};
      strip<3>(s, offsets, span);
    } else if (std::fabs(s.slice) >= 0.00001) {
      VectorFixed const* const offsets[1] = {&s.slice_offset};
      strip<1>(s, offsets, span);
    } else {
      strip<0>(s, nullptr, span);
    }
  }

  // A strip's pixels in a row, from left to right (the order the layer's memory favours):
  // an edge, what it covers whole, the other edge.
  template <int Samples>
  void strip(Strip const& s, VectorFixed const* const* offsets, Span const& a) {
    edges<Samples>(s, offsets, a.x0, a.w0, a);
    if (a.w0 < a.w1) runStrip<Samples>(s, offsets, a.w0, a.w1, a.y, a.src_row, a.out_row, a.comp_row);
    edges<Samples>(s, offsets, a.w1, a.x1, a);
  }

  // Pixels [x, stop) of a strip's edge, each at its own coverage: what add() gives, with
  // the host's samples of a few pixels taken back to back before their rules.
  template <int Samples>
  void edges(Strip const& s, VectorFixed const* const* offsets, int x, int stop, Span const& a) {
    constexpr int kEdge = 16;
    int64_t const by = static_cast<int64_t>(a.y) * 65536;
    while (x < stop) {
      int at[kEdge];
      double cov[kEdge];
      int n = 0;
      for (; x < stop && n < kEdge; ++x) {
        cov[n] = coverage(s, a.column[x] + a.row_term);
        if (cov[n] > 0.0) at[n++] = x;
      }
      Pixel k[kEdge][Samples > 0 ? Samples : 1];
      for (int i = 0; i < n; ++i) {
        for (int m = 0; m < Samples; ++m) k[i][m] = sample(static_cast<int64_t>(at[i]) * 65536, by, *offsets[m]);
      }
      for (int i = 0; i < n; ++i) {
        int const e = at[i];
        Pixel p = Samples == 0 ? a.src_row[e] : k[i][0];
        bool shows = true;
        if constexpr (Samples == 3) shows = m_mix(k[i], p);
        addShare(s, cov[i], shows, p, a.out_row[e], a.comp_row[e]);
      }
    }
  }

  // Coverage of position t by entry s: 0 … 1 over half a pixel either side of each end.
  static double coverage(Strip const& s, double t) {
    double const left = t >= s.start + 0.5 ? 1.0 : limit01(t - s.start + 0.5);
    double const right = t <= s.end - 0.5 ? 1.0 : limit01(s.end + 0.5 - t);
    return s.coverage * left * right;
  }

  // A strip's share at coverage cov: its content p, where it shows, faded, corrected and
  // added onto o; its composite colour onto c.
  [[gnu::always_inline]] void addShare(Strip const& s, double cov, bool shows, Pixel p, Pixel& o, Pixel& c) {
    if (shows) {
      p.alpha = Depth::scaleAlpha(p.alpha, s.fade, cov);
      if (m_correct) p = m_e._variance(p, s.color);
      o = Blend::alpha_add(o, p);
    }
    c = Blend::alpha_add(c, Depth::composite(s, cov));
  }

  // Entry s's share of pixel (bx, by) (16.16) at position t, added onto o and c.
  [[gnu::always_inline]] void add(Strip const& s, int64_t bx, int64_t by, double t, Pixel const& here, Pixel& o,
                                  Pixel& c) {
    double const cov = coverage(s, t);
    if (!(cov > 0.0)) return;
    if (s.gap) {
      Pixel p = here;
      p.alpha = Depth::scaleAlpha(p.alpha, 1.0, cov);
      o = Blend::alpha_add(o, p);
      return;
    }
    Pixel p{};
    bool const shows = content(s, bx, by, here, p);
    addShare(s, cov, shows, p, o, c);
  }

  // The strip's content pixel at base (bx, by); false when nothing shows
  // (all three separated samples transparent).
  bool content(Strip const& s, int64_t bx, int64_t by, Pixel const& here, Pixel& p) {
    if (std::fabs(s.rgb) >= 0.00001) {
      Pixel const k[3] = {sample(bx, by, s.rgb_offset1), sample(bx, by, s.slice_offset),
                          sample(bx, by, s.rgb_offset3)};
      return m_mix(k, p);
    }
    if (std::fabs(s.slice) >= 0.00001) {
      p = sample(bx, by, s.slice_offset);
    } else {
      p = here;
    }
    return true;
  }

  // Pixels [x, stop) of a strip's interior, content taken from `Samples` samples (0: the
  // pixel itself). Where every sample position of a pixel lies on the layer's pixels,
  // positions step by a pixel and need neither saturation nor folding.
  template <int Samples>
  void runStrip(Strip const& s, VectorFixed const* const* offsets, int x, int stop, int y, Pixel const* src_row,
                Pixel* out_row, Pixel* comp_row) {
    Pixel const composite = Depth::composite(s, 1.0);
    bool const unit = s.fade == 1.0;
    auto finish = [&](int i, Pixel p) {
      p.alpha = unit ? Depth::unitAlpha(p.alpha) : Depth::scaleAlpha(p.alpha, s.fade, 1.0);
      if (m_correct) p = m_e._variance(p, s.color);
      addOnto(out_row[i], p);
    };
    if constexpr (Samples == 0) {
      for (; x < stop; ++x) {
        finish(x, src_row[x]);
        addOnto(comp_row[x], composite);
      }
      return;
    } else {
      int64_t const by = static_cast<int64_t>(y) * 65536;
      // The stretch [direct_begin, direct_end) where sampling is direct.
      int64_t direct_begin = x, direct_end = stop;
      int32_t at_x[Samples], at_y[Samples];
      for (int k = 0; k < Samples; ++k) {
        int64_t const ay = by + offsets[k]->y;
        if (ay < 0 || ay > m_maxY) direct_end = direct_begin;
        at_y[k] = static_cast<int32_t>(ay);
        int64_t const ox = offsets[k]->x;
        direct_begin = std::max(direct_begin, ceilDiv65536(-ox));
        direct_end = std::min(direct_end, floorDiv65536(m_maxX - ox) + 1);
      }
      if (!m_sampler) m_sampler = Depth::suite(m_suites);
      auto folded = [&](int i) {
        Pixel p{};
        if (content(s, static_cast<int64_t>(i) * 65536, by, src_row[i], p)) finish(i, p);
        addOnto(comp_row[i], composite);
      };
      int const direct_stop = static_cast<int>(std::min<int64_t>(stop, std::max(direct_begin, direct_end)));
      for (; x < stop && x < direct_begin; ++x) folded(x);
      if (x < direct_stop) {
        for (int k = 0; k < Samples; ++k) at_x[k] = static_cast<int32_t>(int64_t(x) * 65536 + offsets[k]->x);
        typename Depth::Sampler const take = Depth::sampler(m_sampler);
        PF_ProgPtr const ref = m_ref;
        PF_SampPB const* const pb = &m_pb;
        // Sample a batch of pixels, then mix it: the host's calls follow each other
        // without waiting for the mixing, which runs without calls in between.
        Batch<Samples> batch;  // sample k of pixel x + i at batch.at(k, i)
        while (x < direct_stop) {
          int const n = std::min(kBatch, direct_stop - x);
          for (int i = 0; i < n; ++i) {
#pragma GCC unroll 3
            for (int k = 0; k < Samples; ++k) {
              // Cleared first, so that a failed call leaves a transparent sample: a
              // store each, as runs are often a few pixels long and memset mispredicts.
              batch.at(k, i) = Pixel{};
              take(ref, at_x[k], at_y[k], pb, &batch.at(k, i));
              at_x[k] += 65536;
            }
          }
          if (unit && !m_correct) {
            mixBatch<Samples, true>(batch, n, x, out_row, comp_row, composite, [](Pixel const& p) { return p; });
          } else {
            mixBatch<Samples, false>(batch, n, x, out_row, comp_row, composite, [&](Pixel p) {
              p.alpha = unit ? Depth::unitAlpha(p.alpha) : Depth::scaleAlpha(p.alpha, s.fade, 1.0);
              return m_correct ? m_e._variance(p, s.color) : p;
            });
          }
          x += n;
        }
      }
      for (; x < stop; ++x) folded(x);
    }
  }

  // Pixels x .. x + n - 1 of a run from their batched samples: the content
  // (mixed when separated), finished by `finish` (fade and correction), and
  // the composite colour. `Plain`: `finish` gives its pixel back.
  template <int Samples, bool Plain, class Finish>
  void mixBatch(Batch<Samples> const& batch, int n, int x, Pixel* out_row, Pixel* comp_row, Pixel const& composite,
                Finish const& finish) {
    int i = 0;
#if defined(__SSE2__)
    if constexpr (Samples == 3 && Plain && std::is_same_v<Pixel, PF_Pixel>) {
      // Four pixels at once where they land on clear pixels.
      for (; i + 4 <= n; i += 4) {
        Pixel* const o = out_row + x + i;
        if (!m_mix.mixFourOntoClear(&batch.at(0, i), &batch.at(1, i), &batch.at(2, i), o)) {
          for (int m = 0; m < 4; ++m) mixOnto(batch, i + m, o[m], finish);
        }
        for (int m = 0; m < 4; ++m) addOnto(comp_row[x + i + m], composite);
      }
    }
#endif
    for (; i < n; ++i) {
      if constexpr (Samples == 3) {
        mixOnto(batch, i, out_row[x + i], finish);
      } else {
        addOnto(out_row[x + i], finish(batch.at(0, i)));
      }
      addOnto(comp_row[x + i], composite);
    }
  }

  // The mix of batched pixel i, finished, added onto d.
  template <class Finish>
  void mixOnto(Batch<3> const& batch, int i, Pixel& d, Finish const& finish) {
    Pixel p;
    bool shows;
    if constexpr (Batch<3>::kPlanar) {
      Pixel const k[3] = {batch.at(0, i), batch.at(1, i), batch.at(2, i)};
      shows = m_mix(k, p);
    } else {
      shows = m_mix(*reinterpret_cast<Pixel const(*)[3]>(&batch.at(0, i)), p);  // side by side already
    }
    if (shows) addOnto(d, finish(p));
  }

  // Blend::alpha_add(d, s) into d; onto a transparent pixel that is s itself.
  static void addOnto(Pixel& d, Pixel const& s) {
    if (d.alpha == 0) {
      d = s;
    } else {
      d = Blend::alpha_add(d, s);
    }
  }

  // The RGB weights: the 8-bit forms of the three colours at every depth.
  static std::array<PF_Pixel, 3> weightsOf(Lines::Parameter const& p) {
    return {aePixel8(p.rgb_color1()), aePixel8(p.rgb_color2()), aePixel8(p.rgb_color3())};
  }

  static int64_t floorDiv65536(int64_t v) { return v >= 0 ? v / 65536 : -((-v + 65535) / 65536); }
  static int64_t ceilDiv65536(int64_t v) { return -floorDiv65536(-v); }

  // The host's sub-pixel sample at base + offset, folded by the Outside
  // setting; a position on the layer's pixels needs no folding of any kind
  // (nor saturation: those bounds lie in 32 bits), and is taken inline.
  [[gnu::always_inline]] Pixel sample(int64_t bx, int64_t by, VectorFixed const& offset) {
    int64_t const ax = bx + offset.x, ay = by + offset.y;
    if (!(m_sampler && ax >= 0 && ax <= m_inlineX && ay >= 0 && ay <= m_inlineY)) return sampleFolded(bx, by, offset);
    Pixel p{};
    Depth::sampler(m_sampler)(m_ref, static_cast<int32_t>(ax), static_cast<int32_t>(ay), &m_pb, &p);
    return p;
  }
  [[gnu::noinline]] Pixel sampleFolded(int64_t bx, int64_t by, VectorFixed const& offset) {
    if (!m_sampler) m_sampler = Depth::suite(m_suites);
    VectorFixed at{};
    at.x = saturate(bx + offset.x);
    at.y = saturate(by + offset.y);
    if (!(at.x >= 0 && at.x <= m_maxX && at.y >= 0 && at.y <= m_maxY)) {
      Border::offsetF(at, m_src->width, m_src->height, m_outside, false);
    }
    Pixel p{};
    Depth::sampler(m_sampler)(m_ref, at.x, at.y, &m_pb, &p);
    return p;
  }

  Lines::Impl const& m_e;
  PF_EffectWorld* m_src;
  PF_EffectWorld* m_out;
  PF_EffectWorld* m_comp;
  AEGP_SuiteHandler& m_suites;
  typename Depth::Suite const* m_sampler = nullptr;  // looked up on the first sample
  PF_ProgPtr m_ref;
  PF_SampPB m_pb{};
  BorderType m_outside;
  bool m_original;
  bool m_correct;
  Strip const* m_list;
  std::size_t m_count;
  int64_t m_maxX, m_maxY;
  int64_t m_inlineX = std::min<int64_t>(m_maxX, std::numeric_limits<int32_t>::max()),
          m_inlineY = std::min<int64_t>(m_maxY, std::numeric_limits<int32_t>::max());
  typename Depth::Mixer const m_mix;
};

}  // namespace

template <class Pixel>
void Lines::Impl::_lines(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  PF_EffectWorld* const src = source.getWorld();
  PF_EffectWorld* const out = output.getWorld();
  PF_EffectWorld* const comp = composite.getWorld();
  int const x_begin = std::max(area.left, 0);
  int const x_end = std::min(area.right, src->width);
  int const y_begin = std::max(area.top, 0);
  int const y_end = std::min(area.bottom, src->height);
  if (x_begin >= x_end || y_begin >= y_end) return;

  // Indexed by x itself, so that runs need no offset.
  std::vector<double> column_store(static_cast<std::size_t>(x_end - x_begin));
  double* const column = column_store.data() - x_begin;
  for (int x = x_begin; x < x_end; ++x) column[x] = (x - origin_x) * axis_x;

  // Released when the call ends, on every path out of it.
  AEGP_SuiteHandler suites(in_data ? in_data->pica_basicP : nullptr);
  Painter<Pixel> painter(*this, src, out, comp, suites);
  std::size_t const count = strips.size();
  bool const in_order = count > 0 && inOrder(strips);
  bool const rising = !(axis_x < 0);

  for (int y = y_begin; y < y_end; ++y) {
    double const row_term = (y - origin_y) * axis_y;
    Pixel const* const src_row = rowOf<Pixel>(src, y);
    Pixel* const out_row = rowOf<Pixel>(out, y);
    Pixel* const comp_row = rowOf<Pixel>(comp, y);
    if (in_order) {
      painter.row(y, column, row_term, x_begin, x_end, rising, std::fabs(axis_x), src_row, out_row, comp_row);
      continue;
    }
    for (int x = x_begin; x < x_end; ++x) {
      double const t = column[x] + row_term;
      painter.pixel(x, y, t, _firstEntry(t), src_row, out_row[x], comp_row[x]);
    }
  }
}

}  // namespace Brelo
