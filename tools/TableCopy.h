#pragma once

#include <QString>
#include <QtGlobal>

class Connection;

// The rows of this program's tables carried from one database to another,
// whichever engine each is, and compared once there.
namespace tablecopy {

// Every row of every table of the program from one database into the same
// tables of the other, in its open transaction, a block of rows a statement.
// Throws DbError.
void copyEveryTable(Connection& from, Connection& to);

// What two engines' results are compared by: how many rows, and the sum of
// a hash of each row's values (the same whatever order an engine returns
// the rows in, and whichever engine holds them).
struct Fingerprint {
    qint64 lines = 0;
    quint64 sum = 0;
    bool operator==(const Fingerprint& other) const { return lines == other.lines && sum == other.sum; }
    bool operator!=(const Fingerprint& other) const { return !(*this == other); }
};
// The rows of one of the program's tables that meet the condition (an SQL
// condition on its columns), each value read as exactly as the table copy
// reads it: a SQLite file's 17-digit doubles alike with a server's.
Fingerprint fingerprintOf(Connection& connection, const QString& table, const QString& condition);

// The program's table whose rows differ between the two databases; empty
// when every table holds the same rows in both.
QString firstTableThatDiffers(Connection& first, Connection& second);

}  // namespace tablecopy
