#include "brelo_frei0r/RgbaFrameIO.h"

#include <algorithm>
#include <cstring>

namespace Brelo {
namespace Frei0r {

namespace {

// Byte i of each pixel written is byte Order[i] of the pixel read.
template <int O0, int O1, int O2, int O3>
void reorder(std::uint8_t const* from, std::uint8_t* to, int count) {
  for (int i = 0; i < count; ++i, from += 4, to += 4) {
    std::uint8_t const b0 = from[O0], b1 = from[O1], b2 = from[O2], b3 = from[O3];
    to[0] = b0;
    to[1] = b1;
    to[2] = b2;
    to[3] = b3;
  }
}

}  // namespace

void rgbaToArgb(std::uint8_t const* from, std::uint8_t* to, int count) { reorder<3, 0, 1, 2>(from, to, count); }

void argbToRgba(std::uint8_t const* from, std::uint8_t* to, int count) { reorder<1, 2, 3, 0>(from, to, count); }

RgbaFrameIO::RgbaFrameIO(std::uint32_t const* in, std::uint32_t* out, int width, int height)
    : m_in(reinterpret_cast<std::uint8_t const*>(in)),
      m_out(reinterpret_cast<std::uint8_t*>(out)),
      m_width(width),
      m_height(height) {}

void RgbaFrameIO::writeLayer(PF_EffectWorld& world, Sim::Depth depth) {
  auto* data = static_cast<std::uint8_t*>(world.data);
  std::size_t const rowbytes = std::size_t(world.rowbytes);
  int const w = std::min(int(world.width), m_width), h = std::min(int(world.height), m_height);
  for (int y = 0; y < world.height; ++y) {
    std::uint8_t* row = data + std::size_t(y) * rowbytes;
    std::size_t const bytes = std::size_t(world.width) * Sim::pixelSize(depth);
    if (depth != Sim::Depth::Bits8 || y >= h) {
      std::memset(row, 0, bytes);
      continue;
    }
    rgbaToArgb(m_in + std::size_t(y) * std::size_t(m_width) * 4, row, w);
    if (w < world.width) std::memset(row + std::size_t(w) * 4, 0, bytes - std::size_t(w) * 4);
  }
}

void RgbaFrameIO::readOutput(PF_EffectWorld const& world, Sim::Depth depth) {
  m_written = true;
  std::size_t const frameRow = std::size_t(m_width) * 4;
  // Where the world lies in the frame, clipped to it.
  int const x0 = std::max(0, int(world.origin_x)), y0 = std::max(0, int(world.origin_y));
  int const x1 = std::min(m_width, int(world.origin_x) + int(world.width));
  int const y1 = std::min(m_height, int(world.origin_y) + int(world.height));
  bool const usable = depth == Sim::Depth::Bits8 && x0 < x1 && y0 < y1;
  for (int y = 0; y < m_height; ++y) {
    std::uint8_t* row = m_out + std::size_t(y) * frameRow;
    if (!usable || y < y0 || y >= y1) {
      std::memset(row, 0, frameRow);
      continue;
    }
    auto const* src = static_cast<std::uint8_t const*>(world.data) +
                      std::size_t(y - world.origin_y) * std::size_t(world.rowbytes) +
                      std::size_t(x0 - world.origin_x) * 4;
    if (x0 > 0) std::memset(row, 0, std::size_t(x0) * 4);
    argbToRgba(src, row + std::size_t(x0) * 4, x1 - x0);
    if (x1 < m_width) std::memset(row + std::size_t(x1) * 4, 0, std::size_t(m_width - x1) * 4);
  }
}

}  // namespace Frei0r
}  // namespace Brelo
