// Reference renders of the Lines effect on the synthetic layer, compared
// byte for byte. After a deliberate change of the picture, regenerate them
// with BRELO_UPDATE_GOLDEN=1 set for this test only, look at every changed
// file, and commit them with the change.
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "GoldenCases.h"
#include "GoldenImage.h"
#include "LinesRenderSupport.h"

namespace BreloTest {

// gtest prints the case by its name.
void PrintTo(GoldenCase const& g, std::ostream* os) { *os << g.name; }

}  // namespace BreloTest

namespace {

using namespace Brelo::Sim;
using BreloTest::GoldenCase;

class LinesGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(LinesGolden, RendersAsRecorded) {
  GoldenCase const& g = GetParam();
  auto s = BreloTest::newSession(BreloTest::threadedModule());
  g.settings(*s);
  RenderResult const r = s->render(0, g.depth);
  ASSERT_EQ(r.err, PF_Err_NONE);
  BreloTest::GoldenImage::expectMatches(r.image, BRELO_GOLDEN_DIR, g.name);
}

INSTANTIATE_TEST_SUITE_P(Settings, LinesGolden,
                         ::testing::ValuesIn(BreloTest::goldenCases(BreloTest::Effect::Lines)),
                         [](::testing::TestParamInfo<GoldenCase> const& p) { return p.param.name; });

}  // namespace
