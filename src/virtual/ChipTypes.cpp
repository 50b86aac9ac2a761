#include "virtual/ChipTypes.h"

#include "catalogue/DeviceDataFile.h"
#include "operations/JobProtocol.h"

namespace karvo {

ChipTypes ChipTypes::FromDataFiles(const std::vector<std::string>& paths) {
    ChipTypes types;
    for (const std::string& path : paths) {
        const auto file = DeviceDataFile::Open(path);
        if (!file) continue;
        for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
            for (std::size_t j = 0; j < file->Manufacturers()[m].deviceCount; ++j) {
                types.Add(*file->Record(m, j));
            }
        }
    }
    return types;
}

std::optional<DeviceRecord> ChipTypes::Find(const std::uint8_t* block) const {
    for (const DeviceRecord& record : records_) {
        const ParameterBlock mine = BuildParameterBlock(record);
        if (std::equal(mine.begin() + 1, mine.begin() + 9, block + 1)) return record;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> ChipTypes::Ambiguities() const {
    std::vector<std::pair<std::string, std::string>> clashes;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const ParameterBlock a = BuildParameterBlock(records_[i]);
        for (std::size_t j = i + 1; j < records_.size(); ++j) {
            if (records_[i].LastAddr() == records_[j].LastAddr() &&
                records_[i].EepromSize() == records_[j].EepromSize()) {
                continue;
            }
            const ParameterBlock b = BuildParameterBlock(records_[j]);
            if (std::equal(a.begin(), a.end(), b.begin())) {
                clashes.emplace_back(records_[i].DevName(), records_[j].DevName());
            }
        }
    }
    return clashes;
}

}  // namespace karvo
