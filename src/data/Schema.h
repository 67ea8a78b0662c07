#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The tables of the database, in the column order the inserts rely on (they
// carry no column list), with the keys that guard the numbering.
class Connection;

namespace schema {

// The engines the tables are made for: the same tables, columns, order,
// keys and checks; text that ignores case as each engine writes it.
enum class Engine { Sqlite, Postgres };

// CREATE TABLE / CREATE INDEX statements and, last, the first user row.
QStringList statements(Engine engine = Engine::Sqlite);

// Every table's column names as it spells them, under the table's name in
// lower case.
QHash<QString, QStringList> columnNames();

// Creates the tables on the open connection to an empty server database,
// in one transaction. Throws DbError.
void createServerTables(Connection& connection);
// True when the connection's database has the program's tables.
bool hasTables(Connection& connection);

// Creates a new SQLite database file with the tables above, through the
// SQLite3 ODBC driver. Throws Failure when the file exists or cannot be made.
void createSqliteDatabase(const QString& path);

// The connection string of an existing SQLite database file (never creates one).
QString sqliteConnectionString(const QString& path);

// The user row a new database carries, and the password it stands for.
inline const char* InitialUser = "Admin";
inline const char* InitialPassword = "ADMIN";

// The one-row table of the shop's letterhead.
inline const char* ShopHeaderTable = "ShopHeader";

}  // namespace schema
