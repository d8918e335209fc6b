// One call for the shell's render path: paints the bars of one frame into
// the output layer. The threaded build cuts the frame into bands on worker
// threads; the other paints the whole frame on the calling thread. Both give
// the same bytes.
#pragma once

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Each build library defines one of the two; both can be linked side by side.
namespace ThreadedFrame {
PF_Err renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
}
namespace WholeFrame {
PF_Err renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
}

// The one the linked build library provides. Returns PF_Err_OUT_OF_MEMORY
// when the bar list cannot be allocated, and 0 otherwise; exceptions never
// leave it.
#if defined(BRELO_SIMPLELINES_FRAME_THREADED)
using ThreadedFrame::renderSimpleLinesFrame;
#elif defined(BRELO_SIMPLELINES_FRAME_WHOLE)
using WholeFrame::renderSimpleLinesFrame;
#endif

}  // namespace Brelo
