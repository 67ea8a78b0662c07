#pragma once

#include <QString>
#include <QStringList>

class Connection;

// SQLite keeps any value in any column, and a server any figure its type
// holds; the program reads each column as its kind (a whole number, a number
// within what can be typed, a day, a text), and the figures of a line and
// the numbers of documents never empty. These find the values it cannot
// read, which another program (a SQL tool, a hand-edited backup) or an older
// version of this one can have put there.
namespace valueaudit {

// One line for each column of this program's tables in the database
// `schemaName` (attached to the connection; on a server, its current
// schema) that holds such values: the table, the column, how many and the
// first of them. The program's own columns are read from the connection's
// main database. Empty when every value fits. Throws DbError.
//
// Figures beyond what can be typed (1,000,000,000) are unfit as Typed, as
// `billdb check` lists them; older versions of the program stored such
// figures, so a backup, a move to a server and a year's close, which read
// them as they stand, refuse only figures no line can be figured with
// (Readable: beyond 10^15, past which a line's figures can turn infinite).
enum class Figures { Typed, Readable };
QStringList unfitValues(Connection& connection, const QString& schemaName = QStringLiteral("main"),
                        Figures figures = Figures::Typed);

}  // namespace valueaudit
