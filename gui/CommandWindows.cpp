#include "gui/CommandWindows.h"

#include "buffer/ui/FileWindows.h"
#include "catalogue/ui/SelectionWindows.h"
#include "config/ui/ConfigWindow.h"
#include "editor/ui/HexEditorWindow.h"
#include "operations/ui/ProgressWindows.h"
#include "operations/ui/TfrmDifferences.h"
#include "settings/ui/OptionsWindow.h"

namespace karvo::ui {

CommandWindows MakeCommandWindows(QWidget* owner) {
    CommandWindows windows;
    windows.selection = std::make_unique<SelectionWindows>(owner);
    windows.options = std::make_unique<OptionsWindow>(owner);
    windows.fileChoice = std::make_unique<FileDialogs>(owner);
    windows.fileFormat = std::make_unique<FileFormatWindow>(owner);
    windows.fileProgress = std::make_unique<FileProgressWindow>(owner);
    windows.progress = std::make_unique<ProgressWindows>(owner);
    windows.differences = std::make_unique<DifferencesWindow>(owner);
    windows.config = std::make_unique<ConfigWindow>(owner);
    windows.editor = std::make_unique<HexEditorWindow>(owner);
    return windows;
}

}  // namespace karvo::ui
