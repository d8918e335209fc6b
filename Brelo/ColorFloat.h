// The working colour of all pixel code: alpha, red, green, blue in the host's order (a
// ColorFloat<float> has the layout of a PF_PixelFloat), normally 0..1, limited only on request.
#pragma once

#include "Brelo/ColorChannels.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

template <class T>
struct ColorFloat : ColorChannels<ColorFloat<T>, T> {
  using Channels = ColorChannels<ColorFloat<T>, T>;

  ColorFloat() = default;
  ColorFloat(T r, T g, T b) : Channels(T(1), r, g, b) {}
  ColorFloat(T a, T r, T g, T b) : Channels(a, r, g, b) {}

  ColorFloat(PF_Pixel const& p) : ColorFloat(p, true) {}
  // normalise false keeps the raw channel values 0..255.
  ColorFloat(PF_Pixel const& p, bool normalise) : Channels(p) {
    if (normalise) {
      // An exact division, not a multiplication by 1/255: it is what lets
      // every 8-bit value survive the trip back through aePixel8.
      *this /= T(255);
    }
  }

  ColorFloat(PF_Pixel16 const& p) : ColorFloat(p, true) {}
  // normalise false keeps the raw channel values 0..32768.
  ColorFloat(PF_Pixel16 const& p, bool normalise) : Channels(p) {
    if (normalise) {
      *this *= T(1) / T(32768);  // a power of two: exact
    }
  }

  ColorFloat(PF_PixelFloat const& p) : Channels(p) {}

  T dot(ColorFloat const& o) const { return this->red * o.red + this->green * o.green + this->blue * o.blue; }

  // Colour channels only: above limit becomes limit, otherwise below 0 becomes 0.
  void clamp(T limit) {
    this->red = clampOne(this->red, limit);
    this->green = clampOne(this->green, limit);
    this->blue = clampOne(this->blue, limit);
  }

 private:
  static T clampOne(T v, T limit) { return v > limit ? limit : (v < T(0) ? T(0) : v); }
};

}  // namespace Brelo
