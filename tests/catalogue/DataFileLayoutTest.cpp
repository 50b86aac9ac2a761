#include <gtest/gtest.h>

#include "catalogue/DeviceDataFile.h"

namespace karvo {
namespace {

DeviceRecord Named(const std::string& name, std::uint8_t marker = 0) {
    DeviceRecord r;
    r.SetU8(DeviceRecord::kFamily, 'E');
    r.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, name);
    r.SetU8(DeviceRecord::kAdapter, marker);
    return r;
}

std::vector<DeviceDataFile::Entry> ThreeAndFive() {
    DeviceDataFile::Entry a{"First", {}};
    DeviceDataFile::Entry b{"Second", {}};
    for (int i = 0; i < 3; ++i) a.devices.push_back(Named("A" + std::to_string(i)));
    for (int i = 0; i < 5; ++i) {
        b.devices.push_back(Named("B" + std::to_string(i), static_cast<std::uint8_t>(0x40 + i)));
    }
    return {a, b};
}

TEST(DataFileLayout, DeviceOneOfSecondManufacturerStartsAt824) {
    EXPECT_EQ(DeviceDataFile::RecordOffset({3, 5}, 1, 1), 824U);
    const auto bytes = DeviceDataFile::Build(ThreeAndFive());
    ASSERT_GT(bytes.size(), 824U + DeviceRecord::kSize);
    EXPECT_EQ(bytes[824 + DeviceRecord::kFamily], 'E');
    EXPECT_EQ(bytes[824 + DeviceRecord::kDevName], 'B');
    EXPECT_EQ(bytes[824 + DeviceRecord::kDevName + 1], '1');

    const auto file = DeviceDataFile::Parse(bytes);
    const auto record = file.Record(1, 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->DevName(), "B1");
    EXPECT_EQ(record->Adapter(), 0x41);
    EXPECT_EQ(file.Manufacturers()[1].firstRecordOffset + DeviceRecord::kSize, 824U);
}

TEST(DataFileLayout, CountsSitWhereTheProgramReadsThem) {
    const auto bytes = DeviceDataFile::Build(ThreeAndFive());
    EXPECT_EQ(bytes[13], 2);                     // ManufCount
    EXPECT_EQ(bytes[16 + 32 + 2], 3);            // DeviceCount of block 0
    EXPECT_EQ(bytes[16 + 32 + 4 + 576 + 2], 5);  // DeviceCount of block 1
    EXPECT_EQ(bytes.size(), 16U + 32 + (4 + 576) + (4 + 960));
}

TEST(DataFileLayout, FourteenCharacterNameListsInFullWhateverTheByteBeforeIt) {
    auto bytes = DeviceDataFile::Build({{"Fourteen-Chars", {Named("X")}}});
    bytes[16] = 0xA5;  // the entry byte before the name means nothing
    const auto file = DeviceDataFile::Parse(bytes);
    ASSERT_EQ(file.Manufacturers().size(), 1U);
    EXPECT_EQ(file.Manufacturers()[0].name, "Fourteen-Chars");
    EXPECT_EQ(bytes[16 + 1 + 14], 0);
}

TEST(DataFileLayout, ManufacturerWithoutDevicesTakesFourBytes) {
    const auto bytes = DeviceDataFile::Build({{"Empty", {}}, {"Next", {Named("N0")}}});
    const auto file = DeviceDataFile::Parse(bytes);
    ASSERT_EQ(file.Manufacturers().size(), 2U);
    EXPECT_TRUE(file.DeviceNames(0).empty());
    EXPECT_EQ(file.Manufacturers()[1].firstRecordOffset, 16U + 32 + 4 + 4);
    EXPECT_EQ(file.DeviceNames(1), std::vector<std::string>{"N0"});
    EXPECT_FALSE(file.Truncated());
}

TEST(DataFileLayout, OutOfRangeIndexesAreRefused) {
    const auto file = DeviceDataFile::Parse(DeviceDataFile::Build(ThreeAndFive()));
    EXPECT_FALSE(file.Record(2, 0));
    EXPECT_FALSE(file.Record(0, 3));
    EXPECT_FALSE(file.Record(1, 5));
    EXPECT_FALSE(file.Record(static_cast<std::size_t>(-1), 0));
    EXPECT_TRUE(file.DeviceNames(7).empty());
    EXPECT_TRUE(file.Record(1, 4));
}

TEST(DataFileLayout, UninterpretedBytesTravelUntouched) {
    DeviceRecord::Bytes raw{};
    for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 7 + 3);
    raw[DeviceRecord::kDevName + 5] = 0;
    const DeviceRecord record(raw);
    const auto file = DeviceDataFile::Parse(DeviceDataFile::Build({{"M", {record}}}));
    ASSERT_TRUE(file.Record(0, 0));
    EXPECT_EQ(file.Record(0, 0)->Raw(), raw);
}

TEST(DataFileLayout, LastAddr1FFFIsAnEightKibDevice) {
    DeviceRecord r = Named("2764");
    r.SetU32(DeviceRecord::kLastAddr, 0x1FFF);
    const auto file = DeviceDataFile::Parse(DeviceDataFile::Build({{"M", {r}}}));
    ASSERT_TRUE(file.Record(0, 0));
    EXPECT_EQ(file.Record(0, 0)->LastAddr() + 1, 8 * 1024);
}

}  // namespace
}  // namespace karvo
