#pragma once
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DeviceRecord.h"

namespace karvo {

// A device data file: a 16-byte header with the manufacturer count at offset
// 13, a table of 16-byte manufacturer entries (name at entry offset 1, up to
// 14 characters), then one block per manufacturer: 2 bytes, a 16-bit device
// count and that many 192-byte records.
//
// The whole file is read once and indexed. A short or malformed file is never
// read past its end: manufacturers and records that do not fit are dropped and
// Truncated() says so.
class DeviceDataFile {
  public:
    static constexpr std::size_t kHeaderSize = 16;
    static constexpr std::size_t kManufEntrySize = 16;
    static constexpr std::size_t kManufNameSize = 15;
    static constexpr std::size_t kBlockHeaderSize = 4;

    struct Manufacturer {
        std::string name;
        std::size_t firstRecordOffset = 0;  // file offset of its device 0
        std::size_t deviceCount = 0;        // complete records present
    };

    // nullopt when the file cannot be opened.
    static std::optional<DeviceDataFile> Open(const std::string& path);
    static DeviceDataFile Parse(std::vector<std::uint8_t> bytes);

    const std::vector<Manufacturer>& Manufacturers() const { return manufacturers_; }
    std::vector<std::string> DeviceNames(std::size_t manufIndex) const;
    // nullopt for an index out of range.
    std::optional<DeviceRecord> Record(std::size_t manufIndex, std::size_t deviceIndex) const;
    static std::size_t RecordOffset(const std::vector<std::size_t>& deviceCounts,
                                    std::size_t manufIndex, std::size_t deviceIndex);
    bool Truncated() const { return truncated_; }

    // The file's bytes for a catalogue of manufacturers and their records.
    struct Entry {
        std::string manufacturer;
        std::vector<DeviceRecord> devices;
    };
    static std::vector<std::uint8_t> Build(const std::vector<Entry>& entries);

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<Manufacturer> manufacturers_;
    bool truncated_ = false;
};

}  // namespace karvo
