// Frame rates, times, keyframe lists, and the names of numbered files.
#include <cstdio>

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "UsageError.h"
#include "brelo_render/FramePattern.h"
#include "brelo_render/Keyframes.h"
#include "brelo_render/RenderError.h"
#include "brelo_render/TimeBase.h"

using namespace Brelo::Render;
using RenderTest::usageError;

TEST(TimeBase, FrameRatesKeepSubFramePrecision) {
  TimeBase tb = parseFrameRate("30");
  EXPECT_EQ(tb.scale, 30000u);
  EXPECT_EQ(tb.step, 1000);
  tb = parseFrameRate("30000/1001");
  EXPECT_EQ(tb.scale, 30000u);
  EXPECT_EQ(tb.step, 1001);
  tb = parseFrameRate("29.97");
  EXPECT_EQ(tb.scale, 29970u);
  EXPECT_EQ(tb.step, 1000);
  tb = parseFrameRate("12.5/1");  // not whole: by its value
  EXPECT_EQ(tb.scale, 12500u);
  for (const char* bad : {"", "0", "-24", "abc", "30/0", "5000", "1/120", "24fps"}) usageError([&] { parseFrameRate(bad); });
}

TEST(TimeBase, TimesInSecondsOrFrames) {
  TimeBase tb = parseFrameRate("24");
  EXPECT_EQ(parseTime("1.5", tb), 36000);
  EXPECT_EQ(parseTime("1.5s", tb), 36000);
  EXPECT_EQ(parseTime("36f", tb), 36000);
  EXPECT_EQ(parseTime("0.5f", tb), 500);
  EXPECT_EQ(parseTime("-1", tb), -24000);
  EXPECT_EQ(tb.frameTime(36), 36000);
  EXPECT_EQ(usageError([&] { parseTime("soon", tb); }),
            "a time takes seconds (1.5 or 1.5s) or a frame (45f), not \"soon\"");
  usageError([&] { parseTime("1e9", tb); });  // beyond 32-bit host time
  usageError([&] { tb.frameTime(3000000); });
  EXPECT_EQ(formatSeconds(1.5), "1.5s");
}

// Messages are one line whatever the user typed: control characters show as
// spaces, long text is cut.
TEST(TimeBase, WhatWasTypedIsQuotedOnOneLine) {
  EXPECT_EQ(usageError([&] { parseFrameRate("30\nfps"); }),
            "frame rate takes a number such as 30, 29.97 or 30000/1001, not \"30 fps\"");
  EXPECT_EQ(usageError([&] { parseTime("1\r\n2", TimeBase{}); }),
            "a time takes seconds (1.5 or 1.5s) or a frame (45f), not \"1  2\"");
  EXPECT_EQ(usageError([&] { parseTime(std::string(100, '7') + "x", TimeBase{}); }),
            "a time takes seconds (1.5 or 1.5s) or a frame (45f), not \"" + std::string(80, '7') + "...\"");
}

TEST(Keyframes, ListsInIncreasingTimeOnly) {
  TimeBase tb = parseFrameRate("30");
  std::vector<KeyframeText> k = parseKeyframes(" 0@0 ; 100@2s;50@75f; ", tb, "Completion");
  ASSERT_EQ(k.size(), 3u);
  EXPECT_EQ(k[0].value, "0");
  EXPECT_EQ(k[0].time, 0);
  EXPECT_EQ(k[1].time, 60000);
  EXPECT_EQ(k[2].value, "50");
  EXPECT_EQ(k[2].time, 75000);
  // Points and colours keep their own punctuation.
  k = parseKeyframes("10,20@0;#FF0000@1", tb, "Center");
  EXPECT_EQ(k[0].value, "10,20");
  EXPECT_EQ(k[1].value, "#FF0000");

  EXPECT_EQ(usageError([&] { parseKeyframes("0@2;100@1", tb, "Completion"); }),
            "keyframes of \"Completion\" out of order: 1s comes after 2s; give them in increasing time");
  EXPECT_EQ(usageError([&] { parseKeyframes("0@1;100@30f", tb, "Completion"); }),
            "keyframes of \"Completion\": two keys at 1s");
  EXPECT_EQ(usageError([&] { parseKeyframes("0@0;100", tb, "Completion"); }),
            "keyframes of \"Completion\" take value@time;value@time..., not \"100\"");
  usageError([&] { parseKeyframes(";;", tb, "Completion"); });
  usageError([&] { parseKeyframes("@1", tb, "Completion"); });
  usageError([&] { parseKeyframes("1@x", tb, "Completion"); });
  EXPECT_TRUE(isKeyframeList("1@0"));
  EXPECT_FALSE(isKeyframeList("#FF0000"));
}

TEST(FramePattern, FrameNumbersAsPrintfWouldWriteThem) {
  for (long frame : {-12L, 0L, 7L, 123456L}) {
    char expected[4][64];
    std::snprintf(expected[0], 64, "f%d.png", int(frame));
    std::snprintf(expected[1], 64, "f%4d.png", int(frame));
    std::snprintf(expected[2], 64, "f%04d.png", int(frame));
    std::snprintf(expected[3], 64, "%012d.exr", int(frame));
    const char* patterns[4] = {"f%d.png", "f%4d.png", "f%04d.png", "%012d.exr"};
    for (int i = 0; i < 4; ++i) {
      FramePattern pattern(patterns[i]);
      EXPECT_TRUE(pattern.numbered());
      EXPECT_EQ(pattern.name(frame), expected[i]) << patterns[i] << " " << frame;
    }
  }
  FramePattern still("still 100%%.png");
  EXPECT_FALSE(still.numbered());
  EXPECT_EQ(still.name(5), "still 100%.png");
  for (const char* bad : {"f%s.png", "f%d_%d.png", "f%", "f%-4d.png", "f%x.png", "f%0999d.png"})
    usageError([&] { FramePattern{bad}; });
}

TEST(FramePattern, FileNamesGiveBackTheirFramesAndTheFolderItsSequence) {
  const FramePattern zero("shots/f_%04d.png"), plain("f%d.png"), spaced("f%4d.png");
  long n = 0;
  EXPECT_TRUE(zero.frameOf("shots/f_0012.png", &n) && n == 12);
  EXPECT_TRUE(zero.frameOf("shots/f_12345.png", &n) && n == 12345);
  EXPECT_TRUE(zero.frameOf("shots/f_-012.png", &n) && n == -12);
  EXPECT_FALSE(zero.frameOf("shots/f_12.png", &n));  // not how the pattern writes 12
  EXPECT_FALSE(zero.frameOf("shots/g_0012.png", &n));
  EXPECT_FALSE(zero.frameOf("shots/f_00x2.png", &n));
  EXPECT_FALSE(zero.frameOf("shots/f_.png", &n));
  EXPECT_TRUE(plain.frameOf("f7.png", &n) && n == 7);
  EXPECT_FALSE(plain.frameOf("f07.png", &n));
  EXPECT_TRUE(spaced.frameOf("f  12.png", &n) && n == 12);

  FramePattern p;
  EXPECT_TRUE(FramePattern::numberedPattern("a_%03d.exr", &p));
  EXPECT_FALSE(FramePattern::numberedPattern("still 100%.png", &p));
  EXPECT_FALSE(FramePattern::numberedPattern("plain.png", &p));
  EXPECT_FALSE(FramePattern("x_%d/f.png").listable());

  RenderTest::TempDir dir;
  for (const char* f : {"s_0003.exr", "s_0001.exr", "s_0010.exr", "s_01.exr", "s_0002.exr.tmp", "t_0004.exr"})
    RenderTest::writeFile(dir / f, "x");
  EXPECT_EQ(FramePattern(dir / "s_%04d.exr").framesOnDisk(), (std::vector<long>{1, 3, 10}));
  EXPECT_TRUE(FramePattern(dir / "u_%04d.exr").framesOnDisk().empty());
}
