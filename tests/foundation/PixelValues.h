// Host pixels from whole numbers, for the colour and blend tests.
#pragma once

#include "Util/BreloHostAPI.h"

namespace PixelValues {

// Each channel converted to the pixel's channel type as it is (no limiting).
template <class P>
P pixel(int a, int r, int g, int b) {
  using C = decltype(P{}.alpha);
  P p;
  p.alpha = static_cast<C>(a);
  p.red = static_cast<C>(r);
  p.green = static_cast<C>(g);
  p.blue = static_cast<C>(b);
  return p;
}

inline PF_Pixel px8(int a, int r, int g, int b) { return pixel<PF_Pixel>(a, r, g, b); }
inline PF_Pixel16 px16(int a, int r, int g, int b) { return pixel<PF_Pixel16>(a, r, g, b); }

}  // namespace PixelValues
