#include "virtual/ChipModel.h"

#include <algorithm>

#include "catalogue/CatalogueAlgorithms.h"

namespace karvo {

ChipArea* ChipModel::Area(char letter) {
    const auto it = areas.find(letter);
    return it == areas.end() ? nullptr : &it->second;
}

void ChipModel::Program(char letter, std::uint32_t offset, const std::uint8_t* data,
                        std::size_t count) {
    ChipArea* area = Area(letter);
    if (area == nullptr || offset >= area->bytes.size()) return;
    const std::size_t n = std::min<std::size_t>(count, area->bytes.size() - offset);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t& cell = area->bytes[offset + i];
        cell = area->rule == WriteRule::ClearBitsOnly ? static_cast<std::uint8_t>(cell & data[i])
                                                      : data[i];
    }
}

void ChipModel::Blank() {
    for (auto& [letter, area] : areas) std::fill(area.bytes.begin(), area.bytes.end(), area.blank);
}

std::optional<ChipModel> ShapeChip(const std::uint8_t* block,
                                   const std::optional<DeviceRecord>& type) {
    ChipModel chip;
    chip.family = static_cast<Family>(block[3]);
    chip.algorithm = block[4];
    if (!IsKnown(chip.family)) return std::nullopt;

    const std::uint32_t size16 = (block[1] << 8) | block[2];
    std::uint32_t size = size16 == 0 ? 0x10000 : size16;
    std::uint8_t blank = 0xFF;
    if (type) {
        size = static_cast<std::uint32_t>(type->LastAddr()) + 1;
        blank = type->BlankValue();
        chip.name = type->DevName();
    }
    if (chip.family == Family::Eprom || chip.family == Family::Flash12V ||
        chip.family == Family::LowVoltageFlash || chip.family == Family::BipolarProm) {
        ChipArea area;
        area.blank = blank;
        area.rule =
            algorithm::BehaviourOf(chip.algorithm) == algorithm::CellBehaviour::ClearsBitsOnly
                ? WriteRule::ClearBitsOnly
                : WriteRule::Replace;
        area.bytes.assign(size, blank);
        chip.areas['e'] = std::move(area);
    }
    return chip;
}

}  // namespace karvo
