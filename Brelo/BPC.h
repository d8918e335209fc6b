// Bits per channel of a pixel buffer; the value selects the host pixel kind.
#pragma once

namespace Brelo {

enum class BPC : int {
  Bits8 = 0,   // PF_Pixel, 4 bytes a pixel
  Bits16 = 1,  // PF_Pixel16, 8 bytes a pixel, channels 0..32768
  Bits32 = 2,  // PF_PixelFloat, 16 bytes a pixel
};

}  // namespace Brelo
