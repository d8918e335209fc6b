#include "Brelo/Effect/BreloSimpleLinesFrame.h"

#include <new>

#if BRELO_THREADED
#include "Brelo/Effect/BreloSimpleLinesMulti.h"
#endif

namespace Brelo {

#if BRELO_THREADED
namespace ThreadedFrame {
#else
namespace WholeFrame {
#endif

PF_Err renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter) {
  try {
#if BRELO_THREADED
    SimpleLinesMulti(layer, thread_count, parameter);
#else
    (void)thread_count;
    SimpleLines engine(layer, parameter);
    engine.execute(layer);
#endif
  } catch (std::bad_alloc const&) {
    return PF_Err_OUT_OF_MEMORY;
  }
  return PF_Err_NONE;
}

}  // namespace ThreadedFrame / WholeFrame
}  // namespace Brelo
