// Conversions of control values as the host hands them over into the engines' units, for
// both effects. dsx is the render's horizontal downsample factor (1 at full resolution).
#pragma once

#include <cmath>

#include "Brelo/ColorFloat.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {
namespace ControlUnits {

// A percentage in 16.16 fixed point as a fraction 0..1.
inline double fraction(PF_Fixed v) { return static_cast<double>(v) / 65536.0 * 0.01; }

// An angle in 16.16 fixed-point degrees.
inline double radians(PF_Fixed v) { return static_cast<double>(v) / 65536.0 * 0.017453292519943295; }
inline double turns(PF_Fixed v) { return static_cast<double>(v) / 65536.0 / 360.0; }
inline double degrees(PF_Fixed v) { return static_cast<double>(v) / 65536.0; }

// A point coordinate in 16.16 fixed point, and back (half away from zero).
inline double coordinate(PF_Fixed v) { return static_cast<double>(v) / 65536.0; }
inline PF_Fixed fixed(double v) { return static_cast<PF_Fixed>(std::lround(v * 65536.0)); }

// A percentage held by a float slider as a fraction.
inline double percentFraction(double v) { return v * 0.01; }

inline ColorFloat<float> colour(PF_Pixel const& p) { return ColorFloat<float>(p); }

// The horizontal downsample factor of a render.
inline double downsampleX(PF_InData const* in_data) {
  return static_cast<double>(in_data->downsample_x.num) / static_cast<double>(in_data->downsample_x.den);
}

}  // namespace ControlUnits
}  // namespace Brelo
