// What the render tests of the Lines module share: the two builds of the
// module, the synthetic layer and a session set up the way a host does.
#pragma once

#include <memory>

#include "GoldenCases.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"

namespace BreloTest {

// Loaded once per test program.
Brelo::Sim::Module& threadedModule();
Brelo::Sim::Module& singleThreadedModule();

// The synthetic layer and its size: GoldenCases.h.

// An error the plug-in never makes itself, for fault injection.
constexpr PF_Err kInjected = PF_Err_INVALID_CALLBACK;

// What the plug-in holds of the host between commands, its global data aside.
Brelo::Sim::Outstanding held(Brelo::Sim::Session& s);

// Nothing held, nothing misused, the input and every world's padding intact.
void expectClean(Brelo::Sim::Session& s, Brelo::Sim::RenderResult const& r);

// Something of every channel on screen.
void busySettings(Brelo::Sim::Session& s);

// A session on `module` with the synthetic layer, after global set-up,
// parameter set-up and a UI update.
std::unique_ptr<Brelo::Sim::Session> newSession(Brelo::Sim::Module& module);

}  // namespace BreloTest
