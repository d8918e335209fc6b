// Controls as the host keeps them: registration, values, keyframes, points at
// a downsample, expressions, UI updates and check-out accounting.
#include <cmath>
#include <cstring>

#include "SimTestPlugin.h"
#include "brelo_host/Expression.h"
#include "SimTestUtil.h"

using namespace Brelo::Sim;
using namespace SimTestPlugin;

namespace {

PF_ParamDef checkout(Session& s, int index, A_long time) {
  PF_ParamDef p;
  std::memset(&p, 0xEE, sizeof p);
  auto scope = s.beginCommand(PF_Cmd_UPDATE_PARAMS_UI);
  EXPECT_EQ(scope->in_data()->inter.checkout_param(s.instance().ref(), index, time, 1, 30, &p), 0);
  EXPECT_EQ(scope->in_data()->inter.checkin_param(s.instance().ref(), &p), 0);
  return p;
}

TEST(SimParams, RegistrationKeepsItsOwnCopyAndChecksPopups) {
  Session s(EntryPointFunc, 200, 100);
  ASSERT_EQ(s.setup().err, 0);
  Instance& inst = s.instance();
  ASSERT_EQ(inst.numParams(), int(kCount));
  EXPECT_STREQ(inst.definition(kMode).u.pd.namesptr, "Copy|Fill|Sample");  // the plug-in's buffer is gone
  EXPECT_STREQ(inst.definition(kGain).name, "Gain");
  // A point default in percent becomes layer pixels.
  EXPECT_EQ(inst.definition(kOffset).u.td.x_value, 100 << 16);
  EXPECT_EQ(inst.definition(kOffset).u.td.y_value, 50 << 16);

  auto scope = s.beginCommand(PF_Cmd_PARAMS_SETUP);
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = PF_Param_POPUP;
  def.u.pd.namesptr = "A|B";
  def.u.pd.num_choices = 3;  // one more than there are
  def.u.pd.value = def.u.pd.dephault = 1;
  EXPECT_EQ(scope->in_data()->inter.add_param(inst.ref(), -1, &def), PF_Err_BAD_CALLBACK_PARAM);
  def.u.pd.num_choices = 2;
  EXPECT_EQ(scope->in_data()->inter.add_param(inst.ref(), 3, &def), PF_Err_INVALID_INDEX);
  def.param_type = 77;
  EXPECT_EQ(scope->in_data()->inter.add_param(inst.ref(), -1, &def), PF_Err_UNRECOGNIZED_PARAM_TYPE);
  def.param_type = PF_Param_POPUP;
  EXPECT_EQ(scope->in_data()->inter.add_param(inst.ref(), -1, &def), 0);
  EXPECT_EQ(inst.numParams(), int(kCount) + 1);
  scope.reset();
  // Outside parameter set-up the host refuses.
  auto other = s.beginCommand(PF_Cmd_UPDATE_PARAMS_UI);
  EXPECT_EQ(other->in_data()->inter.add_param(inst.ref(), -1, &def), PF_Err_BAD_CALLBACK_PARAM);
}

TEST(SimParams, KeyframesInterpolateLinearlyAndPopupsHold) {
  Session s(EntryPointFunc, 200, 100);
  ASSERT_EQ(s.setup().err, 0);
  Instance& inst = s.instance();
  inst.setKeyframe(kGain, 0, 0.0);
  inst.setKeyframe(kGain, 30, 100.0);
  inst.setKeyframe(kAmount, 10, 2.0);
  inst.setKeyframe(kAmount, 20, 4.0);
  inst.setKeyframe(kAngle, 0, -90.0);
  inst.setKeyframe(kAngle, 4, 90.0);
  inst.setColorKeyframe(kColor, 0, {255, 0, 100, 255});
  inst.setColorKeyframe(kColor, 10, {0, 255, 201, 0});
  inst.setPointKeyframe(kOffset, 0, 10.0, 20.0);
  inst.setPointKeyframe(kOffset, 10, 20.0, -20.0);
  inst.setKeyframe(kMode, 0, 1);
  inst.setKeyframe(kMode, 10, 3);
  EXPECT_EQ(checkout(s, kGain, 15).u.fd.value, 50 << 16);
  EXPECT_EQ(checkout(s, kGain, 1).u.fd.value, A_long(std::llround(100.0 / 30 * 65536)));
  EXPECT_EQ(checkout(s, kGain, -5).u.fd.value, 0);         // before the first key
  EXPECT_EQ(checkout(s, kGain, 99).u.fd.value, 100 << 16);  // after the last
  EXPECT_DOUBLE_EQ(checkout(s, kAmount, 15).u.fs_d.value, 3.0);
  EXPECT_DOUBLE_EQ(checkout(s, kAmount, 12).u.fs_d.value, 2.4);
  EXPECT_EQ(checkout(s, kAngle, 1).u.ad.value, -45 * 65536);
  PF_Pixel c = checkout(s, kColor, 5).u.cd.value;
  EXPECT_TRUE(SimTest::samePixel(c, {128, 128, 151, 128}));  // halves round to nearest (127.5 -> 128)
  PF_ParamDef pt = checkout(s, kOffset, 5);
  EXPECT_EQ(pt.u.td.x_value, 15 << 16);
  EXPECT_EQ(pt.u.td.y_value, 0);
  EXPECT_EQ(checkout(s, kMode, 9).u.pd.value, 1);
  EXPECT_EQ(checkout(s, kMode, 10).u.pd.value, 3);
  EXPECT_EQ(checkout(s, kMode, 50).u.pd.value, 3);
  EXPECT_THROW(inst.setKeyframe(kEnabled, 0, 1), std::invalid_argument);  // fixed in time
  EXPECT_THROW(inst.setValue(kColor, 1.0), std::invalid_argument);
  EXPECT_THROW(inst.setValue(99, 1.0), std::invalid_argument);
  ASSERT_EQ(s.globalSetdown().err, 0);
  EXPECT_TRUE(s.host().outstanding().none()) << s.host().outstanding().describe();
}

TEST(SimParams, PointsAreScaledByTheDownsampleOnlyDuringRenders) {
  Session s(EntryPointFunc, 200, 100);
  ASSERT_EQ(s.setup().err, 0);
  s.setPoint(kOffset, 51.0, 30.0);
  {
    auto r = s.beginSmartRender(0, Depth::Bits8, Downsample({1, 2}, {1, 4}));
    PF_ParamDef p;
    ASSERT_EQ(r->in_data()->inter.checkout_param(s.instance().ref(), kOffset, 0, 1, 30, &p), 0);
    EXPECT_EQ(p.u.td.x_value, A_long(25.5 * 65536));
    EXPECT_EQ(p.u.td.y_value, A_long(7.5 * 65536));
    EXPECT_EQ(r->in_data()->width, 100);
    EXPECT_EQ(r->in_data()->height, 25);
    // Checking out the layer gives its pixels at the frame's depth and downsample.
    PF_ParamDef layer;
    ASSERT_EQ(r->in_data()->inter.checkout_param(s.instance().ref(), 0, 0, 1, 30, &layer), 0);
    EXPECT_EQ(layer.u.ld.width, 100);
    EXPECT_EQ(layer.u.ld.height, 25);
    EXPECT_EQ(s.host().outstanding().params, 2u);
    EXPECT_EQ(r->in_data()->inter.checkin_param(s.instance().ref(), &layer), 0);
    EXPECT_EQ(r->in_data()->inter.checkin_param(s.instance().ref(), &p), 0);
    EXPECT_EQ(r->in_data()->inter.checkin_param(s.instance().ref(), &p), PF_Err_BAD_CALLBACK_PARAM);
  }
  PF_ParamDef full = checkout(s, kOffset, 0);
  EXPECT_EQ(full.u.td.x_value, 51 << 16);
  EXPECT_EQ(s.host().outstanding().params, 0u);
}

TEST(SimParams, EmptyLayerParameterAndBadIndices) {
  Session s(EntryPointFunc, 8, 8);
  ASSERT_EQ(s.setup().err, 0);
  s.instance().setLayerEmpty(true);
  auto scope = s.beginCommand(PF_Cmd_SMART_RENDER, 0, Depth::Bits16);
  PF_ParamDef p;
  ASSERT_EQ(scope->in_data()->inter.checkout_param(s.instance().ref(), 0, 0, 1, 30, &p), 0);
  EXPECT_EQ(p.u.ld.data, nullptr);
  EXPECT_EQ(s.host().outstanding().params, 1u);  // still to be checked in
  EXPECT_EQ(scope->in_data()->inter.checkin_param(s.instance().ref(), &p), 0);
  EXPECT_EQ(scope->in_data()->inter.checkout_param(s.instance().ref(), kCount, 0, 1, 30, &p), PF_Err_INVALID_INDEX);
  EXPECT_EQ(scope->in_data()->inter.checkout_param(s.instance().ref(), -1, 0, 1, 30, &p), PF_Err_INVALID_INDEX);
  EXPECT_EQ(scope->in_data()->inter.checkout_param(s.instance().ref(), 1, 0, 1, 30, nullptr),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(s.host().outstanding().params, 0u);
}

TEST(SimParams, UpdateParamUIRecordsAndAppliesNameAndFlags) {
  Session s(EntryPointFunc, 8, 8);
  ASSERT_EQ(s.setup().err, 0);
  ASSERT_EQ(s.instance().uiUpdates().size(), 1u);
  EXPECT_EQ(s.instance().uiUpdates()[0].index, kColor);
  EXPECT_EQ(s.instance().uiUpdates()[0].name, "Unused Color");
  EXPECT_TRUE(s.instance().definition(kColor).ui_flags & PF_PUI_DISABLED);
  s.setValue(kMode, kFill);
  ASSERT_EQ(s.updateParamsUI().err, 0);
  EXPECT_FALSE(s.instance().definition(kColor).ui_flags & PF_PUI_DISABLED);
  EXPECT_STREQ(s.instance().definition(kColor).name, "Fill Color");

  SimTest::Suite<PF_ParamUtilsSuite2> pu(s.host(), kPFParamUtilsSuite, 2);
  PF_ParamDef d = s.instance().definition(kColor);
  EXPECT_EQ(pu->PF_UpdateParamUI(s.instance().ref(), 0, &d), PF_Err_INVALID_INDEX);
  EXPECT_EQ(pu->PF_UpdateParamUI(s.instance().ref(), kCount, &d), PF_Err_INVALID_INDEX);
  EXPECT_EQ(pu->PF_UpdateParamUI(s.instance().ref(), kColor, nullptr), PF_Err_BAD_CALLBACK_PARAM);
}

TEST(SimParams, ExpressionsAreStoredAndEvaluatedThroughTheHook) {
  Session s(EntryPointFunc, 8, 8);
  ASSERT_EQ(s.setup().err, 0);
  s.instance().setExpression(kAmount, "width * 2");
  s.instance().setExpressionHook([](Instance& inst, int index, std::string const& text, double, PF_ParamDef& v) {
    if (index == kAmount && text == "width * 2") v.u.fs_d.value = inst.layerWidth() * 2.0;
  });
  EXPECT_DOUBLE_EQ(checkout(s, kAmount, 0).u.fs_d.value, 16.0);
  EXPECT_EQ(checkout(s, kGain, 0).u.fd.value, 100 << 16);  // no expression, hook not applied
}

// A host disables an expression that failed; one over its budget must not
// cost the budget again at every read.
TEST(SimParams, AnExpressionOverItsBudgetIsDisabledUntilSetAgain) {
  Session s(EntryPointFunc, 8, 8);
  ASSERT_EQ(s.setup().err, 0);
  Instance& inst = s.instance();
  std::string message;
  auto read = [&](int index, PF_ParamDef* p) { return inst.checkedValueAt(index, 0, 1, 30, false, {}, p, &message); };
  PF_ParamDef p;
  inst.setExpression(kAmount, "undefinedFunction()");
  EXPECT_EQ(read(kAmount, &p), kExpressionError);
  EXPECT_EQ(read(kAmount, &p), kExpressionError);
  EXPECT_EQ(inst.expressionErrors().size(), 2u);  // evaluated each time
  EXPECT_EQ(inst.stoppedExpression(), 0);

  inst.setExpression(kGain, "while (true) {}");
  EXPECT_EQ(read(kGain, &p), kExpressionError);
  ASSERT_EQ(inst.expressionErrors().size(), 3u);
  EXPECT_EQ(inst.expressionErrors().back(), "control 1: expression stopped: over its budget of 4194304 steps");
  EXPECT_EQ(inst.stoppedExpression(), kGain);
  EXPECT_EQ(inst.stoppedFailure(), ExpressionFailure::Steps);
  EXPECT_EQ(read(kGain, &p), kExpressionError);
  EXPECT_EQ(message, inst.expressionErrors().back());
  EXPECT_EQ(inst.expressionErrors().size(), 3u);  // not run again
  EXPECT_EQ(p.u.fd.value, 100 << 16);             // the control's own value

  // Another one stopped later is second in line.
  inst.setExpression(kAmount, "var s = 'x'; for (;;) s += s");
  EXPECT_EQ(read(kAmount, &p), kExpressionError);
  EXPECT_EQ(inst.stoppedExpression(), kGain);
  inst.setExpression(kGain, "25");
  EXPECT_EQ(read(kGain, &p), 0);
  EXPECT_EQ(p.u.fd.value, 25 << 16);
  EXPECT_EQ(inst.stoppedExpression(), kAmount);
  EXPECT_EQ(inst.stoppedFailure(), ExpressionFailure::Memory);
  inst.setExpression(kAmount, "");
  EXPECT_EQ(inst.stoppedExpression(), 0);
  EXPECT_EQ(inst.stoppedFailure(), ExpressionFailure::None);
}

}  // namespace
