// The pause between animation frames.
#pragma once

#include <functional>

namespace zelkan {

// What a pause reads and does. Tests hand in a scripted clock and a sleeper that only
// advances it, so they spend no real time.
struct WaitTools {
  std::function<double()> now;        // a monotonic clock, in seconds
  std::function<void(double)> sleep;  // sleeps for about that many seconds
  std::function<void()> keepAlive;    // optional: lets the window repaint between sleeps
  double step = 0.01;                 // longest single sleep, in seconds
};

// The steady clock of the system and a real sleeper; keepAlive as given.
WaitTools realWaitTools(std::function<void()> keepAlive = {});

// Returns once at least seconds have passed on the clock since the call. It sleeps between
// readings rather than spinning, and gives keepAlive a turn before each sleep. A wait of 0 (or
// less) returns at once.
void 待ち時間(const WaitTools& tools, double seconds);

}  // namespace zelkan
