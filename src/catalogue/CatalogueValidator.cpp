#include "catalogue/CatalogueValidator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <utility>

#include <fmt/format.h>

#include "catalogue/CatalogueAlgorithms.h"
#include "catalogue/ChipFacts.h"

namespace karvo {
namespace {

namespace algo = karvo::algorithm;
using R = DeviceRecord;

// The buffers the program fills and sums at once stay within 2 MiB.
constexpr std::uint64_t kLargestBuffer = 0x200000;
constexpr std::size_t kManufNameMax = DeviceDataFile::kManufNameSize - 1;
constexpr std::size_t kDevNameMax = R::kDevNameSize - 1;
constexpr std::size_t kDeviceCountLimit = 32768;

// ButtonCaps / ButtonCaps2 bits.
constexpr std::uint8_t kFileButtons = 0x07;  // Load, Save, Edit
constexpr std::uint8_t kConfigButton = 0x08;
constexpr std::uint8_t kChipButtons = 0xF0;  // Blank, Read, Program, Verify
constexpr std::uint8_t kEraseButton = 0x01;
constexpr std::uint8_t kOptionsButton = 0x04;

// The memories: every family but the microcontrollers and programmable logic.
bool IsMemory(Family family) {
    return IsKnown(family) && !IsMicrocontroller(family) && family != Family::Logic;
}
bool IsPowerOfTwo(std::uint64_t n) {
    return n != 0 && std::has_single_bit(n);
}

// Bytes of the record that the program gives a meaning; all others must stay
// zero in our files so that nobody starts to read meaning into them.
constexpr std::array<std::pair<std::size_t, std::size_t>, 9> kInterpreted = {{
    {R::kAlgorithm, 30},  // Algorithm .. VccMax
    {R::kVpp, 8},         // Vpp, LastAddr
    {R::kBusWidth, 2},
    {R::kPinCount, 6},  // PinCount .. AlgoParam
    {R::kBlankValue, 4},
    {R::kConfigCount, 33},
    {R::kDefaultOpts, 1},
    {R::kOptionCaps, 1},
    {R::kButtonCaps, 4},  // ButtonCaps .. Adapter
}};

// Which families an adapter code suits: the microcontroller sockets and
// wiring notes make no sense for a memory.
struct AdapterUse {
    std::uint8_t code;
    bool memoriesToo;
};
constexpr std::array<AdapterUse, 28> kAdapters = {{
    {1, false},  {2, true},   {3, true},   {4, true},   {5, false}, {6, false}, {7, false},
    {8, false},  {9, false},  {10, false}, {11, false}, {12, true}, {13, true}, {14, false},
    {15, true},  {16, false}, {20, true},  {22, false}, {30, true}, {31, true}, {32, true},
    {44, false}, {45, false}, {46, false}, {47, false}, {50, true}, {51, true}, {60, false},
}};

std::optional<AdapterUse> FindAdapter(std::uint8_t code) {
    for (const AdapterUse& a : kAdapters) {
        if (a.code == code) return a;
    }
    return std::nullopt;
}

bool InSet(std::uint8_t v, std::initializer_list<std::uint8_t> set) {
    return std::find(set.begin(), set.end(), v) != set.end();
}

bool HasConfigPage(Family family, std::uint8_t configType) {
    if (family == Family::Pic) return true;  // the ID group is always there
    return pages::IsSerialPage(configType) || configType == pages::kEepromDataProtection ||
           pages::IsMicroPage(configType);
}

class Checker {
  public:
    explicit Checker(const DeviceRecord& r) : r_(r), f_(r.Family()) {}

    std::vector<CatalogueProblem> Run() {
        if (!IsKnown(f_)) {
            Add("family", fmt::format("Family 0x{:02X} is none of C M E O Y R P S F L",
                                      static_cast<unsigned>(r_.Raw()[R::kFamily])));
            return std::move(problems_);
        }
        CheckName();
        CheckSize();
        CheckAlgorithm();
        CheckConfigType();
        CheckButtons();
        CheckOptions();
        CheckIds();
        CheckConfigMask();
        CheckEeprom();
        CheckVoltages();
        CheckBlank();
        CheckAdapter();
        CheckFamilyFields();
        CheckReserved();
        return std::move(problems_);
    }

  private:
    void Add(std::string rule, std::string message) {
        problems_.push_back({std::move(rule), std::move(message)});
    }

    void CheckName() {
        const auto& raw = r_.Raw();
        const auto* begin = raw.data() + R::kDevName;
        if (std::find(begin, begin + R::kDevNameSize, 0) == begin + R::kDevNameSize) {
            Add("name", "DevName fills its 20 bytes with no NUL after it");
        }
        for (CatalogueProblem& p : ValidateDeviceName(r_.DevName())) problems_.push_back(p);
    }

    void CheckSize() {
        const std::int64_t last = r_.LastAddr();
        if (last < 0) {
            Add("size", fmt::format("LastAddr {} gives no size", last));
            return;
        }
        const std::uint64_t size = static_cast<std::uint64_t>(last) + 1;
        const std::uint64_t bytes = MainAreaBytes(r_);
        const std::uint64_t activation = (static_cast<std::uint64_t>(last) | 0xFFFF) + 1;
        if (bytes > kLargestBuffer) {
            Add("size", fmt::format("main area of 0x{:X} bytes is beyond the 2 MiB buffer", bytes));
        }
        if (IsMemory(f_) && !IsPowerOfTwo(size)) {
            Add("size", fmt::format("a memory has a power-of-two size, not 0x{:X}", size));
        }
        switch (f_) {
            case Family::WordEprom:
                if (2 * activation > kLargestBuffer) {
                    Add("size", "the doubled buffer of a word-wide part passes 2 MiB");
                }
                break;
            case Family::Serial:
                if (bytes > activation) {
                    Add("size", "16-bit words of this 'S' part do not fit its buffer");
                }
                break;
            case Family::Pic:
                CheckMicrochipAreas(size);
                break;
            case Family::Micro:
                CheckMicroAreas(size);
                break;
            case Family::Logic:
                CheckFuseCount(size);
                break;
            default:
                break;
        }
    }

    void CheckMicrochipAreas(std::uint64_t size) {
        if (size % 2 != 0) Add("size", "a word-organised part has an even byte count");
        const std::uint64_t idArea = PicAreasFor(r_).idOffset;
        if (size > idArea) {
            Add("buffer", fmt::format("code area reaches past the ID area at 0x{:X}", idArea));
        }
    }

    void CheckMicroAreas(std::uint64_t size) {
        const std::uint64_t last = size - 1;
        const std::uint64_t buffer = (last | 0x1FFFF) + 1;
        std::uint64_t extent = size + r_.EepromSize();
        if (CarriesUserRow(r_)) extent += micro::kUserRowBytes;
        if (extent > buffer) {
            Add("buffer",
                fmt::format("code and data (0x{:X} bytes) do not fit the buffer", extent));
        }
        if (IsSstDualBlock(r_) && size > micro::kSecondBlockOffset) {
            Add("buffer", "code area overlaps the second block at 0x10000");
        }
    }

    void CheckFuseCount(std::uint64_t size) {
        const std::uint8_t a = r_.Algorithm();
        if (a >= algo::kFuseMapSizes.size() || algo::kFuseMapSizes[a].fuses == 0) return;
        // The fuse checksum sums LastAddr fuses, so LastAddr is the fuse count.
        if (size - 1 != algo::kFuseMapSizes[a].fuses) {
            Add("size", fmt::format("LastAddr of a PLD is its fuse count {}, not {}",
                                    algo::kFuseMapSizes[a].fuses, size - 1));
        }
    }

    void CheckAlgorithm() {
        const std::uint8_t a = r_.Algorithm();
        bool known = false;
        switch (f_) {
            case Family::Pic:
                known = a <= pic::kLastAlgorithm;
                break;
            case Family::Micro:
                known = a <= micro::kLastAlgorithm;
                break;
            case Family::Logic:
                // A fuse map the JEDEC files can lay out.
                known = a < algo::kFuseMapSizes.size() && algo::kFuseMapSizes[a].fuses != 0 &&
                        algo::kFuseMapLayouts[a].RowFuses() != 0;
                break;
            default:
                CheckMemoryMethod(a);
                return;
        }
        if (!known)
            Add("algorithm", fmt::format("Algorithm {} is unknown for family '{}'", a, Letter(f_)));
    }

    // A memory's number names its method and, from 64 KiB on, its size.
    void CheckMemoryMethod(std::uint8_t a) {
        const algo::Method* method = algo::MethodOf(a);
        if (method == nullptr || !MethodSuitsFamily(method->base)) {
            Add("algorithm", fmt::format("Algorithm {} is unknown for family '{}'", a, Letter(f_)));
            return;
        }
        const std::uint64_t bytes = MainAreaBytes(r_);
        if (a != algo::SizedAlgorithm(*method, bytes)) {
            Add("algorithm",
                fmt::format("a 0x{:X}-byte part of this method is not Algorithm {}", bytes, a));
        }
    }

    bool MethodSuitsFamily(std::uint8_t base) const {
        switch (f_) {
            case Family::Eprom:
                return InSet(base, {algo::kEpromNmos50ms, algo::kEpromNmosInteractive,
                                    algo::kEpromCmosQuickPulse, algo::kEepromByteWrite,
                                    algo::kEepromPageWrite, algo::kFlashSectorWrite,
                                    algo::kFlashJedecCommands, algo::kFlashSstCommands});
            case Family::WordEprom:
            case Family::WordMemory:
                return base == algo::kEpromCmosQuickPulse;
            case Family::LowVoltageFlash:
                return InSet(base, {algo::kEpromCmosQuickPulse, algo::kEepromPageWrite,
                                    algo::kFlashSectorWrite, algo::kFlashJedecCommands,
                                    algo::kFlashSstCommands});
            case Family::Flash12V:
                return base == algo::kFlash12VCommands;
            case Family::BipolarProm:
                return base == algo::kBipolarFuseProm;
            case Family::Serial:
                return InSet(base,
                             {algo::kSerialI2c, algo::kSerialMicrowire8, algo::kSerialMicrowire16,
                              algo::kSerialSpiEeprom, algo::kSerialSpiFlash});
            default:
                return false;
        }
    }

    void CheckConfigType() {
        const std::uint8_t t = r_.ConfigType();
        bool known = t == 0;
        switch (f_) {
            case Family::Pic:
                known = t <= pic::kLastConfigType;
                CheckPicPage(t);
                break;
            case Family::Micro:
                known = known || pages::IsSerialPage(t) || pages::IsMicroPage(t);
                break;
            case Family::Eprom:
            case Family::LowVoltageFlash:
                if (t == pages::kEepromDataProtection &&
                    algo::BehaviourOf(r_.Algorithm()) != algo::CellBehaviour::ReplacesBytes) {
                    Add("config-type", "software data protection (130) is for EEPROMs");
                }
                known = known || t == pages::kEepromDataProtection;
                break;
            case Family::Serial:
                CheckSerialPage(t);
                known = known || pages::IsSerialPage(t);
                break;
            default:
                break;
        }
        if (!known)
            Add("config-type",
                fmt::format("ConfigType {} is unknown for family '{}'", t, Letter(f_)));
    }

    // The page is chosen by ConfigType, the place of its bytes by the
    // layout: a page of one layout on a part of another would write its bytes
    // where the part keeps none.
    void CheckPicPage(std::uint8_t t) {
        const PicPageKind page = PicPageKindOf(t);
        if (page == PicPageKind::None) return;
        if (page != PicPageKindFor(r_)) {
            Add("config-type", fmt::format("the configuration pages of ConfigType {} are not "
                                           "for a part of Algorithm {}",
                                           t, r_.Algorithm()));
        }
        if (r_.ConfigCount() < PicPageConfigBytes(t)) {
            Add("config-type", fmt::format("the pages of ConfigType {} edit {} configuration "
                                           "bytes, ConfigCount is {}",
                                           t, PicPageConfigBytes(t), r_.ConfigCount()));
        }
    }

    void CheckSerialPage(std::uint8_t t) {
        const algo::Method* method = algo::MethodOf(r_.Algorithm());
        const std::uint8_t base = method != nullptr ? method->base : 0;
        if (t >= pages::kFirstSerial && t <= pages::kLastSpiEeprom &&
            base != algo::kSerialSpiEeprom) {
            Add("config-type", "the block-protect page is for SPI EEPROMs");
        }
        if (t >= pages::kFirstSpiFlash && t <= pages::kLastSerial) {
            if (base != algo::kSerialSpiFlash) {
                Add("config-type", "the serial-flash page is for SPI flash");
            }
            if (!pages::SpiFlashPageKnowsSize(r_.LastAddr())) {
                Add("config-type", "the serial-flash page knows 128 KiB to 1 MiB parts only");
            }
        }
    }

    void CheckButtons() {
        const std::uint8_t b = r_.ButtonCaps();
        const std::uint8_t b2 = r_.ButtonCaps2();
        if ((b & kFileButtons) != kFileButtons) {
            Add("caps", "every device offers Load, Save and Edit (ButtonCaps bits 0..2)");
        }
        if ((b & kChipButtons) != 0 && !HasOperations(f_)) {
            Add("caps", fmt::format("family '{}' has no operations for Blank/Read/Program/Verify",
                                    Letter(f_)));
        }
        if ((b & kConfigButton) != 0 && !HasConfigPage(f_, r_.ConfigType())) {
            Add("caps",
                fmt::format("Config offered but ConfigType {} has no page", r_.ConfigType()));
        }
        if ((b2 & ~(kEraseButton | kOptionsButton)) != 0) {
            Add("caps", "ButtonCaps2 uses bits other than Erase (0) and Options (2)");
        }
        if ((b2 & kEraseButton) != 0 && !IsMicrocontroller(f_)) {
            Add("caps",
                fmt::format("family '{}' cannot be erased through the programmer", Letter(f_)));
        }
        const bool options = (b2 & kOptionsButton) != 0;
        if (IsMicrocontroller(f_) && !options) {
            Add("caps", "a microcontroller needs Options for its programming steps");
        }
        if (!IsMicrocontroller(f_) && options != (r_.OptionCaps() != 0)) {
            Add("caps", "Options is offered exactly when OptionCaps has an option");
        }
    }

    void CheckOptions() {
        const std::uint8_t steps = r_.StepCaps();
        if ((steps & 0x80) != 0) Add("steps", "StepCaps bit 7 is no programming step");
        if (steps != 0 && !IsMicrocontroller(f_)) {
            Add("steps", fmt::format("family '{}' has no programming steps", Letter(f_)));
        }
        const std::uint8_t caps = r_.OptionCaps();
        if ((caps & 0x40) != 0) Add("options", "OptionCaps bit 6 is no option");
        if (caps != 0 && !HasOperations(f_)) {
            Add("options", fmt::format("family '{}' has no operation to take options", Letter(f_)));
        }
        const std::uint8_t defaults = r_.DefaultOpts();
        if ((defaults & ~0x0D) != 0) Add("options", "DefaultOpts uses bits other than 0, 2, 3");
        if ((defaults & ~caps) != 0) {
            Add("options", "DefaultOpts switches on an option OptionCaps does not offer");
        }
    }

    void CheckIds() {
        if (f_ == Family::Micro && (r_.ManufId() == 0 || r_.DevId() == 0)) {
            Add("ids", "family 'M' parts carry ManufId and DevId signature bytes");
        }
        if (r_.ManufId() != 0 && r_.DevId() == 0) Add("ids", "ManufId given without DevId");
        if (r_.ManufId() == 0 && f_ != Family::Pic && (r_.DevId() != 0 || r_.DevId2() != 0)) {
            Add("ids", "DevId given without ManufId");
        }
    }

    void CheckConfigMask() {
        const std::uint8_t count = r_.ConfigCount();
        std::size_t used = 0;
        for (std::size_t i = 0; i < R::kConfigMaskSize; ++i) {
            if (r_.ConfigMask(i) != 0) used = i + 1;
        }
        if (f_ != Family::Pic) {
            if (count != 0 || used != 0) Add("config-mask", "only family 'C' has ConfigMask");
            return;
        }
        if (count > R::kConfigMaskSize) {
            Add("config-mask", fmt::format("ConfigCount {} is above 32", count));
        }
        if (count < 2 || count % 2 != 0) {
            Add("config-mask", "ConfigCount counts whole configuration words (2, 4, ...)");
        }
        if (IsExtendedPicLayout(r_) && count < 14) {
            Add("config-mask", "the extended layout holds 14 default configuration bytes");
        }
        if (used > count) Add("config-mask", "ConfigMask has bytes beyond ConfigCount");
    }

    void CheckEeprom() {
        const std::uint16_t e = r_.EepromSize();
        if (e == 0) return;
        if (f_ == Family::Micro) {
            if (!IsPowerOfTwo(e)) Add("eeprom", fmt::format("EepromSize {} is no power of two", e));
            return;
        }
        if (f_ != Family::Pic) {
            Add("eeprom", fmt::format("family '{}' has no data EEPROM", Letter(f_)));
            return;
        }
        const std::uint32_t bytes = e + 1U;  // 'C' stores the last data address
        if (!IsPowerOfTwo(bytes)) Add("eeprom", fmt::format("data EEPROM of {} bytes", bytes));
        const std::uint8_t a = r_.Algorithm();
        const PicAreas areas = PicAreasFor(r_);
        std::uint64_t room = 0;
        if (areas.dataOffset) {
            // To the end of the activation buffer, a word per byte but in the
            // PIC18 layout.
            const std::uint64_t end = IsExtendedPicLayout(r_) ? 0x100000 : 0x20000;
            room = (end - *areas.dataOffset) / (areas.dataAsWords ? 2 : 1);
        }
        if (room == 0) {
            Add("eeprom", fmt::format("the layout of Algorithm {} has no data area", a));
        } else if (bytes > room) {
            Add("buffer", "data EEPROM does not fit its area of the buffer");
        }
    }

    void CheckVoltages() {
        const float vcc = r_.Vcc();
        const float vccMax = r_.VccMax();
        const float vpp = r_.Vpp();
        if (!std::isfinite(vcc) || vcc < 1.5F || vcc > 6.0F) {
            Add("voltage", fmt::format("Vcc {} V is not a supply voltage", vcc));
        }
        if (!std::isfinite(vccMax) || (vccMax != 0.0F && (vccMax < vcc || vccMax > 7.0F))) {
            Add("voltage", fmt::format("VccMax {} V lies outside Vcc .. 7 V", vccMax));
        }
        if (!std::isfinite(vpp) || (vpp != 0.0F && (vpp < 5.0F || vpp > 26.0F))) {
            Add("voltage", fmt::format("Vpp {} V lies outside 5 .. 26 V", vpp));
        }
        const std::uint8_t a = r_.Algorithm();
        const bool byteWide = !IsMicrocontroller(f_) && f_ != Family::Logic;
        if (byteWide && algo::IsUvEprom(a) && vpp < 12.0F) {
            Add("voltage", "a UV EPROM needs its programming voltage Vpp");
        }
        const algo::Method* method = algo::MethodOf(a);
        if (byteWide && method != nullptr && method->base == algo::kFlash12VCommands &&
            vpp != 12.0F) {
            Add("voltage", "12 V flash programs at Vpp 12 V");
        }
        if (byteWide && algo::BehaviourOf(a) == algo::CellBehaviour::ReplacesBytes && vpp != 0.0F) {
            Add("voltage", "an EEPROM writes at Vcc and has no Vpp");
        }
    }

    void CheckBlank() {
        const std::uint8_t v = r_.BlankValue();
        bool ok = true;
        switch (f_) {
            case Family::Pic:
                ok = InSet(v, {0x0F, 0x3F, 0xFF});
                break;
            case Family::BipolarProm:
                ok = v == 0x00 || v == 0xFF;
                break;
            case Family::Logic:
                ok = v == '0' || v == '1';
                break;
            default:
                ok = v == 0xFF;
                break;
        }
        if (!ok)
            Add("blank",
                fmt::format("BlankValue 0x{:02X} is not an erased state of '{}'", v, Letter(f_)));
    }

    void CheckAdapter() {
        const std::uint8_t code = r_.Adapter();
        if (code == 0) return;
        const auto use = FindAdapter(code);
        if (!use) {
            Add("adapter", fmt::format("Adapter {} has no text", code));
        } else if (!use->memoriesToo && !IsMicrocontroller(f_)) {
            Add("adapter", fmt::format("Adapter {} is a microcontroller socket", code));
        }
    }

    void CheckFamilyFields() {
        const std::uint16_t width = r_.BusWidth();
        if (f_ == Family::Serial ? (width != 8 && width != 16) : width != 0) {
            Add("family-fields", "BusWidth is 8 or 16 for family 'S' and 0 elsewhere");
        }
        if (f_ == Family::Serial && ((r_.Algorithm() == algo::kSerialMicrowire8 && width != 8) ||
                                     (r_.Algorithm() == algo::kSerialMicrowire16 && width != 16))) {
            Add("family-fields", "a Microwire part's BusWidth is its organisation");
        }
        if (f_ == Family::Logic) {
            const std::uint8_t a = r_.Algorithm();
            if (a < algo::kFuseMapSizes.size() && r_.PinCount() != algo::kFuseMapSizes[a].pins) {
                Add("family-fields", "PinCount differs from the fuse map's pin count");
            }
        } else if (r_.PinCount() != 0) {
            Add("family-fields", "PinCount is for family 'P' only");
        }
        if (f_ != Family::Pic && r_.AlgoParam() != 0)
            Add("family-fields", "AlgoParam is for family 'C'");
        const std::uint8_t enc = r_.EncryptInfo();
        if (f_ == Family::Micro ? (enc & 0x0F) != 0 : enc != 0) {
            Add("family-fields", "EncryptInfo is a family 'M' high nibble");
        }
    }

    void CheckReserved() {
        std::array<bool, R::kSize> meant{};
        for (const auto& [offset, size] : kInterpreted) {
            std::fill_n(meant.begin() + static_cast<std::ptrdiff_t>(offset), size, true);
        }
        for (std::size_t i = 0; i < R::kSize; ++i) {
            if (!meant[i] && r_.Raw()[i] != 0) {
                Add("reserved", fmt::format("reserved byte {} is 0x{:02X}, not 0", i, r_.Raw()[i]));
                return;
            }
        }
    }

    const DeviceRecord& r_;
    Family f_;
    std::vector<CatalogueProblem> problems_;
};

std::vector<CatalogueProblem> ValidateText(std::string_view what, std::string_view text,
                                           std::size_t max) {
    std::vector<CatalogueProblem> problems;
    if (text.empty()) problems.push_back({"name", fmt::format("{} is empty", what)});
    if (text.size() > max) {
        problems.push_back(
            {"name", fmt::format("{} \"{}\" is longer than {} characters", what, text, max)});
    }
    const bool printable = std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!printable) problems.push_back({"name", fmt::format("{} has a control character", what)});
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) {
        problems.push_back(
            {"name", fmt::format("{} \"{}\" starts or ends with a blank", what, text)});
    }
    return problems;
}

}  // namespace

std::vector<CatalogueProblem> ValidateDevice(const DeviceRecord& record) {
    return Checker(record).Run();
}

std::vector<CatalogueProblem> ValidateForUse(const DeviceRecord& record) {
    std::vector<CatalogueProblem> problems = ValidateDevice(record);
    std::erase_if(problems, [](const CatalogueProblem& p) {
        return p.rule != "family" && p.rule != "size" && p.rule != "buffer";
    });
    return problems;
}

std::vector<CatalogueProblem> ValidateDeviceName(std::string_view name) {
    return ValidateText("DevName", name, kDevNameMax);
}

std::vector<CatalogueProblem> ValidateManufacturerName(std::string_view name) {
    return ValidateText("manufacturer name", name, kManufNameMax);
}

namespace {

// What the parameter block tells the programmer about a chip, and the
// geometry the programmer must then know from it.
struct ChipTypeKey {
    std::array<std::uint8_t, 8> block{};
    auto operator<=>(const ChipTypeKey&) const = default;
};

ChipTypeKey KeyOf(const DeviceRecord& r) {
    ChipTypeKey key;
    const auto size = static_cast<std::uint32_t>(r.LastAddr()) + 1;
    key.block = {static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size),
                 static_cast<std::uint8_t>(r.Family()), r.Algorithm()};
    if (r.Family() == Family::Pic) {
        const std::uint32_t n = PicDataAreaBytes(r);
        key.block[4] = static_cast<std::uint8_t>(n >> 8);
        key.block[5] = static_cast<std::uint8_t>(n);
        key.block[6] = r.AlgoParam();
        key.block[7] = r.ConfigType();
    }
    return key;
}

std::tuple<std::int32_t, std::uint16_t, std::uint16_t> GeometryOf(const DeviceRecord& r) {
    return {r.LastAddr(), r.EepromSize(), r.BusWidth()};
}

}  // namespace

std::vector<CatalogueFinding> ValidateChipTypes(const std::vector<DeviceDataFile::Entry>& entries) {
    std::vector<CatalogueFinding> findings;
    std::map<ChipTypeKey, std::pair<const DeviceRecord*, std::string>> seen;
    for (std::size_t m = 0; m < entries.size(); ++m) {
        for (std::size_t d = 0; d < entries[m].devices.size(); ++d) {
            const DeviceRecord& r = entries[m].devices[d];
            const std::string who = entries[m].manufacturer + " " + r.DevName();
            const auto [it, fresh] = seen.emplace(KeyOf(r), std::make_pair(&r, who));
            if (!fresh && GeometryOf(*it->second.first) != GeometryOf(r)) {
                findings.push_back(
                    {m,
                     d,
                     {"chip-type", fmt::format("sends the parameter block of {} but differs in "
                                               "size; give it its own Algorithm",
                                               it->second.second)}});
            }
        }
    }
    return findings;
}

std::vector<CatalogueFinding> ValidateCatalogue(const std::vector<DeviceDataFile::Entry>& entries) {
    std::vector<CatalogueFinding> findings;
    auto add = [&](std::size_t m, std::optional<std::size_t> d, CatalogueProblem p) {
        findings.push_back({m, d, std::move(p)});
    };
    if (entries.empty()) add(0, std::nullopt, {"count", "the catalogue lists no manufacturer"});
    if (entries.size() > 255) {
        add(255, std::nullopt, {"count", "ManufCount holds at most 255 manufacturers"});
    }
    std::set<std::string> manufacturers;
    for (std::size_t m = 0; m < entries.size(); ++m) {
        const DeviceDataFile::Entry& e = entries[m];
        for (CatalogueProblem& p : ValidateManufacturerName(e.manufacturer)) add(m, {}, p);
        if (!manufacturers.insert(e.manufacturer).second) {
            add(m, {},
                {"duplicate", fmt::format("manufacturer {} is listed twice", e.manufacturer)});
        }
        if (e.devices.empty()) add(m, {}, {"count", "manufacturer lists no device"});
        if (e.devices.size() >= kDeviceCountLimit) {
            add(m, {},
                {"count",
                 fmt::format("{} devices; DeviceCount stays below 32768", e.devices.size())});
        }
        std::set<std::string> names;
        for (std::size_t d = 0; d < e.devices.size(); ++d) {
            for (CatalogueProblem& p : ValidateDevice(e.devices[d])) add(m, d, p);
            if (!names.insert(e.devices[d].DevName()).second) {
                add(m, d, {"duplicate", "another device of this manufacturer has this DevName"});
            }
        }
    }
    for (CatalogueFinding& f : ValidateChipTypes(entries)) findings.push_back(std::move(f));
    return findings;
}

std::uint64_t MainAreaBytes(const DeviceRecord& record) {
    if (record.LastAddr() < 0) return 0;
    const std::uint64_t units = static_cast<std::uint64_t>(record.LastAddr()) + 1;
    return record.Family() == Family::Serial && record.BusWidth() == 16 ? 2 * units : units;
}

bool IsKnownAdapter(std::uint8_t adapter) {
    return FindAdapter(adapter).has_value();
}

}  // namespace karvo
