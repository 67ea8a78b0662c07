#pragma once

#include "data/Tables.h"

#include <QString>

class Connection;

// Making the tables of data/Tables.h in a database.
namespace schema {

// Creates the tables on the open connection to an empty server database,
// in one transaction. Throws DbError.
void createServerTables(Connection& connection);
// True when the connection's database has the program's tables.
bool hasTables(Connection& connection);

// Creates a new SQLite database file with the tables, through the SQLite3
// ODBC driver. Throws Failure when the file exists or cannot be made.
void createSqliteDatabase(const QString& path);

// The connection string of an existing SQLite database file (never creates one).
QString sqliteConnectionString(const QString& path);

}  // namespace schema
