// The SimpleLines module through the simulated host, outside of rendering:
// about text, global set-up and set-down, the registered controls, the
// user-changed command and the controls' appearance.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExpectedSimpleLinesControls.h"
#include "SimpleLinesModuleFixture.h"

namespace {

using namespace Brelo::Sim;
using SimpleLinesTest::expectClean;
using SimpleLinesTest::threadedModule;

TEST(SimpleLinesModule, AboutNamesTheEffectAndItsVersion) {
  Session s(threadedModule().entry());
  const CommandResult r = s.about();
  EXPECT_EQ(r.err, PF_Err_NONE);
  const std::string head = "BreloSimpleLines, v1.00\r";
  ASSERT_GT(r.return_msg.size(), head.size());
  EXPECT_EQ(r.return_msg.substr(0, head.size()), head);
  EXPECT_EQ(r.return_msg.find('\r', head.size()), std::string::npos);
}

TEST(SimpleLinesModule, GlobalSetupRegistersAndSetdownReleases) {
  Session s(threadedModule().entry());
  const CommandResult r = s.globalSetup();
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(r.my_version, 525825u);
  EXPECT_EQ(r.out_flags, PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI);
  EXPECT_EQ(r.out_flags2, PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE);
  EXPECT_EQ(s.host().callCount(Call::RegisterWithAEGP), 1u);
  ASSERT_NE(s.instance().globalData(), nullptr);
  EXPECT_TRUE(s.host().isLiveHandle(s.instance().globalData()));
  EXPECT_EQ(s.host().handleLockCount(s.instance().globalData()), 0);
  EXPECT_EQ(s.host().outstanding().handles, 1u);
  EXPECT_EQ(s.host().outstanding().suites, 0u);

  EXPECT_EQ(s.globalSetdown().err, PF_Err_NONE);
  expectClean(s);
}

TEST(SimpleLinesModule, GlobalSetupFailuresLeaveNothingBehind) {
  struct Case {
    Call call;
    PF_Err injected, expected;
    bool global_data;
  };
  for (Case c : {Case{Call::HostNewHandle, 1, PF_Err_INTERNAL_STRUCT_DAMAGED, false},
                 Case{Call::HostLockHandle, 1, PF_Err_NONE, false},
                 Case{Call::RegisterWithAEGP, PF_Err_OUT_OF_MEMORY, PF_Err_OUT_OF_MEMORY, false},
                 Case{Call::HostUnlockHandle, 1, PF_Err_NONE, true}}) {
    SCOPED_TRACE(callName(c.call));
    Session s(threadedModule().entry());
    s.host().failCall(c.call, 1, c.injected);
    EXPECT_EQ(s.globalSetup().err, c.expected);
    EXPECT_EQ(s.instance().globalData() != nullptr, c.global_data);
    s.host().clearFaults();
    if (c.global_data) s.globalSetdown();
    expectClean(s);
  }
  for (auto suite : {std::make_pair(kPFHandleSuite, kPFHandleSuiteVersion2),
                     std::make_pair(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7)}) {
    SCOPED_TRACE(suite.first);
    Session s(threadedModule().entry());
    s.host().withholdSuite(suite.first, suite.second);
    EXPECT_EQ(s.globalSetup().err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(s.instance().globalData(), nullptr);
    expectClean(s);
  }
}

TEST(SimpleLinesModule, RegistersTheSixtyFiveControlsAsTheTableSays) {
  Session s(threadedModule().entry());
  ASSERT_EQ(s.globalSetup().err, PF_Err_NONE);
  const CommandResult r = s.paramsSetup();
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(r.num_params, 66);
  ASSERT_EQ(s.instance().numParams(), 66);
  const auto& rows = SimpleLinesExpected::kControls;
  ASSERT_EQ(sizeof rows / sizeof rows[0], 65u);
  for (int i = 1; i <= 65; ++i) {
    ASSERT_EQ(rows[i - 1].index, i);
    PF_ParamDef def = s.instance().definition(i);
    if (def.param_type == PF_Param_POINT) {
      // The host keeps a point's value in layer pixels: 50% of 64 x 48.
      EXPECT_EQ(def.u.td.x_value, 32 * 65536);
      EXPECT_EQ(def.u.td.y_value, 24 * 65536);
      def.u.td.x_value = def.u.td.x_dephault;
      def.u.td.y_value = def.u.td.y_dephault;
    }
    SimpleLinesExpected::expectControl(def, rows[i - 1]);
  }
  expectClean(s);
}

TEST(SimpleLinesModule, RegistrationStopsAtTheFirstRefusal) {
  for (std::uint64_t n : {1u, 31u, 65u}) {
    SCOPED_TRACE(n);
    Session s(threadedModule().entry());
    ASSERT_EQ(s.globalSetup().err, PF_Err_NONE);
    s.host().failCall(Call::AddParam, n, PF_Err_OUT_OF_MEMORY);
    const CommandResult r = s.paramsSetup();
    EXPECT_EQ(r.err, PF_Err_OUT_OF_MEMORY);
    EXPECT_EQ(s.host().callCount(Call::AddParam), n);
    EXPECT_EQ(r.num_params, 0);
  }
}

TEST(SimpleLinesModule, UserChangedParamIsNotAnswered) {
  Session s(threadedModule().entry());
  ASSERT_EQ(s.setup().err, PF_Err_NONE);
  s.host().resetCallCounts();
  for (int i = 1; i <= 65; ++i) {
    const CommandResult r = s.userChangedParam(i);
    EXPECT_EQ(r.err, PF_Err_NONE) << i;
    EXPECT_EQ(r.out_flags, 0) << i;
  }
  EXPECT_EQ(s.host().callCount(Call::AcquireSuite), 0u);
  EXPECT_EQ(s.host().callCount(Call::UpdateParamUI), 0u);
  expectClean(s);
}

// ---------------------------------------------------------------- appearance

struct Sent {
  int index;
  bool disabled;
  std::string name;
};

std::vector<Sent> appearance(Session& s) {
  s.instance().clearUIUpdates();
  const CommandResult r = s.updateParamsUI();
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.out_flags & PF_OutFlag_REFRESH_UI);
  std::vector<Sent> out;
  for (ParamUIUpdate const& u : s.instance().uiUpdates())
    out.push_back({u.index, (u.ui_flags & PF_PUI_DISABLED) != 0, u.name});
  return out;
}

// The controls each update names, in the order of the rules.
const int kUpdated[] = {8, 9, 14, 15, 23, 24, 41, 42, 45, 46, 47, 54, 56, 59};

std::vector<int> indices(std::vector<Sent> const& sent) {
  std::vector<int> out;
  for (Sent const& x : sent) out.push_back(x.index);
  return out;
}

Sent find(std::vector<Sent> const& sent, int index) {
  for (Sent const& x : sent) {
    if (x.index == index) return x;
  }
  ADD_FAILURE() << "control " << index << " not updated";
  return {index, false, ""};
}

TEST(SimpleLinesModule, AppearanceFollowsTheModes) {
  Session s(threadedModule().entry());
  ASSERT_EQ(s.setup().err, PF_Err_NONE);

  // Defaults: one of everything, HLS, no random wipe choice.
  auto sent = appearance(s);
  EXPECT_EQ(indices(sent), std::vector<int>(std::begin(kUpdated), std::end(kUpdated)));
  for (int i : {8, 9, 14, 15, 23, 24, 41, 42, 54, 56, 59}) EXPECT_TRUE(find(sent, i).disabled) << i;
  for (int i : {45, 46, 47}) EXPECT_FALSE(find(sent, i).disabled) << i;

  // Each "One|Two|Three" mode drives its own second and third control only.
  struct Mode {
    int mode, second, third;
  };
  for (Mode m : {Mode{6, 8, 9}, Mode{12, 14, 15}, Mode{21, 23, 24}, Mode{39, 41, 42}}) {
    for (int v = 1; v <= 3; ++v) {
      SCOPED_TRACE(::testing::Message() << "mode " << m.mode << " = " << v);
      s.setValue(m.mode, v);
      sent = appearance(s);
      EXPECT_EQ(indices(sent).size(), 14u);
      EXPECT_EQ(find(sent, m.second).disabled, v < 2);
      EXPECT_EQ(find(sent, m.third).disabled, v < 3);
      for (Mode o : {Mode{6, 8, 9}, Mode{12, 14, 15}, Mode{21, 23, 24}, Mode{39, 41, 42}}) {
        if (o.mode == m.mode) continue;
        EXPECT_TRUE(find(sent, o.second).disabled && find(sent, o.third).disabled) << o.mode;
      }
    }
    s.setValue(m.mode, 1);
  }

  // The variance names follow the colour space.
  const char* const names[3][3] = {{"Color R Variance", "Color G Variance", "Color B Variance"},
                                   {"Color H Variance", "Color L Variance", "Color S Variance"},
                                   {"Color Y Variance", "Color U Variance", "Color V Variance"}};
  for (int space = 1; space <= 3; ++space) {
    s.setValue(43, space);
    sent = appearance(s);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(find(sent, 45 + k).name, names[space - 1][k]);
      EXPECT_EQ(s.instance().definition(45 + k).name, std::string(names[space - 1][k]));
    }
  }

  // Wipe seeds only where a random choice uses them.
  for (int type = 1; type <= 7; ++type) {
    s.setValue(53, type);
    EXPECT_EQ(find(appearance(s), 54).disabled, !(type == 5 || type == 7)) << "wipe type " << type;
  }
  s.setValue(53, 1);
  for (int mode = 1; mode <= 7; ++mode) {
    s.setValue(55, mode);
    EXPECT_EQ(find(appearance(s), 56).disabled, !(mode == 5 || mode == 7)) << "wipe mode " << mode;
  }
  s.setValue(55, 1);
  for (int order = 1; order <= 5; ++order) {
    s.setValue(57, order);
    EXPECT_EQ(find(appearance(s), 59).disabled, order != 5) << "wipe order " << order;
  }
  expectClean(s);
}

TEST(SimpleLinesModule, AppearanceStopsSendingAfterAnError) {
  for (std::uint64_t n = 1; n <= 14; ++n) {
    SCOPED_TRACE(n);
    Session s(threadedModule().entry());
    ASSERT_EQ(s.setup().err, PF_Err_NONE);
    s.instance().clearUIUpdates();
    s.host().resetCallCounts();
    s.host().failCall(Call::UpdateParamUI, n, PF_Err_INVALID_INDEX);
    const CommandResult r = s.updateParamsUI();
    EXPECT_EQ(r.err, PF_Err_INVALID_INDEX);
    EXPECT_TRUE(r.out_flags & PF_OutFlag_REFRESH_UI);
    EXPECT_EQ(s.host().callCount(Call::UpdateParamUI), n);
    EXPECT_EQ(s.instance().uiUpdates().size(), n - 1);
    expectClean(s);
  }
  Session s(threadedModule().entry());
  ASSERT_EQ(s.setup().err, PF_Err_NONE);
  s.host().withholdSuite(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2);
  EXPECT_EQ(s.updateParamsUI().err, PF_Err_BAD_CALLBACK_PARAM);
  expectClean(s);
}

}  // namespace
