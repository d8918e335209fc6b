#include "Brelo/Effect/BreloLinesFrame.h"

#include "Util/CommandGuard.h"
#if BRELO_THREADED
#include "Brelo/Effect/BreloLinesMulti.h"
#endif

namespace Brelo {

#if BRELO_THREADED

PF_Err threaded::renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count,
                                  PF_InData* in_data, Lines::Parameter const& parameter) {
  return guardCall([&] {
    LinesMulti(source, composite, output, thread_count, in_data, parameter);
    return PF_Err_NONE;
  });
}

#else

PF_Err single::renderLinesFrame(Layer& source, Layer& composite, Layer& output, int /*thread_count*/,
                                PF_InData* in_data, Lines::Parameter const& parameter) {
  return guardCall([&] {
    if (!source.getWorld() || source.getWidth() <= 0 || source.getHeight() <= 0) return PF_Err_NONE;
    Lines engine(in_data, source, parameter);
    engine.execute(source, composite, output);
    return PF_Err_NONE;
  });
}

#endif

}  // namespace Brelo
