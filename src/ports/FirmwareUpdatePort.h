#pragma once

namespace karvo {

// The firmware-update window, shown modally after the programmer was told to
// start its bootloader; returns when the window has closed.
class FirmwareUpdatePort {
  public:
    virtual ~FirmwareUpdatePort() = default;
    // False when this build cannot update the programmer: then it must never
    // be sent into its bootloader, where nothing would bring it back.
    virtual bool Available() const = 0;
    virtual void RunUpdate() = 0;
};

// No update sequence: a programmer with other firmware is left as it is.
class NoFirmwareUpdate final : public FirmwareUpdatePort {
  public:
    bool Available() const override { return false; }
    void RunUpdate() override {}
};

}  // namespace karvo
