#include "Brelo/Effect/BreloLinesFrame.h"

#if BRELO_THREADED
#include "Brelo/Effect/BreloLinesMulti.h"
#endif

namespace Brelo {

#if BRELO_THREADED

void threaded::renderLinesFrame(Layer& source, Layer& composite, Layer& output, int thread_count,
                                PF_InData* in_data, Lines::Parameter const& parameter) {
  LinesMulti(source, composite, output, thread_count, in_data, parameter);
}

#else

void single::renderLinesFrame(Layer& source, Layer& composite, Layer& output, int /*thread_count*/,
                              PF_InData* in_data, Lines::Parameter const& parameter) {
  if (!source.getWorld() || source.getWidth() <= 0 || source.getHeight() <= 0) return;
  Lines engine(in_data, source, parameter);
  engine.execute(source, composite, output);
}

#endif

}  // namespace Brelo
