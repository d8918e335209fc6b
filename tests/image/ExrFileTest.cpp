// OpenEXR files: values outside 0..1, premultiplied colour as the format
// expects, the host's values kept exactly on request, what other writers
// put in a file (half channels, luminance, an offset data window), and files
// brelo-render cannot take.
#include <cstring>

#include <gtest/gtest.h>

#include "ImageTestUtil.h"
#include "ReferenceFiles.h"
#include "TempDir.h"
#include "brelo_image/ExrFile.h"
#include "brelo_image/ImageFile.h"

using namespace Brelo;
using namespace Brelo::ImageIO;
using namespace ImageTest;
using BreloTest::TempDir;

TEST(ExrFile, FloatValuesOutsideZeroToOneSurvivePremultipliedInTheFile) {
  TempDir dir;
  Sim::Image img(3, 2, Sim::Depth::Bits32);
  img.pxF(0, 0) = {1.0f, 3.5f, -0.25f, 1e6f};
  img.pxF(1, 0) = {0.5f, 2.0f, 0.5f, 0.0f};  // straight colour in the host
  img.pxF(2, 1) = {0.0f, 0.0f, 0.0f, 0.0f};
  writeImage(img, dir / "f.exr");

  // The OpenEXR library itself: float channels, premultiplied colour.
  bool isFloat = false;
  std::vector<float> r = BreloTest::readExrChannel(dir / "f.exr", "R", &isFloat);
  EXPECT_TRUE(isFloat);
  std::vector<float> a = BreloTest::readExrChannel(dir / "f.exr", "A", &isFloat);
  EXPECT_TRUE(isFloat);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[0], 3.5f);
  EXPECT_EQ(r[1], 1.0f);
  EXPECT_EQ(a[1], 0.5f);

  Sim::Image back = readImage(dir / "f.exr");
  ASSERT_EQ(back.depth(), Sim::Depth::Bits32);
  EXPECT_EQ(back.pxF(0, 0).red, 3.5f);
  EXPECT_EQ(back.pxF(0, 0).green, -0.25f);
  EXPECT_EQ(back.pxF(0, 0).blue, 1e6f);
  EXPECT_EQ(back.pxF(1, 0).red, 2.0f);
  EXPECT_EQ(back.pxF(1, 0).alpha, 0.5f);

  // Straight: every float as the host holds it, whatever its alpha; and an
  // 8-bit frame as its normalised values.
  const Sim::Image floats = everyValue(Sim::Depth::Bits32);
  writeExr(floats, dir / "s.exr", Alpha::Straight);
  EXPECT_TRUE(readExr(dir / "s.exr", Alpha::Straight) == floats);
  const Sim::Image bytes = everyValue(Sim::Depth::Bits8);
  writeExr(bytes, dir / "b.exr", Alpha::Straight);
  EXPECT_TRUE(readExr(dir / "b.exr", Alpha::Straight) == bytes.converted(Sim::Depth::Bits32));
}

TEST(ExrFile, HalfLuminanceAndOffsetWindowsAsOtherWritersMakeThem) {
  TempDir dir;
  using BreloTest::ExrChannel;
  // Half colour with a float alpha, premultiplied; the data window at (5, -3).
  BreloTest::writeExrFile(
      dir / "h.exr", 2, 2,
      {ExrChannel{"R", true, {0.25f, 1.5f, 0.0f, 2.0f}}, ExrChannel{"G", true, {0.5f, 0.0f, 0.0f, 0.0f}},
       ExrChannel{"B", true, {0.0f, 0.0f, 0.0f, -1.0f}}, ExrChannel{"A", false, {0.5f, 1.0f, 0.0f, 0.5f}}},
      5, -3);
  Sim::Image h = readImage(dir / "h.exr");
  ASSERT_EQ(h.width(), 2);
  ASSERT_EQ(h.height(), 2);
  EXPECT_EQ(h.pxF(0, 0).red, 0.5f);  // 0.25 / 0.5
  EXPECT_EQ(h.pxF(0, 0).green, 1.0f);
  EXPECT_EQ(h.pxF(1, 0).red, 1.5f);
  EXPECT_EQ(h.pxF(1, 1).blue, -2.0f);
  EXPECT_EQ(h.pxF(0, 1).alpha, 0.0f);

  // Luminance only: gray, opaque.
  BreloTest::writeExrFile(dir / "y.exr", 2, 1, {ExrChannel{"Y", true, {0.125f, 4.0f}}});
  Sim::Image y = readImage(dir / "y.exr");
  EXPECT_EQ(y.pxF(1, 0).red, 4.0f);
  EXPECT_EQ(y.pxF(1, 0).blue, 4.0f);
  EXPECT_EQ(y.pxF(0, 0).green, 0.125f);
  EXPECT_EQ(y.pxF(0, 0).alpha, 1.0f);

  // Only red: the other colours 0.
  BreloTest::writeExrFile(dir / "r.exr", 1, 1, {ExrChannel{"R", false, {0.75f}}});
  Sim::Image r = readImage(dir / "r.exr");
  EXPECT_EQ(r.pxF(0, 0).red, 0.75f);
  EXPECT_EQ(r.pxF(0, 0).green, 0.0f);
  EXPECT_EQ(r.pxF(0, 0).alpha, 1.0f);
}

TEST(ExrFile, FilesWithoutColourTruncatedOrDamagedAreRefused) {
  TempDir dir;
  const auto read = ImageError::Kind::Read;
  BreloTest::writeExrFile(dir / "z.exr", 2, 2, {BreloTest::ExrChannel{"Z", false, {1, 2, 3, 4}}});
  EXPECT_EQ(errorOf(read, [&] { readImage(dir / "z.exr"); }),
            "cannot read " + dir / "z.exr" + ": no R, G, B or Y channel to take colour from");

  writeImage(everyValue(Sim::Depth::Bits32), dir / "f.exr");
  const std::string good = BreloTest::readFile(dir / "f.exr");
  BreloTest::writeFile(dir / "cut.exr", good.substr(0, 40));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "cut.exr"); }), "cannot read " + dir / "cut.exr"));
  BreloTest::writeFile(dir / "half.exr", good.substr(0, good.size() * 2 / 3));
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "half.exr"); }), "cannot read " + dir / "half.exr"));
  std::string damaged = good;
  for (std::size_t i = good.size() / 2; i < good.size(); ++i) damaged[i] = char(damaged[i] ^ 0x33);
  BreloTest::writeFile(dir / "damaged.exr", damaged);
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "damaged.exr"); }), "cannot read " + dir / "damaged.exr"));

  // A data window beyond the limits is refused before anything is allocated for it.
  BreloTest::writeExrFile(dir / "wide.exr", 1, 1, {BreloTest::ExrChannel{"R", false, {1}}}, 0, 0);
  std::string wide = BreloTest::readFile(dir / "wide.exr");
  const std::string key = "dataWindow";
  std::size_t at = wide.find(key);
  ASSERT_NE(at, std::string::npos);
  // name, "box2i", size (4 bytes), then xMin yMin xMax yMax.
  const std::size_t xMax = at + key.size() + 1 + 6 + 4 + 8;
  const std::int32_t huge = 99999;
  std::memcpy(&wide[xMax], &huge, 4);
  BreloTest::writeFile(dir / "wide.exr", wide);
  EXPECT_TRUE(contains(errorOf(read, [&] { readImage(dir / "wide.exr"); }), "cannot read " + dir / "wide.exr"));
}
