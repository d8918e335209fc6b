// The Lines module rendered through brelo-render.
#include <algorithm>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"

using namespace RenderTest;

TEST(LinesRender, ModuleErrorIsReportedAndNothingIsWritten) {
  TempDir dir;
  writeFile(dir / "out.png", "OLD");
  RunResult r = runTool({"--plugin", BRELO_LINES_MODULE, "--size", "16x12", "--fail-call", "checkout_output:1:4",
                         "-o", "out.png"},
                        dir.path());
  EXPECT_EQ(r.code, 5) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("brelo-render: BreloLines failed to render frame 0 (0s) at ", 0), 0u) << r.err;
  EXPECT_EQ(readFile(dir / "out.png"), "OLD");

  RunResult ok = runTool({"--plugin", BRELO_LINES_MODULE, "--size", "16x12", "-o", "out.png"}, dir.path());
  ASSERT_EQ(ok.code, 0) << ok.err;
  EXPECT_EQ(decodePngFile(dir / "out.png").width, 16);
}

TEST(LinesRender, IdenticalBytesAtEveryThreadCount) {
  expectIdenticalBytesAtEveryThreadCount(BRELO_LINES_MODULE,
                                         {"Max Slice=40", "Max RGB Separation=12", "Completion=60"});
}

TEST(LinesRender, TheToolWritesWhatTheHostRendersAtEveryDepth) {
  expectToolRendersAsTheHost(BRELO_LINES_MODULE, "BreloLines",
                             {"Completion=0@0;100@1", "Max Slice=30", "Max RGB Separation=10", "Composite Opacity=60"});
}

TEST(LinesRender, PresetRoundTripAndAnimatedDemo) {
  TempDir dir;
  RunResult a = runTool({"--plugin", BRELO_LINES_MODULE, "--size", "80x48", "-s", "Wipe Completion=0@0;100@1", "-s",
                         "Max Slice=30", "-s", "Outside=Wrap", "-s", "Midtone=#203040", "-t", "0.5", "--save-preset",
                         "p.json", "-o", "a.png"},
                        dir.path());
  ASSERT_EQ(a.code, 0) << a.err;
  RunResult b = runTool({"--plugin", BRELO_LINES_MODULE, "--size", "80x48", "-p", "p.json", "-t", "0.5", "-o", "b.png"},
                        dir.path());
  ASSERT_EQ(b.code, 0) << b.err;
  EXPECT_EQ(readFile(dir / "a.png"), readFile(dir / "b.png"));

  RunResult c = runTool({"--plugin", BRELO_LINES_MODULE, "--size", "80x48", "-s", "Completion=0@0;100@0.5", "-s",
                         "Max Slice=50", "--frames", "0-15", "-o", "d_%02d.png", "--contact-sheet", "d.png"},
                        dir.path());
  ASSERT_EQ(c.code, 0) << c.err;
  EXPECT_TRUE(exists(dir / "d_15.png"));
  EXPECT_TRUE(exists(dir / "d.png"));
}
