#include "app/ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include "common/ui/GuiThread.h"

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

Answer MessageBoxPrompts::AskAbortRetryIgnore(const std::string& caption, const std::string& text) {
    QObject* context =
        parent_ != nullptr ? static_cast<QObject*>(parent_.data()) : QCoreApplication::instance();
    if (context == nullptr) return Answer::Abort;
    Answer answer = Answer::Abort;
    RunAndWait(context, [parent = parent_, &answer, caption = QString::fromStdString(caption),
                         text = QString::fromStdString(text)] {
        // Over the window the user is looking at: the progress window of the
        // operation that asks.
        QWidget* over = QApplication::activeModalWidget();
        QMessageBox box(QMessageBox::Critical, caption, text,
                        QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                        over != nullptr ? over : parent.data());
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::Retry);
        // Escape and the close button abort: going on with what may be the
        // wrong chip must be chosen, never fallen into.
        box.setEscapeButton(QMessageBox::Abort);
        const int chosen = box.exec();
        answer = chosen == QMessageBox::Retry    ? Answer::Retry
                 : chosen == QMessageBox::Ignore ? Answer::Ignore
                                                 : Answer::Abort;
    });
    return answer;
}

}  // namespace karvo::ui
