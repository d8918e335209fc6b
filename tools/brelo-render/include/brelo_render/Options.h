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

  // A file, a numbered sequence ("shot_%04d.exr"), or empty: the test card.
  std::string input;
  int cardWidth = 0, cardHeight = 0;
  bool keepGoing = false;  // skip input frames that cannot be read

  int depth = 8;
  int downsample = 1;
  int threads = 0;  // 0: as many as the machine has
  TimeBase timeBase;

  // How the frames were chosen, as given.
  enum class FrameChoice { Default, Time, Frame, Range };
  FrameChoice frameChoice = FrameChoice::Default;
  A_long time = 0;                  // --time, host time units
  long firstFrame = 0, lastFrame = 0;  // --frame N (both N) or --frames A-B
  bool startGiven = false;
  long start = 0;  // the frame at time 0

  // The frames to render from a still input or the test card: host times
  // and the numbers that name their files. A sequence's frames follow from
  // the files (FramePlan).
  std::vector<A_long> times;
  std::vector<long> frameNumbers;

  std::string output;
  int bits = 0;     // output bits per channel (8, 16, 32); 0: after the render depth and format
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
