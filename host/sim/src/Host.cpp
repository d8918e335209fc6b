#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <sstream>
#include <stdexcept>

#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

std::atomic<Host*> g_current{nullptr};
std::atomic<std::uintptr_t> g_cookieSeed{0x5bd1e995u};
std::atomic<std::uint64_t> g_hostSerial{0};

// ---- basic suite
SPErr acquireSuite(const char* name, std::int32_t version, const void** suite) {
  Host::Impl* h = currentImpl();
  if (suite) *suite = nullptr;
  if (!h) return kSPSuiteNotFoundError;
  if (PF_Err e = h->fault(Call::AcquireSuite)) return e;
  if (!name || !suite) {
    h->misuse("AcquireSuite: null name or result pointer");
    return kSPSuiteNotFoundError;
  }
  SuiteEntry* s = h->suite(name, version);
  if (!s || s->withheld.load()) return kSPSuiteNotFoundError;
  s->acquired.fetch_add(1);
  *suite = s->table;
  return kSPNoError;
}

SPErr releaseSuite(const char* name, std::int32_t version) {
  Host::Impl* h = currentImpl();
  if (!h) return kSPSuiteNotFoundError;
  if (PF_Err e = h->fault(Call::ReleaseSuite)) return e;
  SuiteEntry* s = name ? h->suite(name, version) : nullptr;
  if (!s) {
    h->misuse(std::string("ReleaseSuite: unknown suite \"") + (name ? name : "(null)") + "\" version " +
              std::to_string(version));
    return kSPSuiteNotFoundError;
  }
  // Never more releases than acquisitions.
  int released = s->released.load();
  for (;;) {
    if (s->acquired.load() - released <= 0) {
      h->misuse(std::string("ReleaseSuite: \"") + name + "\" version " + std::to_string(version) +
                " released more often than acquired");
      return kSPSuiteNotFoundError;
    }
    if (s->released.compare_exchange_weak(released, released + 1)) return kSPNoError;
  }
}

SPBoolean isEqual(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

SPErr allocateBlock(size_t size, void** block) {
  Host::Impl* h = currentImpl();
  if (!h || !block) return kSPSuiteNotFoundError;
  *block = nullptr;
  if (PF_Err e = h->fault(Call::AllocateBlock)) return e;
  void* p = ::operator new(size ? size : 1, std::nothrow);
  if (!p) return PF_Err_OUT_OF_MEMORY;
  std::lock_guard<std::mutex> lock(h->mutex);
  h->blocks[p] = size;
  *block = p;
  return kSPNoError;
}

SPErr freeBlock(void* block) {
  Host::Impl* h = currentImpl();
  if (!h) return kSPSuiteNotFoundError;
  if (PF_Err e = h->fault(Call::FreeBlock)) return e;
  {
    std::lock_guard<std::mutex> lock(h->mutex);
    auto it = h->blocks.find(block);
    if (it == h->blocks.end()) {
      h->misuses.push_back("FreeBlock: not a block of the host (or freed twice)");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    h->blocks.erase(it);
  }
  ::operator delete(block);
  return kSPNoError;
}

SPErr reallocateBlock(void* block, size_t newSize, void** newBlock) {
  Host::Impl* h = currentImpl();
  if (!h || !newBlock) return kSPSuiteNotFoundError;
  *newBlock = nullptr;
  if (PF_Err e = h->fault(Call::ReallocateBlock)) return e;
  std::size_t old = 0;
  {
    std::lock_guard<std::mutex> lock(h->mutex);
    auto it = h->blocks.find(block);
    if (block && it == h->blocks.end()) {
      h->misuses.push_back("ReallocateBlock: not a block of the host");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    if (block) old = it->second;
  }
  void* p = ::operator new(newSize ? newSize : 1, std::nothrow);
  if (!p) return PF_Err_OUT_OF_MEMORY;
  if (block) std::memcpy(p, block, old < newSize ? old : newSize);
  std::lock_guard<std::mutex> lock(h->mutex);
  if (block) {
    h->blocks.erase(block);
    ::operator delete(block);
  }
  h->blocks[p] = newSize;
  *newBlock = p;
  return kSPNoError;
}

SPErr undefinedCall() { return kSPSuiteNotFoundError; }

}  // namespace

std::atomic<Host::Impl*> g_currentImpl{nullptr};
std::atomic<std::uint64_t> g_changes{1};  // a new thread view holds 0

bool clipRect(PF_LRect& r, A_long width, A_long height) {
  if (r.left < 0) r.left = 0;
  if (r.top < 0) r.top = 0;
  if (r.right > width) r.right = width;
  if (r.bottom > height) r.bottom = height;
  return r.left < r.right && r.top < r.bottom;
}

// ---------------------------------------------------------------- Impl

Host::Impl::Impl(Host* h) : self(h), serial(g_hostSerial.fetch_add(1) + 1) {
  cookie = g_cookieSeed.fetch_add(0x9E3779B9u) * 2654435761u | 1u;
  basic.AcquireSuite = acquireSuite;
  basic.ReleaseSuite = releaseSuite;
  basic.IsEqual = isEqual;
  basic.AllocateBlock = allocateBlock;
  basic.FreeBlock = freeBlock;
  basic.ReallocateBlock = reallocateBlock;
  basic.Undefined = undefinedCall;

  utils.copy = cbCopy;
  utils.transfer_rect = cbTransferRect;
  utils.ansi.atan = ::atan;
  utils.ansi.atan2 = ::atan2;
  utils.ansi.ceil = ::ceil;
  utils.ansi.cos = ::cos;
  utils.ansi.exp = ::exp;
  utils.ansi.fabs = ::fabs;
  utils.ansi.floor = ::floor;
  utils.ansi.fmod = ::fmod;
  utils.ansi.hypot = ::hypot;
  utils.ansi.log = ::log;
  utils.ansi.log10 = ::log10;
  utils.ansi.pow = ::pow;
  utils.ansi.sin = ::sin;
  utils.ansi.sqrt = ::sqrt;
  utils.ansi.tan = ::tan;
  utils.ansi.sprintf = ::sprintf;
  utils.ansi.strcpy = ::strcpy;
  utils.ansi.asin = ::asin;
  utils.ansi.acos = ::acos;

  SamplingSuites const sampling = samplingSuites(Kernels::Avx2);
  kernels = sampling.kernels;

  struct S {
    const char* name;
    std::int32_t version;
    const void* table;
  };
  const S all[] = {
      {kPFWorldSuite, kPFWorldSuiteVersion1, &kWorldSuite1},
      {kPFWorldSuite, kPFWorldSuiteVersion2, &kWorldSuite2},
      {kPFFillMatteSuite, kPFFillMatteSuiteVersion2, &kFillMatteSuite2},
      {kPFSampling8Suite, kPFSampling8SuiteVersion1, sampling.s8},
      {kPFSampling16Suite, kPFSampling16SuiteVersion1, sampling.s16},
      {kPFSamplingFloatSuite, kPFSamplingFloatSuiteVersion1, sampling.sFloat},
      {kPFHandleSuite, kPFHandleSuiteVersion2, &kHandleSuite2},
      {kPFParamUtilsSuite, kPFParamUtilsSuiteVersion2, &kParamUtilsSuite2},
      {kAEGPUtilitySuite, kAEGPUtilitySuiteVersion7, &kUtilitySuite7},
      {kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1, &kPFInterfaceSuite1},
      {kAEGPStreamSuite, kAEGPStreamSuiteVersion9, &kStreamSuite9},
      {kAEGPEffectSuite, kAEGPEffectSuiteVersion2, &kEffectSuite2},
      {kAEGPIterateSuite, kAEGPIterateSuiteVersion1, &kIterateSuite1},
  };
  for (S const& s : all) {
    auto e = std::make_unique<SuiteEntry>();
    e->name = s.name;
    e->version = s.version;
    e->table = s.table;
    suites.push_back(std::move(e));
  }
}

namespace {

// Keeps the thread's count block alive while the thread runs; when the thread
// ends, the host may hand the block to a new thread.
thread_local std::shared_ptr<Host::Impl::CallBlock> t_block;

}  // namespace

Host::Impl::ThreadView& Host::Impl::newView() {
  std::shared_ptr<CallBlock> block;
  {
    std::lock_guard<std::mutex> lock(blocksMutex);
    for (auto const& b : callBlocks) {
      if (b.use_count() == 1) {  // its thread has ended
        block = b;
        break;
      }
    }
    if (!block) {
      callBlocks.push_back(std::make_shared<CallBlock>());
      block = callBlocks.back();
    }
  }
  t_block = std::move(block);
  t_hostView = ThreadView{};
  t_hostView.host = serial;
  t_hostView.counts = t_block.get();
  return t_hostView;
}

std::uint64_t Host::Impl::callTotal(std::size_t i) const {
  std::uint64_t n = 0;
  std::lock_guard<std::mutex> lock(blocksMutex);
  for (auto const& b : callBlocks) n += b->n[i].load(std::memory_order_relaxed);
  return n;
}

void Host::Impl::resetCallCounts() {
  std::lock_guard<std::mutex> lock(blocksMutex);
  for (auto const& b : callBlocks)
    for (auto& c : b->n) c.store(0, std::memory_order_relaxed);
}

PF_Err Host::Impl::armedFault(Call c) {
  std::size_t const i = std::size_t(c);
  std::atomic<std::uint64_t>& mine = view().counts->n[i];
  std::lock_guard<std::mutex> lock(mutex);
  std::uint64_t const n = callTotal(i) + 1;
  mine.store(mine.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  for (FaultRule const& r : rules) {
    if (r.call == c && n >= r.first && n <= r.last) return r.err;
  }
  return PF_Err_NONE;
}

void Host::Impl::misuse(std::string const& what) {
  std::lock_guard<std::mutex> lock(mutex);
  misuses.push_back(what);
}

Instance* Host::Impl::instance(PF_ProgPtr ref, Call c) {
  std::size_t const n = slotsUsed.load(std::memory_order_acquire);
  for (std::size_t i = 0; i < n; ++i) {
    Instance* inst = slots[i].load(std::memory_order_acquire);
    if (inst && inst->ref() == ref) return inst;
  }
  misuse(std::string(callName(c)) + ": unknown effect reference");
  return nullptr;
}

PF_Err Host::Impl::enterWithNewRef(Call c, PF_ProgPtr ref) {
  std::uint64_t const removals = instancesRemoved.load(std::memory_order_acquire);
  if (!instance(ref, c)) return PF_Err_BAD_CALLBACK_PARAM;
  view().ref = ref;
  view().refRemovals = removals;
  return PF_Err_NONE;
}

WorldRec* Host::Impl::badWorld(const PF_EffectWorld* w, Call c) {
  if (!w) {
    misuse(std::string(callName(c)) + ": null world");
    return nullptr;
  }
  auto* rec = static_cast<WorldRec*>(w->reserved0);
  if (!rec || (reinterpret_cast<std::uintptr_t>(w->reserved1) ^ cookie) != reinterpret_cast<std::uintptr_t>(rec)) {
    misuse(std::string(callName(c)) + ": not a world of the host");
    return nullptr;
  }
  if (!rec->alive.load(std::memory_order_acquire)) {
    misuse(std::string(callName(c)) + ": world #" + std::to_string(rec->serial) + " was disposed of");
    return nullptr;
  }
  misuse(std::string(callName(c)) + ": world #" + std::to_string(rec->serial) + " record altered");
  return nullptr;
}

WorldRec* Host::Impl::newWorld(A_long width, A_long height, Depth depth, WorldOwner owner, PF_EffectWorld* into,
                               bool clear, Instance const* instance) {
  if (width <= 0 || height <= 0 || std::int64_t(width) * height > (std::int64_t(1) << 28)) return nullptr;
  auto rec = std::make_unique<WorldRec>();
  std::size_t ps = pixelSize(depth);
  rec->depth = depth;
  rec->width = width;
  rec->height = height;
  rec->rowbytes = A_long((std::size_t(width) + std::size_t(padding.load())) * ps);
  rec->memSize = std::size_t(rec->rowbytes) * (std::size_t(height) + 2);
  rec->mem.reset(new (std::nothrow) std::uint8_t[rec->memSize]);
  if (!rec->mem) return nullptr;
  std::memset(rec->mem.get(), Host::kPaddingByte, rec->memSize);
  rec->data = rec->mem.get() + rec->rowbytes;
  for (A_long y = 0; y < height; ++y) {
    // Pixels of an uncleared world hold a pattern of their own, like the
    // leftovers a real host hands out.
    std::memset(rec->data + std::size_t(y) * std::size_t(rec->rowbytes), clear ? 0 : 0x3C, std::size_t(width) * ps);
  }
  rec->owner = owner;
  rec->instance = instance;
  PF_EffectWorld* w = into ? into : &rec->record;
  std::memset(w, 0, sizeof *w);
  w->reserved0 = rec.get();
  w->reserved1 = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(rec.get()) ^ cookie);
  w->world_flags = PF_WorldFlag_WRITEABLE | (depth == Depth::Bits16 ? PF_WorldFlag_DEEP : 0);
  w->data = rec->data;
  w->rowbytes = rec->rowbytes;
  w->width = width;
  w->height = height;
  w->extent_hint = {0, 0, width, height};
  w->pix_aspect_ratio = {1, 1};
  WorldRec* out = rec.get();
  std::lock_guard<std::mutex> lock(mutex);
  out->serial = nextSerial++;
  worlds.push_back(std::move(rec));
  return out;
}

void Host::Impl::disposeWorld(WorldRec* rec, PF_EffectWorld* record) {
  rec->alive.store(false, std::memory_order_release);
  noteChange();
  std::lock_guard<std::mutex> lock(mutex);
  rec->mem.reset();
  rec->data = nullptr;
  if (record) record->data = nullptr;
}

void Host::Impl::forgetWorldsOf(Instance const* instance) {
  worlds.erase(std::remove_if(worlds.begin(), worlds.end(),
                              [&](std::unique_ptr<WorldRec> const& w) {
                                return w->instance == instance && !w->alive.load(std::memory_order_acquire);
                              }),
               worlds.end());
}

SuiteEntry* Host::Impl::suite(const char* name, std::int32_t version) {
  for (auto const& s : suites) {
    if (s->version == version && std::strcmp(s->name, name) == 0) return s.get();
  }
  return nullptr;
}

bool Host::Impl::paddingIntact(WorldRec const& rec) const {
  if (!rec.mem) return true;
  std::size_t ps = pixelSize(rec.depth);
  std::size_t used = std::size_t(rec.width) * ps;
  auto padded = [](const std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
      if (p[i] != Host::kPaddingByte) return false;
    return true;
  };
  const std::uint8_t* m = rec.mem.get();
  std::size_t rb = std::size_t(rec.rowbytes);
  if (!padded(m, rb)) return false;
  for (A_long y = 0; y < rec.height; ++y) {
    if (!padded(rec.data + std::size_t(y) * rb + used, rb - used)) return false;
  }
  return padded(rec.data + std::size_t(rec.height) * rb, rb);
}

// ---------------------------------------------------------------- Host

Host::Host() : m(std::make_unique<Impl>(this)) {
  Host* expected = nullptr;
  if (!g_current.compare_exchange_strong(expected, this))
    throw std::logic_error("Brelo::Sim::Host: another host is alive");
  g_currentImpl.store(m.get(), std::memory_order_release);
  noteChange();
}

Host::~Host() {
  Host* self = this;
  if (g_current.load(std::memory_order_acquire) == self) {
    g_currentImpl.store(nullptr, std::memory_order_release);
    noteChange();
  }
  g_current.compare_exchange_strong(self, nullptr);
}

Host* Host::current() { return g_current.load(std::memory_order_acquire); }

SPBasicSuite* Host::basicSuite() { return &m->basic; }
PF_UtilCallbacks* Host::utils() { return &m->utils; }

PF_InteractCallbacks Host::interactCallbacks() const {
  PF_InteractCallbacks cb{};
  cb.checkout_param = cbCheckoutParam;
  cb.checkin_param = cbCheckinParam;
  cb.add_param = cbAddParam;
  cb.abort = cbAbort;
  cb.progress = cbProgress;
  return cb;
}

Instance& Host::newInstance(int layerWidth, int layerHeight) {
  auto inst = std::make_unique<Instance>(*this, layerWidth, layerHeight);
  std::lock_guard<std::mutex> lock(m->mutex);
  std::size_t const n = m->slotsUsed.load(std::memory_order_relaxed);
  std::size_t slot = 0;
  while (slot < n && m->slots[slot].load(std::memory_order_relaxed)) ++slot;
  if (slot == Impl::kMaxInstances) throw std::length_error("Brelo::Sim::Host: too many effect instances");
  m->instances.push_back(std::move(inst));
  Instance* out = m->instances.back().get();
  m->slots[slot].store(out, std::memory_order_release);
  if (slot == n) m->slotsUsed.store(n + 1, std::memory_order_release);
  return *out;
}

void Host::removeInstance(Instance& instance) {
  std::unique_ptr<Instance> gone;
  {
    std::lock_guard<std::mutex> lock(m->mutex);
    // Found before it is touched: a removed instance is gone.
    auto it = std::find_if(m->instances.begin(), m->instances.end(),
                           [&](std::unique_ptr<Instance> const& i) { return i.get() == &instance; });
    if (it == m->instances.end())
      throw std::invalid_argument("Brelo::Sim::Host::removeInstance: not an instance of this host");
    if (instance.command() != -1) throw std::logic_error("Brelo::Sim::Host::removeInstance: a command is running");
    std::size_t const n = m->slotsUsed.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < n; ++i) {
      if (m->slots[i].load(std::memory_order_relaxed) == &instance) m->slots[i].store(nullptr, std::memory_order_release);
    }
    gone = std::move(*it);
    m->instances.erase(it);
    m->instancesRemoved.fetch_add(1, std::memory_order_acq_rel);
    // Calls that passed with its reference could fail now.
    noteChange();
    m->forgetWorldsOf(&instance);
    // Worlds it still holds stay accounted for, as nobody's.
    for (auto const& w : m->worlds) {
      if (w->instance == &instance) w->instance = nullptr;
    }
    // References into it become unknown references rather than dangling ones.
    auto mine = [&](auto const& r) { return r->instance == &instance; };
    m->streamRefs.erase(std::remove_if(m->streamRefs.begin(), m->streamRefs.end(), mine), m->streamRefs.end());
    m->effectRefs.erase(std::remove_if(m->effectRefs.begin(), m->effectRefs.end(), mine), m->effectRefs.end());
    m->checkouts.erase(std::remove_if(m->checkouts.begin(), m->checkouts.end(),
                                      [&](ParamCheckout const& c) { return c.instance == &instance; }),
                       m->checkouts.end());
  }
}

void Host::forgetRetired(Instance const& instance) {
  std::lock_guard<std::mutex> lock(m->mutex);
  m->forgetWorldsOf(&instance);
  for (auto it = m->handleMap.begin(); it != m->handleMap.end();) {
    it = it->second->disposed ? m->handleMap.erase(it) : std::next(it);
  }
  m->handles.erase(std::remove_if(m->handles.begin(), m->handles.end(),
                                  [](std::unique_ptr<HandleRec> const& h) { return h->disposed; }),
                   m->handles.end());
}

void Host::setNumThreads(int n) { m->numThreads = n; }
int Host::numThreads() const { return m->numThreads; }
Kernels Host::setKernels(Kernels kernels) {
  SamplingSuites const sampling = samplingSuites(kernels);
  m->kernels = sampling.kernels;
  for (auto& s : m->suites) {
    if (std::strcmp(s->name, kPFSampling8Suite) == 0) s->table = sampling.s8;
    if (std::strcmp(s->name, kPFSampling16Suite) == 0) s->table = sampling.s16;
    if (std::strcmp(s->name, kPFSamplingFloatSuite) == 0) s->table = sampling.sFloat;
  }
  return sampling.kernels;
}

void Host::setRowPadding(int pixels) { m->padding = pixels < 0 ? 0 : pixels; }

void Host::withholdSuite(std::string const& name, std::int32_t version) {
  if (SuiteEntry* s = m->suite(name.c_str(), version)) s->withheld = true;
}

void Host::restoreSuite(std::string const& name, std::int32_t version) {
  if (SuiteEntry* s = m->suite(name.c_str(), version)) s->withheld = false;
}

void Host::failCalls(Call call, std::uint64_t first, std::uint64_t last, PF_Err err) {
  std::lock_guard<std::mutex> lock(m->mutex);
  m->rules.push_back({call, first, last, err});
  m->armed[std::size_t(call)].store(true, std::memory_order_release);
  noteChange();
}

void Host::clearFaults() {
  std::lock_guard<std::mutex> lock(m->mutex);
  m->rules.clear();
  for (auto& a : m->armed) a = false;
  noteChange();
  for (auto& s : m->suites) s->withheld = false;
}

std::uint64_t Host::callCount(Call call) const { return m->callTotal(std::size_t(call)); }

void Host::resetCallCounts() { m->resetCallCounts(); }

std::size_t Host::records() const {
  std::lock_guard<std::mutex> lock(m->mutex);
  return m->worlds.size() + m->handles.size();
}

int Host::suiteAcquisitions(std::string const& name, std::int32_t version) const {
  SuiteEntry* s = m->suite(name.c_str(), version);
  return s ? s->acquired.load() : 0;
}

int Host::suitesHeld(std::string const& name, std::int32_t version) const {
  SuiteEntry* s = m->suite(name.c_str(), version);
  return s ? s->acquired.load() - s->released.load() : 0;
}

bool Outstanding::none() const {
  return handles == 0 && worlds == 0 && suites == 0 && params == 0 && layerPixels == 0 && effects == 0 &&
         streams == 0 && blocks == 0;
}

std::string Outstanding::describe() const {
  if (details.empty()) return "nothing outstanding";
  std::ostringstream os;
  for (std::size_t i = 0; i < details.size(); ++i) os << (i ? "; " : "") << details[i];
  return os.str();
}

Outstanding Host::outstanding() const {
  Outstanding o;
  // `n` more of a kind left over, and what they are.
  auto left = [&o](std::size_t& count, std::size_t n, std::string what) {
    count += n;
    o.details.push_back(std::move(what));
  };
  for (auto const& s : m->suites) {
    int held = s->acquired.load() - s->released.load();
    if (held > 0)
      left(o.suites, std::size_t(held),
           std::string("suite \"") + s->name + "\" v" + std::to_string(s->version) + " held " +
               std::to_string(held) + "x");
  }
  std::lock_guard<std::mutex> lock(m->mutex);
  for (auto const& i : m->instances) {
    if (Frame* f = i->frame())
      for (auto const& lp : f->layerPixels)
        left(o.layerPixels, 1, "layer pixels of checkout id " + std::to_string(lp.first) + " not checked in");
  }
  for (auto const& h : m->handles) {
    if (!h->disposed)
      left(o.handles, 1,
           "handle #" + std::to_string(h->serial) + " (" + std::to_string(h->size) + " bytes) not disposed of");
  }
  for (auto const& w : m->worlds) {
    if (w->alive && (w->owner == WorldOwner::Plugin1 || w->owner == WorldOwner::Plugin2))
      left(o.worlds, 1,
           "world #" + std::to_string(w->serial) + " (" + std::to_string(w->width) + "x" +
               std::to_string(w->height) + ", " + depthName(w->depth) + ") not disposed of");
  }
  for (auto const& c : m->checkouts)
    left(o.params, 1, "parameter " + std::to_string(c.index) + " checked out and not checked in");
  for (auto const& e : m->effectRefs) {
    if (!e->disposed) left(o.effects, 1, "AEGP effect reference #" + std::to_string(e->serial) + " not disposed of");
  }
  for (auto const& s : m->streamRefs) {
    if (!s->disposed) left(o.streams, 1, "AEGP stream reference #" + std::to_string(s->serial) + " not disposed of");
  }
  for (auto const& b : m->blocks) left(o.blocks, 1, "block of " + std::to_string(b.second) + " bytes not freed");
  return o;
}

std::vector<std::string> Host::misuses() const {
  std::lock_guard<std::mutex> lock(m->mutex);
  return m->misuses;
}

void Host::clearMisuses() {
  std::lock_guard<std::mutex> lock(m->mutex);
  m->misuses.clear();
}

// ---- worlds for tests

HostWorld::HostWorld(HostWorld&& o) noexcept : m_world(o.m_world) { o.m_world = nullptr; }

HostWorld& HostWorld::operator=(HostWorld&& o) noexcept {
  if (this != &o) {
    this->~HostWorld();
    m_world = o.m_world;
    o.m_world = nullptr;
  }
  return *this;
}

HostWorld::~HostWorld() {
  if (!m_world) return;
  Host::Impl* h = currentImpl();
  auto* rec = static_cast<WorldRec*>(m_world->reserved0);
  if (h && rec && rec->alive) h->disposeWorld(rec, nullptr);
  m_world = nullptr;
}

HostWorld Host::makeWorld(int width, int height, Depth depth, int originX, int originY) {
  WorldRec* rec = m->newWorld(width, height, depth, WorldOwner::Test, nullptr, true, nullptr);
  if (!rec) throw std::invalid_argument("Brelo::Sim::Host::makeWorld: bad size");
  rec->record.origin_x = originX;
  rec->record.origin_y = originY;
  return HostWorld(&rec->record);
}

HostWorld Host::makeWorld(Image const& image, int originX, int originY) {
  HostWorld w = makeWorld(image.width(), image.height(), image.depth(), originX, originY);
  writeWorld(w.get(), image);
  return w;
}

bool Host::isLiveWorld(const PF_EffectWorld* world) const {
  if (!world) return false;
  auto* rec = static_cast<WorldRec*>(world->reserved0);
  if (!rec || (reinterpret_cast<std::uintptr_t>(world->reserved1) ^ m->cookie) !=
                  reinterpret_cast<std::uintptr_t>(rec))
    return false;
  return rec->alive && rec->data == world->data;
}

bool Host::worldDepth(const PF_EffectWorld* world, Depth* depth) const {
  if (!isLiveWorld(world)) return false;
  *depth = static_cast<WorldRec*>(world->reserved0)->depth;
  return true;
}

bool Host::paddingIntact(const PF_EffectWorld* world) const {
  if (!isLiveWorld(world)) return false;
  return m->paddingIntact(*static_cast<WorldRec*>(world->reserved0));
}

Image Host::readWorld(const PF_EffectWorld* world) const {
  if (!isLiveWorld(world)) throw std::invalid_argument("Brelo::Sim::Host::readWorld: not a live world");
  auto* rec = static_cast<WorldRec*>(world->reserved0);
  Image img(rec->width, rec->height, rec->depth);
  for (A_long y = 0; y < rec->height; ++y)
    std::memcpy(img.bytes() + std::size_t(y) * img.rowBytes(), rec->data + std::size_t(y) * std::size_t(rec->rowbytes),
                img.rowBytes());
  return img;
}

void Host::writeWorld(PF_EffectWorld* world, Image const& image) const {
  if (!isLiveWorld(world)) throw std::invalid_argument("Brelo::Sim::Host::writeWorld: not a live world");
  auto* rec = static_cast<WorldRec*>(world->reserved0);
  if (image.width() != rec->width || image.height() != rec->height || image.depth() != rec->depth)
    throw std::invalid_argument("Brelo::Sim::Host::writeWorld: size or depth differs");
  for (A_long y = 0; y < rec->height; ++y)
    std::memcpy(rec->data + std::size_t(y) * std::size_t(rec->rowbytes), image.bytes() + std::size_t(y) * image.rowBytes(),
                image.rowBytes());
}

bool Host::isLiveHandle(PF_Handle h) const {
  std::lock_guard<std::mutex> lock(m->mutex);
  auto it = m->handleMap.find(h);
  return it != m->handleMap.end() && !it->second->disposed;
}

int Host::handleLockCount(PF_Handle h) const {
  std::lock_guard<std::mutex> lock(m->mutex);
  auto it = m->handleMap.find(h);
  return it == m->handleMap.end() ? 0 : it->second->locks;
}

}  // namespace Sim
}  // namespace Brelo
