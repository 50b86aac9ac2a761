#include "link/HidapiBackend.h"

#include <hidapi.h>

namespace karvo {

namespace {
class HidapiTransport final : public HidTransport {
  public:
    explicit HidapiTransport(hid_device* device) : device_(device) {}
    ~HidapiTransport() override { hid_close(device_); }
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    bool Write(const Report& report) override {
        return hid_write(device_, report.data(), report.size()) == static_cast<int>(report.size());
    }

    ReadStatus Read(Report& report, int timeoutMs) override {
        // hidapi hands back the payload without the report ID of a device that
        // uses none, which is what our programmer does.
        const int got = hid_read_timeout(device_, report.data() + 1, kPayloadSize, timeoutMs);
        report[0] = 0;
        if (got < 0) return ReadStatus::Failed;
        if (got == 0) return ReadStatus::TimedOut;
        return ReadStatus::Ok;
    }

  private:
    hid_device* device_;
};
}  // namespace

HidapiBackend::HidapiBackend() {
    initialised_ = hid_init() == 0;
}

HidapiBackend::~HidapiBackend() {
    if (initialised_) hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
    std::vector<HidDeviceInfo> devices;
    if (!initialised_) return devices;
    hid_device_info* list = hid_enumerate(kVendorId, 0);
    for (hid_device_info* it = list; it != nullptr; it = it->next) {
        devices.push_back(
            {it->path ? it->path : "", it->vendor_id, it->product_id, it->release_number});
    }
    hid_free_enumeration(list);
    return devices;
}

std::unique_ptr<HidTransport> HidapiBackend::OpenPath(const std::string& path) {
    if (!initialised_) return nullptr;
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) return nullptr;
    return std::make_unique<HidapiTransport>(device);
}

}  // namespace karvo
