#include <gtest/gtest.h>

#include <functional>

#include <fmt/format.h>

#include "catalogue/AdapterNotes.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using Lines = std::vector<std::string>;

struct FakeDialog final : SelectionDialogPort {
    std::function<bool(SelectionModel&)> onRun = [](SelectionModel&) { return true; };
    int ispNotices = 0;
    bool Run(SelectionModel& model) override { return onRun(model); }
    void ShowIspNotice() override { ++ispNotices; }

    // Click the way a user picks a device.
    static FakeDialog Picking(int family, int manuf, int device) {
        FakeDialog d;
        d.onRun = [=](SelectionModel& m) {
            if (m.CheckedFamily() != family) m.ClickFamily(family);
            m.ClickManufacturer(manuf);
            m.ClickDevice(device);
            return true;
        };
        return d;
    }
};

DeviceRecord Eprom27C256() {
    DeviceBuilder b('E', 0x7FFF, "AT27C256");
    b.Algorithm(3).Ids(0x1E, 0x8C).Caps(0xF7, 0x04);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    b.record.SetFloat(DeviceRecord::kVpp, 12.75f);
    b.U8(DeviceRecord::kAdapter, 4);
    return b;
}

DeviceRecord Micro89C51() {
    DeviceBuilder b('M', 0xFFF, "AT89C51");
    b.Algorithm(14).Ids(0x1E, 0x51, 0x06).Caps(0xFF, 0x05);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    b.record.SetFloat(DeviceRecord::kVpp, 12.0f);
    b.U8(DeviceRecord::kDefaultOpts, 0x05);
    b.U8(DeviceRecord::kAdapter, 8);
    b.U8(DeviceRecord::kEncryptInfo, 0x20);
    return b;
}

DeviceRecord Mega8() {
    DeviceBuilder b('M', 0x1FFF, "ATmega8");
    b.Algorithm(25).Ids(0x1E, 0x93, 0x07).Caps(0xFF, 0x05).Eeprom(512);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    b.U8(DeviceRecord::kAdapter, 8);
    b.U8(DeviceRecord::kEncryptInfo, 0x20);
    return b;
}

DeviceRecord Pic16F84A() {
    DeviceBuilder b('C', 0x7FF, "PIC16F84A");
    b.Algorithm(5).Ids(0x29, 0x05, 0x60).Blank(0x3F).ConfigMask({0x3F, 0xFF}).Eeprom(0x3F);
    b.Caps(0xFF, 0x05).U8(DeviceRecord::kStepCaps, 0x57);
    b.record.SetFloat(DeviceRecord::kVcc, 5.0f);
    b.record.SetFloat(DeviceRecord::kVpp, 13.0f);
    return b;
}

struct SelectRig {
    explicit SelectRig(bool withEprom = true, bool withMicro = true, bool programmer = true) {
        if (withEprom) {
            dir.Write("KARVO_e.usb", {{"Atmel", {Eprom27C256(), DeviceBuilder('E', 0x7FF, "2716")}},
                                      {"Empty", {}}});
        }
        if (withMicro) {
            dir.Write("KARVO_m.usb",
                      {{"Atmel", {Micro89C51(), Mega8()}}, {"Microchip", {Pic16F84A()}}});
        }
        rig = std::make_unique<Rig>();
        if (!programmer) rig->programmer.Unplug();
        rig->presenter.StartUp();
        rig->log.lines.clear();
    }
    std::string Label(PanelLabel l) { return rig->presenter.Panel().Label(l); }
    std::string Enabled() { return EnabledButtons(rig->presenter.Panel()); }
    void Pick(int family, int manuf, int device) {
        FakeDialog d = FakeDialog::Picking(family, manuf, device);
        SelectCommand(rig->presenter.Session()).Run(d);
        ispNotices += d.ispNotices;
    }

    ScratchProgramDir dir;
    std::unique_ptr<Rig> rig;
    int ispNotices = 0;
};

TEST(SelectCommand, EpromWithProgrammer) {
    SelectRig s;
    s.Pick(SelectionModel::kEEprom, 0, 0);
    EXPECT_EQ(s.rig->log.lines, (Lines{" Selected : Atmel  AT27C256", " Parameters sent OK"}));
    EXPECT_EQ(s.Label(PanelLabel::ManuL), "Atmel");
    EXPECT_EQ(s.Label(PanelLabel::DevL), "AT27C256");
    EXPECT_EQ(s.Label(PanelLabel::ManIDL), "0x1E");
    EXPECT_EQ(s.Label(PanelLabel::DevIDL), "0x8C");
    EXPECT_EQ(s.Label(PanelLabel::SizeL), "0x8000");
    EXPECT_EQ(s.Label(PanelLabel::VccL), " 5.00V");
    EXPECT_EQ(s.Label(PanelLabel::VppL), "12.75V");
    EXPECT_EQ(s.Label(PanelLabel::AdapL), "PLCC32 -> DIP32");
    EXPECT_EQ(s.Label(PanelLabel::CheckL), "8000");  // 0x8000 bytes of 0xFF
    EXPECT_EQ(s.rig->presenter.Buffer().Allocated, 0x10000u);
    EXPECT_EQ(s.Enabled(),
              "SB_Select SB_Load SB_Save SB_Edit SB_Blank SB_Read SB_Prog SB_Verify "
              "SB_Option");
    EXPECT_EQ(s.ispNotices, 0);
    EXPECT_TRUE(s.rig->sounds.played.empty());
}

TEST(SelectCommand, DemonstrationModeShowsTheDeviceButEnablesNothing) {
    SelectRig s(true, true, false);
    s.Pick(SelectionModel::kEEprom, 0, 0);
    EXPECT_EQ(s.rig->log.lines, (Lines{" Selected : Atmel  AT27C256"}));
    EXPECT_EQ(s.Label(PanelLabel::DevL), "AT27C256");
    EXPECT_EQ(s.Label(PanelLabel::CheckL), "");
    EXPECT_EQ(s.Enabled(), "SB_Select");
}

TEST(SelectCommand, MicroControllerGetsTheHintSoundAndNotice) {
    SelectRig s;
    s.Pick(SelectionModel::kMicro, 0, 0);
    EXPECT_EQ(s.rig->log.lines,
              (Lines{" Selected : Atmel  AT89C51",
                     " ***  Select Programming Options : Code Area / Lockbits in OPTIONS ***",
                     " Parameters sent OK"}));
    EXPECT_EQ(s.rig->sounds.played, (std::vector<std::string>{"notify.wav"}));
    EXPECT_EQ(s.ispNotices, 1);
    EXPECT_EQ(s.Label(PanelLabel::DevIDL2), "0x06");
    EXPECT_EQ(s.Label(PanelLabel::ComL), "Encryption @ addr 0x10000, 32 bytes");
    EXPECT_EQ(s.rig->presenter.Buffer().Allocated, 0x20000u);
    const auto& flags = s.rig->presenter.State().settings.flags;
    EXPECT_EQ(flags.ProgBits, 1);
    EXPECT_TRUE(flags.Test_flag);
    EXPECT_TRUE(flags.Id_flag);
    EXPECT_FALSE(flags.MaxMin_flag);
}

TEST(SelectCommand, PicFollowsItsWordRuleAndProgBits) {
    SelectRig s;
    s.Pick(SelectionModel::kMicro, 1, 0);
    EXPECT_EQ(s.rig->log.lines[1],
              " ***  Select Programming Options : Prog / ID / Data / Config in OPTIONS ***");
    EXPECT_EQ(s.Label(PanelLabel::DevIDL2), "") << "only family 'M' shows the third byte";
    EXPECT_EQ(s.Label(PanelLabel::ComL), "E2prom @ 0x4200  size = 64 bytes");
    EXPECT_EQ(s.rig->presenter.State().settings.flags.ProgBits, 0x17);
    // 0x400 words of 0x3FFF plus the configuration word 0x3FFF masked by 0x3FFF.
    EXPECT_EQ(s.Label(PanelLabel::CheckL),
              fmt::format("{:04X}", (0x400 * 0x3FFF + 0x3FFF) & 0xFFFF));
}

TEST(SelectCommand, OptionFlagsResetOnlyWhenTheDeviceChanges) {
    SelectRig s;
    s.Pick(SelectionModel::kMicro, 0, 0);
    auto& flags = s.rig->presenter.State().settings.flags;
    flags = {0x0F, false, false, true};
    s.rig->presenter.Reconnect();
    s.Pick(SelectionModel::kMicro, 0, 0);
    EXPECT_EQ(flags.ProgBits, 0x0F);
    EXPECT_TRUE(flags.MaxMin_flag);
    s.Pick(SelectionModel::kMicro, 0, 1);
    EXPECT_EQ(flags.ProgBits, 1);
    EXPECT_FALSE(flags.MaxMin_flag);
    EXPECT_EQ(s.Label(PanelLabel::ComL), "E2prom @ 0x02000  size = 512 bytes");
}

TEST(SelectCommand, CancelKeepsTheActiveDeviceAndItsBuffer) {
    SelectRig s;
    s.Pick(SelectionModel::kEEprom, 0, 0);
    s.rig->presenter.Buffer()[0] = 0x12;
    FakeDialog cancel;
    cancel.onRun = [](SelectionModel& m) {
        m.ClickFamily(SelectionModel::kMicro);
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(cancel);
    EXPECT_EQ(s.rig->presenter.Device().DevName(), "AT27C256");
    EXPECT_EQ(s.rig->presenter.Buffer()[0], 0x12);
    EXPECT_EQ(s.Label(PanelLabel::DevL), "AT27C256");
    const PersistedValues& remembered = s.rig->presenter.State().settings;
    EXPECT_EQ(remembered.DataFileName, "KARVO_e.usb") << "the remembered chip is the active one";
    EXPECT_EQ(remembered.ManufIndex, 0);
    EXPECT_EQ(remembered.DeviceIndex, 0);
}

// After a Cancel that browsed elsewhere, choosing the active chip again is no
// device change: the option flags stay as the user set them.
TEST(SelectCommand, ReselectingTheActiveChipAfterACancelKeepsTheOptions) {
    SelectRig s;
    s.Pick(SelectionModel::kMicro, 0, 0);
    auto& flags = s.rig->presenter.State().settings.flags;
    flags = {0x0F, false, false, true};
    FakeDialog browse;
    browse.onRun = [](SelectionModel& m) {
        m.ClickFamily(SelectionModel::kEEprom);
        m.ClickManufacturer(0);
        m.ClickDevice(1);
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(browse);
    s.Pick(SelectionModel::kMicro, 0, 0);
    EXPECT_EQ(flags.ProgBits, 0x0F);
    EXPECT_FALSE(flags.Test_flag);
}

// In demonstration mode nothing is filled or summed, so the checksum label
// must not go on showing the figure of the chip selected before.
TEST(SelectCommand, DemonstrationModeAfterReconnectShowsNoOtherChipsChecksum) {
    SelectRig s;
    s.Pick(SelectionModel::kEEprom, 0, 0);
    EXPECT_EQ(s.Label(PanelLabel::CheckL), "8000");
    s.rig->programmer.Unplug();
    s.rig->presenter.Reconnect();
    s.Pick(SelectionModel::kEEprom, 0, 1);
    EXPECT_EQ(s.Label(PanelLabel::DevL), "2716");
    EXPECT_EQ(s.Label(PanelLabel::CheckL), "");
}

// A record whose size would wrap the buffer (or need gigabytes) never
// becomes the active device: a box names the file and the device, and the
// chip the user had stays.
TEST(SelectCommand, ADamagedRecordIsRefusedAndTheActiveDeviceStays) {
    for (const std::uint32_t lastAddr : {0xFFFF0000u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
        SelectRig s;
        s.dir.Write("KARVO_e.usb",
                    {{"Atmel", {Eprom27C256(), DeviceBuilder('E', lastAddr, "BROKEN")}}});
        s.Pick(SelectionModel::kEEprom, 0, 0);
        s.rig->presenter.Buffer()[0] = 0x12;
        s.rig->log.lines.clear();
        FakeDialog d = FakeDialog::Picking(SelectionModel::kEEprom, 0, 1);
        EXPECT_EQ(SelectCommand(s.rig->presenter.Session()).Run(d), SelectOutcome::NotSelected);
        ASSERT_EQ(s.rig->prompts.boxes.size(), 1u) << lastAddr;
        EXPECT_EQ(s.rig->prompts.boxes[0].caption, "Device Data Error");
        EXPECT_EQ(s.rig->prompts.boxes[0].text.rfind(
                      "The record of BROKEN in KARVO_e.usb is damaged and cannot be used: ", 0),
                  0u)
            << s.rig->prompts.boxes[0].text;
        EXPECT_EQ(s.rig->presenter.Device().DevName(), "AT27C256");
        EXPECT_EQ(s.rig->presenter.Buffer()[0], 0x12);
        EXPECT_EQ(s.rig->presenter.Buffer().Allocated, 0x10000u);
        EXPECT_EQ(s.rig->presenter.State().settings.DeviceIndex, 0);
        EXPECT_TRUE(s.rig->log.lines.empty());
    }
}

// A parameter block the programmer does not confirm is said in the log and
// reported to the caller.
TEST(SelectCommand, UnconfirmedParametersAreReported) {
    SelectRig s;
    s.rig->programmer.Refuse("V");
    FakeDialog d = FakeDialog::Picking(SelectionModel::kEEprom, 0, 0);
    EXPECT_EQ(SelectCommand(s.rig->presenter.Session()).Run(d), SelectOutcome::ParametersRefused);
    EXPECT_EQ(s.rig->log.lines,
              (Lines{" Selected : Atmel  AT27C256",
                     " The programmer did not confirm the parameters of AT27C256; check the "
                     "cable, Reconnect and select the device again"}));
}

TEST(SelectCommand, NoDataFilesRefuses) {
    SelectRig s(false, false);
    FakeDialog never;
    never.onRun = [](SelectionModel&) -> bool {
        ADD_FAILURE() << "dialog opened";
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(never);
    ASSERT_EQ(s.rig->prompts.boxes.size(), 1u);
    EXPECT_EQ(s.rig->prompts.boxes[0].text, " No Device Files Found ");
}

TEST(SelectionDialog, OpensOnTheOnlyFilePresent) {
    SelectRig s(false, true);
    s.rig->presenter.State().settings.DataFileName.clear();
    FakeDialog look;
    look.onRun = [](SelectionModel& m) {
        EXPECT_EQ(m.CheckedFamily(), SelectionModel::kMicro);
        EXPECT_FALSE(m.FamilyEnabled(SelectionModel::kEEprom));
        EXPECT_FALSE(m.FamilyEnabled(SelectionModel::kEprom));
        EXPECT_EQ(m.Manufacturers(), (Lines{"Atmel", "Microchip"}));
        EXPECT_EQ(m.Devices(), (Lines{"AT89C51", "ATmega8"}));
        EXPECT_TRUE(m.ListsReady());
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(look);
}

TEST(SelectionDialog, RememberedFileMissingListsNothingUntilAFamilyIsClicked) {
    SelectRig s(false, true);
    s.rig->presenter.State().settings.DataFileName = "KARVO_e.usb";
    FakeDialog look;
    look.onRun = [&](SelectionModel& m) {
        EXPECT_EQ(m.CheckedFamily(), SelectionModel::kEprom);
        EXPECT_TRUE(m.Manufacturers().empty());
        EXPECT_EQ(m.ManufIndex(), -1);
        EXPECT_FALSE(m.HasValidSelection());
        m.ClickFamily(SelectionModel::kMicro);
        EXPECT_EQ(m.ManufIndex(), 0);
        EXPECT_EQ(m.DeviceIndex(), 0);
        EXPECT_EQ(m.Devices(), (Lines{"AT89C51", "ATmega8"}));
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(look);
    ASSERT_EQ(s.rig->prompts.boxes.size(), 1u);
    EXPECT_EQ(s.rig->prompts.boxes[0].caption, " File Not Found ");
    EXPECT_EQ(s.rig->prompts.boxes[0].text, "KARVO_e.usb");
}

TEST(SelectionDialog, ManufacturerClickSelectsItsFirstDeviceAndStaleIndexesComeBack) {
    SelectRig s;
    auto& settings = s.rig->presenter.State().settings;
    settings.DataFileName = "KARVO_m.usb";
    settings.ManufIndex = 7;  // from another catalogue
    settings.DeviceIndex = 3;
    FakeDialog look;
    look.onRun = [](SelectionModel& m) {
        EXPECT_EQ(m.SelectedManufacturer(), 0);
        EXPECT_EQ(m.SelectedDevice(), 0);
        m.ClickDevice(1);
        m.ClickManufacturer(1);
        EXPECT_EQ(m.DeviceIndex(), 0);
        EXPECT_EQ(m.Devices(), (Lines{"PIC16F84A"}));
        m.ClickManufacturer(5);  // not listed: ignored
        EXPECT_EQ(m.ManufIndex(), 1);
        EXPECT_EQ(m.SelectedManufacturer(), 1) << "the list shows the clicked manufacturer";
        return false;
    };
    SelectCommand(s.rig->presenter.Session()).Run(look);
}

TEST(SelectionDialog, FamilyClickBeforeTheListsAreReadyKeepsTheIndexes) {
    std::string file = "KARVO_m.usb";
    std::int32_t manuf = 1, device = 0;
    ScratchProgramDir dir;
    dir.Write("KARVO_e.usb", {{"Atmel", {Eprom27C256()}}});
    dir.Write("KARVO_m.usb", {{"Atmel", {Micro89C51()}}, {"Microchip", {Pic16F84A()}}});
    RecordingPrompts prompts;
    SelectionModel model(file, manuf, device, kEpromFileBit | kMicroFileBit, prompts);
    model.ClickFamily(SelectionModel::kMicro);  // the guard is still down
    EXPECT_EQ(manuf, 1);
    model.Prepare();
    model.ClickFamily(SelectionModel::kEEprom);
    EXPECT_EQ(file, "KARVO_e.usb");
    EXPECT_EQ(manuf, 0);
}

TEST(ButtonCaps, EnableExactlyTheirButtons) {
    ScratchProgramDir dir;
    dir.Write("KARVO_e.usb", {{"X", {DeviceBuilder('E', 0x7FF, "P").Caps(0x3F, 0x04)}}});
    Rig rig;
    rig.presenter.StartUp();
    FakeDialog d = FakeDialog::Picking(SelectionModel::kEEprom, 0, 0);
    SelectCommand(rig.presenter.Session()).Run(d);
    EXPECT_EQ(EnabledButtons(rig.presenter.Panel()),
              "SB_Select SB_Load SB_Save SB_Edit SB_Config SB_Blank SB_Read SB_Option");
}

TEST(AdapterNotesTable, LastApplicableCommentWins) {
    DeviceBuilder m('M', 0x1FFF);
    m.U8(DeviceRecord::kAdapter, 8).U8(DeviceRecord::kEncryptInfo, 0x20).Eeprom(512);
    const AdapterNotes notes = NotesFor(m);
    EXPECT_EQ(notes.adapter, "");
    EXPECT_EQ(notes.comment, "E2prom @ 0x02000  size = 512 bytes");
    EXPECT_EQ(NotesFor(DeviceBuilder('E', 0xFF).U8(DeviceRecord::kAdapter, 17)).comment, "");
    EXPECT_EQ(NotesFor(DeviceBuilder('M', 0xFFFF).Ids(0xBF, 0x91)).comment,
              "Block0 @ 0 - 0xFFFF , Block1 @ 0x10000 - 0x11FFF");
    EXPECT_EQ(NotesFor(DeviceBuilder('M', 0xFF).U8(DeviceRecord::kEncryptInfo, 0x70)).comment,
              "Encryption @ addr 0x10000");
    EXPECT_EQ(NotesFor(DeviceBuilder('C', 0x7FFF).Algorithm(18).Eeprom(0xFF)).comment,
              "E2prom @ 0xF0200  size = 256 bytes");
    // Where the layout keeps the data: the enhanced parts from 0x10200.
    EXPECT_EQ(NotesFor(DeviceBuilder('C', 0x7FF).Algorithm(2).Eeprom(0x7F)).comment,
              "E2prom @ 0x4200  size = 128 bytes");
    EXPECT_EQ(NotesFor(DeviceBuilder('C', 0x7FF).Algorithm(7).ConfigType(46).Eeprom(0xFF)).comment,
              "E2prom @ 0x10200  size = 256 bytes");
    EXPECT_EQ(FormatVoltage(12.5f), "12.50V");
    EXPECT_EQ(FormatVoltage(5.0f), " 5.00V");
}

}  // namespace
}  // namespace karvo::test
