// Construction of the engine: settings, layout origin and the strip list with
// every strip's full channel amounts.
#include <algorithm>
#include <cmath>

#include "Brelo/BreloColorVariance.h"
#include "Brelo/BreloColorsys.h"
#include "Brelo/BreloMath.h"
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

// The sign rule of a drawn amount. `negative_draw` is whether the sign draw of Both came
// out negative; the caller draws it, so the generator advances alike whatever the rule.
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
  Vector<double> const origin = directionOrigin(a, width, height);
  origin_x = origin.x;
  origin_y = origin.y;
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

// The layout's and the four channels' random sequences, and the low ends and
// ranges their draws are scaled into: an amount runs from max * min to max.
struct Lines::Impl::Draws {
  struct Span {
    double low, range;
    Span(double max, double min) : low(max * min), range(max * (1.0 - min)) {}
    double at(double u) const { return u * range + low; }
  };

  explicit Draws(Parameter const& p)
      : layout(p.width_seed()),
        slice_rng(p.slice_seed()),
        rgb_rng(p.rgb_seed()),
        color_rng(p.color_seed()),
        composite_rng(p.composite_seed()),
        width{{p.width_max1(), p.width_min()}, {p.width_max2(), p.width_min()}, {p.width_max3(), p.width_min()}},
        gap{{p.gap_max1(), p.gap_min()}, {p.gap_max2(), p.gap_min()}, {p.gap_max3(), p.gap_min()}},
        slice(p.slice_max(), p.slice_min()),
        rgb(p.rgb_max(), p.rgb_min()),
        hue(p.color_h(), p.color_h_min()),
        light(p.color_l(), p.color_l_min()),
        sat(p.color_s(), p.color_s_min()),
        // The setters keep these in range; a record built otherwise must not
        // index outside the class arrays.
        width_num(std::min(3, std::max(1, p.width_num()))),
        gap_num(std::min(3, std::max(1, p.gap_num()))),
        composite_num(std::min(3, std::max(1, p.composite_num()))),
        composite_colors{p.composite_color1(), p.composite_color2(), p.composite_color3()},
        color_hls(Colorsys::RgbToHls(p.color_color())) {}

  Random layout, slice_rng, rgb_rng, color_rng, composite_rng;
  Span width[3], gap[3];
  Span slice, rgb, hue, light, sat;
  int width_num, gap_num, composite_num;
  ColorFloat<float> composite_colors[3];
  ColorFloat<float> color_hls;
};

void Lines::Impl::_makeStrips() {
  Parameter const& p = parameter;
  Draws d(p);

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
    double w = std::max(1.0, d.width[n % d.width_num].at(_pow(d.layout.randD(), p.width_power())));
    if (position + w > p1) w = p1 - position;
    s.end = position + w;

    if (takesPart(n, p.slice_offset(), p.slice_per())) _drawSlice(s, d);
    if (takesPart(n, p.rgb_offset(), p.rgb_per())) {
      s.rgb = d.rgb.at(d.rgb_rng.randD());
      s.rgb_index = rgb_count++;
    }
    if (takesPart(n, p.color_offset(), p.color_per())) _drawColor(s, d);
    if (takesPart(n, p.composite_offset(), p.composite_per())) _drawComposite(s, d);
    strips.push_back(s);

    double g = d.gap[n % d.gap_num].at(_pow(d.layout.randD(), p.gap_power()));
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

void Lines::Impl::_drawSlice(Strip& s, Draws& d) {
  double const amount = d.slice.at(_pow(d.slice_rng.randD(), parameter.slice_power()));
  bool const negative = d.slice_rng.randD() < 0.5;
  s.slice = applyDirection(amount, parameter.slice_direction(), negative, slice_count);
  s.slice_index = slice_count++;
}

void Lines::Impl::_drawColor(Strip& s, Draws& d) {
  Parameter const& p = parameter;
  auto draw = [&](Draws::Span const& range, Parameter::Direction direction) {
    float const amount = static_cast<float>(range.at(d.color_rng.randD()));
    bool const negative = d.color_rng.randD() >= 0.5;
    return applyDirection(amount, direction, negative, color_count);
  };
  float const dh = draw(d.hue, p.color_h_direction());
  float const dl = draw(d.light, p.color_l_direction());
  float const ds = draw(d.sat, p.color_s_direction());
  if (p.color_type() == Parameter::ColorType::HLS) {
    s.color = ColorFloat<float>(0.0f, dh, dl, ds);
  } else {
    ColorFloat<float> hls = d.color_hls;
    hls.red = hls.red + dh;
    hls.green = limit01(hls.green + dl);
    hls.blue = limit01(hls.blue + ds);
    hls.alpha = p.color_color().alpha;
    s.color = Colorsys::HlsToRgb(hls);
    s.color.alpha = static_cast<float>(p.color_blend_with_original());
  }
  s.color_index = color_count++;
}

void Lines::Impl::_drawComposite(Strip& s, Draws& d) {
  Parameter const& p = parameter;
  ColorFloat<float> const base = d.composite_colors[composite_count % d.composite_num];
  double const variance[3] = {p.composite_variance1(), p.composite_variance2(), p.composite_variance3()};
  float amounts[3];
  for (int k = 0; k < 3; ++k) {
    double const u = d.composite_rng.randD(), r = d.composite_rng.randD();
    amounts[k] = static_cast<float>(u * variance[k]);
    if (r < 0.5) amounts[k] = -amounts[k];
  }
  // The menus give only these; a record built otherwise varies in RGB and clips.
  ColorSpace const space = p.composite_variance_space() == ColorSpace::HLS || p.composite_variance_space() == ColorSpace::YUV
                               ? p.composite_variance_space()
                               : ColorSpace::RGB;
  ColorOverlap const rule = p.composite_overlap() == ColorOverlap::WrapBack ? ColorOverlap::WrapBack : ColorOverlap::Clip;
  ColorFloat<float> const c = varyColor(base, amounts, space, rule);
  s.composite = c;
  s.composite8 = aePixel8(c);
  s.composite16 = aePixel16(c);
  s.composite32 = aePixel32(c);
  s.composite_index = composite_count++;
}

}  // namespace Brelo
