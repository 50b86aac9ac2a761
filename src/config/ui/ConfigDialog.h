#pragma once
#include <vector>

#include <QDialog>

#include "config/ConfigModel.h"

class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace karvo::ui {

class ConfigPageView;

// What both configuration dialogs share: caption "ID / Configuration", one
// tab for each page the model shows, the OK button BitBtn1, and a render of
// every page after each write. There is no Cancel: every click has written
// already; OK, Escape and the close box all just close.
class ConfigDialog : public QDialog {
    Q_OBJECT

  public:
    QTabWidget* PageControl() const { return PageControl1; }
    QPushButton* OkButton() const { return BitBtn1; }
    ConfigPageView* PageView(int page) const { return views_[static_cast<std::size_t>(page)]; }

  protected:
    ConfigDialog(ConfigModel& model, QWidget* owner, const QString& name);
    // Builds the tabs; the subclass calls it once its own parts exist.
    void BuildPages();
    // Shows the model again: every page, then the subclass's own parts.
    void RenderAll();
    virtual void RenderOwn() {}
    virtual void ActivePageChanged() {}
    void ShowBox(const ConfigBox& box);
    // Above the OK button, for a dialog without pages.
    QVBoxLayout* Body() const { return body_; }

    ConfigModel& model_;

  private:
    QTabWidget* PageControl1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QVBoxLayout* body_ = nullptr;
    std::vector<ConfigPageView*> views_;
};

}  // namespace karvo::ui
