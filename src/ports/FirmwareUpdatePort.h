#pragma once

namespace karvo {

// The firmware-update window, shown modally after the programmer was told to
// start its bootloader; returns when the window has closed.
class FirmwareUpdatePort {
  public:
    virtual ~FirmwareUpdatePort() = default;
    virtual void RunUpdate() = 0;
};

// Until the update sequence exists the window closes at once.
class NoFirmwareUpdate final : public FirmwareUpdatePort {
  public:
    void RunUpdate() override {}
};

}  // namespace karvo
