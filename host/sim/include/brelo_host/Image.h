// An owned, tightly packed image at one depth: what tests hand the host as a
// layer and what the host hands back as a rendered frame.
#pragma once

#include <cstdint>
#include <vector>

#include "AE_Effect.h"
#include "brelo_host/Depth.h"

namespace Brelo {
namespace Sim {

// Straight colour, channels normalised to 0..1 whatever the depth.
struct RGBA {
  float a = 0, r = 0, g = 0, b = 0;
};

// One pixel of the given depth at `pixel`, normalised: 8 bits / 255,
// 16 bits / 32768, float as stored.
RGBA readPixel(const void* pixel, Depth depth);
// Writes a normalised colour as one pixel: integer depths round to nearest
// and limit to their range.
void writePixel(void* pixel, Depth depth, RGBA const& c);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Depth depth);  // transparent black

  int width() const { return m_width; }
  int height() const { return m_height; }
  Depth depth() const { return m_depth; }
  bool empty() const { return m_width <= 0 || m_height <= 0; }
  std::size_t rowBytes() const { return std::size_t(m_width) * pixelSize(m_depth); }
  std::uint8_t* bytes() { return m_bytes.data(); }
  const std::uint8_t* bytes() const { return m_bytes.data(); }

  // Raw access; the pixel kind must match the depth.
  PF_Pixel& px8(int x, int y) { return at<PF_Pixel>(x, y); }
  PF_Pixel16& px16(int x, int y) { return at<PF_Pixel16>(x, y); }
  PF_PixelFloat& pxF(int x, int y) { return at<PF_PixelFloat>(x, y); }
  PF_Pixel const& px8(int x, int y) const { return at<PF_Pixel>(x, y); }
  PF_Pixel16 const& px16(int x, int y) const { return at<PF_Pixel16>(x, y); }
  PF_PixelFloat const& pxF(int x, int y) const { return at<PF_PixelFloat>(x, y); }

  // Normalised read: 8 bits / 255, 16 bits / 32768, float as stored.
  RGBA get(int x, int y) const;
  // Normalised write: integer depths round to nearest and limit to the range.
  void set(int x, int y, RGBA const& c);
  void fill(RGBA const& c);

  // The same picture at another depth, through the normalised values.
  Image converted(Depth to) const;

  bool operator==(Image const& o) const;
  bool operator!=(Image const& o) const { return !(*this == o); }

 private:
  std::size_t pixelOffset(int x, int y) const {
    return (std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * pixelSize(m_depth);
  }
  template <class P>
  P& at(int x, int y) {
    return reinterpret_cast<P*>(m_bytes.data())[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
  }
  template <class P>
  P const& at(int x, int y) const {
    return reinterpret_cast<const P*>(m_bytes.data())[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
  }

  int m_width = 0;
  int m_height = 0;
  Depth m_depth = Depth::Bits8;
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace Sim
}  // namespace Brelo
