// The parameter block, the result lines of the jobs and the block exchange.
#include <gtest/gtest.h>

#include "operations/JobProtocol.h"
#include "support/Devices.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

TEST(ParameterBlock, WorkedExamples) {
    const ParameterBlock e = BuildParameterBlock(DeviceBuilder('E', 0x7FFF).Algorithm(3));
    EXPECT_EQ(e[0], 'V');
    EXPECT_EQ(e[1], 0x80);
    EXPECT_EQ(e[2], 0x00);
    EXPECT_EQ(e[3], 'E');
    EXPECT_EQ(e[4], 0x03);
    for (std::size_t i = 5; i < e.size(); ++i) EXPECT_EQ(e[i], 0) << i;
    const ParameterBlock big = BuildParameterBlock(DeviceBuilder('E', 0xFFFF));
    EXPECT_EQ(big[1], 0);
    EXPECT_EQ(big[2], 0);
    const ParameterBlock pic = BuildParameterBlock(DeviceBuilder('C', 0x7FF)
                                                       .Algorithm(5)
                                                       .Eeprom(0x7F)
                                                       .ConfigType(32)
                                                       .U8(DeviceRecord::kAlgoParam, 9));
    EXPECT_EQ(pic[5], 0x01);
    EXPECT_EQ(pic[6], 0x00);
    EXPECT_EQ(pic[7], 9);
    EXPECT_EQ(pic[8], 32);
    const ParameterBlock pic18 =
        BuildParameterBlock(DeviceBuilder('C', 0x7FFF).Algorithm(18).Eeprom(0xFF));
    EXPECT_EQ(pic18[5], 0x01);
    EXPECT_EQ(pic18[6], 0x00);
    EXPECT_EQ(BuildParameterBlock(DeviceBuilder('C', 0x7FF).Algorithm(5))[6], 2);
    EXPECT_EQ(BuildParameterBlock(DeviceBuilder('C', 0x7FF).Algorithm(18))[6], 1);
    EXPECT_EQ(BuildParameterBlock(DeviceBuilder('M', 0xFFF).Eeprom(0x7F))[6], 0) << "only 'C'";
}

TEST(JobReports, CompareErrorLineAndSilenceAfterAbort) {
    RecordingLog log;
    std::atomic<bool> run{true};
    std::atomic<std::uint8_t> errors{0};
    JobReporter reporter(log, run, errors);
    MemoryBuffer buffer;
    const DeviceRecord eprom = DeviceBuilder('E', 0x7FFF, "27C256");
    buffer.AllocateForDevice(eprom);
    buffer[0x12] = 0xFF;
    reporter.ReportError(11, 0x7F, eprom, buffer, 0x12);
    reporter.ReportError(12, 0, eprom, buffer, 0);
    EXPECT_EQ(log.lines,
              (Lines{"  Compare Error @ 0x00012 Ram = 0xFF 27C256 = 0x7F", " 27C256 not blank"}));
    run = false;
    errors = 0;
    reporter.ReportError(11, 0x7F, eprom, buffer, 0x12);
    reporter.ReportSuccess(10);
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(errors, 1);
}

TEST(SendParametersExchange, RefusedBlockCountsAnErrorQuietly) {
    VirtualSettings settings;
    settings.muted.insert("V");
    Rig rig(settings);
    rig.presenter.StartUp();
    RecordingLog log;
    JobReporter reporter(log, rig.presenter.State().RunFlag, rig.presenter.State().ErrorCount);
    EXPECT_FALSE(SendParameters(rig.presenter.Link(),
                                DeviceBuilder('E', 0x7FFF, "AT27C256").Algorithm(3), rig.clock,
                                reporter, rig.presenter.State().ErrorCount));
    EXPECT_EQ(rig.presenter.State().ErrorCount, 1);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace karvo::test
