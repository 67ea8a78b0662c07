#pragma once

#include "data/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A database of its own for a test process, reached through the data source
// "Bill" of a temporary ODBC configuration. Construct it before the first
// connection of the process: unixODBC reads ODBCINI once.
class TestDatabase {
public:
    TestDatabase();

    const QString& path() const { return m_path; }
    const QString& iniPath() const { return m_iniPath; }

    // Empties every table and puts the first user back.
    void reset();

    // Runs a statement through the data layer; fails the test when it fails.
    void exec(const QString& statement);
    // The first field of the first row (invalid QVariant when there is no row).
    QVariant value(const QString& query);
    int count(const QString& table, const QString& where = {});
    // Every row of a query, each as its fields' texts joined with '|'.
    QStringList rows(const QString& query);

    // Closes the connection it keeps, and opens it again. SQLite hands a new
    // connection the file of one this process has open (read-write), so
    // nothing of this process may hold it while it is read-only.
    void letGo();
    void holdAgain();

    // Moves the database file away from the data source, and back.
    void makeUnreachable();
    void makeReachable();

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_iniPath;
    // Open for the life of the test, as a running program keeps one: the
    // write-ahead log then stays, and not every close writes it back.
    Connection m_keeper;
};
