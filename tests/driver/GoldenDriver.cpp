// brelo-golden-driver: loads both effect modules the way the host does,
// renders every golden case of each, and the cases of the maths that may
// differ between platforms, at 8, 16 and 32 bits and writes the raw frames,
// then makes every host call of one render per effect and depth fail in
// turn. Built for every platform, so that the frames and the failure outcomes
// of a Windows module can be compared with those of the build machine's.
//
//   brelo-golden-driver LINES_MODULE SIMPLELINES_MODULE OUT_DIR
//
// Writes OUT_DIR/<effect>/<case>.<bits>.raw (RawFrame.h) and OUT_DIR/<effect>/sweep.txt
// (one line per failure, HostFailureSweep.h). Exit status 0 when every render
// succeeded and no failure was mishandled, 1 otherwise, 2 on bad arguments.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "HostFailureSweep.h"
#include "RawFrame.h"
#include "brelo_host/Module.h"
#include "brelo_host/Session.h"

namespace {

using namespace Brelo::Sim;
using namespace BreloTest;

constexpr Depth kDepths[] = {Depth::Bits8, Depth::Bits16, Depth::Bits32};

// The golden case each effect's failure sweep renders: one that exercises
// most of the effect.
const char* sweepCase(Effect effect) { return effect == Effect::Lines ? "slices_rgb_composite_float" : "bars"; }

int usage() {
  std::cerr << "usage: brelo-golden-driver LINES_MODULE SIMPLELINES_MODULE OUT_DIR\n";
  return 2;
}

struct Tally {
  int frames = 0;
  int trials = 0;
  int failures = 0;

  void fail(std::string const& what) {
    ++failures;
    std::cerr << "FAILED: " << what << "\n";
  }
};

void renderCases(Effect effect, Module const& module, std::string const& out, Tally& tally) {
  std::vector<GoldenCase> all = goldenCases(effect);
  all.insert(all.end(), platformCases(effect).begin(), platformCases(effect).end());
  for (GoldenCase const& c : all) {
    for (Depth depth : kDepths) {
      const std::string name = RawFrame::path(effect, c.name, depth);
      PF_Err setupErr = PF_Err_NONE;
      auto s = goldenSession(effect, module.entry(), &setupErr);
      if (setupErr != PF_Err_NONE) {
        tally.fail(name + ": set-up returned " + std::to_string(setupErr));
        continue;
      }
      c.settings(*s);
      RenderResult const r = s->render(0, depth);
      if (r.err != PF_Err_NONE) {
        tally.fail(name + ": render returned " + std::to_string(r.err));
        continue;
      }
      std::string why;
      if (!RawFrame::write(out + "/" + name, r.image, &why)) {
        tally.fail(why);
        continue;
      }
      ++tally.frames;
    }
  }
}

void sweep(Effect effect, Module const& module, std::string const& out, Tally& tally) {
  const std::string file = out + "/" + effectName(effect) + "/sweep.txt";
  std::ofstream lines(file, std::ios::binary | std::ios::trunc);
  for (Depth depth : kDepths) {
    std::vector<SweepTrial> trials;
    std::string why;
    if (!sweepRenderFailures(effect, module.entry(), sweepCase(effect), depth, &trials, &why)) {
      tally.fail(std::string(effectName(effect)) + " sweep at " + depthName(depth) + ": " + why);
      continue;
    }
    for (SweepTrial const& t : trials) {
      ++tally.trials;
      lines << describe(t) << "\n";
      for (std::string const& p : problems(t)) tally.fail(std::string(effectName(effect)) + " " + describe(t) + ": " + p);
    }
  }
  lines.close();
  if (!lines) tally.fail("cannot write " + file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return usage();
  const std::string modules[] = {argv[1], argv[2]}, out = argv[3];

  Tally tally;
  try {
    for (Effect effect : {Effect::Lines, Effect::SimpleLines}) {
      std::filesystem::create_directories(out + "/" + effectName(effect));
      const Module module(modules[effect == Effect::Lines ? 0 : 1]);
      renderCases(effect, module, out, tally);
      sweep(effect, module, out, tally);
    }
  } catch (std::exception const& e) {
    std::cerr << "brelo-golden-driver: " << e.what() << "\n";
    return 1;
  }
  std::cout << tally.frames << " frames written, " << tally.trials << " host-call failures tried, "
            << tally.failures << " problems\n";
  return tally.failures ? 1 : 0;
}
