#pragma once
#include <algorithm>
#include <cstdint>
#include <string>

namespace karvo {

// The small non-modal window that shows how far a load or save has come:
// a caption and a bar from 0 to 100.
class FileProgressPort {
  public:
    virtual ~FileProgressPort() = default;
    virtual void Open(const std::string& caption) = 0;  // bar at 0 of 100
    virtual void SetPosition(int percent) = 0;
    virtual void Close() = 0;
};

// Nothing to show (karvo-cli, fuzzers).
class NoFileProgress final : public FileProgressPort {
  public:
    void Open(const std::string&) override {}
    void SetPosition(int) override {}
    void Close() override {}
};

// Turns buffer offsets into the bar's percentage (offset × 100 / capacity,
// held at 100) and passes it on only when the shown value changes: the
// readers report after every byte, the window needs a few hundred updates.
class ProgressGauge {
  public:
    ProgressGauge(FileProgressPort& port, std::int64_t capacity)
        : port_(port), capacity_(std::max<std::int64_t>(capacity, 1)) {}

    void Update(std::int64_t offset) {
        if (offset < low_ || offset >= high_) Recompute(offset);
    }

  private:
    void Recompute(std::int64_t offset) {
        const std::int64_t percent = std::clamp<std::int64_t>(offset * 100 / capacity_, 0, 100);
        // The offsets that show this same percentage.
        low_ = percent == 0 ? INT64_MIN : (percent * capacity_ + 99) / 100;
        high_ = percent == 100 ? INT64_MAX : ((percent + 1) * capacity_ + 99) / 100;
        if (percent != shown_) {
            shown_ = percent;
            port_.SetPosition(static_cast<int>(percent));
        }
    }

    FileProgressPort& port_;
    std::int64_t capacity_;
    std::int64_t shown_ = 0;  // the window opens at 0
    std::int64_t low_ = 0;
    std::int64_t high_ = 0;  // empty range: the first update computes
};

}  // namespace karvo
