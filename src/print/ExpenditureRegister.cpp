#include "print/ExpenditureRegister.h"

#include "core/Maker.h"
#include "print/Report.h"

namespace print {

namespace {

constexpr int Margin = 1;

// The fields of a voucher row (BillNumber, Item, Amount, Date_) under the heads.
const QVector<int> Columns{Margin, Margin + 5, Margin + 38, Margin + 45};

const ReportLayout& layout()
{
    static const ReportLayout registerLayout{
        Margin,
        headsAt(Columns, {QStringLiteral("No"), QStringLiteral("Head"), QStringLiteral("Amt"), QStringLiteral("Date")}),
        {QStringList{QStringLiteral("Software Designed By :"), maker::Name} + footers::expenditureContact()}};
    return registerLayout;
}

}  // namespace

void expenditureRegister(PrintJob& job, const ShopHeader& letterhead, const QVector<PrintedRow>& vouchers,
                         double sumOfAmounts)
{
    Report report(job, layout());
    report.letterhead(letterhead);
    report.columnHeads();
    for (const PrintedRow& voucher : vouchers)
        report.row(voucher, Columns);
    report.grandTotal(sumOfAmounts);
    report.footer();
}

}  // namespace print
