#include "app/ui/InfoPanels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPalette>

namespace karvo::ui {

namespace {

const QColor kPanelGrey(0xE4, 0xE4, 0xE4);
const QColor kPanelBorder(0xA4, 0xA9, 0xB0);
const QColor kCaptionBlue(0x0B, 0x3D, 0xA8);
const QColor kValueBlack(0x14, 0x14, 0x14);

QFrame* MakePanel(QWidget* window, const char* name) {
    auto* panel = new QFrame(window);
    panel->setObjectName(QString::fromLatin1(name));
    // A plain frame is drawn in the text colour; the labels set their own.
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, kPanelGrey);
    palette.setColor(QPalette::WindowText, kPanelBorder);
    panel->setPalette(palette);
    return panel;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QLabel* MakeCaption(QFrame* panel, const char* text) {
    auto* caption = new QLabel(QString::fromLatin1(text), panel);
    SetTextColour(caption, kCaptionBlue);
    return caption;
}

QLabel* MakeValue(QFrame* panel, PanelLabel label) {
    auto* value = new QLabel(panel);
    SetTextColour(value, kValueBlack);
    value->setObjectName(QString::fromLatin1(kPanelLabelNames[static_cast<std::size_t>(label)]));
    // A long file name is cut at the panel's edge rather than widening it.
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return value;
}

QGridLayout* MakeGrid(QFrame* panel) {
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 5, 10, 5);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    // The first values of both panels start in one column.
    grid->setColumnMinimumWidth(
        0, panel->fontMetrics().horizontalAdvance(QStringLiteral("Comments:")));
    return grid;
}

}  // namespace

InfoPanels BuildInfoPanels(QWidget* window) {
    InfoPanels panels;
    auto value = [&panels](QFrame* panel, PanelLabel label) {
        QLabel* made = MakeValue(panel, label);
        panels.labels[static_cast<std::size_t>(label)] = made;
        return made;
    };

    // Panel1: three columns of caption and value; the two device ID bytes
    // share one cell.
    panels.panel1 = MakePanel(window, "Panel1");
    QGridLayout* grid1 = MakeGrid(panels.panel1);
    struct Cell {
        int row;
        int column;
        const char* caption;
        PanelLabel label;
    };
    constexpr std::array<Cell, 7> kCells = {{
        {0, 0, "Manuf:", PanelLabel::ManuL},
        {1, 0, "Device:", PanelLabel::DevL},
        {2, 0, "Size:", PanelLabel::SizeL},
        {0, 1, "Manuf ID:", PanelLabel::ManIDL},
        {2, 1, "Checksum:", PanelLabel::CheckL},
        {0, 2, "Vcc:", PanelLabel::VccL},
        {1, 2, "Vpp:", PanelLabel::VppL},
    }};
    for (const Cell& cell : kCells) {
        grid1->addWidget(MakeCaption(panels.panel1, cell.caption), cell.row, cell.column * 2);
        grid1->addWidget(value(panels.panel1, cell.label), cell.row, cell.column * 2 + 1);
    }
    grid1->addWidget(MakeCaption(panels.panel1, "Device ID:"), 1, 2);
    auto* deviceIds = new QHBoxLayout;
    deviceIds->setSpacing(8);
    for (const PanelLabel id : {PanelLabel::DevIDL, PanelLabel::DevIDL2}) {
        QLabel* made = value(panels.panel1, id);
        made->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        deviceIds->addWidget(made);
    }
    deviceIds->addStretch(1);
    grid1->addLayout(deviceIds, 1, 3);
    // The device's name is the longest value; the voltages the shortest.
    grid1->setColumnStretch(1, 5);
    grid1->setColumnStretch(3, 4);
    grid1->setColumnStretch(5, 2);

    // Panel2: one line each, the values taking the full width.
    panels.panel2 = MakePanel(window, "Panel2");
    QGridLayout* grid2 = MakeGrid(panels.panel2);
    constexpr std::array<std::pair<const char*, PanelLabel>, 3> kLines = {{
        {"Adapter:", PanelLabel::AdapL},
        {"File:", PanelLabel::FileL},
        {"Comments:", PanelLabel::ComL},
    }};
    for (int row = 0; row < static_cast<int>(kLines.size()); ++row) {
        const auto& [caption, label] = kLines[static_cast<std::size_t>(row)];
        grid2->addWidget(MakeCaption(panels.panel2, caption), row, 0);
        grid2->addWidget(value(panels.panel2, label), row, 1);
    }
    grid2->setColumnStretch(1, 1);
    return panels;
}

}  // namespace karvo::ui
