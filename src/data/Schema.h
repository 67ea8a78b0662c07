#pragma once

#include "data/Tables.h"

#include <QString>
#include <functional>

class Connection;

// Making the tables of data/Tables.h in a database.
namespace schema {

// Creates the tables on the open connection to an empty server database,
// in one transaction; `fill`, when given, runs in it before the commit, so
// that a failure there leaves the database without tables. Throws DbError,
// and what `fill` throws.
void createServerTables(Connection& connection, const std::function<void()>& fill = {});
// True when the connection's database has the program's tables.
bool hasTables(Connection& connection);

// Creates a new SQLite database file with the tables, through the SQLite3
// ODBC driver. Throws Failure when the file exists or cannot be made.
void createSqliteDatabase(const QString& path);

// How a file opened by its name keeps its journal: switched to the
// write-ahead log, as the program keeps a shop's database, or as the file has
// it (a closed year's archive keeps its rollback journal, so that it still
// opens where it cannot be written).
enum class Journal { WriteAheadLog, AsTheFileHasIt };

// The connection string of an existing SQLite database file (never creates one).
QString sqliteConnectionString(const QString& path, Journal journal = Journal::WriteAheadLog);

}  // namespace schema
