// Band-parallel painting, the same for both engines: the area cut into horizontal bands,
// one job a band on a worker, a band painted on the calling thread when its worker cannot
// start, every started worker joined on every path, the first band failure carried back.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "Brelo/Rect.h"

namespace Brelo {

// How many bands `rows` rows are cut into: max(1, thread_count), but never
// more than there are rows, so that no worker is started without work.
int bandCount(std::int64_t rows, int thread_count);
// Band i of n: rows top + i*H/n up to top + (i+1)*H/n (in 64 bits), so the
// bands cover `area` exactly, top to bottom, and differ by at most one row.
Rect band(Rect const& area, int i, int n);
// Every band of `area` for a thread count; none for an empty area.
std::vector<Rect> bands(Rect const& area, int thread_count);

// Where band jobs run. threadWorkers() runs each on a thread of its own;
// tests put their own in its place.
class BandWorkers {
 public:
  virtual ~BandWorkers() = default;
  // Runs `job` on a worker of its own; throws when none can be started.
  virtual void start(std::function<void()> job) = 0;
  // Returns once every started job has finished.
  virtual void joinAll() noexcept = 0;

 protected:
  BandWorkers() = default;
  BandWorkers(BandWorkers const&) = default;
  BandWorkers& operator=(BandWorkers const&) = default;
};

// Workers on Boost threads; where not even their group can be had, workers
// that run every job on the calling thread.
std::unique_ptr<BandWorkers> threadWorkers() noexcept;

// Paints every band of `area` with max(1, thread_count) workers and returns when all are
// done. For each band, top to bottom, `make(band)` forms its job on the calling thread and
// a worker runs it; when the job cannot be formed or its worker cannot start, `here(band)`
// paints the band on the calling thread instead. Whatever a job or `here` raises is raised
// again after every worker has been joined; with several, the one of the topmost band.
void paintBands(Rect const& area, int thread_count, BandWorkers& workers,
                std::function<std::function<void()>(Rect const&)> const& make,
                std::function<void(Rect const&)> const& here);

}  // namespace Brelo
