#include "LinesRenderSupport.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Lines/LinesParams.h"

namespace BreloTest {

using namespace Brelo::Sim;
using namespace Brelo::LinesParams;

Outstanding held(Session& s) {
  Outstanding o = s.host().outstanding();
  PF_Handle const global = s.instance().globalData();
  if (global && s.host().isLiveHandle(global) && o.handles > 0) {
    --o.handles;
    std::vector<std::string> rest;
    bool skipped = false;
    for (auto const& d : o.details) {
      if (!skipped && d.find("(4 bytes)") != std::string::npos) {
        skipped = true;
        continue;
      }
      rest.push_back(d);
    }
    o.details = rest;
  }
  return o;
}

void expectClean(Session& s, RenderResult const& r) {
  EXPECT_TRUE(held(s).none()) << held(s).describe();
  std::string all;
  for (auto const& m : s.host().misuses()) all += m + "\n";
  EXPECT_TRUE(all.empty()) << all;
  EXPECT_TRUE(r.inputUntouched);
  EXPECT_TRUE(r.paddingIntact);
}

void busySettings(Session& s) {
  s.setValue(kTotalWidth, 64);
  s.setValue(kMaxWidth1, 6);
  s.setValue(kMinWidth, 40);
  s.setValue(kMaxGap1, 2);
  s.setValue(kDirection, 60);
  s.setValue(kMaxSlice, 9);
  s.setValue(kMaxRGBSeparation, 4);
  s.setValue(kColorCorrectionType, 3);
  s.setValue(kMaxColorHVariance, 40);
  s.setValue(kCompositeOpacity, 60);
  s.setValue(kBlendingMode, 5);  // Screen
  s.setValue(kWipeCompletion, 30);
}


Module& threadedModule() {
  static Module module(BRELO_LINES_MODULE);
  return module;
}

Module& singleThreadedModule() {
  static Module module(BRELO_LINES_ST_MODULE);
  return module;
}

std::unique_ptr<Session> newSession(Module& module) {
  auto session = std::make_unique<Session>(module.entry(), kLayerWidth, kLayerHeight);
  session->setInput(syntheticLayer());
  CommandResult const r = session->setup();
  EXPECT_EQ(r.err, PF_Err_NONE);
  return session;
}

}  // namespace BreloTest
