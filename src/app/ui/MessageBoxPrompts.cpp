#include "app/ui/MessageBoxPrompts.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "app/ui/GuiThread.h"

namespace karvo::ui {

namespace {
QMessageBox::Icon IconOf(BoxKind kind) {
    switch (kind) {
        case BoxKind::Warning:
            return QMessageBox::Warning;
        case BoxKind::Error:
            return QMessageBox::Critical;
        case BoxKind::Information:
            break;
    }
    return QMessageBox::Information;
}
}  // namespace

void MessageBoxPrompts::ShowMessage(BoxKind kind, const std::string& caption,
                                    const std::string& text) {
    QObject* context =
        parent_ != nullptr ? static_cast<QObject*>(parent_.data()) : QCoreApplication::instance();
    if (context == nullptr) return;
    RunAndWait(context, [parent = parent_, kind, caption = QString::fromStdString(caption),
                         text = QString::fromStdString(text)] {
        QMessageBox box(IconOf(kind), caption, text, QMessageBox::Ok, parent.data());
        // Texts are shown as they are: a file name with '<' is not markup.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

}  // namespace karvo::ui
