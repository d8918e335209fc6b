// Bar layout: widths, gaps, lengths, offsets and colours from four seeded
// sequences, so a frame is reproducible from its settings alone.
#include <algorithm>
#include <cmath>

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloLimits.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

namespace {

// Beyond its range a varied channel is reflected back (WrapBack) or
// limited (Clip); any other overlap value leaves it as it is.
float overlap(float x, float low, float high, SimpleLines::Impl::ColorOverlap mode) {
  using ColorOverlap = SimpleLines::Impl::ColorOverlap;
  if (mode == ColorOverlap::WrapBack) {
    if (x < low) return 2 * low - x;
    if (x > high) return 2 * high - x;
  } else if (mode == ColorOverlap::Clip) {
    if (x < low) return low;
    if (x > high) return high;
  }
  return x;
}

}  // namespace

// Through the controls every width is at least one control unit and the
// total width at most kMaxTotalWidth control units, both scaled alike, so no
// frame the controls can ask for holds more than kMaxTotalWidth + 1 bars.
// The cap only bites for settings made through the setters alone (sub-pixel
// widths over a long band, or a band far from the origin), and keeps the bar
// list and the per-pixel scan bounded there.
int SimpleLines::Impl::maxStripCount() {
  return static_cast<int>(std::ceil(std::max(kMaxTotalWidth, 1000.0))) + 2;
}

void SimpleLines::Impl::_makeStrips() {
  strips.clear();
  strip_count = 0;

  Random W(width_seed);
  Random H(height_seed);
  Random A(align_seed);
  Random K(color_seed);

  double wb[3], wr[3], gb[3], gr[3], hb[3], hr[3];
  for (int k = 0; k < 3; ++k) {
    wb[k] = width_max[k] * width_min;
    wr[k] = width_max[k] * (1 - width_min);
    gb[k] = gap_max[k] * gap_min;
    gr[k] = gap_max[k] * (1 - gap_min);
    hb[k] = height_max[k] * height_min;
    hr[k] = height_max[k] * (1 - height_min);
  }
  double const ob = align_max * align_min;
  double const os = align_max * (1 - align_min);

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
    // Width. A range whose maximum is below kMinExtent never yields an
    // admissible width: the band ends there instead of drawing for ever.
    int const i = n % width_num;
    if (!(width_max[i] >= kMinExtent)) break;
    double w = 0;
    double end = 0;
    int draws = 0;
    for (;;) {
      double const r = W.randD();
      w = std::max(mw, std::pow(r, width_power) * wr[i] + wb[i]);
      end = pos + w;
      if (end > last) {
        w = last - pos;
        end = last;
      }
      if (w >= kMinExtent || ++draws >= kMaxWidthDraws) break;
    }
    // Out of draws, or so far out that a width no longer moves the position
    // in double precision: nothing more can be laid out.
    if (w < kMinExtent || !(end > pos)) break;

    int const j = n % height_num;
    double const len = std::pow(H.randD(), height_power) * hr[j] + hb[j];

    double off = std::pow(A.randD(), align_power) * os + ob;
    double const q = A.randD();
    if (align_direction == AlignDirection::Both) {
      if (q < 0.5) off = -off;
    } else if (align_direction == AlignDirection::Alternately) {
      if (n % 2 == 1) off = -off;
    }
    if (align_mode == AlignMode::Accumulate) {
      acc += off;
      off = acc;
    }

    double lower = 0;
    double upper = 0;
    if (align_type == AlignType::Bottom) {
      lower = off;
      upper = off + len;
    } else if (align_type == AlignType::Middle) {
      lower = off - 0.5 * len;
      upper = off + 0.5 * len;
    } else if (align_type == AlignType::Top) {
      lower = off - len;
      upper = off;
    }

    ColorFloat<float> colour = color_color[n % color_num];
    float d[3];
    for (int k = 0; k < 3; ++k) {
      float const m = static_cast<float>(K.randD());
      float const s = static_cast<float>(K.randD());
      d[k] = m * static_cast<float>(color_variance[k]);
      if (s < 0.5f) d[k] = -d[k];
    }
    if (color_variance_space == ColorSpace::RGB) {
      colour.red = overlap(colour.red + d[0], 0, 1, color_overlap);
      colour.green = overlap(colour.green + d[1], 0, 1, color_overlap);
      colour.blue = overlap(colour.blue + d[2], 0, 1, color_overlap);
    } else if (color_variance_space == ColorSpace::HLS) {
      ColorFloat<float> hls = Colorsys::RgbToHls(colour);
      hls.red += 180 * d[0];  // hue in degrees; the way back folds it
      hls.green = overlap(hls.green + d[1], 0, 1, color_overlap);
      hls.blue = overlap(hls.blue + d[2], 0, 1, color_overlap);
      colour = Colorsys::HlsToRgb(hls);
    } else if (color_variance_space == ColorSpace::YUV) {
      ColorFloat<float> yuv = Colorsys::RgbToYuv(colour);
      yuv.red = overlap(yuv.red + d[0], 0, 1, color_overlap);
      yuv.green = overlap(yuv.green + 0.5f * d[1], -0.5f, 0.5f, color_overlap);
      yuv.blue = overlap(yuv.blue + 0.5f * d[2], -0.5f, 0.5f, color_overlap);
      colour = Colorsys::YuvToRgb(yuv);
    }

    Strip strip;
    strip.hidden = false;
    strip.index = n;
    strip.start = pos;
    strip.end = end;
    strip.opacity = 1;
    strip.lower = lower;
    strip.upper = upper;
    strip.length_coverage = std::min(1.0, upper - lower);
    strip.color8 = aePixel8(colour);
    strip.color16 = aePixel16(colour);
    strip.color32 = aePixel32(colour);
    strips.push_back(strip);

    int const k = n % gap_num;
    double g = std::pow(W.randD(), gap_power) * gr[k] + gb[k];
    if (end + g > last) g = last - end;
    pos = g < kMinExtent ? end : end + g;
    ++n;
  }
  strip_count = n;
}

}  // namespace Brelo
