// The bands both engines paint in: how an area is cut, and how the bands'
// jobs are run, fall back and fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>
#include <vector>

#include "Brelo/BreloBands.h"

namespace Brelo {
namespace {

TEST(Bands, OfTheArea) {
  auto tops = [](std::vector<Rect> const& bands) {
    std::vector<int> v;
    for (Rect const& b : bands) v.push_back(b.top);
    if (!bands.empty()) v.push_back(bands.back().bottom);
    return v;
  };
  std::vector<Rect> const four = bands(Rect(3, 0, 9, 10), 4);
  EXPECT_EQ(tops(four), (std::vector<int>{0, 2, 5, 7, 10}));
  for (std::size_t i = 0; i < four.size(); ++i) {
    EXPECT_EQ(four[i].left, 3);
    EXPECT_EQ(four[i].right, 9);
    if (i > 0) {
      EXPECT_EQ(four[i].top, four[i - 1].bottom);
    }
  }
  // Below one thread: one band. More threads than rows: one row each.
  EXPECT_EQ(tops(bands(Rect(0, 4, 5, 14), 0)), (std::vector<int>{4, 14}));
  EXPECT_EQ(tops(bands(Rect(0, 4, 5, 14), -3)), (std::vector<int>{4, 14}));
  EXPECT_EQ(tops(bands(Rect(0, 0, 5, 3), 8)), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(bands(Rect(0, 0, 5, 3), INT_MAX).size(), 3u);
  EXPECT_TRUE(bands(Rect(0, 5, 5, 5), 4).empty());
  // Products of the band number and a tall area's height need 64 bits.
  std::vector<Rect> const tall = bands(Rect(0, INT_MIN, 1, INT_MAX), 3);
  EXPECT_EQ(tops(tall), (std::vector<int>{INT_MIN, INT_MIN + 1431655765, INT_MIN + 2863311530LL, INT_MAX}));
}

TEST(Bands, CountAndTiling) {
  Rect const ten(0, 0, 30, 10);
  ASSERT_EQ(bandCount(10, 4), 4);
  std::vector<int> tops;
  for (int i = 0; i < 4; ++i) {
    Rect const b = band(ten, i, 4);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, 30);
    tops.push_back(b.top);
    EXPECT_EQ(b.bottom, i == 3 ? 10 : band(ten, i + 1, 4).top);
  }
  EXPECT_EQ(tops, (std::vector<int>{0, 2, 5, 7}));

  EXPECT_EQ(bandCount(10, 0), 1);
  EXPECT_EQ(bandCount(10, -3), 1);
  EXPECT_EQ(bandCount(10, INT_MIN), 1);
  EXPECT_EQ(bandCount(10, 11), 10);
  EXPECT_EQ(bandCount(10, INT_MAX), 10);
  EXPECT_EQ(bandCount(1, 8), 1);
  EXPECT_EQ(bandCount(4000000000LL, INT_MAX), INT_MAX);

  // Rows beyond 32-bit products: the bands still tile the area.
  Rect const tall(0, INT_MIN + 1, 1, INT_MAX);
  for (int n : {1, 7, 1000, INT_MAX}) {
    long long lowest = LLONG_MAX, highest = 0;
    for (int i : {0, 1 % n, n / 2, n - 1}) {
      Rect const b = band(tall, i, n);
      if (i == 0) {
        EXPECT_EQ(b.top, tall.top);
      }
      if (i == n - 1) {
        EXPECT_EQ(b.bottom, tall.bottom);
      }
      long long const height = static_cast<long long>(b.bottom) - b.top;
      lowest = std::min(lowest, height);
      highest = std::max(highest, height);
    }
    EXPECT_LE(highest - lowest, 1) << n;
  }
  for (int n : {3, 13}) {
    int next = tall.top;
    for (int i = 0; i < n; ++i) {
      Rect const b = band(tall, i, n);
      EXPECT_EQ(b.top, next);
      EXPECT_LT(b.top, b.bottom);
      next = b.bottom;
    }
    EXPECT_EQ(next, tall.bottom);
  }
}

// Runs each job at once on the calling thread, refusing the starts listed.
class InlineWorkers final : public BandWorkers {
 public:
  explicit InlineWorkers(std::vector<int> refused) : m_refused(std::move(refused)) {}
  void start(std::function<void()> job) override {
    int const call = m_calls++;
    if (std::find(m_refused.begin(), m_refused.end(), call) != m_refused.end()) throw std::runtime_error("no thread");
    job();
  }
  void joinAll() noexcept override { ++joins; }
  int joins = 0;

 private:
  std::vector<int> m_refused;
  int m_calls = 0;
};

TEST(Bands, EveryBandOnceAndTheTopmostFailureRaisedAfterTheJoin) {
  Rect const area(0, 0, 4, 8);
  // Band 1's job fails to form, band 2's worker to start; bands 1 and 3 fail.
  InlineWorkers workers({1});
  std::vector<int> made, here, ran;
  auto make = [&](Rect const& b) -> std::function<void()> {
    int const i = b.top / 2;
    made.push_back(i);
    if (i == 1) throw std::bad_alloc();
    return [&ran, i] {
      ran.push_back(i);
      if (i == 3) throw std::runtime_error("band 3");
    };
  };
  auto paintHere = [&](Rect const& b) {
    here.push_back(b.top / 2);
    if (b.top / 2 == 1) throw std::runtime_error("band 1");
  };
  try {
    paintBands(area, 4, workers, make, paintHere);
    ADD_FAILURE() << "no failure raised";
  } catch (std::runtime_error const& e) {
    EXPECT_STREQ(e.what(), "band 1");
  }
  EXPECT_EQ(made, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(here, (std::vector<int>{1, 2}));
  EXPECT_EQ(ran, (std::vector<int>{0, 3}));
  EXPECT_EQ(workers.joins, 1);

  // Nothing to paint: no job, no join needed, nothing raised.
  InlineWorkers idle({});
  paintBands(Rect(0, 3, 4, 3), 4, idle, make, paintHere);
  EXPECT_EQ(made.size(), 4u);
}

TEST(Bands, ThreadWorkersRunEveryJobBeforeTheCallReturns) {
  std::unique_ptr<BandWorkers> const workers = threadWorkers();
  ASSERT_TRUE(workers);
  std::mutex m;
  std::vector<int> rows;
  paintBands(Rect(0, 0, 1, 50), 7, *workers,
             [&](Rect const& b) -> std::function<void()> {
               return [&, b] {
                 std::lock_guard<std::mutex> const lock(m);
                 for (int y = b.top; y < b.bottom; ++y) rows.push_back(y);
               };
             },
             [](Rect const&) { FAIL() << "every worker starts"; });
  std::sort(rows.begin(), rows.end());
  ASSERT_EQ(rows.size(), 50u);
  for (int y = 0; y < 50; ++y) EXPECT_EQ(rows[static_cast<std::size_t>(y)], y);
}

}  // namespace
}  // namespace Brelo
