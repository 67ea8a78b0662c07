#pragma once

#include "ProgramFile.h"

#include <QStringList>

class Connection;

// A shop's SQLite database copied whole into a server's database, when the
// shop moves from one till to several.
namespace shopfilecopy {

// Opens the shop's database file for the copy, once it is checked to be a
// database of this program, and takes it for this connection alone until the
// connection closes: no program reads or writes it meanwhile, so that no
// bill made at the till is left behind in the file. Returns its tables.
// Throws Failure, having changed nothing, when it is no such database or a
// program has it open.
programfile::Tables openAlone(Connection& shop, const QString& file);

// Creates the tables in the server's empty database and fills them with the
// file's rows, its users and letterhead in place of the first user, in one
// transaction; each table must then hold what the file holds, row for row
// and value for value. Returns "TABLE ROWS" for each table. Throws Failure,
// leaving the server's database without tables.
QStringList createAndCopy(Connection& shop, const programfile::Tables& tables, Connection& server);

}  // namespace shopfilecopy
