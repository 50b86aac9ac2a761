#include "buffer/FileCommands.h"

#include <fmt/format.h>

#include "buffer/LoadFile.h"
#include "buffer/SaveFile.h"

namespace karvo {

namespace {
// Unhandled conversion errors are shown under the program's title.
constexpr const char* kProgramCaption = "KARVO Mk2";
constexpr const char* kRangeCaption = "Invalid Data";

// What LoadFile and SaveFile need of the main window.
class SessionHost final : public LoadSaveHost {
  public:
    explicit SessionHost(Session& session) : session_(session) {}
    void LogLine(const std::string& line) override { session_.LogLine(line); }
    void ShowFileError() override {
        session_.Ports().prompts.ShowMessage(BoxKind::Warning, "", "File ERROR");
    }
    void ShowRefusal(const std::string& text) override {
        session_.ShowError(FileFormatModel::kCaption, text);
    }
    void PlayError() override { session_.PlayError(); }
    std::uint32_t UpdateChecksum() override { return session_.UpdateChecksum(); }

  private:
    Session& session_;
};

// Files are loaded and saved only for an active device with a programmer,
// and never while an aborted operation still uses the buffer.
bool MayRun(Session& session) {
    return session.ProgrammerConnected() && session.DeviceActive() && !session.LinkBusy();
}

// The folder the dialog ended in becomes the one it opens in next time.
void RememberDirectory(std::string& remembered, const FileDialogAnswer& answer) {
    if (!answer.directory.empty()) remembered = answer.directory;
}
}  // namespace

FileCommandStatus LoadCommand::Run(const FileCommandPorts& ui) {
    if (!MayRun(session_)) return FileCommandStatus::NotRun;
    const DeviceRecord& device = session_.Device();
    PersistedValues& remembered = session_.State().settings;
    FileCommandState& files = session_.Files();
    const Family family = device.Family();
    const FileDialogAnswer answer =
        ui.files.ChooseFileToOpen({FileFilterFor(family), remembered.LoadSaveDir, ""});
    FileCommandStatus status = FileCommandStatus::Cancelled;
    if (answer.accepted) {
        files.fileName = answer.path;
        FileFormat format = PreselectedLoadFormat(family, answer.filterIndex);
        if (family != Family::Logic) {
            FileFormatModel model(files.choices, device, FileFormatLayout::Load, format);
            if (!ui.format.Run(model)) {
                model.Cancel();
            } else if (const auto error = model.Ok()) {
                // A malformed offset loads nothing: the buffer keeps what the
                // user had rather than a file placed at a guessed address.
                session_.ShowError(kProgramCaption, *error);
                files.choices.format = FileFormat::FormatCancelled;
                status = FileCommandStatus::Failed;
            }
            format = files.choices.format;
        }
        if (format != FileFormat::FormatCancelled && session_.ProgrammerConnected()) {
            SessionHost host(session_);
            const LoadRequest request{format, files.choices.fill, files.choices.offset};
            const LoadOutcome outcome =
                LoadFile(answer.path, request, session_.Buffer(), device, ui.progress, host);
            if (outcome.end == LoadEnd::ConversionError) {
                session_.ShowError(kProgramCaption, outcome.conversionError);
            } else if (outcome.end == LoadEnd::Unsupported) {
                session_.ShowError(
                    FileFormatModel::kCaption,
                    fmt::format("{} files cannot be read yet", FormatCaption(format)));
            } else if (outcome.end != LoadEnd::Refused) {
                session_.Panel().SetLabel(PanelLabel::FileL, answer.path);
            }
            status = outcome.Loaded() ? FileCommandStatus::Completed : FileCommandStatus::Failed;
        }
    }
    // Even a cancelled or failed load may have refilled the buffer.
    session_.UpdateChecksum();
    RememberDirectory(remembered.LoadSaveDir, answer);
    return status;
}

FileCommandStatus SaveCommand::Run(const FileCommandPorts& ui) {
    if (!MayRun(session_)) return FileCommandStatus::NotRun;
    const DeviceRecord& device = session_.Device();
    PersistedValues& remembered = session_.State().settings;
    FileCommandState& files = session_.Files();
    const Family family = device.Family();
    const FileDialogAnswer answer =
        ui.files.ChooseFileToSave({FileFilterFor(family), remembered.LoadSaveDir, files.fileName});
    FileCommandStatus status = FileCommandStatus::Cancelled;
    if (answer.accepted) {
        files.fileName = answer.path;
        FileFormat format = PreselectedSaveFormat(family);
        SaveRange range{0, static_cast<std::uint32_t>(device.LastAddr())};
        if (family != Family::Logic) {
            FileFormatModel model(files.choices, device, FileFormatLayout::Save, format);
            if (!ui.format.Run(model)) {
                model.Cancel();
            } else {
                model.Ok();
                std::string error;
                if (const auto typed = model.ReadSaveRange(error)) {
                    // The word formats write their fixed areas, not the range.
                    if (family != Family::Pic) range = *typed;
                } else {
                    session_.ShowError(kProgramCaption, error);
                    files.choices.format = FileFormat::FormatCancelled;
                    status = FileCommandStatus::Failed;
                }
            }
            format = files.choices.format;
        }
        const auto problem = SaveRangeProblem(range, session_.Buffer());
        if (format != FileFormat::FormatCancelled && problem) {
            session_.ShowError(kRangeCaption, *problem);
            status = FileCommandStatus::Failed;
        } else if (format != FileFormat::FormatCancelled && session_.ProgrammerConnected()) {
            SessionHost host(session_);
            const SaveEnd end = SaveFile(answer.path, {format, range.start, range.end},
                                         session_.Buffer(), device, ui.progress, host);
            if (end == SaveEnd::Unsupported) {
                session_.ShowError(
                    FileFormatModel::kCaption,
                    fmt::format("{} files cannot be written yet", FormatCaption(format)));
            } else if (end != SaveEnd::Refused) {
                session_.Panel().SetLabel(PanelLabel::FileL, answer.path);
            }
            if (end == SaveEnd::Saved) session_.LogLine(" File " + answer.path + " saved");
            status =
                end == SaveEnd::Saved ? FileCommandStatus::Completed : FileCommandStatus::Failed;
        }
    }
    RememberDirectory(remembered.LoadSaveDir, answer);
    return status;
}

}  // namespace karvo
