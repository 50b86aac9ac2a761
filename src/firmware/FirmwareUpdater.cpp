#include "firmware/FirmwareUpdater.h"

#include <thread>

#include <fmt/format.h>

namespace karvo {

namespace {
constexpr const char* kNotDetected =
    "Device not detected.  Verify device is attached and in firmware update mode.";

// One update window's run. The window's events and the lines it shows are
// handled on the window's thread; the sequence runs on a worker and reaches
// the window only through Post.
class UpdateRun final : private UpdateDisplay {
  public:
    UpdateRun(HidBackend& usb, Clock& clock, const FirmwareImage& image)
        : comm_(usb, clock), clock_(clock), image_(image) {}
    ~UpdateRun() override {
        if (worker_.joinable()) worker_.join();
    }
    UpdateRun(const UpdateRun&) = delete;
    UpdateRun& operator=(const UpdateRun&) = delete;

    FirmwareUpdateOutcome Run(UpdateWindowFactory& windows) {
        window_ = windows.Create({[this] { Tick(); }, [this] { return MayClose(); }});
        window_->ClearDisplay();
        Show(kNotDetected);
        window_->SetProgress(0);
        window_->StartTimer(FirmwareUpdater::kPollMs);
        window_->RunModal();
        // The worker's last act was to close the window.
        if (worker_.joinable()) worker_.join();
        comm_.CloseBootloader();
        FirmwareUpdateOutcome outcome;
        outcome.succeeded = succeeded_;
        if (!window_->LinesStayVisible()) outcome.transcript = lines_;
        window_.reset();
        return outcome;
    }

  private:
    void Show(const std::string& line) {
        lines_.push_back(line);
        window_->AppendLine(line);
    }

    void Tick() {
        if (started_) return;
        ++polls_;
        const bool was = comm_.Present();
        const bool now = comm_.IsPresent();
        if (now && !was) {
            window_->StopTimer();
            started_ = true;
            worker_ = std::thread([this] { Work(); });
            return;
        }
        if (polls_ >= FirmwareUpdater::kMostPolls) {
            window_->StopTimer();
            Show(fmt::format(
                "The programmer's bootloader did not appear within {} seconds. Unplug the "
                "programmer, plug it in again and restart the program.",
                FirmwareUpdater::kMostPolls * FirmwareUpdater::kPollMs / 1000));
            window_->Close();
        }
    }

    bool MayClose() {
        // Never in the middle of an erase or a write.
        if (started_) return false;
        lines_.push_back("The firmware update was cancelled before the bootloader appeared.");
        return true;
    }

    void Work() {
        UpdateSequence sequence(comm_, image_, *this, clock_);
        const bool ok = sequence.Run();
        clock_.SleepMs(FirmwareUpdater::kCloseDelayMs);
        window_->Post([this, ok] {
            succeeded_ = ok;
            window_->Close();
        });
    }

    // The sequence's display, from the worker.
    void ClearDisplay() override {
        window_->Post([this] {
            lines_.clear();
            window_->ClearDisplay();
        });
    }
    void AppendLine(const std::string& line) override {
        window_->Post([this, line] { Show(line); });
    }
    void SetProgress(int percent) override {
        window_->Post([this, percent] { window_->SetProgress(percent); });
    }

    Comm comm_;
    Clock& clock_;
    const FirmwareImage& image_;
    std::unique_ptr<UpdateWindowPort> window_;
    std::thread worker_;
    std::vector<std::string> lines_;
    int polls_ = 0;
    bool started_ = false;
    bool succeeded_ = false;
};
}  // namespace

FirmwareUpdater::FirmwareUpdater(HidBackend& usb, Clock& clock, UpdateWindowFactory& windows,
                                 FirmwareImage image)
    : usb_(usb), clock_(clock), windows_(windows), image_(std::move(image)) {}

bool FirmwareUpdater::Available() const {
    if (image_.storedLines.empty()) return false;
    return usb_.Emulated() || !image_.virtualOnly;
}

std::vector<std::string> FirmwareUpdater::WhyUnavailable() const {
    if (Available()) return {};
    return {
        " This build carries no firmware for the KARVO Mk2: its image is made for the "
        "virtual programmer only.",
        " To update the programmer from a firmware file, run: karvo-cli firmware FILE (or "
        "press Ctrl+Shift+U in the main window)."};
}

FirmwareUpdateOutcome FirmwareUpdater::RunUpdate() {
    UpdateRun run(usb_, clock_, image_);
    return run.Run(windows_);
}

std::string FirmwareUpdater::UseImageFile(const std::string& path) {
    std::string error;
    auto image = ReadImageFile(path, error);
    if (!image) return error;
    if (image->virtualOnly && !usb_.Emulated()) {
        return path + " is made for the virtual programmer only and is never written to a real one";
    }
    image_ = std::move(*image);
    return {};
}

}  // namespace karvo
