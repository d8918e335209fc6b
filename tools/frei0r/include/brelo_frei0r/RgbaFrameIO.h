// A frei0r frame pair as the pixels of one render: the host's RGBA8888
// input (4 bytes a pixel, red first, straight alpha, rows packed) written
// into the effect's 8-bit layer world, whose pixels are alpha first, and
// the output world written back as RGBA8888. Each way is one pass that
// reorders the bytes; no other copy is made.
#pragma once

#include <cstdint>

#include "brelo_host/FrameIO.h"

namespace Brelo {
namespace Frei0r {

// One row of `count` pixels from R,G,B,A bytes to A,R,G,B bytes, and back.
void rgbaToArgb(std::uint8_t const* from, std::uint8_t* to, int count);
void argbToRgba(std::uint8_t const* from, std::uint8_t* to, int count);

class RgbaFrameIO : public Sim::FrameIO {
 public:
  // Frames of width x height pixels; `in` and `out` may be the same buffer
  // only if the caller does not need the input afterwards.
  RgbaFrameIO(std::uint32_t const* in, std::uint32_t* out, int width, int height);

  // 8-bit worlds only; other depths get transparent pixels (the filters
  // render 8-bit). Never throws: the effect calls through here.
  void writeLayer(PF_EffectWorld& world, Sim::Depth depth) override;
  // The output placed at its origin; the rest of the frame transparent.
  void readOutput(PF_EffectWorld const& world, Sim::Depth depth) override;

  bool outputWritten() const { return m_written; }

 private:
  std::uint8_t const* m_in;
  std::uint8_t* m_out;
  int m_width, m_height;
  bool m_written = false;
};

}  // namespace Frei0r
}  // namespace Brelo
