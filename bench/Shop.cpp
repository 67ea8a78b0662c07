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
