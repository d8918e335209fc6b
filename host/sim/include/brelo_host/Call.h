// Every call the simulated host offers a plug-in, for counting and for fault
// injection. The ANSI utilities are plain C library functions and are not
// listed: they cannot fail.
#pragma once

#include <cstddef>
#include <string>

namespace Brelo {
namespace Sim {

enum class Call : int {
  // basic suite
  AcquireSuite,
  ReleaseSuite,
  AllocateBlock,
  FreeBlock,
  ReallocateBlock,
  // PF_InData interaction callbacks
  AddParam,
  CheckoutParam,
  CheckinParam,
  Abort,
  Progress,
  // utility callbacks
  Copy,
  TransferRect,
  // smart-render callbacks
  CheckoutLayer,
  CheckoutLayerPixels,
  CheckinLayerPixels,
  CheckoutOutput,
  // World Suite 1 and 2
  NewWorld,
  DisposeWorld,
  GetPixelFormat1,
  PFNewWorld,
  PFDisposeWorld,
  PFGetPixelFormat,
  // Fill Matte Suite 2
  Fill,
  Fill16,
  FillFloat,
  // sampling suites
  NnSample,
  SubpixelSample,
  AreaSample,
  NnSample16,
  SubpixelSample16,
  AreaSample16,
  NnSampleFloat,
  SubpixelSampleFloat,
  AreaSampleFloat,
  // Handle Suite 2
  HostNewHandle,
  HostLockHandle,
  HostUnlockHandle,
  HostDisposeHandle,
  HostGetHandleSize,
  HostResizeHandle,
  // Param Utils Suite 2
  UpdateParamUI,
  // AEGP suites
  RegisterWithAEGP,
  GetNewEffectForEffect,
  GetNewEffectStreamByIndex,
  DisposeStream,
  SetExpression,
  DisposeEffect,
  GetNumThreads,
  Count_
};

constexpr std::size_t kCallCount = std::size_t(Call::Count_);

// The host's own name of the call, e.g. "subpixel_sample16", "AEGP_SetExpression".
const char* callName(Call c);
// Inverse of callName; false when the name is unknown.
bool callFromName(std::string const& name, Call* out);

}  // namespace Sim
}  // namespace Brelo
