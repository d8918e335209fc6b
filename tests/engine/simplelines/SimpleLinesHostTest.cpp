// The engine over buffers the simulated host creates: padded rows that the
// host checks, layers filled by the host, nothing left behind.
#include <gtest/gtest.h>

#include <memory>

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLinesFrame.h"
#include "brelo_host/Host.h"
#include "brelo_host/Session.h"

namespace Brelo {
namespace {

TEST(SimpleLinesOverHostWorlds, BothBuildsPaintTheSameAndLeaveNothingBehind) {
  Sim::Session session(nullptr, 96, 54);
  {
    std::unique_ptr<Sim::Session::Scope> scope = session.beginCommand(PF_Cmd_SMART_RENDER);
    SimpleLines::Parameter p;
    p.setCenter(Vector<double>(48, 27))
        .setDirection(2.5)
        .setTotalWidth(90)
        .setWidthMax1(5)
        .setWidthMin(0.1)
        .setGapMax1(2)
        .setHeightMax1(40)
        .setColorNum(3)
        .setTransitionCompletion(0.4)
        .setBlendMode(BlendMode::Overlay);
    for (BPC bpc : {BPC::Bits8, BPC::Bits16, BPC::Bits32}) {
      Layer threaded(scope->in_data(), scope->out_data(), 96, 54, bpc);
      Layer whole(scope->in_data(), scope->out_data(), 96, 54, bpc);
      ColorFloat<float> const background(1.0f, 0.2f, 0.5f, 0.7f);
      threaded.fill(background);
      whole.fill(background);
      ASSERT_EQ(threaded.getError(), PF_Err_NONE);
      ASSERT_EQ(whole.getError(), PF_Err_NONE);
      EXPECT_EQ(threaded::renderSimpleLinesFrame(threaded, 3, p), PF_Err_NONE);
      EXPECT_EQ(single::renderSimpleLinesFrame(whole, 3, p), PF_Err_NONE);
      EXPECT_TRUE(session.host().readWorld(threaded.getWorld()) == session.host().readWorld(whole.getWorld()));
      EXPECT_TRUE(session.host().paddingIntact(threaded.getWorld()));
      EXPECT_TRUE(session.host().paddingIntact(whole.getWorld()));
      // Something was painted: the background no longer holds everywhere.
      bool changed = false;
      for (int y = 0; y < 54 && !changed; ++y)
        for (int x = 0; x < 96 && !changed; ++x) changed = whole.getPixel(x, y).green != background.green;
      EXPECT_TRUE(changed);
      EXPECT_EQ(threaded.getError(), PF_Err_NONE);
    }
  }
  EXPECT_TRUE(session.host().outstanding().none()) << session.host().outstanding().describe();
  EXPECT_TRUE(session.host().misuses().empty());
}

}  // namespace
}  // namespace Brelo
