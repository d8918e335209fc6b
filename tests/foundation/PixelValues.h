// Host pixels from whole numbers, and exact checks of them, for the colour and
// blend tests.
#pragma once

#include <gtest/gtest.h>

#include "Util/BreloHostAPI.h"

namespace PixelValues {

// Each channel converted to the pixel's channel type as it is (no limiting).
template <class P>
P pixel(int a, int r, int g, int b) {
  using C = decltype(P{}.alpha);
  P p;
  p.alpha = static_cast<C>(a);
  p.red = static_cast<C>(r);
  p.green = static_cast<C>(g);
  p.blue = static_cast<C>(b);
  return p;
}

inline PF_Pixel px8(int a, int r, int g, int b) { return pixel<PF_Pixel>(a, r, g, b); }
inline PF_Pixel16 px16(int a, int r, int g, int b) { return pixel<PF_Pixel16>(a, r, g, b); }

// Whether every channel of p is exactly the value given.
template <class P>
::testing::AssertionResult pixelIs(P const& p, double a, double r, double g, double b) {
  if (double(p.alpha) == a && double(p.red) == r && double(p.green) == g && double(p.blue) == b) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << +p.alpha << ", " << +p.red << ", " << +p.green << ", " << +p.blue
                                       << ") != (" << a << ", " << r << ", " << g << ", " << b << ")";
}

// Whether every channel of the colour c lies within four units in the last
// place of the value given, as EXPECT_FLOAT_EQ asks.
template <class C>
::testing::AssertionResult colorFloatIs(C const& c, float a, float r, float g, float b) {
  using F = ::testing::internal::FloatingPoint<float>;
  auto const near = [](float v, float want) { return F(v).AlmostEquals(F(want)); };
  if (near(c.alpha, a) && near(c.red, r) && near(c.green, g) && near(c.blue, b)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "(" << c.alpha << ", " << c.red << ", " << c.green << ", " << c.blue
                                       << ") != (" << a << ", " << r << ", " << g << ", " << b << ")";
}

}  // namespace PixelValues
