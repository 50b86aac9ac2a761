#include "virtual/ChipTypes.h"

#include <tuple>

#include "catalogue/DeviceDataFile.h"

namespace karvo {

namespace {
// The fields of a parameter block as the firmware reads them: bytes 1..2 the
// low 16 bits of the size (big-endian), 3 the family letter, 4 the algorithm;
// for family 'C' 5..6 the data-area length, 7 the algorithm parameter and 8
// the configuration type.
struct BlockFields {
    std::uint16_t size = 0;
    std::uint8_t family = 0;
    std::uint8_t algorithm = 0;
    std::uint16_t dataLength = 0;
    std::uint8_t algoParam = 0;
    std::uint8_t configType = 0;
    auto Key() const {
        return std::tie(size, family, algorithm, dataLength, algoParam, configType);
    }
};

constexpr std::uint8_t kPicFamily = 'C';
constexpr std::uint8_t kPic18Algorithm = 18;  // data bytes unpaired

BlockFields Decode(const std::uint8_t* block) {
    BlockFields f;
    f.size = static_cast<std::uint16_t>((block[1] << 8) | block[2]);
    f.family = block[3];
    f.algorithm = block[4];
    if (f.family == kPicFamily) {
        f.dataLength = static_cast<std::uint16_t>((block[5] << 8) | block[6]);
        f.algoParam = block[7];
        f.configType = block[8];
    }
    return f;
}

// What a chip's block says, from the firmware's own reading of the record.
BlockFields Expected(const DeviceRecord& r) {
    BlockFields f;
    f.size = static_cast<std::uint16_t>(static_cast<std::uint32_t>(r.LastAddr()) + 1);
    f.family = static_cast<std::uint8_t>(r.Family());
    f.algorithm = r.Algorithm();
    if (f.family == kPicFamily) {
        // One word per data byte, but for PIC18 parts one byte.
        const std::uint32_t bytes = r.EepromSize() + 1u;
        f.dataLength =
            static_cast<std::uint16_t>(f.algorithm == kPic18Algorithm ? bytes : 2 * bytes);
        f.algoParam = r.AlgoParam();
        f.configType = r.ConfigType();
    }
    return f;
}
}  // namespace

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

bool ChipTypes::Fits(const DeviceRecord& chip, const std::uint8_t* block) {
    return Expected(chip).Key() == Decode(block).Key();
}

std::optional<DeviceRecord> ChipTypes::Find(const std::uint8_t* block) const {
    for (const DeviceRecord& record : records_) {
        if (Fits(record, block)) return record;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> ChipTypes::Ambiguities() const {
    std::vector<std::pair<std::string, std::string>> clashes;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const BlockFields a = Expected(records_[i]);
        for (std::size_t j = i + 1; j < records_.size(); ++j) {
            if (records_[i].LastAddr() == records_[j].LastAddr() &&
                records_[i].EepromSize() == records_[j].EepromSize()) {
                continue;
            }
            if (a.Key() == Expected(records_[j]).Key()) {
                clashes.emplace_back(records_[i].DevName(), records_[j].DevName());
            }
        }
    }
    return clashes;
}

}  // namespace karvo
