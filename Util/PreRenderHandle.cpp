#include "Util/PreRenderHandle.h"

#include <new>

namespace Brelo {

namespace {

// The handle holds the basic suite before the record: the deletion routine
// gets nothing but the handle, and needs it to reach the handle suite.
using Header = const SPBasicSuite*;

// Records follow the header at this offset, aligned for any field.
constexpr std::size_t kRecordOffset = (sizeof(Header) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                                      alignof(std::max_align_t);

void deletePreRenderData(void* pre_render_data) {
  auto handle = static_cast<PF_Handle>(pre_render_data);
  // A handle is the address of the host's pointer to its memory.
  if (!handle || !*handle) return;
  const SPBasicSuite* basic = *reinterpret_cast<Header const*>(*handle);
  try {
    AEGP_SuiteHandler suites(basic);
    suites.HandleSuite2()->host_dispose_handle(handle);
  } catch (...) {
    // Without the handle suite the memory cannot be returned; nothing may
    // unwind into the host.
  }
}

}  // namespace

PreRenderHandle::PreRenderHandle(PF_InData const* in_data, PF_PreRenderExtra* extra, AEGP_SuiteHandler& suites,
                                 std::size_t size)
    : m_extra(extra), m_suite(suites.HandleSuite2()) {
  m_handle = m_suite->host_new_handle(kRecordOffset + size);
  void* memory = m_handle ? m_suite->host_lock_handle(m_handle) : nullptr;
  if (!memory) {
    m_err = PF_Err_OUT_OF_MEMORY;
    return;
  }
  new (memory) Header(in_data->pica_basicP);
  m_record = static_cast<char*>(memory) + kRecordOffset;
  m_extra->output->pre_render_data = m_handle;
  m_extra->output->delete_pre_render_data_func = &deletePreRenderData;
}

PreRenderHandle::~PreRenderHandle() {
  if (!m_handle) return;
  if (m_record) m_suite->host_unlock_handle(m_handle);
  if (!m_committed) {
    m_extra->output->pre_render_data = nullptr;
    m_extra->output->delete_pre_render_data_func = nullptr;
    m_suite->host_dispose_handle(m_handle);
  }
}

LockedPreRenderData::LockedPreRenderData(PF_SmartRenderExtra const* extra, AEGP_SuiteHandler& suites)
    : m_suite(suites.HandleSuite2()) {
  auto handle = static_cast<PF_Handle>(extra->input->pre_render_data);
  if (!handle) return;
  if (void* memory = m_suite->host_lock_handle(handle)) {
    m_handle = handle;
    m_record = static_cast<const char*>(memory) + kRecordOffset;
  }
}

LockedPreRenderData::~LockedPreRenderData() {
  if (m_handle) m_suite->host_unlock_handle(m_handle);
}

}  // namespace Brelo
