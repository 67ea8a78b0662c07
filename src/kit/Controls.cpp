#include "kit/Controls.h"

#include "kit/Lists.h"

#include <QComboBox>
#include <QPushButton>

namespace controls {

QComboBox* editableList(QWidget* parent, const QString& name, int maxLength)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    lists::limitLength(list, maxLength);
    return list;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(name);
    push->setAutoDefault(false);
    return push;
}

}  // namespace controls
