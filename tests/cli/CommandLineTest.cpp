#include <gtest/gtest.h>

#include "CliOptions.h"
#include "CliSession.h"
#include "CommandLine.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::cli {
namespace {

using Words = std::vector<std::string>;

TEST(SplitWords, BehavesLikeAShell) {
    EXPECT_EQ(*SplitWords("select Atmel 27C256"), (Words{"select", "Atmel", "27C256"}));
    EXPECT_EQ(*SplitWords("  load   \"my file.hex\"  format=intel "),
              (Words{"load", "my file.hex", "format=intel"}));
    EXPECT_EQ(*SplitWords("a\\ b c"), (Words{"a b", "c"}));
    EXPECT_EQ(*SplitWords("say \"\""), (Words{"say", ""}));
    EXPECT_EQ(*SplitWords("x\"y z\"w"), (Words{"xy zw"}));
    EXPECT_TRUE(SplitWords("")->empty());
    EXPECT_FALSE(SplitWords("open \"quote"));
    EXPECT_FALSE(SplitWords("trailing\\"));
}

TEST(ScriptCommands, SkipsCommentsAndBlankLines) {
    const auto lines = ScriptCommands("# header\n\npanel\r\nreconnect # again\nload \"a#b\"\n");
    EXPECT_EQ(lines, (Words{"panel\r", "reconnect ", "load \"a#b\""}));
}

TEST(CliOptions, ParsesEveryOption) {
    const char* argv[] = {"karvo-cli",  "--virtual=firmware=2.4",
                          "--settings", "s.ini",
                          "--data-dir", "d",
                          "--answer",   "retry",
                          "-e",         "panel",
                          "-e",         "clear",
                          "script.txt"};
    std::string error;
    const auto o = ParseCliOptions(13, argv, error);
    ASSERT_TRUE(o) << error;
    EXPECT_TRUE(o->useVirtual);
    EXPECT_EQ(o->virtualSettings, "firmware=2.4");
    EXPECT_EQ(o->settingsFile, "s.ini");
    EXPECT_EQ(o->dataDir, "d");
    EXPECT_EQ(o->answer, "retry");
    EXPECT_EQ(o->commands, (Words{"panel", "clear"}));
    EXPECT_EQ(o->script, "script.txt");
}

TEST(CliOptions, RefusesMistakes) {
    std::string error;
    const char* missing[] = {"karvo-cli", "-e"};
    EXPECT_FALSE(ParseCliOptions(2, missing, error));
    const char* unknown[] = {"karvo-cli", "--frobnicate"};
    EXPECT_FALSE(ParseCliOptions(2, unknown, error));
    const char* answer[] = {"karvo-cli", "--answer", "maybe"};
    EXPECT_FALSE(ParseCliOptions(3, answer, error));
    const char* twoScripts[] = {"karvo-cli", "a", "b"};
    EXPECT_FALSE(ParseCliOptions(3, twoScripts, error));
}

// A whole run's status: a box raised anywhere counts, also one raised by the
// exit sequence when the settings cannot be written.
TEST(CliRun, ABoxOfTheExitSequenceFailsTheRun) {
    for (const bool failAtExit : {false, true}) {
        test::ScratchProgramDir dir;
        dir.Write("KARVO_e.usb", {{"Intel", {test::DeviceBuilder('E', 0x7FFF, "27C256")}}});
        ManualClock clock;
        VirtualProgrammer programmer{VirtualSettings{}, clock};
        VirtualBackend usb{programmer};
        test::RecordingLog log;
        test::RecordingView view;
        StderrPrompts prompts;
        test::RecordingSounds sounds;
        MemorySettingsStore store;
        test::CountingUpdate update;
        CliSession session{
            {log, view, prompts, sounds, store, usb, clock, update}, prompts, &programmer};
        std::vector<std::string> commands{"panel"};
        // The last command breaks the store, as a full disk would.
        if (failAtExit) commands.push_back("clear");
        session.Register("clear", 0, 0, [&](const Words&) {
            store.FailWrites(true);
            return kOk;
        });
        EXPECT_EQ(session.RunAll(commands), failAtExit ? kFailed : kOk);
    }
}

}  // namespace
}  // namespace karvo::cli
