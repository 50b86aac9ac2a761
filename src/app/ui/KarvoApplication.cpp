#include "app/ui/KarvoApplication.h"

#include <exception>

#include <QMessageBox>

namespace karvo::ui {

KarvoApplication::KarvoApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Not the display name: Qt would append it to every window title, and
    // the message boxes' captions must read as given.
    setApplicationName(QStringLiteral("KARVO Mk2"));
    setApplicationVersion(QStringLiteral("2.002"));
    setDesktopFileName(QStringLiteral("karvo"));
}

bool KarvoApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

void KarvoApplication::ShowException(const QString& text) {
    QMessageBox box(QMessageBox::Critical, applicationName(), text, QMessageBox::Ok,
                    activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace karvo::ui
