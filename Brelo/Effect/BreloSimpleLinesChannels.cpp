// The wipe: each bar shrinks along the axis (X), across it (Y) or fades, by
// its own eased progress in the staggered schedule.
#include <algorithm>
#include <numeric>
#include <vector>

#include "Brelo/BreloEasing.h"
#include "Brelo/BreloRandom.h"
#include "Brelo/BreloTransition.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"

namespace Brelo {

namespace {

enum class Wipe { X, Y, Fade };
enum class Side { Normal, Inverse, Both, None };

Wipe wipeOf(SimpleLines::Impl::TransitionType type, int k, double q) {
  using T = SimpleLines::Impl::TransitionType;
  switch (type) {
    case T::Y:
      return Wipe::Y;
    case T::Alternately1:
      return k % 2 == 0 ? Wipe::X : Wipe::Y;
    case T::Alternately2:
      return k % 2 == 0 ? Wipe::Y : Wipe::X;
    case T::XOrY:
      return q < 0.5 ? Wipe::X : Wipe::Y;
    case T::FadeOut:
      return Wipe::Fade;
    case T::Random:
      return q < 1.0 / 3 ? Wipe::X : q < 2.0 / 3 ? Wipe::Y : Wipe::Fade;
    default:
      return Wipe::X;
  }
}

Side sideOf(SimpleLines::Impl::TransitionMode mode, int k, double m) {
  using M = SimpleLines::Impl::TransitionMode;
  switch (mode) {
    case M::Normal:
      return Side::Normal;
    case M::Inverse:
      return Side::Inverse;
    case M::Alternately1:
      return k % 2 == 0 ? Side::Normal : Side::Inverse;
    case M::Alternately2:
      return k % 2 == 0 ? Side::Inverse : Side::Normal;
    case M::NormalOrInverse:
      return m < 0.5 ? Side::Normal : Side::Inverse;
    case M::Both:
      return Side::Both;
    case M::Random:
      return m < 1.0 / 3 ? Side::Normal : m < 2.0 / 3 ? Side::Inverse : Side::Both;
    default:
      return Side::None;
  }
}

}  // namespace

void SimpleLines::Impl::_makeTransition() {
  if (transition_completion < kMinExtent) return;
  int const n = strip_count;
  if (n <= 0) return;

  Random O(transition_order_seed);
  // The order function leaves the array as it is for an order type it does
  // not know; every bar then keeps its list position as its rank.
  std::vector<int> ranks(static_cast<size_t>(n));
  std::iota(ranks.begin(), ranks.end(), 0);
  setOrdersFiveTypes(ranks.data(), n, transition_order, O, transition_order_phase);

  Transition const schedule(transition_completion, transition_delay, n);
  Easing const easing(transition_easing_type, transition_easing_mode);
  Random T(transition_type_seed);
  Random M(transition_mode_seed);

  for (int k = 0; k < n; ++k) {
    Strip& s = strips[static_cast<size_t>(k)];
    double const p = schedule.getTime(ranks[static_cast<size_t>(s.index)]);
    if (p >= 1) s.hidden = true;
    // Curves that overshoot (Back, Elastic) would push a start past its end
    // or before the previous bar; the renderer's search needs the list to
    // stay sorted, so the progress is kept to 0 … 1.
    double const e = std::min(1.0, std::max(0.0, easing.getTime(p)));
    Wipe const wipe = wipeOf(transition_type, k, T.randD());
    Side const side = sideOf(transition_mode, k, M.randD());

    if (wipe == Wipe::Fade) {
      s.opacity *= 1 - e;
    } else if (wipe == Wipe::Y) {
      double const t = e * (s.upper - s.lower);
      if (side == Side::Normal) {
        s.upper -= t;
      } else if (side == Side::Inverse) {
        s.lower += t;
      } else if (side == Side::Both) {
        s.lower += t / 2;
        s.upper -= t / 2;
      }
      s.length_coverage = std::min(1.0, s.upper - s.lower);
    } else {
      double const w0 = s.end - s.start;
      double const h = e * w0;
      if (side == Side::Normal) {
        s.start += h;
      } else if (side == Side::Inverse) {
        s.end -= h;
      } else if (side == Side::Both) {
        s.start += h / 2;
        s.end -= h / 2;
      }
      // A bar narrower than a pixel fades instead of shrinking visibly; a
      // wider one fades only once less than a pixel of it is left.
      s.opacity *= w0 < 1 ? 1 - e : std::min(1.0, s.end - s.start);
    }
  }
}

}  // namespace Brelo
