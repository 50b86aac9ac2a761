#include "operations/TimeLeft.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

namespace karvo {

void TimeLeftEstimate::Start(int maximum) {
    *this = TimeLeftEstimate();
    maximum_ = maximum;
}

void TimeLeftEstimate::Update(int value, std::int64_t atMs) {
    if (started_ && value < lastValue_) Start(maximum_);
    if (!started_) {
        started_ = true;
        startValue_ = sampleValue_ = lastValue_ = value;
        startMs_ = sampleMs_ = lastMs_ = atMs;
        return;
    }
    lastValue_ = value;
    lastMs_ = std::max(lastMs_, atMs);
    const std::int64_t span = lastMs_ - sampleMs_;
    if (span < kSampleMs) return;
    const double rate = static_cast<double>(lastValue_ - sampleValue_) / static_cast<double>(span);
    if (!haveRate_) {
        // The first sample stands for the whole step so far.
        rate_ = static_cast<double>(lastValue_ - startValue_) /
                static_cast<double>(std::max<std::int64_t>(1, lastMs_ - startMs_));
        haveRate_ = true;
    } else {
        const double weight = 1.0 - std::exp(-static_cast<double>(span) / kSmoothingMs);
        rate_ += weight * (rate - rate_);
    }
    sampleValue_ = lastValue_;
    sampleMs_ = lastMs_;
}

std::optional<std::int64_t> TimeLeftEstimate::RemainingMs(std::int64_t nowMs) const {
    if (!haveRate_ || rate_ <= 0.0 || lastMs_ - startMs_ < kSettleMs) return std::nullopt;
    const double left = static_cast<double>(std::max(0, maximum_ - lastValue_)) / rate_;
    const auto since = std::max<std::int64_t>(0, nowMs - lastMs_);
    return std::max<std::int64_t>(0, std::llround(left) - since);
}

std::optional<std::int64_t> TimeLeftEstimate::LastUpdateMs() const {
    if (!started_) return std::nullopt;
    return lastMs_;
}

std::string FormatTimeLeft(std::int64_t ms) {
    // Seconds rounded up: "0 s left" while work remains would be a lie.
    std::int64_t s = std::max<std::int64_t>(1, (ms + 999) / 1000);
    if (s < 20) return fmt::format("About {} s left", s);
    if (s < 60) return fmt::format("About {} s left", (s + 4) / 5 * 5);
    if (s < 600) {
        s = (s + 9) / 10 * 10;
        if (s % 60 == 0) return fmt::format("About {} min left", s / 60);
        return fmt::format("About {} min {} s left", s / 60, s % 60);
    }
    return fmt::format("About {} min left", (s + 59) / 60);
}

void ProgressLines::Update(const std::string& caption, int maximum, int value, std::int64_t atMs) {
    if (caption != caption_ || maximum != maximum_) {
        caption_ = caption;
        maximum_ = maximum;
        lastTenth_ = 0;
        estimate_.Start(maximum);
        // A new caption or bar arrives with the old step's value: the new
        // step starts with its own first value.
        return;
    }
    estimate_.Update(value, atMs);
    if (maximum <= 0) return;
    const int tenth =
        static_cast<int>(std::min<std::int64_t>(10, std::int64_t{value} * 10 / maximum));
    // The bar going back to 0 is the next step, even with the same caption.
    if (tenth < lastTenth_) lastTenth_ = 0;
    if (tenth <= lastTenth_) return;
    lastTenth_ = tenth;
    std::string name = caption;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    std::string line = fmt::format("{} {}%", name, tenth * 10);
    if (tenth < 10) {
        if (const auto left = estimate_.RemainingMs(atMs)) {
            std::string text = FormatTimeLeft(*left);
            text[0] = 'a';
            line += " (" + text + ")";
        }
    }
    out_(line);
}

}  // namespace karvo
