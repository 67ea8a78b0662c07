#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

// Numbers of documents (bills, receipts, vouchers) and of their lines: the
// stored maximum plus one, 1 for an empty table, at most 32767 (16 bits).
namespace numbering {

constexpr qint16 HighestNumber = 32767;

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
// document name "bill"; "receipt", "voucher" likewise.
QString usedUpMessage(const QString& documentName);
// "A bill holds at most 32767 lines: bill 4 is full."
QString fullDocumentMessage(const QString& documentName, qint16 number);

}  // namespace numbering
