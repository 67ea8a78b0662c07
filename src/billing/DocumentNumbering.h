#pragma once

#include <QString>
#include <QtGlobal>

class Connection;
class RecordSet;

// Numbers of documents (bills, receipts, vouchers) and of their lines: the
// stored maximum plus one, 1 for an empty table, at most 32767 (16 bits).
namespace numbering {

constexpr qint16 HighestNumber = 32767;

enum class State {
    Free,     // number holds the next free one
    UsedUp,   // every number up to HighestNumber is taken
    Unknown,  // the stored maximum could not be read
};

struct NextNumber {
    State state = State::Unknown;
    qint16 number = 0;
};

// The statement's first field is the stored maximum. When it is already the
// highest number, or cannot be read, there is no number to hand out: handing
// out 1 then could give a number that is in use. Sends the statement on the
// open connection as it stands (also inside a transaction).
NextNumber afterMaximum(const QString& statement, RecordSet& result, Connection& connection);

// "Bill numbers are used up: the highest bill number is 32767." for the
// document name "bill"; "receipt", "voucher" likewise.
QString usedUpMessage(const QString& documentName);
// "A bill holds at most 32767 lines: bill 4 is full."
QString fullDocumentMessage(const QString& documentName, qint16 number);

// Shows usedUpMessage in an information box.
void tellUsedUp(const QString& documentName);

}  // namespace numbering
