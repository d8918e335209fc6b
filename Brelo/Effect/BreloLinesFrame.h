// One Lines frame as the render path draws it. Two builds of the same source
// (brelo_add_frame_library): `threaded` renders in bands on worker threads, `single` builds
// the engine and renders the whole layer on the calling thread. `renderLinesFrame` names the
// one the linked library provides; a program linking both calls them by namespace. Returns
// the host error a band ended with (a missing suite's, PF_Err_OUT_OF_MEMORY, ...) or
// PF_Err_NONE; no exception leaves it.
#pragma once

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

namespace threaded {
PF_Err renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                        Lines::Parameter const& parameter);
}

namespace single {
// `thread_count` is not used.
PF_Err renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                        Lines::Parameter const& parameter);
}

#if defined(BRELO_FRAME_THREADED) && !defined(BRELO_FRAME_SINGLE)
using threaded::renderLinesFrame;
#elif defined(BRELO_FRAME_SINGLE) && !defined(BRELO_FRAME_THREADED)
using single::renderLinesFrame;
#endif

}  // namespace Brelo
