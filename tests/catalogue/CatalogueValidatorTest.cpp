#include <gtest/gtest.h>

#include <optional>

#include "CatalogueSourceReader.h"
#include "catalogue/AdapterNotes.h"
#include "catalogue/CatalogueValidator.h"

namespace karvo {
namespace {

using source::Json;

// One good device per kind of chip; every case below breaks one of them.
Json Base(const std::string& kind) {
    static const Json bases = Json::parse(R"({
      "eprom": {"DevName": "27C256", "Family": "E", "Algorithm": 3, "LastAddr": "0x7FFF",
                "Vcc": 5, "VccMax": 5.5, "Vpp": 12.75, "ManufId": "0x20", "DevId": "0x8D",
                "BlankValue": "0xFF", "ButtonCaps": "0xE7", "ButtonCaps2": "0x04",
                "OptionCaps": "0x01", "DefaultOpts": "0x01"},
      "eeprom": {"DevName": "28C64", "Family": "E", "Algorithm": 9, "LastAddr": "0x1FFF",
                 "Vcc": 5, "BlankValue": "0xFF", "ConfigType": 130, "ButtonCaps": "0xEF"},
      "pic": {"DevName": "16F84A", "Family": "C", "Algorithm": 5, "LastAddr": "0x7FF",
              "Vcc": 5, "Vpp": 13, "BlankValue": "0x3F", "EepromSize": 63, "ConfigCount": 2,
              "ConfigMask": ["0x3F", "0xFF"], "ButtonCaps": "0xFF", "ButtonCaps2": "0x05",
              "StepCaps": "0x57"},
      "micro": {"DevName": "AT89S52", "Family": "M", "Algorithm": 30, "LastAddr": "0x1FFF",
                "Vcc": 5, "ManufId": "0x1E", "DevId": "0x52", "DevId2": "0x06",
                "BlankValue": "0xFF", "ButtonCaps": "0xF7", "ButtonCaps2": "0x05",
                "OptionCaps": "0x04", "DefaultOpts": "0x04", "StepCaps": "0x4F"},
      "word": {"DevName": "27C1024", "Family": "O", "Algorithm": 129, "LastAddr": "0x1FFFF",
               "Vcc": 5, "Vpp": 12.75, "BlankValue": "0xFF", "ButtonCaps": "0x07"},
      "microwire": {"DevName": "93C46 x16", "Family": "S", "Algorithm": 44, "LastAddr": "0x3F",
                    "BusWidth": 16, "Vcc": 5, "BlankValue": "0xFF", "ButtonCaps": "0x07"},
      "spiflash": {"DevName": "W25X40", "Family": "S", "Algorithm": 187, "LastAddr": "0x7FFFF",
                   "BusWidth": 8, "ConfigType": 102, "Vcc": 3.3, "ManufId": "0xEF",
                   "DevId": "0x30", "DevId2": "0x13", "BlankValue": "0xFF", "ButtonCaps": "0x0F"},
      "pld": {"DevName": "GAL16V8", "Family": "P", "Algorithm": 1, "LastAddr": 2194,
              "PinCount": 20, "Vcc": 5, "BlankValue": "0x31", "ButtonCaps": "0x07"},
      "prom": {"DevName": "82S123", "Family": "R", "Algorithm": 32, "LastAddr": "0x1F",
               "Vcc": 5, "BlankValue": "0x00", "ButtonCaps": "0x07"},
      "flash12v": {"DevName": "28F010", "Family": "F", "Algorithm": 169, "LastAddr": "0x1FFFF",
                   "Vcc": 5, "Vpp": 12, "ManufId": "0x89", "DevId": "0xB4",
                   "BlankValue": "0xFF", "ButtonCaps": "0x07"}
    })");
    return bases.at(kind);
}

DeviceRecord Record(const Json& device) {
    const source::DeviceParse parsed = source::ParseDevice(device);
    EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front();
    return parsed.record;
}

struct BadEntry {
    const char* label;
    const char* base;
    const char* patch;  // fields replaced in the base entry
    const char* rule;
    std::optional<std::size_t> rawOffset = std::nullopt;  // a byte set to 1 after parsing
};

std::ostream& operator<<(std::ostream& os, const BadEntry& e) {
    return os << e.label;
}

class RefusesBadEntry : public ::testing::TestWithParam<BadEntry> {};

TEST_P(RefusesBadEntry, WithItsRule) {
    const BadEntry& e = GetParam();
    Json device = Base(e.base);
    device.update(Json::parse(e.patch));
    DeviceRecord record = Record(device);
    if (e.rawOffset) record.SetU8(*e.rawOffset, 1);
    const auto problems = ValidateDevice(record);
    std::string rules;
    for (const auto& p : problems) rules += p.rule + ": " + p.message + "\n";
    EXPECT_NE(rules.find(std::string(e.rule) + ":"), std::string::npos) << rules;
}

const BadEntry kBadEntries[] = {
    {"unknown family letter", "eprom", R"({"Family": "Q"})", "family"},
    {"lower-case family", "eprom", R"({"Family": "e"})", "family"},
    {"empty name", "eprom", R"({"DevName": ""})", "name"},
    {"name with a leading blank", "eprom", R"({"DevName": " 27C256"})", "name"},
    {"name with a tab", "eprom", R"({"DevName": "27C\t256"})", "name"},
    {"negative LastAddr", "eprom", R"({"LastAddr": -1})", "size"},
    {"EPROM of no power-of-two size", "eprom", R"({"LastAddr": "0x5FFF"})", "size"},
    {"memory beyond 2 MiB", "eprom", R"({"LastAddr": "0x3FFFFF"})", "size"},
    {"odd PIC byte count", "pic", R"({"LastAddr": "0x7FE"})", "size"},
    {"PIC code over the ID area", "pic", R"({"LastAddr": "0x7FFF"})", "buffer"},
    {"micro code and data past the buffer", "micro",
     R"({"LastAddr": "0x1FFFF", "EepromSize": 4096})", "buffer"},
    {"doubled word buffer past 2 MiB", "word", R"({"LastAddr": "0x1FFFFF"})", "size"},
    {"16-bit serial words past the buffer", "microwire", R"({"LastAddr": "0xFFFF"})", "size"},
    {"PLD size is not its fuse count", "pld", R"({"LastAddr": 2193})", "size"},
    {"32 KiB EPROM with the 64 KiB number", "eprom", R"({"Algorithm": 4})", "algorithm"},
    {"64 KiB EPROM with the 32 KiB number", "eprom", R"({"LastAddr": "0xFFFF"})", "algorithm"},
    {"128 KiB EPROM with the 64 KiB number", "eprom",
     R"({"LastAddr": "0x1FFFF", "Algorithm": 128})", "algorithm"},
    {"EPROM algorithm of no method", "eprom", R"({"Algorithm": 11})", "algorithm"},
    {"NMOS method past 64 KiB", "eprom", R"({"Algorithm": 1, "LastAddr": "0xFFFF", "Vpp": 21})",
     "algorithm"},
    {"PLD algorithm without a fuse map", "pld", R"({"Algorithm": 14})", "algorithm"},
    {"PIC algorithm above 18", "pic", R"({"Algorithm": 19})", "algorithm"},
    {"word-wide part with an EEPROM algorithm", "word", R"({"Algorithm": 9})", "algorithm"},
    {"serial part with an EPROM algorithm", "microwire", R"({"Algorithm": 3})", "algorithm"},
    {"EPROM with a serial page", "eprom", R"({"ConfigType": 100})", "config-type"},
    {"data protection page on an EPROM", "eprom", R"({"ConfigType": 130})", "config-type"},
    {"serial-flash page on a 32 KiB part", "spiflash", R"({"LastAddr": "0x7FFF"})", "config-type"},
    {"block-protect page on Microwire", "microwire", R"({"ConfigType": 100})", "config-type"},
    {"PIC configuration type above 50", "pic", R"({"ConfigType": 51})", "config-type"},
    {"PIC18 page on a mid-range part", "pic", R"({"ConfigType": 36})", "config-type"},
    {"mid-range page on a PIC18", "pic", R"({"Algorithm": 18, "ConfigType": 9, "ConfigCount": 14,
        "ConfigMask": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]})",
     "config-type"},
    {"enhanced page on a PIC18", "pic", R"({"Algorithm": 18, "ConfigType": 46, "ConfigCount": 14,
        "ConfigMask": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]})",
     "config-type"},
    {"mid-range page on a PIC17", "pic", R"({"Algorithm": 8, "ConfigType": 9})", "config-type"},
    {"two-word page with one word", "pic", R"({"ConfigType": 10})", "config-type"},
    {"PROM with a configuration page", "prom", R"({"ConfigType": 130})", "config-type"},
    {"erase on an EPROM", "eprom", R"({"ButtonCaps2": "0x05"})", "caps"},
    {"read on a PLD", "pld", R"({"ButtonCaps": "0x27"})", "caps"},
    {"no Load button", "eprom", R"({"ButtonCaps": "0xE6"})", "caps"},
    {"Config without a page", "eprom", R"({"ButtonCaps": "0xEF"})", "caps"},
    {"microcontroller without Options", "pic", R"({"ButtonCaps2": "0x01"})", "caps"},
    {"options offered but no Options button", "eprom", R"({"ButtonCaps2": 0})", "caps"},
    {"undefined ButtonCaps2 bit", "eprom", R"({"ButtonCaps2": "0x24"})", "caps"},
    {"programming steps on an EPROM", "eprom", R"({"StepCaps": "0x01"})", "steps"},
    {"StepCaps bit 7", "micro", R"({"StepCaps": "0xCF"})", "steps"},
    {"options on a family without operations", "pld",
     R"({"OptionCaps": "0x01", "ButtonCaps2": "0x04"})", "options"},
    {"default for an option not offered", "eprom", R"({"DefaultOpts": "0x05"})", "options"},
    {"OptionCaps bit 6", "eprom", R"({"OptionCaps": "0x41"})", "options"},
    {"DefaultOpts bit 1", "eprom", R"({"OptionCaps": "0x03", "DefaultOpts": "0x03"})", "options"},
    {"8051 without a signature", "micro", R"({"ManufId": 0})", "ids"},
    {"maker without a device ID", "eprom", R"({"DevId": 0})", "ids"},
    {"device ID without a maker", "eprom", R"({"ManufId": 0})", "ids"},
    {"odd configuration byte count", "pic", R"({"ConfigCount": 3, "ConfigMask": [1, 2, 3]})",
     "config-mask"},
    {"configuration mask on an EPROM", "eprom", R"({"ConfigCount": 2, "ConfigMask": [1, 2]})",
     "config-mask"},
    {"extended layout without 14 defaults", "pic", R"({"Algorithm": 18})", "config-mask"},
    {"mask bytes beyond ConfigCount", "pic", "{}", "config-mask", DeviceRecord::kConfigMask + 5},
    {"data EEPROM on an EPROM", "eprom", R"({"EepromSize": 128})", "eeprom"},
    {"PIC data EEPROM of 101 bytes", "pic", R"({"EepromSize": 100})", "eeprom"},
    {"PIC layout without a data area", "pic", R"({"Algorithm": 3})", "eeprom"},
    {"micro data EEPROM of 100 bytes", "micro", R"({"EepromSize": 100})", "eeprom"},
    {"no supply voltage", "eprom", R"({"Vcc": 0})", "voltage"},
    {"Vpp below 5 V", "eprom", R"({"Vpp": 4})", "voltage"},
    {"UV EPROM without Vpp", "eprom", R"({"Vpp": 0})", "voltage"},
    {"EEPROM with a Vpp", "eeprom", R"({"Vpp": 12})", "voltage"},
    {"VccMax below Vcc", "eprom", R"({"VccMax": 4.5})", "voltage"},
    {"12 V flash at 12.75 V", "flash12v", R"({"Vpp": 12.75})", "voltage"},
    {"EPROM blank at 0x00", "eprom", R"({"BlankValue": 0})", "blank"},
    {"PLD blank not a fuse character", "pld", R"({"BlankValue": "0xFF"})", "blank"},
    {"PIC blank 0x7F", "pic", R"({"BlankValue": "0x7F"})", "blank"},
    {"adapter without a text", "eprom", R"({"Adapter": 17})", "adapter"},
    {"8051 socket for an EPROM", "eprom", R"({"Adapter": 1})", "adapter"},
    {"BusWidth on an EPROM", "eprom", R"({"BusWidth": 8})", "family-fields"},
    {"32-bit serial memory", "microwire", R"({"BusWidth": 32})", "family-fields"},
    {"x16 Microwire part at BusWidth 8", "microwire", R"({"BusWidth": 8})", "family-fields"},
    {"PLD pins differ from its fuse map", "pld", R"({"PinCount": 24})", "family-fields"},
    {"pin count on an EPROM", "eprom", R"({"PinCount": 28})", "family-fields"},
    {"AlgoParam outside family C", "eprom", R"({"AlgoParam": 1})", "family-fields"},
    {"encryption on an EPROM", "eprom", R"({"EncryptInfo": "0x20"})", "family-fields"},
    {"encryption low nibble", "micro", R"({"EncryptInfo": "0x21"})", "family-fields"},
    {"reserved byte after VccMax", "eprom", "{}", "reserved", 30},
    {"reserved byte between DefaultOpts and OptionCaps", "micro", "{}", "reserved", 185},
};

std::string CaseName(const ::testing::TestParamInfo<BadEntry>& entry) {
    std::string name;
    for (const char* c = entry.param.label; *c; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Rules, RefusesBadEntry, ::testing::ValuesIn(kBadEntries), CaseName);

TEST(CatalogueValidator, EveryBaseEntryIsGood) {
    for (const char* kind : {"eprom", "eeprom", "pic", "micro", "word", "microwire", "spiflash",
                             "pld", "prom", "flash12v"}) {
        const auto problems = ValidateDevice(Record(Base(kind)));
        EXPECT_TRUE(problems.empty()) << kind << ": " << problems.front().message;
    }
}

DeviceDataFile::Entry Maker(const std::string& name, std::size_t devices) {
    DeviceDataFile::Entry e{name, {}};
    for (std::size_t i = 0; i < devices; ++i) {
        Json d = Base("eprom");
        d["DevName"] = "27C256-" + std::to_string(i);
        e.devices.push_back(Record(d));
    }
    return e;
}

bool HasRule(const std::vector<CatalogueFinding>& findings, const std::string& rule) {
    for (const auto& f : findings) {
        if (f.problem.rule == rule) return true;
    }
    return false;
}

TEST(CatalogueValidator, WholeCatalogueRules) {
    EXPECT_TRUE(ValidateCatalogue({Maker("Good", 2), Maker("Fourteen-Chars", 1)}).empty());
    EXPECT_TRUE(HasRule(ValidateCatalogue({}), "count"));
    EXPECT_TRUE(HasRule(ValidateCatalogue({Maker("Fifteen-Letters", 1)}), "name"));
    EXPECT_TRUE(HasRule(ValidateCatalogue({Maker("Same", 1), Maker("Same", 1)}), "duplicate"));
    EXPECT_TRUE(HasRule(ValidateCatalogue({Maker("None", 0)}), "count"));

    auto twins = Maker("Twins", 2);
    twins.devices[1] = twins.devices[0];
    const auto findings = ValidateCatalogue({twins});
    ASSERT_EQ(findings.size(), 1U);
    EXPECT_EQ(findings[0].problem.rule, "duplicate");
    EXPECT_EQ(findings[0].deviceIndex, std::optional<std::size_t>(1));
}

TEST(CatalogueValidator, SameParameterBlockNeedsTheSameGeometry) {
    Json small = Base("micro");
    Json large = Base("micro");
    large["DevName"] = "AT89S52X";
    large["LastAddr"] = "0x11FFF";  // sends 0x2000 like the 8 KiB part
    DeviceDataFile::Entry e{"Maker", {Record(small), Record(large)}};
    const auto findings = ValidateCatalogue({e});
    ASSERT_EQ(findings.size(), 1U);
    EXPECT_EQ(findings[0].problem.rule, "chip-type");
    EXPECT_NE(findings[0].problem.message.find("Maker AT89S52"), std::string::npos);

    large["LastAddr"] = "0x1FFF";  // the same chip under another name is fine
    e.devices[1] = Record(large);
    EXPECT_TRUE(ValidateCatalogue({e}).empty());
    // Across files: the check takes both catalogues at once.
    DeviceDataFile::Entry other{"Other", {Record(Base("micro"))}};
    other.devices[0].SetU32(DeviceRecord::kLastAddr, 0x21FFF);
    EXPECT_EQ(ValidateChipTypes({e, other}).size(), 1U);
}

TEST(CatalogueValidator, DeviceCountStaysBelow32768) {
    auto many = Maker("Many", 1);
    many.devices.resize(32768, many.devices[0]);
    EXPECT_TRUE(HasRule(ValidateCatalogue({many}), "count"));
}

TEST(CatalogueValidator, TooManyManufacturersForTheCountByte) {
    std::vector<DeviceDataFile::Entry> entries;
    for (int i = 0; i < 256; ++i) entries.push_back(Maker("M" + std::to_string(i), 1));
    EXPECT_TRUE(HasRule(ValidateCatalogue(entries), "count"));
    entries.pop_back();
    EXPECT_TRUE(ValidateCatalogue(entries).empty());
}

TEST(CatalogueValidator, MainAreaBytesCountsWordsOfSixteenBitSerialParts) {
    Json eprom = Base("eprom");
    eprom["LastAddr"] = "0x1FFF";
    EXPECT_EQ(MainAreaBytes(Record(eprom)), 8U * 1024);
    EXPECT_EQ(MainAreaBytes(Record(Base("microwire"))), 128U);
    eprom["LastAddr"] = -5;
    EXPECT_EQ(MainAreaBytes(Record(eprom)), 0U);
}

TEST(CatalogueValidator, KnownAdaptersAreExactlyThoseWithAText) {
    DeviceRecord r = Record(Base("micro"));
    for (int code = 0; code < 256; ++code) {
        r.SetU8(DeviceRecord::kAdapter, static_cast<std::uint8_t>(code));
        r.SetU16(DeviceRecord::kEepromSize, 0);
        r.SetU8(DeviceRecord::kEncryptInfo, 0);
        const AdapterNotes notes = NotesFor(r);
        const bool hasText = !notes.adapter.empty() || !notes.comment.empty();
        EXPECT_EQ(IsKnownAdapter(static_cast<std::uint8_t>(code)), hasText) << code;
    }
}

// Activation refuses only what would break the program itself; a record that
// merely breaks the catalogue's style (a voltage, an adapter) is still used.
TEST(ValidateForUse, OnlySizesAndAreasThatDoNotFit) {
    for (const std::uint32_t lastAddr : {0xFFFF0000u, 0x7FFFFFFFu, 0x3FFFFFu}) {
        DeviceRecord record = Record(Base("eprom"));
        record.SetU32(DeviceRecord::kLastAddr, lastAddr);
        const auto problems = ValidateForUse(record);
        ASSERT_FALSE(problems.empty()) << lastAddr;
        EXPECT_EQ(problems.front().rule, "size");
    }
    Json pic = Base("pic");
    pic["EepromSize"] = 0xFFFF;
    EXPECT_FALSE(ValidateForUse(Record(pic)).empty());
    Json styled = Base("eprom");
    styled["Vpp"] = 40;
    styled["DevName"] = " 27C256";
    EXPECT_FALSE(ValidateDevice(Record(styled)).empty());
    EXPECT_TRUE(ValidateForUse(Record(styled)).empty());
}

}  // namespace
}  // namespace karvo
