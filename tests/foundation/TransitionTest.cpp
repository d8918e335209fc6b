#include "Brelo/BreloTransition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace Brelo {
namespace {

using Orders = std::vector<int>;
using Setter = void (*)(int*, int, OrderType, Random&, double);

Orders orders(int n, OrderType type, double phase, Setter set = setOrders) {
  Random random;
  Orders v(static_cast<size_t>(n), -1);
  set(v.data(), n, type, random, phase);
  return v;
}

TEST(Orders, FiveElementTable) {
  struct Case {
    double phase;
    Orders expected[6];
  };
  Case const cases[] = {
      {0.0, {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {0, 2, 4, 3, 1}, {4, 2, 0, 1, 3}, {0, 4, 1, 3, 2}, {4, 0, 3, 1, 2}}},
      {0.2, {{4, 0, 1, 2, 3}, {3, 2, 1, 0, 4}, {4, 1, 3, 2, 0}, {3, 1, 4, 0, 2}, {4, 3, 0, 2, 1}, {0, 1, 4, 2, 3}}},
      {0.5, {{2, 3, 4, 0, 1}, {1, 0, 4, 3, 2}, {2, 4, 1, 0, 3}, {1, 4, 2, 3, 0}, {2, 1, 3, 0, 4}, {2, 3, 1, 4, 0}}},
  };
  for (Case const& c : cases) {
    for (int type = 1; type <= 6; ++type) {
      EXPECT_EQ(orders(5, static_cast<OrderType>(type), c.phase), c.expected[type - 1])
          << "type " << type << " phase " << c.phase;
    }
  }
}

TEST(Orders, EvenCountNegativeAndNearFullPhases) {
  EXPECT_EQ(orders(6, OrderType::Inward, 0.0), (Orders{0, 2, 4, 5, 3, 1}));
  EXPECT_EQ(orders(6, OrderType::Outward, 0.0), (Orders{5, 3, 1, 0, 2, 4}));

  // -0.25 * 4 + 0.5 truncates to 0; -0.4 * 4 + 0.5 to -1.
  for (int type = 1; type <= 6; ++type) {
    auto const t = static_cast<OrderType>(type);
    EXPECT_EQ(orders(4, t, -0.25), orders(4, t, 0.0)) << type;
    EXPECT_EQ(orders(4, t, -0.4), orders(4, t, 0.75)) << type;
    // 0.95 * 10 + 0.5 gives s = n, which must act as no rotation.
    EXPECT_EQ(orders(10, t, 0.95), orders(10, t, 0.0)) << type;
    // Whole turns do not matter.
    EXPECT_EQ(orders(7, t, 2.0 + 3.0 / 7.0), orders(7, t, 3.0 / 7.0)) << type;
  }
  EXPECT_EQ(orders(4, OrderType::Normal, -0.4), (Orders{1, 2, 3, 0}));
}

bool isPermutation(Orders v) {
  std::sort(v.begin(), v.end());
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] != static_cast<int>(i)) {
      return false;
    }
  }
  return true;
}

TEST(Orders, EveryTypeGivesAPermutationAndStaysInside) {
  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  double const phases[] = {0.0,  0.2,   0.5,  0.95, 0.999999, 1.0 - 1e-15, 1.0,  1.5,  17.25, 1e300,
                           -0.1, -0.25, -0.4, -0.5, -0.95,    -1.0,        -2.7, nan,  inf,   -inf};
  constexpr int kGuard = 3;
  constexpr int kMark = 0x5A5A5A5A;
  for (Setter set : {static_cast<Setter>(setOrders), static_cast<Setter>(setOrdersFiveTypes)}) {
    int const lastType = set == setOrders ? 6 : 5;
    for (int n = 1; n <= 200; ++n) {
      for (double phase : phases) {
        for (int type = 1; type <= lastType; ++type) {
          std::vector<int> buffer(static_cast<size_t>(n + 2 * kGuard), kMark);
          Random random(n * 31 + type);
          set(buffer.data() + kGuard, n, static_cast<OrderType>(type), random, phase);
          for (int g = 0; g < kGuard; ++g) {
            ASSERT_EQ(buffer[static_cast<size_t>(g)], kMark);
            ASSERT_EQ(buffer[buffer.size() - 1 - static_cast<size_t>(g)], kMark);
          }
          ASSERT_TRUE(isPermutation(Orders(buffer.begin() + kGuard, buffer.end() - kGuard)))
              << "n " << n << " type " << type << " phase " << phase;
        }
      }
    }
  }
}

TEST(Orders, RandomTypesDrawExactlyCountNumbersOthersNone) {
  for (int n : {1, 2, 5, 64, 199}) {
    for (int type = 1; type <= 6; ++type) {
      Random used(1234);
      Random reference(1234);
      Orders v(static_cast<size_t>(n));
      setOrders(v.data(), n, static_cast<OrderType>(type), used, 0.3);
      int const drawn = type >= 5 ? n : 0;
      for (int i = 0; i < drawn; ++i) {
        reference.rand();
      }
      EXPECT_EQ(used.rand(), reference.rand()) << "n " << n << " type " << type;
    }
  }
}

TEST(Orders, FiveTypeVariantAndUntouchedCases) {
  for (int type = 1; type <= 5; ++type) {
    for (double phase : {0.0, 0.35, -0.6}) {
      auto const t = static_cast<OrderType>(type);
      EXPECT_EQ(orders(9, t, phase, setOrdersFiveTypes), orders(9, t, phase)) << type;
    }
  }
  Orders const untouched(5, -1);
  EXPECT_EQ(orders(5, OrderType::InverseRandom, 0.0, setOrdersFiveTypes), untouched);
  for (Setter set : {static_cast<Setter>(setOrders), static_cast<Setter>(setOrdersFiveTypes)}) {
    for (int type : {0, 7, -1, 100}) {
      EXPECT_EQ(orders(5, static_cast<OrderType>(type), 0.0, set), untouched) << type;
    }
    for (int n : {0, -1, -100}) {
      for (int type = 1; type <= 6; ++type) {
        int sentinel = -7;
        Random random(5);
        set(&sentinel, n, static_cast<OrderType>(type), random, 0.5);
        EXPECT_EQ(sentinel, -7);
        EXPECT_EQ(random.rand(), Random(5).rand());
      }
    }
    // Nothing drawn when the type is unknown here.
    Random random(8);
    Orders v(5, -1);
    set(v.data(), 5, static_cast<OrderType>(9), random, 0.0);
    EXPECT_EQ(random.rand(), Random(8).rand());
  }
  Random random(8);
  Orders v(5, -1);
  setOrdersFiveTypes(v.data(), 5, OrderType::InverseRandom, random, 0.0);
  EXPECT_EQ(random.rand(), Random(8).rand());
}

TEST(Transition, KnownValues) {
  Transition const t(0.5, 0.1, 11);
  EXPECT_EQ(t.getTime(0), 1.0);
  EXPECT_DOUBLE_EQ(t.getTime(5), 0.5);
  EXPECT_EQ(t.getTime(10), 0.0);
  EXPECT_EQ(t.getTime(11), 0.0);
  // Beyond the last rank a full completion is not forced to 1.
  EXPECT_NEAR(Transition(1.0, 0.25, 3).getTime(4), 0.5, 1e-12);
  EXPECT_EQ(t.getTime(-3), 1.0);

  Transition const none;
  for (int r = -2; r < 20; ++r) {
    EXPECT_EQ(none.getTime(r), 0.0);
  }
  // One element follows the completion.
  EXPECT_DOUBLE_EQ(Transition(0.37, 0.6, 1).getTime(0), 0.37);
  // Zero delay: every rank alike.
  Transition const flat(0.42, 0.0, 8);
  for (int r = 0; r < 8; ++r) {
    EXPECT_DOUBLE_EQ(flat.getTime(r), 0.42);
  }
  // The documented stagger: completion * ((n - 1) d + 1) - r d.
  Transition const stagger(0.3, 0.25, 5);
  for (int r = 0; r < 5; ++r) {
    EXPECT_NEAR(stagger.getTime(r), std::clamp(0.3 * 2.0 - r * 0.25, 0.0, 1.0), 1e-12) << r;
  }
}

TEST(Transition, EndsOfCompletionReachEveryRank) {
  // Rounding leaves some of these one bit short of 1 unless finishing is
  // guaranteed (n = 2, d = 0.001 among them).
  for (int n = 1; n <= 60; ++n) {
    for (int step = 0; step <= 1000; ++step) {
      double const d = step / 1000.0;
      Transition const full(1.0, d, n);
      Transition const empty(0.0, d, n);
      for (int r = 0; r < n; ++r) {
        ASSERT_EQ(full.getTime(r), 1.0) << "n " << n << " d " << d << " r " << r;
        ASSERT_EQ(empty.getTime(r), 0.0);
      }
      // Rank 0 finishes first.
      Transition const half(0.5, d, n);
      for (int r = 1; r < n; ++r) {
        ASSERT_LE(half.getTime(r), half.getTime(r - 1));
      }
    }
  }
}

TEST(Transition, DegenerateSpansStayFiniteAndBounded) {
  // (n - 1) * d + 1 is 0 or negative: no stagger, every rank on the completion.
  Transition const zeroSpan(0.4, -0.5, 3);
  Transition const negativeSpan(0.4, -1.0, 5);
  Transition const zeroCount(0.4, 1.0, 0);
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(zeroSpan.getTime(r), 0.4);
    EXPECT_EQ(negativeSpan.getTime(r), 0.4);
    EXPECT_EQ(zeroCount.getTime(r), 0.4);
  }
  EXPECT_EQ(Transition(1.0, -2.0, 10).getTime(9), 1.0);
  EXPECT_EQ(Transition(0.0, -2.0, 10).getTime(9), 0.0);
  // A small negative delay keeps the formula: later ranks ahead.
  Transition const reversed(0.5, -0.1, 5);
  EXPECT_NEAR(reversed.getTime(0), 0.3, 1e-12);
  EXPECT_NEAR(reversed.getTime(4), 0.7, 1e-12);

  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  double const delays[] = {-1e300, -inf, -10.0, -1.0, -0.5, -0.25, -1.0 / 3.0, -0.1, 0.0, 0.5, 1.0, 1e300, inf, nan};
  double const completions[] = {-1.0, 0.0, 0.5, 1.0, 2.0, inf, -inf, nan};
  for (int n : {-5, -1, 0, 1, 2, 3, 4, 5, 11, 1000}) {
    for (double d : delays) {
      for (double c : completions) {
        Transition const t(c, d, n);
        for (int r : {0, 1, 2, 3, 4, 10, 999, -1}) {
          double const v = t.getTime(r);
          ASSERT_TRUE(v >= 0.0 && v <= 1.0) << "n " << n << " d " << d << " c " << c << " r " << r << " -> " << v;
        }
      }
    }
  }
}

TEST(Transition, CopiesAreIndependent) {
  Transition a(0.5, 0.1, 11);
  Transition b(a);
  b.setParameter(1.0, 0.0, 3);
  EXPECT_DOUBLE_EQ(a.getTime(5), 0.5);
  EXPECT_EQ(b.getTime(5), 1.0);

  Transition c;
  c = a;
  a.setParameter(0.0, 0.0, 1);
  EXPECT_DOUBLE_EQ(c.getTime(5), 0.5);
  EXPECT_EQ(a.getTime(5), 0.0);
  Transition& self = c;
  c = self;
  EXPECT_DOUBLE_EQ(c.getTime(5), 0.5);
}

}  // namespace
}  // namespace Brelo
