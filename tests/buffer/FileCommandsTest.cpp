// The Load and Save commands of the main window, with fake dialogs.
#include <functional>

#include "support/CatalogueFixture.h"
#include "support/FileTestSupport.h"
#include "support/PicParts.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

struct FakeFiles final : FileChoicePort {
    FileDialogAnswer answer;
    std::vector<FileDialogRequest> opens;
    std::vector<FileDialogRequest> saves;
    FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) override {
        opens.push_back(request);
        return answer;
    }
    FileDialogAnswer ChooseFileToSave(const FileDialogRequest& request) override {
        saves.push_back(request);
        return answer;
    }
    void Choose(const std::string& path, int filter = 1) {
        answer = {true, path, filter, std::filesystem::path(path).parent_path().string()};
    }
};

struct FakeFormat final : FileFormatDialogPort {
    std::function<bool(FileFormatModel&)> onRun = [](FileFormatModel&) { return true; };
    int runs = 0;
    FileFormatLayout layout = FileFormatLayout::Load;
    std::string stopShown;
    bool Run(FileFormatModel& model) override {
        ++runs;
        layout = model.Layout();
        stopShown = model.StopText();
        return onRun(model);
    }
};

struct Picker final : SelectionDialogPort {
    int family, manuf, device;
    Picker(int f, int m, int d) : family(f), manuf(m), device(d) {}
    bool Run(SelectionModel& m) override {
        if (m.CheckedFamily() != family) m.ClickFamily(family);
        m.ClickManufacturer(manuf);
        m.ClickDevice(device);
        return true;
    }
    void ShowIspNotice() override {}
};

DeviceRecord Eprom27C256() {
    return DeviceBuilder('E', 0x7FFF, "27C256").Caps(0xF7, 0x04);
}
DeviceRecord Pic18F452() {
    return pic_parts::Pic18F452().Caps(0xFF, 0x05);
}
DeviceRecord Pic16F84A() {
    return DeviceBuilder('C', 0x7FF, "PIC16F84A")
        .Algorithm(5)
        .Blank(0x3F)
        .ConfigMask({0x3F, 0xFF})
        .Eeprom(0x3F)
        .Caps(0xFF, 0x05);
}

struct FileRig {
    explicit FileRig(bool programmer = true) {
        program.Write("KARVO_e.usb", {{"Intel", {Eprom27C256()}}});
        program.Write("KARVO_m.usb", {{"Microchip", {Pic16F84A(), Pic18F452()}}});
        rig = std::make_unique<Rig>();
        if (!programmer) rig->programmer.Unplug();
        rig->presenter.StartUp();
    }
    void SelectEprom() { Pick(SelectionModel::kEEprom); }
    void SelectPic() { Pick(SelectionModel::kMicro); }
    void Pick(int family, int device = 0) {
        Picker picker(family, 0, device);
        SelectCommand(rig->presenter.Session()).Run(picker);
        rig->log.lines.clear();
        rig->sounds.played.clear();
    }
    FileCommandStatus Load() {
        return LoadCommand(rig->presenter.Session()).Run({files, format, progress});
    }
    FileCommandStatus Save() {
        return SaveCommand(rig->presenter.Session()).Run({files, format, progress});
    }
    std::string Label(PanelLabel label) { return rig->presenter.Panel().Label(label); }
    MemoryBuffer& Buffer() { return rig->presenter.Buffer(); }
    std::vector<RecordingPrompts::Box>& Boxes() { return rig->prompts.boxes; }

    ScratchProgramDir program;
    ScratchDir files_dir;
    std::unique_ptr<Rig> rig;
    FakeFiles files;
    FakeFormat format;
    RecordingProgress progress;
};

TEST(LoadCommand, DialogsThenLoadThenLabelsAndDirectory) {
    FileRig r;
    r.SelectEprom();
    r.rig->presenter.State().settings.LoadSaveDir = "/start/here";
    const std::string path = r.files_dir.Write("a.hex", ":02001000AABB89\r\n:00000001FF\r\n");
    r.files.Choose(path);
    EXPECT_EQ(r.Load(), FileCommandStatus::Completed);

    ASSERT_EQ(r.files.opens.size(), 1u);
    EXPECT_EQ(r.files.opens[0].directory, "/start/here");
    EXPECT_EQ(r.files.opens[0].fileName, "");
    EXPECT_EQ(r.files.opens[0].filter, FileFilterFor(Family::Eprom));
    EXPECT_EQ(r.format.runs, 1);
    EXPECT_EQ(r.format.layout, FileFormatLayout::Load);
    EXPECT_EQ(r.rig->log.lines,
              (Lines{"", " File " + path + " Loaded", " Highest Load Address : 11",
                     " Lowest Load Address  : 10"}));
    EXPECT_EQ(r.Label(PanelLabel::FileL), path);
    // 0x7FFE bytes of 0xFF and AA BB.
    EXPECT_EQ(r.Label(PanelLabel::CheckL), "7F67");
    EXPECT_EQ(r.rig->presenter.State().settings.LoadSaveDir, r.files_dir.Dir());
    EXPECT_EQ(r.rig->presenter.Session().Files().fileName, path);
    EXPECT_EQ(r.progress.captions, (std::vector<std::string>{" Loading File......."}));
    EXPECT_TRUE(r.Boxes().empty());
}

TEST(LoadCommand, CancelledFileDialogStillRecomputesTheChecksum) {
    FileRig r;
    r.SelectEprom();
    r.Buffer()[0] = 0x00;
    r.files.answer = {false, "", 1, "/where/the/dialog/was"};
    EXPECT_EQ(r.Load(), FileCommandStatus::Cancelled);
    EXPECT_EQ(r.format.runs, 0);
    EXPECT_EQ(r.Label(PanelLabel::CheckL), "7F01");
    EXPECT_EQ(r.rig->presenter.State().settings.LoadSaveDir, "/where/the/dialog/was");
    EXPECT_TRUE(r.rig->log.lines.empty());
}

TEST(LoadCommand, CancelledFormatDialogLoadsNothing) {
    FileRig r;
    r.SelectEprom();
    r.Buffer()[0] = 0x12;
    r.files.Choose(r.files_dir.Write("a.hex", ":00000001FF"));
    r.format.onRun = [](FileFormatModel&) { return false; };
    EXPECT_EQ(r.Load(), FileCommandStatus::Cancelled);
    EXPECT_EQ(r.Buffer()[0], 0x12);
    EXPECT_EQ(r.Label(PanelLabel::FileL), "");
    EXPECT_EQ(r.rig->presenter.Session().Files().choices.format, FileFormat::FormatCancelled);
}

TEST(LoadCommand, MalformedOffsetLoadsNothing) {
    FileRig r;
    r.SelectEprom();
    r.Buffer()[0] = 0x12;
    r.files.Choose(r.files_dir.Write("a.hex", ":00000001FF"));
    r.format.onRun = [](FileFormatModel& m) { return m.TypeOffset("XYZ"); };
    EXPECT_EQ(r.Load(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 1u);
    EXPECT_EQ(r.Boxes()[0].kind, BoxKind::Error);
    EXPECT_EQ(r.Boxes()[0].text, "''$XYZ'' is not a valid integer value");
    EXPECT_EQ(r.Buffer()[0], 0x12);
    EXPECT_TRUE(r.rig->log.lines.empty());
}

TEST(LoadCommand, OffsetAndFormatChosenInTheDialog) {
    FileRig r;
    r.SelectEprom();
    r.files.Choose(r.files_dir.Write("a.mot", "S1040100A555\nS9030000FC\n"), 4);
    r.format.onRun = [](FileFormatModel& m) {
        EXPECT_EQ(m.CheckedFormat(), FileFormat::FormatBinary);  // All Files
        m.ClickFormat(FileFormat::FormatMotorola);
        m.ClickFill(FillChoice::Zero);
        m.ClickAdd();
        m.TypeOffset("10");
        return true;
    };
    EXPECT_EQ(r.Load(), FileCommandStatus::Completed);
    EXPECT_EQ(r.Buffer()[0x110], 0xA5);
    EXPECT_EQ(r.Buffer()[0x111], 0x00);
    EXPECT_EQ(r.Label(PanelLabel::CheckL), "00A5");
}

TEST(LoadCommand, BadFilesAreReportedAndStillShowTheName) {
    FileRig r;
    r.SelectEprom();
    const std::string path = r.files_dir.Write("bad.hex", ":02001000AABB88\r\n:00000001FF\r\n");
    r.files.Choose(path);
    EXPECT_EQ(r.Load(), FileCommandStatus::Failed);
    EXPECT_EQ(r.rig->log.lines, (Lines{" Checksum Error "}));
    EXPECT_EQ(r.rig->sounds.played, (std::vector<std::string>{"error.wav"}));
    EXPECT_EQ(r.Label(PanelLabel::FileL), path);

    r.rig->log.lines.clear();
    r.files.Choose(r.files_dir.Path("missing.hex"));
    EXPECT_EQ(r.Load(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 1u);
    EXPECT_EQ(r.Boxes()[0].kind, BoxKind::Warning);
    EXPECT_EQ(r.Boxes()[0].caption, "");
    EXPECT_EQ(r.Boxes()[0].text, "File ERROR");
    EXPECT_TRUE(r.rig->log.lines.empty());
}

TEST(LoadCommand, ConversionErrorInTheFileEndsTheCommandWithItsBox) {
    FileRig r;
    r.SelectEprom();
    r.files.Choose(r.files_dir.Write("bad.hex", ":0200100QAABB89\r\n"));
    EXPECT_EQ(r.Load(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 1u);
    EXPECT_EQ(r.Boxes()[0].caption, "KARVO Mk2");
    EXPECT_EQ(r.Boxes()[0].text, "''0x0Q'' is not a valid integer value");
    EXPECT_EQ(r.Label(PanelLabel::FileL), "");
    EXPECT_EQ(r.progress.closes, 1);
    // The buffer was refilled before the bad record: the label says so.
    EXPECT_EQ(r.Label(PanelLabel::CheckL), "8000");
}

TEST(LoadCommand, WordPartsOpenWithTheirFormatAndTellTheMissingAreas) {
    FileRig r;
    r.SelectPic();
    const std::string path = r.files_dir.Write("p.hex", ":02400E00F43F7D\n:00000001FF\n");
    r.files.Choose(path);
    EXPECT_EQ(r.Load(), FileCommandStatus::Completed);
    EXPECT_EQ(r.files.opens[0].filter, "Inh8m (*.HEX)|*.hex|All Files (*.*)|*.*");
    EXPECT_TRUE(r.Boxes().empty());
    EXPECT_EQ(r.rig->log.lines,
              (Lines{"", " File " + path + " Loaded", " WARNING not present in file : DATA",
                     " WARNING not present in file : ID"}));
    EXPECT_EQ(r.Label(PanelLabel::FileL), path);
}

TEST(FileCommands, Pic18PartsRefuseInx16WithABoxAndTouchNothing) {
    FileRig r;
    r.Pick(SelectionModel::kMicro, 1);
    ASSERT_EQ(r.rig->presenter.Session().Device().DevName(), "18F452");
    r.Buffer()[0] = 0x12;
    const std::string path = r.files_dir.Write("p.hex", ":0100000055AA\n:00000001FF\n");
    r.files.Choose(path);
    r.format.onRun = [](FileFormatModel& m) { return m.ClickFormat(FileFormat::FormatInx16); };
    EXPECT_EQ(r.Load(), FileCommandStatus::Failed);
    EXPECT_EQ(r.Buffer()[0], 0x12);
    r.files.Choose(r.files_dir.Path("out.hex"));
    EXPECT_EQ(r.Save(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 2u);
    for (const auto& box : r.Boxes()) {
        EXPECT_EQ(box.kind, BoxKind::Error);
        EXPECT_EQ(box.caption, "Select File Format");
        EXPECT_EQ(box.text, "INX16 files cannot hold PIC18 devices; use INH8M.");
    }
    EXPECT_EQ(r.files_dir.Names(), (std::vector<std::string>{"p.hex"}));
    EXPECT_TRUE(r.rig->log.lines.empty());
    EXPECT_EQ(r.Label(PanelLabel::FileL), "");
}

TEST(LoadCommand, NothingWithoutAProgrammer) {
    FileRig r(false);
    r.SelectEprom();
    EXPECT_EQ(r.Load(), FileCommandStatus::NotRun);
    EXPECT_EQ(r.Save(), FileCommandStatus::NotRun);
    EXPECT_TRUE(r.files.opens.empty());
    EXPECT_TRUE(r.files.saves.empty());
}

TEST(SaveCommand, ProposesTheLastNameAndWritesTheDefaultRange) {
    FileRig r;
    r.SelectEprom();
    const std::string loaded = r.files_dir.Write("a.hex", ":02001000AABB89\r\n:00000001FF\r\n");
    r.files.Choose(loaded);
    r.Load();
    r.rig->log.lines.clear();

    const std::string path = r.files_dir.Path("out.hex");
    r.files.Choose(path);
    EXPECT_EQ(r.Save(), FileCommandStatus::Completed);
    ASSERT_EQ(r.files.saves.size(), 1u);
    EXPECT_EQ(r.files.saves[0].fileName, loaded);
    EXPECT_EQ(r.format.layout, FileFormatLayout::Save);
    EXPECT_EQ(r.format.stopShown, "00007FFF");
    EXPECT_EQ(r.rig->log.lines, (Lines{" File " + path + " saved"}));
    EXPECT_EQ(r.Label(PanelLabel::FileL), path);
    const Lines records = SplitLines(r.files_dir.Read("out.hex"), "\r\n");
    ASSERT_EQ(records.size(), 0x800u + 1);
    EXPECT_EQ(records[1], ":10001000AABBFFFFFFFFFFFFFFFFFFFFFFFFFFFF89");
    EXPECT_EQ(r.rig->presenter.Session().Files().fileName, path);
}

TEST(SaveCommand, RangeAndFormatFromTheDialog) {
    FileRig r;
    r.SelectEprom();
    r.files.Choose(r.files_dir.Path("r.bin"));
    r.format.onRun = [](FileFormatModel& m) {
        m.ClickFormat(FileFormat::FormatBinary);
        m.TypeStart("100");
        m.TypeStop("1ff");
        return true;
    };
    EXPECT_EQ(r.Save(), FileCommandStatus::Completed);
    EXPECT_EQ(r.files_dir.Read("r.bin"), std::string(256, '\xFF'));
}

TEST(SaveCommand, RangesOutsideTheBufferAreRefused) {
    FileRig r;
    r.SelectEprom();  // a 32 KiB part in a 64 KiB buffer
    r.files.Choose(r.files_dir.Path("r.bin"));
    r.format.onRun = [](FileFormatModel& m) { return m.TypeStop("10000"); };
    EXPECT_EQ(r.Save(), FileCommandStatus::Failed);
    r.format.onRun = [](FileFormatModel& m) { return m.TypeStart("200") && m.TypeStop("100"); };
    EXPECT_EQ(r.Save(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 2u);
    EXPECT_EQ(r.Boxes()[0].caption, "Invalid Data");
    EXPECT_EQ(r.Boxes()[0].text, "'Stop' has to be at most FFFF, the end of the buffer");
    EXPECT_EQ(r.Boxes()[1].text, "'Stop' has to be at least 'Start'");
    EXPECT_TRUE(r.files_dir.Names().empty());
    EXPECT_TRUE(r.rig->log.lines.empty());
}

TEST(SaveCommand, MalformedRangeIsTheConversionErrorAndSavesNothing) {
    FileRig r;
    r.SelectEprom();
    r.files.Choose(r.files_dir.Path("r.hex"));
    r.format.onRun = [](FileFormatModel& m) { return m.TypeStart("G"); };
    EXPECT_EQ(r.Save(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 1u);
    EXPECT_EQ(r.Boxes()[0].text, "''$G'' is not a valid integer value");
    EXPECT_TRUE(r.files_dir.Names().empty());
}

TEST(SaveCommand, AFileThatCannotBeCreatedGetsNoSavedLine) {
    FileRig r;
    r.SelectEprom();
    const std::string path = r.files_dir.Path("no/such/folder/x.hex");
    r.files.Choose(path);
    EXPECT_EQ(r.Save(), FileCommandStatus::Failed);
    ASSERT_EQ(r.Boxes().size(), 1u);
    EXPECT_EQ(r.Boxes()[0].text, "File ERROR");
    EXPECT_TRUE(r.rig->log.lines.empty());
    EXPECT_EQ(r.Label(PanelLabel::FileL), path);
}

TEST(SaveCommand, CancelWritesNothing) {
    FileRig r;
    r.SelectEprom();
    r.files.Choose(r.files_dir.Path("x.hex"));
    r.format.onRun = [](FileFormatModel&) { return false; };
    EXPECT_EQ(r.Save(), FileCommandStatus::Cancelled);
    EXPECT_TRUE(r.files_dir.Names().empty());
}

TEST(FileCommands, SaveThenLoadGivesTheSameBufferInEveryFormat) {
    FileRig r;
    r.SelectEprom();
    for (std::uint32_t i = 0; i < 0x8000; ++i)
        r.Buffer()[i] = static_cast<std::uint8_t>(i ^ (i >> 7));
    r.rig->presenter.Session().UpdateChecksum();
    const std::string sum = r.Label(PanelLabel::CheckL);
    const std::vector<std::uint8_t> image(r.Buffer().Data(), r.Buffer().Data() + 0x8000);
    for (const FileFormat format :
         {FileFormat::FormatIntelHex, FileFormat::FormatMotorola, FileFormat::FormatBinary}) {
        r.files.Choose(r.files_dir.Path("round"));
        r.format.onRun = [format](FileFormatModel& m) { return m.ClickFormat(format); };
        ASSERT_EQ(r.Save(), FileCommandStatus::Completed);
        ASSERT_EQ(r.Load(), FileCommandStatus::Completed);
        EXPECT_EQ(std::vector<std::uint8_t>(r.Buffer().Data(), r.Buffer().Data() + 0x8000), image)
            << FormatCaption(format);
        EXPECT_EQ(r.Label(PanelLabel::CheckL), sum);
    }
}

}  // namespace
}  // namespace karvo::test
