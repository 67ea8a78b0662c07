#include "print/Receipt.h"

#include "print/ReceiptTexts.h"
#include "print/RollReceipt.h"

namespace print {

namespace {

constexpr int Margin = 1;
constexpr int RegisterRuleLength = 105;

// A line's fields (item, quantity, amount, discount, total) under the heads.
const QVector<int> Columns{Margin, Margin + 31, Margin + 38, Margin + 45, Margin + 52};

ReportLayout layout(ReceiptFooter footer)
{
    const int m = Margin;
    const PrintedLine heads = headsAt(Columns, {QStringLiteral("Item"), QStringLiteral("Qty"), QStringLiteral("Amt"),
                                                QStringLiteral("Dis"), QStringLiteral("Total")});
    if (footer == ReceiptFooter::Register)
        return {m, heads, {QStringList{footers::signedBy()} + footers::contact(), RegisterRuleLength, 4}};
    return {m, heads, {receiptFooterLines()}};
}

}  // namespace

void receipt(PrintJob& job, const ShopHeader& letterhead, const ReceiptValues& document,
             ReceiptFooter footer, const Report::Step& step)
{
    if (footer == ReceiptFooter::Receipt) {
        int roll = 0;
        const auto askForRoll = [&] { roll = job.rollColumns(); };
        step ? step(askForRoll) : askForRoll();
        if (roll > 0) {
            rollReceipt(job, letterhead, document, roll, step);
            return;
        }
    }
    Report report(job, layout(footer), step);
    report.letterhead(letterhead);
    for (const QString& text : documentLines(document))
        report.line(text);
    report.rule();
    report.columnHeads();
    for (const PrintedRow& line : document.lines)
        report.row(line, Columns);
    report.grandTotal(document.grandTotal);
    report.footer();
}

}  // namespace print
