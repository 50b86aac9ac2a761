#pragma once
#include <QApplication>

namespace karvo::ui {

// The application object. An exception that escapes an event handler is
// shown to the user in a box and the program goes on, as a desktop program
// is expected to, instead of ending with the user's work.
class KarvoApplication final : public QApplication {
    Q_OBJECT

  public:
    KarvoApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The box shown for an exception; also used for one thrown while the
    // main window is being created.
    static void ShowException(const QString& text);
};

}  // namespace karvo::ui
