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

// The type and the mode menus run alike: the first choice, the second, the two alternating
// from the first or from the second, a draw of the two, the third, a draw of all three.
// Returns 0, 1 or 2, or -1 for an item neither menu holds; q is the bar's draw.
int choiceOf(int item, int k, double q) {
  switch (item) {
    case 1:
      return 0;
    case 2:
      return 1;
    case 3:
      return k % 2;
    case 4:
      return 1 - k % 2;
    case 5:
      return q < 0.5 ? 0 : 1;
    case 6:
      return 2;
    case 7:
      return q < 1.0 / 3 ? 0 : q < 2.0 / 3 ? 1 : 2;
    default:
      return -1;
  }
}

// Takes t off [lo, hi]: off the low end, off the high end, or half off each.
void shrink(double& lo, double& hi, double t, bool low, bool high) {
  if (low && high) {
    lo += t / 2;
    hi -= t / 2;
  } else if (low) {
    lo += t;
  } else if (high) {
    hi -= t;
  }
}

}  // namespace

void SimpleLines::Impl::_makeTransition() {
  Parameter const& q = parameter;
  if (q.transition_completion() < kMinExtent) return;
  int const n = strip_count;
  if (n <= 0) return;

  Random O(q.transition_order_seed());
  // The order function leaves the array as it is for an order type it does
  // not know; every bar then keeps its list position as its rank.
  std::vector<int> ranks(static_cast<size_t>(n));
  std::iota(ranks.begin(), ranks.end(), 0);
  setOrdersFiveTypes(ranks.data(), n, q.transition_order(), O, q.transition_order_phase());

  Transition const schedule(q.transition_completion(), q.transition_delay(), n);
  Easing const easing(q.transition_easing_type(), q.transition_easing_mode());
  Random T(q.transition_type_seed());
  Random M(q.transition_mode_seed());

  for (int k = 0; k < n; ++k) {
    Strip& s = strips[static_cast<size_t>(k)];
    double const p = schedule.getTime(ranks[static_cast<size_t>(s.index)]);
    if (p >= 1) s.hidden = true;
    // Overshooting curves (Back, Elastic) would push a start past its end or before the
    // previous bar; the renderer's search needs a sorted list, so progress stays in 0 … 1.
    double const e = std::min(1.0, std::max(0.0, easing.getTime(p)));
    int const type = choiceOf(static_cast<int>(q.transition_type()), k, T.randD());
    int const mode = choiceOf(static_cast<int>(q.transition_mode()), k, M.randD());
    Wipe const wipe = type < 0 ? Wipe::X : static_cast<Wipe>(type);
    // The sides: normal, inverse, both, or (an unknown mode) neither.
    bool const normal = mode == 0 || mode == 2;
    bool const inverse = mode == 1 || mode == 2;

    if (wipe == Wipe::Fade) {
      s.opacity *= 1 - e;
    } else if (wipe == Wipe::Y) {
      // Across the axis the normal side is the upper one.
      shrink(s.lower, s.upper, e * (s.upper - s.lower), inverse, normal);
      s.length_coverage = std::min(1.0, s.upper - s.lower);
    } else {
      double const w0 = s.end - s.start;
      shrink(s.start, s.end, e * w0, normal, inverse);
      // A bar narrower than a pixel fades instead of shrinking visibly; a
      // wider one fades only once less than a pixel of it is left.
      s.opacity *= w0 < 1 ? 1 - e : std::min(1.0, s.end - s.start);
    }
  }
}

}  // namespace Brelo
