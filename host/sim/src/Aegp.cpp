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
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::GetNewEffectForEffect)) return e;
  if (!effect) return badParam(h, Call::GetNewEffectForEffect, "null result pointer");
  *effect = nullptr;
  Instance* inst = h->instance(ref, Call::GetNewEffectForEffect);
  if (!inst) return PF_Err_BAD_CALLBACK_PARAM;
  std::lock_guard<std::mutex> lock(h->mutex);
  if (!knownPlugin(h, pid)) {
    h->misuses.push_back("AEGP_GetNewEffectForEffect: plug-in ID " + std::to_string(pid) + " not registered");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  auto rec = std::make_unique<EffectRefRec>();
  rec->instance = inst;
  rec->serial = h->nextSerial++;
  *effect = reinterpret_cast<AEGP_EffectRefH>(rec.get());
  h->effectRefs.push_back(std::move(rec));
  return PF_Err_NONE;
}

A_Err disposeEffect(AEGP_EffectRefH effect) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::DisposeEffect)) return e;
  std::lock_guard<std::mutex> lock(h->mutex);
  EffectRefRec* r = findRef(h->effectRefs, effect);
  if (!r || r->disposed) {
    h->misuses.push_back(r ? "AEGP_DisposeEffect: effect reference disposed of twice"
                           : "AEGP_DisposeEffect: not an effect reference of the host");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  r->disposed = true;
  return PF_Err_NONE;
}

A_Err getNewEffectStreamByIndex(AEGP_PluginID pid, AEGP_EffectRefH effect, PF_ParamIndex index,
                                AEGP_StreamRefH* stream) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::GetNewEffectStreamByIndex)) return e;
  if (!stream) return badParam(h, Call::GetNewEffectStreamByIndex, "null result pointer");
  *stream = nullptr;
  std::lock_guard<std::mutex> lock(h->mutex);
  if (!knownPlugin(h, pid)) {
    h->misuses.push_back("AEGP_GetNewEffectStreamByIndex: plug-in ID not registered");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  EffectRefRec* r = findRef(h->effectRefs, effect);
  if (!r || r->disposed) {
    h->misuses.push_back("AEGP_GetNewEffectStreamByIndex: not a live effect reference");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (index < 1 || index >= r->instance->numParams()) {
    h->misuses.push_back("AEGP_GetNewEffectStreamByIndex: index " + std::to_string(index) + " out of range");
    return PF_Err_INVALID_INDEX;
  }
  auto s = std::make_unique<StreamRefRec>();
  s->effect = r;
  s->instance = r->instance;
  s->index = index;
  s->serial = h->nextSerial++;
  *stream = reinterpret_cast<AEGP_StreamRefH>(s.get());
  h->streamRefs.push_back(std::move(s));
  return PF_Err_NONE;
}

A_Err disposeStream(AEGP_StreamRefH stream) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::DisposeStream)) return e;
  std::lock_guard<std::mutex> lock(h->mutex);
  StreamRefRec* s = findRef(h->streamRefs, stream);
  if (!s || s->disposed) {
    h->misuses.push_back(s ? "AEGP_DisposeStream: stream disposed of twice"
                           : "AEGP_DisposeStream: not a stream reference of the host");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  s->disposed = true;
  return PF_Err_NONE;
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
    if (!knownPlugin(h, pid)) {
      h->misuses.push_back("AEGP_SetExpression: plug-in ID not registered");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    StreamRefRec* s = findRef(h->streamRefs, stream);
    if (!s || s->disposed) {
      h->misuses.push_back("AEGP_SetExpression: not a live stream reference");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    inst = s->instance;
    index = s->index;
  }
  inst->setExpression(index, text);
  return PF_Err_NONE;
}

A_Err getNumThreads(A_long* n) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::GetNumThreads)) return e;
  if (!n) return badParam(h, Call::GetNumThreads, "null result pointer");
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
