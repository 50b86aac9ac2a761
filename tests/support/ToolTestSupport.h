#pragma once
// Running the reference tools (srec_cat, gpasm) from tests. A test that needs
// one is skipped where it is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "support/FileTestSupport.h"

namespace karvo::test {

inline bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

#define REQUIRE_TOOL(name) \
    if (!::karvo::test::HaveTool(name)) GTEST_SKIP() << name << " is not installed"

// Runs a command; its output (the tool's warnings) only when it fails.
inline ::testing::AssertionResult Shell(const std::string& command) {
    const std::string log = std::filesystem::temp_directory_path() /
                            ("karvo-tool-" + std::to_string(::getpid()) + ".log");
    const int status = std::system((command + " >" + log + " 2>&1").c_str());
    const std::string output = ScratchDir::ReadWhole(log);
    std::filesystem::remove(log);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << command << " failed:\n" << output;
}

inline std::string RandomBytes(std::size_t count, std::uint32_t seed) {
    std::string bytes(count, '\0');
    for (char& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<char>(seed >> 24);
    }
    return bytes;
}

}  // namespace karvo::test
