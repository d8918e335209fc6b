// The command line of brelo-render.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "brelo_render/TimeBase.h"

namespace Brelo {
namespace Render {

// A step that sets controls, in command-line order.
struct ControlStep {
  enum class Kind { Set, Preset } kind = Kind::Set;
  std::string text;  // "NAME=VALUE" or a preset's path
};

// A host call made to fail, for trying out how an effect copes.
struct FaultOption {
  std::string call;
  std::uint64_t first = 1, last = UINT64_MAX;
  PF_Err err = PF_Err_OUT_OF_MEMORY;
};

struct Options {
  bool help = false, version = false;
  bool list = false, about = false, values = false;
  bool quiet = false;

  std::string effect;  // "lines", "simplelines" or a module's target name
  std::string plugin;  // a module's path

  std::vector<ControlStep> controls;
  std::string savePreset;

  std::string input;  // empty: the test card
  int cardWidth = 0, cardHeight = 0;

  int depth = 8;
  int downsample = 1;
  int threads = 0;  // 0: as many as the machine has
  TimeBase timeBase;

  // The frames to render: host times and the numbers that name their files.
  std::vector<A_long> times;
  std::vector<long> frameNumbers;

  std::string output;
  int pngBits = 0;  // 0: 8 for 8-bit renders, 16 otherwise
  std::string contactSheet;

  std::vector<FaultOption> failCalls;
  std::vector<std::pair<std::string, std::int32_t>> withheldSuites;
};

// Throws RenderError (usage) for unknown options, missing or bad arguments
// and contradictions (two time choices, two modules, ...).
Options parseOptions(std::vector<std::string> const& args);

std::string usageText();

}  // namespace Render
}  // namespace Brelo
