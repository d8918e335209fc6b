// 3-D vector; all arithmetic, the length included, stays in T.
#pragma once

#include <cmath>

#include "Brelo/Components.h"

namespace Brelo {

template <class T>
struct Vector3d : Components<Vector3d<T>, T> {
  T x;
  T y;
  T z;

  static constexpr auto components() { return std::make_tuple(&Vector3d::x, &Vector3d::y, &Vector3d::z); }

  Vector3d() : x(0), y(0), z(0) {}
  Vector3d(T ax, T ay, T az) : x(ax), y(ay), z(az) {}

  T length() const { return std::sqrt(x * x + y * y + z * z); }

  void normalize() {
    T const len = length();
    if (len > T(0)) {
      x /= len;
      y /= len;
      z /= len;
    }
  }

  T dot(Vector3d const& o) const { return x * o.x + y * o.y + z * o.z; }

  Vector3d cross(Vector3d const& o) const {
    return Vector3d(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
  }
};

}  // namespace Brelo
