#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/DeviceDataFile.h"

// avr-libc's device headers are a second reading of the makers' part
// descriptions, written independently of our catalogue. Where both name a
// signature, a flash size or an EEPROM size they must agree: a typo in a
// signature byte makes "ID Check" refuse every good chip, a wrong size makes
// Read stop short or Program write past the part.
namespace karvo {
namespace {

namespace fs = std::filesystem;

const fs::path kAvrInclude = "/usr/lib/avr/include";

struct LibcPart {
    const char* devName;  // as our catalogue spells it
    const char* part;     // avr-libc's name; __AVR_<part>__ selects it in shared headers
    const char* header;   // file under avr/
};

// Every AVR entry of KARVO_m. A part avr-libc has no header for (or that the
// installed version lacks) is passed over; an AVR entry missing here fails,
// so a new chip cannot slip past the check unnoticed.
constexpr LibcPart kParts[] = {
    {"AT90S1200", "AT90S1200", "io1200.h"},       {"AT90S2313", "AT90S2313", "io2313.h"},
    {"AT90S2343", "AT90S2343", "io2343.h"},       {"AT90S8515", "AT90S8515", "io8515.h"},
    {"AT90S8535", "AT90S8535", "io8535.h"},       {"ATtiny11", "ATtiny11", "iotn11.h"},
    {"ATtiny12", "ATtiny12", "iotn12.h"},         {"ATtiny13", "ATtiny13", "iotn13.h"},
    {"ATtiny2313", "ATtiny2313", "iotn2313.h"},   {"ATtiny26", "ATtiny26", "iotn26.h"},
    {"ATtiny25", "ATtiny25", "iotn25.h"},         {"ATtiny45", "ATtiny45", "iotn45.h"},
    {"ATtiny85", "ATtiny85", "iotn85.h"},         {"ATtiny261", "ATtiny261", "iotn261.h"},
    {"ATtiny461", "ATtiny461", "iotn461.h"},      {"ATtiny861", "ATtiny861", "iotn861.h"},
    {"ATtiny24", "ATtiny24", "iotn24.h"},         {"ATtiny44", "ATtiny44", "iotn44.h"},
    {"ATtiny84", "ATtiny84", "iotn84.h"},         {"ATmega8", "ATmega8", "iom8.h"},
    {"ATmega16", "ATmega16", "iom16.h"},          {"ATmega32A", "ATmega32A", "iom32a.h"},
    {"ATmega8515", "ATmega8515", "iom8515.h"},    {"ATmega8535", "ATmega8535", "iom8535.h"},
    {"ATmega162", "ATmega162", "iom162.h"},       {"ATmega48/V", "ATmega48", "iom48.h"},
    {"ATmega48PA", "ATmega48PA", "iom48pa.h"},    {"ATmega88/V", "ATmega88", "iom88.h"},
    {"ATmega88PA", "ATmega88PA", "iom88pa.h"},    {"ATmega168/V", "ATmega168", "iom168.h"},
    {"ATmega168PA", "ATmega168PA", "iom168pa.h"}, {"ATmega328", "ATmega328", "iom328.h"},
    {"ATmega328P", "ATmega328P", "iom328p.h"},
};

const LibcPart* FindPart(const std::string& devName) {
    for (const LibcPart& p : kParts) {
        if (devName == p.devName) return &p;
    }
    return nullptr;
}

bool IsAvrName(const std::string& name) {
    for (const char* prefix : {"AT90S", "ATtiny", "ATmega"}) {
        if (name.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// Comments out, line breaks kept (a block comment may hide a #define).
std::string StripComments(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            const std::size_t stop = end == std::string::npos ? text.size() : end + 2;
            for (; i < stop; ++i) {
                if (text[i] == '\n') out += '\n';
            }
            out += ' ';
            --i;
        } else if (text.compare(i, 2, "//") == 0) {
            while (i < text.size() && text[i] != '\n') ++i;
            if (i < text.size()) out += '\n';
        } else {
            out += text[i];
        }
    }
    return out;
}

// The object-like macros a device header defines for one part, read the way
// the compiler would see them for that part: conditional blocks are followed
// (several headers serve more than one part, iom328p.h gives the ATmega328
// and the ATmega328P different signatures), and the header's own #include of
// another io*.h file is read in place. Conditions know defined(), !, && and
// ||; any other condition counts as false.
class HeaderMacros {
  public:
    HeaderMacros(const fs::path& header, const std::string& part) {
        defines_["__AVR_" + part + "__"] = "1";
        defines_["_AVR_IO_H_"] = "1";  // as if included by <avr/io.h>
        Read(header, 0);
    }

    // The value of NAME: a number ("0x3FFFU", "(0x1FF)") or a sum of
    // numbers and other macros ("(1024 - 1)", "EEPROM_END", "RAMSTART + 0x7FF").
    std::optional<std::uint32_t> Value(const std::string& name, int depth = 0) const {
        const auto it = defines_.find(name);
        if (it == defines_.end() || depth > 8) return std::nullopt;
        std::string text;
        for (char c : it->second) {
            if (c != '(' && c != ')' && c != ' ' && c != '\t') text += c;
        }
        static const std::regex kTerm(R"(([-+]?)([A-Za-z_]\w*|0[xX][0-9A-Fa-f]+|\d+)[uUlL]*)");
        std::uint32_t total = 0;
        std::smatch m;
        while (!text.empty()) {
            if (!std::regex_search(text, m, kTerm, std::regex_constants::match_continuous)) {
                return std::nullopt;
            }
            const std::string term = m[2];
            const std::optional<std::uint32_t> v =
                std::isdigit(static_cast<unsigned char>(term[0]))
                    ? std::optional(static_cast<std::uint32_t>(std::stoul(term, nullptr, 0)))
                    : Value(term, depth + 1);
            if (!v) return std::nullopt;
            total = m[1] == "-" ? total - *v : total + *v;
            text = m.suffix();
        }
        return total;
    }

  private:
    struct Frame {
        bool parentActive;
        bool taken;
        bool active;
    };

    bool Active() const { return frames_.empty() || frames_.back().active; }

    void Read(const fs::path& header, int depth) {
        std::ifstream in(header);
        std::stringstream raw;
        raw << in.rdbuf();
        std::istringstream lines(StripComments(raw.str()));
        static const std::regex kDirective(R"(^\s*#\s*(\w+)\s*(.*?)\s*$)");
        static const std::regex kDefine(R"(^([A-Za-z_]\w*)(\(?)\s*(.*)$)");
        static const std::regex kInclude(R"(^[<"]([^>"]+)[>"])");
        std::string line;
        while (std::getline(lines, line)) {
            while (!line.empty() && line.back() == '\\') {
                std::string more;
                if (!std::getline(lines, more)) break;
                line.pop_back();
                line += more;
            }
            std::smatch m;
            if (!std::regex_match(line, m, kDirective)) continue;
            const std::string word = m[1];
            const std::string rest = m[2];
            if (word == "if" || word == "ifdef" || word == "ifndef") {
                bool cond = false;
                if (word == "if") cond = Condition(rest);
                if (word == "ifdef") cond = defines_.count(rest) != 0;
                if (word == "ifndef") cond = defines_.count(rest) == 0;
                const bool parent = Active();
                frames_.push_back({parent, parent && cond, parent && cond});
            } else if (word == "elif" && !frames_.empty()) {
                Frame& f = frames_.back();
                f.active = f.parentActive && !f.taken && Condition(rest);
                f.taken = f.taken || f.active;
            } else if (word == "else" && !frames_.empty()) {
                Frame& f = frames_.back();
                f.active = f.parentActive && !f.taken;
                f.taken = true;
            } else if (word == "endif" && !frames_.empty()) {
                frames_.pop_back();
            } else if (!Active()) {
                continue;
            } else if (word == "define" && std::regex_match(rest, m, kDefine)) {
                defines_[m[1]] = m[2].length() != 0 ? std::string() : std::string(m[3]);
            } else if (word == "undef") {
                defines_.erase(rest);
            } else if (word == "include" && std::regex_search(rest, m, kInclude) && depth < 4) {
                const std::string name = m[1];
                const fs::path target =
                    rest[0] == '<' ? kAvrInclude / name : header.parent_path() / name;
                // Only the part's own files; the rest of the library says
                // nothing about the part's memories.
                const std::string file = target.filename().string();
                if (file.rfind("io", 0) == 0 && file != "io.h" && fs::exists(target)) {
                    Read(target, depth + 1);
                }
            }
        }
    }

    // Recursive descent over defined(NAME), NAME, numbers, !, &&, || and
    // parentheses. Anything else makes the whole condition false.
    bool Condition(const std::string& text) {
        static const std::regex kToken(R"(\s*([A-Za-z_]\w*|\d+|&&|\|\||!|\(|\)))");
        tokens_.clear();
        std::string rest = text;
        std::smatch m;
        while (std::regex_search(rest, m, kToken, std::regex_constants::match_continuous)) {
            tokens_.push_back(m[1]);
            rest = m.suffix();
        }
        if (rest.find_first_not_of(" \t") != std::string::npos) return false;
        pos_ = 0;
        bool ok = true;
        const bool value = Or(ok);
        return ok && pos_ == tokens_.size() && value;
    }
    bool Or(bool& ok) {
        bool v = And(ok);
        while (Take("||")) v = And(ok) || v;
        return v;
    }
    bool And(bool& ok) {
        bool v = Unary(ok);
        while (Take("&&")) v = Unary(ok) && v;
        return v;
    }
    bool Unary(bool& ok) {
        if (Take("!")) return !Unary(ok);
        if (Take("(")) {
            const bool v = Or(ok);
            if (!Take(")")) ok = false;
            return v;
        }
        if (Take("defined")) {
            const bool paren = Take("(");
            const bool v = pos_ < tokens_.size() && defines_.count(tokens_[pos_++]) != 0;
            if (paren && !Take(")")) ok = false;
            return v;
        }
        if (pos_ >= tokens_.size()) {
            ok = false;
            return false;
        }
        const std::string& t = tokens_[pos_++];
        if (std::isdigit(static_cast<unsigned char>(t[0]))) return std::stoul(t) != 0;
        return defines_.count(t) != 0;  // a bare macro name, as some headers test
    }
    bool Take(const char* token) {
        if (pos_ < tokens_.size() && tokens_[pos_] == token) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::map<std::string, std::string> defines_;
    std::vector<Frame> frames_;
    std::vector<std::string> tokens_;
    std::size_t pos_ = 0;
};

// The reader itself, on a header pair shaped like avr-libc's shared ones.
TEST(AvrLibc, HeaderReaderFollowsThePartsBranchAndItsInclude) {
    const fs::path dir = fs::path(::testing::TempDir()) / "karvo-avrlibc-reader";
    fs::create_directories(dir);
    std::ofstream(dir / "iotwo.h") << "#include \"iocommon.h\"\n";
    std::ofstream(dir / "iocommon.h")
        << "/* #define FLASHEND 0x1 */\n"
           "#if (defined(__ASSEMBLER__) || defined(__IAR_SYSTEMS_ASM__))\n"
           "#  define FLASHEND     0x7FFF\n"
           "#else\n"
           "#  define FLASHEND     0x7FFFU\n"
           "#endif\n"
           "#define E2END        (1024 - 1)\n"
           "#define SIGNATURE_1 0x95 // family\n"
           "#if defined(__AVR_PartTwo__)\n"
           "#  define SIGNATURE_2 0x14\n"
           "#elif defined (__AVR_PartOne__) && !defined(__AVR_PartTwo__)\n"
           "#  define SIGNATURE_2 0x0F\n"
           "#else\n"
           "#  define SIGNATURE_2 0x00\n"
           "#endif\n"
           "#define RAMEND RAMSTART + 0x7FF\n"
           "#define RAMSTART (0x100)\n";
    const HeaderMacros two(dir / "iotwo.h", "PartTwo");
    const HeaderMacros one(dir / "iotwo.h", "PartOne");
    EXPECT_EQ(two.Value("FLASHEND"), 0x7FFFU);
    EXPECT_EQ(two.Value("E2END"), 1023U);
    EXPECT_EQ(two.Value("SIGNATURE_1"), 0x95U);
    EXPECT_EQ(two.Value("SIGNATURE_2"), 0x14U);
    EXPECT_EQ(one.Value("SIGNATURE_2"), 0x0FU);
    EXPECT_EQ(one.Value("RAMEND"), 0x8FFU);
    EXPECT_EQ(one.Value("SIGNATURE_0"), std::nullopt);
    fs::remove_all(dir);
}

TEST(AvrLibc, AvrEntriesAgreeWithTheDeviceHeaders) {
    if (!fs::is_directory(kAvrInclude)) {
        GTEST_SKIP() << kAvrInclude << " is absent; install avr-libc to compare with it";
    }
    const auto file = DeviceDataFile::Open(std::string(KARVO_BIN_DIR) + "/KARVO_m.usb");
    ASSERT_TRUE(file);
    int checked = 0;
    std::string passedOver;
    for (std::size_t m = 0; m < file->Manufacturers().size(); ++m) {
        for (std::size_t d = 0; d < file->Manufacturers()[m].deviceCount; ++d) {
            const auto r = file->Record(m, d);
            ASSERT_TRUE(r);
            const std::string name = r->DevName();
            if (r->Family() != Family::Micro || !IsAvrName(name)) continue;
            const LibcPart* part = FindPart(name);
            if (part == nullptr) {
                ADD_FAILURE() << name << " is an AVR entry the avr-libc table does not name";
                continue;
            }
            const fs::path header = kAvrInclude / "avr" / part->header;
            if (!fs::exists(header)) {
                passedOver += passedOver.empty() ? name : ", " + name;
                continue;
            }
            SCOPED_TRACE(name + " against " + header.string());
            const HeaderMacros macros(header, part->part);
            const auto s0 = macros.Value("SIGNATURE_0");
            const auto s1 = macros.Value("SIGNATURE_1");
            const auto s2 = macros.Value("SIGNATURE_2");
            const auto flashEnd = macros.Value("FLASHEND");
            const auto e2End = macros.Value("E2END");
            ASSERT_TRUE(s0 && s1 && s2) << "no SIGNATURE_0/1/2 in the header";
            ASSERT_TRUE(flashEnd) << "no FLASHEND in the header";
            EXPECT_EQ(unsigned{r->ManufId()}, *s0);
            EXPECT_EQ(unsigned{r->DevId()}, *s1);
            EXPECT_EQ(unsigned{r->DevId2()}, *s2);
            EXPECT_EQ(static_cast<std::uint32_t>(r->LastAddr()), *flashEnd);
            if (r->EepromSize() != 0) {
                ASSERT_TRUE(e2End) << "no E2END in the header";
                EXPECT_EQ(unsigned{r->EepromSize()}, *e2End + 1);
            } else {
                // avr-libc writes E2END 0 for a part without data EEPROM.
                EXPECT_TRUE(!e2End || *e2End == 0) << "the header gives a data EEPROM";
            }
            ++checked;
        }
    }
    RecordProperty("checked", checked);
    if (!passedOver.empty()) RecordProperty("passed_over", passedOver);
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace karvo
