#include "kit/Lists.h"

#include "data/Connection.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "kit/TypingLimit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>
#include <algorithm>

namespace lists {

namespace {

// Makes the model show the entries by one row inserted or removed, or none;
// false (the model unchanged) when they differ in any other way.
bool editedInPlace(QStringListModel& model, const QStringList& entries)
{
    const QStringList& shown = model.stringList();
    const qsizetype sizeChange = entries.size() - shown.size();
    if (sizeChange < -1 || sizeChange > 1)
        return false;
    const qsizetype common = std::min(shown.size(), entries.size());
    const qsizetype firstDifference = std::mismatch(shown.cbegin(), shown.cbegin() + common, entries.cbegin()).first - shown.cbegin();
    if (sizeChange == 0)
        return firstDifference == common;
    // The rest must match once the entry is left out of the longer list.
    const QStringList& longer = sizeChange > 0 ? entries : shown;
    const QStringList& shorter = sizeChange > 0 ? shown : entries;
    if (!std::equal(longer.cbegin() + firstDifference + 1, longer.cend(), shorter.cbegin() + firstDifference))
        return false;
    const int row = int(firstDifference);
    if (sizeChange < 0)
        return model.removeRows(row, 1);
    return model.insertRows(row, 1) && model.setData(model.index(row), entries.at(row));
}

}  // namespace

void pick(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void pickAsOperator(QComboBox* list, int index)
{
    if (index < 0 || index >= list->count())
        return;
    pick(list, index);
    emit list->textActivated(list->itemText(index));
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
    // The same entries again (a list kept since it was read, say), or with
    // one entry more or less (a record just stored or deleted), are edited
    // in place: a reset of 32,767 entries costs more than reading them.
    // An entry picked goes into the box whole, however long.
    if (QLineEdit* edit = list->lineEdit()) {
        qsizetype longest = 0;
        for (const QString& entry : entries)
            longest = std::max(longest, entry.size());
        typinglimit::fitEntries(edit, longest);
    }
    if (list->count() > 0 && editedInPlace(*model, entries))
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

void limitLength(QComboBox* editableList, int length)
{
    if (QLineEdit* edit = editableList->lineEdit())
        typinglimit::set(edit, length);
}

}  // namespace lists
