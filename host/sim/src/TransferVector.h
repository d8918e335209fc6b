// Vector forms of transfer_rect's 8- and 16-bit blends (TransferVector.cpp).
#pragma once

#include "AE_Effect.h"
#include "Brelo/BreloBlend.h"

namespace Brelo {
namespace Sim {

// Composites 8-bit pixels s[i] over o[i] in `mode` with c's opacity and
// rgb_only, four at a time, exactly as the scalar blend does; returns how
// many it did from the start (a multiple of four, 0 when the mode has no
// vector form here or the processor lacks SSE4.1). The caller does the rest.
int transferFour8(PF_Pixel const* s, PF_Pixel* o, int n, BlendMode mode, PF_CompositeMode const& c);
// The same at 16 bits.
int transferFour16(PF_Pixel16 const* s, PF_Pixel16* o, int n, BlendMode mode, PF_CompositeMode const& c);

}  // namespace Sim
}  // namespace Brelo
