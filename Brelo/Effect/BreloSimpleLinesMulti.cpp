#include "Brelo/Effect/BreloSimpleLinesMulti.h"

#include <algorithm>
#include <memory>
#include <utility>

#include <boost/thread/thread.hpp>

namespace Brelo {

namespace {

class ThreadGroupWorkers final : public SimpleLinesWorkers {
 public:
  void start(std::function<void()> job) override {
    // Throws before anything runs when no thread can be had.
    std::unique_ptr<boost::thread> thread(new boost::thread(std::move(job)));
    try {
      m_group.add_thread(thread.get());
      thread.release();
    } catch (...) {
      // Running but not in the group: wait for it here, so that its band is
      // neither lost nor painted twice.
      thread->join();
    }
  }
  void joinAll() noexcept override { m_group.join_all(); }

 private:
  boost::thread_group m_group;
};

class CallingThread final : public SimpleLinesWorkers {
 public:
  void start(std::function<void()> job) override { job(); }
  void joinAll() noexcept override {}
};

// Workers write into the caller's layer: whatever happens on the way out,
// every started one is joined first.
class JoinGuard {
 public:
  explicit JoinGuard(SimpleLinesWorkers& workers) : m_workers(workers) {}
  ~JoinGuard() { m_workers.joinAll(); }
  JoinGuard(JoinGuard const&) = delete;
  JoinGuard& operator=(JoinGuard const&) = delete;

 private:
  SimpleLinesWorkers& m_workers;
};

// One band's job. The engine copy is shared only with the copies the thread
// library makes of the job itself, so the bar list is cloned once per band.
struct BandJob {
  std::shared_ptr<SimpleLines> engine;
  Layer layer;
  Rect band;
  void operator()() noexcept { engine->execute(layer, band); }
};

}  // namespace

int simpleLinesBandCount(std::int64_t rows, int thread_count) {
  std::int64_t n = std::max(1, thread_count);
  if (rows > 0 && n > rows) n = rows;
  return static_cast<int>(n);
}

Rect simpleLinesBand(Rect const& area, int i, int n) {
  std::int64_t const top = area.top;
  std::int64_t const rows = static_cast<std::int64_t>(area.bottom) - top;
  std::int64_t const from = top + static_cast<std::int64_t>(i) * rows / n;
  std::int64_t const to = top + (static_cast<std::int64_t>(i) + 1) * rows / n;
  return Rect(area.left, static_cast<int>(from), area.right, static_cast<int>(to));
}

void SimpleLinesMulti(Layer& layer, int thread_count, SimpleLines::Parameter const& parameter) {
  SimpleLinesMulti(layer, layer.getSize(), thread_count, parameter);
}

void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter) {
  std::unique_ptr<ThreadGroupWorkers> group;
  try {
    group = std::make_unique<ThreadGroupWorkers>();
  } catch (...) {
    // Not even a thread group to be had: every band runs here.
  }
  if (group) {
    SimpleLinesMulti(layer, area, thread_count, parameter, *group);
  } else {
    CallingThread here;
    SimpleLinesMulti(layer, area, thread_count, parameter, here);
  }
}

void SimpleLinesMulti(Layer& layer, Rect const& area, int thread_count, SimpleLines::Parameter const& parameter,
                      SimpleLinesWorkers& workers) {
  if (area.isEmpty()) return;
  // Rows outside the layer paint nothing; leaving them out keeps every
  // worker busy with rows that exist.
  Rect const size = layer.getSize();
  Rect const inside(std::max(area.left, size.left), std::max(area.top, size.top), std::min(area.right, size.right),
                    std::min(area.bottom, size.bottom));
  if (inside.isEmpty()) return;

  SimpleLines engine(layer, parameter);
  int const n = simpleLinesBandCount(static_cast<std::int64_t>(inside.bottom) - inside.top, thread_count);

  JoinGuard const join(workers);
  for (int i = 0; i < n; ++i) {
    Rect const band = simpleLinesBand(inside, i, n);
    bool started = false;
    try {
      workers.start(BandJob{std::make_shared<SimpleLines>(engine), layer, band});
      started = true;
    } catch (...) {
      // No copy or no thread to be had: the band is painted here instead,
      // while the workers already started go on with theirs.
    }
    if (!started) engine.execute(layer, band);
  }
}

}  // namespace Brelo
