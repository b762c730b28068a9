#include "view/wait.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace zelkan {

WaitTools realWaitTools(std::function<void()> keepAlive) {
  WaitTools tools;
  tools.now = [] {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
  };
  tools.sleep = [](double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  };
  tools.keepAlive = std::move(keepAlive);
  return tools;
}

void 待ち時間(const WaitTools& tools, double seconds) {
  if (!(seconds > 0)) return;  // also a wait of NaN seconds
  const double end = tools.now() + seconds;
  for (;;) {
    if (tools.keepAlive) tools.keepAlive();
    const double left = end - tools.now();
    if (left <= 0) return;
    tools.sleep(tools.step > 0 ? std::min(left, tools.step) : left);
  }
}

}  // namespace zelkan
