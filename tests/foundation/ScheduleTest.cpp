// The schedule's clamps: the one place every channel's per, completion, delay
// and phase are limited, whichever way a schedule reaches an engine.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "Brelo/BreloSchedule.h"

namespace {

using Brelo::Schedule;

TEST(Schedule, ClampedLimitsTheNumbersAndKeepsTheRest) {
  double const nan = std::numeric_limits<double>::quiet_NaN();
  double const inf = std::numeric_limits<double>::infinity();
  Schedule s;
  s.per = -7;
  s.offset = -3;
  s.completion = 1.5;
  s.delay = nan;
  s.order = Brelo::OrderType::InverseRandom;
  s.order_phase = -inf;
  s.order_seed = -42;
  s.easing_type = static_cast<Brelo::EasingType>(99);
  s.easing_mode = Brelo::EasingMode::Out;
  Schedule const c = s.clamped();
  EXPECT_EQ(c.per, 1);
  EXPECT_EQ(c.offset, -3);
  EXPECT_EQ(c.completion, 1.0);
  EXPECT_EQ(c.delay, 0.0);
  EXPECT_EQ(c.order, Brelo::OrderType::InverseRandom);
  EXPECT_EQ(c.order_phase, 0.0);
  EXPECT_EQ(c.order_seed, -42);
  EXPECT_EQ(static_cast<int>(c.easing_type), 99);
  EXPECT_EQ(c.easing_mode, Brelo::EasingMode::Out);

  s.per = 0, s.completion = -0.25, s.delay = 2.0, s.order_phase = -2.75;
  Schedule const d = s.clamped();
  EXPECT_EQ(d.per, 1);
  EXPECT_EQ(d.completion, 0.0);
  EXPECT_EQ(d.delay, 1.0);
  EXPECT_EQ(d.order_phase, -2.75);  // any number of turns, either way

  // Values inside the limits pass unchanged, to the bit.
  s.per = 1000, s.completion = 0.3, s.delay = 1e-300, s.order_phase = 7.125;
  Schedule const e = s.clamped();
  EXPECT_EQ(e.per, 1000);
  EXPECT_EQ(e.completion, 0.3);
  EXPECT_EQ(e.delay, 1e-300);
  EXPECT_EQ(e.order_phase, 7.125);
}

}  // namespace
