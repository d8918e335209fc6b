// Small helpers shared by the simulated host's tests.
#pragma once

#include <gtest/gtest.h>

#include "brelo_host/Host.h"
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

inline bool samePixel(PF_Pixel a, PF_Pixel b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool samePixel(PF_Pixel16 a, PF_Pixel16 b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool samePixel(PF_PixelFloat a, PF_PixelFloat b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace SimTest
