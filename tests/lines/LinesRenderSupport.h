// What the render tests of the Lines module share: the two builds of the
// module, the synthetic layer and a session set up the way a host does.
#pragma once

#include <memory>

#include "brelo_host/Module.h"
#include "brelo_host/Session.h"

namespace BreloTest {

// Loaded once per test program.
Brelo::Sim::Module& threadedModule();
Brelo::Sim::Module& singleThreadedModule();

constexpr int kLayerWidth = 64;
constexpr int kLayerHeight = 48;

// A layer with something to see everywhere: red grows to the right, green
// downwards, blue in a checkerboard of 8-pixel squares; a half-transparent
// block at the top right and a fully transparent one (with colour left in
// it) at the bottom left.
Brelo::Sim::Image syntheticLayer();

// A session on `module` with the synthetic layer, after global set-up,
// parameter set-up and a UI update.
std::unique_ptr<Brelo::Sim::Session> newSession(Brelo::Sim::Module& module);

}  // namespace BreloTest
