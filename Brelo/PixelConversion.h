// Conversions of the colour types back to host pixels. Integer channels are
// always scale, then limit, then truncate toward zero (never rounded); scale
// false takes a ColorFloat's channels as raw values already.
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

// Pixel kind P from c's four channels, each converted by `limit`.
template <class P, class C, class Limit>
inline P limited(C const& c, Limit const& limit) {
  P p;
  p.alpha = limit(c.alpha);
  p.red = limit(c.red);
  p.green = limit(c.green);
  p.blue = limit(c.blue);
  return p;
}

}  // namespace PixelDetail

template <class T>
inline PF_Pixel aePixel8(ColorFloat<T> const& c, bool scale = true) {
  T const k = scale ? T(255) : T(1);
  return PixelDetail::limited<PF_Pixel>(c, [k](T v) { return PixelDetail::limitTruncate<A_u_char>(v * k, T(255)); });
}

template <class T>
inline PF_Pixel16 aePixel16(ColorFloat<T> const& c, bool scale = true) {
  T const k = scale ? T(32768) : T(1);
  return PixelDetail::limited<PF_Pixel16>(c, [k](T v) { return PixelDetail::limitTruncate<A_u_short>(v * k, T(32768)); });
}

// Float pixels are never limited.
template <class T>
inline PF_PixelFloat aePixel32(ColorFloat<T> const& c) {
  return PixelDetail::limited<PF_PixelFloat>(c, [](T v) { return static_cast<PF_FpShort>(v); });
}

template <class T>
inline PF_Pixel aePixel8(ColorInt<T> const& c) {
  return PixelDetail::limited<PF_Pixel>(c, [](T v) { return PixelDetail::limitInt<A_u_char>(v, T(255)); });
}

template <class T>
inline PF_Pixel16 aePixel16(ColorInt<T> const& c) {
  return PixelDetail::limited<PF_Pixel16>(c, [](T v) { return PixelDetail::limitInt<A_u_short>(v, T(32768)); });
}

}  // namespace Brelo
