// Paints a SimpleLines frame in horizontal bands, one worker thread per band,
// each with its own copy of the engine. The engine is laid out once, on the
// calling thread; all workers are joined before the call returns.
#pragma once

#include <cstdint>
#include <functional>

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloSimpleLines.h"

namespace Brelo {

// Where the band jobs run. The default runs each on a thread of a thread
// group; tests put their own in its place.
class SimpleLinesWorkers {
 public:
  virtual ~SimpleLinesWorkers() = default;
  // Runs `job` on a worker of its own; throws when none can be started.
  virtual void start(std::function<void()> job) = 0;
  // Returns once every started job has finished.
  virtual void joinAll() noexcept = 0;

 protected:
  SimpleLinesWorkers() = default;
  SimpleLinesWorkers(SimpleLinesWorkers const&) = default;
  SimpleLinesWorkers& operator=(SimpleLinesWorkers const&) = default;
};

// Paints the bars over the whole layer on max(1, thread_count) workers.
void SimpleLinesMulti(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter);
// ... within `area` only.
void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter);
// ... on the given workers.
void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter,
                      SimpleLinesWorkers& workers);

// How many bands `rows` rows are cut into: max(1, thread_count), but never
// more than there are rows, so that no worker is started without work.
int simpleLinesBandCount(std::int64_t rows, int thread_count);
// Band i of n: rows top + i*H/n up to top + (i+1)*H/n, so the bands cover
// `area` exactly and differ in height by at most one row.
Rect simpleLinesBand(Rect const& area, int i, int n);

}  // namespace Brelo
