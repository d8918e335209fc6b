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

// The four seeded sequences and the low ends and ranges their draws are
// scaled into: an amount runs from max * min to max.
struct SimpleLines::Impl::Draws {
  Random W, H, A, K;
  double wb[3], wr[3], gb[3], gr[3], hb[3], hr[3];
  double ob, os;

  explicit Draws(Impl const& e)
      : W(e.width_seed), H(e.height_seed), A(e.align_seed), K(e.color_seed),
        ob(e.align_max * e.align_min), os(e.align_max * (1 - e.align_min)) {
    for (int k = 0; k < 3; ++k) {
      wb[k] = e.width_max[k] * e.width_min;
      wr[k] = e.width_max[k] * (1 - e.width_min);
      gb[k] = e.gap_max[k] * e.gap_min;
      gr[k] = e.gap_max[k] * (1 - e.gap_min);
      hb[k] = e.height_max[k] * e.height_min;
      hr[k] = e.height_max[k] * (1 - e.height_min);
    }
  }
};

void SimpleLines::Impl::_makeStrips() {
  strips.clear();
  strip_count = 0;
  Draws d(*this);

  double mw = 1;
  for (int k = 0; k < width_num; ++k) mw = std::min(mw, width_max[k]);

  double const uc = (center.x - origin.x) * axis.x + (center.y - origin.y) * axis.y;
  double const first = uc - width_align * total_width;
  double const last = first + total_width;
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

    int const k = n % gap_num;
    double g = std::pow(d.W.randD(), gap_power) * d.gr[k] + d.gb[k];
    if (end + g > last) g = last - end;
    pos = g < kMinExtent ? end : end + g;
    ++n;
  }
  strip_count = n;
}

bool SimpleLines::Impl::_drawWidth(Draws& d, int n, double pos, double last, double mw, double& end) const {
  // A range whose maximum is below kMinExtent never yields an admissible
  // width: the band ends there instead of drawing for ever.
  int const i = n % width_num;
  if (!(width_max[i] >= kMinExtent)) return false;
  double w = 0;
  int draws = 0;
  for (;;) {
    double const r = d.W.randD();
    w = std::max(mw, std::pow(r, width_power) * d.wr[i] + d.wb[i]);
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
  int const j = n % height_num;
  double const len = std::pow(d.H.randD(), height_power) * d.hr[j] + d.hb[j];

  double off = std::pow(d.A.randD(), align_power) * d.os + d.ob;
  double const q = d.A.randD();
  if (align_direction == AlignDirection::Both) {
    if (q < 0.5) off = -off;
  } else if (align_direction == AlignDirection::Alternately) {
    if (n % 2 == 1) off = -off;
  }
  if (align_mode == AlignMode::Accumulate) {
    acc += off;
    off = acc;
  }

  strip.lower = 0;
  strip.upper = 0;
  if (align_type == AlignType::Bottom) {
    strip.lower = off;
    strip.upper = off + len;
  } else if (align_type == AlignType::Middle) {
    strip.lower = off - 0.5 * len;
    strip.upper = off + 0.5 * len;
  } else if (align_type == AlignType::Top) {
    strip.lower = off - len;
    strip.upper = off;
  }
}

ColorFloat<float> SimpleLines::Impl::_drawColour(Draws& d, int n) const {
  float amounts[3];
  for (int k = 0; k < 3; ++k) {
    float const m = static_cast<float>(d.K.randD());
    float const s = static_cast<float>(d.K.randD());
    amounts[k] = m * static_cast<float>(color_variance[k]);
    if (s < 0.5f) amounts[k] = -amounts[k];
  }
  return varyColor(color_color[n % color_num], amounts, color_variance_space, color_overlap);
}

}  // namespace Brelo
