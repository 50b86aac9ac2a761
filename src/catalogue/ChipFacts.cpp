#include "catalogue/ChipFacts.h"

#include <algorithm>
#include <array>

namespace karvo {

namespace {
// Family 'C' algorithms whose standard layout has a data EEPROM area.
constexpr std::array<std::uint8_t, 7> kAlgorithmsWithDataArea = {1, 2, 4, 5, 7, 9, 10};

// Family 'M' AVR pages whose parts load code and data EEPROM as one image
// (ATtiny26, ATtiny861/ATmega48 class, ATtiny25 class, ATmega328P), and the
// two of them whose default save range reaches into the data.
constexpr std::array<std::uint8_t, 4> kConfigTypesLoadingData = {203, 209, 205, 210};
constexpr std::array<std::uint8_t, 2> kConfigTypesSavingData = {203, 209};

template <std::size_t N>
bool In(const std::array<std::uint8_t, N>& set, std::uint8_t value) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

bool IsPic(const DeviceRecord& device) {
    return device.Family() == Family::Pic;
}
bool IsMicro(const DeviceRecord& device) {
    return device.Family() == Family::Micro;
}
}  // namespace

bool IsExtendedPicLayout(const DeviceRecord& device) {
    return IsPic(device) && device.Algorithm() == pic::kAlgorithmPic18;
}

bool IsEnhancedPicLayout(const DeviceRecord& device) {
    return IsPic(device) && !IsExtendedPicLayout(device) &&
           device.ConfigType() >= pic::kFirstEnhancedConfigType;
}

PicAreas PicAreasFor(const DeviceRecord& device) {
    // Decided in this order: the PIC18 layout first, then the enhanced
    // parts' configuration type, then the algorithm.
    if (IsExtendedPicLayout(device)) return {0xF0000, 0xF0010, 0xF0200, false};
    if (IsEnhancedPicLayout(device)) return {0x10000, 0x1000E, 0x10200, true};
    if (device.Algorithm() == pic::kAlgorithm17C75x) return {0x4000, 0x800E, std::nullopt, true};
    if (In(kAlgorithmsWithDataArea, device.Algorithm())) return {0x4000, 0x400E, 0x4200, true};
    return {0x4000, 0x400E, std::nullopt, true};
}

PicCore PicCoreOf(const DeviceRecord& device) {
    switch (device.Algorithm()) {
        case pic::kAlgorithmPic18:
            return PicCore::Pic18;
        case pic::kAlgorithm17C4x:
        case pic::kAlgorithm17C75x:
            return PicCore::Pic17;
        default:
            break;
    }
    return In(kAlgorithmsWithDataArea, device.Algorithm()) ? PicCore::Midrange : PicCore::Baseline;
}

PicFileAreas PicFileAreasFor(const DeviceRecord& device) {
    const std::uint32_t afterCode = (static_cast<std::uint32_t>(device.LastAddr()) | 0xF) + 1;
    PicFileAreas areas;
    switch (PicCoreOf(device)) {
        case PicCore::Pic18:
            areas = {0x200000, 0x300000, std::nullopt, 0xF00000};
            break;
        case PicCore::Pic17:
            areas = {afterCode, 0x1FC00, 0xFE00, std::nullopt};
            break;
        case PicCore::Baseline:
            areas = {afterCode, 0x1FFE, std::nullopt, std::nullopt};
            break;
        case PicCore::Midrange:
            areas = IsEnhancedPicLayout(device)
                        ? PicFileAreas{0x10000, 0x1000E, std::nullopt, 0x1E000}
                        : PicFileAreas{0x4000, 0x400E, std::nullopt, 0x4200};
            if (device.Algorithm() == pic::kAlgorithm16F882) areas.configOld = 0x1FFE;
            break;
    }
    if (!HasDataEeprom(device)) areas.data.reset();
    return areas;
}

std::uint8_t PicAreaSteps(const DeviceRecord& device) {
    std::uint8_t steps = 0x11;
    if (HasDataEeprom(device)) steps |= 0x02;
    if (HasIdLocations(device)) steps |= 0x04;
    return steps;
}

bool PicCellsClearOnly(const DeviceRecord& device) {
    // The EPROM and OTP algorithms of the catalogue.
    constexpr std::array<std::uint8_t, 9> kEprom = {0, 1, 3, 5, 6, 8, 12, 16, 17};
    return IsPic(device) && In(kEprom, device.Algorithm());
}

bool KeepsCalibrationWord(const DeviceRecord& device) {
    return IsPic(device) && (device.ConfigType() == pic::kConfigType12F675 ||
                             device.Algorithm() == pic::kAlgorithm12C508 ||
                             device.Algorithm() == pic::kAlgorithm12F508);
}

bool BlankCheckSkipsLastWord(const DeviceRecord& device) {
    return KeepsCalibrationWord(device) ||
           (IsPic(device) && device.Algorithm() == pic::kAlgorithm12C67x);
}

PicPageKind PicPageKindOf(std::uint8_t configType) {
    // Types without a page: 11, 13, 14 (PIC17), 18, 25, 26, 39 and above 50.
    constexpr std::array<std::uint8_t, 27> kStandard = {0,  1,  2,  3,  4,  5,  6,  7,  8,
                                                        9,  10, 12, 15, 16, 17, 19, 20, 21,
                                                        22, 23, 24, 29, 30, 31, 32, 33, 40};
    constexpr std::array<std::uint8_t, 12> kPic18 = {27, 28, 34, 35, 36, 37,
                                                     38, 41, 42, 43, 44, 45};
    if (In(kStandard, configType)) return PicPageKind::Standard;
    if (In(kPic18, configType)) return PicPageKind::Pic18;
    if (configType >= pic::kFirstEnhancedConfigType && configType <= pic::kLastConfigType) {
        return PicPageKind::Enhanced;
    }
    return PicPageKind::None;
}

PicPageKind PicPageKindFor(const DeviceRecord& device) {
    if (!IsPic(device)) return PicPageKind::None;
    if (IsExtendedPicLayout(device)) return PicPageKind::Pic18;
    if (IsEnhancedPicLayout(device)) return PicPageKind::Enhanced;
    return PicCoreOf(device) == PicCore::Pic17 ? PicPageKind::None : PicPageKind::Standard;
}

std::uint8_t PicPageConfigBytes(std::uint8_t configType) {
    // The standard pages with a second configuration word: 16F7x7, 16F88x, 16F87/88.
    constexpr std::array<std::uint8_t, 3> kTwoWords = {4, 10, 33};
    switch (PicPageKindOf(configType)) {
        case PicPageKind::None:
            return 0;
        case PicPageKind::Standard:
            return In(kTwoWords, configType) ? 4 : 2;
        case PicPageKind::Enhanced:
            return 4;
        case PicPageKind::Pic18:
            return 14;
    }
    return 0;
}

bool HasIdLocations(const DeviceRecord& device) {
    return IsPic(device) && device.Algorithm() != pic::kAlgorithm17C4x &&
           device.Algorithm() != pic::kAlgorithm17C75x;
}

bool IdStepFollowsCode(const DeviceRecord& device) {
    return IsPic(device) && device.Algorithm() == pic::kAlgorithm16C5x;
}

bool HasDataEeprom(const DeviceRecord& device) {
    if (device.EepromSize() == 0) return false;
    if (IsMicro(device)) return true;
    return IsPic(device) && PicAreasFor(device).dataOffset.has_value();
}

std::uint32_t PicDataAreaBytes(const DeviceRecord& device) {
    const std::uint32_t bytes = device.EepromSize() + 1u;  // 'C' stores the last data address
    return PicAreasFor(device).dataAsWords ? 2 * bytes : bytes;
}

bool CarriesUserRow(const DeviceRecord& device) {
    return IsMicro(device) && device.Algorithm() == micro::kAlgorithmUserRow;
}

bool IsSstDualBlock(const DeviceRecord& device) {
    return device.ManufId() == micro::kSstManufId && device.DevId() == micro::kSstDualBlockDevId;
}

bool LoadCoversData(const DeviceRecord& device) {
    return IsMicro(device) && In(kConfigTypesLoadingData, device.ConfigType());
}

bool SaveRangeCoversData(const DeviceRecord& device) {
    return IsMicro(device) && In(kConfigTypesSavingData, device.ConfigType());
}

}  // namespace karvo
