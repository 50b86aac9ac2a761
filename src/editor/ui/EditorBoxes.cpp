#include "editor/ui/EditorBoxes.h"

#include <QMessageBox>

namespace karvo::ui {

void ShowEditorBox(QWidget* over, const std::optional<EditorBox>& box) {
    if (!box) return;
    const QMessageBox::Icon icon = box->kind == BoxKind::Information ? QMessageBox::Information
                                   : box->kind == BoxKind::Warning   ? QMessageBox::Warning
                                                                     : QMessageBox::Critical;
    QMessageBox message(icon, QString::fromStdString(box->caption),
                        QString::fromStdString(box->text), QMessageBox::Ok, over);
    // A typed character such as '<' is shown, not read as markup.
    message.setTextFormat(Qt::PlainText);
    message.exec();
}

}  // namespace karvo::ui
