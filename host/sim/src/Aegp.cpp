// The AEGP suites: registration, effect and stream references, expressions
// and the thread count.
#include <algorithm>

#include "BadParam.h"
#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

// Caller holds the mutex.
bool knownPlugin(Host::Impl* h, AEGP_PluginID id) {
  return std::find(h->pluginIds.begin(), h->pluginIds.end(), id) != h->pluginIds.end();
}

template <class Rec>
Rec* findRef(std::deque<std::unique_ptr<Rec>>& all, void* p) {
  for (auto& r : all)
    if (r.get() == p) return r.get();
  return nullptr;
}

// How a call that writes its result through `out` starts: the calling
// thread's host, the call counted (and failed when a fault is injected on
// it) and `*out` cleared; a null `out` is a misuse. `h` is null when any of
// these fails, and `err` says why.
struct ResultCall {
  Host::Impl* h;
  PF_Err err;
};
template <class T>
ResultCall resultCall(Call c, T* out) {
  Host::Impl* h = currentImpl();
  if (!h) return {nullptr, PF_Err_INTERNAL_STRUCT_DAMAGED};
  if (PF_Err e = h->fault(c)) return {nullptr, e};
  if (!out) return {nullptr, badParam(h, c, "null result pointer")};
  *out = T();
  return {h, PF_Err_NONE};
}

// Whether `id` is a plug-in ID the host handed out; a misuse of `c` if not.
// Caller holds the mutex.
bool registered(Host::Impl* h, AEGP_PluginID id, Call c) {
  if (knownPlugin(h, id)) return true;
  h->misuses.push_back(std::string(callName(c)) + ": plug-in ID " + std::to_string(id) + " not registered");
  return false;
}

// The reference `p` of the host's list `all` when it is live; otherwise null,
// a misuse of `c`. Caller holds the mutex.
template <class Rec>
Rec* liveRef(Host::Impl* h, std::deque<std::unique_ptr<Rec>>& all, void* p, Call c, const char* what) {
  Rec* r = findRef(all, p);
  if (r && !r->disposed) return r;
  h->misuses.push_back(std::string(callName(c)) + ": not a live " + what);
  return nullptr;
}

// Keeps `rec` in `all` with the host's next serial and hands it out as
// `*out`. Caller holds the mutex.
template <class Rec, class Handle>
void handOut(Host::Impl* h, std::deque<std::unique_ptr<Rec>>& all, Rec rec, Handle* out) {
  rec.serial = h->nextSerial++;
  all.push_back(std::make_unique<Rec>(rec));
  *out = reinterpret_cast<Handle>(all.back().get());
}

// Marks the reference `p` in the host's list `all` disposed of; disposing of
// one twice, or of what is none of the host's, is a misuse.
template <class Rec>
A_Err disposeRef(std::deque<std::unique_ptr<Rec>> Host::Impl::*all, void* p, Call c, const char* twice,
                 const char* stranger) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(c)) return e;
  std::lock_guard<std::mutex> lock(h->mutex);
  Rec* r = findRef(h->*all, p);
  if (!r || r->disposed) {
    h->misuses.push_back(std::string(callName(c)) + ": " + (r ? twice : stranger));
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  r->disposed = true;
  return PF_Err_NONE;
}

A_Err registerWithAEGP(AEGP_GlobalRefcon, const A_char*, AEGP_PluginID* id) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::RegisterWithAEGP)) return e;
  if (!id) return badParam(h, Call::RegisterWithAEGP, "null plug-in ID pointer");
  std::lock_guard<std::mutex> lock(h->mutex);
  AEGP_PluginID next = AEGP_PluginID(0x4200 + h->pluginIds.size());
  h->pluginIds.push_back(next);
  *id = next;
  return PF_Err_NONE;
}

A_Err getNewEffectForEffect(AEGP_PluginID pid, PF_ProgPtr ref, AEGP_EffectRefH* effect) {
  auto [h, err] = resultCall(Call::GetNewEffectForEffect, effect);
  if (!h) return err;
  Instance* inst = h->instance(ref, Call::GetNewEffectForEffect);
  if (!inst) return PF_Err_BAD_CALLBACK_PARAM;
  std::lock_guard<std::mutex> lock(h->mutex);
  if (!registered(h, pid, Call::GetNewEffectForEffect)) return PF_Err_BAD_CALLBACK_PARAM;
  handOut(h, h->effectRefs, EffectRefRec{inst}, effect);
  return PF_Err_NONE;
}

A_Err disposeEffect(AEGP_EffectRefH effect) {
  return disposeRef(&Host::Impl::effectRefs, effect, Call::DisposeEffect, "effect reference disposed of twice",
                    "not an effect reference of the host");
}

A_Err getNewEffectStreamByIndex(AEGP_PluginID pid, AEGP_EffectRefH effect, PF_ParamIndex index,
                                AEGP_StreamRefH* stream) {
  auto [h, err] = resultCall(Call::GetNewEffectStreamByIndex, stream);
  if (!h) return err;
  std::lock_guard<std::mutex> lock(h->mutex);
  if (!registered(h, pid, Call::GetNewEffectStreamByIndex)) return PF_Err_BAD_CALLBACK_PARAM;
  EffectRefRec* r = liveRef(h, h->effectRefs, effect, Call::GetNewEffectStreamByIndex, "effect reference");
  if (!r) return PF_Err_BAD_CALLBACK_PARAM;
  if (index < 1 || index >= r->instance->numParams()) {
    h->misuses.push_back("AEGP_GetNewEffectStreamByIndex: index " + std::to_string(index) + " out of range");
    return PF_Err_INVALID_INDEX;
  }
  handOut(h, h->streamRefs, StreamRefRec{r, r->instance, int(index)}, stream);
  return PF_Err_NONE;
}

A_Err disposeStream(AEGP_StreamRefH stream) {
  return disposeRef(&Host::Impl::streamRefs, stream, Call::DisposeStream, "stream disposed of twice",
                    "not a stream reference of the host");
}

A_Err setExpression(AEGP_PluginID pid, AEGP_StreamRefH stream, const A_char* text) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::SetExpression)) return e;
  if (!text) return badParam(h, Call::SetExpression, "null expression");
  Instance* inst = nullptr;
  int index = 0;
  {
    std::lock_guard<std::mutex> lock(h->mutex);
    if (!registered(h, pid, Call::SetExpression)) return PF_Err_BAD_CALLBACK_PARAM;
    StreamRefRec* s = liveRef(h, h->streamRefs, stream, Call::SetExpression, "stream reference");
    if (!s) return PF_Err_BAD_CALLBACK_PARAM;
    inst = s->instance;
    index = s->index;
  }
  inst->setExpression(index, text);
  return PF_Err_NONE;
}

A_Err getNumThreads(A_long* n) {
  auto [h, err] = resultCall(Call::GetNumThreads, n);
  if (!h) return err;
  *n = h->numThreads.load();
  return PF_Err_NONE;
}

}  // namespace

const AEGP_UtilitySuite7 kUtilitySuite7 = {registerWithAEGP};
const AEGP_PFInterfaceSuite1 kPFInterfaceSuite1 = {getNewEffectForEffect};
const AEGP_StreamSuite9 kStreamSuite9 = {getNewEffectStreamByIndex, disposeStream, setExpression};
const AEGP_EffectSuite2 kEffectSuite2 = {disposeEffect};
const AEGP_IterateSuite1 kIterateSuite1 = {getNumThreads};

}  // namespace Sim
}  // namespace Brelo
