#include "virtual/VirtualBootloader.h"

#include <algorithm>

namespace karvo {

namespace {
// The bootloader's own commands and reply layout, decoded here without the
// program's code.
constexpr std::uint8_t kQuery = 0x02;
constexpr std::uint8_t kErase = 0x04;
constexpr std::uint8_t kProgram = 0x05;
constexpr std::uint8_t kComplete = 0x06;
constexpr std::uint8_t kGetData = 0x07;
constexpr std::uint8_t kReset = 0x08;
constexpr std::uint8_t kSign = 0x09;
constexpr std::uint8_t kExtended = 0x0C;
constexpr int kMostData = 58;

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
           static_cast<std::uint32_t>(p[3]) << 24;
}
void PutLe(std::uint8_t* p, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Bytes per address of program and configuration memory by family code.
std::pair<int, int> Widths(int family) {
    if (family == 2) return {2, 2};
    if (family == 4) return {2, 1};
    return {1, 1};
}
}  // namespace

VirtualBootloader::VirtualBootloader(const BootloaderSettings& settings, int firmwareMajor,
                                     int firmwareMinor)
    : settings_(settings), family_(settings.family) {
    const auto [programWidth, configWidth] = Widths(family_);
    programBytesPerAddress_ = programWidth;
    auto add = [this](std::uint8_t type, std::uint32_t firstByte, std::uint32_t bytes, int width,
                      bool backed) {
        Region region;
        region.type = type;
        region.start = firstByte / static_cast<std::uint32_t>(width);
        region.size = bytes / static_cast<std::uint32_t>(width);
        region.bytesPerAddress = width;
        if (backed)
            region.flash.assign(std::size_t{region.size} * static_cast<unsigned>(width), 0xFF);
        regions_.push_back(std::move(region));
    };
    using Layout = BootloaderSettings::Layout;
    if (settings_.layout == Layout::AtZero) {
        add(1, 0, kProgramFirstByte + kProgramBytes, programWidth, true);
    } else {
        add(1, kProgramFirstByte, kProgramBytes, programWidth, true);
    }
    if (settings_.layout == Layout::Wrapping) {
        regions_.push_back({1, 0xFFFFF000, 0x2000, programWidth, {}});
    } else if (settings_.layout == Layout::Huge) {
        regions_.push_back({1, 0x10000000, 0x0FFFFFFF, programWidth, {}});
    }
    add(3, 0x300000, 14, configWidth, true);
    add(2, 0xF00000, 256, 1, true);

    // The firmware the programmer came with: its version tag, and signed.
    Region& program = regions_.front();
    const std::uint32_t tagAt =
        (kProgramFirstByte - program.start * static_cast<unsigned>(programWidth)) +
        kVersionTagOffset;
    const auto major = static_cast<std::uint8_t>(firmwareMajor);
    const auto minor = static_cast<std::uint8_t>(firmwareMinor);
    const std::uint8_t tag[] = {'K', 'F', 'W', 0, major, minor, 0x5A};
    std::copy(std::begin(tag), std::end(tag), program.flash.begin() + tagAt);
    if (settings_.extendedInfo) {
        const std::size_t at =
            std::size_t{SignatureAddress() - program.start} * static_cast<unsigned>(programWidth);
        program.flash[at] = static_cast<std::uint8_t>(settings_.signatureValue);
        program.flash[at + 1] = static_cast<std::uint8_t>(settings_.signatureValue >> 8);
    }
}

std::uint32_t VirtualBootloader::SignatureAddress() const {
    return kSignatureByte / static_cast<std::uint32_t>(programBytesPerAddress_);
}

VirtualBootloader::Region* VirtualBootloader::RegionAt(std::uint8_t type, std::uint64_t address) {
    for (Region& region : regions_) {
        if (region.type == type && !region.flash.empty() && address >= region.start &&
            address < std::uint64_t{region.start} + region.size) {
            return &region;
        }
    }
    return nullptr;
}

const VirtualBootloader::Region* VirtualBootloader::RegionAt(std::uint8_t type,
                                                             std::uint64_t address) const {
    return const_cast<VirtualBootloader*>(this)->RegionAt(type, address);
}

std::optional<std::uint8_t> VirtualBootloader::ProgramByte(std::uint32_t imageAddress) const {
    const auto width = static_cast<unsigned>(programBytesPerAddress_);
    const Region* region = RegionAt(1, imageAddress / width);
    if (region == nullptr) return std::nullopt;
    const std::size_t position =
        (imageAddress / width - region->start) * width + imageAddress % width;
    return IsPhantom(position) ? std::uint8_t{0} : region->flash[position];
}

std::uint8_t VirtualBootloader::Echo(std::uint8_t command) const {
    return settings_.wrongEcho == command ? static_cast<std::uint8_t>(command ^ 0x40) : command;
}

bool VirtualBootloader::Trips(BootStage stage, BootloaderHost& host) {
    if (!settings_.fault || settings_.fault->stage != stage) return false;
    if (stage == BootStage::Program && programPackets_ != settings_.fault->afterPackets)
        return false;
    if (settings_.fault->unplug) {
        host.BootUnplug();
    } else {
        stalled_ = true;
    }
    return true;
}

bool VirtualBootloader::Handle(const Payload& payload, std::int64_t nowMs, BootloaderHost& host) {
    if (stalled_) return true;
    const std::uint8_t command = payload[0];
    std::optional<BootStage> stage;
    switch (command) {
        case kQuery:
            if (!queried_) stage = BootStage::Query;
            queried_ = true;
            break;
        case kErase:
            stage = BootStage::Erase;
            break;
        case kProgram:
            stage = BootStage::Program;
            break;
        case kComplete:
            if (!completed_) stage = BootStage::Complete;
            completed_ = true;
            break;
        case kGetData:
            if (!readBack_) stage = BootStage::ReadBack;
            readBack_ = true;
            break;
        case kSign:
            stage = BootStage::Sign;
            break;
        case kReset:
            stage = BootStage::Reset;
            break;
        default:
            break;
    }
    // A cut cable fails the write that meets it; a stalled device took it
    // and does nothing more.
    if (stage && Trips(*stage, host)) return !settings_.fault->unplug;

    switch (command) {
        case kQuery:
            if (muteNextQuery_) {
                muteNextQuery_ = false;
                break;
            }
            Query(nowMs, host);
            break;
        case kErase:
            ++erases_;
            pending_.clear();
            for (Region& region : regions_) {
                if (region.type == 1) std::fill(region.flash.begin(), region.flash.end(), 0xFF);
            }
            eraseDoneAtMs_ = nowMs + settings_.eraseMs;
            break;
        case kProgram:
            Program(payload);
            ++programPackets_;
            break;
        case kComplete:
            Complete();
            break;
        case kGetData:
            GetData(payload, nowMs, host);
            break;
        case kSign:
            Sign();
            break;
        case kReset:
            Reset(host);
            break;
        case kExtended:
            if (settings_.extendedInfo) ExtendedInfo(nowMs, host);
            break;
        default:
            // Unknown commands are ignored, as the bootloader does.
            break;
    }
    return true;
}

void VirtualBootloader::Query(std::int64_t nowMs, BootloaderHost& host) {
    Payload reply{};
    reply[0] = Echo(kQuery);
    reply[1] = static_cast<std::uint8_t>(settings_.payload);
    reply[2] = static_cast<std::uint8_t>(family_);
    std::size_t slot = 0;
    for (const Region& region : regions_) {
        std::uint8_t* at = &reply[3 + 9 * slot];
        at[0] = region.type;
        PutLe(at + 1, region.start, 4);
        PutLe(at + 5, region.size, 4);
        ++slot;
    }
    if (slot < 6) reply[3 + 9 * slot] = 0xFF;
    if (settings_.extendedInfo) reply[57] = 0xA5;
    // While an erase runs the bootloader answers nothing.
    host.BootReply(reply, std::max(nowMs, eraseDoneAtMs_));
}

void VirtualBootloader::ExtendedInfo(std::int64_t nowMs, BootloaderHost& host) {
    Payload reply{};
    reply[0] = Echo(kExtended);
    PutLe(&reply[1], 0x0102, 2);
    PutLe(&reply[5], SignatureAddress(), 4);
    PutLe(&reply[9], settings_.signatureValue, 2);
    PutLe(&reply[11], settings_.erasePageSize, 4);
    host.BootReply(reply, std::max(nowMs, eraseDoneAtMs_));
}

void VirtualBootloader::Program(const Payload& payload) {
    const int length = payload[5];
    if (length == 0 || length > kMostData) return;
    const std::uint64_t firstByte =
        std::uint64_t{Le32(&payload[1])} * static_cast<unsigned>(programBytesPerAddress_);
    // Data that does not continue the run in hand would be written in the
    // wrong place by the real part: here it is lost, which a verify notices.
    if (!pending_.empty() && firstByte != pendingFirstByte_ + pending_.size()) pending_.clear();
    if (pending_.empty()) pendingFirstByte_ = firstByte;
    pending_.insert(pending_.end(), payload.end() - length, payload.end());
}

void VirtualBootloader::Complete() {
    ProgramBytes(pendingFirstByte_, pending_);
    pending_.clear();
}

void VirtualBootloader::ProgramBytes(std::uint64_t firstByte,
                                     const std::vector<std::uint8_t>& bytes) {
    const auto width = static_cast<unsigned>(programBytesPerAddress_);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint64_t byteAddress = firstByte + i;
        Region* region = RegionAt(1, byteAddress / width);
        if (region == nullptr) continue;
        const std::size_t position =
            (byteAddress / width - region->start) * width + byteAddress % width;
        // Flash programming only clears bits.
        if (!IsPhantom(position)) region->flash[position] &= bytes[i];
    }
}

void VirtualBootloader::GetData(const Payload& payload, std::int64_t nowMs, BootloaderHost& host) {
    const std::uint32_t address = Le32(&payload[1]);
    const int length = std::min<int>(payload[5], kMostData);
    Payload reply{};
    reply[0] = Echo(kGetData);
    PutLe(&reply[1], address, 4);
    reply[5] = static_cast<std::uint8_t>(length);
    const std::uint64_t firstByte =
        std::uint64_t{address} * static_cast<unsigned>(programBytesPerAddress_);
    for (int i = 0; i < length; ++i) {
        const std::uint64_t byteAddress = firstByte + static_cast<unsigned>(i);
        std::uint8_t value = 0xFF;
        if (byteAddress <= 0xFFFFFFFF) {
            value = ProgramByte(static_cast<std::uint32_t>(byteAddress)).value_or(0xFF);
        }
        if (settings_.flip && *settings_.flip == byteAddress)
            value = static_cast<std::uint8_t>(~value);
        reply[kPayloadSize - static_cast<std::size_t>(length) + static_cast<std::size_t>(i)] =
            value;
    }
    host.BootReply(reply, nowMs);
}

void VirtualBootloader::Sign() {
    using Sign = BootloaderSettings::Sign;
    if (!settings_.extendedInfo) return;
    if (settings_.sign == Sign::Silent) muteNextQuery_ = true;
    if (settings_.sign == Sign::Ignore || settings_.sign == Sign::Silent) return;
    std::uint16_t value = settings_.signatureValue;
    if (settings_.sign == Sign::Wrong) value = static_cast<std::uint16_t>(value ^ 0xFFFF);
    const std::uint64_t firstByte =
        std::uint64_t{SignatureAddress()} * static_cast<unsigned>(programBytesPerAddress_);
    ProgramBytes(firstByte,
                 {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

std::optional<std::pair<int, int>> VirtualBootloader::StartableFirmware() const {
    const Region* program = RegionAt(1, regions_.front().start);
    if (program == nullptr) return std::nullopt;
    const auto width = static_cast<unsigned>(programBytesPerAddress_);
    if (settings_.extendedInfo) {
        const std::uint64_t firstByte = std::uint64_t{SignatureAddress()} * width;
        const auto low = ProgramByte(static_cast<std::uint32_t>(firstByte));
        const auto high = ProgramByte(static_cast<std::uint32_t>(firstByte + 1));
        if (low != static_cast<std::uint8_t>(settings_.signatureValue) ||
            high != static_cast<std::uint8_t>(settings_.signatureValue >> 8)) {
            return std::nullopt;
        }
    } else if (std::all_of(program->flash.begin(), program->flash.end(),
                           [](std::uint8_t b) { return b == 0xFF; })) {
        return std::nullopt;
    }
    const std::uint32_t tagAt = kProgramFirstByte + kVersionTagOffset;
    auto at = [&](std::uint32_t i) { return ProgramByte(tagAt + i).value_or(0xFF); };
    if (at(0) == 'K' && at(1) == 'F' && at(2) == 'W' && at(6) == 0x5A)
        return std::pair{at(4), at(5)};
    return std::pair{0, 0};
}

void VirtualBootloader::Reset(BootloaderHost& host) {
    pending_.clear();
    if (const auto firmware = StartableFirmware()) {
        host.BootStartFirmware(firmware->first, firmware->second);
    } else {
        host.BootRestart();
    }
}

}  // namespace karvo
