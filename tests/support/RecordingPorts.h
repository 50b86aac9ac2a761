#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/MainPresenter.h"
#include "buffer/FileCommands.h"
#include "catalogue/SelectCommand.h"
#include "ports/FirmwareUpdatePort.h"
#include "settings/MemorySettingsStore.h"
#include "settings/OptionsCommand.h"
#include "virtual/VirtualProgrammer.h"

namespace karvo::test {

struct RecordingLog final : LogPort {
    std::vector<std::string> lines;       // what the log shows now
    std::vector<std::string> everLogged;  // every line ever appended
    int clears = 0;
    void AppendLine(const std::string& line) override {
        lines.push_back(line);
        everLogged.push_back(line);
    }
    void Clear() override {
        lines.clear();
        ++clears;
    }
};

struct RecordingView final : MainViewPort {
    ScreenSize screen{1920, 1080};
    std::vector<WindowPlacement> placements;
    std::vector<int> finishing;  // every change of the finishing indicator
    void LabelChanged(PanelLabel, const std::string&) override {}
    void ButtonEnabledChanged(ToolButton, bool) override {}
    void FinishingChanged(int percent) override { finishing.push_back(percent); }
    ScreenSize Screen() override { return screen; }
    void Place(WindowPlacement p) override { placements.push_back(p); }
};

struct RecordingPrompts final : PromptPort {
    struct Box {
        BoxKind kind;
        std::string caption;
        std::string text;
    };
    std::vector<Box> boxes;
    std::vector<Box> questions;
    // Answers to Abort/Retry/Ignore boxes in turn; Abort once they run out.
    std::deque<Answer> answers;
    void ShowMessage(BoxKind kind, const std::string& caption, const std::string& text) override {
        boxes.push_back({kind, caption, text});
    }
    Answer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override {
        questions.push_back({BoxKind::Error, caption, text});
        if (answers.empty()) return Answer::Abort;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct RecordingSounds final : SoundPort {
    std::vector<std::string> played;
    bool deviceBroken = false;
    SoundResult Play(const std::string& file) override {
        played.push_back(file);
        return deviceBroken ? SoundResult::DeviceError : SoundResult::Started;
    }
};

struct CountingUpdate final : FirmwareUpdatePort {
    int runs = 0;
    bool available = true;
    std::function<void()> during;
    FirmwareUpdateOutcome outcome{true, {}};
    bool Available() const override { return available; }
    FirmwareUpdateOutcome RunUpdate() override {
        ++runs;
        if (during) during();
        return outcome;
    }
};

// The selection dialog answered as a user clicks it: the family button (if
// given and not already checked), the manufacturer, the device, then OK.
// -1 leaves that choice as the dialog opened.
struct PickDevice final : SelectionDialogPort {
    int family = -1;
    int manuf = -1;
    int device = -1;
    int notices = 0;
    PickDevice() = default;
    PickDevice(int family_, int manuf_, int device_)
        : family(family_), manuf(manuf_), device(device_) {}
    bool Run(SelectionModel& model) override {
        if (family >= 0 && model.CheckedFamily() != family) model.ClickFamily(family);
        if (manuf >= 0) model.ClickManufacturer(manuf);
        if (device >= 0) model.ClickDevice(device);
        return true;
    }
    void ShowIspNotice() override { ++notices; }
};

// The enabled toolbar buttons, in toolbar order, as `panel` prints them.
inline std::string EnabledButtons(const PanelState& panel) {
    std::string names;
    for (int i = 0; i < kToolButtonCount; ++i) {
        if (!panel.Enabled(static_cast<ToolButton>(i))) continue;
        names += (names.empty() ? "" : " ") + std::string(kToolButtonNames[i]);
    }
    return names;
}

// A presenter wired to a virtual programmer and recording ports.
struct Rig {
    // programmerClock: the virtual programmer's own time (pacing, time-outs);
    // the presenter's clock by default.
    explicit Rig(VirtualSettings settings = {}, Clock* programmerClock = nullptr)
        : programmer(std::move(settings), programmerClock ? *programmerClock : clock),
          usb(programmer),
          presenter({log, view, prompts, sounds, store, usb, clock, update, &programmer}) {}

    ManualClock clock;
    VirtualProgrammer programmer;
    VirtualBackend usb;
    RecordingLog log;
    RecordingView view;
    RecordingPrompts prompts;
    RecordingSounds sounds;
    MemorySettingsStore store;
    CountingUpdate update;
    MainPresenter presenter;
};

}  // namespace karvo::test
