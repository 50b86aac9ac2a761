#include <strings.h>

#include <filesystem>
#include <functional>

#include <fmt/format.h>

#include "CliSession.h"
#include "buffer/FileCommands.h"
#include "commands/Commands.h"
#include "session/ProgramDirectory.h"

namespace karvo::cli {

namespace {

namespace fs = std::filesystem;

// The folder karvo-cli was started from, taken before start-up makes the
// program directory current: a relative FILE means what the user's shell
// meant by it.
const std::string kLaunchDirectory = CurrentDirectory();

bool SameText(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// The filter a user would have picked to see the file: the first whose
// pattern names its extension (as Windows matches them, ignoring case), else
// "All Files".
int FilterIndexFor(const std::string& filter, const std::string& path) {
    const std::string extension = fs::path(path).extension().string();
    int index = 0;
    int everything = 1;
    std::size_t start = 0;
    for (int field = 0;; ++field) {
        const std::size_t bar = filter.find('|', start);
        const std::string part = filter.substr(start, bar - start);
        if (field % 2 == 1) {
            ++index;
            if (part == "*.*") {
                everything = index;
            } else if (part.size() > 1 && SameText(extension, part.c_str() + 1)) {
                return index;
            }
        }
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return everything;
}

// The Open and Save dialogs with the name already typed.
class ScriptedFileChoice final : public FileChoicePort {
  public:
    explicit ScriptedFileChoice(const std::string& file)
        : path_((fs::path(kLaunchDirectory) / file).lexically_normal().string()) {}
    FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) override {
        return Answer(request);
    }
    FileDialogAnswer ChooseFileToSave(const FileDialogRequest& request) override {
        return Answer(request);
    }

  private:
    FileDialogAnswer Answer(const FileDialogRequest& request) const {
        return {true, path_, FilterIndexFor(request.filter, path_),
                fs::path(path_).parent_path().string()};
    }
    std::string path_;
};

// The format dialog clicked and typed into from the command's arguments.
// What the dialog would not let a user do is a usage error.
class ScriptedFormatDialog final : public FileFormatDialogPort {
  public:
    std::optional<FileFormat> format;
    std::optional<FillChoice> fill;
    std::optional<bool> subtract;
    std::string offset;
    std::optional<std::string> start;
    std::optional<std::string> stop;
    std::string refusal;

    bool Run(FileFormatModel& model) override {
        if (format && !model.ClickFormat(*format)) {
            return Refuse(
                fmt::format("format {} is not offered for this device", FormatCaption(*format)));
        }
        if (fill) model.ClickFill(*fill);
        if (subtract) {
            const bool clicked = *subtract ? model.ClickSubtract() : model.ClickAdd();
            if (!clicked || !model.TypeOffset(offset)) {
                return Refuse("offset is not offered for this device");
            }
        }
        if (start) model.TypeStart(*start);
        if (stop) model.TypeStop(*stop);
        return true;
    }

  private:
    bool Refuse(const std::string& why) {
        refusal = why;
        return false;
    }
};

constexpr std::pair<const char*, FileFormat> kFormats[] = {
    {"intel", FileFormat::FormatIntelHex}, {"motorola", FileFormat::FormatMotorola},
    {"binary", FileFormat::FormatBinary},  {"inh8m", FileFormat::FormatInh8m},
    {"inx16", FileFormat::FormatInx16},    {"jedec", FileFormat::FormatJedec},
};

constexpr std::pair<const char*, FillChoice> kFills[] = {
    {"default", FillChoice::DeviceDefault},
    {"zero", FillChoice::Zero},
    {"ff", FillChoice::FF},
    {"none", FillChoice::Disable},
};

// The usual names of the two text formats beyond the dialog's own filters
// (.hex, .mot): a file named so is never taken for a binary image.
constexpr std::pair<const char*, FileFormat> kTextExtensions[] = {
    {".hex", FileFormat::FormatIntelHex},     {".ihex", FileFormat::FormatIntelHex},
    {".ihx", FileFormat::FormatIntelHex},     {".mot", FileFormat::FormatMotorola},
    {".s19", FileFormat::FormatMotorola},     {".s28", FileFormat::FormatMotorola},
    {".s37", FileFormat::FormatMotorola},     {".srec", FileFormat::FormatMotorola},
    {".srecord", FileFormat::FormatMotorola}, {".sx", FileFormat::FormatMotorola},
};

template <typename T, std::size_t N>
std::optional<T> Lookup(const std::pair<const char*, T> (&table)[N], const std::string& word) {
    for (const auto& [name, value] : table) {
        if (SameText(word, name)) return value;
    }
    return std::nullopt;
}

// KEY=VALUE arguments after FILE; false (with the complaint made) on a
// usage error.
bool ParseOptions(const char* command, const CliSession::Words& args, bool load,
                  ScriptedFormatDialog& dialog) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        const std::string key = args[i].substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : args[i].substr(eq + 1);
        bool ok = eq != std::string::npos;
        if (ok && key == "format") {
            dialog.format = Lookup(kFormats, value);
            ok = dialog.format.has_value();
        } else if (ok && load && key == "fill") {
            dialog.fill = Lookup(kFills, value);
            ok = dialog.fill.has_value();
        } else if (ok && load && key == "offset") {
            ok = value.size() >= 2 && value.size() <= 9 && (value[0] == '+' || value[0] == '-');
            dialog.subtract = value[0] == '-';
            dialog.offset = value.substr(1);
        } else if (ok && !load && (key == "start" || key == "stop")) {
            ok = !value.empty() && value.size() <= FileFormatModel::kBoxLength;
            (key == "start" ? dialog.start : dialog.stop) = value;
        } else {
            ok = false;
        }
        if (!ok) {
            Complain(fmt::format("{}: '{}' is not one of {}", command, args[i],
                                 load ? "format=intel|motorola|binary|inh8m|inx16, "
                                        "fill=default|zero|ff|none, offset=+HEX|-HEX"
                                      : "format=intel|motorola|binary|inh8m|inx16, start=HEX, "
                                        "stop=HEX"));
            return false;
        }
    }
    return true;
}

int RunFileCommand(CliSession& session, const CliSession::Words& args, bool load) {
    const char* command = load ? "load" : "save";
    ScriptedFormatDialog dialog;
    if (!ParseOptions(command, args, load, dialog)) return kUsage;
    MainPresenter& presenter = session.Presenter();
    // As in the window: a button that is not enabled does nothing.
    if (!presenter.Panel().Enabled(load ? ToolButton::SB_Load : ToolButton::SB_Save)) {
        Complain(
            fmt::format("{}: not available now (select a device with a programmer "
                        "connected)",
                        command));
        return kFailed;
    }
    // Byte-wide parts offer the text formats; a text file's usual extension
    // chooses its format as a user would in the dialog.
    const Family family = presenter.Device().Family();
    if (load && !dialog.format && family != Family::Pic && family != Family::Logic) {
        dialog.format = Lookup(kTextExtensions, fs::path(args[0]).extension().string());
    }
    ScriptedFileChoice files(args[0]);
    NoFileProgress progress;
    const FileCommandPorts ports{files, dialog, progress};
    Session& s = presenter.Session();
    const FileCommandStatus status = load ? LoadCommand(s).Run(ports) : SaveCommand(s).Run(ports);
    if (!dialog.refusal.empty()) {
        Complain(fmt::format("{}: {}", command, dialog.refusal));
        return kUsage;
    }
    return status == FileCommandStatus::Completed ? kOk : kFailed;
}

}  // namespace

void RegisterFileCommands(CliSession& session) {
    session.Register("load", 1, 4, [&session](const CliSession::Words& args) {
        return RunFileCommand(session, args, true);
    });
    session.Register("save", 1, 4, [&session](const CliSession::Words& args) {
        return RunFileCommand(session, args, false);
    });
}

}  // namespace karvo::cli
