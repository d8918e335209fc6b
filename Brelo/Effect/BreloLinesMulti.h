// Band-parallel rendering of one Lines frame: the engine is built once, then every worker
// renders a horizontal band (see Brelo/BreloBands.h) with its own copy of it and the layers.
#pragma once

#include "Brelo/BreloBands.h"
#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Renders the whole layer; the same as the next overload with the layer's rectangle.
void LinesMulti(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                Lines::Parameter const& parameter);

// Renders `area` in bands on max(1, thread_count) threads (no more than it has rows) and
// returns when every band is done. A failure raised in a band (a missing sampling suite)
// is raised again here once all workers are joined; with several, the topmost band's.
void LinesMulti(Layer& source, Layer& composite, Layer& output, Rect const& area, int thread_count,
                PF_InData* in_data, Lines::Parameter const& parameter);

// Renders `area` with a built engine on the given workers: the steps after
// the engine's construction of LinesMulti.
void renderLinesBands(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& area,
                      int thread_count, BandWorkers& workers);

}  // namespace Brelo
