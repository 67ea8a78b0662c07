#pragma once

#include "data/RunDatabase.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

class Dialect;

// One ODBC connection to the data source. Opening an open connection closes it
// first, so a screen that reopens before each operation holds one connection.
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
    int state() const { return isOpen() ? 1 : 0; }

    // Makes several statements one unit; see Transaction for the usual form.
    void begin();
    void commit();
    void rollback();

    QSqlDatabase database() const;
    const Dialect& dialect() const;

private:
    static QString newName();

    QString m_name;  // of the QODBC connection in use
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

// "DSN=Bill;userID=Admin;Password=x" in the form QODBC takes:
// "Bill;UID=Admin;PWD=x" (QODBC adds "DSN=" itself). Strings naming a DRIVER pass unchanged.
QString odbcDatabaseName(const QString& connectionString);
