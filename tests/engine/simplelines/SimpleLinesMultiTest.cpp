#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <functional>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "Brelo/Effect/BreloSimpleLinesFrame.h"
#include "Brelo/Effect/BreloSimpleLinesMulti.h"
#include "SimpleLinesTestSupport.h"

namespace Brelo {
namespace {

using Parameter = SimpleLines::Parameter;
using Support::TestWorld;

Parameter busyFrame() {
  Parameter p;
  p.setCenter(Vector<double>(50, 37))
      .setDirection(0.7)
      .setTotalWidth(150)
      .setWidthMax1(7)
      .setWidthMin(0.05)
      .setGapMax1(2)
      .setHeightMax1(60)
      .setAlignMax(10)
      .setAlignMin(0)
      .setColorNum(3)
      .setColorVariance1(0.4)
      .setTransitionCompletion(0.3)
      .setTransitionType(Parameter::TransitionType::Random)
      .setOpacity(0.9)
      .setBlendMode(BlendMode::Screen);
  return p;
}

template <class P>
std::vector<unsigned char> paintOnce(Parameter const& p, int w, int h) {
  TestWorld<P> world(w, h);
  world.fillPattern(77);
  Layer layer = world.layer();
  SimpleLines(layer, p).execute(layer);
  return world.bytes();
}

template <class P>
void expectSameForEveryThreadCount() {
  constexpr int w = 101, h = 75;
  Parameter const p = busyFrame();
  std::vector<unsigned char> const expected = paintOnce<P>(p, w, h);
  for (int threads : {1, 2, 3, 8, 0, -3, 75, 200, INT_MIN, INT_MAX}) {
    TestWorld<P> world(w, h);
    world.fillPattern(77);
    Layer layer = world.layer();
    SimpleLinesMulti(layer, threads, p);
    EXPECT_EQ(world.bytes(), expected) << threads << " threads";
  }
  // The two builds of the frame function.
  for (int threads : {1, 4}) {
    TestWorld<P> threaded(w, h), whole(w, h);
    threaded.fillPattern(77);
    whole.fillPattern(77);
    Layer tl = threaded.layer(), wl = whole.layer();
    EXPECT_EQ(threaded::renderSimpleLinesFrame(tl, threads, p), PF_Err_NONE);
    EXPECT_EQ(single::renderSimpleLinesFrame(wl, threads, p), PF_Err_NONE);
    EXPECT_EQ(threaded.bytes(), expected);
    EXPECT_EQ(whole.bytes(), expected);
  }
}

TEST(SimpleLinesMulti, SameBytesForEveryThreadCountAndBuild) {
  expectSameForEveryThreadCount<PF_Pixel>();
  expectSameForEveryThreadCount<PF_Pixel16>();
  expectSameForEveryThreadCount<PF_PixelFloat>();
}

// Runs jobs on plain threads, failing to start the ones listed; records what
// it saw so that the test can tell every started job was waited for.
class RecordingWorkers final : public BandWorkers {
 public:
  explicit RecordingWorkers(std::set<int> failing) : m_failing(std::move(failing)) {}
  ~RecordingWorkers() override { joinAll(); }

  void start(std::function<void()> job) override {
    int const i = m_calls++;
    if (m_failing.count(i)) throw std::runtime_error("no thread");
    m_threads.emplace_back([this, job]() mutable {
      // Long enough that a missing join would let the call return first.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      job();
      ++m_finished;
    });
  }
  void joinAll() noexcept override {
    for (std::thread& t : m_threads)
      if (t.joinable()) t.join();
    m_joined = m_threads.size();
  }

  int calls() const { return m_calls; }
  int finished() const { return m_finished.load(); }
  size_t joined() const { return m_joined; }
  size_t started() const { return m_threads.size(); }

 private:
  std::set<int> m_failing;
  int m_calls = 0;
  std::atomic<int> m_finished{0};
  size_t m_joined = 0;
  std::vector<std::thread> m_threads;
};

TEST(SimpleLinesMulti, WorkersThatCannotStart) {
  constexpr int w = 64, h = 40;
  Parameter const p = busyFrame();
  std::vector<unsigned char> const expected = paintOnce<PF_Pixel>(p, w, h);
  for (std::set<int> const& failing :
       {std::set<int>{}, std::set<int>{0}, std::set<int>{2}, std::set<int>{4}, std::set<int>{0, 1, 2, 3, 4}}) {
    TestWorld<PF_Pixel> world(w, h);
    world.fillPattern(77);
    Layer layer = world.layer();
    RecordingWorkers workers(failing);
    SimpleLinesMulti(layer, layer.getSize(), 5, p, workers);
    EXPECT_EQ(workers.calls(), 5);
    EXPECT_EQ(workers.started(), 5 - failing.size());
    EXPECT_EQ(workers.finished(), static_cast<int>(5 - failing.size()));
    EXPECT_EQ(workers.joined(), workers.started());
    EXPECT_EQ(world.bytes(), expected);
  }
}

TEST(SimpleLinesMulti, AreasAndLayersLeftAlone) {
  constexpr int w = 40, h = 30;
  Parameter const p = busyFrame();
  TestWorld<PF_Pixel> world(w, h);
  world.fillPattern(3);
  std::vector<unsigned char> const before = world.bytes();
  Layer layer = world.layer();
  for (Rect const& empty : {Rect(5, 5, 5, 20), Rect(0, 7, w, 7), Rect(10, 10, 0, 0), Rect(w, 0, w + 10, h),
                            Rect(0, -10, w, 0)}) {
    RecordingWorkers workers({});
    SimpleLinesMulti(layer, empty, 4, p, workers);
    EXPECT_EQ(workers.calls(), 0);
    EXPECT_EQ(world.bytes(), before);
  }
  // An area reaching past the layer: only the rows inside get workers.
  RecordingWorkers workers({});
  SimpleLinesMulti(layer, Rect(-5, -100, w + 5, 4), 16, p, workers);
  EXPECT_EQ(workers.calls(), 4);
  TestWorld<PF_Pixel> reference(w, h);
  reference.fillPattern(3);
  Layer rl = reference.layer();
  SimpleLines(rl, p).execute(rl, Rect(0, 0, w, 4));
  EXPECT_EQ(world.bytes(), reference.bytes());
}

}  // namespace
}  // namespace Brelo
