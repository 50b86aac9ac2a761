#include <gtest/gtest.h>

#include "settings/OptionsModel.h"
#include "support/Devices.h"

namespace karvo {
namespace {

using test::DeviceBuilder;
using Box = OptionsModel::Box;

struct Dialog {
    Dialog(DeviceRecord d, std::uint8_t progBits, std::uint8_t optionCaps = 0x0D)
        : device(std::move(d)) {
        device.SetU8(DeviceRecord::kOptionCaps, optionCaps);
        flags.ProgBits = progBits;
        model = std::make_unique<OptionsModel>(device, flags, sound);
        model->Prepare();
    }
    bool Checked(Box b) const { return model->State(b).checked; }

    DeviceRecord device;
    OptionFlags flags;
    bool sound = true;
    std::unique_ptr<OptionsModel> model;
};

DeviceRecord Micro(std::uint8_t stepCaps, std::uint8_t algorithm = 14) {
    return DeviceBuilder('M', 0xFFF).Algorithm(algorithm).U8(DeviceRecord::kStepCaps, stepCaps);
}

TEST(OptionsDialog, LockBitStepsAreCumulativeWhenOpening) {
    Dialog d(Micro(0x0F), 0x05);
    EXPECT_TRUE(d.model->ProgrammingGroupVisible());
    EXPECT_EQ(d.model->State(Box::kProgStep1).caption, "Code Mem");
    EXPECT_TRUE(d.Checked(Box::kProgStep1));
    EXPECT_TRUE(d.Checked(Box::kProgStep2));
    EXPECT_TRUE(d.Checked(Box::kProgStep3));
    EXPECT_FALSE(d.Checked(Box::kProgStep4));
    EXPECT_EQ(d.flags.ProgBits, 0x07);
}

TEST(OptionsDialog, UncheckingLockBit1ClearsTheHigherOnes) {
    Dialog d(Micro(0x0F), 0x0F);
    d.model->SetChecked(Box::kProgStep2, false);
    EXPECT_EQ(d.flags.ProgBits, 0x01);
    EXPECT_FALSE(d.Checked(Box::kProgStep2));
    EXPECT_FALSE(d.Checked(Box::kProgStep3));
    EXPECT_FALSE(d.Checked(Box::kProgStep4));
    d.model->SetChecked(Box::kProgStep4, true);
    EXPECT_EQ(d.flags.ProgBits, 0x0F) << "lock bit 3 pulls in 1 and 2";
}

TEST(OptionsDialog, PicAlgorithm0TiesTheIdToTheCode) {
    Dialog d(DeviceBuilder('C', 0x3FF).Algorithm(0).U8(DeviceRecord::kStepCaps, 0x15), 0x17);
    EXPECT_EQ(d.model->State(Box::kProgStep1).caption, "Code Area");
    EXPECT_EQ(d.model->State(Box::kProgStep5).caption, "Config Bytes");
    EXPECT_TRUE(d.model->State(Box::kProgStep2).visible);
    EXPECT_FALSE(d.model->Offered(Box::kProgStep2)) << "no data area: shown but disabled";
    d.model->SetChecked(Box::kProgStep1, false);
    EXPECT_FALSE(d.Checked(Box::kProgStep3));
    EXPECT_EQ(d.flags.ProgBits & 0x05, 0);
    d.model->SetChecked(Box::kProgStep3, true);
    EXPECT_TRUE(d.Checked(Box::kProgStep1));
    EXPECT_EQ(d.flags.ProgBits & 0x05, 0x05);
}

TEST(OptionsDialog, OtherPicAlgorithmsKeepTheStepsApart) {
    Dialog d(DeviceBuilder('C', 0x3FF).Algorithm(5).U8(DeviceRecord::kStepCaps, 0x17), 0x17);
    d.model->SetChecked(Box::kProgStep1, false);
    EXPECT_TRUE(d.Checked(Box::kProgStep3));
    EXPECT_EQ(d.flags.ProgBits, 0x16);
}

TEST(OptionsDialog, ByteWideDevicesHaveNoProgrammingGroup) {
    Dialog d(DeviceBuilder('E', 0x7FFF), 0x00);
    EXPECT_FALSE(d.model->ProgrammingGroupVisible());
    for (int step = 0; step <= 6; ++step) {
        EXPECT_FALSE(d.model->State(OptionsModel::StepBox(step)).visible) << step;
    }
}

TEST(OptionsDialog, UnsupportedGeneralOptionsGoOff) {
    Dialog d(DeviceBuilder('E', 0x7FFF), 0, 0x04);
    EXPECT_FALSE(d.model->Offered(Box::kInsertionTest));
    EXPECT_FALSE(d.flags.Test_flag);
    EXPECT_FALSE(d.flags.MaxMin_flag);
    EXPECT_TRUE(d.flags.Id_flag);
    EXPECT_TRUE(d.Checked(Box::kIdCheck));
    d.model->SetChecked(Box::kIdCheck, false);
    EXPECT_FALSE(d.flags.Id_flag);
    EXPECT_FALSE(d.model->Offered(Box::kOddEven));
}

TEST(OptionsDialog, CodeStepIsAlwaysCheckedWhenOffered) {
    Dialog d(Micro(0x01), 0x00);
    EXPECT_TRUE(d.Checked(Box::kProgStep1));
    EXPECT_EQ(d.flags.ProgBits, 0x01);
}

TEST(OptionsDialog, SpecialCaptions) {
    EXPECT_EQ(Dialog(Micro(0x3F, 14), 0).model->State(Box::kProgStep6).caption, "Disable WDT");
    const Dialog fuses(Micro(0x03, 35), 0);
    EXPECT_EQ(fuses.model->State(Box::kProgStep2).caption, "Fuses");
    EXPECT_FALSE(fuses.model->Offered(Box::kProgStep1));
    EXPECT_FALSE(fuses.model->Offered(Box::kProgStep2));
    EXPECT_EQ(fuses.flags.ProgBits & 0x02, 0x02);
    EXPECT_EQ(Dialog(Micro(0x03, 29), 0).model->State(Box::kProgStep2).caption,
              "Protect Mode Enable");
    const Dialog clock(
        DeviceBuilder('M', 0xFFF).Algorithm(25).Ids(0x1E, 0x91).U8(DeviceRecord::kStepCaps, 0x3F),
        0);
    EXPECT_EQ(clock.model->State(Box::kProgStep5).caption, "Clock Double");
    EXPECT_EQ(clock.model->State(Box::kProgStep6).caption, "SC0");
    const Dialog lock(DeviceBuilder('M', 0xFFF).ConfigType(208).U8(DeviceRecord::kStepCaps, 0x0F),
                      0);
    EXPECT_EQ(lock.model->State(Box::kProgStep2).caption, "Lock Bit");
    EXPECT_EQ(lock.model->State(Box::kProgStep3).caption, "MOVC inhibit");
    EXPECT_EQ(lock.model->State(Box::kProgStep4).caption, "Encryption Feature");
}

TEST(OptionsDialog, EraseFirstAndSound) {
    Dialog d(Micro(0x41), 0x41);
    EXPECT_TRUE(d.Checked(Box::kProgStep0));
    d.model->SetChecked(Box::kProgStep0, false);
    EXPECT_EQ(d.flags.ProgBits, 0x01);
    EXPECT_TRUE(d.Checked(Box::kSoundOn));
    d.model->SetChecked(Box::kSoundOn, false);
    EXPECT_FALSE(d.sound);
}

}  // namespace
}  // namespace karvo
