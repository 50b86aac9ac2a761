// karvo-cli's load and save commands, run in-process against the virtual
// programmer; the exit status of each command line is what a script sees.
#include <filesystem>

#include "CliSession.h"
#include "support/CatalogueFixture.h"
#include "support/FileTestSupport.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

using cli::CliSession;

// Taken at start-up, like karvo-cli's own launch directory.
const std::filesystem::path kLaunchDirectory = std::filesystem::current_path();

struct CliRig {
    CliRig() {
        program.Write("KARVO_e.usb",
                      {{"Intel", {DeviceBuilder('E', 0x7FFF, "27C256").Caps(0xF7, 0x04)}}});
        program.Write(
            "KARVO_m.usb",
            {{"Microchip",
              {DeviceBuilder('C', 0x7FF, "PIC16F84A").Algorithm(5).Blank(0x3F).Caps(0xFF, 0x05)}}});
        session.StartUp();
        log.lines.clear();
    }
    int Run(const std::string& line) { return session.Run(line); }
    std::string Label(PanelLabel label) { return session.Presenter().Panel().Label(label); }
    MemoryBuffer& Buffer() { return session.Presenter().Buffer(); }

    ScratchProgramDir program;
    ScratchDir files;
    ManualClock clock;
    VirtualProgrammer programmer{VirtualSettings{}, clock};
    VirtualBackend usb{programmer};
    RecordingLog log;
    RecordingView view;
    cli::StderrPrompts prompts;
    RecordingSounds sounds;
    MemorySettingsStore store;
    CountingUpdate update;
    CliSession session{
        {log, view, prompts, sounds, store, usb, clock, update}, prompts, &programmer};
};

TEST(CliFileCommands, LoadAndSaveWithTheDialogDefaults) {
    CliRig r;
    ASSERT_EQ(r.Run("select Intel 27C256"), cli::kOk);
    const std::string in = r.files.Write("in.hex", ":02001000AABB89\r\n:00000001FF\r\n");
    r.log.lines.clear();
    EXPECT_EQ(r.Run("load \"" + in + "\""), cli::kOk);
    EXPECT_EQ(r.log.lines, (Lines{"", " File " + in + " Loaded", " Highest Load Address : 11",
                                  " Lowest Load Address  : 10"}));
    EXPECT_EQ(r.Label(PanelLabel::FileL), in);

    const std::string out = r.files.Path("out.hex");
    EXPECT_EQ(r.Run("save " + out), cli::kOk);
    EXPECT_EQ(r.log.lines.back(), " File " + out + " saved");
    const std::string text = r.files.Read("out.hex");
    EXPECT_EQ(text.substr(0, 45), ":10000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00\r\n");
    EXPECT_EQ(text.size(), 0x800u * 45 + 13);
    EXPECT_EQ(r.session.Presenter().State().settings.LoadSaveDir, r.files.Dir());
}

TEST(CliFileCommands, FormatFromTheExtensionOrTheArgument) {
    CliRig r;
    r.Run("select Intel 27C256");
    const std::string srec = "S1040100A555\nS9030000FC\n";
    EXPECT_EQ(r.Run("load " + r.files.Write("a.MOT", srec)), cli::kOk);
    EXPECT_EQ(r.Buffer()[0x100], 0xA5);
    // Under "All Files" the dialog opens on Binary.
    EXPECT_EQ(r.Run("load " + r.files.Write("a.dat", srec) + " fill=zero"), cli::kOk);
    EXPECT_EQ(r.Buffer()[0], 'S');
    EXPECT_EQ(r.Buffer()[0x100], 0x00);
    EXPECT_EQ(r.Run("load " + r.files.Path("a.dat") + " format=motorola fill=ff"), cli::kOk);
    EXPECT_EQ(r.Buffer()[0x100], 0xA5);
    EXPECT_EQ(r.Run("load " + r.files.Write("a.bin", "\x01\x02") + " offset=+7FF0"), cli::kOk);
    EXPECT_EQ(r.Buffer()[0x7FF1], 0x02);
    EXPECT_EQ(r.Run("load " + r.files.Path("a.MOT") + " offset=-80 fill=none"), cli::kOk);
    EXPECT_EQ(r.Buffer()[0x80], 0xA5);
    EXPECT_EQ(r.Buffer()[0x81], 0x00);
}

TEST(CliFileCommands, RelativeNamesMeanTheLaunchDirectory) {
    CliRig r;
    r.Run("select Intel 27C256");
    const std::string name = "karvo-cli-relative-" + std::to_string(::getpid()) + ".bin";
    EXPECT_EQ(r.Run("save " + name + " format=binary stop=F"), cli::kOk);
    const std::filesystem::path written = kLaunchDirectory / name;
    EXPECT_EQ(std::filesystem::file_size(written), 16u);
    EXPECT_EQ(r.log.lines.back(), " File " + written.string() + " saved");
    std::filesystem::remove(written);
}

TEST(CliFileCommands, FailedLoadsAndSavesExitOne) {
    CliRig r;
    EXPECT_EQ(r.Run("load " + r.files.Write("x.hex", ":00000001FF")), cli::kFailed);  // no device
    r.Run("select Intel 27C256");
    EXPECT_EQ(r.Run("load " + r.files.Path("missing.hex")), cli::kFailed);
    EXPECT_EQ(r.Run("load " + r.files.Write("bad.hex", ":02001000AABB88\r\n")), cli::kFailed);
    EXPECT_EQ(r.Run("load " + r.files.Write("none.hex", " :00000001FF")), cli::kFailed);
    EXPECT_EQ(r.Run("load " + r.files.Write("q.hex", ":0Q")), cli::kFailed);
    EXPECT_EQ(r.Run("load " + r.files.Path("x.hex") + " offset=+XYZ"), cli::kFailed);
    EXPECT_EQ(r.Run("save " + r.files.Path("no/folder/x.hex")), cli::kFailed);
    // The loads above left a 128 KiB buffer.
    EXPECT_EQ(r.Run("save " + r.files.Path("y.hex") + " stop=20000"), cli::kFailed);
    EXPECT_EQ(r.Run("save " + r.files.Path("y.hex") + " start=20 stop=1F"), cli::kFailed);
    EXPECT_EQ(r.Run("save " + r.files.Path("y.hex") + " start=2G"), cli::kFailed);
    EXPECT_FALSE(std::filesystem::exists(r.files.Path("y.hex")));
    // A file bigger than the device still loads.
    EXPECT_EQ(r.Run("load " + r.files.Write("big.bin", std::string(0x8001, 'x'))), cli::kOk);
    EXPECT_EQ(r.log.lines.back(), " File bigger than selected device");
}

TEST(CliFileCommands, WhatTheDialogWouldNotTakeIsAUsageError) {
    CliRig r;
    r.Run("select Intel 27C256");
    const std::string file = r.files.Write("x.hex", ":00000001FF");
    for (const std::string args :
         {" format=jedec", " format=", " fill=blue", " offset=100", " offset=+",
          " offset=+123456789", " start=1", " colour=red", " format", " stop=1"}) {
        EXPECT_EQ(r.Run("load " + file + args), cli::kUsage) << args;
    }
    for (const std::string args : {" fill=zero", " offset=+10", " start=123456789", " stop="}) {
        EXPECT_EQ(r.Run("save " + file + args), cli::kUsage) << args;
    }
    EXPECT_EQ(r.Run("load"), cli::kUsage);
    EXPECT_EQ(r.Run("load a b c d e"), cli::kUsage);
    EXPECT_EQ(r.files.Read("x.hex"), ":00000001FF");
}

TEST(CliFileCommands, WordPartsRefuseTheByteFormatsAndTheOffset) {
    CliRig r;
    ASSERT_EQ(r.Run("select Microchip PIC16F84A"), cli::kOk);
    const std::string file = r.files.Write("p.hex", ":00000001FF");
    EXPECT_EQ(r.Run("load " + file + " format=intel"), cli::kUsage);
    EXPECT_EQ(r.Run("load " + file + " offset=+10"), cli::kUsage);
    // Its own formats load and save.
    EXPECT_EQ(r.Run("load " + file), cli::kOk);
    EXPECT_EQ(r.Run("save " + r.files.Path("q.hex") + " format=inx16"), cli::kOk);
    EXPECT_EQ(r.Run("load " + r.files.Path("q.hex") + " format=inx16"), cli::kOk);
}

// Without format=, a text file's usual extension chooses its format: an
// S-record file is never taken for a binary image.
TEST(CliFileCommands, TheUsualTextExtensionsChooseTheirFormat) {
    CliRig r;
    ASSERT_EQ(r.Run("select Intel 27C256"), cli::kOk);
    const std::string srec = "S107000001020304EE\nS9030000FC\n";
    const std::string intel = ":02001000AABB89\r\n:00000001FF\r\n";
    const std::pair<const char*, const std::string*> files[] = {
        {"a.s19", &srec}, {"a.S28", &srec},   {"a.s37", &srec},  {"a.srec", &srec},
        {"a.mot", &srec}, {"a.ihex", &intel}, {"a.ihx", &intel}, {"a.HEX", &intel},
    };
    for (const auto& [name, text] : files) {
        const std::string path = r.files.Write(name, *text);
        r.log.lines.clear();
        EXPECT_EQ(r.Run("load " + path), cli::kOk) << name;
        ASSERT_EQ(r.log.lines.size(), 4u) << name;
        EXPECT_EQ(r.log.lines[2],
                  text == &srec ? " Highest Load Address : 3" : " Highest Load Address : 11")
            << name;
    }
}

}  // namespace
}  // namespace karvo::test
