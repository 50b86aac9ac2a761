#include "catalogue/ui/TfrmIsp.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/ui/IspHeaderPicture.h"
#include "catalogue/ui/IspPins.h"
#include "catalogue/ui/PinLabel.h"
#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

namespace {
constexpr QSize kClientSize(528, 279);
}

TfrmIsp::TfrmIsp(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmIsp"));
    setWindowTitle(QStringLiteral("ATMEL_ISP"));
    AdoptOwnerLook(this, owner);

    // The picture fills the height; its width follows its own proportions.
    Image1 = new IspHeaderView(this);
    const int pictureWidth =
        (kClientSize.height() * kIspPictureWidth + kIspPictureHeight / 2) / kIspPictureHeight;
    Image1->setFixedSize(pictureWidth, kClientSize.height());

    auto* legend = new QVBoxLayout;
    legend->setContentsMargins(10, 14, 10, 12);
    legend->setSpacing(8);
    QFont pinFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    pinFont.setBold(true);
    pinFont.setPixelSize(14);
    for (const IspPin& pin : kIspPins) {
        auto* label = new PinLabel(QString::fromLatin1(pin.label), pin.colour, this);
        label->setObjectName(QStringLiteral("Pin") +
                             QString::fromLatin1(pin.label).section('/', 0, 0));
        label->setFont(pinFont);
        legend->addWidget(label);
    }
    legend->addStretch(1);
    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    legend->addWidget(BitBtn1);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(Image1);
    columns->addLayout(legend, 1);

    setFixedSize(kClientSize);
}

}  // namespace karvo::ui
