#include "Brelo/BreloBlend.h"

namespace Brelo {

namespace {

// Tables in enumeration order from Add (1) to AlphaAdd (16); Normal (0) and
// every unknown value fall back to `normal`.
template <class Fn>
Fn lookUp(Fn const (&table)[16], Fn normal, BlendMode mode) {
  int const v = static_cast<int>(mode);
  return v >= 1 && v <= 16 ? table[v - 1] : normal;
}

template <class P>
struct Table {
  using Fn = P (*)(P const&, P const&);
  static constexpr Fn functions[16] = {
      &Blend::add,      &Blend::multiply, &Blend::screen,     &Blend::overlay,   &Blend::softlight, &Blend::hardlight,
      &Blend::dodge,    &Blend::burn,     &Blend::darken,     &Blend::lighten,   &Blend::difference, &Blend::exclusion,
      &Blend::hue,      &Blend::saturation, &Blend::luminosity, &Blend::alpha_add,
  };
};

}  // namespace

BlendFunction getBlendFunction(BlendMode mode) {
  return lookUp(Table<ColorFloat<float>>::functions, static_cast<BlendFunction>(&Blend::normal), mode);
}

BlendFunction8 getBlendFunction8(BlendMode mode) {
  return lookUp(Table<PF_Pixel>::functions, static_cast<BlendFunction8>(&Blend::normal), mode);
}

BlendFunction16 getBlendFunction16(BlendMode mode) {
  return lookUp(Table<PF_Pixel16>::functions, static_cast<BlendFunction16>(&Blend::normal), mode);
}

BlendFunction32 getBlendFunction32(BlendMode mode) {
  return lookUp(Table<PF_PixelFloat>::functions, static_cast<BlendFunction32>(&Blend::normal), mode);
}

int aeBlendMode(BlendMode mode) {
  static constexpr int kTransfer[16] = {
      PF_Xfer_ADD,        PF_Xfer_MULTIPLY,  PF_Xfer_SCREEN,        PF_Xfer_OVERLAY,
      PF_Xfer_SOFT_LIGHT, PF_Xfer_HARD_LIGHT, PF_Xfer_COLOR_DODGE2, PF_Xfer_COLOR_BURN2,
      PF_Xfer_DARKEN,     PF_Xfer_LIGHTEN,   PF_Xfer_DIFFERENCE2,   PF_Xfer_EXCLUSION,
      PF_Xfer_HUE,        PF_Xfer_SATURATION, PF_Xfer_LUMINOSITY,   PF_Xfer_ALPHA_ADD,
  };
  int const v = static_cast<int>(mode);
  return v >= 1 && v <= 16 ? kTransfer[v - 1] : PF_Xfer_IN_FRONT;
}

}  // namespace Brelo
