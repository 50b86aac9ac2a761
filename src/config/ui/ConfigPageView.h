#pragma once
#include <functional>
#include <vector>

#include <QWidget>

#include "config/ConfigModel.h"

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace karvo::ui {

// One tab of a configuration dialog, built from its page's rows: the
// controls stand in the columns their rows name, each in its group if it has
// one, with the page's hex labels below. Every control is named as its row;
// a radio group's buttons are named after it, "_0", "_1" …. The view only
// shows the model: a click goes to the model, and the dialog then renders
// every page again from it (signals of user actions only, so rendering runs
// no handler).
class ConfigPageView final : public QWidget {
    Q_OBJECT

  public:
    using Changed = std::function<void()>;
    using ShowBox = std::function<void(const ConfigBox&)>;

    ConfigPageView(ConfigModel& model, int page, Changed changed, ShowBox showBox, QWidget* parent);

    void Render();
    // The place on this page for the ID group, left of the controls.
    QVBoxLayout* IdSlot() const { return idSlot_; }

  private:
    struct Widgets {
        QWidget* outer = nullptr;  // what is shown or hidden
        QCheckBox* check = nullptr;
        QGroupBox* group = nullptr;
        QButtonGroup* buttons = nullptr;
        QComboBox* combo = nullptr;
        QLineEdit* edit = nullptr;
        QLabel* caption = nullptr;
    };

    QWidget* Build(int index, QWidget* parent);
    QWidget* BuildRadioGroup(int index, const ConfigModel::Control& c, QWidget* parent);
    void RenderRadioGroup(Widgets& w, const ConfigModel::Control& c);
    void Click(int index, int choice);
    const ConfigModel::Page& Page() const;

    ConfigModel& model_;
    int page_;
    Changed changed_;
    ShowBox showBox_;
    std::vector<Widgets> widgets_;
    std::vector<QLabel*> labels_;
    QVBoxLayout* idSlot_ = nullptr;
};

}  // namespace karvo::ui
