// Small helpers shared by the simulated host's tests.
#pragma once

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "brelo_host/Host.h"
#include "brelo_host/Image.h"
#include "brelo_host/Session.h"

namespace SimTest {

// Holds one acquisition of a suite for the scope.
template <class S>
class Suite {
 public:
  Suite(Brelo::Sim::Host& h, const char* name, int32_t version) : m_host(h), m_name(name), m_version(version) {
    const void* p = nullptr;
    EXPECT_EQ(h.basicSuite()->AcquireSuite(name, version, &p), kSPNoError) << name;
    m_suite = static_cast<const S*>(p);
  }
  ~Suite() {
    if (m_suite) m_host.basicSuite()->ReleaseSuite(m_name, m_version);
  }
  Suite(Suite const&) = delete;
  Suite& operator=(Suite const&) = delete;
  const S* operator->() const { return m_suite; }
  const S* get() const { return m_suite; }

 private:
  Brelo::Sim::Host& m_host;
  const char* m_name;
  int32_t m_version;
  const S* m_suite = nullptr;
};

// Every channel equal, in any depth.
template <class P>
bool samePixel(P const& a, P const& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// A width x height image of `pixels`, row by row, at the depth of their type.
template <class P>
Brelo::Sim::Image imageOf(int width, int height, std::vector<P> const& pixels) {
  using Brelo::Sim::Depth;
  Brelo::Sim::Image img(width, height,
                        std::is_same_v<P, PF_Pixel>     ? Depth::Bits8
                        : std::is_same_v<P, PF_Pixel16> ? Depth::Bits16
                                                        : Depth::Bits32);
  EXPECT_EQ(pixels.size(), std::size_t(width) * std::size_t(height));
  std::memcpy(img.bytes(), pixels.data(), std::min(pixels.size() * sizeof(P), img.rowBytes() * std::size_t(height)));
  return img;
}

// Pixel (x, y) of `img`, whose depth is that of P.
template <class P>
P const& pixelAt(Brelo::Sim::Image const& img, int x, int y) {
  if constexpr (std::is_same_v<P, PF_Pixel>)
    return img.px8(x, y);
  else if constexpr (std::is_same_v<P, PF_Pixel16>)
    return img.px16(x, y);
  else
    return img.pxF(x, y);
}

// A 1 x 1 image of `p`.
template <class P>
Brelo::Sim::Image onePixel(P const& p) {
  return imageOf(1, 1, std::vector<P>{p});
}

}  // namespace SimTest
