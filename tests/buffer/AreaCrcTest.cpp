// The CRC-32 beside the checksum: the zlib polynomial, over the device's area
// as it lies in the buffer, equal to what Python's zlib (or Debian's crc32)
// says of the same bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include <fmt/format.h>

#include "buffer/AreaCrc.h"
#include "support/Devices.h"

namespace karvo::test {
namespace {

struct Known {
    const char* bytes;
    std::uint32_t crc;
};
class Crc32Known : public ::testing::TestWithParam<Known> {};
TEST_P(Crc32Known, MatchesThePublishedValues) {
    const std::string text = GetParam().bytes;
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
              GetParam().crc)
        << text;
}
INSTANTIATE_TEST_SUITE_P(Values, Crc32Known,
                         ::testing::Values(Known{"", 0x00000000u}, Known{"a", 0xE8B7BE43u},
                                           Known{"123456789", 0xCBF43926u},
                                           Known{"The quick brown fox jumps over the lazy dog",
                                                 0x414FA339u}),
                         [](const ::testing::TestParamInfo<Known>& row) {
                             return "length" + std::to_string(std::string(row.param.bytes).size());
                         });

TEST(AreaCrc, CoversTheDeviceAreaOnly) {
    const DeviceRecord device = DeviceBuilder('E', 0x7FF, "2716");
    MemoryBuffer buffer;
    EXPECT_FALSE(DeviceAreaCrc32(buffer)) << "no device yet";
    buffer.AllocateForDevice(device);
    buffer.FillWithBlank(device);
    const auto blank = DeviceAreaCrc32(buffer);
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->first, 0u);
    EXPECT_EQ(blank->last, 0x7FFu);
    const std::vector<std::uint8_t> ff(0x800, 0xFF);
    EXPECT_EQ(blank->crc, Crc32(ff.data(), ff.size()));
    buffer[0x800] = 0x00;  // beyond the device: the figure stays
    EXPECT_EQ(DeviceAreaCrc32(buffer)->crc, blank->crc);
    buffer[0x7FF] = 0x00;
    EXPECT_NE(DeviceAreaCrc32(buffer)->crc, blank->crc);
    EXPECT_EQ(Crc32Hint({0, 0x7FF, 0x0A1B2C3D}), "CRC-32 of 0x00000 - 0x007FF: 0A1B2C3D");
}

// What another program says of a file; empty when none is at hand.
std::string OtherCrc(const std::string& path) {
    const std::string python = fmt::format(
        "python3 -c \"import sys,zlib; print('%08X' % zlib.crc32(open(sys.argv[1],'rb').read()))\" "
        "'{}' 2>/dev/null",
        path);
    for (const std::string& command : {python, fmt::format("crc32 '{}' 2>/dev/null", path)}) {
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) continue;
        char line[64] = {};
        const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
        const int status = pclose(pipe);
        if (got && status == 0) {
            std::string text(line);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
            for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return text;
        }
    }
    return {};
}

TEST(AreaCrc, AgreesWithPythonsZlib) {
    const DeviceRecord device = DeviceBuilder('E', 0x7FFF, "27C256");
    MemoryBuffer buffer;
    buffer.AllocateForDevice(device);
    std::mt19937 random(1234);
    for (std::uint32_t i = 0; i < buffer.Allocated; ++i) {
        buffer[i] = static_cast<std::uint8_t>(random());
    }
    const auto path =
        (std::filesystem::temp_directory_path() / fmt::format("karvo-crc-{}.bin", ::getpid()))
            .string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(buffer.Data()), 0x8000);
    const std::string other = OtherCrc(path);
    std::filesystem::remove(path);
    if (other.empty()) GTEST_SKIP() << "neither python3 nor crc32 is at hand";
    EXPECT_EQ(fmt::format("{:08X}", DeviceAreaCrc32(buffer)->crc), other);
}

}  // namespace
}  // namespace karvo::test
