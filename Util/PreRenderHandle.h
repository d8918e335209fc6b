// The pre-render record as host memory: a handle made at smart pre-render, handed to the
// host with a deletion routine it calls once the frame is done, locked again at smart render.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "Util/AEGP_SuiteHandler.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Until commit() the destructor takes the handle back from the host's output
// and disposes of it, so an error in a later step leaves nothing behind.
class PreRenderHandle {
 public:
  // Allocates and locks `size` bytes of record; error() is PF_Err_OUT_OF_MEMORY
  // when the host gives no handle or no memory.
  PreRenderHandle(PF_InData const* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites, std::size_t size);
  ~PreRenderHandle();
  PreRenderHandle(PreRenderHandle const&) = delete;
  PreRenderHandle& operator=(PreRenderHandle const&) = delete;

  PF_Err error() const { return m_err; }
  // The record's bytes, valid while this object lives.
  void* record() const { return m_record; }
  // The record is complete: the host owns it from now on.
  void commit() { m_committed = true; }

 private:
  PF_PreRenderExtra* m_extra;
  PF_HandleSuite2* m_suite;
  PF_Handle m_handle = nullptr;
  void* m_record = nullptr;
  PF_Err m_err = PF_Err_NONE;
  bool m_committed = false;
};

// The record during smart render, locked while this object lives; record()
// is null without data or when the lock failed.
class LockedPreRenderData {
 public:
  LockedPreRenderData(PF_SmartRenderExtra const* extra, AEGP_SuiteHandler& suites);
  ~LockedPreRenderData();
  LockedPreRenderData(LockedPreRenderData const&) = delete;
  LockedPreRenderData& operator=(LockedPreRenderData const&) = delete;

  const void* record() const { return m_record; }

 private:
  PF_HandleSuite2* m_suite;
  PF_Handle m_handle = nullptr;
  const void* m_record = nullptr;
};

// A copy of the record the host kept for this frame, the handle locked only
// while it is copied; 516 when there is none.
template <class Record>
PF_Err readPreRenderRecord(PF_SmartRenderExtra const* extra, AEGP_SuiteHandler& suites, Record& record) {
  static_assert(std::is_trivially_copyable<Record>::value, "the host moves the record as plain bytes");
  LockedPreRenderData data(extra, suites);
  if (!data.record()) return PF_Err_BAD_CALLBACK_PARAM;
  std::memcpy(static_cast<void*>(&record), data.record(), sizeof record);
  return PF_Err_NONE;
}

}  // namespace Brelo
