// TIFF files: every value of every depth through the file and back, the
// layouts other writers use (gray, planes, tiles, big-endian, associated
// alpha, bottom-up rows), and the layouts and damage that are refused.
#include <tiff.h>

#include <cstring>

#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "ReferenceFiles.h"
#include "TempDir.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageFile.h"
#include "brelo_image/TiffFile.h"

using namespace Brelo;
using namespace Brelo::ImageIO;
using namespace ImageTest;
using BreloTest::TempDir;
using BreloTest::TiffSpec;

TEST(TiffFile, EveryValueOfEveryDepthReadsBackExactly) {
  TempDir dir;
  for (Sim::Depth d : {Sim::Depth::Bits8, Sim::Depth::Bits16, Sim::Depth::Bits32}) {
    SCOPED_TRACE(Sim::depthName(d));
    const Sim::Image img = everyValue(d);
    writeImage(img, dir / "a.tif");
    Sim::Image back = readImage(dir / "a.tif");
    EXPECT_EQ(back.depth(), d);
    EXPECT_TRUE(back == img);
  }
  // Other depths through the one rule: 8 bits widen exactly, floats limit to 0..1.
  const Sim::Image bytes = everyValue(Sim::Depth::Bits8);
  writeTiff(bytes, 16, dir / "w.tif");
  Sim::Image wide = readImage(dir / "w.tif");
  ASSERT_EQ(wide.depth(), Sim::Depth::Bits16);
  EXPECT_EQ(wide.px16(200, 1).red, gather16(55 * 257));
  Sim::Image f(1, 1, Sim::Depth::Bits32);
  f.pxF(0, 0) = {0.5f, 2.0f, -1.0f, 0.25f};
  writeTiff(f, 8, dir / "f8.tif");
  Sim::Image f8 = readImage(dir / "f8.tif");
  EXPECT_TRUE(f8.px8(0, 0).alpha == 128 && f8.px8(0, 0).red == 255 && f8.px8(0, 0).green == 0 &&
              f8.px8(0, 0).blue == 64);
}

TEST(TiffFile, LayoutsOtherWritersUseReadAsTheSamePixels) {
  TempDir dir;
  // A 5 x 4 RGBA frame at 16 bits, written in one layout after another.
  std::vector<double> rgba;
  for (int i = 0; i < 5 * 4; ++i) {
    rgba.push_back(i * 3000);
    rgba.push_back(65535 - i * 3000);
    rgba.push_back(i * 17);
    rgba.push_back(i % 3 ? 65535 : 30000);
  }
  TiffSpec spec;
  spec.width = 5, spec.height = 4, spec.bits = 16, spec.extraSample = EXTRASAMPLE_UNASSALPHA;
  BreloTest::writeTiffFile(dir / "plain.tif", spec, rgba);
  const Sim::Image plain = readImage(dir / "plain.tif");
  ASSERT_EQ(plain.depth(), Sim::Depth::Bits16);
  EXPECT_EQ(plain.px16(2, 1).red, gather16(7 * 3000));
  EXPECT_EQ(plain.px16(2, 1).green, gather16(65535 - 7 * 3000));
  EXPECT_EQ(plain.px16(2, 1).alpha, 32768);
  EXPECT_EQ(plain.px16(0, 0).alpha, gather16(30000));

  auto same = [&](std::string const& name, TiffSpec s) {
    BreloTest::writeTiffFile(dir / name, s, rgba);
    EXPECT_TRUE(readImage(dir / name) == plain) << name;
  };
  TiffSpec s = spec;
  s.planarSeparate = true;
  same("planes.tif", s);
  s = spec, s.tileSize = 16;
  same("tiles.tif", s);
  s.planarSeparate = true;
  same("tiled-planes.tif", s);
  s = spec, s.bigEndian = true, s.compression = COMPRESSION_LZW;
  same("big-lzw.tif", s);
  s = spec, s.extraSample = -1;  // an undeclared fourth sample is alpha
  same("undeclared.tif", s);

  // Rows stored bottom-up come out top-down.
  std::vector<double> flipped;
  for (int y = 3; y >= 0; --y) flipped.insert(flipped.end(), rgba.begin() + y * 20, rgba.begin() + y * 20 + 20);
  s = spec, s.orientation = ORIENTATION_BOTLEFT;
  BreloTest::writeTiffFile(dir / "bottom.tif", s, flipped);
  EXPECT_TRUE(readImage(dir / "bottom.tif") == plain);

  // Gray at 8 bits, gray with alpha, and RGB without alpha.
  TiffSpec g;
  g.width = 3, g.samplesPerPixel = 1, g.photometric = PHOTOMETRIC_MINISBLACK;
  BreloTest::writeTiffFile(dir / "gray.tif", g, {0, 100, 255});
  Sim::Image gray = readImage(dir / "gray.tif");
  ASSERT_EQ(gray.depth(), Sim::Depth::Bits8);
  EXPECT_TRUE(gray.px8(1, 0).red == 100 && gray.px8(1, 0).green == 100 && gray.px8(1, 0).blue == 100);
  EXPECT_EQ(gray.px8(1, 0).alpha, 255);
  g.samplesPerPixel = 2, g.extraSample = EXTRASAMPLE_UNASSALPHA;
  BreloTest::writeTiffFile(dir / "graya.tif", g, {0, 0, 100, 50, 255, 255});
  EXPECT_EQ(readImage(dir / "graya.tif").px8(1, 0).alpha, 50);
  TiffSpec rgb;
  rgb.width = 1, rgb.samplesPerPixel = 3;
  BreloTest::writeTiffFile(dir / "rgb.tif", rgb, {1, 2, 3});
  Sim::Image c = readImage(dir / "rgb.tif");
  EXPECT_TRUE(c.px8(0, 0).red == 1 && c.px8(0, 0).blue == 3 && c.px8(0, 0).alpha == 255);

  // Associated alpha is made straight, unless the caller keeps the file's values.
  TiffSpec assoc;
  assoc.width = 2, assoc.extraSample = EXTRASAMPLE_ASSOCALPHA;
  BreloTest::writeTiffFile(dir / "assoc8.tif", assoc, {50, 100, 0, 100, 7, 7, 7, 0});
  Sim::Image a8 = readImage(dir / "assoc8.tif");
  EXPECT_EQ(a8.px8(0, 0).red, 128);  // 50 * 255 / 100 = 127.5
  EXPECT_EQ(a8.px8(0, 0).green, 255);
  EXPECT_EQ(a8.px8(1, 0).red, 7);  // alpha 0 keeps its colour
  assoc.bits = 32, assoc.isFloat = true;
  BreloTest::writeTiffFile(dir / "assocf.tif", assoc, {0.25, 1.5, 0, 0.5, 1, 1, 1, 1});
  Sim::Image af = readImage(dir / "assocf.tif");
  EXPECT_EQ(af.pxF(0, 0).red, 0.5f);
  EXPECT_EQ(af.pxF(0, 0).green, 3.0f);
  EXPECT_EQ(readTiff(dir / "assocf.tif", Alpha::Straight).pxF(0, 0).red, 0.25f);
}

TEST(TiffFile, UnsupportedLayoutsAndDamagedFilesAreRefused) {
  TempDir dir;
  const auto read = ImageError::Kind::Read;
  auto refused = [&](std::string const& name, TiffSpec s, std::vector<double> const& samples) {
    BreloTest::writeTiffFile(dir / name, s, samples);
    return errorOf(read, [&] { readImage(dir / name); });
  };
  TiffSpec cmyk;
  cmyk.photometric = PHOTOMETRIC_SEPARATED;
  EXPECT_EQ(refused("cmyk.tif", cmyk, {1, 2, 3, 4}),
            "cannot read " + dir / "cmyk.tif" +
                ": unsupported TIFF layout: CMYK (gray, gray with alpha, RGB and RGBA are read)");
  TiffSpec pal;
  pal.samplesPerPixel = 1, pal.photometric = PHOTOMETRIC_PALETTE;
  EXPECT_TRUE(contains(refused("pal.tif", pal, {0}), "unsupported TIFF layout: palette colour"));
  TiffSpec half;
  half.bits = 16, half.isFloat = true, half.samplesPerPixel = 1, half.photometric = PHOTOMETRIC_MINISBLACK;
  EXPECT_TRUE(contains(refused("half.tif", half, {0}), "unsupported TIFF layout: 16-bit float samples"));
  TiffSpec wide;
  wide.bits = 32, wide.samplesPerPixel = 1, wide.photometric = PHOTOMETRIC_MINISBLACK;
  EXPECT_TRUE(contains(refused("u32.tif", wide, {0}), "unsupported TIFF layout: 32-bit integer samples"));

  writeImage(everyValue(Sim::Depth::Bits16), dir / "good.tif");
  const std::string good = BreloTest::readFile(dir / "good.tif");
  BreloTest::writeFile(dir / "cut.tif", good.substr(0, good.size() / 2));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "cut.tif"); }), "cannot read " + dir / "cut.tif"));
  BreloTest::writeFile(dir / "head.tif", good.substr(0, 6));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "head.tif"); }), "cannot read " + dir / "head.tif"));

  // A size beyond the limits is refused before the pixels are allocated.
  TiffSpec big;
  big.width = 2, big.height = 2;
  BreloTest::writeTiffFile(dir / "big.tif", big, std::vector<double>(16, 1));
  std::string b = BreloTest::readFile(dir / "big.tif");
  // Classic little-endian TIFF: the first directory's entries; ImageWidth is tag 256.
  std::uint32_t ifd;
  std::memcpy(&ifd, &b[4], 4);
  std::uint16_t count;
  std::memcpy(&count, &b[ifd], 2);
  for (std::uint16_t i = 0; i < count; ++i) {
    char* e = &b[ifd + 2 + 12u * i];
    std::uint16_t tag;
    std::memcpy(&tag, e, 2);
    if (tag == 256 || tag == 257) {
      const std::uint16_t longType = 4;
      const std::uint32_t one = 1, v = 100000;
      std::memcpy(e + 2, &longType, 2);
      std::memcpy(e + 4, &one, 4);
      std::memcpy(e + 8, &v, 4);
    }
  }
  BreloTest::writeFile(dir / "big.tif", b);
  EXPECT_EQ(
      errorOf(read, [&] { readImage(dir / "big.tif"); }),
      dir / "big.tif" +
          " is 100000 x 100000 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all");
}
