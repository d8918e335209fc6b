// Reference frames of the SimpleLines effect from a fixed 64 x 48 input,
// compared byte for byte. After a deliberate change of the pictures,
// regenerate them with
//
//   BRELO_UPDATE_GOLDEN=1 ./test_simplelines_golden
//
// and look at every changed file before committing it.
#include <gtest/gtest.h>

#include "GoldenCases.h"
#include "GoldenImage.h"
#include "SimpleLinesModuleFixture.h"

namespace {

using namespace Brelo::Sim;
using SimpleLinesTest::renderSession;
using SimpleLinesTest::threadedModule;

TEST(SimpleLinesGolden, FramesMatchTheirReferences) {
  for (BreloTest::GoldenCase const& c : BreloTest::goldenCases(BreloTest::Effect::SimpleLines)) {
    SCOPED_TRACE(c.name);
    auto s = renderSession(threadedModule());
    c.settings(*s);
    RenderResult r = s->render(0, c.depth);
    ASSERT_EQ(r.err, PF_Err_NONE);
    ASSERT_EQ(r.image.width(), 64);
    ASSERT_EQ(r.image.height(), 48);
    BreloTest::GoldenImage::expectMatches(r.image, BRELO_GOLDEN_DIR, c.name);
  }
}

}  // namespace
