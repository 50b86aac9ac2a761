#include <gtest/gtest.h>

#include <deque>

#include "link/THid.h"

namespace karvo {
namespace {

struct FakeDevice {
    std::vector<Report> written;
    std::deque<Report> toHost;
    bool failReads = false;
    int readCalls = 0;
};

class FakeTransport final : public HidTransport {
  public:
    explicit FakeTransport(FakeDevice& d) : d_(d) {}
    bool Write(const Report& r) override {
        d_.written.push_back(r);
        return true;
    }
    ReadStatus Read(Report& r, int) override {
        ++d_.readCalls;
        if (d_.failReads) return ReadStatus::Failed;
        if (d_.toHost.empty()) return ReadStatus::TimedOut;
        r = d_.toHost.front();
        d_.toHost.pop_front();
        return ReadStatus::Ok;
    }

  private:
    FakeDevice& d_;
};

class FakeBackend final : public HidBackend {
  public:
    std::vector<HidDeviceInfo> devices;
    std::vector<std::string> opened;
    FakeDevice device;
    std::vector<HidDeviceInfo> Enumerate() override { return devices; }
    std::unique_ptr<HidTransport> OpenPath(const std::string& path) override {
        opened.push_back(path);
        return std::make_unique<FakeTransport>(device);
    }
};

Report ReplyWith(const std::string& text) {
    return THid::Frame(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(HardwareIdRule, MatchesRegardlessOfCaseAndRevision) {
    EXPECT_TRUE(HardwareIdMatches("HID\\VID_04D8&PID_F4A3&REV_0100", "Vid_04d8", "Pid_F4A3"));
    EXPECT_TRUE(HardwareIdMatches("hid\\vid_04d8&pid_f4a3&rev_0100", "Vid_04d8", "Pid_F4A3"));
    EXPECT_FALSE(HardwareIdMatches("HID\\VID_04D8&PID_003C&REV_0100", "Vid_04d8", "Pid_F4A3"));
    EXPECT_FALSE(HardwareIdMatches("HID\\VID_04D9&PID_F4A3", "Vid_04d8", "Pid_F4A3"));
    EXPECT_EQ(HardwareId({"p", 0x04D8, 0xF4A3, 0x0100}), "HID\\VID_04D8&PID_F4A3&REV_0100");
}

TEST(THidOpen, PassesOverOtherProductsAndTakesTheFirstMatch) {
    FakeBackend usb;
    usb.devices = {{"mouse", 0x046D, 0xC077, 1},
                   {"other", 0x04D8, 0x003C, 1},
                   {"first", 0x04D8, 0xF4A3, 1},
                   {"second", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    EXPECT_EQ(usb.opened, std::vector<std::string>{"first"});
}

TEST(THidOpen, NoProgrammerMeansFalse) {
    FakeBackend usb;
    usb.devices = {{"other", 0x04D8, 0x003C, 1}};
    THid link(usb);
    EXPECT_FALSE(link.Open("Vid_04d8", "Pid_F4A3"));
    EXPECT_FALSE(link.IsOpen());
}

TEST(THidFraming, TextGoesAfterReportIdWithZeroPadding) {
    FakeBackend usb;
    usb.devices = {{"p", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    link.SendText("F");
    link.SendHello();
    ASSERT_EQ(usb.device.written.size(), 2u);
    Report expected{};
    expected[1] = 0x46;
    EXPECT_EQ(usb.device.written[0], expected);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&usb.device.written[1][1]), 6),
              std::string("KARVO\0", 6));
    EXPECT_EQ(usb.device.written[1][0], 0);
}

TEST(THidFraming, TextLongerThanPayloadIsCut) {
    FakeBackend usb;
    usb.devices = {{"p", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    link.SendText(std::string(80, 'x'));
    EXPECT_EQ(usb.device.written[0][64], 'x');
}

TEST(THidReceive, CopiesPayloadBytes) {
    FakeBackend usb;
    usb.devices = {{"p", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    usb.device.toHost.push_back(ReplyWith("Here and more"));
    usb.device.toHost.push_back(ReplyWith("ABCDEFG"));
    EXPECT_EQ(link.ReceiveText4(), "Here");
    std::uint8_t bytes[8] = {};
    link.ReceiveBytes(bytes, 3);  // n = 3 copies four bytes
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 5), std::string("ABCD\0", 5));
}

TEST(THidReceive, SilentProgrammerGivesZerosNotAHang) {
    FakeBackend usb;
    usb.devices = {{"p", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    EXPECT_EQ(link.ReceiveText4(), std::string(4, '\0'));
    EXPECT_EQ(link.FailedTransfers(), 1u);
    usb.device.failReads = true;
    std::uint8_t payload[64];
    std::fill(std::begin(payload), std::end(payload), 0xAA);
    link.ReceivePayload(payload);
    EXPECT_EQ(payload[0], 0);
    EXPECT_EQ(payload[63], 0);
    EXPECT_EQ(link.FailedTransfers(), 2u);
}

TEST(THidReceive, ClearedRunFlagEndsAWaitAfterOneSlice) {
    FakeBackend usb;
    usb.devices = {{"p", 0x04D8, 0xF4A3, 1}};
    THid link(usb);
    ASSERT_TRUE(link.Open("Vid_04d8", "Pid_F4A3"));
    std::atomic<bool> runFlag{false};
    link.WatchRunFlag(&runFlag);
    link.ReceiveText4(10000);
    EXPECT_EQ(usb.device.readCalls, 1);
    runFlag = true;
    link.ReceiveText4(10 * THid::kReadSliceMs);
    EXPECT_EQ(usb.device.readCalls, 11);  // sliced, but it waited the whole bound
}

TEST(THidUnopened, TransfersFailQuietly) {
    FakeBackend usb;
    THid link(usb);
    link.SendText("F");
    EXPECT_EQ(link.ReceiveText4(), std::string(4, '\0'));
    EXPECT_EQ(link.FailedTransfers(), 2u);
}

}  // namespace
}  // namespace karvo
