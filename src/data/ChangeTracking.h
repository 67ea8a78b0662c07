#pragma once

#include "data/Tables.h"

#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// The database counts the changes of each of its tables: every committed
// insert, update or delete gives the table a new version, whoever made it
// (this program, another till, another program), through triggers kept in
// the database. A list read at a version is still the table's content while
// the version stays: it need not be read again.
//
// A version is a random number drawn at each change, never a count, so that
// two databases show the same version of a table only when one is a copy of
// the other with the table as it was then: a database made afresh, or one
// put back from a backup, never repeats a version a list was read at.
//
// On a server each writing statement first bumps the row "*" of BillChanges
// and then its table's row: a transaction takes the "*" row before any other
// row it writes, so that two tills writing tables in different orders wait
// for each other in turn instead of locking each other out.
namespace changes {

// The table of versions and the triggers, made only where missing, and the
// bills' sums (data/BillSums.h), which are kept the same way.
QStringList statements(schema::Engine engine);

// Makes the database count its changes when it does not yet (a database of
// an earlier version of the program), in one transaction. False when it
// cannot (a file opened read only, a server user without the right to make
// tables): lists are then read every time.
bool track(Connection& connection);

// Takes the writing turn for the open transaction, as its first writing
// statement would (on a server the row "*", on SQLite the write lock): no
// other till changes a table until the transaction ends. A transaction that
// locks whole tables does this first, so that it never holds a table a till
// waits for while that till holds the turn. False (and nothing done) where
// no changes are counted.
bool takeWritingTurn(Connection& connection);

// Gives the table a new version in the open transaction, as a change of its
// rows would: for what lists read from a table kept beside it (the bills'
// sums) when that table is made again. Nothing where no changes are
// counted. Throws DbError.
void markChanged(Connection& connection, const QString& table);

// The table's version as this transaction sees it: after takeWritingTurn()
// no other till can change it until the transaction ends. None where no
// changes are counted.
std::optional<qint64> versionWhileWriting(Connection& connection, const QString& table);

// The table's version as the database now holds it (the name in any case);
// none when the database counts no changes, or inside a transaction, where
// a list read may see changes not yet committed. Throws DbError when the
// database cannot be read.
std::optional<qint64> version(Connection& connection, const QString& table);

}  // namespace changes
