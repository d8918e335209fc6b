// The working colour of all pixel code: alpha, red, green, blue in the host's
// order (a ColorFloat<float> has the layout of a PF_PixelFloat), normally
// 0..1 but never limited unless asked.
#pragma once

#include "Brelo/Components.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

template <class T>
struct ColorFloat : Components<ColorFloat<T>, T> {
  T alpha;
  T red;
  T green;
  T blue;

  static constexpr auto components() {
    return std::make_tuple(&ColorFloat::alpha, &ColorFloat::red, &ColorFloat::green, &ColorFloat::blue);
  }

  ColorFloat() : alpha(0), red(0), green(0), blue(0) {}
  ColorFloat(T r, T g, T b) : alpha(1), red(r), green(g), blue(b) {}
  ColorFloat(T a, T r, T g, T b) : alpha(a), red(r), green(g), blue(b) {}

  ColorFloat(PF_Pixel const& p) : ColorFloat(p, true) {}
  // normalise false keeps the raw channel values 0..255.
  ColorFloat(PF_Pixel const& p, bool normalise)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {
    if (normalise) {
      // An exact division, not a multiplication by 1/255: it is what lets
      // every 8-bit value survive the trip back through aePixel8.
      *this /= T(255);
    }
  }

  ColorFloat(PF_Pixel16 const& p) : ColorFloat(p, true) {}
  // normalise false keeps the raw channel values 0..32768.
  ColorFloat(PF_Pixel16 const& p, bool normalise)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {
    if (normalise) {
      *this *= T(1) / T(32768);  // a power of two: exact
    }
  }

  ColorFloat(PF_PixelFloat const& p)
      : alpha(static_cast<T>(p.alpha)), red(static_cast<T>(p.red)), green(static_cast<T>(p.green)),
        blue(static_cast<T>(p.blue)) {}

  ColorFloat operator+(ColorFloat const& o) const { return ColorFloat(*this) += o; }
  ColorFloat operator-(ColorFloat const& o) const { return ColorFloat(*this) -= o; }

  // Scaling by a number touches alpha too; mult/div below leave it alone.
  using Components<ColorFloat<T>, T>::operator*=;
  using Components<ColorFloat<T>, T>::operator/=;
  ColorFloat& operator*=(int const& f) { return *this *= static_cast<T>(f); }
  ColorFloat& operator/=(int const& f) { return *this /= static_cast<T>(f); }
  ColorFloat operator*(T const& f) const { return ColorFloat(*this) *= f; }
  ColorFloat operator/(T const& f) const { return ColorFloat(*this) /= f; }
  ColorFloat operator*(int const& f) const { return ColorFloat(*this) *= f; }
  ColorFloat operator/(int const& f) const { return ColorFloat(*this) /= f; }

  T dot(ColorFloat const& o) const { return red * o.red + green * o.green + blue * o.blue; }

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

  // Colour channels only: above limit becomes limit, otherwise below 0 becomes 0.
  void clamp(T limit) {
    red = clampOne(red, limit);
    green = clampOne(green, limit);
    blue = clampOne(blue, limit);
  }

 private:
  static T clampOne(T v, T limit) { return v > limit ? limit : (v < T(0) ? T(0) : v); }
};

}  // namespace Brelo
