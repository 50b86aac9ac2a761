#pragma once
#include <array>
#include <string>

#include "ports/MainViewPort.h"

namespace karvo {

// The information labels and toolbar enables as the core sees them; every
// change is passed on to the view. The command-line `panel` reads it here.
class PanelState {
  public:
    explicit PanelState(MainViewPort& view) : view_(view) {}

    void SetLabel(PanelLabel label, const std::string& text) {
        labels_[static_cast<std::size_t>(label)] = text;
        view_.LabelChanged(label, text);
    }
    const std::string& Label(PanelLabel label) const {
        return labels_[static_cast<std::size_t>(label)];
    }

    void SetHint(PanelLabel label, const std::string& hint) {
        hints_[static_cast<std::size_t>(label)] = hint;
        view_.LabelHintChanged(label, hint);
    }
    const std::string& Hint(PanelLabel label) const {
        return hints_[static_cast<std::size_t>(label)];
    }

    void SetEnabled(ToolButton button, bool enabled) {
        enabled_[static_cast<std::size_t>(button)] = enabled;
        view_.ButtonEnabledChanged(button, enabled);
    }
    bool Enabled(ToolButton button) const { return enabled_[static_cast<std::size_t>(button)]; }

    void SetFinishing(int percent) {
        if (percent == finishing_) return;
        finishing_ = percent;
        view_.FinishingChanged(percent);
    }
    // -1 unless an aborted operation is still being finished.
    int Finishing() const { return finishing_; }

  private:
    MainViewPort& view_;
    std::array<std::string, kPanelLabelCount> labels_{};
    std::array<std::string, kPanelLabelCount> hints_{};
    std::array<bool, kToolButtonCount> enabled_{};
    int finishing_ = -1;
};

}  // namespace karvo
