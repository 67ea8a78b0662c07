#include "data/Connection.h"

#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/Dialect.h"
#include "data/ErrorKinds.h"
#include "data/OdbcHandles.h"
#include "data/ServerSessions.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QStringList>
#include <sql.h>
#include <sqlext.h>

namespace {

QAtomicInt connectionCounter;

QString describe(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("Unknown database error") : text;
}

// The engine behind the data source, as its ODBC driver names it.
QString engineName(const QSqlDatabase& database)
{
    auto connection = static_cast<SQLHDBC>(odbchandles::connection(database));
    if (!connection)
        return {};
    SQLCHAR name[128] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_DBMS_NAME, name, sizeof name, &length)))
        return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(name));
}

}  // namespace

QString odbcDatabaseName(const QString& connectionString)
{
    if (connectionString.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive))
        return connectionString;
    QString dataSource;
    QStringList others;
    for (const QString& part : connectionString.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int equals = part.indexOf(QLatin1Char('='));
        const QString key = part.left(equals).trimmed();
        const QString value = equals < 0 ? QString() : part.mid(equals + 1);
        if (key.compare(QLatin1String("DSN"), Qt::CaseInsensitive) == 0)
            dataSource = value;
        else if (key.compare(QLatin1String("userID"), Qt::CaseInsensitive) == 0
                 || key.compare(QLatin1String("User ID"), Qt::CaseInsensitive) == 0)
            others << QStringLiteral("UID=") + value;
        else if (key.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0)
            others << QStringLiteral("PWD=") + value;
        else
            others << part;
    }
    others.prepend(dataSource);
    return others.join(QLatin1Char(';'));
}

QString Connection::newName()
{
    return QStringLiteral("bill-connection-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
}

Connection::Connection() : m_name(newName()), m_dialect(Dialect::forEngine(QString())) {}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void Connection::open(const QString& connectionString)
{
    close();
    // A SQLite database gets its settings for safe keeping here too, so that
    // a data source defined before they existed has them as well; a server
    // gets no fixed user and password (see datasource::forConnection).
    const QString odbcName = datasource::forConnection(odbcDatabaseName(connectionString));
    const bool server = !datasource::reachesSqlite(odbcName);
    if (server) {
        const QString kept = serversessions::take(odbcName);
        if (!kept.isEmpty()) {
            QSqlDatabase::removeDatabase(m_name);
            m_name = kept;
            m_sessionString = odbcName;
            m_dialect = Dialect::forEngine(engineName(database()));
            return;
        }
    }
    QSqlDatabase database = QSqlDatabase::contains(m_name)
        ? QSqlDatabase::database(m_name, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    database.setDatabaseName(odbcName);
    if (!database.open()) {
        const QString description = describe(database.lastError());
        database.close();
        throw DbError(description);
    }
    if (server)
        m_sessionString = odbcName;
    m_dialect = Dialect::forEngine(engineName(database));
}

void Connection::close()
{
    if (!m_sessionString.isEmpty()) {
        serversessions::keep(std::exchange(m_sessionString, QString()), m_name);
        m_name = newName();
        return;
    }
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::database(m_name, false).close();
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

const Dialect& Connection::dialect() const
{
    return *m_dialect;
}

void Connection::begin()
{
    QSqlDatabase database = this->database();
    if (!database.isOpen())
        throw DbError(QStringLiteral("The connection is not open."));
    if (!database.transaction())
        throw dberrors::fromSqlError(database.lastError(), odbchandles::connectionState(database));
}

void Connection::commit()
{
    QSqlDatabase database = this->database();
    if (!database.commit())
        throw dberrors::fromSqlError(database.lastError(), odbchandles::connectionState(database));
}

void Connection::rollback()
{
    QSqlDatabase database = this->database();
    if (!database.isOpen() || database.rollback())
        return;
    // SQLite rolls a transaction back itself after some failures (a full
    // disk, an I/O error), while its ODBC driver still counts it open: the
    // driver then refuses to roll back or to disconnect. A transaction begun
    // by hand and rolled back through the driver puts the two in step again.
    if (m_dialect->engine() == QLatin1String("SQLite")) {
        QSqlQuery(database).exec(QStringLiteral("BEGIN"));
        database.rollback();
    }
}

Transaction::Transaction(Connection& connection) : m_connection(connection)
{
    m_connection.begin();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_connection.rollback();
}

void Transaction::commit()
{
    m_connection.commit();
    m_done = true;
}
