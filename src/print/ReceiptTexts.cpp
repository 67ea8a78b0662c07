#include "print/ReceiptTexts.h"

#include "core/Dates.h"
#include "core/Maker.h"
#include "print/Report.h"

namespace print {

namespace {

// Stands in for a party text (or date) the document does not have.
const QString Missing = QStringLiteral("-----------------");

QString orMissing(const QVariant& value)
{
    const QString text = value.toString();
    return text.isEmpty() ? Missing : text;
}

QString dateOrMissing(const QVariant& value)
{
    const QDate date = dates::fromStored(value);
    return date.isValid() ? dates::shown(date) : Missing;
}

}  // namespace

QStringList documentLines(const ReceiptValues& document)
{
    return {QStringLiteral("Bill No : ") + QString::number(document.number),
            QStringLiteral("Bill Date : ") + dateOrMissing(document.date),
            QStringLiteral("Name : ") + orMissing(document.partyName),
            QStringLiteral("Address : ") + orMissing(document.partyAddress),
            QStringLiteral("Phone : ") + orMissing(document.partyPhone)};
}

QStringList receiptFooterLines()
{
    return QStringList{QStringLiteral("Software Designed By :"), maker::Name} + footers::contact();
}

}  // namespace print
