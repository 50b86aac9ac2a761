#pragma once
#include <atomic>
#include <cstdint>

namespace karvo {

// Time of day and the fixed waits. Behind a port so that tests and scripted
// runs against the virtual programmer do not spend real seconds waiting.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t NowMs() = 0;
    virtual void SleepMs(int ms) = 0;
};

// The machine's steady clock with real sleeps.
Clock& SystemClock();

// Sleeps return at once but still move NowMs forward, so elapsed times stay
// consistent while nothing actually waits.
class SkippingClock final : public Clock {
  public:
    std::int64_t NowMs() override;
    void SleepMs(int ms) override;

  private:
    std::atomic<std::int64_t> skippedMs_{0};
};

// Fully manual time for tests: only SleepMs and Advance move it.
class ManualClock final : public Clock {
  public:
    std::int64_t NowMs() override { return nowMs_; }
    void SleepMs(int ms) override { nowMs_ += ms; }
    void Advance(std::int64_t ms) { nowMs_ += ms; }

  private:
    std::atomic<std::int64_t> nowMs_{0};
};

}  // namespace karvo
