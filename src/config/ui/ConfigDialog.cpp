#include "config/ui/ConfigDialog.h"

#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/ui/DialogPictures.h"
#include "common/ui/DialogPlacement.h"
#include "config/ui/ConfigPageView.h"

namespace karvo::ui {

ConfigDialog::ConfigDialog(ConfigModel& model, QWidget* owner, const QString& name)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      model_(model) {
    setObjectName(name);
    setWindowTitle(QStringLiteral("ID / Configuration"));
    AdoptOwnerLook(this, owner);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(10);
    body_ = new QVBoxLayout;
    column->addLayout(body_, 1);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(false);
    body_->addWidget(PageControl1, 1);

    BitBtn1 = new QPushButton(OkIcon(), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(96);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    column->addLayout(buttons);
}

void ConfigDialog::BuildPages() {
    const auto& pages = model_.Pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto* view = new ConfigPageView(
            model_, static_cast<int>(i), [this] { RenderAll(); },
            [this](const ConfigBox& box) { ShowBox(box); }, PageControl1);
        views_.push_back(view);
        PageControl1->addTab(view, QString::fromStdString(pages[i].caption));
    }
    PageControl1->setVisible(!pages.empty());
    // PageControlChange: another tab is another active page.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index < 0) return;
        model_.SetActivePage(index);
        ActivePageChanged();
        RenderAll();
    });
}

void ConfigDialog::RenderAll() {
    for (ConfigPageView* view : views_) view->Render();
    RenderOwn();
}

void ConfigDialog::ShowBox(const ConfigBox& box) {
    QMessageBox message(QMessageBox::Critical, QString::fromStdString(box.caption),
                        QString::fromStdString(box.text), QMessageBox::Ok, this);
    // Typed text is shown as typed, never read as markup.
    message.setTextFormat(Qt::PlainText);
    message.exec();
}

}  // namespace karvo::ui
