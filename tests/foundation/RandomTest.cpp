#include "Brelo/BreloRandom.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace Brelo {
namespace {

// The seed whose first draw leaves the generator in `state`: runs the
// recurrence backwards with the inverse of the multiplier modulo 2^32.
int seedFor(std::uint32_t state) {
  return static_cast<int>((state - 12345u) * 4005161829u);
}

std::vector<int> draws(Random& random, int count) {
  std::vector<int> v;
  for (int i = 0; i < count; ++i) {
    v.push_back(random.rand());
  }
  return v;
}

TEST(Random, KnownSequences) {
  Random def;
  EXPECT_EQ(draws(def, 3), (std::vector<int>{1645833306, 728940171, 543927144}));
  Random zero(0);
  EXPECT_EQ(draws(zero, 3), (std::vector<int>{12345, 1406932606, 654583775}));
  Random one(1);
  EXPECT_EQ(draws(one, 3), (std::vector<int>{1103527590, 377401575, 662824084}));

  Random a;
  EXPECT_DOUBLE_EQ(a.randD(), 0.7664008559659123);
  Random b;
  EXPECT_EQ(b.rand(9), 7);
  Random c(0);
  EXPECT_EQ(c.rand(-5, 5), -4);
}

TEST(Random, RecurrenceWrapsModulo2To32) {
  // Reference in 64 bits, reduced explicitly; covers negative and extreme seeds.
  for (int seed : {INT_MIN, -1, -123456789, 0, 1029, INT_MAX}) {
    Random random(seed);
    std::uint64_t state = static_cast<std::uint32_t>(seed);
    for (int i = 0; i < 1000; ++i) {
      state = (state * 1103515245ull + 12345ull) % 4294967296ull;
      ASSERT_EQ(random.rand(), static_cast<int>(state & 0x7FFFFFFFull)) << "seed " << seed << " draw " << i;
    }
  }
}

TEST(Random, SrandRepeatsConstructorAndEveryCallAdvancesOnce) {
  for (int seed : {0, 1, 1029, -7, 99991}) {
    Random made(seed);
    Random reseeded(12);
    reseeded.rand();
    reseeded.srand(seed);
    for (int i = 0; i < 20; ++i) {
      ASSERT_EQ(made.rand(17), reseeded.rand(17));
      ASSERT_EQ(made.rand(-3, 40), reseeded.rand(-3, 40));
      ASSERT_EQ(made.randF(), reseeded.randF());
      ASSERT_EQ(made.randF(2.5f), reseeded.randF(2.5f));
      ASSERT_EQ(made.randF(-1.0f, 3.0f), reseeded.randF(-1.0f, 3.0f));
      ASSERT_EQ(made.randD(), reseeded.randD());
      ASSERT_EQ(made.randD(7.0), reseeded.randD(7.0));
      ASSERT_EQ(made.randD(-2.0, 2.0), reseeded.randD(-2.0, 2.0));
    }
    // Eight calls a round, one step each: both are 160 steps from the seed.
    Random stepped(seed);
    for (int i = 0; i < 160; ++i) {
      stepped.rand();
    }
    EXPECT_EQ(made.rand(), stepped.rand());
  }
}

TEST(Random, ScaledForms) {
  // Random(1) first draws r = 1103527590, a fraction of 0.51387...
  Random g(1);
  EXPECT_EQ(g.rand(100), 51);
  g.srand(1);
  EXPECT_EQ(g.rand(-100, 100), 3);  // -100 + 103.29
  g.srand(1);
  EXPECT_EQ(g.rand(-100, -1), -48);  // -100 + 51.39, toward zero
  g.srand(1);
  // r rounds to 1103527552 in single precision first.
  EXPECT_EQ(g.randF(-1.0f, 1.0f), 0.027740120887756348f);
  g.srand(1);
  EXPECT_DOUBLE_EQ(g.randD(10.0, 20.0), 15.138700781390071);
}

TEST(Random, RangesHoldOverManyDraws) {
  Random g(4242);
  int weights[11] = {};
  for (int i = 0; i < 20000; ++i) {
    int const n = g.rand(9);
    ASSERT_GE(n, 0);
    ASSERT_LE(n, 9);
    int const ab = g.rand(-5, 5);
    ASSERT_GE(ab, -5);
    ASSERT_LE(ab, 5);
    ++weights[ab + 5];
    double const d = g.randD();
    ASSERT_GE(d, 0.0);
    ASSERT_LT(d, 1.0);
    double const dab = g.randD(-3.0, 5.0);
    ASSERT_GE(dab, -3.0);
    ASSERT_LT(dab, 5.0);
    float const f = g.randF(2.0f, 4.0f);
    ASSERT_GE(f, 2.0f);
    ASSERT_LE(f, 4.0f);
  }
  // Truncation toward zero: 0 takes twice the share, -5 needs r == 0.
  EXPECT_EQ(weights[0], 0);
  EXPECT_GT(weights[5], weights[4] * 3 / 2);
  EXPECT_GT(weights[5], weights[6] * 3 / 2);

  Random zeroR(seedFor(0u));
  EXPECT_EQ(Random(seedFor(0u)).rand(), 0);
  EXPECT_EQ(zeroR.rand(-5, 5), -5);
}

TEST(Random, RandFReachesOneOnlyAboveTheRoundingEdge) {
  ASSERT_EQ(Random(seedFor(2147483584u)).rand(), 2147483584);
  ASSERT_EQ(Random(seedFor(2147483583u)).rand(), 2147483583);
  EXPECT_EQ(Random(seedFor(2147483584u)).randF(), 1.0f);
  EXPECT_EQ(Random(seedFor(0xFFFFFFFFu)).randF(), 1.0f);
  EXPECT_LT(Random(seedFor(2147483583u)).randF(), 1.0f);
  // The double forms stay below their bound at the largest r.
  EXPECT_LT(Random(seedFor(0x7FFFFFFFu)).randD(), 1.0);
  EXPECT_LT(Random(seedFor(0x7FFFFFFFu)).randD(1.0e6), 1.0e6);
  EXPECT_EQ(Random(seedFor(0x7FFFFFFFu)).rand(9), 9);
  EXPECT_EQ(Random(seedFor(0u)).randF(), 0.0f);
}

TEST(Random, ExtremeIntegerRangesStayInsideTheirBounds) {
  int const top = seedFor(0x7FFFFFFFu);  // largest r
  int const mid = seedFor(0x40000000u);  // r = 2^30, fraction 0.5
  EXPECT_EQ(Random(top).rand(INT_MAX), INT_MAX);
  EXPECT_EQ(Random(mid).rand(INT_MAX), 1073741824);
  EXPECT_EQ(Random(top).rand(INT_MAX, INT_MAX), INT_MAX);
  // a + fraction rounds to a + 1 in double this far from zero.
  EXPECT_EQ(Random(top).rand(1 << 30, 1 << 30), 1 << 30);
  // Widths beyond INT_MAX.
  EXPECT_EQ(Random(mid).rand(INT_MIN, 0), -1073741823);
  EXPECT_EQ(Random(top).rand(INT_MIN, INT_MAX), INT_MAX - 1);
  EXPECT_EQ(Random(mid).rand(INT_MIN, INT_MAX), 0);
  Random g(77);
  for (int i = 0; i < 2000; ++i) {
    int const v = g.rand(INT_MIN, 0);
    ASSERT_GE(v, INT_MIN);
    ASSERT_LE(v, 0);
    int const w = g.rand(-10, INT_MAX);
    ASSERT_GE(w, -10);
  }
}

}  // namespace
}  // namespace Brelo
