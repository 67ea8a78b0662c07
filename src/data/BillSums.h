#pragma once

#include "data/Tables.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class Connection;
class DbError;

// Each bill's sums as Show Total gives them, kept by the database in the
// table BillSums beside the lines: triggers sum a bill again whenever one of
// its lines is stored, changed or deleted, by whatever program, in the same
// transaction. The sums are those of core/FigureColumns.h, added in the
// order of the bill's serials, so that they are the doubles a grouping of
// the lines gives, bit for bit; the date is that of the bill's first line,
// and the first and last days of its lines find the bills of a range.
namespace billsums {

// The table, its triggers, and the sums of the bills already stored; made
// only where missing (data/ChangeTracking.h runs them).
QStringList statements(schema::Engine engine);

// Runs a change of many lines at once (a restore, a year's close) in the
// connection's open transaction. SQLite's triggers would sum a bill again
// for each of its lines: there they are left out while the change runs, and
// every bill is summed again once after it, in the same transaction. A
// server's triggers sum each bill once a statement already.
void changeManyLines(Connection& connection, const std::function<void()>& change);

// Fills a database made afresh with another's lines, in the connection's
// open transaction: on either engine the triggers are left out while it
// runs, and every bill is summed once after it.
void fillNewDatabase(Connection& connection, const std::function<void()>& fill);

// The numbers of the bills whose kept sums are not those their lines make
// now, bit for bit (or that have only one of the two): sums left behind
// while the triggers were off or missing. Empty where no sums are kept.
// Throws DbError.
QVector<int> billsSummedWrongly(Connection& connection);

// Sums every bill again, and makes the table and its triggers where
// missing, in the connection's open transaction. The bill numbers listed
// from the sums are kept under the lines' version: a caller that changed
// no line gives the lines a new one (changes::markChanged). Throws DbError.
void sumEveryBillAgain(Connection& connection);

// Whether a read of BillSums that failed so leaves the lines to be read
// instead: the table is missing (an archive made by an earlier version) or
// this account may not read it. Not inside a transaction, which a failed
// statement ends on a server.
bool linesReadInstead(const DbError& error, const Connection& connection);

// The table holding each bill number the lines hold once, as its key, kept
// in step with them in every transaction: "BillSums" for the bills' lines,
// none for another table's.
QString numbersKeptFor(const QString& lineTable);

// The sums of the bills with a line dated from `from` to `to` (dates as
// literals of the statements), by number: BillNumber, Total, Amount_,
// Discount, Tax, BillDate.
QString billsWithLinesDated(const QString& from, const QString& to);

}  // namespace billsums
