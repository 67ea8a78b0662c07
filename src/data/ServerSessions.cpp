#include "data/ServerSessions.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

namespace serversessions {

namespace {

// More than a screen's connections, its grid's and the shared one.
constexpr int KeptPerString = 6;

QHash<QString, QStringList>& kept()
{
    thread_local QHash<QString, QStringList> sessions;
    return sessions;
}

bool answers(const QString& connectionName)
{
    const QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    return database.isOpen() && QSqlQuery(database).exec(QStringLiteral("SELECT 1"));
}

bool rolledBack(const QString& connectionName)
{
    QSqlDatabase database = QSqlDatabase::database(connectionName, false);
    return database.isOpen() && database.rollback();
}

void drop(const QString& connectionName)
{
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}

}  // namespace

QString take(const QString& odbcName)
{
    QStringList& sessions = kept()[odbcName];
    while (!sessions.isEmpty()) {
        const QString name = sessions.takeLast();
        if (answers(name))
            return name;
        drop(name);
    }
    return {};
}

void keep(const QString& odbcName, const QString& connectionName)
{
    QStringList& sessions = kept()[odbcName];
    if (sessions.size() >= KeptPerString || !rolledBack(connectionName)) {
        drop(connectionName);
        return;
    }
    sessions << connectionName;
}

int keptCount()
{
    int count = 0;
    for (const QStringList& sessions : std::as_const(kept()))
        count += int(sessions.size());
    return count;
}

}  // namespace serversessions
