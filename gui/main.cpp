// karvo: the KARVO Mk2 control program.
#include <cstdio>
#include <exception>
#include <memory>

#include "app/ui/GuiOptions.h"
#include "app/ui/KarvoApplication.h"
#include "app/ui/SoundEffects.h"
#include "app/ui/StartupReport.h"
#include "app/ui/TfrmMains.h"
#include "firmware/FirmwareUpdater.h"
#include "firmware/ui/UpdateWindows.h"
#include "gui/CommandWindows.h"
#include "session/ProgramDirectory.h"
#include "settings/QSettingsStore.h"
#include "virtual/ProgrammerChoice.h"

#ifndef KARVO_INSTALLED_DATA_DIR
#define KARVO_INSTALLED_DATA_DIR ""
#endif

using namespace karvo;
using namespace karvo::ui;

namespace {
constexpr int kUsage = 2;

int UsageError(const std::string& error) {
    std::fprintf(stderr, "karvo: %s\n%s", error.c_str(), kGuiUsageText);
    return kUsage;
}
}  // namespace

int main(int argc, char** argv) {
    const long long mainEnteredUs = MonotonicUs();

    // Our own options first, so that --help and a bad setting need no display.
    std::string error;
    const auto options = ParseGuiOptions(argc, argv, error);
    if (!options) return UsageError(error);
    if (options->help) {
        std::fputs(kGuiUsageText, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("karvo %.3f\n", kSoftwareVersion / 1000.0);
        return 0;
    }
    std::optional<VirtualSettings> virtualSettings;
    if (options->useVirtual) {
        virtualSettings = ParseVirtualSettings(options->virtualSettings, error);
        if (!virtualSettings) {
            std::fprintf(stderr, "karvo: %s\n", error.c_str());
            return kUsage;
        }
    }

    KarvoApplication app(argc, argv);
    // Qt has taken its own options out of argv; anything else left is unknown.
    if (const auto rest = ParseGuiOptions(argc, argv, error); !rest->others.empty()) {
        return UsageError("unknown option " + rest->others.front());
    }

    const std::string programDir = ResolveProgramDirectory(
        ExecutableDirectory(argv[0]), KARVO_INSTALLED_DATA_DIR, options->dataDir);
    if (!MakeCurrentDirectory(programDir)) {
        std::fprintf(stderr, "karvo: cannot enter the program directory %s\n", programDir.c_str());
        return kUsage;
    }

    QSettingsStore store;
    ProgrammerChoice programmer = ChooseProgrammer(virtualSettings, SystemClock());
    HidBackend* usb = programmer.usb.get();
    SoundEffects sounds;
    UpdateWindows updateWindows;
    FirmwareUpdater firmwareUpdate(*usb, SystemClock(), updateWindows, CarriedImage());

    std::unique_ptr<TfrmMains> window;
    try {
        window = std::make_unique<TfrmMains>(
            MainWindowPorts{sounds, store, *usb, SystemClock(), firmwareUpdate, MakeCommandWindows,
                            nullptr, nullptr, programmer.virtualProgrammer.get()});
    } catch (const std::exception& failure) {
        KarvoApplication::ShowException(QString::fromLocal8Bit(failure.what()));
        return 1;
    }
    // Updates after the start-up one open over the main window.
    updateWindows.SetOwner(window.get());
    ReportStartupWhenExposed(*window, mainEnteredUs);
    window->show();
    return app.exec();
}
