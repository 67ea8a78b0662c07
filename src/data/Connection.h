#pragma once

#include "data/DbError.h"
#include "data/RunDatabase.h"
#include "data/Tables.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>

class Dialect;

// One ODBC connection to the data source. Opening an open connection closes it
// first, so a screen that reopens before each operation holds one connection;
// a connection kept open (keepOpen) is reused instead while it still reaches
// the same database.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Throws DbError with the driver's description when the open fails;
    // the connection is then closed. Without a connection string, the
    // run's database (data/RunDatabase.h).
    void open(const QString& connectionString = rundatabase::connectionString());
    void close();
    bool isOpen() const;

    // A connection kept open stays open when an operation releases it, for
    // its owner's life (a screen's); any other is closed.
    void keepOpen() { m_keptOpen = true; }
    void release();

    // Called after each statement that went through: the session answers.
    void markAnswered() { m_reused = false; }
    // A statement on a reused session found the session gone before it
    // answered anything: connects afresh (beginning the transaction again
    // when one was begun) and returns true, so that the statement can be
    // sent again. False when the session answered already or cannot be
    // replaced; the connection is then marked ended.
    bool replaceEndedSession();
    // The failure, after marking the connection ended when it is the
    // database's state rather than the statement's (but for a busy one).
    DbError failed(DbError error);
    int state() const { return isOpen() ? 1 : 0; }

    // Makes several statements one unit; see Transaction for the usual form.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // Whether this session's database counts its tables' changes
    // (data/ChangeTracking.h): unknown until asked, forgotten on a new session.
    std::optional<bool> countsChanges() const { return m_countsChanges; }
    void setCountsChanges(bool counts) { m_countsChanges = counts; }

    QSqlDatabase database() const;
    const Dialect& dialect() const;
    // The engine the schema's statements are written for: the server's for
    // PostgreSQL, SQLite's for any other.
    schema::Engine engine() const;

private:
    static QString newName();
    bool stillReachesItsDatabase() const;
    void noteDatabaseFile();

    QString m_name;  // of the QODBC connection in use
    QString m_openedWith;  // the connection string of the open connection
    bool m_keptOpen = false;
    bool m_ended = false;
    bool m_reused = false;        // opened by reuse, and no statement has answered since
    bool m_inTransaction = false;
    std::optional<bool> m_countsChanges;
    // A SQLite file's identity as it was opened: a file moved away or put in
    // its place (a restore) is not the open connection's any more.
    QString m_file;
    quint64 m_fileDevice = 0, m_fileInode = 0;
    // The connection string of a server session, kept open when closed
    // (data/ServerSessions.h); empty for a SQLite file.
    QString m_sessionString;
    std::unique_ptr<Dialect> m_dialect;
};

// Rolls back unless commit() was called: an operation's statements all land or none.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

// Qt's ODBC driver sends a connection string holding ".dsn" (in any case)
// as the name of a file data source, which no driver then opens: such a
// text cannot stand in one as it is.
bool takenForFileDataSource(const QString& text);

// "DSN=Bill;userID=Admin;Password=x" in the form QODBC takes:
// "Bill;UID=Admin;PWD=x" (QODBC adds "DSN=" itself). Strings naming a DRIVER pass unchanged.
QString odbcDatabaseName(const QString& connectionString);
