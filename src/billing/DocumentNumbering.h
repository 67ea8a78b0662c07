#pragma once

#include <QString>
#include <QtGlobal>

class Connection;
class RecordSet;

// Numbers of documents (bills, receipts, vouchers) and of their lines: the
// stored maximum plus one, 1 for an empty table, at most 32767 (16 bits).
namespace numbering {

constexpr qint16 HighestNumber = 32767;
// New warns once the highest stored document number has passed this.
constexpr qint16 WarningNumber = 32000;

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
// name "bill"; "stock row" likewise.
QString usedUpMessage(const QString& name);
// The same for the numbers of a document ("bill", "receipt", "voucher"),
// with the command that closes the year, after which they begin at 1 again.
QString documentsUsedUpMessage(const QString& documentName);
// "Bill numbers are running out: the highest bill number is 32001 of
// 32767.", with the same command.
QString runningOutMessage(const QString& documentName, qint16 highest);
// "Bill 500 is no longer stored: ..." for a document a screen showed the
// lines of, which has none now; newCaption names the button that starts a
// new one.
QString goneMessage(const QString& documentName, qint16 number, const QString& newCaption);
// "A bill holds at most 32767 lines: bill 4 is full."
QString fullDocumentMessage(const QString& documentName, qint16 number);

// Shows documentsUsedUpMessage in an information box.
void tellUsedUp(const QString& documentName);
// Shows runningOutMessage when the number after the highest stored one
// (next, when free) is past WarningNumber plus one.
void warnWhenRunningOut(const QString& documentName, const NextNumber& next);

}  // namespace numbering
