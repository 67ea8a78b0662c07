#pragma once

#include <QString>

// Why a SQLite database cannot be written, named by the file that stops it.
// Besides the database file SQLite writes its log (-wal) and the log's index
// (-shm) beside it, and makes them in its folder: a -shm left read-only by a
// read-only spell keeps the database unwritable after the file is writable
// again, while the file itself looks writable.
namespace writablefiles {

// What this user may not write, as the end of a sentence ("the file
// /x/Bill.db-shm is read-only for this user"); empty when nothing is.
QString problem(const QString& databaseFile);

}  // namespace writablefiles
