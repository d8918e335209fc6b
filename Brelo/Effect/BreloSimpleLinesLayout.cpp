// Bar layout: widths, gaps, lengths, offsets and colours from four seeded
// sequences, so a frame is reproducible from its settings alone.
#include <algorithm>
#include <array>
#include <cmath>

#include "Brelo/BreloColorVariance.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

// Through the controls every width is at least one control unit and the total width at
// most kMaxTotalWidth control units, both scaled alike, so no frame the controls can ask
// for holds more than kMaxTotalWidth + 1 bars. The cap only bites for settings made through
// the setters alone (sub-pixel widths over a long band, or a band far from the origin), and
// keeps the bar list and the per-pixel scan bounded there.
int SimpleLines::Impl::maxStripCount() {
  return static_cast<int>(std::ceil(std::max(kMaxTotalWidth, 1000.0))) + 2;
}

namespace {

// An amount drawn from max * min up to max, skewed by a power of the draw.
struct Scale {
  double base, range, power;
  double at(double r) const { return std::pow(r, power) * range + base; }
};
Scale scale(double max, double min, double power) { return {max * min, max * (1 - min), power}; }
std::array<Scale, 3> three(double max1, double max2, double max3, double min, double power) {
  return {scale(max1, min, power), scale(max2, min, power), scale(max3, min, power)};
}

}  // namespace

// The four seeded sequences and what their draws are scaled into, by class.
struct SimpleLines::Impl::Draws {
  Random W, H, A, K;
  double width_max[3];
  std::array<Scale, 3> width, gap, height;
  Scale offset;
  double variance[3];
  ColorFloat<float> colours[3];

  explicit Draws(Parameter const& p)
      : W(p.width_seed()), H(p.height_seed()), A(p.align_seed()), K(p.color_seed()),
        width_max{p.width_max1(), p.width_max2(), p.width_max3()},
        width(three(p.width_max1(), p.width_max2(), p.width_max3(), p.width_min(), p.width_power())),
        gap(three(p.gap_max1(), p.gap_max2(), p.gap_max3(), p.gap_min(), p.gap_power())),
        height(three(p.height_max1(), p.height_max2(), p.height_max3(), p.height_min(), p.height_power())),
        offset(scale(p.align_max(), p.align_min(), p.align_power())),
        variance{p.color_variance1(), p.color_variance2(), p.color_variance3()},
        colours{p.color_color1(), p.color_color2(), p.color_color3()} {}
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

    Strip strip{false, n, pos, end, 1.0, 0.0, 0.0, 0.0, {}, {}, {}, {}, {}};
    _drawBounds(d, n, acc, strip);
    strip.length_coverage = std::min(1.0, strip.upper - strip.lower);
    ColorFloat<float> const colour = _drawColour(d, n);
    strip.color8 = aePixel8(colour);
    strip.color16 = aePixel16(colour);
    strip.color32 = aePixel32(colour);
    strips.push_back(strip);

    int const k = n % p.gap_num();
    double g = d.gap[k].at(d.W.randD());
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
    w = std::max(mw, d.width[i].at(r));
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
  double const len = d.height[j].at(d.H.randD());

  double off = d.offset.at(d.A.randD());
  double const q = d.A.randD();
  if (p.align_direction() == Parameter::AlignDirection::Both) {
    if (q < 0.5) off = -off;
  } else if (p.align_direction() == Parameter::AlignDirection::Alternately) {
    if (n % 2 == 1) off = -off;
  }
  if (p.align_mode() == Parameter::AlignMode::Accumulate) {
    acc += off;
    off = acc;
  }

  strip.lower = 0;
  strip.upper = 0;
  if (p.align_type() == Parameter::AlignType::Bottom) {
    strip.lower = off;
    strip.upper = off + len;
  } else if (p.align_type() == Parameter::AlignType::Middle) {
    strip.lower = off - 0.5 * len;
    strip.upper = off + 0.5 * len;
  } else if (p.align_type() == Parameter::AlignType::Top) {
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
