// The reference files hold what the host renders, value for value.
#include <string>

#include <gtest/gtest.h>

#include "GoldenImage.h"
#include "TempDir.h"

namespace {

using namespace Brelo::Sim;
namespace GoldenImage = BreloTest::GoldenImage;

TEST(GoldenImage, ReferenceFilesKeepEveryValueExactly) {
  // A frame with every 8-bit value, every 16-bit value up to 32768 and
  // floats that no 16-bit format holds survives the files unchanged.
  std::string why;
  BreloTest::TempDir dir;
  for (Depth d : {Depth::Bits8, Depth::Bits16, Depth::Bits32}) {
    SCOPED_TRACE(depthName(d));
    Image img(257, 129, d);
    for (int y = 0; y < img.height(); ++y) {
      for (int x = 0; x < img.width(); ++x) {
        const int i = y * img.width() + x;
        if (d == Depth::Bits8) {
          img.px8(x, y) = PF_Pixel{A_u_char(i), A_u_char(i >> 3), A_u_char(255 - i), A_u_char(i * 7)};
        } else if (d == Depth::Bits16) {
          const auto v = A_u_short(i % 32769);
          img.px16(x, y) = PF_Pixel16{v, A_u_short(32768 - v), A_u_short((v * 3) % 32769), A_u_short(i & 1)};
        } else {
          img.pxF(x, y) = PF_PixelFloat{float(i) / 3.0f, -0.1f * float(x), 1e-7f * float(y), 1.5f};
        }
      }
    }
    const std::string path = dir / (std::string("roundtrip") + GoldenImage::extension(d));
    ASSERT_TRUE(GoldenImage::write(path, img, &why)) << why;
    Image back;
    ASSERT_TRUE(GoldenImage::read(path, d, &back, &why)) << why;
    EXPECT_EQ(back, img);
  }
  // 16-bit channels beyond the host's range cannot be stored faithfully.
  Image bad(1, 1, Depth::Bits16);
  bad.px16(0, 0).red = 40000;
  EXPECT_FALSE(GoldenImage::write(dir / "bad.png", bad, &why));
}

}  // namespace
