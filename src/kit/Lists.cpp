#include "kit/Lists.h"

#include <QComboBox>
#include <QLineEdit>

namespace lists {

void pick(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void limitLength(QLineEdit* box, int length)
{
    box->setMaxLength(length);
}

void limitLength(QComboBox* editableList, int length)
{
    if (QLineEdit* edit = editableList->lineEdit())
        edit->setMaxLength(length);
}

}  // namespace lists
