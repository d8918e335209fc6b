// The pixels of one render for a driver that keeps frames in a layout of its
// own: the host asks it to write the layer straight into the world it hands
// the effect, and to read the effect's output straight from the output
// world, so that no image of the host's own stands in between.
#pragma once

#include "AE_Effect.h"
#include "brelo_host/Depth.h"

namespace Brelo {
namespace Sim {

class FrameIO {
 public:
  virtual ~FrameIO() = default;

  // Fills every pixel of `world`: the layer at the render's depth and
  // downsample, `world.width` x `world.height` pixels in rows
  // `world.rowbytes` apart. Called on the thread that drives the render.
  virtual void writeLayer(PF_EffectWorld& world, Depth depth) = 0;

  // The effect's output: `world` covers the frame from (`world.origin_x`,
  // `world.origin_y`), in pixels at the render's downsample. Called once
  // per render that succeeded with an output, before the host takes it back.
  virtual void readOutput(PF_EffectWorld const& world, Depth depth) = 0;
};

}  // namespace Sim
}  // namespace Brelo
