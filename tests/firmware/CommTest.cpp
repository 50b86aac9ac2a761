// The bootloader link: packet rules, replies that are taken or refused, and
// time-outs that always end.
#include <gtest/gtest.h>

#include "FirmwareTestSupport.h"

namespace karvo::test {
namespace {

struct CommRig {
    CommRig() : usb(device, clock), comm(usb, clock) { EXPECT_EQ(comm.OpenBootloader(), 0); }
    ManualClock clock;
    ScriptedBootloader device;
    ScriptedUsb usb;
    Comm comm;

    std::vector<std::uint8_t> Commands() const {
        std::vector<std::uint8_t> commands;
        for (const BootPacket& p : device.sent) commands.push_back(p[1]);
        return commands;
    }
};

BootReply DataReply(std::uint32_t address, int length, std::uint8_t fill) {
    BootReply reply{};
    reply[0] = BootCommand::GetData;
    WriteLe32(&reply[1], address);
    reply[5] = static_cast<std::uint8_t>(length);
    for (int i = 0; i < length; ++i) reply[static_cast<std::size_t>(64 - length + i)] = fill;
    return reply;
}

std::vector<std::uint8_t> Counting(std::size_t n) {
    std::vector<std::uint8_t> data(n);
    for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<std::uint8_t>(i);
    return data;
}

TEST(CommProgram, HundredAddressesGoAsFiftySixThenFortyFourThenComplete) {
    CommRig rig;
    const auto data = Counting(100);
    ASSERT_EQ(rig.comm.Program(0x1000, 56, 1, 2, 1, 0x1064, data), CommResult::Success);
    ASSERT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x05, 0x05, 0x06}));
    const BootPacket& first = rig.device.sent[0];
    EXPECT_EQ(ReadLe32(&first[2]), 0x1000u);
    EXPECT_EQ(first[6], 56);
    EXPECT_EQ(first[65 - 56], 0);  // the payload is right-aligned
    EXPECT_EQ(first[64], 55);
    const BootPacket& second = rig.device.sent[1];
    EXPECT_EQ(ReadLe32(&second[2]), 0x1000u + 56);
    EXPECT_EQ(second[6], 44);
    EXPECT_EQ(second[65 - 44], 56);
    EXPECT_EQ(second[64], 99);
    EXPECT_EQ(second[65 - 45], 0) << "nothing in front of the data";
}

TEST(CommProgram, ErasedRegionSendsOnlyOneComplete) {
    CommRig rig;
    const std::vector<std::uint8_t> erased(300, 0xFF);
    ASSERT_EQ(rig.comm.Program(0, 56, 1, 2, 1, 300, erased), CommResult::Success);
    EXPECT_EQ(rig.Commands(), std::vector<std::uint8_t>{0x06});
}

TEST(CommProgram, BlankPacketBetweenDataClosesTheRun) {
    CommRig rig;
    std::vector<std::uint8_t> data(56 * 3, 0xFF);
    data[0] = 1;
    data[56 * 2 + 5] = 2;
    ASSERT_EQ(rig.comm.Program(0x2000, 56, 1, 2, 1, 0x2000 + 56 * 3, data), CommResult::Success);
    EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x05, 0x06, 0x05, 0x06}));
    EXPECT_EQ(ReadLe32(&rig.device.sent[2][2]), 0x2000u + 112) << "the run after the gap";
}

TEST(CommProgram, PayloadIsLoweredToWholeWords) {
    CommRig rig;
    ASSERT_EQ(rig.comm.Program(0, 58, 1, 4, 3, 112, Counting(112)), CommResult::Success);
    EXPECT_EQ(rig.device.sent[0][6], 56);
    EXPECT_EQ(ReadLe32(&rig.device.sent[1][2]), 56u);
}

// The short last packet carries its data first and erased bytes after it, up
// to a whole word: every word starts where the data starts.
TEST(CommProgram, ShortLastPacketIsPaddedAfterItsData) {
    CommRig rig;
    const std::vector<std::uint8_t> data{1, 2, 3, 4, 5, 6};
    ASSERT_EQ(rig.comm.Program(0x40, 56, 1, 4, 3, 0x46, data), CommResult::Success);
    const BootPacket& p = rig.device.sent[0];
    EXPECT_EQ(p[6], 8);
    EXPECT_EQ(ReadLe32(&p[2]), 0x40u);
    EXPECT_EQ(std::vector<std::uint8_t>(p.begin() + 57, p.end()),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0xFF, 0xFF}));
}

TEST(CommProgram, TwoBytesPerAddressAdvanceByHalfThePayload) {
    CommRig rig;
    ASSERT_EQ(rig.comm.Program(0x400, 56, 2, 4, 2, 0x400 + 40, Counting(80)), CommResult::Success);
    ASSERT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x05, 0x05, 0x06}));
    EXPECT_EQ(ReadLe32(&rig.device.sent[1][2]), 0x400u + 28);
    EXPECT_EQ(rig.device.sent[1][6], 24);
}

TEST(CommProgram, FamilyTwoPhantomBytesDoNotMakeAPacketWorthSending) {
    CommRig rig;
    std::vector<std::uint8_t> data(56, 0xFF);
    for (std::size_t i = 3; i < data.size(); i += 4) data[i] = 0x00;
    ASSERT_EQ(rig.comm.Program(0, 56, 2, 4, 2, 28, data), CommResult::Success);
    EXPECT_EQ(rig.Commands(), std::vector<std::uint8_t>{0x06});
}

// Sizes that would overwrite the header, or never move on, are refused
// before anything is sent.
TEST(CommProgram, RefusesPayloadsThatCannotWork) {
    struct Case {
        int payload;
        int bytesPerWord;
        int bytesPerAddress;
    };
    for (const Case c : {Case{0, 2, 1}, Case{59, 2, 1}, Case{255, 2, 1}, Case{3, 4, 1},
                         Case{2, 2, 0}, Case{4, 0, 1}, Case{6, 6, 4}}) {
        CommRig rig;
        EXPECT_EQ(
            rig.comm.Program(0, c.payload, c.bytesPerAddress, c.bytesPerWord, 1, 64, Counting(256)),
            CommResult::Failed)
            << c.payload << " " << c.bytesPerWord;
        EXPECT_TRUE(rig.device.sent.empty());
    }
}

TEST(CommProgram, RefusesDataShorterThanTheRegion) {
    CommRig rig;
    EXPECT_EQ(rig.comm.Program(0, 56, 1, 2, 1, 100, Counting(99)), CommResult::Failed);
    EXPECT_EQ(rig.comm.Program(10, 56, 1, 2, 1, 9, Counting(99)), CommResult::Failed);
    EXPECT_TRUE(rig.device.sent.empty());
}

TEST(CommProgram, BarRunsFromAThirdToTwoThirds) {
    CommRig rig;
    std::vector<int> bar;
    ASSERT_EQ(
        rig.comm.Program(0, 56, 1, 2, 1, 560, Counting(560), [&](int p) { bar.push_back(p); }),
        CommResult::Success);
    EXPECT_EQ(bar.front(), 33);
    EXPECT_EQ(bar.back(), 66);
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end()));
}

TEST(CommGetData, TakesTheDataFromTheEndOfTheReply) {
    CommRig rig;
    BootReply reply = DataReply(0x100, 10, 0);
    for (int i = 0; i < 10; ++i)
        reply[static_cast<std::size_t>(54 + i)] = static_cast<std::uint8_t>(0xA0 + i);
    rig.device.replies.push_back(reply);
    std::vector<std::uint8_t> buffer(10, 0);
    ASSERT_EQ(rig.comm.GetData(0x100, 56, 1, 0x10A, buffer), CommResult::Success);
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7,
                                                 0xA8, 0xA9}));
    EXPECT_EQ(rig.device.sent[0][6], 10) << "asks for what is left";
}

// A reply that does not answer the request is no data: not another
// command's, not another address's, not another length's.
TEST(CommGetData, OnlyTheAnswerToTheRequestIsData) {
    const BootReply wrong[] = {
        [] {
            auto r = DataReply(0x200, 56, 0x11);
            r[0] = 0x02;
            return r;
        }(),
        DataReply(0x238, 56, 0x11),
        DataReply(0x200, 58, 0x11),
        DataReply(0x200, 12, 0x11),
    };
    for (const BootReply& reply : wrong) {
        CommRig rig;
        rig.device.replies.push_back(reply);
        std::vector<std::uint8_t> buffer(56 + 8, 0x5A);
        EXPECT_EQ(rig.comm.GetData(0x200, 56, 1, 0x200 + 56, std::span(buffer).first(56)),
                  CommResult::IncorrectCommand);
        EXPECT_EQ(buffer, std::vector<std::uint8_t>(64, 0x5A)) << "nothing stored";
    }
}

TEST(CommGetData, RefusesABufferTooSmallForTheRegion) {
    CommRig rig;
    std::vector<std::uint8_t> buffer(50);
    EXPECT_EQ(rig.comm.GetData(0, 56, 2, 26, buffer), CommResult::Failed);
    EXPECT_TRUE(rig.device.sent.empty());
}

TEST(CommCommands, NeedAnOpenHandle) {
    ManualClock clock;
    ScriptedBootloader device;
    ScriptedUsb usb(device, clock);
    usb.openable = false;
    Comm comm(usb, clock);
    EXPECT_TRUE(comm.IsPresent());
    EXPECT_EQ(comm.OpenBootloader(), 1);
    EXPECT_FALSE(comm.Connected());
    BootReply reply{};
    EXPECT_EQ(comm.GetQuery(reply), CommResult::NotConnected);
    EXPECT_EQ(comm.SendErase(), CommResult::NotConnected);
    EXPECT_EQ(comm.SendReset(), CommResult::NotConnected);
    EXPECT_EQ(comm.SendSign(), CommResult::NotConnected);
    EXPECT_EQ(comm.Program(0, 56, 1, 2, 1, 56, Counting(56)), CommResult::NotConnected);
    std::vector<std::uint8_t> buffer(56);
    EXPECT_EQ(comm.GetData(0, 56, 1, 56, buffer), CommResult::NotConnected);
    EXPECT_EQ(device.opened, 0);
}

TEST(CommCommands, FailedWriteClosesTheConnection) {
    CommRig rig;
    rig.device.failWrites = true;
    EXPECT_EQ(rig.comm.SendErase(), CommResult::Failed);
    EXPECT_FALSE(rig.comm.Connected());
    rig.device.failWrites = false;
    EXPECT_EQ(rig.comm.SendReset(), CommResult::NotConnected);
    EXPECT_TRUE(rig.device.sent.empty());
}

TEST(CommCommands, QueryWithTheWrongEchoIsIncorrectCommand) {
    CommRig rig;
    BootReply reply{};
    reply[0] = 0x07;
    rig.device.replies.push_back(reply);
    BootReply got{};
    EXPECT_EQ(rig.comm.GetQuery(got), CommResult::IncorrectCommand);
}

TEST(CommTimeouts, SilentBootloaderTimesOutAfterThreeWindows) {
    CommRig rig;
    BootReply got{};
    EXPECT_EQ(rig.comm.GetQuery(got), CommResult::TimedOut);
    EXPECT_GE(rig.clock.NowMs(), 3 * Comm::kWindowMs);
    EXPECT_LE(rig.clock.NowMs(), 3 * Comm::kWindowMs + 3 * Comm::kSliceMs + Comm::kSliceMs);
}

TEST(CommTimeouts, StalledWritesGiveUpAfterFiveWindows) {
    CommRig rig;
    rig.device.stallWrites = true;
    EXPECT_EQ(rig.comm.SendErase(), CommResult::TimedOut);
    EXPECT_GE(rig.clock.NowMs(), 5 * Comm::kWindowMs);
    EXPECT_TRUE(rig.comm.Connected()) << "a stall is no error of the link";
}

// A transport that gives up at once, with a clock that stands still, still
// cannot hold the update for ever.
TEST(CommTimeouts, EndEvenWhenNoTimePasses) {
    CommRig rig;
    rig.device.timeless = true;
    BootReply got{};
    EXPECT_EQ(rig.comm.GetQuery(got), CommResult::TimedOut);
    rig.device.stallWrites = true;
    EXPECT_EQ(rig.comm.SendErase(), CommResult::TimedOut);
    EXPECT_EQ(rig.clock.NowMs(), 0);
}

TEST(CommTimeouts, UnacknowledgedSignIsNotSuccess) {
    CommRig rig;
    EXPECT_EQ(rig.comm.SendSign(), CommResult::TimedOut);
    EXPECT_EQ(rig.Commands(), (std::vector<std::uint8_t>{0x09, 0x02}));
}

}  // namespace
}  // namespace karvo::test
