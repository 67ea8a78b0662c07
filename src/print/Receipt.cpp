#include "print/Receipt.h"

#include "print/ReceiptTexts.h"
#include "print/RollReceipt.h"

namespace print {

namespace {

constexpr int Margin = 1;
constexpr int RegisterRuleLength = 105;

ReportLayout layout(ReceiptFooter footer)
{
    const int m = Margin;
    const PrintedLine heads{{m, QStringLiteral("Item")}, {m + 31, QStringLiteral("Qty")},
                            {m + 38, QStringLiteral("Amt")}, {m + 45, QStringLiteral("Dis")},
                            {m + 52, QStringLiteral("Total")}};
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
    const int m = Margin;
    Report report(job, layout(footer), step);
    report.letterhead(letterhead);
    for (const QString& text : documentLines(document))
        report.line(text);
    report.rule();
    report.columnHeads();
    for (const PrintedRow& line : document.lines)
        report.row(line, {m, m + 31, m + 38, m + 45, m + 52});
    report.grandTotal(document.grandTotal);
    report.footer();
}

}  // namespace print
