// PNG files: every value through the file and back, every kind of PNG in,
// what libpng itself reads from ours, and files that are not what they claim.
#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "ReferenceFiles.h"
#include "TempDir.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageFile.h"
#include "brelo_image/PngFile.h"

using namespace Brelo;
using namespace Brelo::ImageIO;
using namespace ImageTest;
using BreloTest::TempDir;

TEST(PngFile, WrittenImagesReadBackAsTheyWere) {
  TempDir dir;
  // 8 bits: every value in every channel.
  const Sim::Image img8 = everyValue(Sim::Depth::Bits8);
  writePng(img8, 8, dir / "a.png");
  EXPECT_TRUE(readImage(dir / "a.png") == img8);
  BreloTest::PngPixels raw = BreloTest::decodePngFile(dir / "a.png");
  ASSERT_EQ(raw.bits, 8);
  EXPECT_EQ(raw.at(10, 2, 0), 255u - 10u);          // red
  EXPECT_EQ(raw.at(10, 2, 3), unsigned(10 ^ 170));  // alpha

  // 16 bits: every host value, spread over the file's range.
  const Sim::Image img16 = everyValue(Sim::Depth::Bits16);
  writePng(img16, 16, dir / "b.png");
  Sim::Image back = readPng(dir / "b.png");
  EXPECT_EQ(back.depth(), Sim::Depth::Bits16);
  EXPECT_TRUE(back == img16);
  raw = BreloTest::decodePngFile(dir / "b.png");
  EXPECT_EQ(raw.bits, 16);
  EXPECT_EQ(raw.at(0, 0, 3), 65535u);
  EXPECT_EQ(raw.at(1, 0, 0), spread16(1));

  // Float frames are limited to 0..1 in a PNG; 8-bit frames widen exactly.
  Sim::Image f(2, 1, Sim::Depth::Bits32);
  f.pxF(0, 0) = {1.0f, 2.5f, -1.0f, 0.5f};
  f.pxF(1, 0) = {0.0f, 0.0f, 1.0f, 0.25f};
  writePng(f, 16, dir / "c.png");
  raw = BreloTest::decodePngFile(dir / "c.png");
  EXPECT_EQ(raw.at(0, 0, 0), 65535u);
  EXPECT_EQ(raw.at(0, 0, 1), 0u);
  EXPECT_EQ(raw.at(0, 0, 2), 32768u);
  EXPECT_EQ(raw.at(1, 0, 2), 16384u);
  writePng(img8, 16, dir / "d.png");
  raw = BreloTest::decodePngFile(dir / "d.png");
  EXPECT_EQ(raw.at(200, 1, 0), 55u * 257u);
  // 16-bit frames at 8 bits: through the normalised value, rounded.
  Sim::Image h(1, 1, Sim::Depth::Bits16);
  h.px16(0, 0) = {32768, 16384, 128, 0};
  writePng(h, 8, dir / "e.png");
  raw = BreloTest::decodePngFile(dir / "e.png");
  EXPECT_EQ(raw.at(0, 0, 0), 128u);  // 127.5 rounds up
  EXPECT_EQ(raw.at(0, 0, 1), 1u);    // 0.996
  EXPECT_EQ(raw.at(0, 0, 3), 255u);
}

namespace {

// A PNG of `samples` written by libpng itself, read back; expects it in
// the host's `depth` (a blank image of that depth when it is not).
Sim::Image encodedAndRead(std::string const& path, int width, int height, int channels, int bits,
                          std::vector<unsigned> const& samples, Sim::Depth depth) {
  BreloTest::encodePngFile(path, width, height, channels, bits, samples);
  Sim::Image img = readImage(path);
  EXPECT_EQ(img.depth(), depth) << path;
  return img.depth() == depth ? img : Sim::Image(width, height, depth);
}

}  // namespace

TEST(PngFile, EveryKindOfPngReadsAsTheHostsPixels) {
  TempDir dir;
  using BreloTest::encodePngFile;
  Sim::Image g = encodedAndRead(dir / "g8.png", 3, 1, 1, 8, {0, 128, 255}, Sim::Depth::Bits8);
  EXPECT_EQ(g.px8(1, 0).red, 128);
  EXPECT_EQ(g.px8(1, 0).blue, 128);
  EXPECT_EQ(g.px8(1, 0).alpha, 255);

  Sim::Image ga = encodedAndRead(dir / "ga16.png", 2, 1, 2, 16, {65535, 0, 2, 32768}, Sim::Depth::Bits16);
  EXPECT_EQ(ga.px16(0, 0).green, 32768);
  EXPECT_EQ(ga.px16(0, 0).alpha, 0);
  EXPECT_EQ(ga.px16(1, 0).red, gather16(2));
  EXPECT_EQ(ga.px16(1, 0).alpha, gather16(32768));

  Sim::Image rgb = encodedAndRead(dir / "rgb16.png", 1, 2, 3, 16, {1, 2, 3, 65535, 65534, 40000}, Sim::Depth::Bits16);
  EXPECT_EQ(rgb.px16(0, 1).red, 32768);
  EXPECT_EQ(rgb.px16(0, 1).blue, gather16(40000));
  EXPECT_EQ(rgb.px16(0, 1).alpha, 32768);

  Sim::Image rgba = encodedAndRead(dir / "rgba8.png", 1, 1, 4, 8, {10, 20, 30, 40}, Sim::Depth::Bits8);
  EXPECT_TRUE(rgba.px8(0, 0).red == 10 && rgba.px8(0, 0).green == 20 && rgba.px8(0, 0).blue == 30);
  EXPECT_EQ(rgba.px8(0, 0).alpha, 40);

  // 2-bit gray widens to 8 bits: 0, 85, 170, 255.
  Sim::Image g2 = encodedAndRead(dir / "g2.png", 4, 1, 1, 2, {0, 1, 2, 3}, Sim::Depth::Bits8);
  EXPECT_EQ(g2.px8(1, 0).green, 85);
  EXPECT_EQ(g2.px8(3, 0).red, 255);

  // A palette with transparency for its first two entries.
  BreloTest::encodePalettePngFile(dir / "pal.png", 3, 1, {255, 0, 0, 0, 255, 0, 0, 0, 255}, {0, 128}, {2, 1, 0});
  Sim::Image pal = readImage(dir / "pal.png");
  EXPECT_TRUE(pal.px8(0, 0).blue == 255 && pal.px8(0, 0).alpha == 255);
  EXPECT_TRUE(pal.px8(1, 0).green == 255 && pal.px8(1, 0).alpha == 128);
  EXPECT_TRUE(pal.px8(2, 0).red == 255 && pal.px8(2, 0).alpha == 0);

  // Interlaced files read as the same pixels.
  std::vector<unsigned> samples;
  for (int i = 0; i < 13 * 9 * 4; ++i) samples.push_back(unsigned(i * 7 % 256));
  encodePngFile(dir / "plain.png", 13, 9, 4, 8, samples);
  encodePngFile(dir / "adam7.png", 13, 9, 4, 8, samples, true);
  EXPECT_TRUE(readImage(dir / "adam7.png") == readImage(dir / "plain.png"));
}

TEST(PngFile, DamagedTruncatedEmptyAndAbsurdFilesAreRefused) {
  TempDir dir;
  Sim::Image img(40, 30, Sim::Depth::Bits8);
  img.fill({1, 0.5f, 0.25f, 0});
  writePng(img, 8, dir / "good.png");
  const std::string good = BreloTest::readFile(dir / "good.png");
  const auto read = ImageError::Kind::Read;

  BreloTest::writeFile(dir / "cut.png", good.substr(0, good.size() / 2));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "cut.png"); }), "truncated"));
  BreloTest::writeFile(dir / "head.png", good.substr(0, 12));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "head.png"); }), "truncated"));

  // Header fields patched: 0 x 30, 40000 x 30, 20000 x 20000.
  auto withSize = [&](std::uint32_t w, std::uint32_t h) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) {
      s[std::size_t(16 + i)] = char(w >> (24 - 8 * i));
      s[std::size_t(20 + i)] = char(h >> (24 - 8 * i));
    }
    return s;
  };
  BreloTest::writeFile(dir / "zero.png", withSize(0, 30));
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "zero.png"); }),
            dir / "zero.png" + " is 0 x 30 pixels: it has no pixels");
  BreloTest::writeFile(dir / "wide.png", withSize(40000, 30));
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "wide.png"); }),
            dir / "wide.png" +
                " is 40000 x 30 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all");
  BreloTest::writeFile(dir / "huge.png", withSize(20000, 20000));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "huge.png"); }), "at most"));

  // A damaged pixel block: libpng's own complaint, no crash.
  std::string damaged = good;
  for (std::size_t i = 60; i < damaged.size() - 20; ++i) damaged[i] = char(damaged[i] ^ 0x5A);
  BreloTest::writeFile(dir / "damaged.png", damaged);
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "damaged.png"); }), "cannot read"));
  // A PNG's signature on something else.
  BreloTest::writeFile(dir / "sig.png", good.substr(0, 8) + "not a chunk at all, no header");
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "sig.png"); }),
            "cannot read " + dir / "sig.png" + ": damaged PNG: no image header");

  BreloTest::writeFile(dir / "text.png", "hello, this is not an image");
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "text.png"); }),
            "cannot read " + dir / "text.png" + ": not a PNG, OpenEXR, TIFF or JPEG file");
  BreloTest::writeFile(dir / "empty.png", "");
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "empty.png"); }),
            "cannot read " + dir / "empty.png" + ": the file is empty");
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "missing.png"); }),
            "cannot read " + dir / "missing.png" + ": No such file or directory");
}
