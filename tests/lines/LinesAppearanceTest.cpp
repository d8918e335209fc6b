// The controls' appearance: which controls are greyed out and what some are
// called, for every mode that decides it, and the stop after a host error.
#include <string>
#include <vector>

#include "LinesModuleUtil.h"

using namespace LinesTest;
using Brelo::Sim::ParamUIUpdate;

namespace {

struct Shown {
  int index;
  bool enabled;
  std::string name;
};

// The calls of one update, in order.
std::vector<Shown> update(Session& s) {
  s.instance().clearUIUpdates();
  const CommandResult r = s.updateParamsUI();
  EXPECT_EQ(r.err, PF_Err_NONE);
  EXPECT_TRUE(r.out_flags & PF_OutFlag_REFRESH_UI);
  std::vector<Shown> out;
  for (ParamUIUpdate const& u : s.instance().uiUpdates()) {
    out.push_back({u.index, !(u.ui_flags & PF_PUI_DISABLED), u.name});
  }
  return out;
}

const int kOrder[] = {8, 9, 14, 15, 57, 58, 84, 85, 88, 89, 90};

void expectCall(std::vector<Shown> const& calls, int index, bool enabled, const char* name) {
  for (Shown const& c : calls) {
    if (c.index != index) continue;
    EXPECT_EQ(c.enabled, enabled) << index;
    EXPECT_EQ(c.name, name) << index;
    return;
  }
  ADD_FAILURE() << "no update of control " << index;
}

TEST(LinesAppearance, CallOrderAndDefaults) {
  Session s(entry());
  setUpEffect(s);
  const auto calls = update(s);
  ASSERT_EQ(calls.size(), std::size(kOrder));
  for (std::size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].index, kOrder[i]);
  // Defaults: one width, one gap, Tritone, one composite colour, HLS.
  expectCall(calls, 8, false, "Max Width 2");
  expectCall(calls, 9, false, "Max Width 3");
  expectCall(calls, 14, false, "Max Gap 2");
  expectCall(calls, 15, false, "Max Gap 3");
  expectCall(calls, 57, true, "Blend With Original");
  expectCall(calls, 58, true, "Midtone");
  expectCall(calls, 84, false, "Composite Color 2");
  expectCall(calls, 85, false, "Composite Color 3");
  expectCall(calls, 88, true, "Composite H Variance");
  expectCall(calls, 89, true, "Composite L Variance");
  expectCall(calls, 90, true, "Composite S Variance");
  expectClean(s, 1);
}

TEST(LinesAppearance, ModesEnableTheSecondAndThirdControls) {
  Session s(entry());
  setUpEffect(s);
  const struct {
    int mode, second, third;
    const char *secondName, *thirdName;
  } groups[] = {{6, 8, 9, "Max Width 2", "Max Width 3"},
                {12, 14, 15, "Max Gap 2", "Max Gap 3"},
                {82, 84, 85, "Composite Color 2", "Composite Color 3"}};
  for (auto const& g : groups) {
    for (int n = 1; n <= 3; ++n) {
      s.setValue(g.mode, n);
      const auto calls = update(s);
      SCOPED_TRACE("mode " + std::to_string(g.mode) + " = " + std::to_string(n));
      expectCall(calls, g.second, n > 1, g.secondName);
      expectCall(calls, g.third, n > 2, g.thirdName);
    }
    s.setValue(g.mode, 1);
  }
  // The modes act independently of each other.
  s.setValue(6, 3);
  s.setValue(12, 2);
  s.setValue(82, 1);
  const auto calls = update(s);
  expectCall(calls, 9, true, "Max Width 3");
  expectCall(calls, 14, true, "Max Gap 2");
  expectCall(calls, 15, false, "Max Gap 3");
  expectCall(calls, 84, false, "Composite Color 2");
  expectClean(s, 1);
}

TEST(LinesAppearance, ColorCorrectionTypeNamesAndGreysTheColour) {
  Session s(entry());
  setUpEffect(s);
  s.setValue(56, 2);
  auto calls = update(s);
  expectCall(calls, 57, true, "Blend With Original");
  expectCall(calls, 58, true, "Tint");
  // HLS greys both out and keeps the colour's last name.
  s.setValue(56, 3);
  calls = update(s);
  expectCall(calls, 57, false, "Blend With Original");
  expectCall(calls, 58, false, "Tint");
  s.setValue(56, 1);
  calls = update(s);
  expectCall(calls, 57, true, "Blend With Original");
  expectCall(calls, 58, true, "Midtone");
  s.setValue(56, 3);
  calls = update(s);
  expectCall(calls, 58, false, "Midtone");
  EXPECT_STREQ(s.instance().definition(58).name, "Midtone");
  expectClean(s, 1);
}

TEST(LinesAppearance, VarianceSpaceNamesTheVariances) {
  Session s(entry());
  setUpEffect(s);
  const char* names[3][3] = {{"Composite R Variance", "Composite G Variance", "Composite B Variance"},
                             {"Composite H Variance", "Composite L Variance", "Composite S Variance"},
                             {"Composite Y Variance", "Composite U Variance", "Composite V Variance"}};
  for (int space : {1, 3, 2, 1}) {
    s.setValue(86, space);
    const auto calls = update(s);
    for (int i = 0; i < 3; ++i) {
      expectCall(calls, 88 + i, true, names[space - 1][i]);
      EXPECT_STREQ(s.instance().definition(88 + i).name, names[space - 1][i]);
    }
  }
  // Their enabled state is not theirs to decide: a greyed-out variance stays so.
  PF_ParamDef greyed = s.instance().definition(89);
  greyed.ui_flags |= PF_PUI_DISABLED;
  s.instance().recordUIUpdate(89, greyed);
  const auto calls = update(s);
  expectCall(calls, 89, false, "Composite G Variance");
  expectClean(s, 1);
}

TEST(LinesAppearance, AHostErrorStopsTheRemainingCalls) {
  for (std::uint64_t k = 1; k <= std::size(kOrder); ++k) {
    SCOPED_TRACE("failing call " + std::to_string(k));
    Session s(entry());
    setUpEffect(s);
    s.setValue(6, 3);  // every call would change something
    s.setValue(56, 2);
    s.setValue(82, 3);
    s.setValue(86, 3);
    s.instance().clearUIUpdates();
    s.host().resetCallCounts();
    s.host().failCall(Call::UpdateParamUI, k, kInjected);
    const CommandResult r = s.updateParamsUI();
    EXPECT_EQ(r.err, kInjected);
    EXPECT_EQ(s.host().callCount(Call::UpdateParamUI), k);
    auto const& done = s.instance().uiUpdates();
    ASSERT_EQ(done.size(), k - 1);
    for (std::size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i].index, kOrder[i]);
    expectClean(s, 1);
  }
}

TEST(LinesAppearance, MissingParamUtilsSuite) {
  Session s(entry());
  setUpEffect(s);
  s.host().withholdSuite(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2);
  s.instance().clearUIUpdates();
  EXPECT_EQ(s.updateParamsUI().err, PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(s.instance().uiUpdates().empty());
  expectClean(s, 1);
}

}  // namespace
