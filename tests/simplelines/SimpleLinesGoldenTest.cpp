// Reference frames of the SimpleLines effect from a fixed 64 x 48 input,
// compared byte for byte. After a deliberate change of the pictures,
// regenerate them with
//
//   BRELO_UPDATE_GOLDEN=1 ./test_simplelines_golden
//
// and look at every changed file before committing it.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "GoldenImage.h"
#include "SimpleLinesModuleFixture.h"

namespace {

using namespace Brelo::Sim;
using SimpleLinesTest::renderSession;
using SimpleLinesTest::threadedModule;

// Bars that fit the small frame, so that alignment, colours and wipes show:
// three ranges of each length, lengths well inside the layer.
void smallBars(Session& s) {
  const std::pair<int, double> values[] = {
      {4, 56},           // Total Width
      {6, 3},  {7, 6},   {8, 3},  {9, 5},   // widths
      {12, 3}, {13, 2},  {14, 1}, {15, 3},  // gaps
      {21, 3}, {22, 36}, {23, 14}, {24, 24}, {25, 30},  // heights, Min Height
      {33, 6},                               // Max Align Variance
      {39, 3},                               // Color Mode
  };
  for (auto const& v : values) s.setValue(v.first, v.second);
  s.setPoint(1, 30, 22);
  s.setValue(3, 100);  // Direction
}

struct Case {
  std::string name;
  Depth depth;
  std::function<void(Session&)> set;
};

std::vector<Case> cases() {
  std::vector<Case> out = {
      {"defaults", Depth::Bits8, [](Session&) {}},
      {"defaults_16", Depth::Bits16, [](Session&) {}},
      {"defaults_float", Depth::Bits32, [](Session&) {}},
      {"bars", Depth::Bits8, smallBars},
      {"bars_16", Depth::Bits16, smallBars},
      {"bars_float", Depth::Bits32, smallBars},
      {"none", Depth::Bits8,
       [](Session& s) {
         smallBars(s);
         s.setValue(65, 1);
       }},
  };
  const char* const align[] = {"align_top", "align_middle", "align_bottom"};
  for (int t = 1; t <= 3; ++t) {
    out.push_back({align[t - 1], Depth::Bits8, [t](Session& s) {
                     smallBars(s);
                     s.setValue(30, t);
                   }});
  }
  const char* const space[] = {"color_rgb", "color_hls", "color_yuv"};
  for (int c = 1; c <= 3; ++c) {
    out.push_back({space[c - 1], Depth::Bits8, [c](Session& s) {
                     smallBars(s);
                     s.setValue(43, c);
                     for (int v : {45, 46, 47}) s.setValue(v, 40);
                   }});
  }
  const char* const wipe[] = {"wipe_x", "wipe_y", "wipe_alternately1", "wipe_alternately2",
                              "wipe_x_or_y", "wipe_fade_out", "wipe_random"};
  for (int w = 1; w <= 7; ++w) {
    out.push_back({wipe[w - 1], Depth::Bits8, [w](Session& s) {
                     smallBars(s);
                     s.setValue(51, 40);  // Wipe Completion
                     s.setValue(53, w);
                   }});
  }
  return out;
}

TEST(SimpleLinesGolden, FramesMatchTheirReferences) {
  for (Case const& c : cases()) {
    SCOPED_TRACE(c.name);
    auto s = renderSession(threadedModule());
    c.set(*s);
    RenderResult r = s->render(0, c.depth);
    ASSERT_EQ(r.err, PF_Err_NONE);
    ASSERT_EQ(r.image.width(), 64);
    ASSERT_EQ(r.image.height(), 48);
    BreloTest::GoldenImage::expectMatches(r.image, BRELO_GOLDEN_DIR, c.name);
  }
}

}  // namespace
