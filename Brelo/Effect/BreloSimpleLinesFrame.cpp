#include "Brelo/Effect/BreloSimpleLinesFrame.h"

#include "Util/CommandGuard.h"
#if BRELO_THREADED
#include "Brelo/Effect/BreloSimpleLinesMulti.h"
#endif

namespace Brelo {

#if BRELO_THREADED

PF_Err threaded::renderSimpleLinesFrame(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter) {
  return guardCall([&] {
    SimpleLinesMulti(layer, thread_count, parameter);
    return PF_Err_NONE;
  });
}

#else

PF_Err single::renderSimpleLinesFrame(Layer& layer, int /*thread_count*/, SimpleLines::Parameter const& parameter) {
  return guardCall([&] {
    SimpleLines engine(layer, parameter);
    engine.execute(layer);
    return PF_Err_NONE;
  });
}

#endif

}  // namespace Brelo
