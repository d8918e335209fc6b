// The pixel renderer: every pixel adds the strips and gaps that touch its
// position across the strips, anti-aliased over half a pixel on each side.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "Brelo/BreloBlend.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLinesDepth.h"
#include "Brelo/Effect/BreloLinesImpl.h"
#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

namespace {

template <class Pixel>
Pixel* rowOf(PF_EffectWorld* world, int y) {
  return reinterpret_cast<Pixel*>(static_cast<char*>(world->data) + static_cast<std::ptrdiff_t>(y) * world->rowbytes);
}

int32_t saturate(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

double limit01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

}  // namespace

std::size_t Lines::Impl::_firstEntry(double t) const {
  std::size_t const n = strips.size();
  if (n < 4) return 0;
  // Ends increase along the list, so "ends more than half a pixel before t"
  // holds for a prefix of it; skip that prefix. Stopping at the entry whose end
  // is the last at or before t instead would miss an entry ending within half
  // a pixel of t when a narrower entry follows it.
  std::size_t lo = 0, hi = n;
  while (lo < hi) {
    std::size_t const mid = lo + (hi - lo) / 2;
    if (t > strips[mid].end + 0.5)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
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
  if (area.isEmpty() || parameter.total_width() < 0.1) return Rect();
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
      _lines32(source, composite, output, area);
      break;
    case BPC::Bits16:
      _lines16(source, composite, output, area);
      break;
    default:
      _lines8(source, composite, output, area);
      break;
  }
}

void Lines::Impl::_lines8(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  _lines<PF_Pixel>(source, composite, output, area);
}

void Lines::Impl::_lines16(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  _lines<PF_Pixel16>(source, composite, output, area);
}

void Lines::Impl::_lines32(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  _lines<PF_PixelFloat>(source, composite, output, area);
}

template <class Pixel>
void Lines::Impl::_lines(Layer& source, Layer& composite, Layer& output, Rect const& area) const {
  using Depth = LinesDepth::Traits<Pixel>;
  PF_EffectWorld* const src = source.getWorld();
  PF_EffectWorld* const out = output.getWorld();
  PF_EffectWorld* const comp = composite.getWorld();
  int const x_begin = std::max(area.left, 0);
  int const x_end = std::min(area.right, src->width);
  int const y_begin = std::max(area.top, 0);
  int const y_end = std::min(area.bottom, src->height);
  if (x_begin >= x_end || y_begin >= y_end) return;

  std::vector<double> column(static_cast<std::size_t>(x_end - x_begin));
  for (int x = x_begin; x < x_end; ++x) column[static_cast<std::size_t>(x - x_begin)] = (x - origin_x) * axis_x;

  // Looked up on the first sample of the call and released when it ends, on
  // every path out of it.
  AEGP_SuiteHandler suites(in_data ? in_data->pica_basicP : nullptr);
  typename Depth::Suite const* sampler = nullptr;
  PF_ProgPtr const effect_ref = in_data ? in_data->effect_ref : nullptr;
  PF_SampPB pb{};
  pb.src = src;
  int const src_width = src->width;
  int const src_height = src->height;
  BorderType const outside = parameter.outside();
  auto sample = [&](int64_t bx, int64_t by, VectorFixed const& offset) {
    if (!sampler) sampler = Depth::suite(suites);
    VectorFixed at{};
    at.x = saturate(bx + offset.x);
    at.y = saturate(by + offset.y);
    Border::offsetF(at, src_width, src_height, outside, false);
    Pixel p{};
    Depth::sample(sampler, effect_ref, at, &pb, &p);
    return p;
  };

  PF_Pixel const weights[3] = {aePixel8(parameter.rgb_color1()), aePixel8(parameter.rgb_color2()),
                               aePixel8(parameter.rgb_color3())};
  bool const original = parameter.original();
  bool const correct = color_active;
  Strip const* const list = strips.data();
  std::size_t const count = strips.size();

  for (int y = y_begin; y < y_end; ++y) {
    double const row_term = (y - origin_y) * axis_y;
    Pixel const* const src_row = rowOf<Pixel>(src, y);
    Pixel* const out_row = rowOf<Pixel>(out, y);
    Pixel* const comp_row = rowOf<Pixel>(comp, y);
    int64_t const by = static_cast<int64_t>(y) * 65536;
    for (int x = x_begin; x < x_end; ++x) {
      double const t = column[static_cast<std::size_t>(x - x_begin)] + row_term;
      Pixel& o = out_row[x];
      Pixel& c = comp_row[x];
      for (std::size_t j = _firstEntry(t); j < count; ++j) {
        Strip const& s = list[j];
        if (s.start - 0.5 > t) break;
        if (s.hidden || (s.gap && !original) || t > s.end + 0.5) continue;
        double const left = t >= s.start + 0.5 ? 1.0 : limit01(t - s.start + 0.5);
        double const right = t <= s.end - 0.5 ? 1.0 : limit01(s.end + 0.5 - t);
        double const cov = s.coverage * left * right;
        if (!(cov > 0.0)) continue;

        if (s.gap) {
          Pixel p = src_row[x];
          p.alpha = Depth::scaleAlpha(p.alpha, 1.0, cov);
          o = Blend::alpha_add(o, p);
          continue;
        }

        Pixel p{};
        bool visible = true;
        int64_t const bx = static_cast<int64_t>(x) * 65536;
        if (std::fabs(s.rgb) >= 0.00001) {
          Pixel const k[3] = {sample(bx, by, s.rgb_offset1), sample(bx, by, s.slice_offset),
                              sample(bx, by, s.rgb_offset3)};
          visible = Depth::mix(k, weights, p);
        } else if (std::fabs(s.slice) >= 0.00001) {
          p = sample(bx, by, s.slice_offset);
        } else {
          p = src_row[x];
        }
        if (visible) {
          p.alpha = Depth::scaleAlpha(p.alpha, s.fade, cov);
          if (correct) p = _variance(p, s.color);
          o = Blend::alpha_add(o, p);
        }
        c = Blend::alpha_add(c, Depth::composite(s, cov));
      }
    }
  }
}

}  // namespace Brelo
