#pragma once
#include <vector>

#include "config/ui/ConfigDialog.h"

class QGroupBox;
class QLineEdit;

namespace karvo::ui {

// The configuration dialog of family 'C': the pages of the device's
// ConfigType over the configuration words in the buffer, and the ID group,
// GB_ID (ID_0 … ID3) or on PIC18 parts GB_18F (ID270 … ID277), at the left
// of the pages that show it.
class TfrmPicConfig final : public ConfigDialog {
    Q_OBJECT

  public:
    TfrmPicConfig(ConfigModel& model, QWidget* owner);

    QGroupBox* IdGroup() const { return idGroup_; }
    QLineEdit* IdEdit(std::size_t field) const { return idEdits_[field]; }

  private:
    void BuildIdGroup();
    void PlaceIdGroup();
    void RenderOwn() override;
    void ActivePageChanged() override { PlaceIdGroup(); }

    QGroupBox* idGroup_ = nullptr;
    std::vector<QLineEdit*> idEdits_;
};

}  // namespace karvo::ui
