// One Lines frame as the render path draws it. Two builds of the same source:
// `threaded` renders in bands on worker threads (library brelo_lines_frame_mt),
// `single` builds the engine and renders the whole layer on the calling thread
// (brelo_lines_frame_st, no thread library). `renderLinesFrame` names the one
// that BRELO_THREADED selects; both can be linked into one program.
#pragma once

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

namespace threaded {
void renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                      Lines::Parameter const& parameter);
}

namespace single {
// `thread_count` is not used.
void renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                      Lines::Parameter const& parameter);
}

#if defined(BRELO_THREADED) && BRELO_THREADED
using threaded::renderLinesFrame;
#else
using single::renderLinesFrame;
#endif

}  // namespace Brelo
