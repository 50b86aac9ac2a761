// The Load and Save commands of the main window.
#include <fmt/format.h>

#include "app/MainPresenter.h"
#include "buffer/LoadFile.h"
#include "buffer/SaveFile.h"
#include "settings/PersistedSettings.h"

namespace karvo {

namespace {
// Unhandled conversion errors are shown under the program's title.
constexpr const char* kProgramCaption = "KARVO Mk2";
constexpr const char* kRangeCaption = "Invalid Data";

// What LoadFile and SaveFile need of the main window.
class PresenterHost final : public LoadSaveHost {
  public:
    explicit PresenterHost(MainPresenter& presenter) : presenter_(presenter) {}
    void LogLine(const std::string& line) override { presenter_.LogLine(line); }
    void ShowFileError() override {
        presenter_.Ports().prompts.ShowMessage(BoxKind::Warning, "", "File ERROR");
    }
    void PlayError() override { presenter_.PlayError(); }
    std::uint32_t UpdateChecksum() override { return presenter_.UpdateChecksum(); }

  private:
    MainPresenter& presenter_;
};

void ShowError(MainPresenter& presenter, const char* caption, const std::string& text) {
    presenter.Ports().prompts.ShowMessage(BoxKind::Error, caption, text);
}

// The folder the dialog ended in becomes the one it opens in next time.
void RememberDirectory(std::string& remembered, const FileDialogAnswer& answer) {
    if (!answer.directory.empty()) remembered = answer.directory;
}
}  // namespace

FileCommandStatus MainPresenter::Load(const FileCommandPorts& ui) {
    if (state_.AppState == 0 || !deviceActive_ || LinkBusy()) return FileCommandStatus::NotRun;
    const Family family = device_.Family();
    const FileDialogAnswer answer =
        ui.files.ChooseFileToOpen({FileFilterFor(family), state_.settings.LoadSaveDir, ""});
    FileCommandStatus status = FileCommandStatus::Cancelled;
    if (answer.accepted) {
        files_.fileName = answer.path;
        FileFormat format = PreselectedLoadFormat(family, answer.filterIndex);
        if (family != Family::Logic) {
            FileFormatModel model(files_.choices, device_, FileFormatLayout::Load, format);
            if (!ui.format.Run(model)) {
                model.Cancel();
            } else if (const auto error = model.Ok()) {
                // A malformed offset loads nothing: the buffer keeps what the
                // user had rather than a file placed at a guessed address.
                ShowError(*this, kProgramCaption, *error);
                files_.choices.format = FileFormat::FormatCancelled;
                status = FileCommandStatus::Failed;
            }
            format = files_.choices.format;
        }
        if (format != FileFormat::FormatCancelled && state_.AppState == 1) {
            PresenterHost host(*this);
            const LoadRequest request{format, files_.choices.fill, files_.choices.offset};
            const LoadOutcome outcome =
                LoadFile(answer.path, request, buffer_, device_, ui.progress, host);
            if (outcome.end == LoadEnd::ConversionError) {
                ShowError(*this, kProgramCaption, outcome.conversionError);
            } else if (outcome.end == LoadEnd::Unsupported) {
                ShowError(*this, FileFormatModel::kCaption,
                          fmt::format("{} files cannot be read yet", FormatCaption(format)));
            } else {
                panel_.SetLabel(PanelLabel::FileL, answer.path);
            }
            status = outcome.Loaded() ? FileCommandStatus::Completed : FileCommandStatus::Failed;
        }
    }
    // Even a cancelled or failed load may have refilled the buffer.
    UpdateChecksum();
    RememberDirectory(state_.settings.LoadSaveDir, answer);
    return status;
}

FileCommandStatus MainPresenter::Save(const FileCommandPorts& ui) {
    if (state_.AppState == 0 || !deviceActive_ || LinkBusy()) return FileCommandStatus::NotRun;
    const Family family = device_.Family();
    const FileDialogAnswer answer = ui.files.ChooseFileToSave(
        {FileFilterFor(family), state_.settings.LoadSaveDir, files_.fileName});
    FileCommandStatus status = FileCommandStatus::Cancelled;
    if (answer.accepted) {
        files_.fileName = answer.path;
        FileFormat format = PreselectedSaveFormat(family);
        SaveRange range{0, static_cast<std::uint32_t>(device_.LastAddr())};
        if (family != Family::Logic) {
            FileFormatModel model(files_.choices, device_, FileFormatLayout::Save, format);
            if (!ui.format.Run(model)) {
                model.Cancel();
            } else {
                model.Ok();
                std::string error;
                if (const auto typed = model.ReadSaveRange(error)) {
                    // The word formats write their fixed areas, not the range.
                    if (family != Family::Pic) range = *typed;
                } else {
                    ShowError(*this, kProgramCaption, error);
                    files_.choices.format = FileFormat::FormatCancelled;
                    status = FileCommandStatus::Failed;
                }
            }
            format = files_.choices.format;
        }
        const auto problem = SaveRangeProblem(range, buffer_);
        if (format != FileFormat::FormatCancelled && problem) {
            ShowError(*this, kRangeCaption, *problem);
            status = FileCommandStatus::Failed;
        } else if (format != FileFormat::FormatCancelled && state_.AppState == 1) {
            PresenterHost host(*this);
            const SaveEnd end = SaveFile(answer.path, {format, range.start, range.end}, buffer_,
                                         device_, ui.progress, host);
            if (end == SaveEnd::Unsupported) {
                ShowError(*this, FileFormatModel::kCaption,
                          fmt::format("{} files cannot be written yet", FormatCaption(format)));
            } else {
                panel_.SetLabel(PanelLabel::FileL, answer.path);
            }
            if (end == SaveEnd::Saved) LogLine(" File " + answer.path + " saved");
            status =
                end == SaveEnd::Saved ? FileCommandStatus::Completed : FileCommandStatus::Failed;
        }
    }
    RememberDirectory(state_.settings.LoadSaveDir, answer);
    return status;
}

}  // namespace karvo
