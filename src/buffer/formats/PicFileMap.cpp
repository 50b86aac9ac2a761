#include "buffer/formats/PicFileMap.h"

#include <algorithm>

#include "catalogue/ChipFacts.h"

namespace karvo {

namespace {
constexpr std::uint32_t kIdBytes = 8;

// Files carry words: an odd EEPROM size (PIC18) or an odd configuration
// count takes the next byte along, so that the last word is whole.
constexpr std::uint32_t WholeWords(std::uint32_t bytes) {
    return (bytes + 1) & ~1u;
}

void Clear(PicFileArea area, AreaExpectations& areas) {
    switch (area) {
        case PicFileArea::Data:
            areas.data = false;
            break;
        case PicFileArea::Id:
            areas.id = false;
            break;
        case PicFileArea::Config:
            areas.config = false;
            break;
        case PicFileArea::Code:
            break;
    }
}
}  // namespace

PicFileMap::PicFileMap(const DeviceRecord& device)
    : lastAddr_(static_cast<std::uint32_t>(device.LastAddr())) {
    const PicFileAreas file = PicFileAreasFor(device);
    const PicAreas buffer = PicAreasFor(device);
    const auto codeBytes = static_cast<std::uint32_t>(lastAddr_ | 0xF) + 1;
    sections_[count_++] = {PicFileArea::Code, 0, 0, codeBytes, false};
    if (HasDataEeprom(device) && file.data && buffer.dataOffset) {
        sections_[count_++] = {PicFileArea::Data, *file.data, *buffer.dataOffset,
                               WholeWords(PicDataAreaBytes(device)), !buffer.dataAsWords};
    }
    if (HasIdLocations(device)) {
        sections_[count_++] = {PicFileArea::Id, file.id, buffer.idOffset, kIdBytes, false};
    }
    const std::uint32_t configBytes = WholeWords(device.ConfigCount());
    if (configBytes != 0) {
        sections_[count_++] = {PicFileArea::Config, file.config, buffer.configOffset, configBytes,
                               false};
        if (file.configOld) {
            configOld_ = {PicFileArea::Config, *file.configOld, buffer.configOffset, configBytes,
                          false};
        }
    }
}

PicFileMap::Place PicFileMap::LocateBeyondCode(std::int64_t address,
                                               AreaExpectations& areas) const {
    auto in = [&](const PicFileSection& s) -> Place {
        Clear(s.area, areas);
        return {s.buffer + (address - s.file), s.bytewise};
    };
    for (std::size_t i = 1; i < count_; ++i) {
        if (sections_[i].Holds(address)) return in(sections_[i]);
    }
    if (configOld_ && configOld_->Holds(address)) return in(*configOld_);
    // Neither code nor an area: where the address says, if the buffer
    // reaches that far.
    return {address, false};
}

std::uint32_t PicFileMap::BytesWithin(const PicFileSection& section, std::uint32_t allocated) {
    if (section.buffer >= allocated) return 0;
    return std::min(section.bytes, allocated - section.buffer);
}

const char* PicWordFileRefusal(FileFormat format, const DeviceRecord& device) {
    if (device.Family() != Family::Pic)
        return "INH8M and INX16 files hold PIC microcontrollers only.";
    // Word addresses cannot name a PIC18's byte-addressed memory and its
    // areas at 0x200000 and above.
    if (format == FileFormat::FormatInx16 && PicCoreOf(device) == PicCore::Pic18) {
        return "INX16 files cannot hold PIC18 devices; use INH8M.";
    }
    return nullptr;
}

}  // namespace karvo
