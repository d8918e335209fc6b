// The built brelo-render rendering with the simulated host's test effect:
// presets, keyframes, bit depths, formats, downsampling and the summary.
#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "brelo_host/Image.h"
#include "brelo_image/ChannelRules.h"
#include "brelo_image/ImageFile.h"

using namespace RenderTest;

namespace {

std::vector<std::string> args(std::vector<std::string> extra) {
  std::vector<std::string> a = {"--plugin", BRELO_TEST_MODULE};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

}  // namespace

TEST(CliRender, APresetSavedAndLoadedRendersIdenticalBytes) {
  TempDir dir;
  RunResult a = runTool(args({"--size", "48x32", "-d", "16", "-s", "Mode=Sample", "-s", "Offset=3.5,-2@0;10,4@1",
                              "-t", "0.4", "--save-preset", "p.json", "-o", "a.png"}),
                        dir.path());
  ASSERT_EQ(a.code, 0) << a.err;
  RunResult b = runTool(args({"--size", "48x32", "-d", "16", "-p", "p.json", "-t", "0.4", "-o", "b.png"}), dir.path());
  ASSERT_EQ(b.code, 0) << b.err;
  RunResult c = runTool(args({"--size", "48x32", "-d", "16", "-t", "0.4", "-o", "c.png"}), dir.path());
  ASSERT_EQ(c.code, 0) << c.err;
  EXPECT_EQ(readFile(dir / "a.png"), readFile(dir / "b.png"));
  EXPECT_NE(readFile(dir / "a.png"), readFile(dir / "c.png"));
  EXPECT_FALSE(readFile(dir / "p.json").empty());

  // Only --save-preset: nothing rendered.
  RunResult s = runTool(args({"-s", "Gain=5", "--save-preset", "q.json"}), dir.path());
  EXPECT_EQ(s.code, 0) << s.err;
  EXPECT_TRUE(exists(dir / "q.json"));
  EXPECT_EQ(s.out, "");
}

// Keys at frames that are no whole seconds, values that are no round numbers:
// every frame from the saved preset has the bytes of the frame from the
// settings themselves.
TEST(CliRender, AKeyframedPresetRendersEveryFrameAsItsSettingsDid) {
  TempDir dir;
  const std::vector<std::string> common = {"-e", "simplelines", "--size", "24x16", "-d", "32", "--frames", "0-99", "-q"};
  auto run = [&](std::vector<std::string> extra) {
    std::vector<std::string> a = common;
    a.insert(a.end(), extra.begin(), extra.end());
    RunResult r = runTool(a, dir.path());
    EXPECT_EQ(r.code, 0) << r.err;
  };
  run({"-s", "Color Variance 2=45.39843%@-1;100@97f", "--save-preset", "p.json", "-o", "a_%02d.exr"});
  run({"-p", "p.json", "-o", "b_%02d.exr"});
  char a[16], b[16];
  for (int i = 0; i < 100; ++i) {
    std::snprintf(a, sizeof a, "a_%02d.exr", i);
    std::snprintf(b, sizeof b, "b_%02d.exr", i);
    ASSERT_TRUE(readFile(dir / a) == readFile(dir / b)) << "frame " << i;
  }
}

TEST(CliRender, KeyframesInterpolateLinearlyAndHoldOutside) {
  TempDir dir;
  auto redAt = [&](std::string const& when, std::string const& flag) {
    RunResult r = runTool(args({"--size", "8x8", "-s", "Mode=Fill", "-s", "Fill Color=#000000@0;#FF0000@1", flag, when,
                                "-o", "k.png", "-q"}),
                          dir.path());
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    return decodePngFile(dir / "k.png").at(3, 3, 0);
  };
  EXPECT_EQ(redAt("0.5", "-t"), 128u);
  EXPECT_EQ(redAt("0.25", "-t"), 64u);  // 63.75
  EXPECT_EQ(redAt("30", "-f"), 255u);
  EXPECT_EQ(redAt("90", "-f"), 255u);
  EXPECT_EQ(redAt("-1", "-t"), 0u);

  RunResult v = runTool(args({"-s", "Mode=Fill", "-s", "Fill Color=#000000@0;#FF0000@1", "-t", "0.5", "--values"}),
                        dir.path());
  EXPECT_EQ(v.code, 0);
  EXPECT_NE(v.out.find("Fill Color  #800000 (keyframed)"), std::string::npos) << v.out;
}

TEST(CliRender, SequencesContactSheetAndNoProgressBarWithoutATerminal) {
  TempDir dir;
  RunResult r = runTool(args({"--size", "40x30", "--frames", "3-5", "-o", "f_%03d.png", "--contact-sheet", "s.png",
                              "--downsample", "2", "-j", "1"}),
                        dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("rendered 3 frames of SimTestModule (20 x 15, 8-bit, 1 thread) in ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find(": f_%03d.png, contact sheet s.png\n"), std::string::npos) << r.out;
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"f_003.png", "f_004.png", "f_005.png", "s.png"}));
  PngPixels f = decodePngFile(dir / "f_004.png");
  EXPECT_EQ(f.width, 20);
  EXPECT_EQ(f.height, 15);
  EXPECT_EQ(f.bits, 8);
  PngPixels s = decodePngFile(dir / "s.png");
  EXPECT_EQ(s.width, 4 + 2 * 24);
  EXPECT_EQ(s.height, 4 + 2 * 19);
}

TEST(CliRender, SixteenBitPngInputRoundTrips) {
  TempDir dir;
  // Every value the host's 16 bits hold, as a PNG writes it.
  const int w = 256, h = 129;
  std::vector<unsigned> samples;
  for (int i = 0; i < w * h; ++i) {
    unsigned v = unsigned(std::min(i, 32768));
    for (unsigned s : {v, 32768u - v, v / 3, 32768u - v / 7}) samples.push_back(Brelo::ImageIO::spread16(std::uint16_t(s)));
  }
  encodePngFile(dir / "in.png", w, h, 4, 16, samples);
  RunResult r = runTool(args({"-i", "in.png", "-d", "16", "-o", "out.png"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  PngPixels out = decodePngFile(dir / "out.png");
  EXPECT_EQ(out.bits, 16);
  EXPECT_TRUE(out.samples == samples);

  // 8-bit gray comes back as 8-bit RGB of the same value.
  encodePngFile(dir / "g.png", 4, 1, 1, 8, {0, 1, 254, 255});
  r = runTool(args({"-i", "g.png", "-o", "g_out.png"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  out = decodePngFile(dir / "g_out.png");
  EXPECT_EQ(out.bits, 8);
  EXPECT_EQ(out.samples, (std::vector<unsigned>{0, 0, 0, 255, 1, 1, 1, 255, 254, 254, 254, 255, 255, 255, 255, 255}));
}

TEST(CliRender, FloatFramesKeepValuesAboveOneInOpenExr) {
  TempDir dir;
  Brelo::Sim::Image in(4, 2, Brelo::Sim::Depth::Bits32);
  in.fill({1.0f, 2.5f, -0.5f, 16.0f});
  Brelo::ImageIO::writeImage(in, dir / "in.exr");
  RunResult r = runTool(args({"-i", "in.exr", "-d", "32", "-o", "out.exr", "-q"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;

  bool isFloat = false;
  std::vector<float> rch = BreloTest::readExrChannel(dir / "out.exr", "R", &isFloat);
  std::vector<float> gch = BreloTest::readExrChannel(dir / "out.exr", "G");
  std::vector<float> bch = BreloTest::readExrChannel(dir / "out.exr", "B");
  EXPECT_TRUE(isFloat);
  ASSERT_EQ(rch.size(), 8u);
  EXPECT_EQ(rch[5], 2.5f);
  EXPECT_EQ(gch[5], -0.5f);
  EXPECT_EQ(bch[5], 16.0f);

  // A PNG of the same frame is limited to white.
  r = runTool(args({"-i", "in.exr", "-d", "32", "-o", "out.png"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  PngPixels p = decodePngFile(dir / "out.png");
  EXPECT_EQ(p.bits, 16);
  EXPECT_EQ(p.at(1, 1, 0), 65535u);
  EXPECT_EQ(p.at(1, 1, 1), 0u);
}

TEST(CliRender, EffectsAreFoundByName) {
  TempDir dir;
  RunResult r = runTool({"-e", "lines", "--about"}, dir.path());
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("BreloLines, v1.00\n", 0), 0u) << r.out;
  r = runTool({"-e", "BreloLines", "--about"}, dir.path());
  EXPECT_EQ(r.code, 0) << r.err;

  r = runTool({"-e", "simplelines", "--about"}, dir.path());
  if (std::string(BRELO_SIMPLELINES_MODULE).empty()) {
    EXPECT_EQ(r.code, 4);
    EXPECT_EQ(r.err.rfind("brelo-render: the BreloSimpleLines module is not built (looked for ", 0), 0u) << r.err;
  } else {
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("BreloSimpleLines, v1.00\n", 0), 0u) << r.out;
  }
}
