#include "brelo_host/Depth.h"

namespace Brelo {
namespace Sim {

std::size_t pixelSize(Depth d) {
  switch (d) {
    case Depth::Bits8: return sizeof(PF_Pixel);
    case Depth::Bits16: return sizeof(PF_Pixel16);
    case Depth::Bits32: return sizeof(PF_PixelFloat);
  }
  return sizeof(PF_Pixel);
}

PF_PixelFormat pixelFormat(Depth d) {
  switch (d) {
    case Depth::Bits8: return PF_PixelFormat_ARGB32;
    case Depth::Bits16: return PF_PixelFormat_ARGB64;
    case Depth::Bits32: return PF_PixelFormat_ARGB128;
  }
  return PF_PixelFormat_INVALID;
}

A_short bitsPerChannel(Depth d) {
  switch (d) {
    case Depth::Bits8: return 8;
    case Depth::Bits16: return 16;
    case Depth::Bits32: return 32;
  }
  return 8;
}

const char* depthName(Depth d) {
  switch (d) {
    case Depth::Bits8: return "8-bit";
    case Depth::Bits16: return "16-bit";
    case Depth::Bits32: return "32-bit float";
  }
  return "?";
}

}  // namespace Sim
}  // namespace Brelo
