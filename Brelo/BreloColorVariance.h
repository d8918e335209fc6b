// Random variance of a colour in one of three colour spaces, as both effects
// vary their strips' and bars' colours. Components are 0..1 (U and V of YUV
// -0.5..0.5); hue is in degrees and folds on the way back to RGB.
#pragma once

#include "Brelo/ColorFloat.h"

namespace Brelo {

// Menu "RGB|HLS|YUV".
enum class ColorSpace : int { RGB = 1, HLS = 2, YUV = 3 };
// What becomes of a varied component beyond its range; menu "Clip|Wrap Back".
enum class ColorOverlap : int { Clip = 1, WrapBack = 2 };

// Reflected back into [lo, hi] (WrapBack) or limited to it (Clip); any other
// rule leaves v as it is.
inline float overlap(float v, float lo, float hi, ColorOverlap rule) {
  if (rule == ColorOverlap::WrapBack) {
    if (v < lo) return lo + lo - v;
    if (v > hi) return hi + hi - v;
  } else if (rule == ColorOverlap::Clip) {
    if (v < lo) return lo;
    if (v > hi) return hi;
  }
  return v;
}

// `base` with the signed amounts d[0..2] (each -1..1) added to its three
// components in `space`: in HLS the hue moves by 180 degrees per unit, in YUV
// U and V by half a unit. Alpha stays; another space leaves the colour as it is.
ColorFloat<float> varyColor(ColorFloat<float> const& base, float const d[3], ColorSpace space, ColorOverlap rule);

}  // namespace Brelo
