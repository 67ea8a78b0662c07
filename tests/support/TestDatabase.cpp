#include "support/TestDatabase.h"

#include "core/Failure.h"
#include "core/ShownText.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/RecordSet.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QStringList Tables{"asigncharges", "ItemIn", "Stock", "ExpenditureTable", "Customer", "Supplier",
                         "ExpenditurePerson", "Charges", "ExpenditureHead", "UserTable", "ShopHeader"};

RecordSet run(const QString& statement, const QString& connectionString)
{
    Connection connection;
    RecordSet result;
    try {
        connection.open(connectionString);
        result.open(statement, connection);
    } catch (const Failure& failure) {
        qFatal("%s\n  in: %s", qPrintable(failure.description()), qPrintable(statement));
    }
    return result;
}

ServerAddress testServer()
{
    const QString file = qEnvironmentVariable("BILL_TEST_SERVER_FILE");
    QFile address(file);
    if (!address.open(QIODevice::ReadOnly))
        qFatal("BILL_TEST_SERVER_FILE (%s) cannot be read: start the server with scripts/test-server start",
               qPrintable(file));
    try {
        return ServerAddress::parse(QString::fromUtf8(address.readAll()).trimmed());
    } catch (const Failure& failure) {
        qFatal("%s", qPrintable(failure.description()));
    }
}

}  // namespace

bool TestDatabase::onServer()
{
    return qEnvironmentVariable("BILL_TEST_ENGINE") == QLatin1String("postgresql");
}

TestDatabase::TestDatabase()
{
    if (!m_dir.isValid())
        qFatal("cannot create a temporary folder");
    m_iniPath = m_dir.filePath(QStringLiteral("odbc.ini"));
    qputenv("ODBCINI", m_iniPath.toLocal8Bit());
    if (!onServer()) {
        m_path = m_dir.filePath(QStringLiteral("Bill.db"));
        schema::createSqliteDatabase(m_path);
        datasource::defineSqlite(QStringLiteral("Bill"), m_path);
        m_connectionString = schema::sqliteConnectionString(m_path);
        m_keeper.open(m_connectionString);
        return;
    }
    m_server = testServer();
    m_server.database =
        QStringLiteral("bill_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(QRandomGenerator::global()->bounded(1000000));
    execOnServer(QStringLiteral("CREATE DATABASE ") + m_server.database);
    m_connectionString = datasource::postgresConnectionString(m_server);
    try {
        Connection connection;
        connection.open(m_connectionString);
        schema::createServerTables(connection);
        // What the tests' failing triggers run (rows::failingTrigger).
        RecordSet().open(QStringLiteral("CREATE FUNCTION refuse_change() RETURNS trigger LANGUAGE plpgsql AS "
                                        "'BEGIN RAISE EXCEPTION ''closed for stocktaking''; END'"), connection);
    } catch (const Failure& failure) {
        qFatal("cannot create the tables on the server: %s", qPrintable(failure.description()));
    }
    datasource::definePostgres(QStringLiteral("Bill"), m_server);
}

TestDatabase::~TestDatabase()
{
    m_keeper.close();
    if (onServer())
        execOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_server.database));
}

void TestDatabase::execOnServer(const QString& statement)
{
    ServerAddress maintenance = m_server;
    maintenance.database = testServer().database;
    run(statement, datasource::postgresConnectionString(maintenance));
}

void TestDatabase::reset()
{
    QStringList statements;
    for (const QString& table : Tables)
        statements << QStringLiteral("DELETE FROM ") + table;
    statements << schema::statements().last();  // the first user row
    try {
        Connection connection;
        connection.open(m_connectionString);
        Transaction transaction(connection);
        RecordSet statement;
        for (const QString& text : statements)
            statement.open(text, connection);
        transaction.commit();
    } catch (const Failure& failure) {
        qFatal("cannot empty the test database: %s", qPrintable(failure.description()));
    }
}

QVariant TestDatabase::value(const QString& query)
{
    RecordSet result = run(query, m_connectionString);
    return result.eof() ? QVariant() : result.field(0);
}

int TestDatabase::count(const QString& table, const QString& where)
{
    return value(QStringLiteral("SELECT COUNT(*) FROM ") + table + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where))
        .toInt();
}

QStringList TestDatabase::rowsAt(const QString& connectionString, const QString& query)
{
    RecordSet result = run(query, connectionString);
    QStringList lines;
    for (const auto& row : result.rows()) {
        QStringList fields;
        for (const QVariant& field : row)
            fields << shown::text(field);
        lines << fields.join(QLatin1Char('|'));
    }
    return lines;
}

// unixODBC keeps the configuration it read for the life of the process, so the data source stays
// defined: its file is moved away instead, or the server told to refuse new connections.
void TestDatabase::makeUnreachable()
{
    if (onServer()) {
        // The sessions kept for reuse end too, as when the server stops; they are not reused afterwards.
        alterOnServer(QStringLiteral("ALLOW_CONNECTIONS false"));
        return;
    }
    if (!QFile::rename(m_path, m_path + QStringLiteral(".away")))
        qFatal("cannot move %s away", qPrintable(m_path));
}

void TestDatabase::alterOnServer(const QString& change)
{
    execOnServer(QStringLiteral("ALTER DATABASE %1 %2").arg(m_server.database, change));
    execOnServer(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                     .arg(m_server.database));
}

void TestDatabase::makeReachable()
{
    if (onServer()) {
        execOnServer(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(m_server.database));
        return;
    }
    if (!QFile::rename(m_path + QStringLiteral(".away"), m_path))
        qFatal("cannot bring %s back", qPrintable(m_path));
}
