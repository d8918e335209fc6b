// Several settings in one text: where one ends and the next begins, and the
// same values as the settings given one by one.
#include <gtest/gtest.h>

#include "brelo_host/Module.h"
#include "brelo_host/Session.h"
#include "brelo_render/ControlScript.h"
#include "brelo_render/EffectControls.h"
#include "brelo_render/RenderError.h"

using namespace Brelo;
using namespace Brelo::Render;

using Settings = std::vector<std::string>;

TEST(ControlScript, SemicolonsSeparateSettingsUnlessTheyContinueKeyframes) {
  EXPECT_EQ(splitControlScript("Max Slice=80;Direction=45;Completion=0@0;100@2"),
            (Settings{"Max Slice=80", "Direction=45", "Completion=0@0;100@2"}));
  EXPECT_EQ(splitControlScript("Completion=0@0;50@1;100@2;Outside=Wrap@0;Reflect@1"),
            (Settings{"Completion=0@0;50@1;100@2", "Outside=Wrap@0;Reflect@1"}));
  // Newlines always separate; blank settings and spaces around them vanish.
  EXPECT_EQ(splitControlScript("  Max Slice=80 ;;\r\nDirection=45\n\n Completion = 0@0 ; 100@2 \n"),
            (Settings{"Max Slice=80", "Direction=45", "Completion = 0@0;100@2"}));
  EXPECT_EQ(splitControlScript(""), Settings{});
  EXPECT_EQ(splitControlScript(" ;\n; "), Settings{});
  // A value with '@' later still starts a setting when '=' comes first.
  EXPECT_EQ(splitControlScript("A=1@0;B=2@0"), (Settings{"A=1@0", "B=2@0"}));
}

TEST(ControlScript, TextThatContinuesNothingIsRefused) {
  for (const char* bad : {"80", "Max Slice=80;100", "0@0;Completion=1", "Max Slice=80\n100@2"}) {
    try {
      splitControlScript(bad);
      ADD_FAILURE() << "accepted \"" << bad << "\"";
    } catch (RenderError const& e) {
      EXPECT_EQ(e.code(), ExitCode::Usage);
      EXPECT_NE(std::string(e.what()).find("NAME=VALUE"), std::string::npos) << e.what();
    }
  }
}

TEST(ControlScript, AppliesAsSettingsGivenOneByOne) {
  Sim::Module module(BRELO_TEST_MODULE);
  auto valuesAfter = [&](auto apply) {
    Sim::Session session(module.entry(), 64, 48);
    EffectControls controls(session, "SimTestModule", TimeBase{}, {64, 48});
    apply(controls);
    std::vector<ControlValue> values;
    for (ControlInfo const& c : controls.controls()) {
      if (!c.settable()) continue;
      for (A_long t : {0, 15000, 30000, 90000}) values.push_back(controls.valueAt(c, t));
    }
    return values;
  };
  auto script = valuesAfter([](EffectControls& c) { applyControlScript(c, "Gain=0@0;100@2\nMode=Fill;Angle=30"); });
  auto oneByOne = valuesAfter([](EffectControls& c) {
    c.assign("Gain=0@0;100@2");
    c.assign("Mode=Fill");
    c.assign("Angle=30");
    c.refreshUI();
  });
  auto untouched = valuesAfter([](EffectControls&) {});
  EXPECT_EQ(script, oneByOne);
  EXPECT_NE(script, untouched);
}
