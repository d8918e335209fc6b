#include "LinesRenderSupport.h"

#include <gtest/gtest.h>

namespace BreloTest {

using namespace Brelo::Sim;

Module& threadedModule() {
  static Module module(BRELO_LINES_MODULE);
  return module;
}

Module& singleThreadedModule() {
  static Module module(BRELO_LINES_ST_MODULE);
  return module;
}

Image syntheticLayer() {
  Image image(kLayerWidth, kLayerHeight, Depth::Bits32);
  for (int y = 0; y < kLayerHeight; ++y) {
    for (int x = 0; x < kLayerWidth; ++x) {
      RGBA c;
      c.a = 1.0f;
      c.r = float(x) / float(kLayerWidth - 1);
      c.g = float(y) / float(kLayerHeight - 1);
      c.b = ((x / 8 + y / 8) % 2) ? 0.875f : 0.125f;
      if (x >= 48 && y < 12) c.a = 0.5f;
      if (x < 8 && y >= 40) c.a = 0.0f;
      image.set(x, y, c);
    }
  }
  return image;
}

std::unique_ptr<Session> newSession(Module& module) {
  auto session = std::make_unique<Session>(module.entry(), kLayerWidth, kLayerHeight);
  session->setInput(syntheticLayer());
  CommandResult const r = session->setup();
  EXPECT_EQ(r.err, PF_Err_NONE);
  return session;
}

}  // namespace BreloTest
