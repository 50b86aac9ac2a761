#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace karvo::tools {

// The description of the image made for the virtual programmer (see
// data/firmware/README.md). Addresses are Intel HEX byte addresses.
struct ImageSource {
    int major = 0;
    int minor = 0;
    std::uint32_t programFirst = 0;
    std::uint32_t programLast = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> erased;  // first, last
    std::uint32_t signature = 0;  // two bytes left erased for the bootloader
    std::uint32_t tag = 0;        // where the version tag goes
    std::uint32_t configAddress = 0;
    std::vector<std::uint8_t> config;
    std::uint32_t seed = 1;
};

std::optional<ImageSource> ParseImageSource(const std::string& text, std::string& error);
// The image as Intel HEX: 16-byte data records, extended linear address
// records where the upper address changes, the end-of-file record.
std::string GenerateHex(const ImageSource& source);
// True when every line is a well-formed record with a right checksum and the
// end-of-file record closes the file.
bool CheckHex(const std::string& text, std::string& error);

}  // namespace karvo::tools
