#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "catalogue/DeviceDataFile.h"

namespace karvo {
namespace {

std::vector<std::uint8_t> ShippedFile() {
    std::ifstream in(std::string(KARVO_BIN_DIR) + "/KARVO_e.usb", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Everything a reader can ask of a parsed file, each answer checked to lie
// inside the bytes it was given.
void ExpectInside(const DeviceDataFile& file, std::size_t length) {
    for (std::size_t m = 0; m < file.Manufacturers().size(); ++m) {
        const auto& manuf = file.Manufacturers()[m];
        EXPECT_LE(manuf.firstRecordOffset + DeviceRecord::kSize * manuf.deviceCount, length);
        EXPECT_LE(manuf.name.size(), DeviceDataFile::kManufNameSize);
        EXPECT_EQ(file.DeviceNames(m).size(), manuf.deviceCount);
        for (std::size_t d = 0; d < manuf.deviceCount; ++d) EXPECT_TRUE(file.Record(m, d));
        EXPECT_FALSE(file.Record(m, manuf.deviceCount));
    }
}

TEST(DataFileRobustness, EveryTruncationOfARealFileParsesToAPrefix) {
    const auto full = ShippedFile();
    ASSERT_GT(full.size(), 1000U);
    const auto whole = DeviceDataFile::Parse(full);
    ASSERT_FALSE(whole.Truncated());
    for (std::size_t length = 0; length < full.size(); ++length) {
        const auto cut =
            DeviceDataFile::Parse({full.begin(), full.begin() + static_cast<long>(length)});
        ASSERT_TRUE(cut.Truncated()) << "length " << length;
        ExpectInside(cut, length);
        // What survives is exactly what the whole file says.
        for (std::size_t m = 0; m < cut.Manufacturers().size(); ++m) {
            ASSERT_EQ(cut.Manufacturers()[m].name, whole.Manufacturers()[m].name);
            const std::size_t n = cut.Manufacturers()[m].deviceCount;
            if (n > 0) {
                ASSERT_EQ(cut.Record(m, n - 1)->Raw(), whole.Record(m, n - 1)->Raw());
            }
        }
    }
}

TEST(DataFileRobustness, CountsThatPromiseMoreThanTheFileHoldsAreCut) {
    std::vector<std::uint8_t> bytes(16, 0);
    bytes[13] = 255;  // 255 manufacturers in a 16-byte file
    auto file = DeviceDataFile::Parse(bytes);
    EXPECT_TRUE(file.Truncated());
    EXPECT_TRUE(file.Manufacturers().empty());

    bytes = DeviceDataFile::Build({{"Big", {DeviceRecord{}}}});
    bytes[16 + 16 + 2] = 0xFF;  // DeviceCount 0xFFFF, one record present
    bytes[16 + 16 + 3] = 0xFF;
    file = DeviceDataFile::Parse(bytes);
    EXPECT_TRUE(file.Truncated());
    ASSERT_EQ(file.Manufacturers().size(), 1U);
    EXPECT_EQ(file.Manufacturers()[0].deviceCount, 1U);
    ExpectInside(file, bytes.size());
}

TEST(DataFileRobustness, NamesWithoutNulStopAtTheirField) {
    std::vector<std::uint8_t> bytes = DeviceDataFile::Build({{"Name", {DeviceRecord{}}}});
    std::fill_n(bytes.begin() + 17, 15, 'x');
    std::fill_n(bytes.begin() + 16 + 16 + 4 + DeviceRecord::kDevName, 20, 'y');
    const auto file = DeviceDataFile::Parse(bytes);
    EXPECT_EQ(file.Manufacturers()[0].name, std::string(15, 'x'));
    EXPECT_EQ(file.DeviceNames(0)[0], std::string(20, 'y'));
}

TEST(DataFileRobustness, RandomBytesNeverReadPastTheEnd) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 3000);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        if (bytes.size() > 13) bytes[13] = static_cast<std::uint8_t>(random() % 8);
        const auto file = DeviceDataFile::Parse(bytes);
        ExpectInside(file, bytes.size());
    }
}

}  // namespace
}  // namespace karvo
