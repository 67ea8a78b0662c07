#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

// Numbers of documents (bills, receipts, vouchers) and of their lines: the
// stored maximum plus one, 1 for an empty table, at most 32767 (16 bits).
namespace numbering {

constexpr qint16 HighestNumber = 32767;
// New warns once the highest stored document number has passed this.
constexpr qint16 WarningNumber = 32000;

enum class State {
    Free,     // number holds the next free one
    UsedUp,   // every number up to HighestNumber is taken
    Unknown,  // the stored maximum could not be read: no number is safe
};

struct NextNumber {
    State state = State::Unknown;
    qint16 number = 0;
};

// The number after the stored maximum (a Null for an empty table). When the
// maximum is already the highest number there is none to hand out.
NextNumber afterMaximum(const QVariant& maximum);

// "Bill numbers are used up: the highest bill number is 32767." for the
// name "bill"; "stock row" likewise.
QString usedUpMessage(const QString& name);
// "Bill numbers are running out: the highest bill number is 32001 of
// 32767." when the number after the highest stored one (next, when free) is
// past WarningNumber plus one; empty otherwise.
QString runningOutMessage(const QString& documentName, const NextNumber& next);
// "Bill 500 is no longer stored: ..." for a document a screen showed the
// lines of, which has none now; newCaption names the button that starts a
// new one.
QString goneMessage(const QString& documentName, qint16 number, const QString& newCaption);
// "A bill holds at most 32767 lines: bill 4 is full."
QString fullDocumentMessage(const QString& documentName, qint16 number);

}  // namespace numbering
