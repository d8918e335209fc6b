#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Brelo/BreloColorsys.h"
#include "PixelValues.h"

using namespace Brelo;

namespace {

using Color = ColorFloat<float>;

using PixelValues::px16;
using PixelValues::px8;

void expectColor(Color const& c, float a, float r, float g, float b, float tol) {
  EXPECT_NEAR(c.alpha, a, tol);
  EXPECT_NEAR(c.red, r, tol);
  EXPECT_NEAR(c.green, g, tol);
  EXPECT_NEAR(c.blue, b, tol);
}

}  // namespace

TEST(Colorsys, HlsEdgeCases) {
  Color h = Colorsys::RgbToHls(Color(0.7f, 1.0f, 0.0f, 0.0f));
  expectColor(h, 0.7f, 0.0f, 0.5f, 1.0f, 0.0f);
  EXPECT_EQ(Colorsys::RgbToHls(Color(0.0f, 1.0f, 0.0f)).red, 120.0f);
  EXPECT_EQ(Colorsys::RgbToHls(Color(0.0f, 0.0f, 1.0f)).red, 240.0f);
  EXPECT_EQ(Colorsys::RgbToHls(Color(1.0f, 0.0f, 1.0f)).red, 300.0f);  // -60 wrapped
  EXPECT_EQ(Colorsys::RgbToHls(Color(1.0f, 1.0f, 0.0f)).red, 60.0f);   // red branch wins the tie
  Color const grey = Colorsys::RgbToHls(Color(0.3f, 0.3f, 0.3f));
  EXPECT_EQ(grey.red, 0.0f);
  EXPECT_FLOAT_EQ(grey.green, 0.3f);
  EXPECT_EQ(grey.blue, 0.0f);
  // Saturation switches denominator at L = 0.5.
  Color const light = Colorsys::RgbToHls(Color(1.0f, 0.5f, 0.5f));
  EXPECT_FLOAT_EQ(light.green, 0.75f);
  EXPECT_FLOAT_EQ(light.blue, 1.0f);
  Color const dark = Colorsys::RgbToHls(Color(0.5f, 0.0f, 0.0f));
  EXPECT_FLOAT_EQ(dark.blue, 1.0f);
  Color const mid = Colorsys::RgbToHls(Color(0.6f, 0.2f, 0.2f));
  EXPECT_FLOAT_EQ(mid.blue, 0.4f / 0.8f);

  expectColor(Colorsys::HlsToRgb(Color(0.5f, 0.0f, 0.5f, 1.0f)), 0.5f, 1.0f, 0.0f, 0.0f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, -120.0f, 0.5f, 1.0f)), 1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 480.0f, 0.5f, 1.0f)), 1.0f, 0.0f, 1.0f, 0.0f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 77.0f, 1.7f, 0.6f)), 1.0f, 1.0f, 1.0f, 1.0f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 77.0f, -0.3f, 0.6f)), 1.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 200.0f, 0.4f, -1.0f)), 1.0f, 0.4f, 0.4f, 0.4f, 0.0f);
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 200.0f, 0.4f, 0.0f)), 1.0f, 0.4f, 0.4f, 0.4f, 0.0f);
  // Saturation above 1 counts as 1.
  expectColor(Colorsys::HlsToRgb(Color(1.0f, 0.0f, 0.5f, 3.0f)), 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_FLOAT_EQ(Colorsys::HlsToRgb(Color(1.0f, 30.0f, 0.5f, 1.0f)).green, 0.5f);

  EXPECT_EQ(Colorsys::Hue(Color(1.0f, 0.0f, 1.0f)), 300.0f);
  EXPECT_EQ(Colorsys::Hue(Color(0.2f, 0.2f, 0.2f)), 0.0f);
  EXPECT_FLOAT_EQ(Colorsys::Hue(Color(0.0f, 0.5f, 1.0f)), 210.0f);
}

TEST(Colorsys, HsbEdgeCases) {
  Color const h = Colorsys::RgbToHsb(Color(0.4f, 0.8f, 0.4f, 0.2f));
  EXPECT_TRUE(PixelValues::colorFloatIs(h, 0.4f, 20.0f, 0.75f, 0.8f));
  EXPECT_EQ(h.alpha, 0.4f);
  Color const black = Colorsys::RgbToHsb(Color(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(black.green, 0.0f);
  EXPECT_EQ(black.blue, 0.0f);

  expectColor(Colorsys::HsbToRgb(Color(0.3f, 123.0f, 0.0f, 0.6f)), 0.3f, 0.6f, 0.6f, 0.6f, 0.0f);
  expectColor(Colorsys::HsbToRgb(Color(0.9f, -30.0f, 0.5f, 1.0f)), 0.9f, 0.0f, 0.0f, 0.0f, 0.0f);
  expectColor(Colorsys::HsbToRgb(Color(1.0f, 300.0f, 1.0f, 1.0f)), 1.0f, 1.0f, 0.0f, 1.0f, 1e-6f);
  expectColor(Colorsys::HsbToRgb(Color(1.0f, 0.0f, 1.0f, 1.0f)), 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  // A hue that is not finite has no sector and leaves black rather than
  // converting NaN to an integer.
  float const nan = std::numeric_limits<float>::quiet_NaN();
  expectColor(Colorsys::HsbToRgb(Color(1.0f, nan, 0.5f, 1.0f)), 1.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  expectColor(Colorsys::HsbToRgb(Color(1.0f, std::numeric_limits<float>::infinity(), 0.5f, 1.0f)), 1.0f, 0.0f,
              0.0f, 0.0f, 0.0f);
}

TEST(Colorsys, RoundTripsOverGrid) {
  float worstYuv = 0.0f;
  for (int r = 0; r <= 16; ++r) {
    for (int g = 0; g <= 16; ++g) {
      for (int b = 0; b <= 16; ++b) {
        Color const c(0.5f, r / 16.0f, g / 16.0f, b / 16.0f);
        Color const hls = Colorsys::RgbToHls(c);
        ASSERT_GE(hls.red, 0.0f);
        ASSERT_LT(hls.red, 360.0f);
        ASSERT_GE(hls.blue, 0.0f);
        ASSERT_LE(hls.blue, 1.0f + 1e-6f);
        Color const back = Colorsys::HlsToRgb(hls);
        ASSERT_NEAR(back.red, c.red, 1e-5f) << r << " " << g << " " << b;
        ASSERT_NEAR(back.green, c.green, 1e-5f) << r << " " << g << " " << b;
        ASSERT_NEAR(back.blue, c.blue, 1e-5f) << r << " " << g << " " << b;
        ASSERT_EQ(back.alpha, 0.5f);
        ASSERT_EQ(Colorsys::Hue(c), hls.red);
        ASSERT_EQ(Colorsys::Lightness(c), hls.green);
        ASSERT_EQ(Colorsys::Saturation(c), hls.blue);

        Color const hsb = Colorsys::RgbToHsb(c);
        ASSERT_EQ(hsb.red, hls.red);
        ASSERT_EQ(Colorsys::Brightness(c), hsb.blue);
        Color const back2 = Colorsys::HsbToRgb(hsb);
        ASSERT_NEAR(back2.red, c.red, 1e-5f);
        ASSERT_NEAR(back2.green, c.green, 1e-5f);
        ASSERT_NEAR(back2.blue, c.blue, 1e-5f);

        Color const yuv = Colorsys::RgbToYuv(c);
        ASSERT_EQ(Colorsys::Luminance(c), yuv.red);
        Color const back3 = Colorsys::YuvToRgb(yuv);
        worstYuv = std::max({worstYuv, std::fabs(back3.red - c.red), std::fabs(back3.green - c.green),
                             std::fabs(back3.blue - c.blue)});
      }
    }
  }
  // The rounded YUV constants are not exact inverses.
  EXPECT_LT(worstYuv, 2e-3f);
}

TEST(Colorsys, YuvValues) {
  Color const y = Colorsys::RgbToYuv(Color(0.25f, 1.0f, 0.0f, 0.0f));
  EXPECT_EQ(y.alpha, 0.25f);
  EXPECT_FLOAT_EQ(y.red, 0.299f);
  EXPECT_FLOAT_EQ(y.green, -0.169f);
  EXPECT_FLOAT_EQ(y.blue, 0.5f);
  Color const w = Colorsys::RgbToYuv(Color(1.0f, 1.0f, 1.0f));
  EXPECT_NEAR(w.red, 1.0f, 1e-6f);
  EXPECT_NEAR(w.green, 0.0f, 1e-6f);
  EXPECT_NEAR(w.blue, 0.0f, 1e-6f);
  Color const back = Colorsys::YuvToRgb(Color(1.0f, 0.5f, 0.1f, -0.2f));
  EXPECT_FLOAT_EQ(back.red, 0.5f + 1.402f * -0.2f);
  EXPECT_FLOAT_EQ(back.green, 0.5f - 0.344f * 0.1f - 0.714f * -0.2f);
  EXPECT_FLOAT_EQ(back.blue, 0.5f + 1.772f * 0.1f);
}

TEST(Colorsys, IntegerQuantities) {
  EXPECT_EQ(Colorsys::Saturation(px8(255, 255, 254, 254)), 85);
  EXPECT_EQ(Colorsys::Saturation(px8(255, 255, 0, 0)), 255);
  EXPECT_EQ(Colorsys::Saturation(px8(255, 10, 10, 10)), 0);
  EXPECT_EQ(Colorsys::Saturation(px8(255, 100, 50, 0)), 255);
  EXPECT_EQ(Colorsys::Saturation(px8(0, 200, 100, 150)), 100 * 255 / (512 - 300));
  EXPECT_EQ(Colorsys::Lightness(px8(255, 255, 0, 0)), 127);
  EXPECT_EQ(Colorsys::Lightness(px8(0, 255, 255, 254)), 254);
  EXPECT_EQ(Colorsys::Brightness(px8(0, 3, 200, 7)), 200);
  EXPECT_EQ(Colorsys::Luminance(px8(255, 255, 255, 255)), 255);
  EXPECT_EQ(Colorsys::Luminance(px8(255, 255, 0, 0)), 76);  // 76.245 truncated
  EXPECT_EQ(Colorsys::Luminance(px8(255, 0, 0, 0)), 0);

  EXPECT_EQ(Colorsys::Luminance(px16(0, 32768, 32768, 32768)), 32768);
  EXPECT_EQ(Colorsys::Luminance(px16(0, 0, 32768, 0)), 19234);  // 0.587 * 32768 = 19234.8
  EXPECT_EQ(Colorsys::Lightness(px16(0, 32768, 0, 5)), 16384);
  EXPECT_EQ(Colorsys::Lightness(px16(0, 40000, 30000, 25538)), 32768);  // sum 65538
  EXPECT_EQ(Colorsys::Lightness(px16(0, 40000, 30000, 25537)), 32768);  // sum 65537 >> 1
  EXPECT_EQ(Colorsys::Brightness(px16(0, 1, 2, 3)), 3);
  EXPECT_EQ(Colorsys::Saturation(px16(0, 32768, 0, 0)), 32768);
  EXPECT_EQ(Colorsys::Saturation(px16(0, 32768, 32767, 32767)), 32768);
  EXPECT_EQ(Colorsys::Saturation(px16(0, 16384, 8192, 8192)), 8192 * 32768 / 24576);
  EXPECT_EQ(Colorsys::Saturation(px16(0, 7, 7, 7)), 0);
  // Channels beyond the 16-bit full scale count as full scale instead of
  // folding the denominator to 0.
  EXPECT_EQ(Colorsys::Saturation(px16(0, 65535, 1, 1)), 32768);
  EXPECT_EQ(Colorsys::Saturation(px16(0, 65535, 65535, 0)), 32768);

  PF_PixelFloat const f = {1.0f, 0.8f, 0.2f, 0.4f};
  EXPECT_FLOAT_EQ(Colorsys::Lightness(f), 0.5f);
  EXPECT_FLOAT_EQ(Colorsys::Saturation(f), 0.6f);
  EXPECT_FLOAT_EQ(Colorsys::Brightness(f), 0.8f);
  EXPECT_FLOAT_EQ(Colorsys::Luminance(f), 0.114f * 0.4f + (0.299f * 0.8f + 0.587f * 0.2f));

  // Away from full lightness the integer saturation follows the float one.
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 7) {
      PF_Pixel const p = px8(255, r, g, 40);
      if (std::max(r, std::max(g, 40)) + std::min(r, std::min(g, 40)) >= 256) {
        continue;
      }
      float const s = Colorsys::Saturation(Color(p));
      ASSERT_NEAR(Colorsys::Saturation(p), s * 255.0f, 1.0f) << r << " " << g;
    }
  }
}

TEST(Colorsys, Normalize) {
  Color a(0.5f, 0.0f, 1.0f, 3.0f);
  Color b(0.6f, 0.0f, 1.0f, 0.0f);
  Color c(0.7f, 0.0f, 2.0f, 1.0f);
  Colorsys::Normalize(a, b, c);
  // Exact: each channel of each colour, alpha untouched.
  expectColor(a, 0.5f, 0.0f, 0.25f, 0.75f, 0.0f);
  expectColor(b, 0.6f, 1.0f, 0.25f, 0.0f, 0.0f);
  expectColor(c, 0.7f, 0.0f, 0.5f, 0.25f, 0.0f);

  // A sum that cancels to 0 takes the 0, 1, 0 split too.
  Color d(1.0f, 1.0f, 0.3f, 0.3f);
  Color e(1.0f, -1.0f, 0.3f, 0.3f);
  Color f(1.0f, 0.0f, 0.4f, 0.4f);
  Colorsys::Normalize(d, e, f);
  EXPECT_EQ(d.red, 0.0f);
  EXPECT_EQ(e.red, 1.0f);
  EXPECT_FLOAT_EQ(d.green + e.green + f.green, 1.0f);
}
