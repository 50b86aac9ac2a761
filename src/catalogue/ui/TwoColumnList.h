#pragma once
#include <QListWidget>

namespace karvo::ui {

// A list whose names run down the first column and go on in the second, like
// a newspaper, so a long list of devices needs half the scrolling. Beyond two
// columns' worth it scrolls sideways.
class TwoColumnList final : public QListWidget {
    Q_OBJECT

  public:
    explicit TwoColumnList(QWidget* parent = nullptr);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FitColumns();
};

}  // namespace karvo::ui
