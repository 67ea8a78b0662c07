#include "print/TotalsReport.h"

#include "core/Maker.h"

namespace print {

void totalsReport(PrintJob& job, const ShopHeader& letterhead, const QVector<BillTotals>& bills,
                  const Report::Step& step)
{
    const int m = 1;
    const QVector<int> columns{m, m + 15, m + 20, m + 30, m + 40, m + 50};
    Report report(job,
                  {m,
                   headsAt(columns, {QStringLiteral("Date"), QStringLiteral("N"), QStringLiteral("Amt"),
                                     QStringLiteral("Dis"), QStringLiteral("Tax"), QStringLiteral("Total")}),
                   {QStringList{QStringLiteral("Designed By : ") + maker::Name} + footers::contact()}},
                  step);
    report.letterhead(letterhead);
    report.columnHeads();

    TotalsSums sums;
    for (const BillTotals& bill : bills) {
        report.row({bill.date, double(bill.billNumber), bill.amount, bill.discount, bill.tax, bill.total}, columns);
        sums.add(bill);
    }

    report.rule();
    report.row({QStringLiteral("Amount   : "), sums.amount}, {m, m + 20});
    report.row({QStringLiteral("Discount : "), sums.discount}, {m, m + 20});
    report.row({QStringLiteral("Tax      : "), sums.tax}, {m, m + 20});
    report.row({QStringLiteral("Total    : "), sums.total}, {m, m + 20});
    report.footer();
}

}  // namespace print
