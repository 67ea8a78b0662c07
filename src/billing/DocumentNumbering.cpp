#include "billing/DocumentNumbering.h"

#include "data/AdminTool.h"
#include "data/RecordSet.h"
#include "kit/FailureStyles.h"
#include "kit/Messages.h"
#include "kit/NumericText.h"

#include <algorithm>

namespace numbering {

namespace {

QString capitalised(const QString& word)
{
    return word.left(1).toUpper() + word.mid(1);
}

// How a shop numbers its documents afresh.
QString closeYearAdvice(const QString& documentName)
{
    return QStringLiteral("Close the finished year into an archive, and %1s number from 1 again: %2")
        .arg(documentName, admintool::command(QStringLiteral("close-year --before YYYY-MM-DD --archive FILE")));
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

QString usedUpMessage(const QString& name)
{
    return QStringLiteral("%1 numbers are used up: the highest %2 number is %3.")
        .arg(capitalised(name), name)
        .arg(HighestNumber);
}

QString documentsUsedUpMessage(const QString& documentName)
{
    return usedUpMessage(documentName) + QStringLiteral("\n\n") + closeYearAdvice(documentName);
}

QString runningOutMessage(const QString& documentName, qint16 highest)
{
    return QStringLiteral("%1 numbers are running out: the highest %2 number is %3 of %4.\n\n%5")
        .arg(capitalised(documentName), documentName)
        .arg(highest)
        .arg(HighestNumber)
        .arg(closeYearAdvice(documentName));
}

QString goneMessage(const QString& documentName, qint16 number, const QString& newCaption)
{
    return QStringLiteral("%1 %2 is no longer stored: another till deleted it, or closed its year into an archive. "
                          "Nothing was added; press \"%3\" for a new %4.")
        .arg(capitalised(documentName))
        .arg(number)
        .arg(newCaption, documentName);
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
    Messages::instance().inform(documentsUsedUpMessage(documentName), QStringLiteral("Information"));
}

void warnWhenRunningOut(const QString& documentName, const NextNumber& next)
{
    if (next.state == State::Free && next.number - 1 > WarningNumber)
        Messages::instance().inform(runningOutMessage(documentName, qint16(next.number - 1)),
                                    QStringLiteral("Information"));
}

}  // namespace numbering
