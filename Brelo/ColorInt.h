// Colour with raw integer channels (0..255 or 0..32768), alpha, red, green,
// blue in the host's order.
#pragma once

#include "Brelo/Components.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

template <class T>
struct ColorInt : Components<ColorInt<T>, T> {
  T alpha;
  T red;
  T green;
  T blue;

  static constexpr auto components() {
    return std::make_tuple(&ColorInt::alpha, &ColorInt::red, &ColorInt::green, &ColorInt::blue);
  }

  ColorInt() : alpha(0), red(0), green(0), blue(0) {}
  ColorInt(T a, T r, T g, T b) : alpha(a), red(r), green(g), blue(b) {}
  ColorInt(PF_Pixel const& p)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {}
  ColorInt(PF_Pixel16 const& p)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {}

  ColorInt operator+(ColorInt const& o) const { return ColorInt(*this) += o; }
  ColorInt operator-(ColorInt const& o) const { return ColorInt(*this) -= o; }

  // The factor is taken in T, so an unsigned colour divides unsigned.
  ColorInt& operator*=(int const& f) { return Components<ColorInt<T>, T>::operator*=(static_cast<T>(f)); }
  ColorInt& operator/=(int const& f) { return Components<ColorInt<T>, T>::operator/=(static_cast<T>(f)); }
  ColorInt operator*(int const& f) const { return ColorInt(*this) *= f; }
  ColorInt operator/(int const& f) const { return ColorInt(*this) /= f; }

  void mult(T f) {
    red *= f;
    green *= f;
    blue *= f;
  }
  void div(T f) {
    red /= f;
    green /= f;
    blue /= f;
  }
};

}  // namespace Brelo
