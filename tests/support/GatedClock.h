#pragma once
#include <condition_variable>
#include <mutex>

#include "ports/Clock.h"

namespace karvo::test {

// The virtual programmer's time, with a gate: once armed, a given number of
// sleeps pass and the next one waits until the gate opens. With the
// programmer paced (one sleep per report) this parks a worker at a known
// report, whatever the scheduler does.
class GatedClock final : public Clock {
  public:
    std::int64_t NowMs() override { return 0; }
    void SleepMs(int) override {
        std::unique_lock lock(mutex_);
        if (!armed_ || --freeSleeps_ >= 0) return;
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --waiting_;
    }
    void Arm(int freeSleeps) {
        std::lock_guard lock(mutex_);
        armed_ = true;
        freeSleeps_ = freeSleeps;
    }
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    // True once a sleeper waits at the gate.
    bool Parked() {
        std::lock_guard lock(mutex_);
        return waiting_ > 0;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int freeSleeps_ = 0;
    int waiting_ = 0;
    bool armed_ = false;
    bool open_ = false;
};

}  // namespace karvo::test
