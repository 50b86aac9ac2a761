#include "ImageSource.h"

#include <map>
#include <sstream>

#include <fmt/format.h>

namespace karvo::tools {

namespace {
bool Hex(const std::string& word, std::uint32_t& out) {
    if (word.empty() || word.size() > 8) return false;
    std::size_t used = 0;
    try {
        out = static_cast<std::uint32_t>(std::stoul(word, &used, 16));
    } catch (const std::exception&) {
        return false;
    }
    return used == word.size();
}

void Record(std::string& out, std::uint8_t type, std::uint16_t address,
            const std::vector<std::uint8_t>& data) {
    std::uint32_t sum =
        static_cast<std::uint32_t>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    out += fmt::format(":{:02X}{:04X}{:02X}", data.size(), address, type);
    for (std::uint8_t b : data) {
        out += fmt::format("{:02X}", b);
        sum += b;
    }
    out += fmt::format("{:02X}\n", (0x100 - (sum & 0xFF)) & 0xFF);
}

int Digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

std::optional<ImageSource> ParseImageSource(const std::string& text, std::string& error) {
    ImageSource source;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    bool version = false;
    bool program = false;
    while (std::getline(lines, line)) {
        ++number;
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        std::vector<std::uint32_t> values;
        std::string word;
        std::string versionText;
        if (key == "version") {
            words >> versionText;
        } else {
            while (words >> word) {
                std::uint32_t v = 0;
                if (!Hex(word, v)) {
                    error = fmt::format("line {}: '{}' is not a hexadecimal number", number, word);
                    return std::nullopt;
                }
                values.push_back(v);
            }
        }
        auto need = [&](std::size_t count) {
            if (values.size() == count) return true;
            error = fmt::format("line {}: {} takes {} value(s)", number, key, count);
            return false;
        };
        if (key == "version") {
            int major = -1;
            int minor = -1;
            char dot = 0;
            std::istringstream v(versionText);
            if (!(v >> major >> dot >> minor) || dot != '.' || major < 0 || major > 255 ||
                minor < 0 || minor > 255) {
                error = fmt::format("line {}: version takes MAJOR.MINOR", number);
                return std::nullopt;
            }
            source.major = major;
            source.minor = minor;
            version = true;
        } else if (key == "program" || key == "erased") {
            if (!need(2)) return std::nullopt;
            if (values[1] < values[0]) {
                error = fmt::format("line {}: {} ends before it starts", number, key);
                return std::nullopt;
            }
            if (key == "program") {
                source.programFirst = values[0];
                source.programLast = values[1];
                program = true;
            } else {
                source.erased.emplace_back(values[0], values[1]);
            }
        } else if (key == "signature" || key == "tag" || key == "seed") {
            if (!need(1)) return std::nullopt;
            (key == "signature" ? source.signature
             : key == "tag"     ? source.tag
                                : source.seed) = values[0];
        } else if (key == "config") {
            if (values.size() < 2) {
                error = fmt::format("line {}: config takes an address and bytes", number);
                return std::nullopt;
            }
            source.configAddress = values[0];
            for (std::size_t i = 1; i < values.size(); ++i) {
                if (values[i] > 0xFF) {
                    error = fmt::format("line {}: config bytes are 00 to FF", number);
                    return std::nullopt;
                }
                source.config.push_back(static_cast<std::uint8_t>(values[i]));
            }
        } else {
            error = fmt::format("line {}: unknown key '{}'", number, key);
            return std::nullopt;
        }
    }
    if (!version || !program) {
        error = "the description needs a version and a program range";
        return std::nullopt;
    }
    auto inProgram = [&](std::uint32_t a) {
        return a >= source.programFirst && a <= source.programLast;
    };
    if (!inProgram(source.signature) || !inProgram(source.signature + 1) ||
        !inProgram(source.tag) || !inProgram(source.tag + 7)) {
        error = "the signature and the version tag must lie in the program range";
        return std::nullopt;
    }
    return source;
}

std::string GenerateHex(const ImageSource& source) {
    std::map<std::uint32_t, std::uint8_t> bytes;
    // A fixed linear congruential sequence: the same description always makes
    // the same image.
    std::uint32_t state = source.seed;
    for (std::uint64_t a = source.programFirst; a <= source.programLast; ++a) {
        state = state * 1103515245u + 12345u;
        bool erased = false;
        for (const auto& [first, last] : source.erased)
            erased = erased || (a >= first && a <= last);
        if (!erased) bytes[static_cast<std::uint32_t>(a)] = static_cast<std::uint8_t>(state >> 16);
    }
    bytes[source.signature] = 0xFF;
    bytes[source.signature + 1] = 0xFF;
    const std::uint8_t tag[] = {'K',
                                'F',
                                'W',
                                0,
                                static_cast<std::uint8_t>(source.major),
                                static_cast<std::uint8_t>(source.minor),
                                0x5A,
                                0};
    for (std::uint32_t i = 0; i < sizeof tag; ++i) bytes[source.tag + i] = tag[i];
    for (std::uint32_t i = 0; i < source.config.size(); ++i)
        bytes[source.configAddress + i] = source.config[i];

    std::string out;
    std::optional<std::uint32_t> upper;
    auto it = bytes.begin();
    while (it != bytes.end()) {
        const std::uint32_t first = it->first;
        if (!upper || *upper != first >> 16) {
            upper = first >> 16;
            Record(out, 4, 0,
                   {static_cast<std::uint8_t>(*upper >> 8), static_cast<std::uint8_t>(*upper)});
        }
        std::vector<std::uint8_t> data;
        std::uint32_t next = first;
        // One record never crosses a 16-byte line or a gap.
        while (it != bytes.end() && it->first == next && (next == first || next % 16 != 0)) {
            data.push_back(it->second);
            ++it;
            ++next;
        }
        Record(out, 0, static_cast<std::uint16_t>(first), data);
    }
    Record(out, 1, 0, {});
    return out;
}

bool CheckHex(const std::string& text, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    bool ended = false;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (ended) {
            error = fmt::format("line {}: records after the end-of-file record", number);
            return false;
        }
        bool good = line.size() >= 11 && line[0] == ':' && line.size() % 2 == 1;
        std::uint32_t sum = 0;
        std::vector<int> values;
        for (std::size_t i = 1; good && i + 1 < line.size(); i += 2) {
            const int high = Digit(line[i]);
            const int low = Digit(line[i + 1]);
            good = high >= 0 && low >= 0;
            values.push_back(high * 16 + low);
            sum += static_cast<std::uint32_t>(high * 16 + low);
        }
        good =
            good && values.size() == static_cast<std::size_t>(values[0]) + 5 && (sum & 0xFF) == 0;
        if (!good) {
            error = fmt::format("line {}: not a well-formed Intel HEX record", number);
            return false;
        }
        ended = values[3] == 1;
    }
    if (!ended) error = "no end-of-file record";
    return ended;
}

}  // namespace karvo::tools
