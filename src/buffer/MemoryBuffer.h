#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// The fill chosen in the file-format dialog for the bytes a load does not write.
enum class FillChoice { Disable = 0, DeviceDefault = 1, Zero = 2, FF = 3 };

// The program's single image of the target chip. Every area of the selected
// device has a fixed place in it (see PicAreasFor in catalogue/ChipFacts.h); loaders, savers, the
// editor, the configuration pages and the device operations all work on it.
class MemoryBuffer {
  public:
    static constexpr std::uint32_t kStartupSize = 0x200000;

    void AllocateForStartup();
    // Sizes the storage for a device that has just become current.
    void AllocateForDevice(const DeviceRecord& device);
    void FillWithBlank(const DeviceRecord& device);
    // Sizes the storage at the start of a file load.
    void AllocateForLoad(const DeviceRecord& device);
    void FillForLoad(const DeviceRecord& device, FillChoice choice);
    // Recomputes ChecksumTotal by the family's rule and returns it.
    std::uint32_t ComputeChecksum(const DeviceRecord& device);

    // This buffer becomes a copy of `other`: its image and sizes. The chip's
    // bytes are read into such a copy when they must not touch the user's.
    void CopyFrom(const MemoryBuffer& other);

    static std::uint32_t ActivationSize(const DeviceRecord& device);
    static std::uint32_t LoadSize(const DeviceRecord& device);

    std::uint8_t* Data() { return storage_.get(); }
    const std::uint8_t* Data() const { return storage_.get(); }
    std::uint8_t& operator[](std::uint32_t offset) { return storage_[offset]; }
    std::uint8_t operator[](std::uint32_t offset) const { return storage_[offset]; }

    std::uint32_t Allocated = 0;
    std::uint32_t Available = 0;
    std::uint32_t Cursor = 0;
    std::uint32_t LoadPointer = 0;
    std::uint32_t HighestLoaded = 0;
    std::uint32_t LowestLoaded = 0;
    std::uint32_t ChecksumCount = 0;
    std::uint32_t ChecksumTotal = 0;

  private:
    // A fresh block is all zeros, so no byte of the image is ever undefined,
    // not even after a load that fills nothing. A block of the size already
    // held is cleared and kept: its pages are mapped already, and touching
    // 2 MiB of new pages costs far more than clearing them.
    void Reallocate(std::uint32_t size);
    void FillPattern(std::uint16_t value, bool wordPairs);
    void CopyDefaultConfiguration(const DeviceRecord& device);

    struct Free {
        void operator()(std::uint8_t* block) const { std::free(block); }
    };
    // From calloc: a new block's zeros cost nothing until a page is written.
    std::unique_ptr<std::uint8_t[], Free> storage_;
};

}  // namespace karvo
