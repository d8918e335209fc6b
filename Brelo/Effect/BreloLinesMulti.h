// Band-parallel rendering of one Lines frame: the engine is built once, then
// every worker thread renders a horizontal band with its own copy of it.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include <boost/thread/thread.hpp>

#include "Brelo/BreloGeneral.h"
#include "Brelo/BreloLayer.h"
#include "Brelo/Effect/BreloLines.h"
#include "Util/BreloHostAPI.h"

namespace Brelo {

// Renders the whole layer; the same as the next overload with the layer's rectangle.
void LinesMulti(Layer& source, Layer& composite, Layer& output, int thread_count, PF_InData* in_data,
                Lines::Parameter const& parameter);

// Renders `area` in bands on max(1, thread_count) threads (no more than it has
// rows) and returns when every band is done. A failure raised in a band (a
// missing sampling suite) is raised again here after all workers have been
// joined; with several, the one of the topmost band.
void LinesMulti(Layer& source, Layer& composite, Layer& output, Rect const& area, int thread_count,
                PF_InData* in_data, Lines::Parameter const& parameter);

// The bands of `area` for a thread count: as many as there are threads, but
// never one without rows; they cover `area` exactly, top to bottom.
std::vector<Rect> linesBands(Rect const& area, int thread_count);

// One band's work: its own engine copy and layer handles. Runs on a worker or,
// when no worker can be had, on the calling thread; keeps what it raises.
class LinesBandJob {
 public:
  LinesBandJob(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& band);
  void run();
  std::exception_ptr const& error() const { return m_error; }

 private:
  Lines m_engine;
  Layer m_source;
  Layer m_composite;
  Layer m_output;
  Rect m_band;
  std::exception_ptr m_error;
};

// Starts a worker in `group` running `work`; throws boost::thread_resource_error
// when the system has no thread to give.
using LinesWorkerStarter = std::function<void(boost::thread_group& group, std::function<void()> const& work)>;

// Renders `area` with a built engine, one job per band, starting workers
// through `start`. The steps after the engine's construction of LinesMulti.
void renderLinesBands(Lines const& engine, Layer& source, Layer& composite, Layer& output, Rect const& area,
                      int thread_count, LinesWorkerStarter const& start);

}  // namespace Brelo
