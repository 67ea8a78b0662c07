#include "print/Receipt.h"

#include "core/Dates.h"
#include "core/Maker.h"

namespace print {

namespace {

constexpr int Margin = 1;
constexpr int RegisterRuleLength = 105;

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

ReportLayout layout(ReceiptFooter footer)
{
    const int m = Margin;
    const PrintedLine heads{{m, QStringLiteral("Item")}, {m + 31, QStringLiteral("Qty")},
                            {m + 38, QStringLiteral("Amt")}, {m + 45, QStringLiteral("Dis")},
                            {m + 52, QStringLiteral("Total")}};
    if (footer == ReceiptFooter::Register)
        return {m, heads, {QStringList{footers::signedBy()} + footers::contact(), RegisterRuleLength, 4}};
    return {m, heads, {QStringList{QStringLiteral("Software Designed By :"), maker::Name} + footers::contact()}};
}

}  // namespace

void receipt(PrintJob& job, const ShopHeader& letterhead, const ReceiptValues& document,
             ReceiptFooter footer, const Report::Step& step)
{
    const int m = Margin;
    Report report(job, layout(footer), step);
    report.letterhead(letterhead);
    report.line(QStringLiteral("Bill No : ") + QString::number(document.number));
    report.line(QStringLiteral("Bill Date : ") + dateOrMissing(document.date));
    report.line(QStringLiteral("Name : ") + orMissing(document.partyName));
    report.line(QStringLiteral("Address : ") + orMissing(document.partyAddress));
    report.line(QStringLiteral("Phone : ") + orMissing(document.partyPhone));
    report.rule();
    report.columnHeads();
    for (const PrintedRow& line : document.lines)
        report.row(line, {m, m + 31, m + 38, m + 45, m + 52});
    report.grandTotal(document.grandTotal);
    report.footer();
}

}  // namespace print
