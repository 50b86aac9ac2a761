// The AVR fuse pages against avr-libc's device headers: for every shipped
// AVR a page serves, each shown fuse box writes the bit of the fuse its
// caption names, checked for the value its caption claims (a fuse named
// alone is checked when programmed, 0; "NAME = 1" when it reads 1), and each
// fuse group writes exactly the bits of the field it names.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "config/AvrLibcHeaders.h"
#include "config/ConfigRig.h"

namespace karvo::test {
namespace {

struct Claim {
    std::string name;
    int checkedValue = 0;  // the fuse's bit while the box is checked
};

// Captions that say what they do rather than name the fuse.
const std::map<std::string, Claim> kDescribed = {
    {"SPI Enabled", {"SPIEN", 0}},
    {"BOD Enabled", {"BODEN", 0}},
    {"debugWIRE Enabled", {"DWEN", 0}},
    {"WDT always on", {"WDTON", 0}},
    {"Divided Clock by 8 ", {"CKDIV8", 0}},
    {"CKOUT Enabled", {"CKOUT", 0}},
    {"SELFPRG Enabled", {"SELFPRGEN", 0}},
    // ATtiny26: BODLEVEL unprogrammed is 2.7 V; Page204: 2.6 V (the
    // ATmega8's 2.7 V) likewise, 4.0 V programmed.
    {"BODLEVEL = 2.7V", {"BODLEVEL", 1}},
    {"BODLEVEL = 2.6V", {"BODLEVEL", 1}},
};

std::optional<Claim> ClaimOf(const std::string& caption) {
    static const std::regex kOne(R"(([A-Z][A-Z0-9]*) = 1)");
    static const std::regex kBare(R"(([A-Z][A-Z0-9]*)\s*)");
    std::smatch m;
    if (const auto it = kDescribed.find(caption); it != kDescribed.end()) return it->second;
    if (std::regex_match(caption, m, kOne)) return Claim{m[1], 1};
    if (std::regex_match(caption, m, kBare)) return Claim{m[1], 0};
    return std::nullopt;
}

// Where a header names a fuse otherwise: the ATmega32A and ATmega48PA call
// CKSEL3..0 and SUT1..0 together SUT_CKSEL5..0.
std::optional<FuseBit> FindFuse(const AvrFuses& header, const std::string& name) {
    if (auto found = header.Find(name)) return found;
    std::smatch m;
    static const std::regex kCksel(R"(CKSEL([0-3]))");
    static const std::regex kSut(R"(SUT([01]))");
    if (std::regex_match(name, m, kCksel)) return header.Find("SUT_CKSEL" + m[1].str());
    if (std::regex_match(name, m, kSut))
        return header.Find("SUT_CKSEL" + std::to_string(4 + std::stoi(m[1])));
    return std::nullopt;
}

// The fuse bits a field's name covers ("CKSEL" -> CKSEL0 ... CKSEL3).
std::map<std::uint8_t, std::uint8_t> FieldBits(const AvrFuses& header, const std::string& field) {
    std::map<std::uint8_t, std::uint8_t> bits;
    for (int n = 0; n < 8; ++n) {
        if (const auto fuse = FindFuse(header, field + std::to_string(n))) {
            bits[fuse->cell] |= static_cast<std::uint8_t>(1U << fuse->bit);
        }
    }
    return bits;
}

bool IsAvr(const DeviceRecord& part) {
    const std::string name = part.DevName();
    return part.Family() == Family::Micro &&
           (name.rfind("ATmega", 0) == 0 || name.rfind("ATtiny", 0) == 0 ||
            name.rfind("AT90S", 0) == 0);
}

constexpr std::uint8_t kFuseCells[] = {config::kFuseLow, config::kFuseHigh, config::kFuseExt};

// The fuse bits that differ between a control's choices, from all ones and
// from all zeros, and the bits its checked choice leaves.
struct Written {
    std::map<std::uint8_t, std::uint8_t> chosen;
    std::map<std::uint8_t, std::uint8_t> touched;
    std::map<std::uint8_t, std::uint8_t> checkedOnes;
};
Written Simulate(std::string_view writes, int choices) {
    Written w;
    for (const std::uint8_t start : {0x00, 0xFF}) {
        std::vector<std::map<std::uint8_t, std::uint8_t>> after;
        for (int choice = 0; choice < choices; ++choice) {
            ConfigBitsState state;
            state.FuseLow = state.FuseHigh = state.FuseExt = start;
            config::BitsStateStore store(state);
            config::ApplyWrites(writes, choice, store);
            after.push_back({{config::kFuseLow, state.FuseLow},
                             {config::kFuseHigh, state.FuseHigh},
                             {config::kFuseExt, state.FuseExt}});
        }
        for (const std::uint8_t cell : kFuseCells) {
            for (const auto& a : after) {
                w.chosen[cell] |= a.at(cell) ^ after[0].at(cell);
                w.touched[cell] |= a.at(cell) ^ start;
            }
            if (choices == 2) w.checkedOnes[cell] = after[1].at(cell);
        }
    }
    return w;
}

TEST(AvrLibcPages, EveryFuseControlAgreesWithTheHeaderOfItsPart) {
    if (!fs::is_directory(kAvrLibc)) {
        GTEST_SKIP() << kAvrLibc << " is absent; install avr-libc to compare with it";
    }
    int parts = 0;
    int controls = 0;
    std::string passedOver;
    for (const DeviceRecord& part : ShippedRecords("KARVO_m.usb")) {
        if (!IsAvr(part)) continue;
        const std::string name = part.DevName();
        const fs::path headerPath = AvrHeaderFor(kAvrLibc, name);
        const AvrFuses header(headerPath);
        if (header.Empty()) {
            passedOver += (passedOver.empty() ? "" : ", ") + name;
            continue;
        }
        ConfigRig rig(part);
        rig.Open();
        if (rig.model.Pages().empty()) continue;
        ++parts;
        for (const auto& page : rig.model.Pages()) {
            for (const auto& c : page.controls) {
                if (!c.visible || !c.enabled) continue;
                const config::ControlKind kind = c.Kind();
                if (kind != config::ControlKind::CheckBox &&
                    kind != config::ControlKind::RadioGroup &&
                    kind != config::ControlKind::ComboBox) {
                    continue;
                }
                const Written w = Simulate(c.writes, c.Choices());
                bool fuses = false;
                for (const auto& [cell, bits] : w.chosen) fuses = fuses || bits != 0;
                if (!fuses) continue;
                ++controls;
                const std::string where = fmt::format("{} {}", name, c.Name());
                if (kind != config::ControlKind::CheckBox) {
                    // A group names its field ("CKSEL3..0", "SUT1..0",
                    // "BODLEVEL[2..0]") and writes inside it only; it may
                    // offer some of the field's codes (BODLEVEL 1xx).
                    std::smatch m;
                    const std::string caption = c.caption;
                    ASSERT_TRUE(std::regex_search(caption, m, std::regex(R"(^[A-Z]+)"))) << where;
                    const auto expected = FieldBits(header, m[0]);
                    for (const std::uint8_t cell : kFuseCells) {
                        const auto it = expected.find(cell);
                        const std::uint8_t field = it == expected.end() ? 0 : it->second;
                        EXPECT_EQ(w.touched.at(cell) & ~field, 0)
                            << where << " writes other bits of fuse byte " << int{cell} << " than "
                            << m[0] << " has";
                        if (field != 0) {
                            EXPECT_NE(w.chosen.at(cell), 0) << where << " chooses nothing";
                        }
                    }
                    continue;
                }
                // The box's caption while checked says which fuse it is.
                ConfigRig checked(part);
                checked.Open();
                checked.Click(std::string(c.Name()), 1);
                const std::string caption = checked.Get(std::string(c.Name())).caption;
                const auto claim = ClaimOf(caption);
                ASSERT_TRUE(claim) << where << " \"" << caption << "\" names no fuse";
                const auto fuse = FindFuse(header, claim->name);
                if (!fuse) {
                    ADD_FAILURE() << where << " \"" << caption << "\": " << headerPath.filename()
                                  << " has no FUSE_" << claim->name;
                    continue;
                }
                for (const std::uint8_t cell : kFuseCells) {
                    const std::uint8_t bit = cell == fuse->cell ? 1U << fuse->bit : 0;
                    EXPECT_EQ(w.chosen.at(cell), bit)
                        << where << " is not FUSE_" << claim->name << " (byte " << int{fuse->cell}
                        << " bit " << fuse->bit << ")";
                }
                const int value = (w.checkedOnes.at(fuse->cell) >> fuse->bit) & 1;
                EXPECT_EQ(value, claim->checkedValue)
                    << where << " \"" << caption << "\" writes " << value << " when checked";
            }
        }
    }
    RecordProperty("parts", parts);
    RecordProperty("controls", controls);
    if (!passedOver.empty()) RecordProperty("passed_over", passedOver);
    EXPECT_GE(parts, 30);
    EXPECT_GE(controls, 350);
}

// The reader on a header shaped like avr-libc's.
TEST(AvrLibcPages, HeadersReadByByteAndBit) {
    const fs::path dir = fs::path(::testing::TempDir()) / "karvo-avrlibc";
    fs::create_directories(dir);
    std::ofstream(dir / "iotn99.h") << "/* Fuses */\n#define FUSE_MEMORY_SIZE 2\n"
                                       "/* Low Fuse Byte */\n"
                                       "#define FUSE_CKSEL0 (unsigned char)~_BV(0)\n"
                                       "#define FUSE_SUT_CKSEL5 (unsigned char)~_BV(5)\n"
                                       "/* High Fuse Byte */\n"
                                       "#define FUSE_SPIEN ~_BV(1)  /* Serial */\n";
    const AvrFuses header(AvrHeaderFor(dir, "ATtiny99"));
    EXPECT_EQ(header.Find("CKSEL0")->cell, config::kFuseLow);
    EXPECT_EQ(header.Find("SPIEN")->cell, config::kFuseHigh);
    EXPECT_EQ(header.Find("SPIEN")->bit, 1);
    EXPECT_EQ(FindFuse(header, "SUT1")->bit, 5);
    EXPECT_EQ(AvrHeaderFor(dir, "ATmega48/V").filename(), "iom48.h");
    EXPECT_EQ(AvrHeaderFor(dir, "AT90S8515").filename(), "io8515.h");
    EXPECT_EQ(ClaimOf("CKSEL0 = 1")->checkedValue, 1);
    EXPECT_EQ(ClaimOf("WDTON")->checkedValue, 0);
    EXPECT_EQ(ClaimOf("CKSEL0 ")->name, "CKSEL0");
    EXPECT_FALSE(ClaimOf("Lock Bit 1"));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace karvo::test
