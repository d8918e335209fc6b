// Image files in and out, the size limits, files that appear complete or
// not at all, the contact sheet and the test card.
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>

#include <sys/stat.h>

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "brelo_render/AtomicFile.h"
#include "brelo_render/ContactSheet.h"
#include "brelo_render/ExrIO.h"
#include "brelo_render/ImageFile.h"
#include "brelo_render/PngIO.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TestCard.h"

using namespace Brelo;
using namespace Brelo::Render;
using RenderTest::TempDir;

namespace {

std::string errorOf(ExitCode code, std::function<void()> const& f) {
  try {
    f();
  } catch (RenderError const& e) {
    EXPECT_EQ(int(e.code()), int(code)) << e.what();
    return e.what();
  }
  ADD_FAILURE() << "no error";
  return {};
}

bool contains(std::string const& s, std::string const& part) { return s.find(part) != std::string::npos; }

}  // namespace

TEST(PngIO, HostSixteenBitChannelsRoundTripExactly) {
  // Every host value survives the trip through a PNG's 0..65535.
  for (unsigned v = 0; v <= 32768; ++v) {
    std::uint16_t p = hostToPng16(std::uint16_t(v));
    ASSERT_EQ(pngToHost16(p), v) << v;
    if (v > 0) {
      ASSERT_GT(p, hostToPng16(std::uint16_t(v - 1)));
    }
  }
  EXPECT_EQ(hostToPng16(0), 0);
  EXPECT_EQ(hostToPng16(32768), 65535);
  EXPECT_EQ(hostToPng16(16384), 32768);  // 32767.5 rounds up
  for (unsigned p = 0; p <= 65535; ++p) {
    std::uint16_t h = pngToHost16(std::uint16_t(p));
    ASSERT_LE(h, 32768);
    ASSERT_EQ(pngToHost16(hostToPng16(h)), h);
  }
}

TEST(PngIO, WrittenImagesReadBackAsTheyWere) {
  TempDir dir;
  // 8 bits: every value in every channel.
  Sim::Image img8(256, 4, Sim::Depth::Bits8);
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 4; ++y) img8.px8(x, y) = {A_u_char(x), A_u_char(255 - x), A_u_char(x ^ y), A_u_char(y * 60)};
  writePng(img8, 8, dir / "a.png");
  EXPECT_TRUE(readImage(dir / "a.png") == img8);
  RenderTest::PngPixels raw = RenderTest::decodePngFile(dir / "a.png");
  ASSERT_EQ(raw.bits, 8);
  EXPECT_EQ(raw.at(10, 2, 0), 255u - 10u);  // red
  EXPECT_EQ(raw.at(10, 2, 3), 10u);         // alpha

  // 16 bits: every host value.
  Sim::Image img16(257, 129, Sim::Depth::Bits16);
  for (int i = 0; i < 257 * 129; ++i) {
    A_u_short v = A_u_short(std::min(i, 32768));
    img16.px16(i % 257, i / 257) = {A_u_short(32768 - v), v, A_u_short(v / 2), A_u_short(32768 - v / 3)};
  }
  writePng(img16, 16, dir / "b.png");
  Sim::Image back = readPng(dir / "b.png");
  EXPECT_EQ(back.depth(), Sim::Depth::Bits16);
  EXPECT_TRUE(back == img16);
  raw = RenderTest::decodePngFile(dir / "b.png");
  EXPECT_EQ(raw.bits, 16);
  EXPECT_EQ(raw.at(0, 0, 3), 65535u);

  // Float frames are limited to 0..1 in a PNG; 8-bit frames widen exactly.
  Sim::Image f(2, 1, Sim::Depth::Bits32);
  f.pxF(0, 0) = {1.0f, 2.5f, -1.0f, 0.5f};
  f.pxF(1, 0) = {0.0f, 0.0f, 1.0f, 0.25f};
  writePng(f, 16, dir / "c.png");
  raw = RenderTest::decodePngFile(dir / "c.png");
  EXPECT_EQ(raw.at(0, 0, 0), 65535u);
  EXPECT_EQ(raw.at(0, 0, 1), 0u);
  EXPECT_EQ(raw.at(0, 0, 2), 32768u);
  EXPECT_EQ(raw.at(1, 0, 2), 16384u);
  writePng(img8, 16, dir / "d.png");
  raw = RenderTest::decodePngFile(dir / "d.png");
  EXPECT_EQ(raw.at(200, 1, 0), 55u * 257u);
}

TEST(PngIO, GrayRgbAndAlphaFilesInBothDepths) {
  TempDir dir;
  using RenderTest::encodePngFile;
  encodePngFile(dir / "g8.png", 3, 1, 1, 8, {0, 128, 255});
  Sim::Image g = readPng(dir / "g8.png");
  ASSERT_EQ(g.depth(), Sim::Depth::Bits8);
  EXPECT_EQ(g.px8(1, 0).red, 128);
  EXPECT_EQ(g.px8(1, 0).blue, 128);
  EXPECT_EQ(g.px8(1, 0).alpha, 255);

  encodePngFile(dir / "ga16.png", 2, 1, 2, 16, {65535, 0, 2, 32768});
  Sim::Image ga = readPng(dir / "ga16.png");
  ASSERT_EQ(ga.depth(), Sim::Depth::Bits16);
  EXPECT_EQ(ga.px16(0, 0).green, 32768);
  EXPECT_EQ(ga.px16(0, 0).alpha, 0);
  EXPECT_EQ(ga.px16(1, 0).red, pngToHost16(2));
  EXPECT_EQ(ga.px16(1, 0).alpha, pngToHost16(32768));

  encodePngFile(dir / "rgb16.png", 1, 2, 3, 16, {1, 2, 3, 65535, 65534, 40000});
  Sim::Image rgb = readPng(dir / "rgb16.png");
  EXPECT_EQ(rgb.px16(0, 1).red, 32768);
  EXPECT_EQ(rgb.px16(0, 1).blue, pngToHost16(40000));
  EXPECT_EQ(rgb.px16(0, 1).alpha, 32768);

  encodePngFile(dir / "rgba8.png", 1, 1, 4, 8, {10, 20, 30, 40});
  Sim::Image rgba = readPng(dir / "rgba8.png");
  EXPECT_EQ(rgba.px8(0, 0).red, 10);
  EXPECT_EQ(rgba.px8(0, 0).alpha, 40);
}

TEST(PngIO, DamagedTruncatedEmptyAndAbsurdFilesAreRefused) {
  TempDir dir;
  Sim::Image img(40, 30, Sim::Depth::Bits8);
  img.fill({1, 0.5f, 0.25f, 0});
  std::vector<std::uint8_t> bytes = encodePng(img, 8);
  std::string good(bytes.begin(), bytes.end());

  RenderTest::writeFile(dir / "cut.png", good.substr(0, good.size() / 2));
  EXPECT_TRUE(contains(errorOf(ExitCode::Input, [&] { readImage(dir / "cut.png"); }), "truncated"));
  RenderTest::writeFile(dir / "head.png", good.substr(0, 12));
  EXPECT_TRUE(contains(errorOf(ExitCode::Input, [&] { readImage(dir / "head.png"); }), "truncated"));

  // Header fields patched: 0 x 30, 40000 x 30, 20000 x 20000.
  auto withSize = [&](std::uint32_t w, std::uint32_t h) {
    std::string s = good;
    for (int i = 0; i < 4; ++i) {
      s[std::size_t(16 + i)] = char(w >> (24 - 8 * i));
      s[std::size_t(20 + i)] = char(h >> (24 - 8 * i));
    }
    return s;
  };
  RenderTest::writeFile(dir / "zero.png", withSize(0, 30));
  EXPECT_EQ(errorOf(ExitCode::Input, [&] { readImage(dir / "zero.png"); }),
            dir / "zero.png" + " is 0 x 30 pixels: it has no pixels");
  RenderTest::writeFile(dir / "wide.png", withSize(40000, 30));
  EXPECT_EQ(errorOf(ExitCode::Input, [&] { readImage(dir / "wide.png"); }),
            dir / "wide.png" +
                " is 40000 x 30 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all");
  RenderTest::writeFile(dir / "huge.png", withSize(20000, 20000));
  EXPECT_TRUE(contains(errorOf(ExitCode::Input, [&] { readImage(dir / "huge.png"); }), "at most"));

  // A damaged pixel block: libpng's own complaint, no crash.
  std::string damaged = good;
  for (std::size_t i = 60; i < damaged.size() - 20; ++i) damaged[i] = char(damaged[i] ^ 0x5A);
  RenderTest::writeFile(dir / "damaged.png", damaged);
  EXPECT_TRUE(contains(errorOf(ExitCode::Input, [&] { readImage(dir / "damaged.png"); }), "cannot read"));

  RenderTest::writeFile(dir / "text.png", "hello, this is not an image");
  EXPECT_EQ(errorOf(ExitCode::Input, [&] { readImage(dir / "text.png"); }),
            "cannot read " + dir / "text.png" + ": not a PNG or OpenEXR file");
  RenderTest::writeFile(dir / "empty.png", "");
  EXPECT_EQ(errorOf(ExitCode::Input, [&] { readImage(dir / "empty.png"); }),
            "cannot read " + dir / "empty.png" + ": the file is empty");
  EXPECT_EQ(errorOf(ExitCode::Input, [&] { readImage(dir / "missing.png"); }),
            "cannot read " + dir / "missing.png" + ": No such file or directory");
}

TEST(ExrIO, FloatValuesOutsideZeroToOneSurvive) {
  TempDir dir;
  Sim::Image img(3, 2, Sim::Depth::Bits32);
  img.pxF(0, 0) = {1.0f, 3.5f, -0.25f, 1e6f};
  img.pxF(1, 0) = {0.5f, 2.0f, 0.5f, 0.0f};  // straight colour in the host
  img.pxF(2, 1) = {0.0f, 0.0f, 0.0f, 0.0f};
  writeExr(img, dir / "f.exr");

  // The OpenEXR library itself: float channels, premultiplied colour.
  Imf::InputFile file((dir / "f.exr").c_str());
  Imath::Box2i dw = file.header().dataWindow();
  ASSERT_EQ(dw.max.x - dw.min.x + 1, 3);
  ASSERT_EQ(dw.max.y - dw.min.y + 1, 2);
  for (const char* ch : {"R", "G", "B", "A"}) {
    ASSERT_NE(file.header().channels().findChannel(ch), nullptr) << ch;
    EXPECT_EQ(file.header().channels().findChannel(ch)->type, Imf::FLOAT) << ch;
  }
  std::vector<float> r(6), a(6);
  Imf::FrameBuffer fb;
  fb.insert("R", Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(r.data()), sizeof(float), 3 * sizeof(float)));
  fb.insert("A", Imf::Slice(Imf::FLOAT, reinterpret_cast<char*>(a.data()), sizeof(float), 3 * sizeof(float)));
  file.setFrameBuffer(fb);
  file.readPixels(dw.min.y, dw.max.y);
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

  RenderTest::writeFile(dir / "cut.exr", RenderTest::readFile(dir / "f.exr").substr(0, 40));
  EXPECT_TRUE(contains(errorOf(ExitCode::Input, [&] { readImage(dir / "cut.exr"); }), "cannot read"));
}

TEST(AtomicFile, NothingAppearsUntilCommittedAndFailuresLeaveNothing) {
  TempDir dir;
  RenderTest::writeFile(dir / "out.png", "OLD");
  {
    AtomicFile f(dir / "out.png");
    f.write("NEW", 3);
    EXPECT_EQ(RenderTest::readFile(dir / "out.png"), "OLD");
  }  // abandoned
  EXPECT_EQ(RenderTest::readFile(dir / "out.png"), "OLD");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.png"});
  {
    AtomicFile f(dir / "out.png");
    f.write("NEW", 3);
    f.commit();
  }
  EXPECT_EQ(RenderTest::readFile(dir / "out.png"), "NEW");
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.png"});

  EXPECT_TRUE(contains(errorOf(ExitCode::Output, [&] { AtomicFile f(dir / "no/such/out.png"); }),
                       "No such file or directory"));
  EXPECT_EQ(errorOf(ExitCode::Output, [&] { AtomicFile::checkWritable(dir.path()); }),
            "cannot write " + dir.path() + ": it is a directory");
  EXPECT_TRUE(contains(errorOf(ExitCode::Output, [&] { AtomicFile::checkWritable(dir / "out.png/x.png"); }),
                       "is not a directory"));
  // A directory of the name is refused before anything is written.
  mkdir((dir / "taken.png").c_str(), 0755);
  RenderTest::writeFile(dir / "taken.png/inside", "x");
  Sim::Image img(2, 2, Sim::Depth::Bits8);
  EXPECT_EQ(errorOf(ExitCode::Output, [&] { writePng(img, 8, dir / "taken.png"); }),
            "cannot write " + dir / "taken.png" + ": it is a directory");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"out.png", "taken.png"}));
}

TEST(ContactSheet, FramesInReadingOrderOverACheckerboard) {
  ContactSheet sheet(640, 360, 31);
  EXPECT_EQ(sheet.columns(), 6);
  EXPECT_EQ(sheet.rows(), 6);
  EXPECT_EQ(sheet.thumbWidth(), 256);
  EXPECT_EQ(sheet.thumbHeight(), 144);
  EXPECT_EQ(sheet.image().width(), 4 + 6 * 260);
  EXPECT_EQ(sheet.image().height(), 4 + 6 * 148);
  for (int i = 0; i < 31; ++i) {
    Sim::Image frame(640, 360, i % 2 ? Sim::Depth::Bits16 : Sim::Depth::Bits32);
    if (i != 30) frame.fill({1.0f, float(i) / 32.0f, 0.0f, 1.0f});
    sheet.add(frame);
  }
  for (int i = 0; i < 30; ++i) {
    PF_Pixel p = sheet.image().px8(sheet.cellX(i) + 100, sheet.cellY(i) + 50);
    EXPECT_EQ(p.red, std::lround(i / 32.0 * 255.0)) << i;
    EXPECT_EQ(p.blue, 255);
  }
  EXPECT_EQ(sheet.cellX(7), 4 + 260);
  EXPECT_EQ(sheet.cellY(7), 4 + 148);
  // The transparent last frame shows the checkerboard.
  PF_Pixel light = sheet.image().px8(sheet.cellX(30), sheet.cellY(30));
  PF_Pixel dark = sheet.image().px8(sheet.cellX(30) + 8, sheet.cellY(30));
  EXPECT_EQ(light.red, 153);
  EXPECT_EQ(dark.red, 102);
  // Beyond the last cell: background.
  EXPECT_EQ(sheet.image().px8(sheet.cellX(31) + 5, sheet.cellY(31) + 5).red, 32);

  // Long animations shrink the cells to keep the sheet within bounds; small frames are never enlarged.
  ContactSheet many(1920, 1080, 5000);
  EXPECT_LE(many.image().height(), 16384 + 4);
  EXPECT_EQ(ContactSheet(16, 8, 1).thumbWidth(), 16);
}

TEST(TestCard, OpaqueAndTheSameEveryTimeAtAnySize) {
  for (auto size : {std::pair<int, int>{640, 360}, {1, 1}, {3, 2}, {17, 900}}) {
    Sim::Image a = makeTestCard(size.first, size.second);
    EXPECT_EQ(a.width(), size.first);
    EXPECT_EQ(a.height(), size.second);
    EXPECT_TRUE(a == makeTestCard(size.first, size.second));
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) ASSERT_EQ(a.px8(x, y).alpha, 255);
  }
  Sim::Image card = makeTestCard(640, 360);
  EXPECT_EQ(card.px8(50, 50).red, 191);    // white bar at 75%
  EXPECT_EQ(card.px8(640 - 50, 50).blue, 191);
  EXPECT_EQ(card.px8(640 - 50, 50).red, 0);
  EXPECT_EQ(card.px8(320, 180).green, 255);  // the centre cross
}
