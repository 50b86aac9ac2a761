#pragma once
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

// gputils' device headers as the assembler reads them for one part: the
// configuration settings of each word, each value with its name. Shared by
// the catalogue's mask check and the configuration pages' check.
namespace karvo::test {

namespace fs = std::filesystem;

inline const fs::path kGputils = "/usr/share/gputils";

// Where gputils files a part under another name than our DevName in lower
// case. The 16C52 has no header of its own: the 16C5x header serves it once
// the assembler has defined the part's symbol.
struct GputilsName {
    const char* devName;
    const char* header;  // under header/
    const char* symbol;  // the symbol the assembler defines for the part
    const char* script;  // under lkr/
};
inline constexpr GputilsName kNames[] = {
    {"16C52", "p16c5x.inc", "__16C52", "16c52_g.lkr"},
};

// One value of a setting: "_CP_ON" and the word it assembles to.
struct Option {
    std::string name;
    std::uint32_t value = 0;
};

struct PartFiles {
    fs::path header;
    std::string symbol;
    fs::path script;
};

inline std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
inline std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

inline PartFiles FilesFor(const fs::path& root, const std::string& devName) {
    for (const GputilsName& n : kNames) {
        if (devName == n.devName) {
            return {root / "header" / n.header, n.symbol, root / "lkr" / n.script};
        }
    }
    const std::string part = Lower(devName);
    fs::path script = root / "lkr" / (part + "_g.lkr");
    if (!fs::exists(script)) script = root / "lkr" / (part + ".lkr");
    return {root / "header" / ("p" + part + ".inc"), "__" + Upper(devName), script};
}

// The configuration settings of one header, as the assembler would see them
// for one part: IFDEF/IFNDEF/ELSE/ENDIF and #define/#undefine are followed.
// Settings sit under a banner "----- CONFIG1 Options -----" (CONFIG1L ... on
// PIC18), one blank-line separated group of values per setting; older headers
// put them all after a "Configuration Bits" banner with no per-word banner.
class ConfigSettings {
  public:
    ConfigSettings(const fs::path& header, const std::string& symbol) {
        defined_.push_back(symbol);
        Read(header);
    }

    // The word or byte names that carry settings ("CONFIG", "CONFIG2",
    // "CONFIG4L"), each once.
    std::vector<std::string> Words() const {
        std::vector<std::string> names;
        for (const auto& [name, groups] : words_) names.push_back(name);
        return names;
    }

    // The implemented bits of one word: those in which two values of one
    // setting differ. A bit that every value of a setting clears (the 16C62's
    // bit 6) is a fixed level, and a setting offered with a single value (the
    // 28-pin 18F25K50's "ICPRT off") is no choice; neither makes a bit.
    std::uint32_t Implemented(const std::string& word, std::uint32_t width) const {
        const auto it = words_.find(word);
        if (it == words_.end()) return 0;
        std::uint32_t bits = 0;
        for (const std::vector<Option>& values : it->second) {
            std::uint32_t ones = 0;
            std::uint32_t zeros = 0;
            for (const Option& o : values) {
                ones |= o.value;
                zeros |= ~o.value;
            }
            bits |= ones & zeros;
        }
        return bits & width;
    }

    // The settings of one word as the header groups them (one group per
    // blank-line separated block), each value with its name.
    const std::vector<std::vector<Option>>& Groups(const std::string& word) const {
        static const std::vector<std::vector<Option>> kNone;
        const auto it = words_.find(word);
        return it == words_.end() ? kNone : it->second;
    }

  private:
    bool Defined(const std::string& name) const {
        return std::find(defined_.begin(), defined_.end(), name) != defined_.end();
    }
    bool Active() const {
        return std::all_of(active_.begin(), active_.end(), [](bool b) { return b; });
    }

    void EndGroup() {
        if (!word_.empty() && !group_.empty()) words_[word_].push_back(group_);
        group_.clear();
    }

    void Read(const fs::path& header) {
        static const std::regex kBanner(R"(^\s*;-+\s*(CONFIG\w*)\s+Options\b.*)",
                                        std::regex::icase);
        static const std::regex kOtherBanner(R"(^\s*;-+\s*\w+\s+Equates\b.*)", std::regex::icase);
        static const std::regex kDirective(R"(^\s*#?(\w+)\s*(\S*).*)");
        static const std::regex kEqu(
            R"(^\s*(_\w+)\s+EQU\s+(?:H'([0-9A-Fa-f]+)'|0x([0-9A-Fa-f]+)).*)", std::regex::icase);
        static const std::regex kAddress(R"(_(CONFIG\w*|IDLOC\d*|DEVID\d*))", std::regex::icase);
        std::ifstream in(header);
        std::string line;
        bool configPart = false;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::smatch m;
            if (std::regex_match(line, m, kBanner)) {
                EndGroup();
                word_ = Upper(m[1]);
                configPart = true;
                continue;
            }
            if (std::regex_match(line, kOtherBanner)) {
                EndGroup();
                word_.clear();
                configPart = false;
                continue;
            }
            if (line.find("Configuration Bits") != std::string::npos) configPart = true;
            const std::string code = line.substr(0, line.find(';'));
            if (code.find_first_not_of(" \t") == std::string::npos) {
                // A comment line continues a setting; an empty line ends it.
                if (line.find_first_not_of(" \t") == std::string::npos) EndGroup();
                continue;
            }
            if (std::regex_match(code, m, kEqu)) {
                if (!Active() || std::regex_match(std::string(m[1]), kAddress)) continue;
                if (configPart && word_.empty()) word_ = "CONFIG";
                if (word_.empty()) continue;
                const std::string digits = m[2].matched ? m[2] : m[3];
                group_.push_back(
                    {m[1], static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16))});
                continue;
            }
            if (!std::regex_match(code, m, kDirective)) continue;
            const std::string word = Upper(m[1]);
            const std::string arg = m[2];
            if (word == "IFDEF" || word == "IFNDEF") {
                active_.push_back(Defined(arg) == (word == "IFDEF"));
            } else if (word == "ELSE" && !active_.empty()) {
                active_.back() = !active_.back();
            } else if (word == "ENDIF" && !active_.empty()) {
                active_.pop_back();
            } else if (!Active()) {
                continue;
            } else if (word == "DEFINE" && code.find('#') != std::string::npos) {
                defined_.push_back(arg);
            } else if (word == "UNDEFINE") {
                std::erase(defined_, arg);
            } else if (word == "LIST") {
                // The header's end: whatever follows is not configuration.
                EndGroup();
                word_.clear();
                configPart = false;
            }
        }
        EndGroup();
    }

    std::vector<std::string> defined_;
    std::vector<bool> active_;
    std::map<std::string, std::vector<std::vector<Option>>> words_;
    std::string word_;
    std::vector<Option> group_;
};

}  // namespace karvo::test
