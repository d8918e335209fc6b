#include "Lines/LinesPreRenderData.h"

#include <atomic>

#include "Util/AEGP_SuiteHandler.h"

namespace Brelo {

namespace {

// The host's basic suite lives as long as the host; the host may delete
// pre-render data from any thread.
std::atomic<const SPBasicSuite*> g_basic{nullptr};

}  // namespace

void linesKeepBasicSuite(const SPBasicSuite* basic) { g_basic.store(basic, std::memory_order_release); }

void linesDeletePreRenderData(void* pre_render_data) {
  const SPBasicSuite* basic = g_basic.load(std::memory_order_acquire);
  if (!pre_render_data || !basic) return;
  try {
    AEGP_SuiteHandler suites(basic);
    suites.HandleSuite2()->host_dispose_handle(static_cast<PF_Handle>(pre_render_data));
  } catch (...) {
    // Nothing may unwind into the host.
  }
}

}  // namespace Brelo
