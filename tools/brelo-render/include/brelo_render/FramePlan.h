// The frames a job renders: their numbers, their times, and for a numbered
// input sequence the file each one reads. Input frame N of a sequence lies at
// time (N - start) / fps, where start is --start or else the sequence's first
// frame on disk, so that every chunk of a shot rendered on its own gives the
// frames the whole shot gives.
#pragma once

#include <string>
#include <vector>

#include "AE_Effect.h"
#include "brelo_render/FramePattern.h"
#include "brelo_render/Options.h"

namespace Brelo {
namespace Render {

struct PlannedFrame {
  long number = 0;    // names the output file, and the input file of a sequence
  A_long time = 0;    // host time units
  std::string input;  // the file this frame reads; empty: the job's one input
};

struct FramePlan {
  bool sequence = false;
  FramePattern inputPattern;  // a sequence's input names
  long start = 0;             // the frame at time 0
  std::vector<PlannedFrame> frames;
};

// Throws RenderError: usage for a sequence whose frames cannot be told, input
// for a sequence with no frames or, unless o.keepGoing, a frame whose file is
// missing (the first such, named with the system's reason).
FramePlan planFrames(Options const& o);

}  // namespace Render
}  // namespace Brelo
