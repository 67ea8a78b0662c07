#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <optional>

class Connection;

// New numbers (documents, lines, stock rows, master records) are "the
// largest stored plus one", read by every till on its own. Two tills may
// read the same number; the row that takes a number is therefore stored
// only while no row of the table holds it, decided by the engine in the
// statement that stores it, and under the table's numbering lock (the
// dialect's), so that no other till's row can slip in between. A till that
// finds its number taken reads the next one and stores its row there, in
// the same transaction.
namespace claim {

// How a row's number is found in its table: "BillNumber = 5",
// "BillNumber = 5 and Serial = 2", "SN = 7".
using Condition = QString;

// "insert into <table> select <values> where not exists (select 1 from
// <table> where <condition>)": the row, unless a row meets the condition.
QString insertUnlessTaken(const QString& table, const QStringList& values, const Condition& taken);

// Takes the table's numbering lock for the rest of the open transaction
// (the dialect's; nothing where the transaction's first write does it).
void lockNumbers(const QString& table, Connection& connection);

// What storeUnderFreeNumber needs for one number: the insert (made with
// insertUnlessTaken, or one with a stricter condition) that stores the row
// under it, or nothing when the number is not free.
using InsertAt = std::function<QString(qint16 number)>;
// The next number to try after one was found not free: read again, in the
// transaction, where it sees the row that took it. None when there is none.
using NextNumber = std::function<std::optional<qint16>()>;

// Stores the row under `number`, or under the next free one when that is
// not free, in the transaction open on the connection, which holds the
// table's numbering lock (lockNumbers). Returns the number it went under.
// Throws Failure when no number is left.
qint16 storeUnderFreeNumber(const QString& table, qint16 number, const InsertAt& insertAt,
                            const NextNumber& nextNumber, Connection& connection);

}  // namespace claim
