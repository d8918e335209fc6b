// Reference renders of the Lines effect on the synthetic layer, compared
// byte for byte. After a deliberate change of the picture, regenerate them
// with BRELO_UPDATE_GOLDEN=1 set for this test only, look at every changed
// file, and commit them with the change.
#include <functional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "GoldenImage.h"
#include "LinesRenderSupport.h"
#include "Lines/LinesParams.h"

namespace {

using namespace Brelo::Sim;
using namespace Brelo::LinesParams;

struct Golden {
  const char* name;
  Depth depth;
  std::function<void(Session&)> settings;
};

// Narrow strips, so that 64 x 48 pixels show many of them.
void narrowStrips(Session& s) {
  s.setValue(kTotalWidth, 90);
  s.setValue(kMaxWidth1, 7);
  s.setValue(kMinWidth, 40);
  s.setValue(kDirection, 75);
}

// Half way, every strip at once, so that each shows how it is wiped.
void wipe(Session& s, int type) {
  narrowStrips(s);
  s.setValue(kWipeType, type);
  s.setValue(kWipeCompletion, 50);
  s.setValue(kWipeDelay, 0);
}

const Golden kGoldens[] = {
    {"defaults", Depth::Bits8, [](Session&) {}},
    {"slices", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kMaxSlice, 14);
     }},
    {"slices_gaps_original", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kMaxSlice, 14);
       s.setValue(kMaxGap1, 4);
       s.setValue(kOriginal, 1);
     }},
    {"rgb_separation", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kMaxRGBSeparation, 6);
     }},
    {"tritone", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kColorCorrectionType, 1);
       s.setValue(kBlendWithOriginal, 100);
     }},
    {"tint", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kColorCorrectionType, 2);
       s.setValue(kBlendWithOriginal, 100);
     }},
    {"hls", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kColorCorrectionType, 3);
       s.setValue(kMaxColorHVariance, 90);
       s.setValue(kMaxColorLVariance, 20);
     }},
    {"composite_normal", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kCompositeOpacity, 70);
       s.setValue(kBlendingMode, 1);
       s.setValue(kCompositeMode, 3);
     }},
    {"composite_multiply", Depth::Bits8,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kCompositeOpacity, 100);
       s.setValue(kBlendingMode, 4);
     }},
    {"wipe_normal", Depth::Bits8, [](Session& s) { wipe(s, 1); }},
    {"wipe_inverse", Depth::Bits8, [](Session& s) { wipe(s, 2); }},
    {"wipe_normal_or_inverse", Depth::Bits8, [](Session& s) { wipe(s, 3); }},
    {"wipe_both", Depth::Bits8, [](Session& s) { wipe(s, 4); }},
    {"wipe_normal_or_inverse_or_both", Depth::Bits8, [](Session& s) { wipe(s, 5); }},
    {"wipe_fade_out", Depth::Bits8, [](Session& s) { wipe(s, 6); }},
    {"wipe_random", Depth::Bits8, [](Session& s) { wipe(s, 7); }},
    {"slices_rgb_16bit", Depth::Bits16,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kMaxSlice, 14);
       s.setValue(kMaxRGBSeparation, 6);
     }},
    {"slices_rgb_composite_float", Depth::Bits32,
     [](Session& s) {
       narrowStrips(s);
       s.setValue(kMaxSlice, 14);
       s.setValue(kMaxRGBSeparation, 6);
       s.setValue(kCompositeOpacity, 50);
       s.setValue(kBlendingMode, 5);
     }},
};

void PrintTo(Golden const& g, std::ostream* os) { *os << g.name; }

class LinesGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(LinesGolden, RendersAsRecorded) {
  Golden const& g = GetParam();
  auto s = BreloTest::newSession(BreloTest::threadedModule());
  g.settings(*s);
  RenderResult const r = s->render(0, g.depth);
  ASSERT_EQ(r.err, PF_Err_NONE);
  BreloTest::GoldenImage::expectMatches(r.image, BRELO_GOLDEN_DIR, g.name);
}

INSTANTIATE_TEST_SUITE_P(Settings, LinesGolden, ::testing::ValuesIn(kGoldens),
                         [](::testing::TestParamInfo<Golden> const& p) { return std::string(p.param.name); });

}  // namespace
