#include <gtest/gtest.h>

#include "buffer/MemoryBuffer.h"
#include "catalogue/ChipFacts.h"
#include "support/Devices.h"

namespace karvo {
namespace {

using test::DeviceBuilder;

struct SizeCase {
    const char* what;
    DeviceRecord device;
    std::uint32_t activation;
    std::uint32_t load;
};

class Sizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(Sizes, FollowTheFamilyRules) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(MemoryBuffer::ActivationSize(c.device), c.activation) << c.what;
    EXPECT_EQ(MemoryBuffer::LoadSize(c.device), c.load) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFamily, Sizes,
    ::testing::Values(
        SizeCase{"2 KB EPROM", DeviceBuilder('E', 0x7FF), 0x10000, 0x20000},
        SizeCase{"1 MiB EPROM", DeviceBuilder('E', 0xFFFFF), 0x100000, 0x100000},
        SizeCase{"16-bit 'O' doubles", DeviceBuilder('O', 0xFFFF), 0x20000, 0x20000},
        SizeCase{"'Y' does not double", DeviceBuilder('Y', 0xFFFF), 0x10000, 0x20000},
        SizeCase{"PIC to 128 KiB", DeviceBuilder('C', 0x7FF), 0x20000, 0x20000},
        SizeCase{"PIC extended", DeviceBuilder('C', 0x7FFF).Algorithm(18), 0x100000, 0x100000},
        SizeCase{"PIC enhanced", DeviceBuilder('C', 0x3FFF).ConfigType(0x2E), 0x20000, 0x20000},
        SizeCase{"8051 4 KB", DeviceBuilder('M', 0xFFF), 0x20000, 0x10000},
        SizeCase{"AVR code+data", DeviceBuilder('M', 0x1FFF).ConfigType(0xCB).Eeprom(0x200),
                 0x20000, 0x2200},
        SizeCase{"AVR algorithm 35",
                 DeviceBuilder('M', 0x7FF).ConfigType(0xD1).Eeprom(0x80).Algorithm(35), 0x20000,
                 0x8A0},
        SizeCase{"dual block part", DeviceBuilder('M', 0xFFFF).Ids(0xBF, 0x91), 0x20000, 0x12000},
        SizeCase{"big 'M' never below its extent", DeviceBuilder('M', 0x1FFFF).Eeprom(0x1000),
                 0x20000, 0x21000}));

TEST(BlankFill, TwoKilobyteEpromShowsF800) {
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FF);
    MemoryBuffer buffer;
    buffer.AllocateForDevice(eprom);
    buffer.FillWithBlank(eprom);
    EXPECT_EQ(buffer.Allocated, 0x10000u);
    EXPECT_EQ(buffer[0], 0xFF);
    EXPECT_EQ(buffer[0xFFFF], 0xFF);
    EXPECT_EQ(buffer.ComputeChecksum(eprom) & 0xFFFF, 0xF800u);
}

TEST(BlankFill, PicWordsAndConfigurationWordInTheChecksum) {
    const DeviceRecord pic = DeviceBuilder('C', 0x3FF).Blank(0x3F).ConfigMask({0x3F, 0xFF});
    MemoryBuffer buffer;
    buffer.AllocateForDevice(pic);
    buffer.FillWithBlank(pic);
    EXPECT_EQ(buffer[0], 0x3F);
    EXPECT_EQ(buffer[1], 0xFF);
    EXPECT_EQ(buffer.ComputeChecksum(pic), 0x200u * 0x3FFF + (0x3FFFu & 0x3FFF));
}

TEST(BlankFill, ExtendedPicGetsItsDefaultConfiguration) {
    const DeviceRecord pic = DeviceBuilder('C', 0x7FFF)
                                 .Algorithm(18)
                                 .ConfigMask({0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F,
                                              0xC0, 0x0F, 0xE0, 0x0F, 0x40, 0x55});
    MemoryBuffer buffer;
    buffer.AllocateForDevice(pic);
    buffer.FillWithBlank(pic);
    for (std::uint32_t i = 0; i < 14; ++i) EXPECT_EQ(buffer[0xF0010 + i], pic.ConfigMask(i)) << i;
    EXPECT_EQ(buffer[0xF0010 + 14], 0xFF) << "only 14 bytes are defaults";
    // The checksum masks the first configuration word found at 0xF0010.
    const std::uint32_t words = (0x7FFFu + 1) / 2 * 0xFFFF;
    EXPECT_EQ(buffer.ComputeChecksum(pic), words + (0x0027u & 0x0027u));
}

TEST(BlankFill, OddAvailableCutsTheLastPair) {
    const DeviceRecord r = DeviceBuilder('R', 0x2).Blank(0x12);
    MemoryBuffer buffer;
    buffer.AllocateForLoad(r);
    EXPECT_EQ(buffer.Available, 3u);
    const DeviceRecord y = DeviceBuilder('Y', 0x2).Blank(0x12);
    buffer.Available = 3;
    buffer.FillWithBlank(y);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(buffer[1], 0xFF);
    EXPECT_EQ(buffer[2], 0x12);
    EXPECT_EQ(buffer[3], 0x00) << "nothing past Available";
}

TEST(LoadFill, ChoicesPerFamily) {
    const DeviceRecord pic = DeviceBuilder('C', 0x7FF).Blank(0x3F);
    MemoryBuffer buffer;
    buffer.AllocateForLoad(pic);
    buffer.FillForLoad(pic, FillChoice::FF);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[1], 0xFF);
    buffer.FillForLoad(pic, FillChoice::DeviceDefault);
    EXPECT_EQ(buffer[0], 0x3F);
    EXPECT_EQ(buffer[1], 0xFF);
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FF).Blank(0xFF);
    buffer.AllocateForLoad(eprom);
    buffer.FillForLoad(eprom, FillChoice::Zero);
    EXPECT_EQ(buffer[5], 0x00);
    buffer.FillForLoad(eprom, FillChoice::FF);
    EXPECT_EQ(buffer[5], 0xFF);
}

TEST(LoadFill, DisableLeavesDeterministicZeros) {
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FF);
    MemoryBuffer buffer;
    buffer.AllocateForDevice(eprom);
    buffer.FillWithBlank(eprom);
    buffer.AllocateForLoad(eprom);
    buffer.FillForLoad(eprom, FillChoice::Disable);
    for (std::uint32_t i = 0; i < buffer.Allocated; i += 0x1001) EXPECT_EQ(buffer[i], 0) << i;
}

TEST(Checksum, WordAndByteFamilies) {
    MemoryBuffer buffer;
    const DeviceRecord o = DeviceBuilder('O', 0x3);
    buffer.AllocateForDevice(o);
    buffer[0] = 0x01;
    buffer[1] = 0x02;
    buffer[2] = 0x03;
    buffer[3] = 0x04;
    EXPECT_EQ(buffer.ComputeChecksum(o), 0x0201u + 0x0403u);

    const DeviceRecord s16 = DeviceBuilder('S', 0x1).BusWidth(16);
    buffer.AllocateForDevice(s16);
    buffer[0] = 1;
    buffer[1] = 2;
    buffer[2] = 3;
    buffer[3] = 4;
    buffer[4] = 100;
    EXPECT_EQ(buffer.ComputeChecksum(s16), 10u) << "two units of two bytes";
    const DeviceRecord s8 = DeviceBuilder('S', 0x1).BusWidth(8);
    buffer.ChecksumCount = 2;
    EXPECT_EQ(buffer.ComputeChecksum(s8), 3u);

    const DeviceRecord unknown = DeviceBuilder('Z', 0xFF);
    buffer.AllocateForDevice(unknown);
    buffer[0] = 9;
    EXPECT_EQ(buffer.ComputeChecksum(unknown), 0u);
}

TEST(Checksum, JedecFuseWeights) {
    const DeviceRecord pld = DeviceBuilder('P', 2194);
    MemoryBuffer buffer;
    buffer.AllocateForDevice(pld);
    std::fill_n(buffer.Data(), buffer.Allocated, '0');
    EXPECT_EQ(buffer.ComputeChecksum(pld), 0u);
    buffer[9] = '1';
    EXPECT_EQ(buffer.ComputeChecksum(pld), 2u);
    buffer[8 * 16] = '1';  // weight restarts at 1 after 128
    EXPECT_EQ(buffer.ComputeChecksum(pld), 3u);
    buffer[2194] = '1';  // beyond the first n - 1 bytes
    EXPECT_EQ(buffer.ComputeChecksum(pld), 3u);
}

TEST(Checksum, NeverReadsPastTheStorage) {
    const DeviceRecord odd = DeviceBuilder('O', 0xFFFF);
    MemoryBuffer buffer;
    buffer.AllocateForStartup();
    buffer.ChecksumCount = 0xFFFFFFFF;
    EXPECT_NO_FATAL_FAILURE(buffer.ComputeChecksum(odd));
    const DeviceRecord pic = DeviceBuilder('C', 0xFFFF);
    buffer.ComputeChecksum(pic);
}

// The checksum's configuration word is read where the layout keeps it: for
// the PIC17C75x and the enhanced parts not at 0x400E, which is code there.
TEST(Checksum, PicConfigurationWordFromTheLayout) {
    struct Case {
        DeviceRecord part;
        std::uint32_t config;
    };
    const Case cases[] = {
        {DeviceBuilder('C', 0x3FF).Algorithm(2).ConfigMask({0x3F, 0xFF}), 0x400E},
        {DeviceBuilder('C', 0x3FFF).Algorithm(8).ConfigMask({0xC0, 0x5F}), 0x800E},
        {DeviceBuilder('C', 0x3FF).Algorithm(7).ConfigType(46).ConfigMask({0x3F, 0xFF}), 0x1000E},
    };
    for (const Case& c : cases) {
        MemoryBuffer buffer;
        buffer.AllocateForDevice(c.part);
        std::fill(buffer.Data(), buffer.Data() + buffer.Allocated, 0);
        buffer[c.config] = 0x12;
        buffer[c.config + 1] = 0x34;
        const std::uint32_t mask = (c.part.ConfigMask(0) << 8) | c.part.ConfigMask(1);
        EXPECT_EQ(buffer.ComputeChecksum(c.part), 0x1234u & mask) << std::hex << c.config;
    }
}

}  // namespace
}  // namespace karvo
