#include "ports/Clock.h"

#include <chrono>
#include <thread>

namespace karvo {

namespace {
std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

class SteadyClock final : public Clock {
  public:
    std::int64_t NowMs() override { return SteadyMs(); }
    void SleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};
}  // namespace

Clock& SystemClock() {
    static SteadyClock clock;
    return clock;
}

std::int64_t SkippingClock::NowMs() {
    return SteadyMs() + skippedMs_;
}

void SkippingClock::SleepMs(int ms) {
    if (ms > 0) skippedMs_ += ms;
}

}  // namespace karvo
