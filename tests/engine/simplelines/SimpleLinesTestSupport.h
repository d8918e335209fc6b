// Pixel buffers with padded rows for the engine tests, wrapped as layers
// that borrow them, and small helpers shared by the test files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"
#include "Brelo/Effect/BreloSimpleLinesImpl.h"
#include "Util/BreloHostAPI.h"

namespace Brelo::Support {

template <class P>
constexpr BPC bpcOf();
template <>
constexpr BPC bpcOf<PF_Pixel>() { return BPC::Bits8; }
template <>
constexpr BPC bpcOf<PF_Pixel16>() { return BPC::Bits16; }
template <>
constexpr BPC bpcOf<PF_PixelFloat>() { return BPC::Bits32; }

// A world whose rows carry three pixels of padding filled with a marker,
// so that a write outside the image shows.
template <class P>
class TestWorld {
 public:
  static constexpr unsigned char kMarker = 0xA5;
  static constexpr int kPad = 3;

  TestWorld(int width, int height)
      : m_width(width),
        m_height(height),
        m_rowbytes(static_cast<std::ptrdiff_t>(width + kPad) * static_cast<std::ptrdiff_t>(sizeof(P))),
        m_bytes(static_cast<size_t>(m_rowbytes) * static_cast<size_t>(height > 0 ? height : 1), kMarker) {
    m_def.data = m_bytes.data();
    m_def.rowbytes = static_cast<A_long>(m_rowbytes);
    m_def.width = width;
    m_def.height = height;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) at(x, y) = P{};
  }
  TestWorld(TestWorld const&) = delete;
  TestWorld& operator=(TestWorld const&) = delete;

  Layer layer() { return Layer(nullptr, nullptr, &m_def, bpcOf<P>()); }

  P& at(int x, int y) {
    return *reinterpret_cast<P*>(m_bytes.data() + m_rowbytes * y + static_cast<std::ptrdiff_t>(sizeof(P)) * x);
  }
  P const& at(int x, int y) const {
    return *reinterpret_cast<P const*>(m_bytes.data() + m_rowbytes * y + static_cast<std::ptrdiff_t>(sizeof(P)) * x);
  }

  void fill(P const& p) {
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) at(x, y) = p;
  }

  // Deterministic, varied content (alpha included) to paint over.
  void fillPattern(std::uint32_t seed) {
    for (int y = 0; y < m_height; ++y) {
      for (int x = 0; x < m_width; ++x) {
        seed = seed * 1664525u + 1013904223u;
        P& p = at(x, y);
        if constexpr (std::is_same_v<P, PF_PixelFloat>) {
          p.alpha = static_cast<float>((seed >> 8) & 0xFF) / 255.0f;
          p.red = static_cast<float>((seed >> 16) & 0xFF) / 255.0f;
          p.green = static_cast<float>((seed >> 24) & 0xFF) / 255.0f;
          p.blue = static_cast<float>(seed & 0xFF) / 255.0f;
        } else if constexpr (std::is_same_v<P, PF_Pixel16>) {
          p.alpha = static_cast<A_u_short>((seed >> 4) % 32769u);
          p.red = static_cast<A_u_short>((seed >> 9) % 32769u);
          p.green = static_cast<A_u_short>((seed >> 13) % 32769u);
          p.blue = static_cast<A_u_short>((seed >> 17) % 32769u);
        } else {
          std::memcpy(&p, &seed, 4);
        }
      }
    }
  }

  bool paddingIntact() const {
    for (int y = 0; y < m_height; ++y) {
      unsigned char const* row = m_bytes.data() + m_rowbytes * y;
      for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(sizeof(P)) * m_width; i < m_rowbytes; ++i)
        if (row[i] != kMarker) return false;
    }
    return true;
  }

  std::vector<unsigned char> const& bytes() const { return m_bytes; }
  int width() const { return m_width; }
  int height() const { return m_height; }

 private:
  int m_width;
  int m_height;
  std::ptrdiff_t m_rowbytes;
  std::vector<unsigned char> m_bytes;
  PF_LayerDef m_def{};
};

// One bar per `width` pixels, no gaps, lengths 100, colours unvaried; the
// band starts at `first` along the axis of direction 0 on a layer of
// layer_width x layer_height, centred across it.
inline SimpleLines::Parameter plainBand(double first, double total, double width, int layer_width, int layer_height) {
  SimpleLines::Parameter p;
  p.setCenter(Vector<double>(layer_width / 2.0, layer_height - 1 - first))
      .setWidthAlign(0)
      .setTotalWidth(total)
      .setWidthMax1(width)
      .setWidthMin(1)
      .setHeightMax1(100)
      .setHeightMin(1);
  return p;
}

inline bool samePixel(PF_Pixel const& a, PF_Pixel const& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool samePixel(PF_Pixel16 const& a, PF_Pixel16 const& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace Brelo::Support
