#include "kit/Lists.h"

#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/QueryRows.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"

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
    model->setStringList(entries);
    if (chosen == Chosen::None)
        list->setCurrentIndex(-1);
}

QStringList readEntries(const QString& statement, Connection& connection)
{
    QueryRows rows = QueryRows::run(statement, connection);
    if (rows.fieldNames().isEmpty())
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return rows.fetchTexts(0, shown::text);
}

void fill(QComboBox* list, const QString& statement, Connection& connection)
{
    setEntries(list, {});
    setEntries(list, readEntries(statement, connection));
}

QString fillDistinct(QComboBox* list, const QString& column, const QString& table,
                     const QString& orderColumn, const QString& orderWord, Connection& connection)
{
    const QString statement = QStringLiteral("Select distinct(") + column + QStringLiteral(") from ") + table
        + QStringLiteral(" order by ") + orderColumn + QLatin1Char(' ') + orderWord;
    setEntries(list, {});
    SkipFailing skip;
    skip([&] { connectx(connection); });
    skip([&] { fill(list, statement, connection); });
    skip([&] {
        if (connection.isOpen())
            connection.close();
    });
    pick(list, 0);
    return statement;
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
