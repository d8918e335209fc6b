// Placeholder until the blend functions are on main.
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

PF_Err cbTransferRect(PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_Field, const PF_Rect*, const PF_EffectWorld*,
                      const PF_CompositeMode*, const PF_MaskWorld*, A_long, A_long, PF_EffectWorld*) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::TransferRect)) return e;
  h->misuse("transfer_rect: not available yet");
  return PF_Err_BAD_CALLBACK_PARAM;
}

}  // namespace Sim
}  // namespace Brelo
