#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace karvo::source {

// A source folder compiled into the bytes of a device data file, after every
// entry passed the validator. On any problem `bytes` is empty and each
// problem is a line "file: manufacturer: device: [rule] what is wrong".
struct CompileResult {
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> problems;
};
CompileResult CompileFolder(const std::filesystem::path& dir);

}  // namespace karvo::source
