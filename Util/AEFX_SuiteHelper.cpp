#include "Util/AEFX_SuiteHelper.h"

#include <cstring>

namespace {

PF_Err reportFailure(PF_OutData* out_data, const char* text, const char* fallback) {
  if (out_data) {
    out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
    std::strncpy(out_data->return_msg, text ? text : fallback, sizeof out_data->return_msg - 1);
    out_data->return_msg[sizeof out_data->return_msg - 1] = '\0';
  }
  return PF_Err_BAD_CALLBACK_PARAM;
}

}  // namespace

const void* acquireHostSuite(const SPBasicSuite* basic, const char* name, int32_t version) {
  const void* suite = nullptr;
  if (basic && basic->AcquireSuite(name, version, &suite) == kSPNoError && suite) return suite;
  if (basic && suite) basic->ReleaseSuite(name, version);
  return nullptr;
}

PF_Err AEFX_AcquireSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC, void** suitePP) {
  *suitePP = const_cast<void*>(acquireHostSuite(in_data ? in_data->pica_basicP : nullptr, name, version));
  if (!*suitePP) return reportFailure(out_data, error_stringPC, "Not able to acquire AEFX Suite.");
  return PF_Err_NONE;
}

PF_Err AEFX_ReleaseSuite(PF_InData* in_data, PF_OutData* out_data, const char* name, int32_t version,
                         const char* error_stringPC) {
  SPBasicSuite* basic = in_data ? in_data->pica_basicP : nullptr;
  if (!basic) return reportFailure(out_data, error_stringPC, "Not able to release AEFX Suite.");
  basic->ReleaseSuite(name, version);
  return PF_Err_NONE;
}
