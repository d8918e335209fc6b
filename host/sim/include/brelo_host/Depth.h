// Bit depth of a simulated frame and what follows from it.
#pragma once

#include <cstddef>

#include "AE_Effect.h"

namespace Brelo {
namespace Sim {

enum class Depth { Bits8, Bits16, Bits32 };

// Bytes of one pixel: 4, 8 or 16.
std::size_t pixelSize(Depth d);
// The host's pixel format for the depth: ARGB32, ARGB64, ARGB128.
PF_PixelFormat pixelFormat(Depth d);
// 8, 16 or 32, as the smart-render input reports it.
A_short bitsPerChannel(Depth d);
const char* depthName(Depth d);

}  // namespace Sim
}  // namespace Brelo
