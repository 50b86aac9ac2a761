#pragma once
#include "link/HidTransport.h"

namespace karvo {

// The machine's USB HID devices through hidapi (hidraw on Linux).
class HidapiBackend final : public HidBackend {
  public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    std::vector<HidDeviceInfo> Enumerate() override;
    std::unique_ptr<HidTransport> OpenPath(const std::string& path) override;

    // Only devices of this vendor are listed: nothing else can be ours, and
    // opening every HID device on the machine is slow and noisy.
    static constexpr std::uint16_t kVendorId = 0x04D8;

  private:
    bool initialised_ = false;
};

}  // namespace karvo
