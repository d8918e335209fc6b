// Whether a job's frame buffers fit in the memory the machine has available,
// checked before the render allocates them: a job too large is refused with
// how much it needs instead of failing, or being killed, part-way.
#pragma once

#include <cstdint>
#include <string>

#include "brelo_host/Depth.h"

namespace Brelo {
namespace Render {

struct JobBuffers {
  int layerWidth = 0, layerHeight = 0;  // the input layer, full size
  Sim::Depth layerDepth = Sim::Depth::Bits8;
  int frameWidth = 0, frameHeight = 0;  // a rendered frame, after downsampling
  Sim::Depth renderDepth = Sim::Depth::Bits8;
};

// Bytes the render still allocates once the layer is read: the layer at
// the render's depth where the file's depth differs, the output world and
// one working world of the frame's size (Lines composites through one),
// and 64 MiB for the rest.
std::uint64_t bytesNeeded(JobBuffers const& job);

// Bytes this process may still allocate: the least of the system's
// available memory, what its control group's limit leaves and what its
// address-space and data limits leave.
std::uint64_t bytesAvailable();

// Throws RenderError (internal) saying how much the job needs and how much
// is available when `needed` exceeds `available`.
void checkJobMemory(std::uint64_t needed, std::uint64_t available);

// "3.2 GiB", "640 MiB"
std::string formatBytes(std::uint64_t bytes);

}  // namespace Render
}  // namespace Brelo
