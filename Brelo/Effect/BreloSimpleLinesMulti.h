// Paints a SimpleLines frame in horizontal bands (see Brelo/BreloBands.h), one worker
// thread per band, each with its own copy of the engine, laid out once on the calling
// thread; all workers are joined before the call returns.
#pragma once

#include "Brelo/BreloBands.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"

namespace Brelo {

// Paints the bars over the whole layer on max(1, thread_count) workers.
void SimpleLinesMulti(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
// ... within `area` only.
void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter);
// ... on the given workers.
void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter,
                      BandWorkers& workers);

}  // namespace Brelo
