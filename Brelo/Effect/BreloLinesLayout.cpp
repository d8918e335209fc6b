// Construction of the engine: settings, layout origin and the strip list with
// every strip's full channel amounts.
#include <algorithm>
#include <cmath>

#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

namespace {

using Strip = Lines::Impl::Strip;
using Parameter = Lines::Parameter;

Strip makeGap(double start, double end) {
  Strip s;
  s.gap = true;
  s.start = start;
  s.end = end;
  return s;
}

float limit01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// The sign rule of a drawn amount. `negative_draw` is whether the sign draw
// of Both came out negative; the draw itself is the caller's, so that the
// generator advances the same way whatever the rule.
template <class T>
T applyDirection(T amount, Parameter::Direction direction, bool negative_draw, int count_so_far) {
  switch (direction) {
    case Parameter::Direction::Both:
      return negative_draw ? -amount : amount;
    case Parameter::Direction::Alternately:
      return (count_so_far % 2 != 0) ? -amount : amount;
    default:
      return amount;
  }
}

// Overlap rule of a varied component with range [lo, hi].
float overlap(float v, float lo, float hi, Parameter::CompositeOverlap rule) {
  if (rule == Parameter::CompositeOverlap::WrapBack) {
    if (v < lo) return lo + lo - v;
    if (v > hi) return hi + hi - v;
    return v;
  }
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

Lines::Impl::Impl(PF_InData* in_data_, int width_, int height_, Parameter const& p)
    : in_data(in_data_), width(width_), height(height_), parameter(p) {
  // Products of two values in [0, 1]: the setters' clamps leave them alone.
  double const master = p.completion();
  parameter.setSliceCompletion(p.slice_completion() * master);
  parameter.setRGBCompletion(p.rgb_completion() * master);
  parameter.setColorCompletion(p.color_completion() * master);
  parameter.setCompositeCompletion(p.composite_completion() * master);
  parameter.setTransitionCompletion(p.transition_completion() * master);

  if (p.color_type() == Parameter::ColorType::HLS) {
    color_active = std::fabs(p.color_h()) > 0.000001 || std::fabs(p.color_l()) > 0.000001 ||
                   std::fabs(p.color_s()) > 0.000001;
  } else {
    color_active = p.color_blend_with_original() > 0.000001;
  }

  double const a = p.direction();
  double const w = width, h = height;
  if (a < 1.5707963267948966) {
    origin_x = 0.0;
    origin_y = h - 1.0;
  } else if (a < 3.141592653589793) {
    origin_x = 0.0;
    origin_y = 0.0;
  } else if (a < 4.71238898038469) {
    origin_x = w - 1.0;
    origin_y = 0.0;
  } else {
    origin_x = w - 1.0;
    origin_y = h - 1.0;
  }
  axis_x = std::sin(a);
  axis_y = -std::cos(a);

  _makeStrips();
  _sliceChannel();
  _rgbChannel();
  if (color_active) _colorChannel();
  _compositeChannel();
  _wipe();
  _offsets();
}

double Lines::Impl::_pow(double x, double y) const {
  if (in_data && in_data->utils && in_data->utils->ansi.pow) return in_data->utils->ansi.pow(x, y);
  return std::pow(x, y);
}

void Lines::Impl::_makeStrips() {
  Parameter const& p = parameter;
  Random layout(p.width_seed());
  Random slice_rng(p.slice_seed());
  Random rgb_rng(p.rgb_seed());
  Random color_rng(p.color_seed());
  Random composite_rng(p.composite_seed());

  double const width_max[3] = {p.width_max1(), p.width_max2(), p.width_max3()};
  double const gap_max[3] = {p.gap_max1(), p.gap_max2(), p.gap_max3()};
  double width_low[3], width_range[3], gap_low[3], gap_range[3];
  for (int k = 0; k < 3; ++k) {
    width_low[k] = width_max[k] * p.width_min();
    width_range[k] = width_max[k] * (1.0 - p.width_min());
    gap_low[k] = gap_max[k] * p.gap_min();
    gap_range[k] = gap_max[k] * (1.0 - p.gap_min());
  }
  double const slice_low = p.slice_max() * p.slice_min();
  double const slice_range = p.slice_max() * (1.0 - p.slice_min());
  double const rgb_low = p.rgb_max() * p.rgb_min();
  double const rgb_range = p.rgb_max() * (1.0 - p.rgb_min());
  double const hue_low = p.color_h() * p.color_h_min();
  double const hue_range = p.color_h() * (1.0 - p.color_h_min());
  double const light_low = p.color_l() * p.color_l_min();
  double const light_range = p.color_l() * (1.0 - p.color_l_min());
  double const sat_low = p.color_s() * p.color_s_min();
  double const sat_range = p.color_s() * (1.0 - p.color_s_min());

  // The setters keep these in range; a record built otherwise must not index
  // outside the class arrays.
  int const width_num = std::min(3, std::max(1, p.width_num()));
  int const gap_num = std::min(3, std::max(1, p.gap_num()));
  int const composite_num = std::min(3, std::max(1, p.composite_num()));
  ColorFloat<float> const composite_colors[3] = {p.composite_color1(), p.composite_color2(),
                                                  p.composite_color3()};
  ColorFloat<float> const color_hls = Colorsys::RgbToHls(p.color_color());

  span = width * std::fabs(axis_x) + height * std::fabs(axis_y);
  Vector<double> const center = p.center();
  double const pc = (center.x - origin_x) * axis_x + (center.y - origin_y) * axis_y;
  double const p0 = pc - p.align() * p.total_width();
  double const p1 = p0 + p.total_width();

  strips.clear();
  if (p0 > 0.0000000001) strips.push_back(makeGap(0.0, p0));

  double position = p0;
  int n = 0;
  slice_count = rgb_count = color_count = composite_count = 0;
  while (position < p1 - 0.0001) {
    Strip s;
    s.index = n;
    s.start = position;
    double w = std::max(1.0, _pow(layout.randD(), p.width_power()) * width_range[n % width_num] +
                                 width_low[n % width_num]);
    if (position + w > p1) w = p1 - position;
    s.end = position + w;

    if (takesPart(n, p.slice_offset(), p.slice_per())) {
      double amount = _pow(slice_rng.randD(), p.slice_power()) * slice_range + slice_low;
      bool const negative = slice_rng.randD() < 0.5;
      s.slice = applyDirection(amount, p.slice_direction(), negative, slice_count);
      s.slice_index = slice_count++;
    }

    if (takesPart(n, p.rgb_offset(), p.rgb_per())) {
      s.rgb = rgb_rng.randD() * rgb_range + rgb_low;
      s.rgb_index = rgb_count++;
    }

    if (takesPart(n, p.color_offset(), p.color_per())) {
      auto draw = [&](double low, double range, Parameter::Direction direction) {
        float const amount = static_cast<float>(color_rng.randD() * range + low);
        bool const negative = color_rng.randD() >= 0.5;
        return applyDirection(amount, direction, negative, color_count);
      };
      float const dh = draw(hue_low, hue_range, p.color_h_direction());
      float const dl = draw(light_low, light_range, p.color_l_direction());
      float const ds = draw(sat_low, sat_range, p.color_s_direction());
      if (p.color_type() == Parameter::ColorType::HLS) {
        s.color = ColorFloat<float>(0.0f, dh, dl, ds);
      } else {
        ColorFloat<float> hls = color_hls;
        hls.red = hls.red + dh;
        hls.green = limit01(hls.green + dl);
        hls.blue = limit01(hls.blue + ds);
        hls.alpha = p.color_color().alpha;
        s.color = Colorsys::HlsToRgb(hls);
        s.color.alpha = static_cast<float>(p.color_blend_with_original());
      }
      s.color_index = color_count++;
    }

    if (takesPart(n, p.composite_offset(), p.composite_per())) {
      ColorFloat<float> const base = composite_colors[composite_count % composite_num];
      double const u1 = composite_rng.randD(), r1 = composite_rng.randD();
      double const u2 = composite_rng.randD(), r2 = composite_rng.randD();
      double const u3 = composite_rng.randD(), r3 = composite_rng.randD();
      float d1 = static_cast<float>(u1 * p.composite_variance1());
      float d2 = static_cast<float>(u2 * p.composite_variance2());
      float d3 = static_cast<float>(u3 * p.composite_variance3());
      if (r1 < 0.5) d1 = -d1;
      if (r2 < 0.5) d2 = -d2;
      if (r3 < 0.5) d3 = -d3;
      Parameter::CompositeOverlap const rule = p.composite_overlap();
      ColorFloat<float> c;
      switch (p.composite_variance_space()) {
        case Parameter::ColorSpace::HLS: {
          ColorFloat<float> hls = Colorsys::RgbToHls(base);
          hls.red = hls.red + d1 * 180.0f;
          hls.green = overlap(hls.green + d2, 0.0f, 1.0f, rule);
          hls.blue = overlap(hls.blue + d3, 0.0f, 1.0f, rule);
          c = Colorsys::HlsToRgb(hls);
          break;
        }
        case Parameter::ColorSpace::YUV: {
          ColorFloat<float> yuv = Colorsys::RgbToYuv(base);
          yuv.red = overlap(yuv.red + d1, 0.0f, 1.0f, rule);
          yuv.green = overlap(yuv.green + d2 * 0.5f, -0.5f, 0.5f, rule);
          yuv.blue = overlap(yuv.blue + d3 * 0.5f, -0.5f, 0.5f, rule);
          c = Colorsys::YuvToRgb(yuv);
          break;
        }
        default:
          c = base;
          c.red = overlap(c.red + d1, 0.0f, 1.0f, rule);
          c.green = overlap(c.green + d2, 0.0f, 1.0f, rule);
          c.blue = overlap(c.blue + d3, 0.0f, 1.0f, rule);
          break;
      }
      c.alpha = base.alpha;
      s.composite = c;
      s.composite8 = aePixel8(c);
      s.composite16 = aePixel16(c);
      s.composite32 = aePixel32(c);
      s.composite_index = composite_count++;
    }

    strips.push_back(s);

    double g = _pow(layout.randD(), p.gap_power()) * gap_range[n % gap_num] + gap_low[n % gap_num];
    if (s.end + g > p1) g = p1 - s.end;
    double next = s.end;
    if (g >= 0.00001) {
      strips.push_back(makeGap(s.end, s.end + g));
      next = s.end + g;
    }
    ++n;
    // Far from the origin a step can vanish in rounding; stop rather than
    // loop without end.
    if (!(next > position)) break;
    position = next;
  }
  strip_count = n;

  if (p1 < span) strips.push_back(makeGap(p1, span));
}

}  // namespace Brelo
