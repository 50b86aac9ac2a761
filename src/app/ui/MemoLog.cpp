#include "app/ui/MemoLog.h"

#include "common/ui/GuiThread.h"

namespace karvo::ui {

void MemoLog::AppendLine(const std::string& line) {
    PostTo(memo_, [text = QString::fromStdString(line)](LogView* memo) { memo->AppendLine(text); });
}

void MemoLog::Clear() {
    PostTo(memo_, [](LogView* memo) { memo->ClearLines(); });
}

}  // namespace karvo::ui
