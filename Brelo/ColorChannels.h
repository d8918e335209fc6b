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
