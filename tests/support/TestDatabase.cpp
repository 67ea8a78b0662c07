#include "support/TestDatabase.h"

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "kit/Failure.h"
#include "kit/Grid.h"

#include <QFile>
#include <QtTest>

namespace {

const QStringList Tables{"asigncharges", "ItemIn",  "Stock",           "ExpenditureTable",
                         "Customer",     "Supplier", "ExpenditurePerson", "Charges",
                         "ExpenditureHead", "UserTable", "ShopHeader"};

RecordSet run(const QString& statement, const QString& path)
{
    Connection connection;
    RecordSet result;
    try {
        connection.open(schema::sqliteConnectionString(path));
        result.open(statement, connection);
    } catch (const Failure& failure) {
        qFatal("%s\n  in: %s", qPrintable(failure.description()), qPrintable(statement));
    }
    return result;
}

}  // namespace

TestDatabase::TestDatabase()
{
    if (!m_dir.isValid())
        qFatal("cannot create a temporary folder");
    m_path = m_dir.filePath(QStringLiteral("Bill.db"));
    m_iniPath = m_dir.filePath(QStringLiteral("odbc.ini"));
    qputenv("ODBCINI", m_iniPath.toLocal8Bit());
    schema::createSqliteDatabase(m_path);
    datasource::defineSqlite(QStringLiteral("Bill"), m_path);
    m_keeper.open(schema::sqliteConnectionString(m_path));
}

void TestDatabase::reset()
{
    QStringList statements;
    for (const QString& table : Tables)
        statements << QStringLiteral("DELETE FROM ") + table;
    statements << schema::statements().last();  // the first user row
    try {
        Connection connection;
        connection.open(schema::sqliteConnectionString(m_path));
        Transaction transaction(connection);
        RecordSet statement;
        for (const QString& text : statements)
            statement.open(text, connection);
        transaction.commit();
    } catch (const Failure& failure) {
        qFatal("cannot empty the test database: %s", qPrintable(failure.description()));
    }
}

void TestDatabase::exec(const QString& statement)
{
    run(statement, m_path);
}

QVariant TestDatabase::value(const QString& query)
{
    RecordSet result = run(query, m_path);
    return result.eof() ? QVariant() : result.field(0);
}

int TestDatabase::count(const QString& table, const QString& where)
{
    QString query = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        query += QStringLiteral(" WHERE ") + where;
    return value(query).toInt();
}

QStringList TestDatabase::rows(const QString& query)
{
    RecordSet result = run(query, m_path);
    QStringList lines;
    for (const auto& row : result.rows()) {
        QStringList fields;
        for (const QVariant& field : row)
            fields << GridModel::displayText(field);
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}

void TestDatabase::letGo()
{
    m_keeper.close();
}

void TestDatabase::holdAgain()
{
    m_keeper.open(schema::sqliteConnectionString(m_path));
}

// unixODBC keeps the configuration it read for the life of the process, so
// the data source stays defined: its database file is moved away instead.
void TestDatabase::makeUnreachable()
{
    if (!QFile::rename(m_path, m_path + QStringLiteral(".away")))
        qFatal("cannot move %s away", qPrintable(m_path));
}

void TestDatabase::makeReachable()
{
    if (!QFile::rename(m_path + QStringLiteral(".away"), m_path))
        qFatal("cannot bring %s back", qPrintable(m_path));
}
