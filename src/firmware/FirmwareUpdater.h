#pragma once
#include <string>
#include <vector>

#include "firmware/FirmwareImage.h"
#include "firmware/UpdateWindowPort.h"
#include "link/HidTransport.h"
#include "ports/FirmwareUpdatePort.h"

namespace karvo {

// The firmware update as the main window starts it: the update window waits
// for the bootloader (polling each second, for a bounded time), then the
// sequence runs on a worker thread while the window shows its lines and bar.
class FirmwareUpdater final : public FirmwareUpdatePort {
  public:
    static constexpr int kPollMs = 1000;
    // A bootloader that has not appeared after this many polls will not.
    static constexpr int kMostPolls = 30;
    // The window stays this long after the sequence, so its last lines can be read.
    static constexpr int kCloseDelayMs = 500;

    FirmwareUpdater(HidBackend& usb, Clock& clock, UpdateWindowFactory& windows,
                    FirmwareImage image);

    bool Available() const override;
    std::vector<std::string> WhyUnavailable() const override;
    FirmwareUpdateOutcome RunUpdate() override;
    void WaitAfterUpdate(Clock& clock, int ms) override { windows_.Pause(clock, ms); }
    std::string UseImageFile(const std::string& path) override;

    const FirmwareImage& Image() const { return image_; }

  private:
    HidBackend& usb_;
    Clock& clock_;
    UpdateWindowFactory& windows_;
    FirmwareImage image_;
};

}  // namespace karvo
