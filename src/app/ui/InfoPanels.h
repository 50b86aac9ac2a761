#pragma once
#include <array>

#include <QFrame>
#include <QLabel>

#include "ports/MainViewPort.h"

namespace karvo::ui {

struct InfoPanels {
    QFrame* panel1 = nullptr;                        // the device
    QFrame* panel2 = nullptr;                        // adapter, file and comments
    std::array<QLabel*, kPanelLabelCount> labels{};  // by PanelLabel
};

// Builds `Panel1` and `Panel2` with their blue captions and empty value
// labels, each label named as in PanelLabel.
InfoPanels BuildInfoPanels(QWidget* window);

}  // namespace karvo::ui
