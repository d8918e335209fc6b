// The Lines plug-in loaded from its built module into the simulated host,
// the way the host loads it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "brelo_host/Call.h"
#include "brelo_host/Host.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"

namespace LinesTest {

using Brelo::Sim::Call;
using Brelo::Sim::CommandResult;
using Brelo::Sim::Session;

inline PF_EntryPointFunc entry() {
  static Brelo::Sim::Module module(BRELO_LINES_MODULE);
  return module.entry();
}

// The control as the host would hand it to the effect at `time`.
inline PF_ParamDef current(Session& s, int index, A_long time = 0) {
  Brelo::Sim::Instance& inst = s.instance();
  return inst.valueAt(index, time, inst.timeStep(), inst.timeScale(), false, {});
}

inline A_long firstWord(PF_ParamDef const& def) {
  A_long w;
  std::memcpy(&w, &def.u, sizeof w);
  return w;
}

// The host holds nothing for the effect beyond its global data (if any), and
// the effect used the host as it should.
inline void expectClean(Session& s, std::size_t globalHandles) {
  Brelo::Sim::Outstanding o = s.host().outstanding();
  EXPECT_EQ(o.handles, globalHandles) << o.describe();
  o.handles = 0;
  EXPECT_TRUE(o.none()) << o.describe();
  EXPECT_TRUE(s.host().misuses().empty()) << s.host().misuses().front();
}

// Global set-up and parameter set-up, both asserted to succeed.
inline void setUpEffect(Session& s) {
  ASSERT_EQ(s.globalSetup().err, PF_Err_NONE);
  ASSERT_EQ(s.paramsSetup().err, PF_Err_NONE);
}

constexpr PF_Err kInjected = 0x1234;

}  // namespace LinesTest
