#include "common/ui/DialogGroups.h"

namespace karvo::ui {

QGroupBox* MakeGroup(const char* title, const char* name, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QVBoxLayout* ColumnOf(QGroupBox* group) {
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(7);
    return column;
}

}  // namespace karvo::ui
