#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace karvo {

// How long the running step of an operation still needs, from the rate its
// bar has moved at so far. The rate is smoothed over a few seconds, so one
// slow report does not make the figure jump, and nothing is offered until the
// step has run long enough for the rate to mean something.
class TimeLeftEstimate {
  public:
    // A new step with a bar of `maximum`; its first value starts the clock.
    void Start(int maximum);
    // The bar's value at `atMs` (the clock of the worker that moved it). A
    // value below the last one is a new step of the same size.
    void Update(int value, std::int64_t atMs);
    // Milliseconds left at `nowMs`, once meaningful; never below zero.
    std::optional<std::int64_t> RemainingMs(std::int64_t nowMs) const;
    std::optional<std::int64_t> LastUpdateMs() const;

    // Below this the step is too young for its rate to tell anything.
    static constexpr std::int64_t kSettleMs = 1500;
    // Rates are taken over at least this long, so update jitter averages out.
    static constexpr std::int64_t kSampleMs = 250;
    // The smoothing's time constant.
    static constexpr double kSmoothingMs = 2000.0;

  private:
    int maximum_ = 0;
    bool started_ = false;
    int startValue_ = 0;
    std::int64_t startMs_ = 0;
    int sampleValue_ = 0;  // where the current rate sample began
    std::int64_t sampleMs_ = 0;
    int lastValue_ = 0;
    std::int64_t lastMs_ = 0;
    double rate_ = 0.0;  // bar units per millisecond
    bool haveRate_ = false;
};

// "About 8 s left", "About 2 min 30 s left", "About 14 min left".
std::string FormatTimeLeft(std::int64_t ms);

// A line per tenth of each step's bar, for karvo-cli --progress:
// "Read 40% (about 5 s left)".
class ProgressLines {
  public:
    explicit ProgressLines(std::function<void(const std::string&)> out) : out_(std::move(out)) {}
    void Update(const std::string& caption, int maximum, int value, std::int64_t atMs);

  private:
    std::function<void(const std::string&)> out_;
    std::string caption_;
    int maximum_ = -1;
    int lastTenth_ = 0;
    TimeLeftEstimate estimate_;
};

}  // namespace karvo
