#include "data/Connection.h"

#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/DriverText.h"
#include "data/Dialect.h"
#include "data/ErrorKinds.h"
#include "data/OdbcHandles.h"
#include "data/OpenFiles.h"
#include "data/ServerSessions.h"
#include "data/TransactionBoundaries.h"
#include "data/WritableFiles.h"

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

// What the ODBC driver tells of itself or of its database (SQLGetInfo).
QString information(const QSqlDatabase& database, SQLUSMALLINT kind)
{
    auto connection = static_cast<SQLHDBC>(odbchandles::connection(database));
    if (!connection)
        return {};
    SQLCHAR name[128] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, kind, name, sizeof name, &length)))
        return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(name));
}

// The engine behind the data source, as its ODBC driver names it.
QString engineName(const QSqlDatabase& database)
{
    return information(database, SQL_DBMS_NAME);
}

// The server's texts are read as wide characters (data/QueryRows.cpp), which
// psqlODBC's ANSI build does not hand out: its rows would not be read at all.
std::optional<DbError> unsuitableDriver(const QSqlDatabase& database)
{
    const QString driver = information(database, SQL_DRIVER_NAME);
    if (!driver.startsWith(QLatin1String("psqlodbca"), Qt::CaseInsensitive))
        return std::nullopt;
    return DbError(QStringLiteral("The data source names the driver \"PostgreSQL ANSI\" (%1), which this program "
                                  "cannot read the server's texts through.")
                       .arg(driver));
}

}  // namespace

bool takenForFileDataSource(const QString& text)
{
    return text.contains(QLatin1String(".dsn"), Qt::CaseInsensitive);
}

QString odbcDatabaseName(const QString& connectionString)
{
    if (connectionString.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive))
        return connectionString;
    QString dataSource;
    QStringList others;
    for (const QString& part : datasource::connectionParts(connectionString)) {
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
    if (m_keptOpen && isOpen() && !m_ended && connectionString == m_openedWith && stillReachesItsDatabase()) {
        m_reused = true;
        return;
    }
    close();
    m_ended = false;
    m_reused = false;
    m_countsChanges.reset();
    drivertext::useDriversLocale();
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
            m_openedWith = connectionString;
            m_dialect = Dialect::forEngine(engineName(database()));
            return;
        }
    }
    if (const QString file = server ? QString() : datasource::sqliteFile(odbcName); openfiles::replacedWhileHeld(file))
        throw DbError(QStringLiteral("The database file %1 was replaced by another file while the program was "
                                     "running. Nothing was changed. Close the program and start it again.")
                          .arg(file),
                      DbError::Kind::Unreachable);
    if (takenForFileDataSource(odbcName))
        throw DbError(QStringLiteral("The database cannot be opened: the text that names it holds \".dsn\", which the "
                                     "program's ODBC layer takes for a file data source's name."));
    QSqlDatabase database = QSqlDatabase::contains(m_name)
        ? QSqlDatabase::database(m_name, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    database.setDatabaseName(odbcName);
    if (!database.open()) {
        const QString description = describe(database.lastError());
        database.close();
        if (const std::optional<DbError> full = dberrors::noConnectionFree(description))
            throw *full;
        throw DbError(description);
    }
    if (server) {
        if (const std::optional<DbError> unsuitable = unsuitableDriver(database)) {
            database.close();
            throw *unsuitable;
        }
        // The session is set as the program needs it, whatever the data
        // source's own settings (ConnSettings) or the server's say:
        // - every text is quoted by doubling its quotes alone (sql::text),
        //   which keeps a backslash a backslash only while the server conforms
        //   to the standard: otherwise a typed \' would end the text and run
        //   what follows as SQL;
        // - the driver reads dates in the ISO style only: another style is
        //   read as no date, and stored back as one of 1752;
        // - a lock is waited for as long as SQLite's busy wait, so that a till
        //   holding one is told as "busy" rather than waited for;
        // - each statement sees what was committed before it (the server's
        //   own default): tills take the writing turn one after another, where
        //   a stricter level set for the database or role refused the second
        //   as a conflict, told as "busy", however long it tried.
        QSqlQuery conforming(database);
        if (!conforming.exec(QStringLiteral("SET standard_conforming_strings TO on; SET DateStyle TO ISO; "
                                            "SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL READ COMMITTED; ")
                             + QLatin1String(datasource::ServerSessionSettings))) {
            const QString description = describe(conforming.lastError());
            conforming = QSqlQuery();
            database.close();
            throw DbError(description);
        }
        m_sessionString = odbcName;
    }
    m_openedWith = connectionString;
    m_dialect = Dialect::forEngine(engineName(database));
    noteDatabaseFile();
}

void Connection::close()
{
    m_openedWith.clear();
    if (!m_file.isEmpty()) {
        // SQLite writes a file's log back when its last connection closes,
        // but not into a file no longer at its path (moved away, or another
        // put there): the log would stay at the path and be read as the next
        // file's own. Written back now, into the file it belongs to.
        if (!stillReachesItsDatabase())
            QSqlQuery(database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        openfiles::closed(m_file, {m_fileDevice, m_fileInode});
    }
    m_file.clear();
    m_inTransaction = false;
    m_reused = false;
    if (!m_sessionString.isEmpty()) {
        serversessions::keep(std::exchange(m_sessionString, QString()), m_name);
        m_name = newName();
        return;
    }
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::database(m_name, false).close();
}

void Connection::release()
{
    if (!m_keptOpen && isOpen())
        close();
}

// A session the server ended is found by the statement that fails on it; a
// SQLite file by its identity: the path must still name the file opened.
bool Connection::stillReachesItsDatabase() const
{
    if (m_file.isEmpty())
        return true;
    openfiles::Identity now;
    return openfiles::identityAt(m_file, now) && now == openfiles::Identity{m_fileDevice, m_fileInode};
}

void Connection::noteDatabaseFile()
{
    m_file.clear();
    if (m_dialect->engine() != QLatin1String("SQLite"))
        return;
    QSqlQuery files(database());
    if (!files.exec(QStringLiteral("PRAGMA database_list")))
        return;
    while (files.next())
        if (files.value(1).toString() == QLatin1String("main"))
            m_file = files.value(2).toString();
    openfiles::Identity opened;
    if (m_file.isEmpty() || !openfiles::identityAt(m_file, opened)) {
        m_file.clear();  // an in-memory database
        return;
    }
    m_fileDevice = opened.device;
    m_fileInode = opened.inode;
    openfiles::opened(m_file, opened);
}

bool Connection::replaceEndedSession()
{
    if (!m_reused) {
        m_ended = true;
        return false;
    }
    const QString connectionString = m_openedWith;
    const bool inTransaction = m_inTransaction;
    // The session is gone: nothing of it is worth keeping.
    if (!m_sessionString.isEmpty()) {
        QSqlDatabase::database(m_name, false).close();
        m_sessionString.clear();
    }
    close();
    try {
        open(connectionString);
        if (inTransaction)
            begin();
    } catch (const DbError&) {
        close();
        m_ended = true;
        return false;
    }
    return true;
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

schema::Engine Connection::engine() const
{
    return m_dialect->engine() == QLatin1String("PostgreSQL") ? schema::Engine::Postgres : schema::Engine::Sqlite;
}

void Connection::begin()
{
    QSqlDatabase database = this->database();
    if (!database.isOpen())
        throw DbError(QStringLiteral("The connection is not open."));
    if (!database.transaction())
        throw failed(dberrors::fromSqlError(database.lastError(), odbchandles::connectionState(database)));
    m_inTransaction = true;
    statement::tellBoundary(statement::Boundary::Begin);
}

void Connection::commit()
{
    QSqlDatabase database = this->database();
    m_inTransaction = false;
    statement::tellBoundary(statement::Boundary::Commit);
    if (database.commit())
        return;
    const DbError error = failed(dberrors::fromSqlError(database.lastError(), odbchandles::connectionState(database)));
    // SQLite takes a commit whole or not at all before it returns; a server
    // may have taken it before the link was lost.
    if (engine() == schema::Engine::Postgres && error.kind() == DbError::Kind::Unreachable)
        throw CommitOutcomeUnknown(QStringLiteral("The connection to the database server was lost as the change was "
                                                  "being stored: the server may have stored it or not. Look at what "
                                                  "is stored now before doing it again.\n\n")
                                       + error.detail(),
                                   error.kind(), error.detail());
    throw error;
}

DbError Connection::failed(DbError error)
{
    // Busy passes; after the others a connection of its own (one opened
    // read-only, on a full disk, on a damaged file) is not trusted again.
    if (DbError::isUnavailable(error.kind()) && error.kind() != DbError::Kind::Busy)
        m_ended = true;
    if (error.kind() == DbError::Kind::ReadOnly && !m_file.isEmpty()) {
        const writablefiles::Problem problem = writablefiles::problem(m_file);
        if (!problem.what.isEmpty())
            return DbError(QStringLiteral("The database cannot be written: %1. Nothing was changed%2.\n\n%3")
                               .arg(problem.what,
                                    problem.stillReadable
                                        ? QStringLiteral("; what is stored can still be looked at and printed")
                                        : QStringLiteral(", and nothing can be read either"),
                                    error.detail()),
                           error.kind(), error.detail());
    }
    return error;
}

void Connection::rollback()
{
    QSqlDatabase database = this->database();
    m_inTransaction = false;
    statement::tellBoundary(statement::Boundary::Rollback);
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
