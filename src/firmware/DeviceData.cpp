#include "firmware/DeviceData.h"

#include <algorithm>

#include <fmt/format.h>

namespace karvo {

int Device::BytesPerAddress(std::uint8_t type) const {
    switch (type) {
        case kProgramRegion:
            return programBytesPerAddress;
        case kEepromRegion:
            return eepromBytesPerAddress;
        case kConfigRegion:
            return configBytesPerAddress;
        default:
            return 1;
    }
}

void LoadRegions(const BootReply& query, Device& device) {
    device.regions.ranges.clear();
    device.family = query[2];
    device.payloadSize = query[1];
    const FamilyParameters family = ParametersOfFamily(device.family);
    device.programBytesPerWord = family.programBytesPerWord;
    device.programBytesPerAddress = family.programBytesPerAddress;
    device.configBytesPerWord = family.configBytesPerWord;
    device.configBytesPerAddress = family.configBytesPerAddress;
    device.eepromBytesPerWord = 1;
    device.eepromBytesPerAddress = 1;
    for (int i = 0; i < kRegionSlots; ++i) {
        const std::uint8_t* slot = &query[3 + 9 * static_cast<std::size_t>(i)];
        if (slot[0] == kRegionListEnd) {
            device.extended.supported = query[kExtendedMarkerByte] == kExtendedMarker;
            return;
        }
        const std::uint32_t size = std::min<std::uint32_t>(ReadLe32(slot + 5), 0x0FFFFFFF);
        if (slot[0] != kProgramRegion && slot[0] != kEepromRegion && slot[0] != kConfigRegion) {
            continue;
        }
        MemoryRange range;
        range.type = slot[0];
        range.start = ReadLe32(slot + 1);
        // A region that wraps past the top of the address space keeps an end
        // below its start, which CheckLayout refuses.
        range.end = range.start + size;
        range.bufferLength = size * static_cast<std::uint32_t>(device.BytesPerAddress(range.type));
        device.regions.ranges.push_back(std::move(range));
    }
}

void LoadExtendedInfo(const BootReply& extended, Device& device) {
    device.extended.bootloaderVersion = ReadLe16(&extended[1]);
    device.extended.signatureAddress = ReadLe32(&extended[5]);
    device.extended.signatureValue = ReadLe16(&extended[9]);
    device.extended.erasePageSize = ReadLe32(&extended[11]);
}

namespace {
const MemoryRange* ProgramRegionHolding(const Device& device, std::uint64_t first,
                                        std::uint64_t last) {
    for (const MemoryRange& range : device.regions.ranges) {
        if (range.type == kProgramRegion && range.start <= first && last < range.end) {
            return &range;
        }
    }
    return nullptr;
}
}  // namespace

std::string CheckLayout(const Device& device) {
    constexpr const char* kNothingErased = "; nothing was erased.";
    const int payload = device.payloadSize - device.payloadSize % device.programBytesPerWord;
    if (device.payloadSize < 1 || device.payloadSize > kMostPayload || payload <= 0 ||
        payload % device.programBytesPerAddress != 0) {
        return fmt::format(
            "The bootloader reports packets of {} data bytes, which cannot carry its {}-byte "
            "words{}",
            device.payloadSize, device.programBytesPerWord, kNothingErased);
    }
    const auto& ranges = device.regions.ranges;
    if (std::none_of(ranges.begin(), ranges.end(),
                     [](const MemoryRange& r) { return r.type == kProgramRegion; })) {
        return fmt::format("The bootloader reports no program memory{}", kNothingErased);
    }
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const MemoryRange& range = ranges[i];
        if (range.end < range.start) {
            return fmt::format(
                "The bootloader reports a region at 0x{:X} that runs past the end of the "
                "address space{}",
                range.start, kNothingErased);
        }
        if (range.bufferLength > kMostRegionBytes) {
            return fmt::format(
                "The bootloader reports a region of {} bytes at 0x{:X}, more than any "
                "programmer holds{}",
                range.bufferLength, range.start, kNothingErased);
        }
        for (std::size_t k = 0; k < i; ++k) {
            const MemoryRange& other = ranges[k];
            if (other.type == range.type && range.start < other.end && other.start < range.end) {
                return fmt::format(
                    "The bootloader reports overlapping regions at 0x{:X} and 0x{:X}{}",
                    other.start, range.start, kNothingErased);
            }
        }
    }
    // Only family 1 reads its signed page back; the page must be a real part
    // of program memory for that.
    const ExtendedInfo& ext = device.extended;
    if (device.family == 1 && ext.supported) {
        if (ProgramRegionHolding(device, ext.signatureAddress,
                                 std::uint64_t{ext.signatureAddress} + 1) == nullptr) {
            return fmt::format(
                "The bootloader reports its signature at 0x{:X}, outside its program memory{}",
                ext.signatureAddress, kNothingErased);
        }
        const std::uint32_t page = ext.erasePageSize;
        const bool fits =
            page >= 1 && page <= kMostErasePage &&
            ProgramRegionHolding(device, ext.signatureAddress - ext.signatureAddress % page,
                                 ext.signatureAddress - ext.signatureAddress % page +
                                     std::uint64_t{page} - 1) != nullptr;
        if (!fits) {
            return fmt::format(
                "The bootloader reports an erase page of {} bytes, which does not fit its "
                "program memory{}",
                page, kNothingErased);
        }
    }
    return {};
}

void AllocateRegions(Device& device) {
    for (MemoryRange& range : device.regions.ranges) range.buffer.assign(range.bufferLength, 0xFF);
}

DeviceData PrepareImageRegions(const Device& device) {
    DeviceData image;
    for (const MemoryRange& range : device.regions.ranges) {
        MemoryRange copy;
        copy.type = range.type;
        copy.start = range.start;
        copy.end = range.end;
        copy.bufferLength = range.bufferLength;
        copy.buffer.assign(range.bufferLength, 0xFF);
        image.ranges.push_back(std::move(copy));
    }
    return image;
}

std::optional<Translation> TranslateAddress(std::uint64_t imageAddress, const Device& device,
                                            const DeviceData& imageRegions) {
    for (std::size_t i = 0; i < imageRegions.ranges.size(); ++i) {
        const MemoryRange& range = imageRegions.ranges[i];
        const auto perAddress = static_cast<unsigned>(device.BytesPerAddress(range.type));
        const std::uint64_t address = imageAddress / perAddress;
        if (address < range.start || address >= range.end) continue;
        Translation where{i, std::nullopt};
        if (range.start != 0) {
            where.position = static_cast<std::uint32_t>((address - range.start) * perAddress +
                                                        imageAddress % perAddress);
        }
        return where;
    }
    return std::nullopt;
}

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The byte at characters at and at + 1; nullopt when they are no hex digits.
std::optional<std::uint8_t> HexByte(const std::string& line, std::size_t at) {
    const int high = HexDigit(line[at]);
    const int low = HexDigit(line[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<std::uint8_t>(high << 4 | low);
}

std::string Complemented(const std::string& stored) {
    std::string line(stored.size(), '\0');
    std::transform(stored.begin(), stored.end(), line.begin(),
                   [](char c) { return static_cast<char>(~static_cast<unsigned char>(c)); });
    return line;
}
}  // namespace

int ImportImage(const std::vector<std::string>& storedLines, const Device& device,
                DeviceData& imageRegions, ImportStats* stats) {
    ImportStats counted;
    std::uint64_t base = 0;
    bool stored = false;
    for (const std::string& storedLine : storedLines) {
        const std::string line = Complemented(storedLine);
        if (line.size() <= 10 || line[0] != ':') return kMalformedRecord;
        const auto length = HexByte(line, 1);
        if (!length) return kMalformedRecord;
        // The record must be complete before any of it is read: its data and
        // its checksum byte.
        const std::size_t recordChars = 2 * std::size_t{*length} + 11;
        if (line.size() < recordChars) return kMalformedRecord;
        std::vector<std::uint8_t> bytes;  // length, address, type, data, checksum
        for (std::size_t at = 1; at + 1 < recordChars; at += 2) {
            const auto byte = HexByte(line, at);
            if (!byte) return kMalformedRecord;
            bytes.push_back(*byte);
        }
        std::uint8_t sum = 0;
        for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
        if (sum != 0) return kMalformedRecord;
        const std::uint32_t field = static_cast<std::uint32_t>(bytes[1] << 8 | bytes[2]);
        const std::uint8_t type = bytes[3];
        const std::uint8_t* data = bytes.data() + 4;
        if (type == 1) break;
        if (type == 2 || type == 4) {
            // An address record carries exactly one 16-bit value.
            if (*length != 2) return kMalformedRecord;
            const std::uint64_t value = static_cast<std::uint64_t>(data[0] << 8 | data[1]);
            base = type == 2 ? value * 16 : value * 65536;
            continue;
        }
        if (type != 0) continue;
        for (std::uint32_t j = 0; j < *length; ++j) {
            const std::uint64_t address = base + field + j;
            const auto where = TranslateAddress(address, device, imageRegions);
            if (!where) {
                if (counted.outside++ == 0) counted.firstOutside = address;
                continue;
            }
            if (!where->position) {
                if (stats) *stats = counted;
                return kNoBufferPosition;
            }
            MemoryRange& range = imageRegions.ranges[where->region];
            range.buffer[*where->position] = data[j];
            stored = true;
            ++counted.stored;
            if (range.type == kProgramRegion) ++counted.storedInProgram;
        }
    }
    if (stats) *stats = counted;
    return stored ? kImported : kNothingInRange;
}

std::string ImportFailureText(int result) {
    switch (result) {
        case kNothingInRange:
            return "No address within range in file.  Verify the correct firmware image was "
                   "specified and is designed for your device.";
        case kMalformedRecord:
            return "Error in hex file.  Please make sure the firmware image supplied was designed "
                   "for the device to be programmed.";
        case kNoBufferPosition:
            return "Memory allocation failed.  Please close other applications to free up system "
                   "RAM and try again.";
        default:
            return {};
    }
}

}  // namespace karvo
