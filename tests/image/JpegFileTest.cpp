// JPEG files: gray and colour files in, frames out laid over black, and
// CMYK, truncated, damaged and absurd files refused.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ImageTestUtil.h"
#include "ReferenceFiles.h"
#include "TempDir.h"
#include "brelo_image/ImageFile.h"
#include "brelo_image/JpegFile.h"

using namespace Brelo;
using namespace Brelo::ImageIO;
using namespace ImageTest;
using BreloTest::TempDir;

namespace {

// A smooth 32 x 16 picture, which JPEG keeps within a level or two.
std::vector<unsigned> ramp(int components) {
  std::vector<unsigned> s;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x)
      for (int c = 0; c < components; ++c) s.push_back(unsigned((x * 8 + y * 4 + c * 40) % 256 / 2 + 40));
  return s;
}

}  // namespace

TEST(JpegFile, GrayAndColourFilesReadOpaque) {
  TempDir dir;
  for (int components : {1, 3}) {
    SCOPED_TRACE(components);
    const std::vector<unsigned> samples = ramp(components);
    BreloTest::writeJpegFile(dir / "in.jpg", 32, 16, components, samples);
    Sim::Image img = readImage(dir / "in.jpg");
    ASSERT_EQ(img.depth(), Sim::Depth::Bits8);
    ASSERT_EQ(img.width(), 32);
    ASSERT_EQ(img.height(), 16);
    int worst = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 32; ++x) {
        PF_Pixel const& p = img.px8(x, y);
        ASSERT_EQ(p.alpha, 255);
        const std::size_t at = (std::size_t(y) * 32 + std::size_t(x)) * std::size_t(components);
        const int want[3] = {int(samples[at]), int(samples[at + (components == 3 ? 1 : 0)]),
                             int(samples[at + (components == 3 ? 2 : 0)])};
        worst = std::max({worst, std::abs(p.red - want[0]), std::abs(p.green - want[1]), std::abs(p.blue - want[2])});
      }
    }
    EXPECT_LE(worst, 4);
  }
}

TEST(JpegFile, FramesAreWrittenOverBlack) {
  TempDir dir;
  Sim::Image img(16, 8, Sim::Depth::Bits16);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) img.px16(x, y) = {A_u_short(x < 8 ? 32768 : 0), 32768, 16384, 0};
  writeImage(img, dir / "o.jpeg");
  EXPECT_EQ(BreloTest::readFile(dir / "o.jpeg").substr(0, 3), "\xFF\xD8\xFF");
  Sim::Image back = readImage(dir / "o.jpeg");
  EXPECT_NEAR(back.px8(2, 4).red, 255, 3);
  EXPECT_NEAR(back.px8(2, 4).green, 128, 3);
  EXPECT_NEAR(back.px8(2, 4).blue, 0, 3);
  EXPECT_NEAR(back.px8(13, 4).red, 0, 3);  // transparent: black
  EXPECT_NEAR(back.px8(13, 4).green, 0, 3);
  EXPECT_EQ(back.px8(13, 4).alpha, 255);
}

TEST(JpegFile, CmykTruncatedDamagedAndAbsurdFilesAreRefused) {
  TempDir dir;
  const auto read = ImageError::Kind::Read;
  BreloTest::writeJpegFile(dir / "cmyk.jpg", 32, 16, 4, ramp(4));
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "cmyk.jpg"); }),
            "cannot read " + dir / "cmyk.jpg" + ": unsupported JPEG layout: CMYK (gray, YCbCr and RGB are read)");

  BreloTest::writeJpegFile(dir / "good.jpg", 32, 16, 3, ramp(3));
  const std::string good = BreloTest::readFile(dir / "good.jpg");
  BreloTest::writeFile(dir / "cut.jpg", good.substr(0, good.size() * 2 / 3));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "cut.jpg"); }),
                       "cannot read " + dir / "cut.jpg" + ": damaged JPEG: "));
  BreloTest::writeFile(dir / "head.jpg", good.substr(0, 20));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "head.jpg"); }), "damaged JPEG"));
  std::string damaged = good;
  for (std::size_t i = good.size() / 2; i + 2 < good.size(); ++i) damaged[i] = char(0x5A ^ i);
  BreloTest::writeFile(dir / "damaged.jpg", damaged);
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "damaged.jpg"); }), "damaged JPEG"));

  // The frame header's size patched to 40000 x 16: refused before decoding.
  std::string wide = good;
  std::size_t sof = wide.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  wide[sof + 7] = char(40000 >> 8);
  wide[sof + 8] = char(40000 & 0xFF);
  BreloTest::writeFile(dir / "wide.jpg", wide);
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "wide.jpg"); }),
            dir / "wide.jpg" +
                " is 40000 x 16 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all");
}
