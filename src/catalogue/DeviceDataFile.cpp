#include "catalogue/DeviceDataFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace karvo {

std::optional<DeviceDataFile> DeviceDataFile::Open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return Parse(std::move(bytes));
}

DeviceDataFile DeviceDataFile::Parse(std::vector<std::uint8_t> bytes) {
    DeviceDataFile file;
    file.bytes_ = std::move(bytes);
    const std::vector<std::uint8_t>& b = file.bytes_;
    if (b.size() < kHeaderSize) {
        file.truncated_ = true;
        return file;
    }
    const std::size_t count = b[13];
    std::size_t pos = kHeaderSize + kManufEntrySize * count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + kManufEntrySize * i;
        if (entry + kManufEntrySize > b.size() || pos + kBlockHeaderSize > b.size()) {
            file.truncated_ = true;
            break;
        }
        Manufacturer m;
        const auto* name = b.data() + entry + 1;
        m.name.assign(name, std::find(name, name + kManufNameSize, 0));
        const std::size_t declared = b[pos + 2] | (b[pos + 3] << 8);
        m.firstRecordOffset = pos + kBlockHeaderSize;
        const std::size_t fits = (b.size() - m.firstRecordOffset) / DeviceRecord::kSize;
        m.deviceCount = std::min(declared, fits);
        file.manufacturers_.push_back(m);
        if (m.deviceCount < declared) {
            file.truncated_ = true;
            break;
        }
        pos = m.firstRecordOffset + DeviceRecord::kSize * declared;
    }
    return file;
}

std::vector<std::string> DeviceDataFile::DeviceNames(std::size_t manufIndex) const {
    std::vector<std::string> names;
    if (manufIndex >= manufacturers_.size()) return names;
    const Manufacturer& m = manufacturers_[manufIndex];
    for (std::size_t j = 0; j < m.deviceCount; ++j) {
        const auto* name =
            bytes_.data() + m.firstRecordOffset + DeviceRecord::kSize * j + DeviceRecord::kDevName;
        names.emplace_back(name, std::find(name, name + DeviceRecord::kDevNameSize, 0));
    }
    return names;
}

std::optional<DeviceRecord> DeviceDataFile::Record(std::size_t manufIndex,
                                                   std::size_t deviceIndex) const {
    if (manufIndex >= manufacturers_.size()) return std::nullopt;
    const Manufacturer& m = manufacturers_[manufIndex];
    if (deviceIndex >= m.deviceCount) return std::nullopt;
    DeviceRecord::Bytes raw;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(m.firstRecordOffset +
                                                             DeviceRecord::kSize * deviceIndex),
                DeviceRecord::kSize, raw.begin());
    return DeviceRecord(raw);
}

std::size_t DeviceDataFile::RecordOffset(const std::vector<std::size_t>& deviceCounts,
                                         std::size_t manufIndex, std::size_t deviceIndex) {
    std::size_t offset = kHeaderSize + kManufEntrySize * deviceCounts.size();
    for (std::size_t k = 0; k < manufIndex; ++k) {
        offset += kBlockHeaderSize + DeviceRecord::kSize * deviceCounts[k];
    }
    return offset + kBlockHeaderSize + DeviceRecord::kSize * deviceIndex;
}

std::vector<std::uint8_t> DeviceDataFile::Build(const std::vector<Entry>& entries) {
    std::vector<std::uint8_t> out(kHeaderSize, 0);
    const char magic[] = "KARVO DEVICES";  // 13 bytes of header the program never reads
    std::copy_n(magic, 13, out.begin());
    out[13] = static_cast<std::uint8_t>(entries.size());
    for (const Entry& e : entries) {
        std::uint8_t entry[kManufEntrySize] = {};
        std::copy_n(e.manufacturer.begin(), std::min(e.manufacturer.size(), kManufNameSize - 1),
                    entry + 1);
        out.insert(out.end(), entry, entry + kManufEntrySize);
    }
    for (const Entry& e : entries) {
        const std::size_t n = e.devices.size();
        out.insert(out.end(),
                   {0, 0, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8)});
        for (const DeviceRecord& r : e.devices)
            out.insert(out.end(), r.Raw().begin(), r.Raw().end());
    }
    return out;
}

}  // namespace karvo
