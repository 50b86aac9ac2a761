#include "config/ui/TfrmPicConfig.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "config/ui/ConfigPageView.h"

namespace karvo::ui {

namespace {

// An ID field takes no more digits, and no larger number, than the chip
// keeps. Other characters pass, so that the conversion error can tell the
// user what is wrong with them.
class IdValidator final : public QValidator {
  public:
    IdValidator(int digits, std::uint32_t largest, QObject* parent)
        : QValidator(parent), digits_(digits), largest_(largest) {}
    State validate(QString& input, int&) const override {
        if (input.size() > digits_) return Invalid;
        bool hex = false;
        const uint value = input.toUInt(&hex, 16);
        if (hex && !input.isEmpty() && value > largest_) return Invalid;
        return Acceptable;
    }

  private:
    int digits_;
    std::uint32_t largest_;
};

}  // namespace

TfrmPicConfig::TfrmPicConfig(ConfigModel& model, QWidget* owner)
    : ConfigDialog(model, owner, QStringLiteral("frmPicConfig")) {
    BuildPages();
    BuildIdGroup();
    PlaceIdGroup();
    RenderAll();
}

void TfrmPicConfig::BuildIdGroup() {
    if (model_.Ids() == ConfigModel::IdGroup::None) return;
    const bool bytes = model_.Ids() == ConfigModel::IdGroup::Bytes;
    idGroup_ = new QGroupBox(QStringLiteral(" ID Locations "), this);
    idGroup_->setObjectName(bytes ? QStringLiteral("GB_18F") : QStringLiteral("GB_ID"));
    auto* form = new QFormLayout(idGroup_);
    form->setContentsMargins(14, 12, 14, 12);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    for (std::size_t i = 0; i < model_.IdCount(); ++i) {
        auto* edit = new QLineEdit(idGroup_);
        edit->setObjectName(QString::fromStdString(model_.IdName(i)));
        edit->setValidator(new IdValidator(model_.IdDigits(), model_.IdLargest(), edit));
        edit->setMaxLength(model_.IdDigits());
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12);
        edit->setText(QString::fromStdString(model_.IdText(i)));
        // ID_0Change, on the user's typing only.
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            std::optional<ConfigBox> box;
            model_.TypeId(i, text.toStdString(), box);
            if (box) ShowBox(*box);
        });
        form->addRow(QStringLiteral("ID %1").arg(i), edit);
        idEdits_.push_back(edit);
    }
}

// The group stands left of the controls of the pages that show it, and
// alone when the device's type has no page.
void TfrmPicConfig::PlaceIdGroup() {
    if (idGroup_ == nullptr) return;
    if (model_.Pages().empty()) {
        Body()->insertWidget(0, idGroup_, 0, Qt::AlignLeft | Qt::AlignTop);
        idGroup_->show();
        return;
    }
    const int active = model_.ActivePage();
    QVBoxLayout* slot = PageView(active)->IdSlot();
    if (slot == nullptr || !model_.IdGroupVisible()) {
        idGroup_->hide();
        return;
    }
    ConfigPageView* page = PageView(active);
    idGroup_->setParent(page);
    slot->insertWidget(0, idGroup_, 0, Qt::AlignTop);
    idGroup_->show();
    // The page is wider now: its size goes up to the dialog at once, not
    // only when the event loop gets to it.
    page->layout()->activate();
    page->updateGeometry();
    PageControl()->updateGeometry();
}

void TfrmPicConfig::RenderOwn() {
    for (std::size_t i = 0; i < idEdits_.size(); ++i) {
        const QString text = QString::fromStdString(model_.IdText(i));
        if (idEdits_[i]->text() != text && !idEdits_[i]->hasFocus()) idEdits_[i]->setText(text);
    }
}

}  // namespace karvo::ui
