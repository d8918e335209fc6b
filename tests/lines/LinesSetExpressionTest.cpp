// "Set Expression": "Optimum Total Width" centres the strips and hands
// "Total Width" an expression that follows "Direction" from then on.
#include <cmath>
#include <string>

#include "LinesModuleUtil.h"
#include "brelo_host/Expression.h"

using namespace LinesTest;

namespace {

const char kExpression[] =
    "var angle = degreesToRadians(thisProperty.propertyGroup()(4));\n"
    "width * Math.abs(Math.sin(angle)) + height * Math.abs(Math.cos(angle));";

double totalWidth(Session& s, A_long time = 0) { return current(s, 5, time).u.fs_d.value; }

CommandResult chooseOptimumTotalWidth(Session& s) {
  s.setValue(116, 2);
  const CommandResult r = s.userChangedParam(116);
  EXPECT_TRUE(r.out_flags & PF_OutFlag_FORCE_RERENDER);
  return r;
}

void expectCentred(Session& s, double x, double y) {
  const PF_ParamDef c = current(s, 2);
  EXPECT_EQ(c.u.td.x_value, PF_Fixed(x * 65536)) << x;
  EXPECT_EQ(c.u.td.y_value, PF_Fixed(y * 65536)) << y;
}

TEST(LinesSetExpression, OptimumTotalWidthFollowsDirection) {
  Session s(entry(), 1920, 1080);
  setUpEffect(s);
  s.setPoint(2, 100, 200);
  ASSERT_EQ(chooseOptimumTotalWidth(s).err, PF_Err_NONE);

  expectCentred(s, 959.5, 539.5);
  EXPECT_EQ(current(s, 116).u.pd.value, 1);
  EXPECT_EQ(s.instance().expression(5), kExpression);
  // Only "Total Width" carries it.
  for (int i = 1; i < 126; ++i) {
    if (i == 5) continue;
    EXPECT_TRUE(s.instance().expression(i).empty()) << i;
  }

  // The default direction is 90 degrees: the strips run across the width.
  EXPECT_NEAR(totalWidth(s), 1920.0, 1e-9);
  s.setValue(4, 0);
  EXPECT_NEAR(totalWidth(s), 1080.0, 1e-9);
  s.setValue(4, 45);
  EXPECT_NEAR(totalWidth(s), 2121.3203435596424, 1e-6);
  s.setValue(4, 90);
  EXPECT_NEAR(totalWidth(s), 1920.0, 1e-9);
  // Animated direction: the expression reads it at the time of the read.
  s.instance().setKeyframe(4, 0, 0);
  s.instance().setKeyframe(4, 30, 90);
  EXPECT_NEAR(totalWidth(s, 0), 1080.0, 1e-9);
  EXPECT_NEAR(totalWidth(s, 15), 2121.3203435596424, 1e-6);
  EXPECT_NEAR(totalWidth(s, 30), 1920.0, 1e-9);

  // Choosing the resting entry afterwards does nothing.
  s.host().resetCallCounts();
  s.setPoint(2, 10, 20);
  const CommandResult r = s.userChangedParam(116);
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_EQ(s.host().callCount(Call::GetNewEffectForEffect), 0u);
  expectCentred(s, 10, 20);
  expectClean(s, 1);
}

TEST(LinesSetExpression, ABrokenExpressionIsAHostErrorWhenRead) {
  Session s(entry(), 40, 30);
  setUpEffect(s);
  ASSERT_EQ(chooseOptimumTotalWidth(s).err, PF_Err_NONE);
  PF_InteractCallbacks cb = s.host().interactCallbacks();
  auto checkout = [&](PF_ParamDef* def) { return cb.checkout_param(s.instance().ref(), 5, 0, 1, 30, def); };
  PF_ParamDef def;
  ASSERT_EQ(checkout(&def), PF_Err_NONE);
  EXPECT_NEAR(def.u.fs_d.value, 40.0, 1e-9);
  EXPECT_EQ(cb.checkin_param(s.instance().ref(), &def), PF_Err_NONE);

  // "Direction" reading "Total Width" back: a circle, refused rather than recursed.
  s.instance().setExpression(4, "thisProperty.propertyGroup()(5)");
  EXPECT_EQ(checkout(&def), Brelo::Sim::kExpressionError);
  ASSERT_FALSE(s.instance().expressionErrors().empty());
  EXPECT_NE(s.instance().expressionErrors().back().find("circular"), std::string::npos)
      << s.instance().expressionErrors().back();

  s.instance().setExpression(4, "");
  s.instance().setExpression(5, "width *");
  EXPECT_EQ(checkout(&def), Brelo::Sim::kExpressionError);
  EXPECT_NE(s.instance().expressionErrors().back().find("control 5"), std::string::npos);
  expectClean(s, 1);
}

TEST(LinesSetExpression, CentreOfOddAndTinyLayers) {
  const struct {
    int w, h;
    double x, y;
  } cases[] = {{1, 1, 0, 0}, {7, 4, 3, 1.5}, {30000, 3, 14999.5, 1}};
  for (auto const& c : cases) {
    Session s(entry(), c.w, c.h);
    setUpEffect(s);
    ASSERT_EQ(chooseOptimumTotalWidth(s).err, PF_Err_NONE);
    expectCentred(s, c.x, c.y);
    s.setValue(4, 45);
    EXPECT_NEAR(totalWidth(s), (c.w + c.h) * std::sqrt(0.5), 1e-6);
    expectClean(s, 1);
  }
}

TEST(LinesSetExpression, EveryHostCallFailingInTurn) {
  const struct {
    Call call;
    bool effectDisposed, streamDisposed, expressionSet;
  } cases[] = {
      {Call::HostLockHandle, false, false, false},
      {Call::GetNewEffectForEffect, false, false, false},
      {Call::GetNewEffectStreamByIndex, true, false, false},
      {Call::SetExpression, true, true, false},
      {Call::DisposeStream, true, true, true},
      {Call::DisposeEffect, true, true, true},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(Brelo::Sim::callName(c.call));
    Session s(entry(), 20, 10);
    setUpEffect(s);
    s.host().resetCallCounts();
    s.host().failCall(c.call, 1, kInjected);
    const CommandResult r = chooseOptimumTotalWidth(s);
    // A lost global record is reported as damaged global data; host errors unchanged.
    EXPECT_EQ(r.err, c.call == Call::HostLockHandle ? PF_Err_INTERNAL_STRUCT_DAMAGED : kInjected);
    // Centring and the popup's return happen whatever failed.
    expectCentred(s, 9.5, 4.5);
    EXPECT_EQ(current(s, 116).u.pd.value, 1);
    EXPECT_EQ(s.instance().expression(5).empty(), !c.expressionSet);
    EXPECT_EQ(s.host().callCount(Call::DisposeEffect), c.effectDisposed ? 1u : 0u);
    EXPECT_EQ(s.host().callCount(Call::DisposeStream), c.streamDisposed ? 1u : 0u);
    // A disposal the host refused leaves its reference with the host; nothing else is held.
    Brelo::Sim::Outstanding o = s.host().outstanding();
    if (c.call == Call::DisposeStream) o.streams = 0;
    if (c.call == Call::DisposeEffect) o.effects = 0;
    o.handles -= 1;
    EXPECT_TRUE(o.none()) << o.describe();
  }
}

TEST(LinesSetExpression, MissingSuitesLeaveNothingBehind) {
  const struct {
    const char* name;
    int version;
  } suites[] = {{kPFHandleSuite, kPFHandleSuiteVersion2},
                {kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1},
                {kAEGPStreamSuite, kAEGPStreamSuiteVersion9},
                {kAEGPEffectSuite, kAEGPEffectSuiteVersion2}};
  for (auto const& suite : suites) {
    SCOPED_TRACE(suite.name);
    Session s(entry(), 20, 10);
    setUpEffect(s);
    s.host().resetCallCounts();
    s.host().withholdSuite(suite.name, suite.version);
    EXPECT_EQ(chooseOptimumTotalWidth(s).err, PF_Err_BAD_CALLBACK_PARAM);
    EXPECT_EQ(s.host().callCount(Call::GetNewEffectForEffect), 0u);
    EXPECT_TRUE(s.instance().expression(5).empty());
    expectClean(s, 1);
  }
}

TEST(LinesSetExpression, WithoutGlobalDataOnlyCentres) {
  Session s(entry(), 20, 10);
  s.host().failCall(Call::HostLockHandle, 1, kInjected);
  setUpEffect(s);
  EXPECT_EQ(s.instance().globalData(), nullptr);
  s.host().resetCallCounts();
  EXPECT_EQ(chooseOptimumTotalWidth(s).err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  expectCentred(s, 9.5, 4.5);
  EXPECT_EQ(current(s, 116).u.pd.value, 1);
  EXPECT_EQ(s.host().callCount(Call::GetNewEffectForEffect), 0u);
  EXPECT_TRUE(s.instance().expression(5).empty());
  expectClean(s, 0);
}

}  // namespace
