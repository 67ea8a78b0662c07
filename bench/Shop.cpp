#include "Shop.h"

#include "Runner.h"
#include "data/RecordSet.h"
#include "shell/MDIForm1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMdiSubWindow>

namespace bench {

Shop::Shop(ceiling::Size size) : m_size(size)
{
    m_connection.open();
    // Every run puts back what it changed; a run that was cut short may not have.
    QStringList differ;
    for (const ceiling::TableRows& made : ceiling::rowsMade(size)) {
        const int held = value(QStringLiteral("select count(*) from ") + made.table).toInt();
        if (held != made.rows)
            differ << QStringLiteral("%1 holds %2 rows, not %3").arg(made.table).arg(held).arg(made.rows);
    }
    if (!differ.isEmpty())
        throw Failure(QStringLiteral("the database is not as made: %1 (a run cut short, or made by an earlier "
                                     "benchmark?); remove it to have it made again")
                          .arg(differ.join(QStringLiteral("; "))));
}

void Shop::restoreStock()
{
    exec(QStringLiteral("delete from Stock where BillNumber > ") + QString::number(m_size.stockBatches));
    exec(QStringLiteral("update Stock set Quantity = %1 where Quantity <> %1").arg(ceiling::StockQuantity));
}

void Shop::exec(const QString& statement)
{
    RecordSet result;
    result.open(statement, m_connection);
}

int Shop::rows(const QString& query)
{
    RecordSet result;
    result.open(query, m_connection);
    return result.recordCount();
}

QVariant Shop::value(const QString& query)
{
    RecordSet result;
    result.open(query, m_connection);
    return result.eof() ? QVariant() : result.field(0);
}

QWidget* openFromMenu(const QString& menuEntry, const QString& screenName)
{
    MDIForm1* main = MDIForm1::instance();
    if (!main->isVisible())
        main->show();
    auto* action = main->findChild<QAction*>(menuEntry);
    if (!action)
        throw Failure(QStringLiteral("no menu entry ") + menuEntry);
    action->trigger();
    return openScreen(screenName);
}

QWidget* openScreen(const QString& screenName)
{
    QMdiSubWindow* window = MDIForm1::instance()->openWindow(screenName);
    return window ? window->widget() : nullptr;
}

void closeScreen(const QString& screenName)
{
    if (QMdiSubWindow* window = MDIForm1::instance()->openWindow(screenName))
        window->close();
    settle();
}

}  // namespace bench

namespace bench {

int allRows(const QAbstractItemView* view)
{
    QAbstractItemModel* model = view->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    return model->rowCount();
}

}  // namespace bench
