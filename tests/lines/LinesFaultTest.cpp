// Host failures during set-up and set-down: the host's error comes back
// unchanged (516 for a missing suite) and the effect holds nothing it
// should not.
#include <string>

#include "LinesModuleUtil.h"

using namespace LinesTest;

namespace {

TEST(LinesFaults, AddParamFailingAtEachControl) {
  for (std::uint64_t k = 1; k <= 125; ++k) {
    SCOPED_TRACE("control " + std::to_string(k));
    Session s(entry());
    ASSERT_EQ(s.globalSetup().err, PF_Err_NONE);
    s.host().resetCallCounts();
    s.host().failCall(Call::AddParam, k, kInjected);
    EXPECT_EQ(s.paramsSetup().err, kInjected);
    EXPECT_EQ(s.host().callCount(Call::AddParam), k);  // none after the failure
    EXPECT_EQ(s.instance().numParams(), int(k));       // the layer and the controls before it
    expectClean(s, 1);
  }
}

TEST(LinesFaults, GlobalSetupHandleAndRegistrationFailures) {
  {
    SCOPED_TRACE("new handle");
    Session s(entry());
    s.host().failCall(Call::HostNewHandle, 1, kInjected);
    const CommandResult r = s.globalSetup();
    EXPECT_EQ(r.err, PF_Err_INTERNAL_STRUCT_DAMAGED);
    EXPECT_EQ(r.my_version, 525825u);  // set before anything can fail
    EXPECT_EQ(s.host().callCount(Call::RegisterWithAEGP), 0u);
    expectClean(s, 0);
  }
  {
    SCOPED_TRACE("lock");
    Session s(entry());
    s.host().failCall(Call::HostLockHandle, 1, kInjected);
    const CommandResult r = s.globalSetup();
    EXPECT_EQ(r.err, PF_Err_NONE);
    EXPECT_EQ(s.instance().globalData(), nullptr);
    EXPECT_EQ(s.host().callCount(Call::RegisterWithAEGP), 0u);
    expectClean(s, 0);  // the unusable handle is given back
    // The effect still loads and registers its controls.
    EXPECT_EQ(s.paramsSetup().err, PF_Err_NONE);
    EXPECT_EQ(s.globalSetdown().err, PF_Err_NONE);
    expectClean(s, 0);
  }
  {
    SCOPED_TRACE("registration");
    Session s(entry());
    s.host().failCall(Call::RegisterWithAEGP, 1, kInjected);
    EXPECT_EQ(s.globalSetup().err, kInjected);
    EXPECT_EQ(s.host().callCount(Call::HostUnlockHandle), 1u);
    expectClean(s, 0);
  }
}

TEST(LinesFaults, MissingSuitesAtGlobalSetupAndSetdown) {
  const struct {
    const char* name;
    int version;
  } setupSuites[] = {{kPFHandleSuite, kPFHandleSuiteVersion2}, {kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7}};
  for (auto const& suite : setupSuites) {
    SCOPED_TRACE(suite.name);
    Session s(entry());
    s.host().withholdSuite(suite.name, suite.version);
    EXPECT_EQ(s.globalSetup().err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(s.host().callCount(Call::HostNewHandle), 0u);
    expectClean(s, 0);
  }
  {
    SCOPED_TRACE("set-down");
    Session s(entry());
    setUpEffect(s);
    s.host().withholdSuite(kPFHandleSuite, kPFHandleSuiteVersion2);
    EXPECT_EQ(s.globalSetdown().err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(s.host().outstanding().suites, 0u);
  }
}

TEST(LinesFaults, NoRecordsNoCrash) {
  // A host that passes no records gets an error, not a crash.
  EXPECT_EQ(entry()(PF_Cmd_ABOUT, nullptr, nullptr, nullptr, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  Session s(entry());
  setUpEffect(s);
  for (PF_Cmd cmd : {PF_Cmd_USER_CHANGED_PARAM, PF_Cmd_UPDATE_PARAMS_UI, PF_Cmd_SMART_PRE_RENDER,
                     PF_Cmd_SMART_RENDER}) {
    auto scope = s.beginCommand(cmd);
    const PF_Err err = entry()(cmd, scope->in_data(), scope->out_data(), nullptr, nullptr, nullptr);
    if (cmd == PF_Cmd_USER_CHANGED_PARAM) {
      EXPECT_EQ(err, PF_Err_NONE);
    } else {
      EXPECT_NE(err, PF_Err_NONE) << cmd;
    }
  }
  expectClean(s, 1);
}

}  // namespace
