// Every host call a render makes (smart pre-render and smart render) failing
// in turn, on one golden case, with what the effect made of each failure.
// The driver runs it on every platform; the outcome lines of two platforms
// must be equal, and those of the build machine are pinned by its own tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "brelo_host/Call.h"
#include "brelo_host/Depth.h"
#include "brelo_host/Host.h"

namespace BreloTest {

struct SweepTrial {
  Brelo::Sim::Depth depth;
  Brelo::Sim::Call call;
  std::uint64_t nth;      // the nth call of its kind in the render failed
  std::uint64_t count;    // calls of that kind in the render without failures
  PF_Err err;             // what the render returned
  bool sameImage;         // the frame equals the one without failures
  Brelo::Sim::Outstanding held;  // what the effect still held afterwards, its global data aside
  std::size_t misuses;    // misuses the host caught
  bool inputUntouched;
  bool paddingIntact;
};

// The per-pixel sampling calls, whose result the engines do not look at.
bool isSamplingCall(Brelo::Sim::Call c);

// The next occurrence to fail after the nth of `count` calls of kind c:
// every one in turn, but of the per-pixel samples only the first, one in
// the middle and the last. Past `count` when there is none.
std::uint64_t nextFailure(Brelo::Sim::Call c, std::uint64_t n, std::uint64_t count);

// One trial per failure: every call of every kind the clean render made,
// except that of the per-pixel samples only the first, one in the middle
// and the last fail. Each trial runs on a fresh session set up with the
// golden case `caseName`. Returns false, with the reason in *why, when the
// clean render itself fails.
bool sweepRenderFailures(Effect effect, PF_EntryPointFunc entry, std::string const& caseName,
                         Brelo::Sim::Depth depth, std::vector<SweepTrial>* trials, std::string* why);

// The trial as one line of text, the same on every platform for the same outcome.
std::string describe(SweepTrial const& t);

// What no failure may lead to: a failure reported as success with another
// picture, anything left behind other than what a refused release leaves
// with the host, a misuse, the input written, a world's padding damaged.
// Empty when the trial is sound.
std::vector<std::string> problems(SweepTrial const& t);

}  // namespace BreloTest
