// karvo-cli: the KARVO Mk2 control program without windows, for production
// scripts and end-to-end tests.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "CliOptions.h"
#include "CliSession.h"
#include "CommandLine.h"
#include "firmware/FirmwareUpdater.h"
#include "firmware/HeadlessUpdateWindow.h"
#include "operations/TimeLeft.h"
#include "session/ProgramDirectory.h"
#include "settings/QSettingsStore.h"
#include "virtual/ProgrammerChoice.h"

#ifndef KARVO_INSTALLED_DATA_DIR
#define KARVO_INSTALLED_DATA_DIR ""
#endif

using namespace karvo;
using namespace karvo::cli;

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseCliOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "karvo-cli: %s\n%s", error.c_str(), kUsageText);
        return kUsage;
    }
    if (options->help) {
        std::fputs(kUsageText, stdout);
        return kOk;
    }
    if (options->version) {
        std::printf("karvo-cli %.3f\n", kSoftwareVersion / 1000.0);
        return kOk;
    }

    std::vector<std::string> commands = options->commands;
    if (!options->script.empty()) {
        std::error_code ec;
        if (std::filesystem::is_directory(options->script, ec)) {
            std::fprintf(stderr, "karvo-cli: %s is a folder, not a script\n",
                         options->script.c_str());
            return kUsage;
        }
        std::ifstream in(options->script, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "karvo-cli: cannot read script %s\n", options->script.c_str());
            return kUsage;
        }
        std::stringstream text;
        text << in.rdbuf();
        for (auto& line : ScriptCommands(text.str())) commands.push_back(std::move(line));
    }

    // Relative paths on the command line mean what the user meant before the
    // program directory becomes current.
    std::unique_ptr<SettingsStore> store =
        options->settingsFile.empty()
            ? std::make_unique<QSettingsStore>()
            : std::make_unique<QSettingsStore>(AbsolutePath(options->settingsFile));

    const std::string programDir = ResolveProgramDirectory(
        ExecutableDirectory(argv[0]), KARVO_INSTALLED_DATA_DIR, options->dataDir);
    if (!MakeCurrentDirectory(programDir)) {
        std::fprintf(stderr, "karvo-cli: cannot enter the program directory %s\n",
                     programDir.c_str());
        return kUsage;
    }

    std::optional<VirtualSettings> settings;
    if (options->useVirtual) {
        settings = ParseVirtualSettings(options->virtualSettings, error);
        if (!settings) {
            std::fprintf(stderr, "karvo-cli: %s\n", error.c_str());
            return kUsage;
        }
    }
    // Against the virtual programmer nothing is worth waiting for in real
    // time, unless it was asked to keep the pace of real hardware.
    SkippingClock skippingClock;
    Clock& clock =
        settings && !settings->paced ? static_cast<Clock&>(skippingClock) : SystemClock();
    ProgrammerChoice programmer = ChooseProgrammer(settings, clock);
    HidBackend* usb = programmer.usb.get();

    StdoutLog log;
    HeadlessView view;
    const Answer answer = options->answer == "retry"    ? Answer::Retry
                          : options->answer == "ignore" ? Answer::Ignore
                                                        : Answer::Abort;
    StderrPrompts prompts(answer);
    SilentSounds sounds;
    // The update window's lines go to standard output as they appear, where
    // nothing clears them: the log needs no copy of them afterwards.
    HeadlessUpdateWindows updateWindows(
        clock, {[&log](const std::string& line) { log.AppendLine(line); }, {}, {}}, true);
    FirmwareUpdater firmwareUpdate(*usb, clock, updateWindows, CarriedImage());
    CliSession session({log, view, prompts, sounds, *store, *usb, clock, firmwareUpdate,
                        programmer.virtualProgrammer.get()},
                       prompts, programmer.virtualProgrammer.get());
    // Standard output is the log; progress is company for a waiting user.
    ProgressLines progressLines(
        [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    if (options->progress) {
        session.Progress().observer = [&progressLines](const HeadlessProgressWindow::State& s,
                                                       const std::function<void()>&) {
            progressLines.Update(s.caption, s.maximum, s.value, s.atMs);
        };
    }

    return session.RunAll(commands);
}
