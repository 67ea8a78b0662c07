#include "Shop.h"

#include "Runner.h"
#include "data/RecordSet.h"
#include "shell/MDIForm1.h"

#include <QAction>
#include <QMdiSubWindow>

namespace bench {

Shop::Shop(ceiling::Size size) : m_size(size)
{
    m_connection.open();
    // Every run puts back what it changed; a run that was cut short may not have.
    const int lines = value(QStringLiteral("select count(*) from asigncharges")).toInt();
    const int customers = value(QStringLiteral("select count(*) from Customer")).toInt();
    if (lines != size.bills * size.linesPerBill || customers != size.customers)
        throw Failure(QStringLiteral("the database holds %1 bill lines and %2 customers, not %3 and %4 as made "
                                     "(a run cut short?); remove it to have it made again")
                          .arg(lines).arg(customers).arg(size.bills * size.linesPerBill).arg(size.customers));
}

void Shop::exec(const QString& statement)
{
    RecordSet result;
    result.open(statement, m_connection);
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
