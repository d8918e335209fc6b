#include "Brelo/BreloBands.h"

#include <algorithm>
#include <utility>

#include <boost/thread/thread.hpp>

namespace Brelo {

namespace {

class ThreadGroupWorkers final : public BandWorkers {
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

class CallingThread final : public BandWorkers {
 public:
  void start(std::function<void()> job) override { job(); }
  void joinAll() noexcept override {}
};

// Workers write into the caller's layers: whatever happens on the way out,
// every started one is joined first.
class JoinGuard {
 public:
  explicit JoinGuard(BandWorkers& workers) : m_workers(workers) {}
  ~JoinGuard() { m_workers.joinAll(); }
  JoinGuard(JoinGuard const&) = delete;
  JoinGuard& operator=(JoinGuard const&) = delete;

 private:
  BandWorkers& m_workers;
};

}  // namespace

int bandCount(std::int64_t rows, int thread_count) {
  std::int64_t n = std::max(1, thread_count);
  if (rows > 0 && n > rows) n = rows;
  return static_cast<int>(n);
}

Rect band(Rect const& area, int i, int n) {
  std::int64_t const top = area.top;
  std::int64_t const rows = static_cast<std::int64_t>(area.bottom) - top;
  std::int64_t const from = top + static_cast<std::int64_t>(i) * rows / n;
  std::int64_t const to = top + (static_cast<std::int64_t>(i) + 1) * rows / n;
  return Rect(area.left, static_cast<int>(from), area.right, static_cast<int>(to));
}

std::vector<Rect> bands(Rect const& area, int thread_count) {
  std::vector<Rect> list;
  if (area.isEmpty()) return list;
  int const n = bandCount(static_cast<std::int64_t>(area.bottom) - area.top, thread_count);
  list.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) list.push_back(band(area, i, n));
  return list;
}

std::unique_ptr<BandWorkers> threadWorkers() noexcept {
  try {
    return std::make_unique<ThreadGroupWorkers>();
  } catch (...) {
  }
  try {
    return std::make_unique<CallingThread>();
  } catch (...) {
    return nullptr;
  }
}

void paintBands(Rect const& area, int thread_count, BandWorkers& workers,
                std::function<std::function<void()>(Rect const&)> const& make,
                std::function<void(Rect const&)> const& here) {
  std::vector<Rect> const list = bands(area, thread_count);
  // One slot a band, written only by that band's job.
  std::vector<std::exception_ptr> errors(list.size());
  {
    JoinGuard const join(workers);
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::exception_ptr& error = errors[i];
      bool started = false;
      try {
        std::function<void()> job = make(list[i]);
        workers.start([job, &error] {
          // Nothing may leave a worker thread; the caller raises it after the join.
          try {
            job();
          } catch (...) {
            error = std::current_exception();
          }
        });
        started = true;
      } catch (...) {
        // No job or no thread to be had: the band is painted here, while the
        // workers already started go on with theirs.
      }
      if (started) continue;
      try {
        here(list[i]);
      } catch (...) {
        error = std::current_exception();
      }
    }
  }
  for (std::exception_ptr const& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace Brelo
