// The pre-render record as the host keeps it: a host handle made at smart
// pre-render, read at smart render and disposed of by the host through
// linesDeletePreRenderData when it lets the frame go.
#pragma once

#include "Util/BreloHostAPI.h"

namespace Brelo {

// The host's deletion routine receives nothing but the handle, so the basic
// suite through which it reaches the Handle Suite is kept here; every smart
// pre-render updates it before handing the routine out.
void linesKeepBasicSuite(const SPBasicSuite* basic);

// Disposes of a pre-render handle. Never throws into the host; when the
// Handle Suite cannot be had the handle is left to the host.
void linesDeletePreRenderData(void* pre_render_data);

}  // namespace Brelo
