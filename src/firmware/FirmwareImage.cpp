#include "firmware/FirmwareImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <zlib.h>

namespace karvo {

namespace {
constexpr std::uint8_t kMagic[4] = {'K', 'F', 'W', 'I'};
constexpr std::uint8_t kContainerFormat = 1;
constexpr std::uint8_t kStoredLineEnd = static_cast<std::uint8_t>(~'\n');
// No firmware of a programmer's controller comes near this.
constexpr std::size_t kMostImageBytes = 64u << 20;

void PutLe32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetLe32(std::span<const std::uint8_t> in, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | in[at + static_cast<std::size_t>(i)];
    return v;
}

int Digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The stored lines of a text: split at line ends (a carriage return before
// one goes with it), each character complemented.
std::vector<std::string> StoredLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string stored(line.size(), '\0');
        std::transform(line.begin(), line.end(), stored.begin(),
                       [](char c) { return static_cast<char>(~static_cast<unsigned char>(c)); });
        lines.push_back(std::move(stored));
    }
    return lines;
}
}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths in 32-bit pieces.
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        crc = crc32(crc, bytes.data() + done, piece);
        done += piece;
    }
    return static_cast<std::uint32_t>(crc);
}

std::uint32_t CountDataBytes(std::string_view hexText) {
    std::uint32_t count = 0;
    for (const std::string& stored : StoredLines(hexText)) {
        // Back to the text; only well-formed data record heads count.
        if (stored.size() < 9 || static_cast<char>(~stored[0]) != ':') continue;
        auto at = [&](std::size_t i) { return Digit(static_cast<char>(~stored[i])); };
        if (at(7) != 0 || at(8) != 0 || at(1) < 0 || at(2) < 0) continue;
        count += static_cast<std::uint32_t>(at(1) * 16 + at(2));
    }
    return count;
}

std::vector<std::uint8_t> EncodeImage(std::string_view hexText, int major, int minor,
                                      bool virtualOnly) {
    std::vector<std::uint8_t> text;
    for (const std::string& line : StoredLines(hexText)) {
        text.insert(text.end(), line.begin(), line.end());
        text.push_back(kStoredLineEnd);
    }
    std::vector<std::uint8_t> out(kImageHeaderSize, 0);
    std::copy(std::begin(kMagic), std::end(kMagic), out.begin());
    out[4] = kContainerFormat;
    out[5] = static_cast<std::uint8_t>(major);
    out[6] = static_cast<std::uint8_t>(minor);
    out[7] = virtualOnly ? kImageVirtualOnly : 0;
    PutLe32(out, 8, static_cast<std::uint32_t>(text.size()));
    PutLe32(out, 12, Crc32(text));
    PutLe32(out, 16, CountDataBytes(hexText));
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

std::optional<FirmwareImage> DecodeImage(std::span<const std::uint8_t> bytes, std::string& error) {
    if (bytes.size() < kImageHeaderSize ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        error = "not a firmware image";
        return std::nullopt;
    }
    if (bytes[4] != kContainerFormat) {
        error = "a firmware image of a newer kind than this program reads";
        return std::nullopt;
    }
    const std::uint32_t length = GetLe32(bytes, 8);
    if (length != bytes.size() - kImageHeaderSize) {
        error = "the firmware image is cut short or has bytes after its end";
        return std::nullopt;
    }
    const auto text = bytes.subspan(kImageHeaderSize);
    if (Crc32(text) != GetLe32(bytes, 12)) {
        error = "the firmware image is damaged (its CRC does not match)";
        return std::nullopt;
    }
    FirmwareImage image;
    image.hasIntegrity = true;
    image.major = bytes[5];
    image.minor = bytes[6];
    image.virtualOnly = (bytes[7] & kImageVirtualOnly) != 0;
    image.dataBytes = GetLe32(bytes, 16);
    std::string line;
    for (std::uint8_t b : text) {
        if (b == kStoredLineEnd) {
            image.storedLines.push_back(std::move(line));
            line.clear();
        } else {
            line.push_back(static_cast<char>(b));
        }
    }
    if (!line.empty()) image.storedLines.push_back(std::move(line));
    return image;
}

std::optional<FirmwareImage> ImageFromBytes(std::span<const std::uint8_t> bytes,
                                            std::string& error) {
    if (bytes.size() >= 4 && std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        return DecodeImage(bytes, error);
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::size_t firstMark = text.find_first_not_of(" \t\r\n");
    if (firstMark == std::string_view::npos || text[firstMark] != ':') {
        error = "neither a firmware image nor an Intel HEX file";
        return std::nullopt;
    }
    FirmwareImage image;
    image.storedLines = StoredLines(text);
    return image;
}

std::optional<FirmwareImage> ReadImageFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk, chunk + in.gcount());
        if (bytes.size() > kMostImageBytes) {
            error = path + " is far too large for a firmware image";
            return std::nullopt;
        }
    }
    auto image = ImageFromBytes(bytes, error);
    if (!image) {
        error = path + ": " + error;
        return std::nullopt;
    }
    image->origin = path;
    return image;
}

}  // namespace karvo
