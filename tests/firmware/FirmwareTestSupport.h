#pragma once
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "firmware/Comm.h"
#include "firmware/FirmwareImage.h"
#include "firmware/UpdateSequence.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo::test {

// What the update window would show, kept as the sequence writes it.
struct RecordingDisplay final : UpdateDisplay {
    std::vector<std::string> lines;
    std::vector<int> progress;
    int clears = 0;
    void ClearDisplay() override {
        lines.clear();
        ++clears;
    }
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    void SetProgress(int percent) override { progress.push_back(percent); }
    bool Has(const std::string& line) const {
        for (const auto& l : lines) {
            if (l == line) return true;
        }
        return false;
    }
    bool HasStart(const std::string& start) const {
        for (const auto& l : lines) {
            if (l.rfind(start, 0) == 0) return true;
        }
        return false;
    }
};

// A bootloader that answers from a script, with the packets it was sent.
// Time passes only on the clock it is given, as a real read's wait would.
struct ScriptedBootloader {
    std::vector<BootPacket> sent;
    std::deque<BootReply> replies;
    bool failWrites = false;
    bool stallWrites = false;
    bool timeless = false;  // time-outs that let no time pass
    int opened = 0;
};

class ScriptedTransport final : public HidTransport {
  public:
    ScriptedTransport(ScriptedBootloader& device, Clock& clock) : d_(device), clock_(clock) {}
    bool Write(const Report& r) override { return WriteWithin(r, 0) == WriteStatus::Ok; }
    WriteStatus WriteWithin(const Report& r, int timeoutMs) override {
        if (d_.failWrites) return WriteStatus::Failed;
        if (d_.stallWrites) {
            if (!d_.timeless) clock_.SleepMs(timeoutMs);
            return WriteStatus::TimedOut;
        }
        d_.sent.push_back(r);
        return WriteStatus::Ok;
    }
    ReadStatus Read(Report& r, int timeoutMs) override {
        if (d_.replies.empty()) {
            if (!d_.timeless) clock_.SleepMs(timeoutMs);
            return ReadStatus::TimedOut;
        }
        r.fill(0);
        std::copy(d_.replies.front().begin(), d_.replies.front().end() - 1, r.begin() + 1);
        d_.replies.pop_front();
        return ReadStatus::Ok;
    }

  private:
    ScriptedBootloader& d_;
    Clock& clock_;
};

// A USB with one bootloader on it; emulated or (the default) not.
class ScriptedUsb final : public HidBackend {
  public:
    ScriptedUsb(ScriptedBootloader& device, Clock& clock) : d_(device), clock_(clock) {}
    std::vector<HidDeviceInfo> devices{{"boot", kBootloaderVendorId, kBootloaderProductId, 1}};
    bool openable = true;
    bool emulated = false;
    std::vector<HidDeviceInfo> Enumerate() override { return devices; }
    std::unique_ptr<HidTransport> OpenPath(const std::string&) override {
        if (!openable) return nullptr;
        ++d_.opened;
        return std::make_unique<ScriptedTransport>(d_, clock_);
    }
    bool Emulated() const override { return emulated; }

  private:
    ScriptedBootloader& d_;
    Clock& clock_;
};

// The virtual programmer waiting in its bootloader, and a Comm to it.
struct BootBench {
    explicit BootBench(BootloaderSettings boot = {})
        : programmer(Settings(boot), clock), usb(programmer) {}
    static VirtualSettings Settings(BootloaderSettings boot) {
        VirtualSettings settings;
        settings.firmwareMinor = 2;
        boot.startInBootloader = true;
        settings.bootloader = boot;
        return settings;
    }
    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
};

// An image made of Intel HEX lines given in clear.
inline FirmwareImage ImageOf(const std::vector<std::string>& lines) {
    FirmwareImage image;
    for (const std::string& line : lines) {
        std::string stored;
        for (char c : line) stored.push_back(static_cast<char>(~static_cast<unsigned char>(c)));
        image.storedLines.push_back(stored);
    }
    return image;
}

// The data bytes of an image's records, by image address: read here with
// sscanf, apart from the program's own import.
inline std::vector<std::pair<std::uint32_t, std::uint8_t>> ImageBytes(const FirmwareImage& image) {
    std::vector<std::pair<std::uint32_t, std::uint8_t>> bytes;
    std::uint32_t upper = 0;
    for (const std::string& stored : image.storedLines) {
        std::string line;
        for (char c : stored) line.push_back(static_cast<char>(~static_cast<unsigned char>(c)));
        unsigned length = 0, address = 0, type = 0;
        if (std::sscanf(line.c_str(), ":%2x%4x%2x", &length, &address, &type) != 3) continue;
        if (type == 4) {
            unsigned value = 0;
            std::sscanf(line.c_str() + 9, "%4x", &value);
            upper = value << 16;
        }
        if (type != 0) continue;
        for (unsigned j = 0; j < length; ++j) {
            unsigned value = 0;
            std::sscanf(line.c_str() + 9 + 2 * j, "%2x", &value);
            bytes.emplace_back(upper + address + j, static_cast<std::uint8_t>(value));
        }
    }
    return bytes;
}

}  // namespace karvo::test
