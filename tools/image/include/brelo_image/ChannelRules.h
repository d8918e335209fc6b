// The one rule per depth between the host's channels and a file's samples:
//
//   8 bits   the host's 0..255 are the file's 0..255;
//   16 bits  the host's 0..32768 are spread over the file's 0..65535
//            (v * 65535 / 32768, rounded) and gathered back exactly;
//   float    as stored.
//
// A sample of another depth than the pixel's goes through the normalised value
// (8 bits / 255, 16 bits / 32768, float as it is), limited to 0..1 and rounded
// for integer samples; 8-bit values widen exactly to 16-bit samples (v * 257).
// Host pixels are alpha, red, green, blue with straight colour.
#pragma once

#include <cstdint>

#include "brelo_host/Depth.h"
#include "brelo_image/PixelView.h"

namespace Brelo {
namespace ImageIO {

std::uint16_t spread16(std::uint16_t host);
std::uint16_t gather16(std::uint16_t sample);
// A normalised value as an 8- or 16-bit sample: limited to 0..1, rounded.
std::uint8_t unitTo8(float v);
std::uint16_t unitTo16(float v);

enum class SampleType { U8, U16, F32 };
// The host depth that holds samples of a type exactly.
Sim::Depth depthFor(SampleType type);

enum class ChannelOrder { ARGB, RGBA, RGB };

// How a writer wants a row: sample type and order, in native byte order;
// premultiplied colour is colour times alpha (float colour stays as it is
// where alpha is 1).
struct RowLayout {
  SampleType type = SampleType::U8;
  ChannelOrder order = ChannelOrder::RGBA;
  bool premultiply = false;
};

// Bytes of one row of `width` pixels in the layout.
std::size_t rowBytes(RowLayout layout, int width);

// Row y of the view, written to `out` in the layout.
void hostRowToSamples(PixelView const& view, int y, RowLayout layout, void* out);

// A file's row of samples as host pixels of depthFor(type): `channels` is 1
// (gray), 2 (gray, alpha), 3 (RGB) or 4 (RGBA), the first of them in each
// group of `stride` samples; missing alpha is opaque.
void samplesToHostRow(const void* samples, SampleType type, int channels, int stride, int width, void* hostRow);

// Straight colour from premultiplied, in place, for a row of host pixels:
// float colour is divided by alpha (where alpha is neither 0 nor 1); integer
// colour is scaled by the channel's maximum over alpha, rounded and limited.
void unpremultiplyRow(void* hostRow, Sim::Depth depth, int width);

}  // namespace ImageIO
}  // namespace Brelo
