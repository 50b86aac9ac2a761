#include "virtual/VirtualProgrammer.h"

#include <algorithm>

namespace karvo {

namespace {
constexpr const char* kFirmwarePath = "virtual:karvo-mk2";
constexpr const char* kBootloaderPath = "virtual:karvo-mk2-bootloader";

class VirtualTransport final : public HidTransport {
  public:
    VirtualTransport(VirtualProgrammer& programmer, std::string path)
        : programmer_(programmer), path_(std::move(path)) {}
    bool Write(const Report& report) override { return programmer_.HostWrite(path_, report); }
    ReadStatus Read(Report& report, int timeoutMs) override {
        return programmer_.HostRead(path_, report, timeoutMs);
    }
    WriteStatus WriteWithin(const Report& report, int timeoutMs) override {
        return programmer_.HostWriteWithin(path_, report, timeoutMs);
    }

  private:
    VirtualProgrammer& programmer_;
    std::string path_;
};
}  // namespace

VirtualProgrammer::VirtualProgrammer(VirtualSettings settings, Clock& clock)
    : settings_(std::move(settings)),
      clock_(clock),
      firmware_(settings_, *this),
      bootloader_(settings_.bootloader, settings_.firmwareMajor, settings_.firmwareMinor) {
    for (const std::string& command : settings_.muted) faults_.Mute(command);
    if (settings_.bootloader.startInBootloader) mode_ = Mode::Bootloader;
}

VirtualProgrammer::Mode VirtualProgrammer::CurrentMode() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

VirtualSettings VirtualProgrammer::Settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

std::string VirtualProgrammer::PathLocked() const {
    const std::string again = generation_ == 0 ? "" : "#" + std::to_string(generation_);
    switch (mode_) {
        case Mode::NormalFirmware:
            return kFirmwarePath + again;
        case Mode::Bootloader:
            return kBootloaderPath + again;
        case Mode::Unplugged:
            break;
    }
    return {};
}

std::vector<HidDeviceInfo> VirtualProgrammer::Enumerate() const {
    std::lock_guard lock(mutex_);
    if (mode_ == Mode::Unplugged) return {};
    const std::uint16_t product =
        mode_ == Mode::NormalFirmware ? kFirmwareProductId : kBootloaderProductId;
    return {{PathLocked(), kVendorId, product, 0x0100}};
}

bool VirtualProgrammer::HostWrite(const std::string& path, const Report& report) {
    return HostWriteWithin(path, report, 0) == WriteStatus::Ok;
}

WriteStatus VirtualProgrammer::HostWriteWithin(const std::string& path, const Report& report,
                                               int timeoutMs) {
    {
        std::lock_guard lock(mutex_);
        if (path != PathLocked()) return WriteStatus::Failed;
        if (mode_ != Mode::Bootloader || !bootloader_.Stalled()) {
            PaceLocked();
            Payload payload;
            std::copy(report.begin() + 1, report.end(), payload.begin());
            if (mode_ == Mode::Bootloader) {
                return bootloader_.Handle(payload, clock_.NowMs(), *this) ? WriteStatus::Ok
                                                                          : WriteStatus::Failed;
            }
            // A data block of a write is no command, whatever its first bytes.
            const auto verdict =
                firmware_.Writing() ? FaultInjector::Verdict::Pass : faults_.OnCommand(payload);
            if (verdict == FaultInjector::Verdict::Pass) firmware_.Handle(payload);
            if (verdict == FaultInjector::Verdict::Refuse) Reply(FaultInjector::RefusalReply(), {});
            return WriteStatus::Ok;
        }
    }
    // A stalled bootloader takes nothing: the write waits and gives up.
    clock_.SleepMs(timeoutMs);
    return WriteStatus::TimedOut;
}

ReadStatus VirtualProgrammer::HostRead(const std::string& path, Report& report, int timeoutMs) {
    int left = timeoutMs;
    for (;;) {
        int wait = left;
        {
            std::lock_guard lock(mutex_);
            if (path != PathLocked()) return ReadStatus::Failed;
            if (!toHost_.empty() && !faults_.Stalled()) {
                const std::int64_t now = clock_.NowMs();
                if (toHost_.front().readyAtMs <= now) {
                    ToHost next = toHost_.front();
                    toHost_.pop_front();
                    Payload payload;
                    std::copy(next.report.begin() + 1, next.report.end(), payload.begin());
                    faults_.OnDeliver(payload, next.tag);
                    report = next.report;
                    std::copy(payload.begin(), payload.end(), report.begin() + 1);
                    PaceLocked();
                    return ReadStatus::Ok;
                }
                // A bootloader still erasing answers once it is done.
                wait =
                    static_cast<int>(std::min<std::int64_t>(left, toHost_.front().readyAtMs - now));
            }
        }
        // Otherwise nothing will arrive: the emulated device answers
        // synchronously, so an empty queue means a silent programmer. Spend
        // the wait the host asked for.
        clock_.SleepMs(wait);
        left -= wait;
        if (left <= 0) return ReadStatus::TimedOut;
    }
}

void VirtualProgrammer::PaceLocked() {
    if (!settings_.paced) return;
    const std::int64_t now = clock_.NowMs();
    // A host that fell behind has lost those frames; it does not get a burst.
    const std::int64_t slot = std::max(now + (nextSlotMs_ ? 0 : 1), nextSlotMs_.value_or(0));
    if (slot > now) clock_.SleepMs(static_cast<int>(slot - now));
    nextSlotMs_ = slot + 1;
}

void VirtualProgrammer::Unplug() {
    std::lock_guard lock(mutex_);
    mode_ = Mode::Unplugged;
    toHost_.clear();
}

void VirtualProgrammer::Refuse(const std::string& command) {
    std::lock_guard lock(mutex_);
    faults_.Refuse(command);
}

void VirtualProgrammer::Corrupt(char area, std::uint32_t offset) {
    std::lock_guard lock(mutex_);
    faults_.Corrupt(area, offset);
}

void VirtualProgrammer::StallAfter(int reports) {
    std::lock_guard lock(mutex_);
    faults_.StallAfter(reports);
}

void VirtualProgrammer::ChipSelected(const DeviceRecord& chip) {
    std::lock_guard lock(mutex_);
    selected_ = chip;
}

void VirtualProgrammer::LearnChipTypes(ChipTypes types) {
    std::lock_guard lock(mutex_);
    chipTypes_ = std::move(types);
}

bool VirtualProgrammer::ShapeSocket(const Payload& block) {
    // The chip the user put in the socket, when the block fits it; else the
    // first chip type the block names.
    const bool selectedFits = selected_ && ChipTypes::Fits(*selected_, block.data());
    auto chip = ShapeChip(block.data(), selectedFits ? selected_ : chipTypes_.Find(block.data()));
    if (!chip) return false;
    socket_ = std::move(chip);
    return true;
}

void VirtualProgrammer::RestartFirmware(int major, int minor) {
    std::lock_guard lock(mutex_);
    BootStartFirmware(major, minor);
}

void VirtualProgrammer::BootStartFirmware(int major, int minor) {
    mode_ = Mode::NormalFirmware;
    settings_.firmwareMajor = major;
    settings_.firmwareMinor = minor;
    toHost_.clear();
    ++generation_;
}

void VirtualProgrammer::BootRestart() {
    mode_ = Mode::Bootloader;
    toHost_.clear();
    ++generation_;
}

void VirtualProgrammer::BootUnplug() {
    mode_ = Mode::Unplugged;
    toHost_.clear();
}

void VirtualProgrammer::BootReply(const Payload& payload, std::int64_t readyAtMs) {
    Report report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    toHost_.push_back({report, std::nullopt, readyAtMs});
}

void VirtualProgrammer::Reply(const Payload& payload, std::optional<StreamTag> tag) {
    Report report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    toHost_.push_back({report, tag, 0});
}

void VirtualProgrammer::EnterBootloader() {
    BootRestart();
}

std::unique_ptr<HidTransport> VirtualBackend::OpenPath(const std::string& path) {
    const auto devices = programmer_.Enumerate();
    const bool present = std::any_of(devices.begin(), devices.end(),
                                     [&](const HidDeviceInfo& d) { return d.path == path; });
    if (!present) return nullptr;
    return std::make_unique<VirtualTransport>(programmer_, path);
}

}  // namespace karvo
