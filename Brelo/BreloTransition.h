// Staggered per-element animation: setOrders ranks the elements (strips,
// bars) and Transition turns one overall completion into each rank's own
// progress. The engines use them as
//   Random random(orderSeed);
//   Transition transition(completion, delay, count);
//   setOrders(orders, count, orderType, random, phase);
//   progress[j] = easing.getTime(transition.getTime(orders[j]));
#pragma once

#include <cstdint>

#include "Brelo/BreloRandom.h"

namespace Brelo {

// Values are the 1-based popup numbers.
enum class OrderType : std::int32_t {
  Normal = 1,
  Inverse = 2,
  Inward = 3,
  Outward = 4,
  Random = 5,
  InverseRandom = 6,
};

class Transition {
 public:
  // Count 1, everything else 0: every rank stays at 0.
  Transition() = default;
  Transition(double completion, double delay, int count) { setParameter(completion, delay, count); }

  // Rank r progresses as completion * ((count - 1) * delay + 1) - r * delay; with a delay of
  // 0 or more every rank reaches 1 exactly when the completion does. Where (count - 1) *
  // delay + 1 is not finite and positive, every rank follows the completion alone.
  void setParameter(double completion, double delay, int count);

  // The progress of the element of this rank, limited to 0 ... 1.
  double getTime(int rank) const;

 private:
  std::int32_t m_count = 1;
  double m_completion = 0.0;
  double m_step = 0.0;
  double m_offset = 0.0;
};

// Fills orders[0 .. count - 1] with a permutation of 0 ... count - 1, entry j being element
// j's rank, rotated by `phase` (in turns; any sign). Draws exactly `count` numbers from
// `random` for the two random types, none otherwise; an unknown type or count <= 0 does nothing.
void setOrders(int* orders, int count, OrderType type, Random& random, double phase);

// The SimpleLines effect's ordering: as setOrders for Normal ... Random; InverseRandom is
// not one of its orders and leaves the array untouched, like any other unknown type.
void setOrdersFiveTypes(int* orders, int count, OrderType type, Random& random, double phase);

}  // namespace Brelo
