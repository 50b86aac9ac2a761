#include "config/ui/ConfigPageView.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "common/ui/DialogGroups.h"

namespace karvo::ui {

using config::ControlKind;

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Longer lists take two columns so that no group outgrows the page.
constexpr int kItemsInOneColumn = 8;

}  // namespace

ConfigPageView::ConfigPageView(ConfigModel& model, int page, Changed changed, ShowBox showBox,
                               QWidget* parent)
    : QWidget(parent),
      model_(model),
      page_(page),
      changed_(std::move(changed)),
      showBox_(std::move(showBox)) {
    const ConfigModel::Page& p = Page();
    setObjectName(Text(p.Name()));
    widgets_.resize(p.controls.size());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 10);
    outer->setSpacing(10);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    outer->addLayout(row, 1);
    if (p.row->showsIdGroup) {
        idSlot_ = new QVBoxLayout;
        idSlot_->addStretch(1);
        row->addLayout(idSlot_);
    }
    int columns = 0;
    for (const auto& c : p.controls) columns = std::max(columns, c.row->column + 1);
    for (int column = 0; column < columns; ++column) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(8);
        bool any = false;
        for (std::size_t i = 0; i < p.controls.size(); ++i) {
            const config::ControlRow& r = *p.controls[i].row;
            if (r.column != column || !r.parent.empty()) continue;
            stack->addWidget(Build(static_cast<int>(i), this));
            any = true;
        }
        stack->addStretch(1);
        if (any) {
            row->addLayout(stack);
        } else {
            delete stack;
        }
    }
    row->addStretch(1);

    if (!p.labels.empty()) {
        auto* bytes = new QHBoxLayout;
        bytes->setSpacing(6);
        // Labels of their own ("FuseLow") stand before their values; the PIC
        // pages' row of bytes gets one caption for all.
        const bool captioned = !p.row->labels.front().caption.empty();
        if (!captioned) bytes->addWidget(new QLabel(QStringLiteral("Stored bytes:"), this));
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        for (std::size_t i = 0; i < p.labels.size(); ++i) {
            const auto& label = p.labels[i];
            const std::string_view own = p.row->labels[i].caption;
            if (!own.empty()) {
                if (i > 0) bytes->addSpacing(12);
                bytes->addWidget(new QLabel(Text(own), this));
            }
            auto* value = new QLabel(this);
            value->setObjectName(QString::fromStdString(label.name));
            value->setFont(fixed);
            value->setFrameShape(QFrame::StyledPanel);
            value->setFrameShadow(QFrame::Sunken);
            value->setAlignment(Qt::AlignCenter);
            value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0x00")) +
                                   8);
            bytes->addWidget(value);
            labels_.push_back(value);
        }
        bytes->addStretch(1);
        outer->addLayout(bytes);
    }
    Render();
}

const ConfigModel::Page& ConfigPageView::Page() const {
    return model_.Pages()[static_cast<std::size_t>(page_)];
}

QWidget* ConfigPageView::Build(int index, QWidget* parent) {
    const ConfigModel::Control& c = Page().controls[static_cast<std::size_t>(index)];
    Widgets& w = widgets_[static_cast<std::size_t>(index)];
    const QString name = Text(c.Name());
    switch (c.Kind()) {
        case ControlKind::CheckBox: {
            w.check = new QCheckBox(parent);
            w.check->setObjectName(name);
            // clicked, not toggled: showing the stored state is no click.
            connect(w.check, &QCheckBox::clicked, this,
                    [this, index](bool checked) { Click(index, checked ? 1 : 0); });
            w.outer = w.check;
            break;
        }
        case ControlKind::RadioGroup:
            w.outer = BuildRadioGroup(index, c, parent);
            break;
        case ControlKind::ComboBox:
        case ControlKind::Edit:
        case ControlKind::Display: {
            auto* frame = new QWidget(parent);
            auto* column = new QVBoxLayout(frame);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(3);
            w.caption = new QLabel(frame);
            column->addWidget(w.caption);
            if (c.Kind() == ControlKind::ComboBox) {
                w.combo = new QComboBox(frame);
                w.combo->setObjectName(name);
                w.combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
                connect(w.combo, &QComboBox::activated, this,
                        [this, index](int item) { Click(index, item); });
                column->addWidget(w.combo);
            } else {
                w.edit = new QLineEdit(frame);
                w.edit->setObjectName(name);
                w.edit->setReadOnly(c.Kind() == ControlKind::Display);
                w.edit->setMaximumWidth(
                    w.edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 16);
                connect(w.edit, &QLineEdit::textEdited, this, [this, index](const QString& text) {
                    if (const auto box = model_.TypeText(page_, index, text.toStdString())) {
                        showBox_(*box);
                    }
                    changed_();
                });
                if (c.Kind() == ControlKind::Edit) {
                    // A field typed in hexadecimal says so after it.
                    auto* row = new QHBoxLayout;
                    row->setSpacing(6);
                    row->addWidget(w.edit);
                    row->addWidget(new QLabel(QStringLiteral("Hex"), frame));
                    row->addStretch(1);
                    column->addLayout(row);
                } else {
                    column->addWidget(w.edit);
                }
            }
            w.outer = frame;
            break;
        }
        case ControlKind::Group: {
            w.group = new QGroupBox(parent);
            w.group->setObjectName(name);
            QVBoxLayout* column = ColumnOf(w.group);
            for (std::size_t i = 0; i < Page().controls.size(); ++i) {
                if (Page().controls[i].row->parent == c.Name()) {
                    column->addWidget(Build(static_cast<int>(i), w.group));
                }
            }
            w.outer = w.group;
            break;
        }
    }
    return w.outer;
}

QWidget* ConfigPageView::BuildRadioGroup(int index, const ConfigModel::Control& c,
                                         QWidget* parent) {
    Widgets& w = widgets_[static_cast<std::size_t>(index)];
    w.group = new QGroupBox(parent);
    w.group->setObjectName(Text(c.Name()));
    auto* grid = new QGridLayout(w.group);
    grid->setContentsMargins(14, 12, 14, 12);
    // Buttons inside a titled group without a title of their own stand in
    // it as plain buttons.
    if (c.caption.empty() && !c.row->parent.empty()) {
        w.group->setFlat(true);
        w.group->setStyleSheet(
            QStringLiteral("QGroupBox { border: none; margin: 0; padding: 0; }"));
        grid->setContentsMargins(0, 0, 0, 0);
    }
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(6);
    w.buttons = new QButtonGroup(w.group);
    connect(w.buttons, &QButtonGroup::idClicked, this,
            [this, index](int item) { Click(index, item); });
    return w.group;
}

void ConfigPageView::RenderRadioGroup(Widgets& w, const ConfigModel::Control& c) {
    w.group->setTitle(QString::fromStdString(c.caption));
    const auto count = static_cast<int>(c.items.size());
    QList<QAbstractButton*> buttons = w.buttons->buttons();
    if (buttons.size() != count) {
        // The items follow the chip (a page may rebuild them when it opens).
        for (QAbstractButton* b : buttons) {
            w.buttons->removeButton(b);
            delete b;
        }
        auto* grid = static_cast<QGridLayout*>(w.group->layout());
        const int rows = count > kItemsInOneColumn ? (count + 1) / 2 : count;
        for (int i = 0; i < count; ++i) {
            auto* button = new QRadioButton(w.group);
            button->setObjectName(QStringLiteral("%1_%2").arg(Text(c.Name())).arg(i));
            w.buttons->addButton(button, i);
            grid->addWidget(button, i % std::max(rows, 1), i / std::max(rows, 1));
        }
        buttons = w.buttons->buttons();
    }
    for (int i = 0; i < count; ++i) {
        QAbstractButton* button = w.buttons->button(i);
        button->setText(QString::fromStdString(c.items[static_cast<std::size_t>(i)]));
        // An item shown for a code the chip reserves cannot be chosen.
        button->setEnabled(c.Offered(i));
    }
    if (c.value >= 0 && c.value < count) {
        w.buttons->button(c.value)->setChecked(true);
    } else {
        // No item chosen: an exclusive group cannot uncheck its last button.
        w.buttons->setExclusive(false);
        for (QAbstractButton* b : buttons) b->setChecked(false);
        w.buttons->setExclusive(true);
    }
}

void ConfigPageView::Render() {
    const ConfigModel::Page& p = Page();
    for (std::size_t i = 0; i < p.controls.size(); ++i) {
        const ConfigModel::Control& c = p.controls[i];
        Widgets& w = widgets_[i];
        if (w.outer == nullptr) continue;
        w.outer->setVisible(c.visible);
        w.outer->setEnabled(c.enabled);
        const QString caption = QString::fromStdString(c.caption);
        switch (c.Kind()) {
            case ControlKind::CheckBox:
                w.check->setText(caption);
                w.check->setChecked(c.value == 1);
                break;
            case ControlKind::RadioGroup:
                RenderRadioGroup(w, c);
                break;
            case ControlKind::ComboBox: {
                w.caption->setText(caption);
                QStringList items;
                for (const std::string& item : c.items) items << QString::fromStdString(item);
                if (w.combo->count() != items.size()) {
                    w.combo->clear();
                    w.combo->addItems(items);
                } else {
                    for (int k = 0; k < items.size(); ++k) w.combo->setItemText(k, items[k]);
                }
                // Items shown for codes the chip reserves cannot be chosen.
                if (auto* list = qobject_cast<QStandardItemModel*>(w.combo->model())) {
                    for (int k = 0; k < items.size(); ++k) {
                        list->item(k)->setEnabled(c.Offered(k));
                    }
                }
                w.combo->setCurrentIndex(c.value);
                break;
            }
            case ControlKind::Edit:
            case ControlKind::Display:
                w.caption->setVisible(false);
                if (w.edit->text() != QString::fromStdString(c.text)) {
                    w.edit->setText(QString::fromStdString(c.text));
                }
                break;
            case ControlKind::Group:
                w.group->setTitle(caption);
                break;
        }
    }
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setText(QString::fromStdString(p.labels[i].text));
    }
}

void ConfigPageView::Click(int index, int choice) {
    model_.Click(page_, index, choice);
    changed_();
}

}  // namespace karvo::ui
