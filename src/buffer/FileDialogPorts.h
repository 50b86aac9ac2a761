#pragma once
#include <string>

#include "buffer/FileFormatModel.h"
#include "buffer/FileProgress.h"

namespace karvo {

// What the Open and Save dialogs are opened with.
struct FileDialogRequest {
    // "Intel Hex (*.HEX)|*.hex|...": caption and pattern pairs.
    std::string filter;
    std::string directory;  // the folder the dialog opens in
    std::string fileName;   // the proposed name; empty for Open
};

struct FileDialogAnswer {
    bool accepted = false;
    std::string path;       // the chosen file, absolute
    int filterIndex = 1;    // 1-based: the filter the file was chosen under
    std::string directory;  // the folder the dialog showed when it closed
};

// The standard Open and Save file dialogs.
class FileChoicePort {
  public:
    virtual ~FileChoicePort() = default;
    virtual FileDialogAnswer ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual FileDialogAnswer ChooseFileToSave(const FileDialogRequest& request) = 0;
};

// The modal file format dialog over its model; true for OK, false for Cancel.
class FileFormatDialogPort {
  public:
    virtual ~FileFormatDialogPort() = default;
    virtual bool Run(FileFormatModel& model) = 0;
};

// Everything the Load and Save commands show besides the main window.
struct FileCommandPorts {
    FileChoicePort& files;
    FileFormatDialogPort& format;
    FileProgressPort& progress;
};

// What the Load and Save commands remember for the rest of the run.
struct FileCommandState {
    FileFormatKept choices;
    std::string fileName;  // the last file loaded or saved: the next save's proposal
};

// How a Load or Save command ended.
enum class FileCommandStatus {
    NotRun,     // no programmer, or the link still busy: nothing happened
    Cancelled,  // a dialog was cancelled
    Completed,  // the file was read completely, or written
    Failed,     // the user has been told why
};

// The file dialogs' filter for a device family.
const char* FileFilterFor(Family family);
// The format the dialogs open with: by family, and for a load by the filter
// the file was chosen under.
FileFormat PreselectedLoadFormat(Family family, int filterIndex);
FileFormat PreselectedSaveFormat(Family family);

}  // namespace karvo
