#include "brelo_host/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Brelo {
namespace Sim {

namespace {

template <class T>
T toInt(float v, float full) {
  if (!(v > 0.0f)) return 0;  // NaN too
  float s = v * full + 0.5f;
  if (s >= full) return T(full);
  return T(s);
}

}  // namespace

Image::Image(int width, int height, Depth depth)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_depth(depth),
      m_bytes(std::size_t(m_width) * std::size_t(m_height) * pixelSize(depth), 0) {}

RGBA readPixel(const void* pixel, Depth depth) {
  switch (depth) {
    case Depth::Bits8: {
      PF_Pixel const& p = *static_cast<const PF_Pixel*>(pixel);
      return {p.alpha / 255.0f, p.red / 255.0f, p.green / 255.0f, p.blue / 255.0f};
    }
    case Depth::Bits16: {
      PF_Pixel16 const& p = *static_cast<const PF_Pixel16*>(pixel);
      return {p.alpha / 32768.0f, p.red / 32768.0f, p.green / 32768.0f, p.blue / 32768.0f};
    }
    case Depth::Bits32: {
      PF_PixelFloat const& p = *static_cast<const PF_PixelFloat*>(pixel);
      return {p.alpha, p.red, p.green, p.blue};
    }
  }
  return {};
}

void writePixel(void* pixel, Depth depth, RGBA const& c) {
  switch (depth) {
    case Depth::Bits8:
      *static_cast<PF_Pixel*>(pixel) = {toInt<A_u_char>(c.a, 255.0f), toInt<A_u_char>(c.r, 255.0f),
                                        toInt<A_u_char>(c.g, 255.0f), toInt<A_u_char>(c.b, 255.0f)};
      break;
    case Depth::Bits16:
      *static_cast<PF_Pixel16*>(pixel) = {toInt<A_u_short>(c.a, 32768.0f), toInt<A_u_short>(c.r, 32768.0f),
                                          toInt<A_u_short>(c.g, 32768.0f), toInt<A_u_short>(c.b, 32768.0f)};
      break;
    case Depth::Bits32:
      *static_cast<PF_PixelFloat*>(pixel) = {c.a, c.r, c.g, c.b};
      break;
  }
}

RGBA Image::get(int x, int y) const { return readPixel(m_bytes.data() + pixelOffset(x, y), m_depth); }

void Image::set(int x, int y, RGBA const& c) { writePixel(m_bytes.data() + pixelOffset(x, y), m_depth, c); }

void Image::fill(RGBA const& c) {
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) set(x, y, c);
}

Image Image::converted(Depth to) const {
  if (to == m_depth) return *this;
  Image out(m_width, m_height, to);
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) out.set(x, y, get(x, y));
  return out;
}

bool Image::operator==(Image const& o) const {
  return m_width == o.m_width && m_height == o.m_height && m_depth == o.m_depth && m_bytes == o.m_bytes;
}

}  // namespace Sim
}  // namespace Brelo
