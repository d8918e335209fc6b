// Loading the Lines effect: about box, global set-up and set-down, and the
// 125 controls it registers, against the table written out independently.
#include <cmath>
#include <string>

#include "ExpectedLinesControls.h"
#include "LinesModuleUtil.h"

using namespace LinesTest;

namespace {

TEST(LinesSetup, AboutShowsNameVersionAndNotice) {
  Session s(entry());
  const CommandResult r = s.about();
  EXPECT_EQ(r.err, PF_Err_NONE);
  const std::string prefix = "BreloLines, v1.00\r";
  ASSERT_EQ(r.return_msg.compare(0, prefix.size(), prefix), 0) << r.return_msg;
  const std::string notice = r.return_msg.substr(prefix.size());
  EXPECT_FALSE(notice.empty());
  EXPECT_EQ(notice.find_first_of("\r\n"), std::string::npos) << "one line";
  expectClean(s, 0);
}

TEST(LinesSetup, GlobalSetupRegistersAndSetdownDisposes) {
  Session s(entry());
  const CommandResult g = s.globalSetup();
  ASSERT_EQ(g.err, PF_Err_NONE);
  EXPECT_EQ(g.my_version, 525825u);
  EXPECT_EQ(g.out_flags, 100663296);
  EXPECT_EQ(g.out_flags2, 5120);
  EXPECT_EQ(s.host().callCount(Call::RegisterWithAEGP), 1u);

  PF_Handle global = s.instance().globalData();
  ASSERT_TRUE(s.host().isLiveHandle(global));
  EXPECT_EQ(s.host().handleLockCount(global), 0);
  expectClean(s, 1);

  EXPECT_EQ(s.globalSetdown().err, PF_Err_NONE);
  EXPECT_FALSE(s.host().isLiveHandle(global));
  expectClean(s, 0);
}

TEST(LinesSetup, EveryControlAsTheUserKnowsIt) {
  Session s(entry());
  ASSERT_EQ(s.globalSetup().err, PF_Err_NONE);
  const CommandResult p = s.paramsSetup();
  ASSERT_EQ(p.err, PF_Err_NONE);
  EXPECT_EQ(p.num_params, 126);
  ASSERT_EQ(s.instance().numParams(), 126);
  EXPECT_EQ(s.host().callCount(Call::AddParam), 125u);

  ASSERT_EQ(sizeof LinesExpected::kControls / sizeof LinesExpected::kControls[0], 125u);
  for (LinesExpected::Control const& c : LinesExpected::kControls) {
    LinesExpected::expectControl(s.instance().definition(c.index), c);
  }
  expectClean(s, 1);
}

TEST(LinesSetup, TotalWidthAdmitsTheDiagonalOfLargeLayers) {
  Session s(entry());
  setUpEffect(s);
  const PF_ParamDef& tw = s.instance().definition(5);
  // The optimum width of a 30000 x 30000 layer at 45 degrees.
  EXPECT_GE(double(tw.u.fs_d.valid_max), 30000 * std::sqrt(2.0));
  EXPECT_EQ(double(tw.u.fs_d.valid_max), Brelo::kMaxTotalWidth);
  EXPECT_EQ(double(tw.u.fs_d.slider_max), Brelo::kMaxTotalWidth);
}

TEST(LinesSetup, CommandsItDoesNotAnswerSucceed) {
  Session s(entry());
  setUpEffect(s);
  const PF_Cmd unanswered[] = {PF_Cmd_SEQUENCE_SETUP, PF_Cmd_FRAME_SETUP, PF_Cmd_RENDER, PF_Cmd_EVENT,
                               PF_Cmd_NUM_CMDS + 5};
  for (PF_Cmd cmd : unanswered) {
    auto scope = s.beginCommand(cmd);
    EXPECT_EQ(entry()(cmd, scope->in_data(), scope->out_data(), scope->params(), nullptr, nullptr), PF_Err_NONE)
        << cmd;
    EXPECT_EQ(scope->out_data()->out_flags, 0) << cmd;
  }
  expectClean(s, 1);
}

}  // namespace
