#include "virtual/ChipModel.h"

#include <algorithm>

#include "catalogue/CatalogueAlgorithms.h"
#include "catalogue/ChipFacts.h"

namespace karvo {

ChipArea* ChipModel::Area(char letter) {
    const auto it = areas.find(letter);
    return it == areas.end() ? nullptr : &it->second;
}

std::optional<ChipByte> ChipModel::At(std::uint32_t bufferAddress) const {
    for (const auto& [letter, area] : areas) {
        if (bufferAddress >= area.bufferOffset &&
            bufferAddress - area.bufferOffset < area.bytes.size()) {
            return ChipByte{letter, bufferAddress - area.bufferOffset};
        }
    }
    return std::nullopt;
}

void ChipModel::Program(char letter, std::uint32_t offset, const std::uint8_t* data,
                        std::size_t count) {
    ChipArea* area = Area(letter);
    if (area == nullptr || offset >= area->bytes.size()) return;
    const std::size_t n =
        std::min({count, area->bytes.size() - offset,
                  area->keptFrom - std::min<std::size_t>(area->keptFrom, offset)});
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t& cell = area->bytes[offset + i];
        cell = area->rule == WriteRule::ClearBitsOnly ? static_cast<std::uint8_t>(cell & data[i])
                                                      : data[i];
    }
}

void ChipModel::Blank() {
    for (auto& [letter, area] : areas) {
        const std::size_t end = std::min(area.keptFrom, area.bytes.size());
        for (std::size_t i = 0; i < end; ++i) area.bytes[i] = area.BlankAt(i);
    }
}

void ChipModel::Erase() {
    Blank();
    lock = 0;
}

namespace {
// What the block and the chip type tell about the chip: its size, blank value
// and name.
struct ShapeInput {
    std::uint32_t size = 0;
    std::uint8_t blank = 0xFF;
    std::uint8_t algorithm = 0;
    const std::optional<DeviceRecord>& type;
};

// One memory read with "eR" and written with "eW".
void ByteWideAreas(ChipModel& chip, const ShapeInput& in) {
    ChipArea area;
    area.blank = in.blank;
    area.rule = algorithm::BehaviourOf(in.algorithm) == algorithm::CellBehaviour::ClearsBitsOnly
                    ? WriteRule::ClearBitsOnly
                    : WriteRule::Replace;
    area.bytes.assign(in.size, in.blank);
    chip.areas['e'] = std::move(area);
}

// Flash code that programming can only clear and a chip erase sets again;
// the signature the chip type names.
void MicroAreas(ChipModel& chip, const ShapeInput& in) {
    ChipArea code;
    code.blank = 0xFF;
    code.rule = WriteRule::ClearBitsOnly;
    code.bytes.assign(in.size, 0xFF);
    chip.areas['m'] = std::move(code);
    if (in.type) chip.signature = {in.type->ManufId(), in.type->DevId(), in.type->DevId2()};
}

// A PIC-type part: code words (with a calibration word last where the part
// keeps one), data EEPROM where it has one, ID locations but on the PIC17
// parts, configuration bytes. OTP and windowed parts only clear bits.
void PicChipAreas(ChipModel& chip, const ShapeInput& in) {
    if (!in.type) return;
    const DeviceRecord& d = *in.type;
    const PicAreas layout = PicAreasFor(d);
    const WriteRule rule = PicCellsClearOnly(d) ? WriteRule::ClearBitsOnly : WriteRule::Replace;
    auto add = [&](char letter, std::uint32_t size, std::uint32_t bufferOffset, WriteRule r) {
        ChipArea area;
        area.rule = r;
        area.blank = d.BlankValue();
        area.blankPairs = true;
        area.bufferOffset = bufferOffset;
        area.bytes.resize(size);
        for (std::uint32_t i = 0; i < size; ++i) area.bytes[i] = area.BlankAt(i);
        return &(chip.areas[letter] = std::move(area));
    };
    ChipArea* code = add('c', in.size, 0, rule);
    if (BlankCheckSkipsLastWord(d) && in.size >= 2) {
        // RETLW k on the 14-bit parts, MOVLW k on the 12-bit ones.
        const bool baseline = PicCoreOf(d) == PicCore::Baseline;
        code->keptFrom = in.size - 2;
        code->bytes[in.size - 2] = baseline ? 0x0C : 0x34;
        code->bytes[in.size - 1] = baseline ? 0x10 : 0x80;
    }
    if (d.EepromSize() != 0 && layout.dataOffset) {
        // One word per EEPROM byte, but one byte on the PIC18 parts.
        const std::uint32_t bytes = d.EepromSize() + 1u;
        add('d', d.Algorithm() == 18 ? bytes : 2 * bytes, *layout.dataOffset, WriteRule::Replace);
    }
    if (HasIdLocations(d)) add('i', 8, layout.idOffset, rule);
    add('k', d.ConfigCount(), layout.configOffset, rule);
}

// The chip's areas by family; a family without a row has no area the
// firmware can reach yet.
struct FamilyShape {
    Family family;
    void (*areas)(ChipModel&, const ShapeInput&);
};
constexpr FamilyShape kShapes[] = {
    {Family::Eprom, ByteWideAreas},
    {Family::Flash12V, ByteWideAreas},
    {Family::LowVoltageFlash, ByteWideAreas},
    {Family::BipolarProm, ByteWideAreas},
    {Family::Micro, MicroAreas},
    {Family::Pic, PicChipAreas},
};
}  // namespace

std::optional<ChipModel> ShapeChip(const std::uint8_t* block,
                                   const std::optional<DeviceRecord>& type) {
    ChipModel chip;
    chip.family = static_cast<Family>(block[3]);
    chip.algorithm = block[4];
    if (!IsKnown(chip.family)) return std::nullopt;

    const std::uint32_t size16 = (block[1] << 8) | block[2];
    ShapeInput in{size16 == 0 ? 0x10000 : size16, 0xFF, chip.algorithm, type};
    if (type) {
        in.size = static_cast<std::uint32_t>(type->LastAddr()) + 1;
        in.blank = type->BlankValue();
        chip.name = type->DevName();
    }
    for (const FamilyShape& shape : kShapes) {
        if (shape.family == chip.family) shape.areas(chip, in);
    }
    return chip;
}

}  // namespace karvo
