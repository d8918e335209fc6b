// The simulated host: the suites, callbacks, pixel buffers and handles a
// plug-in sees, with strict checking, fault injection and an account of all
// that a plug-in holds.
//
// One Host is alive at a time. The calls that carry no effect reference (the
// basic suite, the handle suite) reach it through Host::current(), which is
// set by the constructor and cleared by the destructor; it may be read from
// any thread. Configure faults, values and images between commands, not
// while a plug-in runs.
//
// Several effect instances may live in one host and run commands on
// different threads at once, as a host application renders several layers:
// instances can be added and removed while others render, and each
// instance's own state belongs to the thread that drives it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectSuites.h"
#include "AE_GeneralPlug.h"
#include "SPBasic.h"
#include "brelo_host/Call.h"
#include "brelo_host/Depth.h"
#include "brelo_host/Image.h"

namespace Brelo {
namespace Sim {

class Instance;
class Session;

// What a plug-in holds of the host's resources. After a command, everything
// should be zero.
struct Outstanding {
  std::size_t handles = 0;      // handles not disposed of
  std::size_t worlds = 0;       // worlds the plug-in made and did not dispose of
  std::size_t suites = 0;       // suite acquisitions not released
  std::size_t params = 0;       // parameters checked out and not checked in
  std::size_t layerPixels = 0;  // layer pixels checked out and not checked in (inside a smart render)
  std::size_t effects = 0;      // AEGP effect references not disposed of
  std::size_t streams = 0;      // AEGP stream references not disposed of
  std::size_t blocks = 0;       // basic-suite blocks not freed
  std::vector<std::string> details;

  bool none() const;
  std::string describe() const;
};

// A world that the host owns, handed to a test (RAII).
class HostWorld {
 public:
  HostWorld() = default;
  HostWorld(HostWorld&& o) noexcept;
  HostWorld& operator=(HostWorld&& o) noexcept;
  HostWorld(HostWorld const&) = delete;
  HostWorld& operator=(HostWorld const&) = delete;
  ~HostWorld();

  PF_EffectWorld* get() const { return m_world; }
  PF_EffectWorld* operator->() const { return m_world; }

 private:
  friend class Host;
  friend class Session;
  explicit HostWorld(PF_EffectWorld* w) : m_world(w) {}
  PF_EffectWorld* m_world = nullptr;
};

enum class Kernels { Scalar, Sse41, Avx2 };

class Host {
 public:
  // Throws std::logic_error when another Host is alive.
  Host();
  ~Host();
  Host(Host const&) = delete;
  Host& operator=(Host const&) = delete;

  static Host* current();

  SPBasicSuite* basicSuite();
  PF_UtilCallbacks* utils();
  PF_InteractCallbacks interactCallbacks() const;

  // Effect instances live until removed or until the host ends. The layer
  // size is the full-resolution size of the layer the effect is applied to.
  // Throws std::length_error beyond 1024 instances alive at once.
  Instance& newInstance(int layerWidth, int layerHeight);
  // Destroys an instance on which no command runs.
  void removeInstance(Instance& instance);
  // The host keeps the record of every world and handle it ever made, so
  // that a stale pointer is caught. A host that renders for long forgets
  // those of the worlds made for `instance` and of the disposed handles,
  // between commands of `instance`: stale pointers to them go unnoticed.
  void forgetRetired(Instance const& instance);
  // Records of worlds and handles the host keeps, live or not.
  std::size_t records() const;

  // AEGP_GetNumThreads; default 4.
  void setNumThreads(int n);
  int numThreads() const;

  // Extra pixels at the end of every row of the worlds the host makes; the
  // padding bytes hold kPaddingByte. Default 3.
  static constexpr std::uint8_t kPaddingByte = 0xA5;
  void setRowPadding(int pixels);
  // The kernels of the host's pixel loops (the sampling suites weighing
  // pixels, transfer_rect blending them): the fastest the processor has by
  // default. All give the same results. Takes the kernels asked for, or the
  // best the processor has below them, and returns which; for sampling
  // suites acquired after the call.
  Kernels setKernels(Kernels kernels);

  // ---- fault injection
  // AcquireSuite of this name and version fails with kSPSuiteNotFoundError.
  void withholdSuite(std::string const& name, std::int32_t version);
  void restoreSuite(std::string const& name, std::int32_t version);
  // Calls number first..last of `call` (counted from 1 since the last reset)
  // fail with `err`. Calls that return a pointer return null instead; calls
  // that return nothing do nothing.
  void failCalls(Call call, std::uint64_t first, std::uint64_t last, PF_Err err);
  void failCall(Call call, std::uint64_t nth, PF_Err err) { failCalls(call, nth, nth, err); }
  void failCallsFrom(Call call, std::uint64_t first, PF_Err err) { failCalls(call, first, UINT64_MAX, err); }
  void clearFaults();
  std::uint64_t callCount(Call call) const;
  void resetCallCounts();

  // ---- accounting
  int suiteAcquisitions(std::string const& name, std::int32_t version) const;
  int suitesHeld(std::string const& name, std::int32_t version) const;
  Outstanding outstanding() const;
  // Wrong uses the host caught (bad handles, disposed worlds, unbalanced
  // releases, writes into the input, ...), in order.
  std::vector<std::string> misuses() const;
  void clearMisuses();

  // ---- worlds for tests and tools
  HostWorld makeWorld(int width, int height, Depth depth, int originX = 0, int originY = 0);
  HostWorld makeWorld(Image const& image, int originX = 0, int originY = 0);
  // Null when the world is not a live world of this host.
  bool isLiveWorld(const PF_EffectWorld* world) const;
  bool worldDepth(const PF_EffectWorld* world, Depth* depth) const;
  // True when every byte around and between the rows still holds the pattern.
  bool paddingIntact(const PF_EffectWorld* world) const;
  Image readWorld(const PF_EffectWorld* world) const;
  void writeWorld(PF_EffectWorld* world, Image const& image) const;  // same size and depth

  // ---- handles, for tests
  bool isLiveHandle(PF_Handle h) const;
  int handleLockCount(PF_Handle h) const;

  struct Impl;
  Impl& impl() { return *m; }

 private:
  std::unique_ptr<Impl> m;
};

}  // namespace Sim
}  // namespace Brelo
