#pragma once

#include <QString>
#include <QStringList>

class Connection;

// SQLite keeps any value in any column; the program reads each column as its
// kind (a whole number, a number within what can be typed, a day, a text),
// and the figures of a line and the numbers of documents never empty. These
// find the values it cannot read, which only another program (a SQL tool, a
// hand-edited backup) can have put there.
namespace valueaudit {

// One line for each column of this program's tables in the database
// `schemaName` (attached to the connection) that holds such values: the
// table, the column, how many and the first of them. The program's own
// columns are read from the connection's main database. Empty when every
// value fits. Throws DbError.
QStringList unfitValues(Connection& connection, const QString& schemaName = QStringLiteral("main"));

}  // namespace valueaudit
