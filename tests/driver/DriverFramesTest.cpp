// The frames and failure outcomes of a render driver run (BRELO_FRAMES):
//   DriverFrames.*   each golden case at its own depth equals its reference.
//   SameAsBuild.*    every frame (every golden and platform case at 8, 16 and
//                    32 bits) and every failure outcome equals those of the
//                    build machine's run (BRELO_REFERENCE_FRAMES), byte for byte.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GoldenCases.h"
#include "GoldenImage.h"
#include "RawFrame.h"

namespace {

using namespace Brelo::Sim;
using namespace BreloTest;

constexpr Effect kEffects[] = {Effect::Lines, Effect::SimpleLines};
constexpr Depth kDepths[] = {Depth::Bits8, Depth::Bits16, Depth::Bits32};

std::string folder(const char* variable) {
  const char* dir = std::getenv(variable);
  return dir ? dir : "";
}

// Pixels that differ in any channel, for the message.
int differingPixels(Image const& a, Image const& b) {
  int n = 0;
  const std::size_t px = pixelSize(a.depth());
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const std::size_t at = (std::size_t(y) * std::size_t(a.width()) + std::size_t(x)) * px;
      if (std::string(reinterpret_cast<const char*>(a.bytes()) + at, px) !=
          std::string(reinterpret_cast<const char*>(b.bytes()) + at, px))
        ++n;
    }
  }
  return n;
}

bool readFrame(std::string const& dir, Effect effect, std::string const& name, Depth depth, Image* out) {
  std::string why;
  const bool ok = RawFrame::read(dir + "/" + RawFrame::path(effect, name, depth), kLayerWidth, kLayerHeight, depth,
                                 out, &why);
  EXPECT_TRUE(ok) << why;
  return ok;
}

std::vector<std::string> lines(std::string const& file) {
  std::ifstream in(file, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << file;
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(DriverFrames, EachGoldenCaseEqualsItsReference) {
  const std::string frames = folder("BRELO_FRAMES");
  ASSERT_FALSE(frames.empty()) << "BRELO_FRAMES names no folder";
  int compared = 0;
  for (Effect effect : kEffects) {
    for (GoldenCase const& c : goldenCases(effect)) {
      SCOPED_TRACE(std::string(effectName(effect)) + " " + c.name);
      Image frame, golden;
      if (!readFrame(frames, effect, c.name, c.depth, &frame)) continue;
      std::string why;
      const std::string ref =
          std::string(BRELO_GOLDEN_DIR) + "/" + effectName(effect) + "/" + c.name + GoldenImage::extension(c.depth);
      ASSERT_TRUE(GoldenImage::read(ref, c.depth, &golden, &why)) << why;
      EXPECT_TRUE(frame == golden) << differingPixels(frame, golden) << " pixels differ";
      ++compared;
    }
  }
  EXPECT_EQ(compared, int(goldenCases(Effect::Lines).size() + goldenCases(Effect::SimpleLines).size()));
}

TEST(SameAsBuild, EveryFrameAtEveryDepth) {
  const std::string frames = folder("BRELO_FRAMES"), reference = folder("BRELO_REFERENCE_FRAMES");
  ASSERT_FALSE(frames.empty() || reference.empty()) << "BRELO_FRAMES and BRELO_REFERENCE_FRAMES name the two runs";
  int compared = 0, differing = 0;
  std::ostringstream report;
  for (Effect effect : kEffects) {
    std::vector<GoldenCase> all = goldenCases(effect);
    all.insert(all.end(), platformCases(effect).begin(), platformCases(effect).end());
    for (GoldenCase const& c : all) {
      for (Depth depth : kDepths) {
        Image frame, expected;
        if (!readFrame(frames, effect, c.name, depth, &frame) || !readFrame(reference, effect, c.name, depth, &expected))
          continue;
        ++compared;
        if (frame != expected) {
          ++differing;
          report << "\n  " << RawFrame::path(effect, c.name, depth) << ": " << differingPixels(frame, expected)
                 << " of " << kLayerWidth * kLayerHeight << " pixels differ";
        }
      }
    }
  }
  EXPECT_EQ(differing, 0) << report.str();
  std::size_t cases = 0;
  for (Effect effect : kEffects) cases += goldenCases(effect).size() + platformCases(effect).size();
  EXPECT_EQ(compared, 3 * int(cases));
}

TEST(SameAsBuild, EveryHostCallFailureEndsTheSameWay) {
  const std::string frames = folder("BRELO_FRAMES"), reference = folder("BRELO_REFERENCE_FRAMES");
  ASSERT_FALSE(frames.empty() || reference.empty()) << "BRELO_FRAMES and BRELO_REFERENCE_FRAMES name the two runs";
  for (Effect effect : kEffects) {
    SCOPED_TRACE(effectName(effect));
    const std::string file = std::string("/") + effectName(effect) + "/sweep.txt";
    const std::vector<std::string> got = lines(frames + file), expected = lines(reference + file);
    EXPECT_GT(expected.size(), 30u);  // every call of a render, at three depths
    EXPECT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size() && i < expected.size(); ++i) EXPECT_EQ(got[i], expected[i]);
  }
}

}  // namespace
