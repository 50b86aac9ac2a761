#pragma once
#include <QDialog>

class QPushButton;

namespace karvo::ui {

class IspHeaderView;

// The in-system-programming notice shown after a microcontroller was
// selected: where each signal sits on the programmer's header.
class TfrmIsp final : public QDialog {
    Q_OBJECT

  public:
    explicit TfrmIsp(QWidget* owner);

  private:
    IspHeaderView* Image1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace karvo::ui
