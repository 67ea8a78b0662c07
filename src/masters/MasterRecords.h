#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

class Connection;

// Storing a master record under its number (SN), as several tills on one
// database do it at once: two that read the same next number store their
// records under two numbers.
namespace masters {

// The largest SN (as nextNumberQuery reads it) plus one, 1 for an empty
// table; none when 32767, the highest a 16-bit SN can be, is taken. Throws
// Failure when it cannot be read.
std::optional<qint16> nextRecordNumber(const QString& nextNumberQuery, Connection& connection);

// What the operator is told when no SN is left.
QString usedUpMessage();

// The insert of the record under the number: its values follow the SN.
QString recordInsert(const QString& table, qint16 sn, const QStringList& values);

// Stores the record under sn, or under the next free number when another
// till has taken sn, in the transaction open on the connection; returns the
// SN it went under. Throws DbError when the database refuses it (a
// duplicate phone or name), Failure when no SN is left.
qint16 storeRecord(const QString& table, const QString& nextNumberQuery, qint16 sn, const QStringList& values,
                   Connection& connection);

}  // namespace masters
