#pragma once
#include <string>
#include <vector>

#include "ports/Clock.h"

namespace karvo {

// How an update went, once its window has closed.
struct FirmwareUpdateOutcome {
    // The programmer was written, verified and told to restart.
    bool succeeded = false;
    // The window's lines, for the main log after it was cleared, so that the
    // user can still read how the update went. Empty when the window's lines
    // already went where the log goes (karvo-cli's standard output).
    std::vector<std::string> transcript;
};

// The firmware-update window, shown modally after the programmer was told to
// start its bootloader; returns when the window has closed.
class FirmwareUpdatePort {
  public:
    virtual ~FirmwareUpdatePort() = default;
    // False when this build cannot update the programmer of this run: then it
    // must never be sent into its bootloader, where nothing would bring it back.
    virtual bool Available() const = 0;
    // When not available: the log lines saying why and what the user can do.
    // Empty: the program's general line is used.
    virtual std::vector<std::string> WhyUnavailable() const { return {}; }
    virtual FirmwareUpdateOutcome RunUpdate() = 0;
    // The wait for the programmer to restart after the window closed.
    virtual void WaitAfterUpdate(Clock& clock, int ms) { clock.SleepMs(ms); }
    // The user's own firmware image for the updates that follow. Empty when
    // it was taken; otherwise why not.
    virtual std::string UseImageFile(const std::string& /*path*/) {
        return "this program cannot update the programmer";
    }
};

// No update sequence: a programmer with other firmware is left as it is.
class NoFirmwareUpdate final : public FirmwareUpdatePort {
  public:
    bool Available() const override { return false; }
    FirmwareUpdateOutcome RunUpdate() override { return {}; }
};

}  // namespace karvo
