#include "Brelo/BreloTransition.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Brelo {

void Transition::setParameter(double completion, double delay, int count) {
  m_count = count;
  m_completion = completion;

  double const span = (static_cast<double>(count) - 1.0) * delay + 1.0;
  if (span > 0.0 && std::isfinite(span)) {
    double const k = 1.0 / span;
    // Kept in this form on purpose: it differs from -delay in the last bit
    // for some values, and the rendered look depends on those bits.
    m_step = -(delay * k) / k;
    m_offset = completion / k;
    if (std::isfinite(m_step) && std::isfinite(m_offset)) return;
  }
  // No finite positive span: it would divide by zero or reverse the whole
  // animation, so every rank runs on the completion.
  m_step = 0.0;
  m_offset = completion;
}

double Transition::getTime(int rank) const {
  // A full completion finishes every element: the rounded step and offset can leave the
  // last ranks one bit below 1, which would keep them from counting as finished.
  if (m_completion >= 1.0 && m_step <= 0.0 && rank < m_count) return 1.0;
  double const x = static_cast<double>(rank) * m_step + m_offset;
  if (x > 1.0) return 1.0;
  // 0 first: a NaN x then gives 0.
  return x > 0.0 ? x : 0.0;
}

namespace {

// Non-negative remainder of v by n (n > 0). 64 bits so that i + s and
// n - 1 - s - i cannot overflow.
int wrap(std::int64_t v, int n) {
  std::int64_t const r = v % n;
  return static_cast<int>(r < 0 ? r + n : r);
}

// Rotation of the order, s in -n + 1 ... n.
int phaseShift(double phase, int n) {
  double const turns = std::fmod(phase * static_cast<double>(n), static_cast<double>(n));
  // A NaN or infinite phase has no rotation to offer; converting it would be undefined.
  if (!std::isfinite(turns)) return 0;
  return static_cast<int>(turns + 0.5);
}

// Visits 0, n - 1, 1, n - 2, 2, ... (outermost first).
int outsideIn(int i, int n) { return (i % 2 == 0) ? i / 2 : n - 1 - (i - 1) / 2; }

// Exactly n draws, each swapping with any position of the whole array. Not
// Fisher-Yates, but the result for a seed is part of the look.
void shuffle(int* orders, int n, Random& random) {
  for (int i = 0; i < n; ++i) {
    // randD() < 1 keeps j below n; the limit keeps writes inside all the same.
    int const j = std::min(n - 1, static_cast<int>(random.randD() * static_cast<double>(n)));
    std::swap(orders[i], orders[j]);
  }
}

// Fills the orders when the type is one of Normal ... last.
void fillOrders(int* orders, int n, OrderType type, OrderType last, Random& random, double phase) {
  if (n <= 0 || orders == nullptr || type < OrderType::Normal || type > last) return;
  int const s = phaseShift(phase, n);
  switch (type) {
    case OrderType::Normal:
    case OrderType::Random:
      for (int i = 0; i < n; ++i) orders[wrap(std::int64_t{i} + s, n)] = i;
      if (type == OrderType::Random) shuffle(orders, n, random);
      break;
    case OrderType::Inverse:
      for (int i = 0; i < n; ++i) orders[wrap(std::int64_t{i} - s, n)] = n - 1 - i;
      break;
    case OrderType::Inward:
      for (int i = 0; i < n; ++i) orders[outsideIn(i, n)] = wrap(std::int64_t{i} - s, n);
      break;
    case OrderType::Outward:
      for (int i = 0; i < n; ++i) orders[outsideIn(i, n)] = wrap(std::int64_t{n} - 1 - s - i, n);
      break;
    case OrderType::InverseRandom:
      for (int i = 0; i < n; ++i) orders[wrap(std::int64_t{s} + i, n)] = n - 1 - i;
      shuffle(orders, n, random);
      break;
  }
}

}  // namespace

void setOrders(int* orders, int count, OrderType type, Random& random, double phase) {
  fillOrders(orders, count, type, OrderType::InverseRandom, random, phase);
}

void setOrdersFiveTypes(int* orders, int count, OrderType type, Random& random, double phase) {
  fillOrders(orders, count, type, OrderType::Random, random, phase);
}

}  // namespace Brelo
