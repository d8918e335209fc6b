// Colour with raw integer channels (0..255 or 0..32768), alpha, red, green,
// blue in the host's order.
#pragma once

#include "Brelo/ColorChannels.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

template <class T>
struct ColorInt : ColorChannels<ColorInt<T>, T> {
  using Channels = ColorChannels<ColorInt<T>, T>;

  using Channels::Channels;  // (alpha, red, green, blue)
  ColorInt() = default;
  ColorInt(PF_Pixel const& p) : Channels(p) {}
  ColorInt(PF_Pixel16 const& p) : Channels(p) {}
};

}  // namespace Brelo
