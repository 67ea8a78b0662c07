#include "print/QueryReport.h"

namespace print {

void queryReport(PrintJob& job, const ShopHeader& letterhead, const QVector<PrintedRow>& rows,
                 const QVariant& total, const Footer& footer)
{
    Report report(job, {1, {}, footer});
    report.letterhead(letterhead);
    for (const PrintedRow& row : rows)
        report.row(row, {1, 6, 39, 46});
    report.grandTotal(total);
    report.footer();
}

}  // namespace print
