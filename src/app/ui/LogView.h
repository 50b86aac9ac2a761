#pragma once
#include <QPlainTextEdit>
#include <QStringList>

namespace karvo::ui {

// `Memo1`, the message log: a read-only text whose lines are only ever
// appended at the end or cleared all at once.
class LogView final : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit LogView(QWidget* parent = nullptr);

    void AppendLine(const QString& line);
    void ClearLines();
    // The lines as appended; an empty line counts, even as the first one.
    QStringList Lines() const;

  private:
    // A document holding one empty line looks exactly like an empty one, so
    // whether any line was appended since the last clear is kept here.
    bool hasLines_ = false;
};

}  // namespace karvo::ui
