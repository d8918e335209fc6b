// The per-frame animation of the strips: the four channel schedules, the
// wipe, and the conversion of the eased amounts into 16.16 sample offsets.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "Brelo/BreloEasing.h"
#include "Brelo/BreloMath.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/BreloSchedule.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/Effect/BreloLinesImpl.h"

namespace Brelo {

namespace {

using Strip = Lines::Impl::Strip;
using Parameter = Lines::Parameter;

// The ranks a schedule gives `count` elements, and each rank's progress.
struct Ranking {
  Ranking(Schedule const& s, int count)
      : transition(s.completion, s.delay, count), easing(s.easing_type, s.easing_mode),
        orders(static_cast<std::size_t>(std::max(count, 0)), 0) {
    Random order_rng(s.order_seed);
    setOrders(orders.data(), count, s.order, order_rng, s.order_phase);
  }
  double progress(int k) const { return transition.getTime(orders[static_cast<std::size_t>(k)]); }

  Transition transition;
  Easing easing;
  std::vector<int> orders;
};

// Calls rule(strip, eased progress) for every strip holding a slot of the
// channel, in list order.
template <class Rule>
void runSchedule(std::vector<Strip>& strips, int count, int Strip::*slot, Schedule const& s, Rule rule) {
  Ranking const ranking(s, count);
  for (Strip& strip : strips) {
    int const k = strip.*slot;
    if (strip.gap || k < 0 || k >= count) continue;
    rule(strip, ranking.easing.getTime(ranking.progress(k)));
  }
}

// Fixed-point offset k along the direction (cx, cy); products beyond 32 bits
// saturate instead of wrapping.
VectorFixed along(int32_t cx, int32_t cy, int32_t k) {
  VectorFixed v{};
  v.x = saturate(static_cast<int64_t>(cx) * k);
  v.y = saturate(static_cast<int64_t>(cy) * k);
  return v;
}

enum class WipeKind { None, Normal, Inverse, Both, FadeOut };

// How one strip is wiped; the random types draw from `type_rng`.
WipeKind wipeKind(Parameter::TransitionType type, Random& type_rng) {
  switch (type) {
    case Parameter::TransitionType::Normal:
      return WipeKind::Normal;
    case Parameter::TransitionType::Inverse:
      return WipeKind::Inverse;
    case Parameter::TransitionType::NormalOrInverse:
      return type_rng.randD() < 0.5 ? WipeKind::Normal : WipeKind::Inverse;
    case Parameter::TransitionType::Both:
      return WipeKind::Both;
    case Parameter::TransitionType::NormalOrInverseOrBoth: {
      double const r = type_rng.randD();
      return r < 0.3333333333333333 ? WipeKind::Normal : (r < 0.6666666666666666 ? WipeKind::Inverse : WipeKind::Both);
    }
    case Parameter::TransitionType::FadeOut:
      return WipeKind::FadeOut;
    case Parameter::TransitionType::Random: {
      double const r = type_rng.randD();
      return r < 0.25 ? WipeKind::Normal
                      : (r < 0.5 ? WipeKind::Inverse : (r < 0.75 ? WipeKind::Both : WipeKind::FadeOut));
    }
    default:
      return WipeKind::None;
  }
}

}  // namespace

int32_t fixedRound(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(std::lround(v));
}

void Lines::Impl::_sliceChannel() {
  runSchedule(strips, slice_count, &Strip::slice_index, parameter.slice_schedule(),
              [](Strip& strip, double e) { strip.slice = e * strip.slice; });
}

void Lines::Impl::_rgbChannel() {
  runSchedule(strips, rgb_count, &Strip::rgb_index, parameter.rgb_schedule(),
              [](Strip& strip, double e) { strip.rgb = e * strip.rgb; });
}

void Lines::Impl::_colorChannel() {
  bool const hls = parameter.color_type() == Parameter::ColorType::HLS;
  runSchedule(strips, color_count, &Strip::color_index, parameter.color_schedule(), [hls](Strip& strip, double e) {
    float const f = static_cast<float>(e);
    if (hls) {
      strip.color.mult(f);
    } else {
      strip.color.alpha = strip.color.alpha * f;
    }
  });
}

void Lines::Impl::_compositeChannel() {
  double const opacity = parameter.composite_opacity();
  // Overshooting easings (Back, Elastic) leave 0..1; an opacity must not.
  runSchedule(strips, composite_count, &Strip::composite_index, parameter.composite_schedule(),
              [opacity](Strip& strip, double e) { strip.composite_opacity = limit01(e * opacity); });
}

void Lines::Impl::_wipe() {
  Schedule const& w = parameter.transition_schedule();
  if (!(w.completion >= 0.00001)) return;

  int const per = std::max(1, w.per);
  int const groups = strip_count / per;
  Ranking const ranking(w, groups);
  Random type_rng(parameter.transition_type_seed());

  for (Strip& s : strips) {
    if (s.gap || !takesPart(s.index, w.offset, per)) continue;
    // When the strip count is not a multiple of Per, the last group has no order entry of
    // its own and follows the last there is; with no entry at all the strip stays as it is.
    if (groups == 0) continue;
    int const group = std::min(s.index / per, groups - 1);
    double const progress = ranking.progress(group);
    // Not yet moving, or gone: the type draw is still taken, so later strips draw alike.
    if (progress <= 0.00001 || progress >= 1.0) {
      type_rng.rand();
      if (progress >= 1.0) s.hidden = true;
      continue;
    }
    double const e = ranking.easing.getTime(progress);
    double const g = (s.end - s.start) * e;
    double const h = g * 0.5;
    WipeKind const kind = wipeKind(parameter.transition_type(), type_rng);
    switch (kind) {
      case WipeKind::Normal:
        s.start = s.start + g;
        break;
      case WipeKind::Inverse:
        s.end = s.end - g;
        break;
      case WipeKind::Both:
        s.start = s.start + h;
        s.end = s.end - h;
        break;
      case WipeKind::FadeOut:
        s.fade = limit01(1.0 - e);
        break;
      case WipeKind::None:
        break;
    }
  }
}

void Lines::Impl::_offsets() {
  double const a = parameter.direction();
  int32_t const cx = fixedRound(-std::cos(a) * 65536.0) >> 4;
  int32_t const cy = fixedRound(-std::sin(a) * 65536.0) >> 4;
  for (Strip& s : strips) {
    if (s.gap) continue;
    int32_t const ks = fixedRound(-s.slice * 65536.0) >> 12;
    int32_t const k1 = fixedRound((-s.slice - s.rgb) * 65536.0) >> 12;
    int32_t const k3 = fixedRound((s.rgb - s.slice) * 65536.0) >> 12;
    s.slice_offset = along(cx, cy, ks);
    s.rgb_offset1 = along(cx, cy, k1);
    s.rgb_offset3 = along(cx, cy, k3);
    s.coverage = std::min(1.0, s.end - s.start);
  }
}

}  // namespace Brelo
