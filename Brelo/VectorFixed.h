// 2-D vector in the host's 16.16 fixed point (65536 is 1.0), stepped once per
// output pixel by the renderers' inner loops: integer-only and inline.
#pragma once

#include <cmath>
#include <cstdint>

namespace Brelo {

namespace FixedDetail {
// Two's-complement wrap instead of signed overflow, which would be undefined;
// in range the results are the plain 32-bit ones.
inline int32_t add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t sub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t mul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
}  // namespace FixedDetail

struct VectorFixed {
  int32_t x;
  int32_t y;

  VectorFixed() : x(0), y(0) {}
  VectorFixed(int32_t ax, int32_t ay) : x(ax), y(ay) {}

  VectorFixed& operator+=(VectorFixed const& o) {
    x = FixedDetail::add(x, o.x);
    y = FixedDetail::add(y, o.y);
    return *this;
  }
  VectorFixed& operator-=(VectorFixed const& o) {
    x = FixedDetail::sub(x, o.x);
    y = FixedDetail::sub(y, o.y);
    return *this;
  }
  VectorFixed operator+(VectorFixed const& o) const { return VectorFixed(*this) += o; }
  VectorFixed operator-(VectorFixed const& o) const { return VectorFixed(*this) -= o; }

  // Plain integer factor: no fixed-point shift.
  VectorFixed& operator*=(int const& f) {
    x = FixedDetail::mul(x, f);
    y = FixedDetail::mul(y, f);
    return *this;
  }
  VectorFixed operator*(int const& f) const { return VectorFixed(*this) *= f; }

  // Rotation by the unit vector r (see createRotatedFixed). Both operands lose
  // precision first (x, y to 4 fractional bits, r to 12) so the products fit 32 bits.
  VectorFixed rotate(VectorFixed const& r) const {
    int32_t const px = x >> 12;
    int32_t const py = y >> 12;
    int32_t const qx = r.x >> 4;
    int32_t const qy = r.y >> 4;
    using namespace FixedDetail;
    return VectorFixed(sub(mul(px, qx), mul(py, qy)), add(mul(px, qy), mul(py, qx)));
  }

  bool operator==(VectorFixed const& o) const { return x == o.x && y == o.y; }
  bool operator!=(VectorFixed const& o) const { return !(*this == o); }
};

// (cos, -sin) of the angle in 16.16, rounded half away from zero.
inline VectorFixed createRotatedFixed(double angle) {
  auto const fix = [](double v) {
    double const scaled = v * 65536.0;
    return static_cast<int32_t>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
  };
  return VectorFixed(fix(std::cos(angle)), fix(-std::sin(angle)));
}

}  // namespace Brelo
