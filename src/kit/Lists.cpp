#include "kit/Lists.h"

#include "data/Connection.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>

namespace lists {

void pick(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void setEntries(QComboBox* list, const QStringList& entries, Chosen chosen)
{
    const QSignalBlocker quiet(list);
    auto* model = qobject_cast<QStringListModel*>(list->model());
    if (!model) {
        model = new QStringListModel(list);
        list->setModel(model);
        // Rows of one height: the drop-down does not measure every entry.
        if (auto* view = qobject_cast<QListView*>(list->view()))
            view->setUniformItemSizes(true);
    }
    // A reset: the list chooses its first entry, as after the first addItem.
    // The same entries again (a list kept since it was read, say) are left
    // in place: a reset of 32,767 entries costs more than reading them.
    if (model->stringList() == entries && list->count() > 0)
        list->setCurrentIndex(0);
    else
        model->setStringList(entries);
    if (chosen == Chosen::None)
        list->setCurrentIndex(-1);
}

void fillAndPickFirst(QComboBox* list, Connection& connection, const std::function<QStringList()>& read)
{
    SkipFailing skip;
    QStringList entries;
    connectx(connection);
    skip([&] { entries = read(); });
    skip([&] { connection.release(); });
    setEntries(list, entries);
    pick(list, 0);
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
