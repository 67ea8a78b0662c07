#pragma once

#include <QString>

// Why a SQLite database cannot be written, named by the file that stops it.
// Besides the database file SQLite writes its log (-wal) and the log's index
// (-shm) beside it, and makes them in its folder: a -shm left read-only by a
// read-only spell keeps the database unwritable after the file is writable
// again, while the file itself looks writable.
namespace writablefiles {

struct Problem {
    // What this user may not write, as the end of a sentence ("the file
    // /x/Bill.db-shm is read-only for this user"); empty when nothing is.
    QString what;
    // A folder where the log's files cannot be made stops reading too.
    bool stillReadable = true;
};

Problem problem(const QString& databaseFile);

// Why a new file cannot be made at `file` (a backup, an archive): its
// folder is missing, or this user may not write in it (a read-only disk
// too), as a sentence without its end; empty when it can be made.
QString newFileProblem(const QString& file);

}  // namespace writablefiles
