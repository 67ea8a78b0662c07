#pragma once

#include "data/Connection.h"
#include "data/ServerAddress.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A test process's own database behind the data source "Bill" of a temporary ODBC configuration (made
// before the first connection: unixODBC reads ODBCINI once): a SQLite file, or with BILL_TEST_ENGINE=postgresql
// a database dropped at the end, on the server BILL_TEST_SERVER_FILE names (its password from PGPASSFILE).
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    // True when the tests of this process run against the server.
    static bool onServer();

    // The SQLite file (SQLite only).
    const QString& path() const { return m_path; }
    const QString& iniPath() const { return m_iniPath; }
    // A connection string that reaches the database directly.
    const QString& connectionString() const { return m_connectionString; }
    // The server database's address (on the server only).
    const ServerAddress& server() const { return m_server; }

    // Empties every table and puts the first user back.
    void reset();

    // Runs a statement through the data layer; fails the test when it fails.
    void exec(const QString& statement) { rowsAt(m_connectionString, statement); }
    // The first field of the first row (invalid QVariant when there is no row).
    QVariant value(const QString& query);
    int count(const QString& table, const QString& where = {});
    // Every row of a query, each as its fields' texts joined with '|'.
    QStringList rows(const QString& query) { return rowsAt(m_connectionString, query); }
    // The same of a query on another database.
    static QStringList rowsAt(const QString& connectionString, const QString& query);

    // SQLite hands a new connection the file of one this process has open (read-write), so nothing
    // of this process may hold it while it is read-only.
    void letGo() { m_keeper.close(); }
    void holdAgain()
    {
        if (!onServer())
            m_keeper.open(m_connectionString);
    }

    // New connections fail until makeReachable(): the file is moved away (open connections stay
    // usable), or the server refuses connections to the database and ends those open.
    void makeUnreachable();
    void makeReachable();

    // A statement run on the server's maintenance database (server only).
    void execOnServer(const QString& statement);
    // ALTER DATABASE with the change given ("CONNECTION LIMIT 0"), and the sessions begun before,
    // the kept ones too, ended: the next connection begins with the change (server only).
    void alterOnServer(const QString& change);

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_iniPath;
    QString m_connectionString;
    ServerAddress m_server;
    // As a running program keeps one: the write-ahead log stays, and not every close writes it back.
    Connection m_keeper;
};
