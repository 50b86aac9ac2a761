#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>

#include "config/pages/BitsNotation.h"

// avr-libc's device headers as far as the fuse pages need them: each
// FUSE_NAME of the low, high and extended fuse byte with its bit (a fuse is
// programmed when its bit is 0, as "(unsigned char)~_BV(n)" says).
namespace karvo::test {

namespace fs = std::filesystem;

inline const fs::path kAvrLibc = "/usr/lib/avr/include/avr";

// "ATmega48/V" -> iom48.h, "ATtiny85" -> iotn85.h, "AT90S8515" -> io8515.h.
inline fs::path AvrHeaderFor(const fs::path& root, std::string name) {
    if (const auto slash = name.find('/'); slash != std::string::npos) name.resize(slash);
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [prefix, shortName] :
         {std::pair{"atmega", "m"}, std::pair{"attiny", "tn"}, std::pair{"at90s", ""}}) {
        const std::string p(prefix);
        if (lower.rfind(p, 0) == 0)
            return root / ("io" + std::string(shortName) + lower.substr(p.size()) + ".h");
    }
    return root / ("io" + lower + ".h");
}

struct FuseBit {
    std::uint8_t cell = 0;  // config::kFuseLow, kFuseHigh or kFuseExt
    int bit = 0;
};

class AvrFuses {
  public:
    explicit AvrFuses(const fs::path& header) {
        static const std::regex kByte(R"(/\*\s*(Low|High|Extended)\s+Fuse\s+Byte\s*\*/)",
                                      std::regex::icase);
        static const std::regex kFuse(
            R"(^\s*#define\s+FUSE_(\w+)\s+(?:\(unsigned char\))?\s*~_BV\((\d+)\).*)");
        std::ifstream in(header);
        std::uint8_t cell = config::kFuseLow;
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (std::regex_search(line, m, kByte)) {
                const char first = static_cast<char>(std::tolower(m[1].str()[0]));
                cell = first == 'l'   ? config::kFuseLow
                       : first == 'h' ? config::kFuseHigh
                                      : config::kFuseExt;
            } else if (std::regex_match(line, m, kFuse)) {
                fuses_[m[1]] = {cell, std::stoi(m[2])};
            }
        }
    }
    bool Empty() const { return fuses_.empty(); }
    std::optional<FuseBit> Find(const std::string& name) const {
        const auto it = fuses_.find(name);
        if (it == fuses_.end()) return std::nullopt;
        return it->second;
    }
    const std::map<std::string, FuseBit>& All() const { return fuses_; }

  private:
    std::map<std::string, FuseBit> fuses_;
};

}  // namespace karvo::test
