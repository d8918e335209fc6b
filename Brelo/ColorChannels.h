// The four channels both colour types hold, in the host's order (alpha, red,
// green, blue), and what they do alike on them.
#pragma once

#include "Brelo/Components.h"

namespace Brelo {

template <class V, class T>
struct ColorChannels : Components<V, T> {
  T alpha;
  T red;
  T green;
  T blue;

  static constexpr auto components() {
    return std::make_tuple(&ColorChannels::alpha, &ColorChannels::red, &ColorChannels::green, &ColorChannels::blue);
  }

  ColorChannels() : alpha(0), red(0), green(0), blue(0) {}
  ColorChannels(T a, T r, T g, T b) : alpha(a), red(r), green(g), blue(b) {}
  // A host pixel's channels as they are, each converted to T.
  template <class Pixel>
  explicit ColorChannels(Pixel const& p)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {}

  V operator+(V const& o) const { return V(static_cast<V const&>(*this)) += o; }
  V operator-(V const& o) const { return V(static_cast<V const&>(*this)) -= o; }

  // Scaling by a number (T or int) touches alpha too; mult/div below leave it
  // alone. An int is taken in T, so an unsigned colour divides unsigned.
  using Components<V, T>::operator*=;
  using Components<V, T>::operator/=;
  V& operator*=(int const& f) { return Components<V, T>::operator*=(static_cast<T>(f)); }
  V& operator/=(int const& f) { return Components<V, T>::operator/=(static_cast<T>(f)); }
  template <class F>
  V operator*(F const& f) const { return V(static_cast<V const&>(*this)) *= f; }
  template <class F>
  V operator/(F const& f) const { return V(static_cast<V const&>(*this)) /= f; }

  // Colour channels only; alpha is left alone.
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
