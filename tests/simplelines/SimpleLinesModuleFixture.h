// The SimpleLines modules loaded once per test program, the way the host
// loads them, and a session of the simulated host on one of them.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "GoldenCases.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"

namespace SimpleLinesTest {

inline Brelo::Sim::Module& threadedModule() {
  static Brelo::Sim::Module m(BRELO_SIMPLELINES_MODULE);
  return m;
}

inline Brelo::Sim::Module& singleThreadedModule() {
  static Brelo::Sim::Module m(BRELO_SIMPLELINES_ST_MODULE);
  return m;
}

// Whatever the plug-in still holds of the host beyond its global data, and
// every misuse the host caught, as a failure.
inline void expectClean(Brelo::Sim::Session& s) {
  Brelo::Sim::Host& host = s.host();
  const auto left = host.outstanding();
  const PF_Handle global = s.instance().globalData();
  const std::size_t kept = global && host.isLiveHandle(global) ? 1 : 0;
  EXPECT_EQ(left.handles, kept) << left.describe();
  EXPECT_EQ(left.worlds, 0u) << left.describe();
  EXPECT_EQ(left.suites, 0u) << left.describe();
  EXPECT_EQ(left.params, 0u) << left.describe();
  EXPECT_EQ(left.layerPixels, 0u) << left.describe();
  EXPECT_EQ(left.effects + left.streams + left.blocks, 0u) << left.describe();
  EXPECT_TRUE(host.misuses().empty()) << host.misuses().front();
}

}  // namespace SimpleLinesTest

namespace SimpleLinesTest {

// A fixed picture with colour in every channel, partly transparent areas and
// a fully transparent corner, so that copies, fills and blends all show.
inline Brelo::Sim::Image syntheticInput(int width, int height) { return BreloTest::simpleLinesLayer(width, height); }

// A session on `module` with the synthetic input, set up and ready to render.
inline std::unique_ptr<Brelo::Sim::Session> renderSession(Brelo::Sim::Module& module, int width = 64,
                                                          int height = 48) {
  auto s = std::make_unique<Brelo::Sim::Session>(module.entry(), width, height);
  s->setInput(syntheticInput(width, height));
  EXPECT_EQ(s->setup().err, PF_Err_NONE);
  return s;
}

}  // namespace SimpleLinesTest
