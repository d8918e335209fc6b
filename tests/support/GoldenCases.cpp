#include "GoldenCases.h"

#include <utility>

#include "Lines/LinesParams.h"
#include "SimpleLines/SimpleLinesParams.h"

namespace BreloTest {

using namespace Brelo::Sim;

namespace {

using namespace Brelo::LinesParams;

// Narrow strips, so that 64 x 48 pixels show many of them.
void narrowStrips(Session& s) {
  s.setValue(kTotalWidth, 90);
  s.setValue(kMaxWidth1, 7);
  s.setValue(kMinWidth, 40);
  s.setValue(kDirection, 75);
}

// Half way, every strip at once, so that each shows how it is wiped.
void linesWipe(Session& s, int type) {
  narrowStrips(s);
  s.setValue(kWipeType, type);
  s.setValue(kWipeCompletion, 50);
  s.setValue(kWipeDelay, 0);
}

// Narrow strips, then each (control, value) in order.
std::function<void(Session&)> narrowStripsWith(std::vector<std::pair<int, double>> values) {
  return [values](Session& s) {
    narrowStrips(s);
    for (auto const& v : values) s.setValue(v.first, v.second);
  };
}

std::vector<GoldenCase> linesCases() {
  return {
      {"defaults", Depth::Bits8, [](Session&) {}},
      {"slices", Depth::Bits8, narrowStripsWith({{kMaxSlice, 14}})},
      {"slices_gaps_original", Depth::Bits8, narrowStripsWith({{kMaxSlice, 14}, {kMaxGap1, 4}, {kOriginal, 1}})},
      {"rgb_separation", Depth::Bits8, narrowStripsWith({{kMaxRGBSeparation, 6}})},
      {"tritone", Depth::Bits8, narrowStripsWith({{kColorCorrectionType, 1}, {kBlendWithOriginal, 100}})},
      {"tint", Depth::Bits8, narrowStripsWith({{kColorCorrectionType, 2}, {kBlendWithOriginal, 100}})},
      {"hls", Depth::Bits8,
       narrowStripsWith({{kColorCorrectionType, 3}, {kMaxColorHVariance, 90}, {kMaxColorLVariance, 20}})},
      {"composite_normal", Depth::Bits8,
       narrowStripsWith({{kCompositeOpacity, 70}, {kBlendingMode, 1}, {kCompositeMode, 3}})},
      {"composite_multiply", Depth::Bits8, narrowStripsWith({{kCompositeOpacity, 100}, {kBlendingMode, 4}})},
      {"wipe_normal", Depth::Bits8, [](Session& s) { linesWipe(s, 1); }},
      {"wipe_inverse", Depth::Bits8, [](Session& s) { linesWipe(s, 2); }},
      {"wipe_normal_or_inverse", Depth::Bits8, [](Session& s) { linesWipe(s, 3); }},
      {"wipe_both", Depth::Bits8, [](Session& s) { linesWipe(s, 4); }},
      {"wipe_normal_or_inverse_or_both", Depth::Bits8, [](Session& s) { linesWipe(s, 5); }},
      {"wipe_fade_out", Depth::Bits8, [](Session& s) { linesWipe(s, 6); }},
      {"wipe_random", Depth::Bits8, [](Session& s) { linesWipe(s, 7); }},
      {"slices_rgb_16bit", Depth::Bits16, narrowStripsWith({{kMaxSlice, 14}, {kMaxRGBSeparation, 6}})},
      {"slices_rgb_composite_float", Depth::Bits32,
       narrowStripsWith(
           {{kMaxSlice, 14}, {kMaxRGBSeparation, 6}, {kCompositeOpacity, 50}, {kBlendingMode, 5}})},
  };
}

// Bars that fit the small frame, so that alignment, colours and wipes show:
// three ranges of each length, lengths well inside the layer.
void smallBars(Session& s) {
  const std::pair<int, double> values[] = {
      {4, 56},                                          // Total Width
      {6, 3},  {7, 6},   {8, 3},   {9, 5},              // widths
      {12, 3}, {13, 2},  {14, 1},  {15, 3},             // gaps
      {21, 3}, {22, 36}, {23, 14}, {24, 24}, {25, 30},  // heights, Min Height
      {33, 6},                                          // Max Align Variance
      {39, 3},                                          // Color Mode
  };
  for (auto const& v : values) s.setValue(v.first, v.second);
  s.setPoint(1, 30, 22);
  s.setValue(3, 100);  // Direction
}

std::vector<GoldenCase> simpleLinesCases() {
  std::vector<GoldenCase> out = {
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

std::vector<GoldenCase> linesPlatformCases() {
  return {
      {"maths_soft_light", Depth::Bits8,
       narrowStripsWith({{kMaxSlice, 14}, {kCompositeOpacity, 70}, {kBlendingMode, 7 /* Soft Light */}})},
      {"maths_powers_easing", Depth::Bits8,
       narrowStripsWith({
           {kDirection, 33.3},
           {kWidthPower, 2.7},
           {kMaxGap1, 4},
           {kGapPower, 0.45},
           {kMaxSlice, 14},
           {kSlicePower, 3.3},
           {kSliceCompletion, 40},
           {kSliceEasingType, 6},  // Expo
           {kMaxRGBSeparation, 6},
           {kRGBCompletion, 60},
           {kRGBEasingType, 8},  // Sine
       })},
  };
}

std::vector<GoldenCase> simpleLinesPlatformCases() {
  namespace P = Brelo::SimpleLinesParams;
  return {
      {"maths_soft_light", Depth::Bits8,
       [](Session& s) {
         smallBars(s);
         s.setValue(P::kBlendingMode, 9);  // Soft Light
       }},
      {"maths_powers_easing", Depth::Bits8,
       [](Session& s) {
         smallBars(s);
         s.setValue(P::kDirection, 33.3);
         s.setValue(P::kWidthPower, 2.7);
         s.setValue(P::kGapPower, 1.7);
         s.setValue(P::kHeightPower, 0.45);
         s.setValue(P::kAlignPower, 3.3);
         s.setValue(P::kWipeCompletion, 40);
         s.setValue(P::kWipeEasingType, 6);  // Expo
       }},
  };
}

}  // namespace

const char* effectName(Effect effect) { return effect == Effect::Lines ? "lines" : "simplelines"; }

Image syntheticLayer() {
  Image image(kLayerWidth, kLayerHeight, Depth::Bits32);
  for (int y = 0; y < kLayerHeight; ++y) {
    for (int x = 0; x < kLayerWidth; ++x) {
      RGBA c;
      c.a = 1.0f;
      c.r = float(x) / float(kLayerWidth - 1);
      c.g = float(y) / float(kLayerHeight - 1);
      c.b = ((x / 8 + y / 8) % 2) ? 0.875f : 0.125f;
      if (x >= 48 && y < 12) c.a = 0.5f;
      if (x < 8 && y >= 40) c.a = 0.0f;
      image.set(x, y, c);
    }
  }
  return image;
}

Image simpleLinesLayer(int width, int height) {
  Image img(width, height, Depth::Bits8);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      PF_Pixel& p = img.px8(x, y);
      p.red = A_u_char(x * 255 / (width - 1));
      p.green = A_u_char(y * 255 / (height - 1));
      p.blue = A_u_char(((x / 8 + y / 8) % 2) ? 200 : 40);
      p.alpha = x < width / 4 && y < height / 4 ? 0 : (y > height * 3 / 4 ? 128 : 255);
    }
  }
  return img;
}

std::vector<GoldenCase> const& goldenCases(Effect effect) {
  static const std::vector<GoldenCase> lines = linesCases();
  static const std::vector<GoldenCase> simpleLines = simpleLinesCases();
  return effect == Effect::Lines ? lines : simpleLines;
}

std::vector<GoldenCase> const& platformCases(Effect effect) {
  static const std::vector<GoldenCase> lines = linesPlatformCases();
  static const std::vector<GoldenCase> simpleLines = simpleLinesPlatformCases();
  return effect == Effect::Lines ? lines : simpleLines;
}

std::unique_ptr<Session> goldenSession(Effect effect, PF_EntryPointFunc entry, PF_Err* setupErr) {
  auto session = std::make_unique<Session>(entry, kLayerWidth, kLayerHeight);
  session->setInput(effect == Effect::Lines ? syntheticLayer() : simpleLinesLayer(kLayerWidth, kLayerHeight));
  *setupErr = session->setup().err;
  return session;
}

}  // namespace BreloTest
