// The host's inner records, shared by the sources of the simulator.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "brelo_host/FrameIO.h"
#include "brelo_host/Host.h"
#include "brelo_host/Instance.h"
#include "brelo_host/Session.h"

namespace Brelo {
namespace Sim {

enum class WorldOwner { Plugin1, Plugin2, LayerPixels, Output, ParamLayer, Test };

// One pixel buffer the host made. Records are kept until the host ends, so a
// stale world pointer still leads to a record that says it is gone.
struct WorldRec {
  std::atomic<bool> alive{true};
  Depth depth = Depth::Bits8;
  A_long width = 0, height = 0, rowbytes = 0;
  std::unique_ptr<std::uint8_t[]> mem;
  std::size_t memSize = 0;
  std::uint8_t* data = nullptr;  // first pixel; one guard row before it
  bool lent = false;             // data is the layer's own (no guard rows, no padding)
  std::uint64_t checksum = 0;    // of a lent world's pixels when handed out
  WorldOwner owner = WorldOwner::Test;
  Instance const* instance = nullptr;  // the effect it was made for; null for tests' worlds
  std::uint64_t serial = 0;
  PF_EffectWorld record{};  // the record handed out for host-owned worlds
};

struct HandleRec {
  char* ptr = nullptr;  // first member: the handle is the address of this pointer
  std::unique_ptr<char[]> mem;
  std::size_t size = 0;
  int locks = 0;
  bool disposed = false;
  std::uint64_t serial = 0;
};

struct SuiteEntry {
  const char* name;
  std::int32_t version;
  const void* table;
  std::atomic<int> acquired{0};
  std::atomic<int> released{0};
  std::atomic<bool> withheld{false};
};

struct FaultRule {
  Call call;
  std::uint64_t first, last;
  PF_Err err;
};

struct EffectRefRec {
  Instance* instance = nullptr;
  bool disposed = false;
  std::uint64_t serial = 0;
};

struct StreamRefRec {
  EffectRefRec* effect = nullptr;
  Instance* instance = nullptr;
  int index = 0;
  bool disposed = false;
  std::uint64_t serial = 0;
};

struct ParamCheckout {
  Instance* instance;
  int index;
  WorldRec* world;  // layer parameters with pixels
};

// The records of one command in progress.
struct Frame {
  Host::Impl* host = nullptr;
  Instance* instance = nullptr;
  PF_Cmd cmd = -1;
  Depth depth = Depth::Bits8;
  Downsample ds;
  A_long time = 0, step = 1;
  A_u_long scale = 30;
  bool render = false;  // smart pre-render or smart render: points scaled by ds

  PF_InData in{};
  PF_OutData out{};
  std::vector<PF_ParamDef> params;
  std::vector<PF_ParamDef*> ptrs;

  PF_PreRenderInput preIn{};
  PF_PreRenderOutput preOut{};
  PF_PreRenderCallbacks preCb{};
  PF_PreRenderExtra preExtra{};

  PF_SmartRenderInput srIn{};
  PF_SmartRenderCallbacks srCb{};
  PF_SmartRenderExtra srExtra{};

  // The driver's pixels, written straight into layer worlds and read
  // straight from the output.
  FrameIO* io = nullptr;

  std::vector<LayerRequest> requests;        // checkout_layer calls (pre-render)
  std::map<A_long, WorldRec*> layerPixels;   // checked out, not checked in
  std::vector<WorldRec*> handedOut;          // every layer world of the frame
  WorldRec* output = nullptr;
  PF_LRect outputRect{};
  bool paddingIntact = true;
  bool inputUntouched = true;
};

// A thread's view before it has sampled a world: never a caller's world, so
// that a null world fails the sampling calls' quick check with no test of its own.
inline const PF_EffectWorld kNoWorld{};

struct Host::Impl {
  explicit Impl(Host* h);

  Host* self;
  std::uintptr_t cookie;  // marks the world records this host filled in
  SPBasicSuite basic{};
  PF_UtilCallbacks utils{};

  // The live instances for lookups from any thread: slots below `slotsUsed`
  // hold an instance or null. Owned by `instances`, which the mutex guards.
  static constexpr std::size_t kMaxInstances = 1024;
  std::array<std::atomic<Instance*>, kMaxInstances> slots{};
  std::atomic<std::size_t> slotsUsed{0};
  std::atomic<std::uint64_t> instancesRemoved{0};
  std::atomic<int> numThreads{4};
  std::atomic<Kernels> kernels{Kernels::Scalar};  // of the pixel loops (Host::setKernels)
  std::atomic<int> padding{3};
  // Call counts. Every thread that calls the host counts in a block of its
  // own, written by that thread alone, so counting takes no locked
  // instruction and threads sampling at once never share a cache line; a
  // total adds the blocks up. A call with a fault rule armed is counted
  // under the mutex, so "the nth call" stays exact.
  struct alignas(64) CallBlock {
    std::array<std::atomic<std::uint64_t>, kCallCount> n{};
  };
  std::uint64_t const serial;  // tells this host from any earlier one at the same address
  mutable std::mutex blocksMutex;
  std::vector<std::shared_ptr<CallBlock>> callBlocks;  // one per thread that called, reused after it ends
  std::uint64_t callTotal(std::size_t i) const;
  void resetCallCounts();
  // The calling thread's block (and the effect reference it last presented
  // that proved valid); set up on a thread's first call to this host.
  struct ThreadView {
    std::uint64_t host = 0;
    CallBlock* counts = nullptr;
    PF_ProgPtr ref = nullptr;
    std::uint64_t refRemovals = 0;  // instances removed when `ref` proved valid
    // Per depth, the world this thread last sampled with its record as the
    // checks found it; good while `changes` (below) has not moved on.
    struct SampledWorld {
      PF_EffectWorld const* world = &kNoWorld;
      WorldRec const* rec = nullptr;
      std::uint8_t const* data = nullptr;
      A_long rowbytes = 0, width = 0, height = 0;
      std::uint32_t lastX = 0, lastY = 0;  // width - 1, height - 1: the last top-left corners of a quad
    };
    std::uint64_t changes = 0;
    SampledWorld sampled[3];
  };
  ThreadView& view();
  ThreadView& newView();
  std::array<std::atomic<bool>, kCallCount> armed{};
  std::vector<std::unique_ptr<SuiteEntry>> suites;  // fixed after construction

  mutable std::mutex mutex;  // guards everything below
  std::vector<FaultRule> rules;
  std::deque<std::unique_ptr<WorldRec>> worlds;
  std::deque<std::unique_ptr<HandleRec>> handles;
  std::unordered_map<PF_Handle, HandleRec*> handleMap;
  std::deque<std::unique_ptr<EffectRefRec>> effectRefs;
  std::deque<std::unique_ptr<StreamRefRec>> streamRefs;
  std::vector<ParamCheckout> checkouts;
  std::map<void*, std::size_t> blocks;
  std::vector<std::string> misuses;
  std::vector<AEGP_PluginID> pluginIds;
  std::vector<std::unique_ptr<Instance>> instances;
  std::uint64_t nextSerial = 1;

  // Counts the call; the injected error for this call number, or 0.
  PF_Err fault(Call c) { return count(view(), c); }
  PF_Err count(ThreadView& v, Call c) {
    std::size_t const i = std::size_t(c);
    if (armed[i].load(std::memory_order_acquire)) return armedFault(c);
    std::atomic<std::uint64_t>& n = v.counts->n[i];
    n.store(n.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return PF_Err_NONE;
  }
  PF_Err armedFault(Call c);
  void misuse(std::string const& what);
  // fault(c), then whether an effect reference belongs to this host (else a
  // misuse and PF_Err_BAD_CALLBACK_PARAM). A reference once found stays valid
  // until an instance is removed.
  PF_Err enter(Call c, PF_ProgPtr ref) {
    ThreadView& v = view();
    if (PF_Err e = count(v, c)) return e;
    if (ref && ref == v.ref && v.refRemovals == instancesRemoved.load(std::memory_order_relaxed)) return PF_Err_NONE;
    return enterWithNewRef(c, ref);
  }
  PF_Err enterWithNewRef(Call c, PF_ProgPtr ref);
  // The instance behind an effect reference of this host, or null (a misuse).
  Instance* instance(PF_ProgPtr ref, Call c);
  // The live record behind a world, or null (a misuse: not a world of this
  // host, disposed, or its record altered).
  WorldRec* world(const PF_EffectWorld* w, Call c) {
    if (WorldRec* rec = liveWorld(w)) return rec;
    return badWorld(w, c);
  }
  // The same test without recording anything.
  WorldRec* liveWorld(const PF_EffectWorld* w) const {
    auto* rec = w ? static_cast<WorldRec*>(w->reserved0) : nullptr;
    if (rec && (reinterpret_cast<std::uintptr_t>(w->reserved1) ^ cookie) == reinterpret_cast<std::uintptr_t>(rec) &&
        rec->alive.load(std::memory_order_acquire) && w->data == rec->data && w->width == rec->width &&
        w->height == rec->height && w->rowbytes == rec->rowbytes) {
      return rec;
    }
    return nullptr;
  }
  WorldRec* badWorld(const PF_EffectWorld* w, Call c);
  // Allocates a padded world for `instance` and fills `into` (the host's own
  // record when null).
  WorldRec* newWorld(A_long width, A_long height, Depth depth, WorldOwner owner, PF_EffectWorld* into,
                     bool clear, Instance const* instance);
  void disposeWorld(WorldRec* rec, PF_EffectWorld* record);
  // A world of the instance's layer at a downsample and depth: the layer's
  // own pixels when it is lent and they fit, else a padded copy. Null when
  // out of memory.
  WorldRec* newLayerWorld(Instance const& inst, Downsample ds, Depth depth, WorldOwner owner);
  // True when a world from newLayerWorld still holds the layer's pixels.
  bool layerWorldUntouched(WorldRec const& rec, Instance const& inst, Downsample ds, Depth depth) const;
  // Drops the records of the disposed worlds made for `instance`. Caller
  // holds the mutex; no command of the instance may be running.
  void forgetWorldsOf(Instance const* instance);
  SuiteEntry* suite(const char* name, std::int32_t version);
  bool paddingIntact(WorldRec const& rec) const;
};

// The calling thread's view of the host it last called (any host: the serial
// tells whether it is this one). Initial-exec: read with one instruction, no
// call that would make every sampling call save registers.
#if defined(__ELF__)
#define BRELO_SIM_FAST_TLS __attribute__((tls_model("initial-exec")))
#else
#define BRELO_SIM_FAST_TLS
#endif
inline thread_local Host::Impl::ThreadView t_hostView BRELO_SIM_FAST_TLS{};

inline Host::Impl::ThreadView& Host::Impl::view() { return t_hostView.host == serial ? t_hostView : newView(); }

// Pixel address in a world.
template <class P>
inline P* pixelAt(PF_EffectWorld const* w, A_long x, A_long y) {
  return reinterpret_cast<P*>(static_cast<std::uint8_t*>(w->data) + std::ptrdiff_t(y) * w->rowbytes) + x;
}

// Clips r to (0, 0, width, height); false when nothing is left.
bool clipRect(PF_LRect& r, A_long width, A_long height);

// The function tables, defined next to their calls.
extern const PF_WorldSuite1 kWorldSuite1;
extern const PF_WorldSuite2 kWorldSuite2;
extern const PF_FillMatteSuite2 kFillMatteSuite2;
// The three sampling suites with the kernels asked for, or the best ones the
// build and processor have below them.
struct SamplingSuites {
  PF_Sampling8Suite1 const* s8;
  PF_Sampling16Suite1 const* s16;
  PF_SamplingFloatSuite1 const* sFloat;
  Kernels kernels;
};
SamplingSuites samplingSuites(Kernels kernels);
extern const PF_HandleSuite2 kHandleSuite2;
extern const PF_ParamUtilsSuite2 kParamUtilsSuite2;
extern const AEGP_UtilitySuite7 kUtilitySuite7;
extern const AEGP_PFInterfaceSuite1 kPFInterfaceSuite1;
extern const AEGP_StreamSuite9 kStreamSuite9;
extern const AEGP_EffectSuite2 kEffectSuite2;
extern const AEGP_IterateSuite1 kIterateSuite1;

// Callbacks of PF_InData and of the smart-render extras.
PF_Err cbCheckoutParam(PF_ProgPtr, PF_ParamIndex, A_long, A_long, A_u_long, PF_ParamDef*);
PF_Err cbCheckinParam(PF_ProgPtr, PF_ParamDef*);
PF_Err cbAddParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr);
PF_Err cbAbort(PF_ProgPtr);
PF_Err cbProgress(PF_ProgPtr, A_long, A_long);
PF_Err cbCopy(PF_ProgPtr, PF_EffectWorld*, PF_EffectWorld*, PF_Rect*, PF_Rect*);
PF_Err cbTransferRect(PF_ProgPtr, PF_Quality, PF_ModeFlags, PF_Field, const PF_Rect*, const PF_EffectWorld*,
                      const PF_CompositeMode*, const PF_MaskWorld*, A_long, A_long, PF_EffectWorld*);
PF_Err cbCheckoutLayer(PF_ProgPtr, PF_ParamIndex, A_long, const PF_RenderRequest*, A_long, A_long, A_u_long,
                       PF_CheckoutResult*);
PF_Err cbCheckoutLayerPixels(PF_ProgPtr, A_long, PF_EffectWorld**);
PF_Err cbCheckinLayerPixels(PF_ProgPtr, A_long);
PF_Err cbCheckoutOutput(PF_ProgPtr, PF_EffectWorld**);

// The host alive now, or null.
extern std::atomic<Host::Impl*> g_currentImpl;
inline Host::Impl* currentImpl() { return g_currentImpl.load(std::memory_order_acquire); }

// Moves on whenever a call that passed its checks could now fail them: a
// world disposed of, an instance removed, a fault rule armed or cleared, a
// host made or destroyed. One count for the process, so that a thread's view
// is checked against it without finding the host first.
extern std::atomic<std::uint64_t> g_changes;
inline void noteChange() { g_changes.fetch_add(1, std::memory_order_acq_rel); }

// How a callback on an effect instance starts: the calling thread's host,
// the call `c` counted (and failed when a fault is injected on it), and the
// instance `ref` names (a misuse when it names none). `inst` is null when
// any of these fails, and `err` says why.
struct InstanceCall {
  Host::Impl* h;
  Instance* inst;
  PF_Err err;
};
inline InstanceCall instanceCall(PF_ProgPtr ref, Call c) {
  Host::Impl* h = currentImpl();
  if (!h) return {nullptr, nullptr, PF_Err_INTERNAL_STRUCT_DAMAGED};
  if (PF_Err e = h->fault(c)) return {h, nullptr, e};
  Instance* inst = h->instance(ref, c);
  return {h, inst, inst ? PF_Err_NONE : PF_Err_BAD_CALLBACK_PARAM};
}

// The layer world of a frame whose driver supplies the pixels (f.io set):
// the layer's size at the frame's downsample, written by the driver.
WorldRec* newDriverLayerWorld(Frame& f, WorldOwner owner);

}  // namespace Sim
}  // namespace Brelo
