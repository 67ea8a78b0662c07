#include "core/DocumentNumbers.h"

#include "core/NumericText.h"

#include <algorithm>

namespace numbering {

namespace {

QString capitalised(const QString& word)
{
    return word.left(1).toUpper() + word.mid(1);
}

}  // namespace

NextNumber afterMaximum(const QVariant& maximum)
{
    if (maximum.isNull())
        return {State::Free, 1};
    const qint16 highest = numeric::toInt16(maximum);
    if (highest >= HighestNumber)
        return {State::UsedUp, 0};
    return {State::Free, qint16(std::max<int>(highest + 1, 1))};
}

QString usedUpMessage(const QString& name)
{
    return QStringLiteral("%1 numbers are used up: the highest %2 number is %3.")
        .arg(capitalised(name), name)
        .arg(HighestNumber);
}

QString runningOutMessage(const QString& documentName, const NextNumber& next)
{
    if (next.state != State::Free || next.number - 1 <= WarningNumber)
        return {};
    return QStringLiteral("%1 numbers are running out: the highest %2 number is %3 of %4.")
        .arg(capitalised(documentName), documentName)
        .arg(next.number - 1)
        .arg(HighestNumber);
}

QString goneMessage(const QString& documentName, qint16 number, const QString& newCaption)
{
    return QStringLiteral("%1 %2 is no longer stored: another till or screen deleted it, or closed its year into an archive. "
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

}  // namespace numbering
