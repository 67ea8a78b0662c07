#include "kit/Controls.h"

#include "kit/Lists.h"

#include <QComboBox>

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

}  // namespace controls
