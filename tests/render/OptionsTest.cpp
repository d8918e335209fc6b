// The command line, and the progress bar's text.
#include <gtest/gtest.h>

#include "UsageError.h"
#include "brelo_render/Options.h"
#include "brelo_render/Progress.h"
#include "brelo_render/RenderError.h"

using namespace Brelo::Render;

namespace {

std::string usageError(std::vector<std::string> const& args) {
  return RenderTest::usageError([&] { parseOptions(args); });
}

}  // namespace

TEST(Options, DefaultsAndEveryOption) {
  Options o = parseOptions({"-e", "lines"});
  EXPECT_EQ(o.effect, "lines");
  EXPECT_EQ(o.depth, 8);
  EXPECT_EQ(o.downsample, 1);
  EXPECT_EQ(o.threads, 0);
  ASSERT_EQ(o.times.size(), 1u);
  EXPECT_EQ(o.times[0], 0);
  EXPECT_EQ(o.frameNumbers[0], 0);

  o = parseOptions({"--plugin=/x/y.so", "--set", "A=1", "-p", "p.json", "-s", "B=2@0;3@1", "--size", "320X200",
                    "--depth=32", "--downsample", "2", "-j", "3", "--frames", "-2-3", "--fps", "25", "-o", "o_%03d.exr",
                    "--contact-sheet", "s.png", "--png-bits", "16", "-q", "--save-preset", "q.json",
                    "--fail-call", "checkout_output:2:4", "--withhold-suite", "PF World Suite:2"});
  EXPECT_EQ(o.plugin, "/x/y.so");
  ASSERT_EQ(o.controls.size(), 3u);
  EXPECT_EQ(o.controls[0].kind, ControlStep::Kind::Set);
  EXPECT_EQ(o.controls[1].kind, ControlStep::Kind::Preset);
  EXPECT_EQ(o.controls[1].text, "p.json");
  EXPECT_EQ(o.controls[2].text, "B=2@0;3@1");
  EXPECT_EQ(o.cardWidth, 320);
  EXPECT_EQ(o.cardHeight, 200);
  EXPECT_EQ(o.depth, 32);
  EXPECT_EQ(o.downsample, 2);
  EXPECT_EQ(o.threads, 3);
  EXPECT_EQ(o.timeBase.scale, 25000u);
  ASSERT_EQ(o.times.size(), 6u);
  EXPECT_EQ(o.frameNumbers.front(), -2);
  EXPECT_EQ(o.times.front(), -2000);
  EXPECT_EQ(o.times.back(), 3000);
  EXPECT_EQ(o.output, "o_%03d.exr");
  EXPECT_EQ(o.pngBits, 16);
  EXPECT_TRUE(o.quiet);
  ASSERT_EQ(o.failCalls.size(), 1u);
  EXPECT_EQ(o.failCalls[0].first, 2u);
  EXPECT_EQ(o.failCalls[0].last, 2u);
  EXPECT_EQ(o.failCalls[0].err, 4);
  ASSERT_EQ(o.withheldSuites.size(), 1u);
  EXPECT_EQ(o.withheldSuites[0].first, "PF World Suite");
  EXPECT_EQ(o.withheldSuites[0].second, 2);

  o = parseOptions({"-e", "lines", "-t", "45f", "--fps", "30000/1001"});
  EXPECT_EQ(o.times[0], 45045);
  EXPECT_EQ(o.frameNumbers[0], 45);
}

TEST(Options, MistakesAreNamed) {
  EXPECT_EQ(usageError({"--bogus"}), "unknown option --bogus; brelo-render --help shows the options");
  EXPECT_EQ(usageError({"Completion=5"}), "unexpected argument \"Completion=5\"; set controls with --set NAME=VALUE");
  EXPECT_EQ(usageError({"-o"}), "-o needs a value; brelo-render --help shows the options");
  EXPECT_EQ(usageError({"-e", "lines", "--plugin", "x.so"}), "choose the module with --effect or --plugin, not both");
  EXPECT_EQ(usageError({"-d", "10"}), "--depth takes 8, 16 or 32, not \"10\"");
  EXPECT_EQ(usageError({"--time", "1", "--frame", "3"}), "choose one of --time, --frame and --frames");
  EXPECT_EQ(usageError({"--frames", "5-2"}), "--frames 5-2: the last frame comes before the first");
  usageError({"--frames", "0-100000"});
  usageError({"--frames", "7"});
  usageError({"--downsample", "0"});
  usageError({"-j", "many"});
  usageError({"--png-bits", "32"});
  usageError({"--fail-call", "no_such_call"});
  usageError({"--withhold-suite", "PF World Suite"});
  EXPECT_EQ(usageError({"--size", "0x10"}), "the test card is 0 x 10 pixels: it has no pixels");
  EXPECT_EQ(usageError({"--size", "30001x10"}),
            "the test card is 30001 x 10 pixels; brelo-render takes at most 30000 pixels a side and 268435456 pixels in all");
  usageError({"--size", "20000x20000"});
  usageError({"--size", "64x48", "-i", "in.png"});
}

TEST(Options, SequencesStartKeepGoingAndBits) {
  Options o = parseOptions({"-e", "lines", "-i", "s_%04d.exr", "--start", "1001", "--keep-going", "--bits", "16",
                            "--frames", "1001-1003"});
  EXPECT_EQ(o.input, "s_%04d.exr");
  EXPECT_TRUE(o.startGiven);
  EXPECT_EQ(o.start, 1001);
  EXPECT_TRUE(o.keepGoing);
  EXPECT_EQ(o.bits, 16);
  EXPECT_EQ(o.frameChoice, Options::FrameChoice::Range);
  EXPECT_EQ(o.firstFrame, 1001);
  EXPECT_EQ(o.lastFrame, 1003);
  // Frame N at (N - start) / fps.
  EXPECT_EQ(o.times, (std::vector<A_long>{0, 1000, 2000}));
  EXPECT_EQ(o.frameNumbers, (std::vector<long>{1001, 1002, 1003}));

  o = parseOptions({"-e", "lines", "--start", "-5", "-t", "1"});
  EXPECT_EQ(o.frameChoice, Options::FrameChoice::Time);
  EXPECT_EQ(o.times, std::vector<A_long>{30000});
  EXPECT_EQ(o.frameNumbers, std::vector<long>{25});
  o = parseOptions({"-e", "lines", "--start", "100"});
  EXPECT_EQ(o.frameChoice, Options::FrameChoice::Default);
  EXPECT_EQ(o.times, std::vector<A_long>{0});
  EXPECT_EQ(o.frameNumbers, std::vector<long>{100});

  EXPECT_EQ(usageError({"--bits", "12"}), "--bits takes 8, 16 or 32, not \"12\"");
  EXPECT_EQ(usageError({"--bits", "8", "--png-bits", "8"}), "choose one of --bits and --png-bits");
  EXPECT_EQ(usageError({"--start", "x"}), "--start takes a whole number from -1000000000 to 1000000000, not \"x\"");
  EXPECT_EQ(usageError({"-e", "lines", "--effect=simplelines"}), "--effect is given twice");
  EXPECT_EQ(usageError({"-s"}), "-s needs a value; brelo-render --help shows the options");
  EXPECT_EQ(usageError({"--frames=1-2", "--set"}), "--set needs a value; brelo-render --help shows the options");
}

TEST(Options, HelpNamesEveryOptionAndTheExitStatus) {
  const std::string help = usageText();
  for (const char* option : {"--effect", "--plugin", "--list", "--about", "--set", "--preset", "--save-preset", "--values",
                             "--input", "--size", "--start", "--keep-going", "--depth", "--downsample", "--threads",
                             "--time", "--frame", "--frames", "--fps", "--output", "--bits", "--png-bits",
                             "--contact-sheet", "--quiet", "--fail-call", "--withhold-suite", "--help", "--version"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
  EXPECT_NE(help.find("Exit status: 0 done, 2 bad options"), std::string::npos);
  // Lines fit a terminal.
  std::size_t start = 0;
  while (start < help.size()) {
    std::size_t end = help.find('\n', start);
    if (end == std::string::npos) end = help.size();
    EXPECT_LE(end - start, 80u) << help.substr(start, end - start);
    start = end + 1;
  }
}

TEST(Progress, BarFramesTimePerFrameAndTimeLeft) {
  EXPECT_EQ(Progress::line(12, 48, 4.2, 20), "[#####...............] 12/48 frames  0.35 s/frame  0:13 left");
  EXPECT_EQ(Progress::line(48, 48, 9.6, 4), "[####] 48/48 frames  0.20 s/frame  0:00 left");
  EXPECT_EQ(Progress::line(1, 10001, 3.0, 2), "[..] 1/10001 frames  3.00 s/frame  8:20:00 left");
}
