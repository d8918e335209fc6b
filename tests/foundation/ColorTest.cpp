#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Brelo/BreloGeneral.h"
#include "PixelValues.h"

using namespace Brelo;

using PixelValues::pixelIs;
using PixelValues::px16;
using PixelValues::px8;

TEST(BPC, Values) {
  EXPECT_EQ(static_cast<int>(BPC::Bits8), 0);
  EXPECT_EQ(static_cast<int>(BPC::Bits16), 1);
  EXPECT_EQ(static_cast<int>(BPC::Bits32), 2);
}

TEST(ColorFloat, ConstructionAndLayout) {
  ColorFloat<float> const rgb(0.25f, 0.5f, 0.75f);
  EXPECT_EQ(rgb.alpha, 1.0f);
  EXPECT_EQ(rgb.red, 0.25f);
  EXPECT_EQ(rgb.blue, 0.75f);
  ColorFloat<float> const none;
  EXPECT_EQ(none.alpha, 0.0f);
  EXPECT_EQ(none.red + none.green + none.blue, 0.0f);
  ColorFloat<double> const four(0.1, 0.2, 0.3, 0.4);
  EXPECT_EQ(four.alpha, 0.1);
  EXPECT_EQ(four.blue, 0.4);

  // The working colour has the layout of the host's float pixel.
  static_assert(sizeof(ColorFloat<float>) == sizeof(PF_PixelFloat), "layout");
  ColorFloat<float> const c(0.1f, 0.2f, 0.3f, 0.4f);
  PF_PixelFloat f;
  std::memcpy(&f, &c, sizeof f);
  EXPECT_EQ(f.alpha, 0.1f);
  EXPECT_EQ(f.red, 0.2f);
  EXPECT_EQ(f.green, 0.3f);
  EXPECT_EQ(f.blue, 0.4f);

  ColorFloat<float> const fromF(f);
  EXPECT_EQ(fromF.alpha, 0.1f);
  EXPECT_EQ(fromF.blue, 0.4f);
  PF_PixelFloat const wild = {2.5f, -0.5f, 1.0f, 7.0f};
  ColorFloat<double> const wd(wild);
  EXPECT_EQ(wd.alpha, 2.5);
  EXPECT_EQ(wd.red, -0.5);

  ColorFloat<float> const n8(px8(255, 51, 0, 102));
  EXPECT_EQ(n8.alpha, 1.0f);
  EXPECT_EQ(n8.red, 51.0f / 255.0f);
  EXPECT_EQ(n8.blue, 102.0f / 255.0f);
  ColorFloat<float> const raw8(px8(255, 51, 0, 102), false);
  EXPECT_EQ(raw8.alpha, 255.0f);
  EXPECT_EQ(raw8.red, 51.0f);
  ColorFloat<float> const n16(px16(32768, 16384, 1, 0));
  EXPECT_EQ(n16.alpha, 1.0f);
  EXPECT_EQ(n16.red, 0.5f);
  EXPECT_EQ(n16.green, 0.000030517578125f);
  ColorFloat<double> const raw16(px16(32768, 16384, 1, 0), false);
  EXPECT_EQ(raw16.alpha, 32768.0);
  EXPECT_EQ(raw16.green, 1.0);
}

TEST(ColorFloat, Arithmetic) {
  ColorFloat<float> const a(0.5f, 0.25f, 1.0f, 0.0f);
  ColorFloat<float> const b(0.25f, 0.5f, 0.5f, 0.75f);
  ColorFloat<float> s = a + b;
  EXPECT_EQ(s.alpha, 0.75f);
  EXPECT_EQ(s.red, 0.75f);
  EXPECT_EQ(s.green, 1.5f);
  EXPECT_EQ(s.blue, 0.75f);
  ColorFloat<float> d = a - b;
  EXPECT_EQ(d.alpha, 0.25f);
  EXPECT_EQ(d.blue, -0.75f);
  s -= b;
  EXPECT_EQ(s.green, a.green);
  s += b;
  EXPECT_EQ(s.green, 1.5f);

  ColorFloat<float> const one(1.0f, 1.0f, 1.0f, 1.0f);
  ColorFloat<float> m = one;
  m.mult(0.5f);
  EXPECT_EQ(m.alpha, 1.0f);
  EXPECT_EQ(m.red, 0.5f);
  EXPECT_EQ(m.blue, 0.5f);
  ColorFloat<float> const half = one * 0.5f;
  EXPECT_EQ(half.alpha, 0.5f);
  EXPECT_EQ(half.green, 0.5f);
  ColorFloat<float> const twice = one * 2;
  EXPECT_EQ(twice.alpha, 2.0f);
  ColorFloat<float> const third = one / 4;
  EXPECT_EQ(third.alpha, 0.25f);
  EXPECT_EQ((one / 2.0f).blue, 0.5f);
  m.div(0.25f);
  EXPECT_EQ(m.alpha, 1.0f);
  EXPECT_EQ(m.red, 2.0f);
  ColorFloat<float> k = one;
  k *= 3;
  k /= 2.0f;
  EXPECT_EQ(k.alpha, 1.5f);
  EXPECT_EQ(k.blue, 1.5f);

  EXPECT_EQ(a.dot(b), 0.25f * 0.5f + 1.0f * 0.5f + 0.0f);  // alpha takes no part

  ColorFloat<float> c(2.0f, 1.5f, -0.2f, 0.3f);
  c.clamp(1.0f);
  EXPECT_EQ(c.alpha, 2.0f);
  EXPECT_EQ(c.red, 1.0f);
  EXPECT_EQ(c.green, 0.0f);
  EXPECT_EQ(c.blue, 0.3f);
}

TEST(PixelConversion, FloatToIntegerScaleLimitTruncate) {
  PF_Pixel const p = aePixel8(ColorFloat<float>(1.2f, -0.1f, 0.5f, 1.0f));
  EXPECT_EQ(p.alpha, 255);
  EXPECT_EQ(p.red, 0);
  EXPECT_EQ(p.green, 127);  // 127.5 truncates
  EXPECT_EQ(p.blue, 255);
  EXPECT_EQ(aePixel8(ColorFloat<float>(0.999f, 0.999f, 0.999f)).red, 254);
  EXPECT_EQ(aePixel8(ColorFloat<double>(0.999, 0.999, 0.999)).red, 254);

  EXPECT_EQ(aePixel16(ColorFloat<float>(0.5f, 0.5f, 0.5f)).red, 16384);
  EXPECT_EQ(aePixel16(ColorFloat<float>(1.0f, 1.0f, 1.0f)).red, 32768);
  EXPECT_EQ(aePixel16(ColorFloat<float>(1.5f, 1.5f, 1.5f)).red, 32768);
  EXPECT_EQ(aePixel16(ColorFloat<float>(1.5f, -3.0f, 1.5f, 1.5f)).red, 0);
  EXPECT_EQ(aePixel16(ColorFloat<float>(1.5f, 1.5f, 1.5f)).alpha, 32768);

  PF_Pixel const r = aePixel8(ColorFloat<float>(300.0f, 254.9f, -1.0f, 0.99f), false);
  EXPECT_EQ(r.alpha, 255);
  EXPECT_EQ(r.red, 254);
  EXPECT_EQ(r.green, 0);
  EXPECT_EQ(r.blue, 0);
  PF_Pixel16 const r16 = aePixel16(ColorFloat<double>(40000.0, 32767.9, -1.0, 12.7), false);
  EXPECT_EQ(r16.alpha, 32768);
  EXPECT_EQ(r16.red, 32767);
  EXPECT_EQ(r16.green, 0);
  EXPECT_EQ(r16.blue, 12);
  PF_Pixel const s8 = aePixel8(ColorFloat<float>(1.0f, 0.5f, 0.5f, 0.5f), true);
  EXPECT_EQ(s8.red, 127);

  // A NaN channel, possible in float projects, converts to 0.
  float const nan = std::numeric_limits<float>::quiet_NaN();
  PF_Pixel const n8 = aePixel8(ColorFloat<float>(nan, nan, 1.0f, nan));
  EXPECT_EQ(n8.alpha, 0);
  EXPECT_EQ(n8.red, 0);
  EXPECT_EQ(n8.green, 255);
  EXPECT_EQ(aePixel16(ColorFloat<float>(nan, nan, nan)).red, 0);
  float const inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(aePixel8(ColorFloat<float>(inf, -inf, 0.0f)).red, 255);
  EXPECT_EQ(aePixel8(ColorFloat<float>(inf, -inf, 0.0f)).green, 0);
}

TEST(PixelConversion, FloatPixelsPassUnlimited) {
  PF_PixelFloat const f = aePixel32(ColorFloat<float>(1.5f, -0.25f, 3.0f, 0.5f));
  EXPECT_EQ(f.alpha, 1.5f);
  EXPECT_EQ(f.red, -0.25f);
  EXPECT_EQ(f.green, 3.0f);
  EXPECT_EQ(f.blue, 0.5f);
  PF_PixelFloat const d = aePixel32(ColorFloat<double>(0.1, 2.0, -1.0, 0.5));
  EXPECT_EQ(d.alpha, 0.1f);
  EXPECT_EQ(d.red, 2.0f);
  EXPECT_EQ(d.green, -1.0f);
}

TEST(PixelConversion, EveryIntegerValueRoundTrips) {
  for (int v = 0; v <= 255; ++v) {
    PF_Pixel const in = px8(v, 255 - v, v, (v * 7) % 256);
    PF_Pixel const out = aePixel8(ColorFloat<float>(in));
    ASSERT_TRUE(pixelIs(out, in.alpha, in.red, in.green, in.blue)) << v;
    PF_Pixel const outD = aePixel8(ColorFloat<double>(in));
    ASSERT_EQ(outD.green, in.green) << v;
    PF_Pixel const raw = aePixel8(ColorFloat<float>(in, false), false);
    ASSERT_EQ(raw.green, in.green) << v;
  }
  for (int v = 0; v <= 32768; ++v) {
    PF_Pixel16 const in = px16(v, 32768 - v, v, (v * 7) % 32769);
    PF_Pixel16 const out = aePixel16(ColorFloat<float>(in));
    ASSERT_TRUE(pixelIs(out, in.alpha, in.red, in.green, in.blue)) << v;
    PF_Pixel16 const raw = aePixel16(ColorFloat<float>(in, false), false);
    ASSERT_EQ(raw.green, in.green) << v;
  }
}

TEST(ColorInt, ArithmeticAndLimits) {
  ColorInt<int> const zero;
  EXPECT_EQ(zero.alpha + zero.red + zero.green + zero.blue, 0);
  ColorInt<int> const a(px8(200, 10, 20, 30));
  EXPECT_EQ(a.alpha, 200);
  EXPECT_EQ(a.blue, 30);
  ColorInt<unsigned int> const b(px16(32768, 40000, 1, 2));
  EXPECT_EQ(b.alpha, 32768u);
  EXPECT_EQ(b.red, 40000u);

  ColorInt<int> c = a + ColorInt<int>(1, 2, 3, 4);
  EXPECT_EQ(c.alpha, 201);
  EXPECT_EQ(c.blue, 34);
  c = c - ColorInt<int>(1, 2, 3, 4);
  EXPECT_EQ(c.red, 10);
  c *= 3;
  EXPECT_EQ(c.alpha, 600);
  c = c / 4;
  EXPECT_EQ(c.alpha, 150);
  EXPECT_EQ(c.red, 7);
  ColorInt<int> neg(-7, -7, 7, 0);
  neg /= 2;  // truncates toward zero
  EXPECT_EQ(neg.alpha, -3);
  ColorInt<int> m(10, 10, 10, 10);
  m.mult(3);
  EXPECT_EQ(m.alpha, 10);
  EXPECT_EQ(m.red, 30);
  m.div(4);
  EXPECT_EQ(m.alpha, 10);
  EXPECT_EQ(m.green, 7);
  ColorInt<unsigned int> u(8, 8, 8, 8);
  u = u / 3;
  EXPECT_EQ(u.red, 2u);
  u = u * 5;
  EXPECT_EQ(u.red, 10u);
  u += ColorInt<unsigned int>(1, 1, 1, 1);
  u -= ColorInt<unsigned int>(0, 0, 0, 1);
  EXPECT_EQ(u.alpha, 11u);
  EXPECT_EQ(u.blue, 10u);

  PF_Pixel16 const l16 = aePixel16(ColorInt<int>(40000, -5, 32768, 100));
  EXPECT_EQ(l16.alpha, 32768);
  EXPECT_EQ(l16.red, 0);
  EXPECT_EQ(l16.green, 32768);
  EXPECT_EQ(l16.blue, 100);
  PF_Pixel const l8 = aePixel8(ColorInt<int>(256, -1, 255, 0));
  EXPECT_EQ(l8.alpha, 255);
  EXPECT_EQ(l8.red, 0);
  EXPECT_EQ(l8.green, 255);
  PF_Pixel const u8 = aePixel8(ColorInt<unsigned int>(4000000000u, 255, 254, 0));
  EXPECT_EQ(u8.alpha, 255);
  EXPECT_EQ(u8.green, 254);
  PF_Pixel16 const u16 = aePixel16(ColorInt<unsigned int>(32769, 32768, 5, 4000000000u));
  EXPECT_EQ(u16.alpha, 32768);
  EXPECT_EQ(u16.red, 32768);
  EXPECT_EQ(u16.green, 5);
  EXPECT_EQ(u16.blue, 32768);
}
