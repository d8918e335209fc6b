// Numbered input sequences through the built brelo-render: every frame read
// from its own file at its own time, the formats in and out, a shot rendered
// in chunks by separate processes, and every way a sequence can be bad.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "brelo_host/Image.h"
#include "brelo_image/ImageFile.h"
#include "brelo_render/FramePattern.h"

using namespace RenderTest;
using Brelo::Sim::Depth;
using Brelo::Sim::Image;
namespace ImageIO = Brelo::ImageIO;

namespace {

std::vector<std::string> args(std::vector<std::string> extra) {
  std::vector<std::string> a = {"--plugin", BRELO_TEST_MODULE, "-q"};
  a.insert(a.end(), extra.begin(), extra.end());
  return a;
}

std::string numbered(std::string const& pattern, long n) { return Brelo::Render::FramePattern(pattern).name(n); }

// Frame n of a sequence: its own colours, a transparent corner, values
// beyond 0..1 at float.
Image frameOf(long n, Depth depth, int w = 12, int h = 8) {
  Image img(w, h, Depth::Bits32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.pxF(x, y) = {x == 0 && y == 0 ? 0.0f : 1.0f, float(n % 17) / 16.0f, float(x) / float(w),
                       1.5f - float(y) / 4.0f};
  return depth == Depth::Bits32 ? img : img.converted(depth);
}

void writeSequence(TempDir const& dir, const char* pattern, long first, long last, Depth depth) {
  for (long n = first; n <= last; ++n) ImageIO::writeImage(frameOf(n, depth), dir / numbered(pattern, n));
}

std::vector<std::string> named(TempDir const& dir, std::string const& prefix) {
  std::vector<std::string> out;
  for (std::string const& e : dir.entries())
    if (e.rfind(prefix, 0) == 0) out.push_back(e);
  return out;
}

}  // namespace

TEST(CliSequence, EachFrameReadsItsOwnFileIntoTiffAndPngSequences) {
  TempDir dir;
  writeSequence(dir, "shot_%04d.exr", 1001, 1006, Depth::Bits32);
  RunResult r = runTool(args({"-i", "shot_%04d.exr", "-d", "32", "-o", "out_%04d.tif"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(named(dir, "out_").size(), 6u);
  for (long n = 1001; n <= 1006; ++n) {
    // The effect copies its input: each output holds its own input frame, as floats.
    Image out = ImageIO::readImage(dir / numbered("out_%04d.tif", n));
    EXPECT_EQ(out.depth(), Depth::Bits32);
    EXPECT_TRUE(out == ImageIO::readImage(dir / numbered("shot_%04d.exr", n))) << n;
  }
  // A part of the shot to 16-bit PNG: the bytes the image module writes for those frames.
  r = runTool(args({"-i", "shot_%04d.exr", "-d", "32", "--frames", "1003-1004", "-o", "png_%04d.png"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(named(dir, "png_"), (std::vector<std::string>{"png_1003.png", "png_1004.png"}));
  for (long n : {1003L, 1004L}) {
    ImageIO::writeImage(ImageIO::readImage(dir / numbered("shot_%04d.exr", n)), dir / "ref.png",
                        ImageIO::WriteOptions{16, ImageIO::Alpha::AsFormatExpects});
    EXPECT_EQ(readFile(dir / numbered("png_%04d.png", n)), readFile(dir / "ref.png")) << n;
  }
  EXPECT_EQ(BreloTest::decodePngFile(dir / "png_1003.png").bits, 16);

  // --bits picks the depth where the format holds it; TIFF and JPEG inputs read too.
  r = runTool(args({"-i", "out_%04d.tif", "-d", "32", "-f", "1002", "--bits", "8", "-o", "b8_%04d.tif"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(ImageIO::readImage(dir / "b8_1002.tif").depth(), Depth::Bits8);
  r = runTool(args({"-i", "b8_1002.tif", "-o", "j.jpg"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  r = runTool(args({"-i", "j.jpg", "-o", "j.png"}), dir.path());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(BreloTest::decodePngFile(dir / "j.png").width, 12);
}

TEST(CliSequence, InputFrameNRendersAtItsTimeFromTheFirstFrameOrStart) {
  TempDir dir;
  writeSequence(dir, "in_%d.png", 1000, 1030, Depth::Bits8);
  ImageIO::writeImage(frameOf(0, Depth::Bits8), dir / "still.png");
  const std::vector<std::string> fill = {"-s", "Mode=Fill", "-s", "Fill Color=#000000@0;#FF8040@1"};
  auto render = [&](std::vector<std::string> extra, std::string const& out) {
    std::vector<std::string> a = fill;
    a.insert(a.end(), extra.begin(), extra.end());
    a.push_back("-o");
    a.push_back(out);
    RunResult r = runTool(args(a), dir.path());
    EXPECT_EQ(r.code, 0) << r.err;
    return readFile(dir / out);
  };
  // Frame 1015 of a sequence that starts at 1000 lies at 0.5 s; with --start 1010, at 5 frames.
  const std::string half = render({"-i", "still.png", "-t", "0.5"}, "half.png");
  const std::string five = render({"-i", "still.png", "-f", "5"}, "five.png");
  EXPECT_NE(half, five);
  render({"-i", "in_%d.png", "--frames", "1015-1016"}, "s_%d.png");
  EXPECT_EQ(readFile(dir / "s_1015.png"), half);
  render({"-i", "in_%d.png", "-f", "1015", "--start", "1010"}, "t_%d.png");
  EXPECT_EQ(readFile(dir / "t_1015.png"), five);
  // A time picks the input frame at that time.
  render({"-i", "in_%d.png", "-t", "0.5"}, "u_%d.png");
  EXPECT_EQ(named(dir, "u_"), std::vector<std::string>{"u_1015.png"});
  EXPECT_EQ(readFile(dir / "u_1015.png"), half);
  // A still with --frames keeps its meaning: frame N at N / fps, numbered N.
  render({"-i", "still.png", "--frames", "15-15"}, "v_%d.png");
  EXPECT_EQ(readFile(dir / "v_15.png"), half);
  // Without --frames: every frame of the sequence on disk.
  render({"-i", "in_%d.png"}, "w_%d.png");
  EXPECT_EQ(named(dir, "w_").size(), 31u);
}

TEST(CliSequence, ChunksRenderedInSeparateProcessesEqualTheWholeShot) {
  // A render farm: frames are independent and deterministic, so three
  // processes rendering a third of the shot each write the frames one
  // process writes for the whole shot.
  TempDir dir;
  for (long n = 0; n <= 29; ++n) {
    Image img(64, 48, Depth::Bits8);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) img.px8(x, y) = {255, A_u_char(x * 4), A_u_char(y * 5), A_u_char(n * 8)};
    ImageIO::writeImage(img, dir / numbered("plate_%04d.png", n));
  }
  ASSERT_EQ(mkdir((dir / "whole").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((dir / "chunks").c_str(), 0755), 0);
  const std::vector<std::string> look = {"--plugin",
                                         BRELO_LINES_MODULE,
                                         "-q",
                                         "-i",
                                         "plate_%04d.png",
                                         "-d",
                                         "16",
                                         "-s",
                                         "Completion=0@0;100@1",
                                         "-s",
                                         "Max Slice=40@0;10@29f",
                                         "-s",
                                         "Max RGB Separation=12"};
  auto job = [&](std::string const& frames, std::string const& folder) {
    std::vector<std::string> a = look;
    a.insert(a.end(), {"--frames", frames, "-o", folder + "/f_%04d.png"});
    return a;
  };
  RunResult whole = runTool(job("0-29", "whole"), dir.path());
  ASSERT_EQ(whole.code, 0) << whole.err;
  std::vector<RunResult> chunks =
      runToolsAtOnce({job("0-9", "chunks"), job("10-19", "chunks"), job("20-29", "chunks")}, dir.path());
  for (RunResult const& c : chunks) ASSERT_EQ(c.code, 0) << c.err;
  std::vector<std::string> names;
  for (long n = 0; n <= 29; ++n) names.push_back(numbered("f_%04d.png", n));
  EXPECT_EQ(TempDir::entriesOf(dir / "whole"), names);
  EXPECT_EQ(TempDir::entriesOf(dir / "chunks"), names);
  const std::string first = readFile(dir / "whole/f_0000.png");
  for (std::string const& n : names) {
    EXPECT_EQ(readFile(dir / ("chunks/" + n)), readFile(dir / ("whole/" + n))) << n;
    if (n != names.front()) {
      EXPECT_NE(readFile(dir / ("whole/" + n)), first) << n;
    }
  }
}

TEST(CliSequence, AMissingFrameStopsTheRunOrIsSkippedWithKeepGoing) {
  TempDir dir;
  writeSequence(dir, "in_%02d.png", 1, 5, Depth::Bits8);
  unlink((dir / "in_03.png").c_str());
  // A hole: nothing rendered, the missing file named.
  RunResult r = runTool(args({"-i", "in_%02d.png", "-o", "out_%02d.png"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "brelo-render: cannot read in_03.png: No such file or directory\n");
  EXPECT_TRUE(named(dir, "out_").empty());
  // Beyond the last frame likewise.
  r = runTool(args({"-i", "in_%02d.png", "--frames", "4-6", "-o", "out_%02d.png"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "brelo-render: cannot read in_06.png: No such file or directory\n");

  r = runTool(args({"-i", "in_%02d.png", "-o", "out_%02d.png", "--keep-going"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err,
            "brelo-render: skipped frame 3: cannot read in_03.png: No such file or directory\n"
            "brelo-render: 1 of 5 input frames could not be read and were skipped: 3\n");
  EXPECT_EQ(named(dir, "out_"), (std::vector<std::string>{"out_01.png", "out_02.png", "out_04.png", "out_05.png"}));
  EXPECT_TRUE(ImageIO::readImage(dir / "out_04.png") == frameOf(4, Depth::Bits8));

  // No frame at all.
  r = runTool(args({"-i", "none_%02d.png", "-o", "x_%02d.png"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "brelo-render: no input frames match none_%02d.png\n");
}

TEST(CliSequence, ADamagedOrMisSizedFrameMidRunKeepsTheFramesBeforeIt) {
  TempDir dir;
  writeSequence(dir, "in_%d.exr", 1, 5, Depth::Bits32);
  const std::string good = readFile(dir / "in_4.exr");
  writeFile(dir / "in_4.exr", good.substr(0, good.size() / 2));
  writeFile(dir / "out_5.tif", "OLD");
  RunResult r = runTool(args({"-i", "in_%d.exr", "-d", "32", "-o", "out_%d.tif"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err.rfind("brelo-render: cannot read in_4.exr: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(" (3 frames before it were written)\n"), std::string::npos) << r.err;
  EXPECT_EQ(named(dir, "out_"), (std::vector<std::string>{"out_1.tif", "out_2.tif", "out_3.tif", "out_5.tif"}));
  for (long n = 1; n <= 3; ++n)
    EXPECT_TRUE(ImageIO::readImage(dir / numbered("out_%d.tif", n)) ==
                ImageIO::readImage(dir / numbered("in_%d.exr", n)));
  EXPECT_EQ(readFile(dir / "out_5.tif"), "OLD");
  EXPECT_EQ(named(dir, ".").size(), 0u);  // no temporary files

  ImageIO::writeImage(frameOf(4, Depth::Bits32, 13, 8), dir / "in_4.exr");
  r = runTool(args({"-i", "in_%d.exr", "-d", "32", "-o", "size_%d.tif"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err,
            "brelo-render: in_4.exr is 13 x 8 pixels, but the sequence's frames are 12 x 8 (3 frames before it were "
            "written)\n");
  r = runTool(args({"-i", "in_%d.exr", "-d", "32", "-o", "skip_%d.tif", "--keep-going"}), dir.path());
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(named(dir, "skip_").size(), 4u);
}

TEST(CliSequence, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
  TempDir dir;
  writeSequence(dir, "a_%d.png", 1, 3, Depth::Bits8);
  const std::string before = readFile(dir / "a_2.png");
  ASSERT_EQ(link((dir / "a_2.png").c_str(), (dir / "linked.png").c_str()), 0);
  const std::vector<std::vector<std::string>> refused = {
      {"-i", "a_%d.png", "-o", "a_%d.png"},
      {"-i", "a_%d.png", "-o", "./a_%d.png", "--frames", "2-3"},
      {"-i", "a_%d.png", "-o", "b_%d.png", "--contact-sheet", "linked.png"},
      {"-i", "linked.png", "-o", "a_%d.png", "-f", "2"},
      {"-i", "a_%d.png", "-o", "x_%d.png", "--save-preset", "a_1.png"},
  };
  for (auto const& a : refused) {
    RunResult r = runTool(args(a), dir.path());
    EXPECT_EQ(r.code, 2) << a[3];
    EXPECT_NE(r.err.find("brelo-render never writes over its input"), std::string::npos) << r.err;
  }
  EXPECT_EQ(readFile(dir / "a_2.png"), before);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a_1.png", "a_2.png", "a_3.png", "linked.png"}));

  // Depths a format cannot hold, and a frame number the output needs.
  RunResult r = runTool(args({"-i", "a_%d.png", "-d", "32", "--bits", "32", "-o", "o_%d.png"}), dir.path());
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "brelo-render: o_%d.png: PNG files hold 8 or 16 bits per channel, not 32\n");
  r = runTool(args({"-i", "a_%d.png", "-o", "o.png"}), dir.path());
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "brelo-render: rendering 3 frames needs a frame number in the output name, e.g. out_%04d.png\n");
}
