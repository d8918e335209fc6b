// The SimpleLines module rendered through brelo-render.
#include <gtest/gtest.h>

#include "RenderTestUtil.h"

using namespace RenderTest;

TEST(SimpleLinesRender, IdenticalBytesAtEveryThreadCount) {
  expectIdenticalBytesAtEveryThreadCount(BRELO_SIMPLELINES_MODULE,
                                         {"Wipe Completion=40", "Blending Mode=Screen", "Direction=30"});
}

TEST(SimpleLinesRender, TheToolWritesWhatTheHostRendersAtEveryDepth) {
  expectToolRendersAsTheHost(BRELO_SIMPLELINES_MODULE, "BreloSimpleLines",
                             {"Wipe Completion=0@0;100@1", "Blending Mode=Screen", "Direction=30"});
}

TEST(SimpleLinesRender, PresetRoundTripAndWipeAnimation) {
  TempDir dir;
  RunResult a = runTool({"--plugin", BRELO_SIMPLELINES_MODULE, "--size", "80x48", "-s", "Wipe Completion=0@0;100@1",
                         "-s", "Color 1=#2060A0", "-s", "Width Mode=Two", "-s", "Center=10,20", "-t", "0.5",
                         "--save-preset", "p.json", "-o", "a.png"},
                        dir.path());
  ASSERT_EQ(a.code, 0) << a.err;
  RunResult b = runTool(
      {"--plugin", BRELO_SIMPLELINES_MODULE, "--size", "80x48", "-p", "p.json", "-t", "0.5", "-o", "b.png"}, dir.path());
  ASSERT_EQ(b.code, 0) << b.err;
  EXPECT_EQ(readFile(dir / "a.png"), readFile(dir / "b.png"));

  // Wiped completely, the bars are gone and the card shows as it is.
  RunResult w = runTool({"--plugin", BRELO_SIMPLELINES_MODULE, "--size", "80x48", "-s", "Wipe Completion=0@0;100@1",
                         "--frames", "0-30", "-o", "w_%02d.png", "--contact-sheet", "w.png"},
                        dir.path());
  ASSERT_EQ(w.code, 0) << w.err;
  RunResult card = runTool({"--plugin", BRELO_TEST_MODULE, "--size", "80x48", "-o", "card.png"}, dir.path());
  ASSERT_EQ(card.code, 0) << card.err;
  EXPECT_EQ(decodePngFile(dir / "w_30.png").samples, decodePngFile(dir / "card.png").samples);
  EXPECT_NE(decodePngFile(dir / "w_00.png").samples, decodePngFile(dir / "card.png").samples);
}
