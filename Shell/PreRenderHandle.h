// The pre-render record as host memory: a handle made at smart pre-render,
// handed to the host as the frame's pre-render data together with a
// deletion routine, and locked again at smart render. The host calls the
// routine once the frame is done, so the record never outlives its frame.
#pragma once

#include <cstddef>

#include "Util/AEGP_SuiteHandler.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Made during smart pre-render. Until commit() the handle is disposed of by
// the destructor (and taken back from the host's output), so an error in a
// later step of pre-render leaves nothing behind.
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

// The record during smart render, locked while this object lives. A null
// pointer (no data, or the lock failed) gives record() null.
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

}  // namespace Brelo
