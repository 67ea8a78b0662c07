#include "data/Schema.h"

#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace schema {

void createServerTables(Connection& connection, const std::function<void()>& fill)
{
    Transaction transaction(connection);
    RecordSet statement;
    for (const QString& text : statements(Engine::Postgres) + changes::statements(Engine::Postgres))
        statement.open(text, connection);
    if (fill)
        fill();
    transaction.commit();
}

bool hasTables(Connection& connection)
{
    RecordSet rows;
    try {
        rows.open(QStringLiteral("select count(*) from UserTable"), connection);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

QString sqliteConnectionString(const QString& path, Journal journal)
{
    // The data source's own settings (but its description), with the driver
    // named as a connection string names it. An empty journal mode is one
    // the driver leaves as it is.
    QStringList parts;
    for (const datasource::Setting& entry : datasource::sqliteSettings(path)) {
        if (entry.key == QLatin1String("Description"))
            continue;
        const bool kept = entry.key == QLatin1String("JournalMode") && journal == Journal::AsTheFileHasIt;
        const QString value = entry.key == QLatin1String("Database") ? sqlitefile::uri(path) : entry.value;
        parts << (entry.key == QLatin1String("Driver") ? QStringLiteral("DRIVER") : entry.key) + QLatin1Char('=')
                + (kept ? QString() : value);
    }
    return parts.join(QLatin1Char(';'));
}

void createSqliteDatabase(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists())
        throw Failure(QStringLiteral("%1 already exists; it is left as it is.").arg(path));
    if (!QDir().mkpath(file.absolutePath()))
        throw Failure(QStringLiteral("Cannot create the folder %1.").arg(file.absolutePath()));
    // Made under a name of its own and put in place with its tables: a run
    // stopped part-way (killed, the power gone) leaves no file without tables
    // that the next start would take for the shop's database.
    const QString whole = file.absoluteFilePath();
    const QString partial = sqlitefile::partialName(whole);
    sqlitefile::removeStoppedCopies(file.absolutePath(), QRegularExpression::escape(file.fileName()));
    sqlitefile::removeWithItsFiles(partial);  // left by a process of the same number before
    if (!sqlitefile::createPrivate(partial))
        throw Failure(QStringLiteral("Cannot create the file %1.").arg(path));
    try {
        {
            Connection connection;
            // The one connection that makes the file; closed, it leaves no log beside it.
            connection.open(QStringLiteral("DRIVER=SQLite3;Database=%1;NoCreat=0").arg(sqlitefile::uri(partial)));
            Transaction transaction(connection);
            RecordSet statement;
            for (const QString& text : statements() + changes::statements(Engine::Sqlite))
                statement.open(text, connection);
            transaction.commit();
        }
        if (sqlitefile::logLeftBeside(partial))
            throw Failure(QStringLiteral("Cannot write the whole of %1 (the disk may be full).").arg(path));
        sqlitefile::putWhereNoneIs(partial, whole);
    } catch (const Failure&) {
        sqlitefile::removeWithItsFiles(partial);
        throw;
    }
}

}  // namespace schema
