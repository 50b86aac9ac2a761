#include "operations/ui/TfrmDifferences.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"

namespace karvo::ui {

TfrmDifferences::TfrmDifferences(const std::string& devName, const std::vector<std::string>& lines,
                                 QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmDifferences"));
    setWindowTitle(
        QStringLiteral("Differences: buffer and %1").arg(QString::fromStdString(devName)));
    AdoptOwnerLook(this, owner);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    Memo->setPlainText(text.join(QLatin1Char('\n')));

    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("Close"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->addWidget(Memo, 1);
    column->addLayout(buttons);
    resize(700, 360);
}

void DifferencesWindow::Show(const std::string& devName, const std::vector<std::string>& lines) {
    TfrmDifferences window(devName, lines, owner_.data());
    CentreOnOwner(&window, owner_.data());
    window.exec();
}

}  // namespace karvo::ui
