#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The tables of the database, in the column order the inserts rely on (they
// carry no column list), with the keys that guard the numbering: their
// statements as text (data/Schema.h makes them).
namespace schema {

// The engines the tables are made for: the same tables, columns, order,
// keys and checks; text that ignores case as each engine writes it.
enum class Engine { Sqlite, Postgres };

// The longest text a text column is declared to hold, in characters.
constexpr int TextWidth = 255;

// CREATE TABLE / CREATE INDEX statements and, last, the first user row.
QStringList statements(Engine engine = Engine::Sqlite);

// Every table's column names as it spells them, under the table's name in
// lower case.
QHash<QString, QStringList> columnNames();
// Their declared types in the same order, as the file declares them
// ("SMALLINT", "DOUBLE", "DATE", "VARCHAR(255)", "INTEGER").
QHash<QString, QStringList> columnTypes();

// The user row a new database carries, and the password it stands for.
inline const char* InitialUser = "Admin";
inline const char* InitialPassword = "ADMIN";

// The one-row table of the shop's letterhead.
inline const char* ShopHeaderTable = "ShopHeader";

}  // namespace schema
