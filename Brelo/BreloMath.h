// Small numeric helpers both engines use.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "Brelo/Vector.h"

namespace Brelo {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

// v limited to 0..1; NaN passes through.
template <class T>
inline T limit01(T v) {
  return v < T(0) ? T(0) : (v > T(1) ? T(1) : v);
}

// A 64-bit product limited to the 32-bit range instead of wrapping.
inline std::int32_t saturate(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// Truncation toward zero that saturates instead of leaving the int range
// (undefined behaviour); NaN gives 0.
inline int truncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// The corner of a width x height layer from which the axis of `angle` (radians, 0..2pi,
// clockwise from up) points into the layer, so that positions along it start near 0 there.
inline Vector<double> directionOrigin(double angle, int width, int height) {
  double const right = width - 1.0, bottom = height - 1.0;
  if (angle < kPi / 2) return Vector<double>(0.0, bottom);
  if (angle < kPi) return Vector<double>(0.0, 0.0);
  if (angle < 3 * kPi / 2) return Vector<double>(right, 0.0);
  return Vector<double>(right, bottom);
}

}  // namespace Brelo
