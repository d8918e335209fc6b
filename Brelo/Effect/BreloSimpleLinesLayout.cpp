// Bar layout: widths, gaps, lengths, offsets and colours from four seeded
// sequences, so a frame is reproducible from its settings alone.
#include <algorithm>
#include <cmath>

#include "Brelo/BreloColorVariance.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

// Through the controls every width is at least one control unit and the
// total width at most kMaxTotalWidth control units, both scaled alike, so no
// frame the controls can ask for holds more than kMaxTotalWidth + 1 bars.
// The cap only bites for settings made through the setters alone (sub-pixel
// widths over a long band, or a band far from the origin), and keeps the bar
// list and the per-pixel scan bounded there.
int SimpleLines::Impl::maxStripCount() {
  return static_cast<int>(std::ceil(std::max(kMaxTotalWidth, 1000.0))) + 2;
}

// The four seeded sequences, the three classes of each quantity, and the low
// ends and ranges draws are scaled into: an amount runs from max * min to max.
struct SimpleLines::Impl::Draws {
  Random W, H, A, K;
  double width_max[3], wb[3], wr[3], gb[3], gr[3], hb[3], hr[3];
  double ob, os;
  double variance[3];
  ColorFloat<float> colours[3];

  explicit Draws(Parameter const& p)
      : W(p.width_seed()), H(p.height_seed()), A(p.align_seed()), K(p.color_seed()),
        width_max{p.width_max1(), p.width_max2(), p.width_max3()},
        ob(p.align_max() * p.align_min()), os(p.align_max() * (1 - p.align_min())),
        variance{p.color_variance1(), p.color_variance2(), p.color_variance3()},
        colours{p.color_color1(), p.color_color2(), p.color_color3()} {
    double const gap_max[3] = {p.gap_max1(), p.gap_max2(), p.gap_max3()};
    double const height_max[3] = {p.height_max1(), p.height_max2(), p.height_max3()};
    for (int k = 0; k < 3; ++k) {
      wb[k] = width_max[k] * p.width_min();
      wr[k] = width_max[k] * (1 - p.width_min());
      gb[k] = gap_max[k] * p.gap_min();
      gr[k] = gap_max[k] * (1 - p.gap_min());
      hb[k] = height_max[k] * p.height_min();
      hr[k] = height_max[k] * (1 - p.height_min());
    }
  }
};

void SimpleLines::Impl::_makeStrips() {
  strips.clear();
  strip_count = 0;
  Parameter const& p = parameter;
  Draws d(p);

  double mw = 1;
  for (int k = 0; k < p.width_num(); ++k) mw = std::min(mw, d.width_max[k]);

  Vector<double> const center = p.center();
  double const uc = (center.x - origin.x) * axis.x + (center.y - origin.y) * axis.y;
  double const first = uc - p.width_align() * p.total_width();
  double const last = first + p.total_width();
  double const stop = last - kBandEpsilon;

  int const cap = maxStripCount();
  double pos = first;
  int n = 0;
  double acc = 0;
  while (pos < stop && n < cap) {
    double end = 0;
    if (!_drawWidth(d, n, pos, last, mw, end)) break;

    Strip strip;
    strip.hidden = false;
    strip.index = n;
    strip.start = pos;
    strip.end = end;
    strip.opacity = 1;
    _drawBounds(d, n, acc, strip);
    strip.length_coverage = std::min(1.0, strip.upper - strip.lower);
    ColorFloat<float> const colour = _drawColour(d, n);
    strip.color8 = aePixel8(colour);
    strip.color16 = aePixel16(colour);
    strip.color32 = aePixel32(colour);
    strips.push_back(strip);

    int const k = n % p.gap_num();
    double g = std::pow(d.W.randD(), p.gap_power()) * d.gr[k] + d.gb[k];
    if (end + g > last) g = last - end;
    pos = g < kMinExtent ? end : end + g;
    ++n;
  }
  strip_count = n;
}

bool SimpleLines::Impl::_drawWidth(Draws& d, int n, double pos, double last, double mw, double& end) const {
  // A range whose maximum is below kMinExtent never yields an admissible
  // width: the band ends there instead of drawing for ever.
  int const i = n % parameter.width_num();
  if (!(d.width_max[i] >= kMinExtent)) return false;
  double w = 0;
  int draws = 0;
  for (;;) {
    double const r = d.W.randD();
    w = std::max(mw, std::pow(r, parameter.width_power()) * d.wr[i] + d.wb[i]);
    end = pos + w;
    if (end > last) {
      w = last - pos;
      end = last;
    }
    if (w >= kMinExtent || ++draws >= kMaxWidthDraws) break;
  }
  // Out of draws, or so far out that a width no longer moves the position
  // in double precision: nothing more can be laid out.
  return !(w < kMinExtent) && end > pos;
}

void SimpleLines::Impl::_drawBounds(Draws& d, int n, double& acc, Strip& strip) const {
  Parameter const& p = parameter;
  int const j = n % p.height_num();
  double const len = std::pow(d.H.randD(), p.height_power()) * d.hr[j] + d.hb[j];

  double off = std::pow(d.A.randD(), p.align_power()) * d.os + d.ob;
  double const q = d.A.randD();
  if (p.align_direction() == AlignDirection::Both) {
    if (q < 0.5) off = -off;
  } else if (p.align_direction() == AlignDirection::Alternately) {
    if (n % 2 == 1) off = -off;
  }
  if (p.align_mode() == AlignMode::Accumulate) {
    acc += off;
    off = acc;
  }

  strip.lower = 0;
  strip.upper = 0;
  if (p.align_type() == AlignType::Bottom) {
    strip.lower = off;
    strip.upper = off + len;
  } else if (p.align_type() == AlignType::Middle) {
    strip.lower = off - 0.5 * len;
    strip.upper = off + 0.5 * len;
  } else if (p.align_type() == AlignType::Top) {
    strip.lower = off - len;
    strip.upper = off;
  }
}

ColorFloat<float> SimpleLines::Impl::_drawColour(Draws& d, int n) const {
  float amounts[3];
  for (int k = 0; k < 3; ++k) {
    float const m = static_cast<float>(d.K.randD());
    float const s = static_cast<float>(d.K.randD());
    amounts[k] = m * static_cast<float>(d.variance[k]);
    if (s < 0.5f) amounts[k] = -amounts[k];
  }
  Parameter const& p = parameter;
  return varyColor(d.colours[n % p.color_num()], amounts, p.color_variance_space(), p.color_overlap());
}

}  // namespace Brelo
