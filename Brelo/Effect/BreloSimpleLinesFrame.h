// One SimpleLines frame as the render path paints it: the bars into the output layer. Two
// builds of the same source (brelo_add_frame_library): `threaded` cuts the frame into bands
// on worker threads, `single` paints the whole frame on the calling thread; both give the
// same bytes. `renderSimpleLinesFrame` names the one the linked library provides; a program
// linking both calls them by namespace. Returns PF_Err_OUT_OF_MEMORY when the bar list
// cannot be allocated and PF_Err_NONE otherwise; no exception leaves it.
#pragma once

#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

namespace threaded {
PF_Err renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
}
namespace single {
// `thread_count` is not used.
PF_Err renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
}

#if defined(BRELO_FRAME_THREADED) && !defined(BRELO_FRAME_SINGLE)
using threaded::renderSimpleLinesFrame;
#elif defined(BRELO_FRAME_SINGLE) && !defined(BRELO_FRAME_THREADED)
using single::renderSimpleLinesFrame;
#endif

}  // namespace Brelo
