// PF Handle Suite 2. A handle is the address of the host's pointer to the
// memory, so *handle gives the memory as the plug-ins expect.
#include <cstring>
#include <new>

#include "HostImpl.h"

namespace Brelo {
namespace Sim {

namespace {

constexpr A_u_longlong kMaxHandle = A_u_longlong(1) << 31;

// The live record of h, or null after recording why not. Caller holds the mutex.
HandleRec* find(Host::Impl* h, PF_Handle handle, Call c) {
  auto it = h->handleMap.find(handle);
  if (it == h->handleMap.end()) {
    h->misuses.push_back(std::string(callName(c)) + ": not a handle of the host");
    return nullptr;
  }
  if (it->second->disposed) {
    h->misuses.push_back(std::string(callName(c)) + ": handle #" + std::to_string(it->second->serial) +
                         " was disposed of");
    return nullptr;
  }
  return it->second;
}

PF_Handle newHandle(A_u_longlong size) {
  Host::Impl* h = currentImpl();
  if (!h || h->fault(Call::HostNewHandle) || size > kMaxHandle) return nullptr;
  auto rec = std::make_unique<HandleRec>();
  rec->mem.reset(new (std::nothrow) char[size ? size : 1]);
  if (!rec->mem) return nullptr;
  // Fresh memory is not zero in a real host either.
  std::memset(rec->mem.get(), 0xCD, size ? size : 1);
  rec->ptr = rec->mem.get();
  rec->size = std::size_t(size);
  auto handle = reinterpret_cast<PF_Handle>(&rec->ptr);
  std::lock_guard<std::mutex> lock(h->mutex);
  rec->serial = h->nextSerial++;
  h->handleMap[handle] = rec.get();
  h->handles.push_back(std::move(rec));
  return handle;
}

// The live record of a handle with its host's lock held; `rec` is null when
// there is no host, the call's fault is injected or the handle is not live.
struct LockedHandle {
  LockedHandle(PF_Handle handle, Call c) {
    h = currentImpl();
    if (!h || h->fault(c)) return;
    lock = std::unique_lock<std::mutex>(h->mutex);
    rec = find(h, handle, c);
  }
  Host::Impl* h = nullptr;
  std::unique_lock<std::mutex> lock;
  HandleRec* rec = nullptr;
};

void* lockHandle(PF_Handle handle) {
  LockedHandle l(handle, Call::HostLockHandle);
  if (!l.rec) return nullptr;
  ++l.rec->locks;
  return l.rec->ptr;
}

void unlockHandle(PF_Handle handle) {
  LockedHandle l(handle, Call::HostUnlockHandle);
  if (!l.rec) return;
  if (l.rec->locks == 0) {
    l.h->misuses.push_back("host_unlock_handle: handle #" + std::to_string(l.rec->serial) + " is not locked");
    return;
  }
  --l.rec->locks;
}

void disposeHandle(PF_Handle handle) {
  LockedHandle l(handle, Call::HostDisposeHandle);
  if (!l.rec) return;
  l.rec->disposed = true;
  l.rec->mem.reset();
  l.rec->ptr = nullptr;
}

A_u_longlong handleSize(PF_Handle handle) {
  LockedHandle l(handle, Call::HostGetHandleSize);
  return l.rec ? l.rec->size : 0;
}

PF_Err resizeHandle(A_u_longlong size, PF_Handle* handleP) {
  Host::Impl* h = currentImpl();
  if (!h) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  if (PF_Err e = h->fault(Call::HostResizeHandle)) return e;
  if (!handleP) {
    h->misuse("host_resize_handle: null handle pointer");
    return PF_Err_BAD_CALLBACK_PARAM;
  }
  if (size > kMaxHandle) return PF_Err_OUT_OF_MEMORY;
  std::lock_guard<std::mutex> lock(h->mutex);
  HandleRec* r = find(h, *handleP, Call::HostResizeHandle);
  if (!r) return PF_Err_BAD_CALLBACK_PARAM;
  std::unique_ptr<char[]> mem(new (std::nothrow) char[size ? size : 1]);
  if (!mem) return PF_Err_OUT_OF_MEMORY;
  std::memset(mem.get(), 0xCD, size ? size : 1);
  std::memcpy(mem.get(), r->mem.get(), r->size < size ? r->size : std::size_t(size));
  r->mem = std::move(mem);
  r->ptr = r->mem.get();
  r->size = std::size_t(size);
  return PF_Err_NONE;
}

}  // namespace

const PF_HandleSuite2 kHandleSuite2 = {newHandle, lockHandle, unlockHandle, disposeHandle, handleSize, resizeHandle};

}  // namespace Sim
}  // namespace Brelo
