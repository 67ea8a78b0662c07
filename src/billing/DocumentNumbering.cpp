#include "billing/DocumentNumbering.h"

#include "core/NumericText.h"
#include "data/RecordSet.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"

#include <algorithm>

namespace numbering {

namespace {

QString capitalised(const QString& word)
{
    return word.left(1).toUpper() + word.mid(1);
}

}  // namespace

NextNumber afterMaximum(const QString& statement, RecordSet& result, Connection& connection)
{
    NextNumber next;  // Unknown until the maximum is read
    stopAtFirstError([&] {
        result.open(statement, connection);
        const QVariant maximum = result.field(0);
        if (maximum.isNull()) {
            next = {State::Free, 1};
            return;
        }
        const qint16 highest = numeric::toInt16(maximum);
        if (highest >= HighestNumber)
            next = {State::UsedUp, 0};
        else
            next = {State::Free, qint16(std::max<int>(highest + 1, 1))};
    });
    return next;
}

QString usedUpMessage(const QString& documentName)
{
    return QStringLiteral("%1 numbers are used up: the highest %2 number is %3.")
        .arg(capitalised(documentName), documentName)
        .arg(HighestNumber);
}

QString fullDocumentMessage(const QString& documentName, qint16 number)
{
    return QStringLiteral("A %1 holds at most %2 lines: %1 %3 is full.")
        .arg(documentName)
        .arg(HighestNumber)
        .arg(number);
}

void tellUsedUp(const QString& documentName)
{
    Messages::instance().inform(usedUpMessage(documentName), QStringLiteral("Information"));
}

}  // namespace numbering
