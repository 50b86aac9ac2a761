#pragma once
#include <QColor>
#include <QString>
#include <QWidget>

namespace karvo::ui {

// One signal name of the in-system-programming notice, written in the colour
// of its mark. A light colour gets a dark outline, so white stays readable on
// the grey window.
class PinLabel final : public QWidget {
    Q_OBJECT

  public:
    PinLabel(const QString& text, const QColor& colour, QWidget* parent = nullptr);

    QString text() const { return text_; }
    QColor colour() const { return colour_; }
    bool Outlined() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QColor colour_;
};

}  // namespace karvo::ui
