#include "buffer/MemoryBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "buffer/formats/JedecFuseMap.h"
#include "catalogue/ChipFacts.h"

namespace karvo {

namespace {
// The PIC18 layout's default configuration bytes follow a fill.
constexpr std::uint32_t kDefaultConfigBytes = 14;

std::uint32_t LastAddr(const DeviceRecord& d) {
    return static_cast<std::uint32_t>(d.LastAddr());
}
}  // namespace

void MemoryBuffer::Reallocate(std::uint32_t size) {
    if (storage_ && size == Allocated) {
        std::memset(storage_.get(), 0, size);
    } else {
        // Release first: the old image is never needed again, and two 2 MiB
        // blocks at once would be wasteful.
        storage_.reset();
        storage_.reset(static_cast<std::uint8_t*>(std::calloc(size == 0 ? 1 : size, 1)));
        if (!storage_) throw std::bad_alloc();
    }
    Allocated = Available = size;
    Cursor = LoadPointer = HighestLoaded = LowestLoaded = 0;
}

void MemoryBuffer::CopyFrom(const MemoryBuffer& other) {
    Reallocate(other.Allocated);
    if (other.Allocated != 0) std::memcpy(storage_.get(), other.storage_.get(), other.Allocated);
    Available = other.Available;
    ChecksumCount = other.ChecksumCount;
    ChecksumTotal = other.ChecksumTotal;
}

void MemoryBuffer::AllocateForStartup() {
    Reallocate(kStartupSize);
}

std::uint32_t MemoryBuffer::ActivationSize(const DeviceRecord& d) {
    if (IsExtendedPicLayout(d)) return 0x100000;
    if (IsMicrocontroller(d.Family())) return (LastAddr(d) | 0x1FFFF) + 1;
    const std::uint32_t size = (LastAddr(d) | 0xFFFF) + 1;
    return d.Family() == Family::WordEprom ? 2 * size : size;
}

void MemoryBuffer::AllocateForDevice(const DeviceRecord& device) {
    Reallocate(ActivationSize(device));
    ChecksumCount = LastAddr(device) + 1;
}

std::uint32_t MemoryBuffer::LoadSize(const DeviceRecord& d) {
    std::uint32_t size = 0;
    if (d.Family() == Family::Micro) {
        if (IsSstDualBlock(d)) {
            size = (LastAddr(d) | 0xFFFF) + micro::kSecondBlockBytes + 1;
        } else if (LoadCoversData(d)) {
            size =
                d.EepromSize() + LastAddr(d) + 1 + (CarriesUserRow(d) ? micro::kUserRowBytes : 0);
        } else {
            size = 0x10000;
        }
    } else if (IsExtendedPicLayout(d)) {
        size = 0x100000;
    } else if (IsEnhancedPicLayout(d)) {
        size = 0x20000;
    } else {
        size = (LastAddr(d) | 0x1FFFF) + 1;
    }
    // Never smaller than the device itself, or a load could write past the end.
    std::uint32_t extent = LastAddr(d) + 1;
    if (d.Family() == Family::Micro) extent += d.EepromSize();
    if (IsExtendedPicLayout(d)) extent = std::max<std::uint32_t>(extent, 0x100000);
    return std::max(size, extent);
}

void MemoryBuffer::AllocateForLoad(const DeviceRecord& device) {
    Reallocate(LoadSize(device));
    if (device.Family() == Family::BipolarProm)
        Available = std::min(Allocated, LastAddr(device) + 1);
}

void MemoryBuffer::FillPattern(std::uint16_t value, bool wordPairs) {
    std::uint8_t* b = storage_.get();
    if (!wordPairs) {
        std::memset(b, value & 0xFF, Available);
        return;
    }
    // One pair, then the filled part copied onto what follows it, doubling:
    // as fast as memset, an odd size cutting the last pair.
    const std::uint8_t pair[2] = {static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value & 0xFF)};
    std::uint32_t filled = std::min<std::uint32_t>(2, Available);
    std::memcpy(b, pair, filled);
    while (filled < Available) {
        const std::uint32_t n = std::min(filled, Available - filled);
        std::memcpy(b + filled, b, n);
        filled += n;
    }
}

void MemoryBuffer::CopyDefaultConfiguration(const DeviceRecord& device) {
    if (!IsExtendedPicLayout(device)) return;
    const std::uint32_t config = PicAreasFor(device).configOffset;
    if (Allocated < config + kDefaultConfigBytes) return;
    for (std::uint32_t i = 0; i < kDefaultConfigBytes; ++i) {
        storage_[config + i] = device.ConfigMask(i);
    }
}

void MemoryBuffer::FillWithBlank(const DeviceRecord& device) {
    if (HoldsWords(device.Family())) {
        FillPattern(static_cast<std::uint16_t>((device.BlankValue() << 8) | 0xFF), true);
    } else {
        FillPattern(device.BlankValue(), false);
    }
    CopyDefaultConfiguration(device);
    Cursor = 0;
}

void MemoryBuffer::FillForLoad(const DeviceRecord& device, FillChoice choice) {
    if (choice == FillChoice::Disable) return;
    const bool words = HoldsWords(device.Family());
    std::uint16_t value = 0;
    switch (choice) {
        case FillChoice::DeviceDefault:
            value = words ? static_cast<std::uint16_t>((device.BlankValue() << 8) | 0xFF)
                          : device.BlankValue();
            break;
        case FillChoice::Zero:
            value = 0x0000;
            break;
        case FillChoice::FF:
            value = 0x00FF;
            break;
        case FillChoice::Disable:
            break;
    }
    FillPattern(value, words);
    CopyDefaultConfiguration(device);
    Cursor = 0;
}

std::uint32_t MemoryBuffer::ComputeChecksum(const DeviceRecord& device) {
    // Never sum past the storage, whatever the record claims.
    const std::uint32_t n = std::min(ChecksumCount, Allocated);
    const std::uint8_t* b = storage_.get();
    std::uint32_t sum = 0;
    switch (device.Family()) {
        case Family::Pic: {
            for (std::uint32_t i = 0; i < n && i + 1 < Allocated; i += 2) {
                sum += (b[i] << 8) + b[i + 1];
            }
            const std::uint32_t config = PicAreasFor(device).configOffset;
            const std::uint32_t mask = (device.ConfigMask(0) << 8) | device.ConfigMask(1);
            if (config + 1 < Allocated) sum += mask & ((b[config] << 8) | b[config + 1]);
            break;
        }
        case Family::Eprom:
        case Family::Flash12V:
        case Family::LowVoltageFlash:
        case Family::Micro:
        case Family::BipolarProm:
            for (std::uint32_t i = 0; i < n; ++i) sum += b[i];
            break;
        case Family::WordEprom:
        case Family::WordMemory:
            for (std::uint32_t i = 0; i < n && i + 1 < Allocated; i += 2) {
                sum += b[i] + (b[i + 1] << 8);
            }
            break;
        case Family::Serial: {
            const std::uint32_t bytes =
                device.BusWidth() == 16 ? std::min<std::uint64_t>(2ull * n, Allocated) : n;
            for (std::uint32_t i = 0; i < bytes; ++i) sum += b[i];
            break;
        }
        case Family::Logic:
            // LastAddr is the fuse count: the byte after the map is not summed.
            sum = FuseChecksum(b, n == 0 ? 0 : n - 1);
            break;
        default:
            break;
    }
    ChecksumTotal = sum;
    return sum;
}

}  // namespace karvo
