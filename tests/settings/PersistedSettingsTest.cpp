#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/MemorySettingsStore.h"
#include "settings/PersistedSettings.h"
#include "settings/QSettingsStore.h"
#include "support/RecordingPorts.h"

namespace karvo {
namespace {

using test::RecordingPrompts;

// One run of the program as far as its settings go: start-up defaults, the
// default set, the load.
PersistedValues StartRun(SettingsStore& store, RecordingPrompts& prompts, const std::string& dir) {
    PersistedValues values;
    PersistedSettings settings(store, prompts);
    settings.WriteDefaultSettings(values, dir);
    settings.LoadSettings(values, dir);
    return values;
}

TEST(PersistedSettings, FirstRunCreatesTheDefaultSetQuietly) {
    MemorySettingsStore store;
    RecordingPrompts prompts;
    const PersistedValues v = StartRun(store, prompts, "/opt/karvo");
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(v.SoundON);
    EXPECT_EQ(std::get<std::uint32_t>(store.Values().at("RevNo")), 2001u);
    EXPECT_EQ(std::get<std::string>(store.Values().at("Filename")), "KARVO_e.usb");
    EXPECT_EQ(std::get<std::string>(store.Values().at("DefaultDir")), "/opt/karvo");
    EXPECT_EQ(v.ProgramDir, "/opt/karvo");
}

TEST(PersistedSettings, CleanExitThenSameDirectoryBringsEverythingBack) {
    MemorySettingsStore store;
    RecordingPrompts prompts;
    PersistedValues v = StartRun(store, prompts, "/opt/karvo");
    v.SoundON = false;
    v.flags = {0x0F, false, false, true};
    v.ManufIndex = 3;
    v.DeviceIndex = 7;
    v.DataFileName = "KARVO_m.usb";
    v.LoadSaveDir = "/home/me/hex";
    PersistedSettings(store, prompts).SaveSettings(v);

    const PersistedValues again = StartRun(store, prompts, "/opt/karvo");
    EXPECT_FALSE(again.SoundON);
    EXPECT_EQ(again.flags.ProgBits, 0x0F);
    EXPECT_FALSE(again.flags.Id_flag);
    EXPECT_FALSE(again.flags.Test_flag);
    EXPECT_TRUE(again.flags.MaxMin_flag);
    EXPECT_EQ(again.ManufIndex, 3);
    EXPECT_EQ(again.DeviceIndex, 7);
    EXPECT_EQ(again.DataFileName, "KARVO_m.usb");
    EXPECT_EQ(again.LoadSaveDir, "/home/me/hex");
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(PersistedSettings, AnotherDirectoryOrAnUncleanExitStartsFromDefaults) {
    for (const bool cleanExit : {true, false}) {
        MemorySettingsStore store;
        RecordingPrompts prompts;
        PersistedValues v = StartRun(store, prompts, "/opt/karvo");
        v.SoundON = false;
        v.DeviceIndex = 9;
        if (cleanExit) PersistedSettings(store, prompts).SaveSettings(v);
        const std::string dir = cleanExit ? "/elsewhere" : "/opt/karvo";
        const PersistedValues again = StartRun(store, prompts, dir);
        EXPECT_TRUE(again.SoundON);
        EXPECT_EQ(again.DeviceIndex, 0);
        EXPECT_EQ(std::get<std::string>(store.Values().at("DefaultDir")), dir);
        EXPECT_EQ(std::get<std::uint32_t>(store.Values().at("RevNo")), 2001u);
    }
}

TEST(PersistedSettings, OutOfRangeValuesAreBroughtBack) {
    MemorySettingsStore store;
    RecordingPrompts prompts;
    PersistedValues v = StartRun(store, prompts, "/d");
    PersistedSettings(store, prompts).SaveSettings(v);
    store.Values()["ProgBits"] = std::uint32_t{0x117};
    store.Values()["Manuf_index"] = std::uint32_t{0xFFFFFFFF};
    const PersistedValues again = StartRun(store, prompts, "/d");
    EXPECT_EQ(again.flags.ProgBits, 0x17);
    EXPECT_EQ(again.ManufIndex, 0);
}

// Only the program's own two data files are ever named: anything else in the
// store (a path, another name) starts from the first file.
TEST(PersistedSettings, TheDataFileIsOneOfTheProgramsOwn) {
    for (const std::string& stored :
         {std::string("../../../../etc/passwd"), std::string("/etc/passwd"),
          std::string("A_VERY_LONG_DATA_FILE_NAME.usb"), std::string("KARVO_m.usb"),
          std::string("")}) {
        MemorySettingsStore store;
        RecordingPrompts prompts;
        PersistedValues v = StartRun(store, prompts, "/d");
        PersistedSettings(store, prompts).SaveSettings(v);
        store.Values()["Filename"] = stored;
        const PersistedValues again = StartRun(store, prompts, "/d");
        EXPECT_EQ(again.DataFileName, stored == "KARVO_m.usb" ? stored : "KARVO_e.usb") << stored;
    }
}

// A program directory (or load folder) longer than any fixed field is kept
// whole, so it matches again on the next start and the settings are trusted.
TEST(PersistedSettings, LongPathsAreKeptWhole) {
    const std::string dir = "/" + std::string(300, 'd') + "/karvo";
    const std::string files = "/" + std::string(400, 'f');
    MemorySettingsStore store;
    RecordingPrompts prompts;
    PersistedValues v = StartRun(store, prompts, dir);
    v.flags.ProgBits = 0x0F;
    v.LoadSaveDir = files;
    PersistedSettings(store, prompts).SaveSettings(v);
    const PersistedValues again = StartRun(store, prompts, dir);
    EXPECT_EQ(again.flags.ProgBits, 0x0F) << "trusted, not defaults";
    EXPECT_EQ(again.ProgramDir, dir);
    EXPECT_EQ(again.LoadSaveDir, files);
}

TEST(PersistedSettings, FailuresAreShownNotSwallowed) {
    MemorySettingsStore store;
    RecordingPrompts prompts;
    PersistedValues v = StartRun(store, prompts, "/d");
    store.FailWrites(true);
    PersistedSettings(store, prompts).SaveSettings(v);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "Failed to set data for 'SoundON'");

    store.FailWrites(false);
    PersistedSettings(store, prompts).SaveSettings(v);
    store.Values()["Id_flag"] = std::string("yes");
    prompts.boxes.clear();
    StartRun(store, prompts, "/d");
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "Invalid data type for 'Id_flag'");
}

TEST(QSettingsStoreFile, RoundTripsThroughAnIniFile) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("karvo-settings-" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini");
    std::filesystem::remove(path);
    RecordingPrompts prompts;
    {
        QSettingsStore store(path.string());
        EXPECT_FALSE(store.KeyExists());
        PersistedValues v = StartRun(store, prompts, "/opt/k");
        v.flags.ProgBits = 0x55;
        v.LoadSaveDir = "/tmp/x y";
        PersistedSettings(store, prompts).SaveSettings(v);
    }
    {
        QSettingsStore store(path.string());
        EXPECT_TRUE(store.KeyExists());
        const PersistedValues v = StartRun(store, prompts, "/opt/k");
        EXPECT_EQ(v.flags.ProgBits, 0x55);
        EXPECT_EQ(v.LoadSaveDir, "/tmp/x y");
    }
    EXPECT_TRUE(prompts.boxes.empty());
    std::filesystem::remove(path);
}

// A file the INI reader cannot parse is set aside once and a new store
// started; no run after it reports a failure.
TEST(QSettingsStoreFile, AnUnreadableFileIsSetAsideAndReplaced) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("karvo-garbage-" +
                       std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini");
    const std::string garbage("\x00\xff[[[garbage\n=\x01\n", 16);
    std::ofstream(path, std::ios::binary) << garbage;
    RecordingPrompts prompts;
    for (int run = 0; run < 2; ++run) {
        QSettingsStore store(path.string());
        PersistedValues v = StartRun(store, prompts, "/opt/k");
        v.flags.ProgBits = 0x33;
        PersistedSettings(store, prompts).SaveSettings(v);
    }
    EXPECT_TRUE(prompts.boxes.empty()) << prompts.boxes[0].text;
    QSettingsStore store(path.string());
    EXPECT_EQ(StartRun(store, prompts, "/opt/k").flags.ProgBits, 0x33);
    std::ifstream aside(path.string() + ".unreadable", std::ios::binary);
    std::stringstream kept;
    kept << aside.rdbuf();
    EXPECT_EQ(kept.str(), garbage);
    std::filesystem::remove(path);
    std::filesystem::remove(path.string() + ".unreadable");
}

}  // namespace
}  // namespace karvo
