#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "catalogue/ChipFacts.h"
#include "catalogue/DeviceDataFile.h"
#include "support/GputilsHeaders.h"

// gputils carries the makers' assembler headers and linker scripts for every
// PIC we list: the headers name each configuration setting with the word it
// assembles to, the scripts give program memory and data EEPROM as address
// ranges. They were written without our catalogue in view, so where both
// speak of a part they must agree. A mask that leaves out an implemented bit
// makes Read drop it and Verify overlook it; a wrong size makes Read stop
// short or Program run past the part.
namespace karvo {
namespace {

namespace fs = std::filesystem;
using test::ConfigSettings;
using test::FilesFor;
using test::kGputils;
using test::Lower;
using test::PartFiles;

// Bits that the parts implement although no header setting offers them, so
// that the derivation below cannot see them. Each is in our masks on purpose.
struct ExtraBits {
    const char* devName;
    std::size_t byte;  // index into ConfigMask
    std::uint8_t bits;
};
constexpr ExtraBits kExtraBits[] = {
    // BG1:BG0, the band-gap calibration the factory writes into CONFIG bits
    // 13..12. Read keeps them so that a Program from that image writes them
    // back instead of clearing them.
    {"12F629", 0, 0x30},
    {"12F675", 0, 0x30},
    {"16F630", 0, 0x30},
    {"16F676", 0, 0x30},
    // CONFIG2 bit 4, reserved and to be programmed 1 on these parts. Masking
    // it out would let a read image carry 0 there into the next Program.
    {"16F1827", 3, 0x10},
    {"16F1847", 3, 0x10},
    {"12F1822", 3, 0x10},
    {"16F1823", 3, 0x10},
    {"12F1840", 3, 0x10},
    {"16F1825", 3, 0x10},
    {"16F1829", 3, 0x10},
};

// Program memory and data EEPROM of a linker script, in its address units
// (words, bytes on PIC18). Program memory is every range below the first
// range set aside for ID locations, configuration, device ID or data EEPROM;
// calibration words at its top count as program memory.
struct ScriptMemories {
    std::uint32_t programEnd = 0;  // last program address
    std::uint32_t eepromBytes = 0;
};

std::optional<ScriptMemories> ReadScript(const fs::path& script) {
    static const std::regex kCodePage(R"(^\s*CODEPAGE\s+NAME=(\S+)\s+START=(\S+)\s+END=(\S+).*)",
                                      std::regex::icase);
    static const std::regex kSetAside("idlocs|config|devid|device_id|eedata|userid|usrlocs|cfgmem",
                                      std::regex::icase);
    struct Range {
        std::string name;
        std::uint32_t start;
        std::uint32_t end;
    };
    std::vector<Range> ranges;
    std::ifstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        std::smatch m;
        if (!std::regex_match(line, m, kCodePage)) continue;
        const std::string start = m[2];
        const std::string end = m[3];
        // Ranges given by symbols (debugger reservations) say nothing here.
        if (!std::isdigit(static_cast<unsigned char>(start[0])) ||
            !std::isdigit(static_cast<unsigned char>(end[0]))) {
            continue;
        }
        ranges.push_back({m[1], static_cast<std::uint32_t>(std::stoul(start, nullptr, 0)),
                          static_cast<std::uint32_t>(std::stoul(end, nullptr, 0))});
    }
    std::uint32_t limit = UINT32_MAX;
    ScriptMemories memories;
    for (const Range& r : ranges) {
        if (!std::regex_search(r.name, kSetAside)) continue;
        limit = std::min(limit, r.start);
        if (Lower(r.name).find("eedata") != std::string::npos) {
            memories.eepromBytes = r.end - r.start + 1;
        }
    }
    bool program = false;
    for (const Range& r : ranges) {
        if (r.end < limit && !std::regex_search(r.name, kSetAside)) {
            memories.programEnd = std::max(memories.programEnd, r.end);
            program = true;
        }
    }
    if (!program) return std::nullopt;
    return memories;
}

// Our ConfigMask bytes as gputils' header gives them: word n high byte
// first, or for PIC18 the bytes CONFIG1H, 1L ... 7H, 7L. An empty result
// with a message when the header's words do not map onto the record's.
std::vector<std::uint8_t> MasksFromHeader(const ConfigSettings& settings, const DeviceRecord& r,
                                          std::string& problem) {
    std::vector<std::uint8_t> masks(r.ConfigCount(), 0);
    static const std::regex kPic18Byte(R"(CONFIG([1-7])([LH]))");
    static const std::regex kWord(R"(CONFIG(\d*))");
    for (const std::string& word : settings.Words()) {
        std::smatch m;
        std::size_t first = 0;
        std::size_t count = 0;
        std::uint32_t width = 0;
        if (IsExtendedPicLayout(r)) {
            if (!std::regex_match(word, m, kPic18Byte)) {
                problem = "the header has settings in " + word;
                return {};
            }
            first = 2 * (std::stoul(m[1]) - 1) + (m[2] == "H" ? 0 : 1);
            count = 1;
            width = 0xFF;
        } else {
            if (!std::regex_match(word, m, kWord)) {
                problem = "the header has settings in " + word;
                return {};
            }
            const std::size_t n = m[1].length() == 0 ? 1 : std::stoul(m[1]);
            first = 2 * (n - 1);
            count = 2;
            // 12-bit, 14-bit and 16-bit words erase to their BlankValue.
            width = (std::uint32_t{r.BlankValue()} << 8) | 0xFF;
        }
        if (first + count > masks.size()) {
            problem = fmt::format("the header has settings in {}, beyond ConfigCount {}", word,
                                  r.ConfigCount());
            return {};
        }
        const std::uint32_t bits = settings.Implemented(word, width);
        if (count == 2) {
            masks[first] = static_cast<std::uint8_t>(bits >> 8);
            masks[first + 1] = static_cast<std::uint8_t>(bits);
        } else {
            masks[first] = static_cast<std::uint8_t>(bits);
        }
    }
    return masks;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) text += fmt::format("{}{:02X}", text.empty() ? "" : " ", b);
    return text;
}

// The reader itself, on a header and a script shaped like gputils' ones.
TEST(Gputils, ReaderFollowsThePartsBranchAndItsSettings) {
    const fs::path dir = fs::path(::testing::TempDir()) / "karvo-gputils-reader";
    fs::create_directories(dir / "header");
    fs::create_directories(dir / "lkr");
    std::ofstream(dir / "header" / "ptwo.inc")
        << "        LIST\n"
           "        NOLIST\n"
           "        IFNDEF __TWO\n"
           "           MESSG \"Processor-header file mismatch.\"\n"
           "        ENDIF\n"
           "_STATUS_BIT          EQU  H'0002'\n"
           "        IFDEF __TWO\n"
           "           #define __WIDE\n"
           "        ENDIF\n"
           ";       Configuration Bits\n"
           "_CONFIG1         EQU  H'2007'\n"
           ";----- CONFIG1 Options -------------------------\n"
           "_FOSC_LP         EQU  H'3FFC'    ; LP\n"
           "_FOSC_RC         EQU  H'3FFF'    ; RC\n"
           "\n"
           "_RES_ALL         EQU  H'3FBF'    ; every value clears bit 6\n"
           "_RES_OFF         EQU  H'3FBF'\n"
           "\n"
           "        IFDEF __WIDE\n"
           "_CP_ON           EQU  H'0FFF'    ; bits 13..12\n"
           "_CP_OFF          EQU  H'3FFF'\n"
           "        ELSE\n"
           "_CP_ON           EQU  H'3FEF'\n"
           "_CP_OFF          EQU  H'3FFF'\n"
           "        ENDIF\n"
           ";----- CONFIG2 Options -------------------------\n"
           "_ONLY_OFF        EQU  H'3FFE'    ; a single value is no choice\n"
           "\n"
           "_WRT_OFF         EQU  H'3FFD'\n"
           ";;;; a comment line inside a setting\n"
           "_WRT_ON          EQU  H'3FFF'\n"
           ";----- IDLOC Equates ---------------------------\n"
           "_IDLOC0          EQU  H'2000'\n"
           "        LIST\n";
    std::ofstream(dir / "lkr" / "two_g.lkr")
        << "CODEPAGE   NAME=page0      START=0x0       END=0x7FF\n"
           "CODEPAGE   NAME=page1      START=0x800     END=0xFFE\n"
           "CODEPAGE   NAME=.oscval    START=0xFFF     END=0xFFF   PROTECTED\n"
           "CODEPAGE   NAME=debug      START=_DEBUGCODESTART   END=_CEND   PROTECTED\n"
           "CODEPAGE   NAME=.idlocs    START=0x2000    END=0x2003  PROTECTED\n"
           "CODEPAGE   NAME=.config    START=0x2007    END=0x2008  PROTECTED\n"
           "CODEPAGE   NAME=eedata     START=0x2100    END=0x217F  PROTECTED\n";

    const PartFiles files = FilesFor(dir, "TWO");
    EXPECT_EQ(files.header, dir / "header" / "ptwo.inc");
    EXPECT_EQ(files.symbol, "__TWO");
    const ConfigSettings settings(files.header, files.symbol);
    EXPECT_EQ(settings.Words(), (std::vector<std::string>{"CONFIG1", "CONFIG2"}));
    EXPECT_EQ(settings.Implemented("CONFIG1", 0x3FFF), 0x3003U);
    EXPECT_EQ(settings.Implemented("CONFIG2", 0x3FFF), 0x0002U);
    EXPECT_EQ(ConfigSettings(files.header, "__ONE").Implemented("CONFIG1", 0x3FFF), 0x0013U);

    const auto memories = ReadScript(files.script);
    ASSERT_TRUE(memories);
    EXPECT_EQ(memories->programEnd, 0xFFFU);
    EXPECT_EQ(memories->eepromBytes, 0x80U);
    fs::remove_all(dir);
}

TEST(Gputils, PicEntriesAgreeWithTheHeadersAndLinkerScripts) {
    if (!fs::is_directory(kGputils / "header") || !fs::is_directory(kGputils / "lkr")) {
        GTEST_SKIP() << kGputils << " is absent; install gputils to compare with it";
    }
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int checked = 0;
    std::string passedOver;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto r = file->Record(m, d);
            ASSERT_TRUE(r);
            if (r->Family() != Family::Pic) continue;
            const std::string name = r->DevName();
            const PartFiles files = FilesFor(kGputils, name);
            if (!fs::exists(files.header) || !fs::exists(files.script)) {
                passedOver += passedOver.empty() ? name : ", " + name;
                continue;
            }
            SCOPED_TRACE(name + " against " + files.header.string() + " and " +
                         files.script.string());

            const auto memories = ReadScript(files.script);
            ASSERT_TRUE(memories) << "no program memory in the linker script";
            // PIC18 scripts count bytes, the others words of two buffer bytes.
            const std::uint32_t lastAddr =
                IsExtendedPicLayout(*r) ? memories->programEnd : 2 * (memories->programEnd + 1) - 1;
            EXPECT_EQ(static_cast<std::uint32_t>(r->LastAddr()), lastAddr)
                << fmt::format("LastAddr 0x{:X}, the script's program memory gives 0x{:X}",
                               r->LastAddr(), lastAddr);
            const std::uint32_t eeprom = r->EepromSize() == 0 ? 0 : r->EepromSize() + 1U;
            EXPECT_EQ(eeprom, memories->eepromBytes) << "data EEPROM bytes";

            const ConfigSettings settings(files.header, files.symbol);
            std::string problem;
            std::vector<std::uint8_t> expected = MasksFromHeader(settings, *r, problem);
            if (expected.empty()) {
                ADD_FAILURE() << problem;
                continue;
            }
            for (const ExtraBits& extra : kExtraBits) {
                if (name != extra.devName) continue;
                ASSERT_LT(extra.byte, expected.size());
                EXPECT_EQ(expected[extra.byte] & extra.bits, 0)
                    << "the header now offers the bits the extra-bits table adds";
                expected[extra.byte] |= extra.bits;
            }
            std::vector<std::uint8_t> ours(r->ConfigCount());
            for (std::size_t i = 0; i < ours.size(); ++i) ours[i] = r->ConfigMask(i);
            EXPECT_EQ(Hex(ours), Hex(expected)) << "ConfigMask against the header's settings";
            ++checked;
        }
    }
    RecordProperty("checked", checked);
    if (!passedOver.empty()) RecordProperty("passed_over", passedOver);
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace karvo
