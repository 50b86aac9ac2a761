#include <gtest/gtest.h>

#include "link/THid.h"
#include "virtual/ChipModel.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo {
namespace {

struct Bench {
    explicit Bench(VirtualSettings s = {})
        : programmer(std::move(s), clock), usb(programmer), link(usb) {
        EXPECT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    }
    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    THid link;
};

TEST(VirtualSettingsParse, ReadsEveryKey) {
    std::string error;
    const auto s = ParseVirtualSettings("firmware=2.4,hello=Nope,mute=F,mute=V,pace", error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->firmwareMajor, 2);
    EXPECT_EQ(s->firmwareMinor, 4);
    EXPECT_EQ(s->hello, "Nope");
    EXPECT_EQ(s->muted, (std::set<std::string>{"F", "V"}));
    EXPECT_TRUE(s->paced);
    EXPECT_TRUE(ParseVirtualSettings("", error));
}

TEST(VirtualSettingsParse, RefusesWhatItDoesNotKnow) {
    std::string error;
    EXPECT_FALSE(ParseVirtualSettings("firmware=2", error));
    EXPECT_FALSE(ParseVirtualSettings("firmware=2.300", error));
    EXPECT_FALSE(ParseVirtualSettings("colour=blue", error));
    EXPECT_NE(error.find("colour=blue"), std::string::npos);
}

TEST(VirtualProgrammer, AnswersHelloVersionAndParameterBlock) {
    Bench bench;
    bench.link.SendHello();
    EXPECT_EQ(bench.link.ReceiveText4(), "Here");
    bench.link.SendText("F");
    std::uint8_t version[3];
    bench.link.ReceiveBytes(version, 2);
    EXPECT_EQ(version[1], 2);
    EXPECT_EQ(version[2], 3);
    const std::uint8_t block[9] = {'V', 0x80, 0x00, 'E', 3, 0, 0, 0, 0};
    bench.link.SendBytes(block, sizeof block);
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "OK");
    EXPECT_EQ(bench.link.FailedTransfers(), 0u);
}

TEST(VirtualProgrammer, ParameterBlockShapesABlankChip) {
    Bench bench;
    const std::uint8_t eprom[5] = {'V', 0x80, 0x00, 'E', 3};
    bench.link.SendBytes(eprom, sizeof eprom);
    bench.link.ReceiveText4();
    bench.programmer.WithSocket([](std::optional<ChipModel>& chip) {
        ASSERT_TRUE(chip);
        ASSERT_NE(chip->Area('e'), nullptr);
        EXPECT_EQ(chip->Area('e')->bytes.size(), 0x8000u);
        EXPECT_EQ(chip->Area('e')->rule, WriteRule::ClearBitsOnly) << "algorithm 3 is a UV EPROM";
    });
    const std::uint8_t nonsense[5] = {'V', 0x80, 0x00, 'Q', 3};
    bench.link.SendBytes(nonsense, sizeof nonsense);
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "NO");
}

TEST(VirtualProgrammer, FullGeometryComesFromTheChipTypeNotTheBlock) {
    Bench bench;
    ChipTypes types;
    DeviceRecord big;
    big.SetU8(DeviceRecord::kFamily, 'E');
    big.SetU8(DeviceRecord::kAlgorithm, 7);
    big.SetU32(DeviceRecord::kLastAddr, 0xFFFFF);
    big.SetU8(DeviceRecord::kBlankValue, 0xFF);
    types.Add(big);
    bench.programmer.LearnChipTypes(types);
    const std::uint8_t block[5] = {'V', 0x00, 0x00, 'E', 7};  // 1 MiB sends size 0
    bench.link.SendBytes(block, sizeof block);
    bench.link.ReceiveText4();
    bench.programmer.WithSocket([](std::optional<ChipModel>& chip) {
        EXPECT_EQ(chip->Area('e')->bytes.size(), 0x100000u);
    });
}

TEST(VirtualProgrammer, MutedCommandTimesOutButOthersStillAnswer) {
    VirtualSettings s;
    s.muted.insert("F");
    Bench bench(s);
    bench.link.SendText("F");
    EXPECT_EQ(bench.link.ReceiveText4(), std::string(4, '\0'));
    EXPECT_EQ(bench.clock.NowMs(), THid::kReadTimeoutMs);
    bench.link.SendHello();
    EXPECT_EQ(bench.link.ReceiveText4(), "Here");
}

TEST(VirtualProgrammer, ProgLeavesTheFirmwareForTheBootloader) {
    Bench bench;
    bench.link.SendText("Prog");
    EXPECT_EQ(bench.programmer.CurrentMode(), VirtualProgrammer::Mode::Bootloader);
    const auto devices = bench.programmer.Enumerate();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].productId, VirtualProgrammer::kBootloaderProductId);
    // The old link is stale now, like a handle to a device that re-enumerated.
    bench.link.SendHello();
    EXPECT_EQ(bench.link.ReceiveText4(), std::string(4, '\0'));
    THid fresh(bench.usb);
    EXPECT_FALSE(fresh.Open("Vid_04d8", "Pid_F4A3"));
    bench.programmer.RestartFirmware(2, 3);
    EXPECT_TRUE(fresh.Open("Vid_04d8", "Pid_F4A3"));
}

TEST(VirtualProgrammer, UnknownCommandsAreIgnored) {
    Bench bench;
    bench.link.SendText("zz");
    EXPECT_EQ(bench.link.ReceiveText4(), std::string(4, '\0'));
}

TEST(VirtualProgrammer, UnpluggedDeviceVanishes) {
    Bench bench;
    bench.programmer.Unplug();
    EXPECT_TRUE(bench.programmer.Enumerate().empty());
    bench.link.SendHello();
    EXPECT_EQ(bench.link.ReceiveText4(), std::string(4, '\0'));
}

TEST(VirtualProgrammer, PacingCostsAMillisecondPerReport) {
    VirtualSettings s;
    s.paced = true;
    Bench bench(s);
    bench.link.SendHello();
    bench.link.ReceiveText4();
    EXPECT_EQ(bench.clock.NowMs(), 2);
}

}  // namespace
}  // namespace karvo

namespace karvo {
namespace {

TEST(ShippedCatalogue, EveryChipTypeIsTellableFromItsParameterBlock) {
    const std::string bin = KARVO_BIN_DIR;
    const ChipTypes types = ChipTypes::FromDataFiles({bin + "/KARVO_e.usb", bin + "/KARVO_m.usb"});
    EXPECT_EQ(types.Ambiguities(), (std::vector<std::pair<std::string, std::string>>{}));
}

TEST(ChipTypeLookup, SameBlockDifferentSizeIsAnAmbiguity) {
    ChipTypes types;
    DeviceRecord a;
    a.SetU8(DeviceRecord::kFamily, 'E');
    a.SetU8(DeviceRecord::kAlgorithm, 3);
    a.SetU32(DeviceRecord::kLastAddr, 0xFFFF);
    a.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, "27C512");
    DeviceRecord b = a;
    b.SetU32(DeviceRecord::kLastAddr, 0x1FFFF);
    b.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, "27C010");
    types.Add(a);
    types.Add(b);
    ASSERT_EQ(types.Ambiguities().size(), 1u);
    EXPECT_EQ(types.Ambiguities()[0].second, "27C010");
}

DeviceRecord Chip(char family, std::uint8_t algorithm, std::uint32_t lastAddr, const char* name,
                  std::uint8_t blank = 0xFF) {
    DeviceRecord r;
    r.SetU8(DeviceRecord::kFamily, static_cast<std::uint8_t>(family));
    r.SetU8(DeviceRecord::kAlgorithm, algorithm);
    r.SetU32(DeviceRecord::kLastAddr, lastAddr);
    r.SetU8(DeviceRecord::kBlankValue, blank);
    r.SetText(DeviceRecord::kDevName, DeviceRecord::kDevNameSize, name);
    return r;
}

// The firmware reads blocks with its own decoder: the PIC data-area length
// must be what the chip needs, a word per byte but for PIC18 parts.
TEST(ChipTypeLookup, DecodesBlocksOnItsOwn) {
    DeviceRecord pic = Chip('C', 5, 0x7FF, "16F84A");
    pic.SetU16(DeviceRecord::kEepromSize, 0x3F);
    const std::uint8_t right[9] = {'V', 0x08, 0x00, 'C', 5, 0x00, 0x80, 0, 0};
    const std::uint8_t wrong[9] = {'V', 0x08, 0x00, 'C', 5, 0x00, 0x40, 0, 0};
    EXPECT_TRUE(ChipTypes::Fits(pic, right));
    EXPECT_FALSE(ChipTypes::Fits(pic, wrong));
    DeviceRecord pic18 = Chip('C', 18, 0x7FFF, "18F252");
    pic18.SetU16(DeviceRecord::kEepromSize, 0xFF);
    const std::uint8_t bytes[9] = {'V', 0x80, 0x00, 'C', 18, 0x01, 0x00, 0, 0};
    EXPECT_TRUE(ChipTypes::Fits(pic18, bytes));
}

// Two chips that send the same block: the socket holds the one the user
// selected, not whichever the catalogue lists first.
TEST(VirtualProgrammer, TheSocketHoldsTheChipReallySelected) {
    Bench bench;
    ChipTypes types;
    types.Add(Chip('E', 9, 0x7FFF, "FIRST", 0xFF));
    types.Add(Chip('E', 9, 0x7FFF, "SECOND", 0x00));
    bench.programmer.LearnChipTypes(types);
    const std::uint8_t block[5] = {'V', 0x80, 0x00, 'E', 9};
    bench.link.SendBytes(block, sizeof block);
    bench.link.ReceiveText4();
    EXPECT_EQ(bench.programmer.WithSocket([](std::optional<ChipModel>& c) { return c->name; }),
              "FIRST");
    bench.programmer.ChipSelected(Chip('E', 9, 0x7FFF, "SECOND", 0x00));
    bench.link.SendBytes(block, sizeof block);
    bench.link.ReceiveText4();
    bench.programmer.WithSocket([](std::optional<ChipModel>& c) {
        EXPECT_EQ(c->name, "SECOND");
        EXPECT_EQ(c->Area('e')->bytes[0], 0x00);
    });
    // A block that does not fit the selected chip shapes what it names.
    const std::uint8_t other[5] = {'V', 0x40, 0x00, 'E', 9};
    bench.link.SendBytes(other, sizeof other);
    bench.link.ReceiveText4();
    EXPECT_EQ(bench.programmer.WithSocket(
                  [](std::optional<ChipModel>& c) { return c->Area('e')->bytes.size(); }),
              0x4000u);
}

// Faults sit on the transport: what they stop never reaches the device, and
// a corrupted byte is addressed by area and offset.
TEST(FaultLayer, RefusedCommandsNeverReachTheDeviceAndCorruptionIsPerArea) {
    Bench bench;
    const std::uint8_t block[5] = {'V', 0x01, 0x00, 'E', 9};  // 256-byte EEPROM
    bench.link.SendBytes(block, sizeof block);
    bench.link.ReceiveText4();
    bench.programmer.Refuse("eW");
    bench.link.SendText("eW");
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "??");
    // The device never started a write: the next command is a command.
    bench.programmer.Corrupt('e', 0x41);
    bench.programmer.Corrupt('x', 0x42);  // another area: no effect here
    bench.link.SendText("eR");
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "GR");
    std::uint8_t report[kPayloadSize];
    bench.link.ReceivePayload(report);
    EXPECT_EQ(report[1], 0xFF);
    bench.link.ReceivePayload(report);
    EXPECT_EQ(report[0], 0xFF);
    EXPECT_EQ(report[1], 0x00) << "0x41 reads back inverted";
    EXPECT_EQ(report[2], 0xFF);
}

// A data block of a write is no command, whatever its first bytes spell.
TEST(FaultLayer, DataBlocksOfAWriteAreNotTakenForCommands) {
    Bench bench;
    const std::uint8_t block[5] = {'V', 0x00, 0x40, 'E', 9};  // 64-byte EEPROM
    bench.link.SendBytes(block, sizeof block);
    bench.link.ReceiveText4();
    bench.programmer.Refuse("eR");
    bench.link.SendText("eW");
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "GW");
    bench.link.SendText("eR and more data");
    EXPECT_EQ(bench.link.ReceiveText4().substr(0, 2), "OK");
    bench.programmer.WithSocket([](std::optional<ChipModel>& c) {
        EXPECT_EQ(c->Area('e')->bytes[0], 'e');
        EXPECT_EQ(c->Area('e')->bytes[1], 'R');
    });
}

}  // namespace
}  // namespace karvo
