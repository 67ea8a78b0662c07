#include "data/ChangeTracking.h"

#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/RecordSet.h"

namespace changes {

namespace {

using schema::Engine;

// The table's version as the connection sees it now; none where no
// changes are counted.
std::optional<qint64> read(Connection& connection, const QString& table)
{
    RecordSet rows;
    try {
        rows.open(QStringLiteral("select Version from BillChanges where TableName = '%1'").arg(table.toLower()),
                  connection);
    } catch (const DbError& error) {
        if (DbError::isUnavailable(error.kind()))
            throw;
        connection.setCountsChanges(false);  // no such table here
        return std::nullopt;
    }
    connection.setCountsChanges(true);
    if (rows.eof())
        return std::nullopt;
    return rows.field(0).toLongLong();
}

// Every table of the program, by its name in lower case.
QStringList trackedTables()
{
    QStringList tables = schema::columnNames().keys();
    tables.sort();
    return tables;
}

QString randomVersion(Engine engine)
{
    return engine == Engine::Postgres ? QStringLiteral("floor(random() * 9007199254740991)::bigint")
                                      : QStringLiteral("random()");
}

// SQLite has no statement triggers: one for each row; its one writer at a
// time needs no "*" row.
QStringList sqliteTriggers(const QString& table)
{
    QStringList triggers;
    for (const char* event : {"INSERT", "UPDATE", "DELETE"})
        triggers << QStringLiteral("CREATE TRIGGER IF NOT EXISTS BillChanges_%1_%2 AFTER %2 ON %1 BEGIN "
                                   "UPDATE BillChanges SET Version = random() WHERE TableName = '%1'; END")
                        .arg(table, QLatin1String(event));
    return triggers;
}

// The server's trigger, once for each writing statement, before its rows.
QStringList serverFunction()
{
    return {QStringLiteral("CREATE OR REPLACE FUNCTION bill_table_changed() RETURNS trigger LANGUAGE plpgsql AS "
                           "$body$ BEGIN "
                           "UPDATE BillChanges SET Version = Version + 1 WHERE TableName = '*'; "
                           "UPDATE BillChanges SET Version = %1 WHERE TableName = TG_TABLE_NAME; "
                           "RETURN NULL; END $body$")
                .arg(randomVersion(Engine::Postgres))};
}

QString serverTrigger(const QString& table)
{
    return QStringLiteral("CREATE OR REPLACE TRIGGER BillChanges BEFORE INSERT OR UPDATE OR DELETE OR TRUNCATE ON %1 "
                          "FOR EACH STATEMENT EXECUTE FUNCTION bill_table_changed()")
        .arg(table);
}

// The versions of every table and the bills' sums are there.
bool holdsVersions(Connection& connection)
{
    try {
        RecordSet rows;
        rows.open(QStringLiteral("select (select count(*) from BillChanges), (select count(*) from BillSums where BillNumber < 0)"),
                  connection);
        return rows.field(0).toInt() == trackedTables().size() + 1;
    } catch (const DbError&) {
        return false;
    }
}

}  // namespace

QStringList statements(Engine engine)
{
    QStringList made{QStringLiteral("CREATE TABLE IF NOT EXISTS BillChanges (TableName VARCHAR(50) PRIMARY KEY, "
                                    "Version BIGINT NOT NULL)")};
    const QString insert = engine == Engine::Postgres
        ? QStringLiteral("INSERT INTO BillChanges VALUES ('%1', %2) ON CONFLICT DO NOTHING")
        : QStringLiteral("INSERT OR IGNORE INTO BillChanges VALUES ('%1', %2)");
    made << insert.arg(QStringLiteral("*"), QStringLiteral("0"));
    if (engine == Engine::Postgres)
        made << serverFunction();
    for (const QString& table : trackedTables()) {
        made << insert.arg(table, randomVersion(engine));
        if (engine == Engine::Postgres)
            made << serverTrigger(table);
        else
            made << sqliteTriggers(table);
    }
    return made + billsums::statements(engine);
}

bool track(Connection& connection)
{
    if (holdsVersions(connection))
        return true;
    const Engine engine = connection.engine();
    try {
        Transaction transaction(connection);
        RecordSet statement;
        for (const QString& text : changes::statements(engine))
            statement.open(text, connection);
        transaction.commit();
        return true;
    } catch (const DbError&) {
        return false;
    }
}

bool takeWritingTurn(Connection& connection)
{
    const QString take = QStringLiteral("UPDATE BillChanges SET Version = Version + 1 WHERE TableName = '*'");
    RecordSet statement;
    if (connection.engine() == Engine::Postgres) {
        // A failed statement would end the server's transaction: asked first,
        // unless the connection has read the versions already.
        if (connection.countsChanges() != true) {
            statement.open(QStringLiteral("select to_regclass('billchanges') is not null"), connection);
            if (!statement.field(0).toBool())
                return false;
        }
        statement.open(take, connection);
        return true;
    }
    // SQLite's write lock waits for another writer only in a transaction
    // that has read nothing yet: the write comes first.
    try {
        statement.open(take, connection);
        return true;
    } catch (const DbError& error) {
        if (DbError::isUnavailable(error.kind()))
            throw;
        return false;  // no such table here
    }
}

void markChanged(Connection& connection, const QString& table)
{
    if (!takeWritingTurn(connection))
        return;
    RecordSet().open(QStringLiteral("UPDATE BillChanges SET Version = %1 WHERE TableName = '%2'")
                         .arg(randomVersion(connection.engine()), table.toLower()),
                     connection);
}

std::optional<qint64> versionWhileWriting(Connection& connection, const QString& table)
{
    return read(connection, table);
}

std::optional<qint64> version(Connection& connection, const QString& table)
{
    if (connection.inTransaction() || connection.countsChanges() == false)
        return std::nullopt;
    return read(connection, table);
}

}  // namespace changes
