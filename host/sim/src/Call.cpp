#include "brelo_host/Call.h"

namespace Brelo {
namespace Sim {

namespace {
// In the order of Call.
const char* const kNames[] = {
    "AcquireSuite",
    "ReleaseSuite",
    "AllocateBlock",
    "FreeBlock",
    "ReallocateBlock",
    "add_param",
    "checkout_param",
    "checkin_param",
    "abort",
    "progress",
    "copy",
    "transfer_rect",
    "checkout_layer",
    "checkout_layer_pixels",
    "checkin_layer_pixels",
    "checkout_output",
    "new_world",
    "dispose_world",
    "get_pixel_format",
    "PF_NewWorld",
    "PF_DisposeWorld",
    "PF_GetPixelFormat",
    "fill",
    "fill16",
    "fill_float",
    "nn_sample",
    "subpixel_sample",
    "area_sample",
    "nn_sample16",
    "subpixel_sample16",
    "area_sample16",
    "nn_sample_float",
    "subpixel_sample_float",
    "area_sample_float",
    "host_new_handle",
    "host_lock_handle",
    "host_unlock_handle",
    "host_dispose_handle",
    "host_get_handle_size",
    "host_resize_handle",
    "PF_UpdateParamUI",
    "AEGP_RegisterWithAEGP",
    "AEGP_GetNewEffectForEffect",
    "AEGP_GetNewEffectStreamByIndex",
    "AEGP_DisposeStream",
    "AEGP_SetExpression",
    "AEGP_DisposeEffect",
    "AEGP_GetNumThreads",
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == kCallCount, "one name per call");
}  // namespace

const char* callName(Call c) {
  std::size_t i = std::size_t(c);
  return i < kCallCount ? kNames[i] : "?";
}

bool callFromName(std::string const& name, Call* out) {
  for (std::size_t i = 0; i < kCallCount; ++i) {
    if (name == kNames[i]) {
      *out = Call(i);
      return true;
    }
  }
  return false;
}

}  // namespace Sim
}  // namespace Brelo
