#include <gtest/gtest.h>

#include <vector>

#include "Brelo/BreloRandom.h"
#include "SimpleLinesTestSupport.h"

namespace Brelo {
namespace {

using Impl = SimpleLines::Impl;
using Parameter = SimpleLines::Parameter;
using Type = Parameter::TransitionType;
using Mode = Parameter::TransitionMode;

// `count` bars of `width` from 100 on along the axis (direction 0 on a
// 1920 x 1080 layer), lengths 100 centred on the line, linear wipe, no delay.
Parameter bars(int count, double width) {
  Parameter p;
  p.setCenter(Vector<double>(960, 1079 - 100))
      .setWidthAlign(0)
      .setTotalWidth(count * width)
      .setWidthMax1(width)
      .setWidthMin(1)
      .setHeightMax1(100)
      .setHeightMin(1)
      .setTransitionDelay(0)
      .setTransitionEasingType(EasingType::Linear);
  return p;
}

Impl::Strip wiped(Parameter p, double completion, Type type, Mode mode) {
  p.setTransitionCompletion(completion).setTransitionType(type).setTransitionMode(mode);
  Impl const e(1920, 1080, p);
  EXPECT_EQ(e.strip_count, 1);
  return e.strips.at(0);
}

TEST(SimpleLinesWipe, CompletionEnds) {
  Parameter p = bars(12, 30);
  p.setTransitionDelay(0.2).setTransitionType(Type::Random).setTransitionMode(Mode::Random);
  Impl const laid(1920, 1080, p);
  for (double c : {0.0, 0.000009}) {
    p.setTransitionCompletion(c);
    Impl const e(1920, 1080, p);
    ASSERT_EQ(e.strip_count, laid.strip_count);
    for (size_t n = 0; n < e.strips.size(); ++n) {
      EXPECT_EQ(e.strips[n].start, laid.strips[n].start);
      EXPECT_EQ(e.strips[n].end, laid.strips[n].end);
      EXPECT_EQ(e.strips[n].lower, laid.strips[n].lower);
      EXPECT_EQ(e.strips[n].upper, laid.strips[n].upper);
      EXPECT_EQ(e.strips[n].opacity, 1.0);
      EXPECT_FALSE(e.strips[n].hidden);
    }
  }
  p.setTransitionCompletion(1);
  Impl const done(1920, 1080, p);
  for (Impl::Strip const& s : done.strips) EXPECT_TRUE(s.hidden);
}

TEST(SimpleLinesWipe, AlongTheAxis) {
  Parameter const one = bars(1, 100);
  Impl::Strip s = wiped(one, 0.25, Type::X, Mode::Normal);
  EXPECT_DOUBLE_EQ(s.start, 125.0);
  EXPECT_DOUBLE_EQ(s.end, 200.0);
  EXPECT_DOUBLE_EQ(s.opacity, 1.0);
  EXPECT_FALSE(s.hidden);
  s = wiped(one, 0.999, Type::X, Mode::Normal);
  EXPECT_NEAR(s.start, 199.9, 1e-9);
  EXPECT_DOUBLE_EQ(s.end, 200.0);
  EXPECT_NEAR(s.opacity, 0.1, 1e-9);
  s = wiped(one, 0.25, Type::X, Mode::Inverse);
  EXPECT_DOUBLE_EQ(s.start, 100.0);
  EXPECT_DOUBLE_EQ(s.end, 175.0);
  s = wiped(one, 0.25, Type::X, Mode::Both);
  EXPECT_DOUBLE_EQ(s.start, 112.5);
  EXPECT_DOUBLE_EQ(s.end, 187.5);
  // Narrower than a pixel: fades by 1 - e instead.
  s = wiped(bars(1, 0.5), 0.4, Type::X, Mode::Normal);
  EXPECT_NEAR(s.start, 100.2, 1e-12);
  EXPECT_NEAR(s.end - s.start, 0.3, 1e-12);
  EXPECT_NEAR(s.opacity, 0.6, 1e-12);
  // An unknown side moves nothing, but the sub-pixel fade still applies.
  s = wiped(bars(1, 0.5), 0.4, Type::X, static_cast<Mode>(9));
  EXPECT_DOUBLE_EQ(s.start, 100.0);
  EXPECT_DOUBLE_EQ(s.end, 100.5);
  EXPECT_NEAR(s.opacity, 0.6, 1e-12);
  s = wiped(one, 0.4, Type::X, static_cast<Mode>(9));
  EXPECT_DOUBLE_EQ(s.end - s.start, 100.0);
  EXPECT_DOUBLE_EQ(s.opacity, 1.0);
  // An unknown type wipes along the axis.
  s = wiped(one, 0.25, static_cast<Type>(0), Mode::Normal);
  EXPECT_DOUBLE_EQ(s.start, 125.0);
}

TEST(SimpleLinesWipe, AcrossTheAxisAndFade) {
  Parameter const one = bars(1, 100);
  Impl::Strip s = wiped(one, 0.5, Type::Y, Mode::Both);
  EXPECT_DOUBLE_EQ(s.lower, -25.0);
  EXPECT_DOUBLE_EQ(s.upper, 25.0);
  EXPECT_EQ(s.length_coverage, 1.0);
  EXPECT_EQ(s.opacity, 1.0);
  EXPECT_EQ(s.start, 100.0);
  s = wiped(one, 0.25, Type::Y, Mode::Normal);
  EXPECT_DOUBLE_EQ(s.lower, -50.0);
  EXPECT_DOUBLE_EQ(s.upper, 25.0);
  s = wiped(one, 0.25, Type::Y, Mode::Inverse);
  EXPECT_DOUBLE_EQ(s.lower, -25.0);
  EXPECT_DOUBLE_EQ(s.upper, 50.0);
  s = wiped(one, 0.9999, Type::Y, Mode::Normal);
  EXPECT_NEAR(s.length_coverage, 0.01, 1e-9);
  s = wiped(one, 0.75, Type::FadeOut, Mode::Normal);
  EXPECT_DOUBLE_EQ(s.opacity, 0.25);
  EXPECT_EQ(s.start, 100.0);
  EXPECT_EQ(s.end, 200.0);
  EXPECT_EQ(s.lower, -50.0);
  EXPECT_EQ(s.upper, 50.0);
}

// Types and sides chosen per bar, by position or by the T and M sequences,
// both drawn for every bar whatever the choice.
TEST(SimpleLinesWipe, TypesAndSidesPerBar) {
  constexpr int kBars = 40;
  Parameter p = bars(kBars, 10);
  p.setTransitionCompletion(0.5).setTransitionTypeSeed(11).setTransitionModeSeed(12);
  Impl const laid(1920, 1080, bars(kBars, 10));

  enum Effect { X, Y, F };
  enum Side { N, I, B, None };
  auto check = [&](Type type, Mode mode, auto typeOf, auto sideOf) {
    Parameter q = p;
    q.setTransitionType(type).setTransitionMode(mode);
    Impl const e(1920, 1080, q);
    ASSERT_EQ(e.strip_count, kBars);
    Random t(11), m(12);
    for (int k = 0; k < kBars; ++k) {
      Impl::Strip const& s = e.strips[static_cast<size_t>(k)];
      Impl::Strip const& o = laid.strips[static_cast<size_t>(k)];
      int const effect = typeOf(k, t.randD());
      int const side = sideOf(k, m.randD());
      double const along = effect == X ? 5.0 : 0.0;
      double const across = effect == Y ? 50.0 : 0.0;
      EXPECT_DOUBLE_EQ(s.start - o.start, side == N ? along : side == B ? along / 2 : 0.0) << k;
      EXPECT_DOUBLE_EQ(o.end - s.end, side == I ? along : side == B ? along / 2 : 0.0) << k;
      EXPECT_DOUBLE_EQ(o.upper - s.upper, side == N ? across : side == B ? across / 2 : 0.0) << k;
      EXPECT_DOUBLE_EQ(s.lower - o.lower, side == I ? across : side == B ? across / 2 : 0.0) << k;
      EXPECT_DOUBLE_EQ(s.opacity, effect == F ? 0.5 : 1.0) << k;
    }
  };
  auto constant = [](int v) { return [v](int, double) { return v; }; };
  auto byParity = [](int even, int odd) { return [even, odd](int k, double) { return k % 2 == 0 ? even : odd; }; };
  auto byThirds = [](int a, int b, int c) {
    return [a, b, c](int, double r) { return r < 1.0 / 3 ? a : r < 2.0 / 3 ? b : c; };
  };
  auto byHalves = [](int a, int b) { return [a, b](int, double r) { return r < 0.5 ? a : b; }; };

  check(Type::X, Mode::Normal, constant(X), constant(N));
  check(Type::Y, Mode::Inverse, constant(Y), constant(I));
  check(Type::Alternately1, Mode::Alternately1, byParity(X, Y), byParity(N, I));
  check(Type::Alternately2, Mode::Alternately2, byParity(Y, X), byParity(I, N));
  check(Type::XOrY, Mode::NormalOrInverse, byHalves(X, Y), byHalves(N, I));
  check(Type::FadeOut, Mode::Both, constant(F), constant(B));
  check(Type::Random, Mode::Random, byThirds(X, Y, F), byThirds(N, I, B));
  check(Type::Random, static_cast<Mode>(0), byThirds(X, Y, F), constant(None));
}

// Ranks come from the five-type order function; an order it does not know
// (Inverse Random is not one of this effect's orders) leaves every bar at its
// list position.
TEST(SimpleLinesWipe, OrdersAndStagger) {
  constexpr int kBars = 11;
  auto progressOf = [](OrderType order) {
    Parameter p = bars(kBars, 10);
    p.setTransitionCompletion(0.5).setTransitionDelay(0.1).setTransitionType(Type::FadeOut).setTransitionOrder(order);
    Impl const e(1920, 1080, p);
    std::vector<double> progress;
    for (Impl::Strip const& s : e.strips) progress.push_back(1 - s.opacity);
    return progress;
  };
  // Transition(0.5, 0.1, 11): rank r progresses 1 - 0.1 r.
  std::vector<double> const normal = progressOf(OrderType::Normal);
  std::vector<double> const inverse = progressOf(OrderType::Inverse);
  ASSERT_EQ(normal.size(), static_cast<size_t>(kBars));
  for (int k = 0; k < kBars; ++k) {
    EXPECT_NEAR(normal[static_cast<size_t>(k)], 1 - 0.1 * k, 1e-12);
    EXPECT_NEAR(inverse[static_cast<size_t>(k)], 1 - 0.1 * (kBars - 1 - k), 1e-12);
  }
  EXPECT_EQ(progressOf(OrderType::InverseRandom), normal);
  EXPECT_EQ(progressOf(static_cast<OrderType>(42)), normal);
  // Rank 0 finishes at completion 0.5: that bar is hidden.
  Parameter p = bars(kBars, 10);
  p.setTransitionCompletion(0.5).setTransitionDelay(0.1);
  Impl const e(1920, 1080, p);
  EXPECT_TRUE(e.strips[0].hidden);
  EXPECT_FALSE(e.strips[1].hidden);
}

// Overshooting curves must not turn a bar inside out or move it over its
// neighbours: the list stays sorted for the renderer.
TEST(SimpleLinesWipe, OvershootKeepsBarsInOrder) {
  for (EasingType easing : {EasingType::Back, EasingType::Elastic}) {
    for (EasingMode em : {EasingMode::In, EasingMode::Out, EasingMode::InOut}) {
      for (Mode mode : {Mode::Normal, Mode::Inverse, Mode::Both}) {
        for (double c : {0.05, 0.3, 0.6, 0.95}) {
          Parameter p;
          p.setCenter(Vector<double>(960, 540))
              .setWidthMin(0)
              .setWidthMax1(60)
              .setGapMax1(3)
              .setTransitionCompletion(c)
              .setTransitionDelay(0.3)
              .setTransitionType(Type::X)
              .setTransitionMode(mode)
              .setTransitionEasingType(easing)
              .setTransitionEasingMode(em);
          Impl const e(1920, 1080, p);
          for (size_t n = 0; n < e.strips.size(); ++n) {
            EXPECT_LE(e.strips[n].start, e.strips[n].end);
            EXPECT_GE(e.strips[n].opacity, 0.0);
            EXPECT_LE(e.strips[n].opacity, 1.0);
            if (n > 0) {
              EXPECT_LE(e.strips[n - 1].start, e.strips[n].start);
              EXPECT_LE(e.strips[n - 1].end, e.strips[n].end);
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace Brelo
