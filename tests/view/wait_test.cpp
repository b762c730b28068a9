#include "view/wait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <vector>

namespace zelkan {
namespace {

// A clock that moves only when the wait sleeps (or when the test says so).
struct FakeTime {
  double now = 86399.95;  // close to midnight: a monotonic clock does not care
  int reads = 0;
  std::vector<double> sleeps;
  int keepAlives = 0;
  double keepAliveCost = 0;

  WaitTools tools() {
    WaitTools t;
    t.now = [this] {
      ++reads;
      return now;
    };
    t.sleep = [this](double s) {
      sleeps.push_back(s);
      now += s;
    };
    t.keepAlive = [this] {
      ++keepAlives;
      now += keepAliveCost;
    };
    return t;
  }
};

TEST(Wait, ZeroOrLessReturnsAtOnce) {
  for (const double seconds : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    FakeTime time;
    待ち時間(time.tools(), seconds);
    EXPECT_EQ(time.reads, 0) << seconds;
    EXPECT_TRUE(time.sleeps.empty()) << seconds;
  }
}

TEST(Wait, SleepsInStepsUntilTheTimeHasPassedAndNoLonger) {
  FakeTime time;
  const double start = time.now;
  待ち時間(time.tools(), 0.3);
  EXPECT_GE(time.now - start, 0.3);
  EXPECT_LT(time.now - start, 0.3 + 1e-9);
  ASSERT_GE(time.sleeps.size(), 30u);
  for (const double s : time.sleeps) {
    EXPECT_GT(s, 0);
    EXPECT_LE(s, 0.01 + 1e-12);
  }
  // The window gets a turn before every sleep.
  EXPECT_EQ(time.keepAlives, static_cast<int>(time.sleeps.size()) + 1);
}

TEST(Wait, NeverReturnsEarlyWhenTheClockRunsOnItsOwn) {
  // Every reading is later than the one before, as when the window's repaint takes time.
  FakeTime time;
  time.keepAliveCost = 0.007;
  const double start = time.now;
  WaitTools tools = time.tools();
  tools.step = 0.05;
  待ち時間(tools, 0.1);
  EXPECT_GE(time.now - start, 0.1);
  EXPECT_LT(time.now - start, 0.1 + 0.007 + 1e-9);
}

TEST(Wait, WorksWithoutKeepAliveAndWithTheRealClock) {
  FakeTime time;
  WaitTools tools = time.tools();
  tools.keepAlive = nullptr;
  待ち時間(tools, 0.05);
  EXPECT_GE(time.now, 86399.95 + 0.05);

  // A millisecond on the real clock, to see the real sleeper and clock fit together.
  int keepAlives = 0;
  const WaitTools real = realWaitTools([&] { ++keepAlives; });
  const auto before = std::chrono::steady_clock::now();
  待ち時間(real, 0.001);
  EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1));
  EXPECT_GE(keepAlives, 1);
}

}  // namespace
}  // namespace zelkan
