// 2-D point or offset. Only compound operators exist, so every arithmetic
// step stays visible in the element type the caller chose.
#pragma once

#include <cmath>

#include "Brelo/Components.h"

namespace Brelo {

template <class T>
struct Vector : Components<Vector<T>, T> {
  T x;
  T y;

  static constexpr auto components() { return std::make_tuple(&Vector::x, &Vector::y); }

  Vector() : x(0), y(0) {}
  explicit Vector(T v) : x(v), y(v) {}
  Vector(T ax, T ay) : x(ax), y(ay) {}

  // The squares are summed in T (32-bit for int); only the root is double.
  double length() const {
    T const sq = static_cast<T>(x * x + y * y);
    return std::sqrt(static_cast<double>(sq));
  }

  // Integer vectors truncate toward zero, so short ones collapse to (0, 0).
  void normalize() {
    double const len = length();
    if (len > 0.0) {
      x = static_cast<T>(static_cast<double>(x) / len);
      y = static_cast<T>(static_cast<double>(y) / len);
    }
  }

  T dot(Vector const& o) const { return static_cast<T>(x * o.x + y * o.y); }
  T cross(Vector const& o) const { return static_cast<T>(x * o.y - y * o.x); }
};

}  // namespace Brelo
