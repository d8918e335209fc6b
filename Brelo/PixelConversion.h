// Conversions of the colour types back to host pixels. Integer channels are
// always scale, then limit, then truncate toward zero (never rounded).
#pragma once

#include <type_traits>

#include "Brelo/ColorFloat.h"
#include "Brelo/ColorInt.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

namespace PixelDetail {

// w limited to 0..max, then truncated. NaN gives 0: a float pixel can carry
// one, and converting it to an integer would be undefined.
template <class Out, class T>
inline Out limitTruncate(T w, T max) {
  if (!(w > T(0))) {
    return 0;
  }
  if (w > max) {
    return static_cast<Out>(max);
  }
  return static_cast<Out>(w);
}

template <class Out, class T>
inline Out limitInt(T v, T max) {
  if constexpr (std::is_signed<T>::value) {
    if (v < T(0)) {
      return 0;
    }
  }
  return static_cast<Out>(v > max ? max : v);
}

}  // namespace PixelDetail

template <class T>
inline PF_Pixel aePixel8(ColorFloat<T> const& c, bool scale) {
  T const k = scale ? T(255) : T(1);
  T const max = T(255);
  PF_Pixel p;
  p.alpha = PixelDetail::limitTruncate<A_u_char>(c.alpha * k, max);
  p.red = PixelDetail::limitTruncate<A_u_char>(c.red * k, max);
  p.green = PixelDetail::limitTruncate<A_u_char>(c.green * k, max);
  p.blue = PixelDetail::limitTruncate<A_u_char>(c.blue * k, max);
  return p;
}

template <class T>
inline PF_Pixel aePixel8(ColorFloat<T> const& c) {
  return aePixel8(c, true);
}

template <class T>
inline PF_Pixel16 aePixel16(ColorFloat<T> const& c, bool scale) {
  T const k = scale ? T(32768) : T(1);
  T const max = T(32768);
  PF_Pixel16 p;
  p.alpha = PixelDetail::limitTruncate<A_u_short>(c.alpha * k, max);
  p.red = PixelDetail::limitTruncate<A_u_short>(c.red * k, max);
  p.green = PixelDetail::limitTruncate<A_u_short>(c.green * k, max);
  p.blue = PixelDetail::limitTruncate<A_u_short>(c.blue * k, max);
  return p;
}

template <class T>
inline PF_Pixel16 aePixel16(ColorFloat<T> const& c) {
  return aePixel16(c, true);
}

// Float pixels are never limited.
template <class T>
inline PF_PixelFloat aePixel32(ColorFloat<T> const& c) {
  PF_PixelFloat p;
  p.alpha = static_cast<PF_FpShort>(c.alpha);
  p.red = static_cast<PF_FpShort>(c.red);
  p.green = static_cast<PF_FpShort>(c.green);
  p.blue = static_cast<PF_FpShort>(c.blue);
  return p;
}

template <class T>
inline PF_Pixel aePixel8(ColorInt<T> const& c) {
  PF_Pixel p;
  p.alpha = PixelDetail::limitInt<A_u_char>(c.alpha, T(255));
  p.red = PixelDetail::limitInt<A_u_char>(c.red, T(255));
  p.green = PixelDetail::limitInt<A_u_char>(c.green, T(255));
  p.blue = PixelDetail::limitInt<A_u_char>(c.blue, T(255));
  return p;
}

template <class T>
inline PF_Pixel16 aePixel16(ColorInt<T> const& c) {
  PF_Pixel16 p;
  p.alpha = PixelDetail::limitInt<A_u_short>(c.alpha, T(32768));
  p.red = PixelDetail::limitInt<A_u_short>(c.red, T(32768));
  p.green = PixelDetail::limitInt<A_u_short>(c.green, T(32768));
  p.blue = PixelDetail::limitInt<A_u_short>(c.blue, T(32768));
  return p;
}

}  // namespace Brelo
