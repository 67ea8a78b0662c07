#include "expenditure/ExpenditureRegister.h"

#include "core/Maker.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/PrintJob.h"
#include "print/Report.h"
#include "shell/CheckM.h"

namespace expenditure {

namespace {

// The register's layout, as data: what stands where.
constexpr int Margin = 1;

const print::ReportLayout& layout()
{
    static const print::ReportLayout registerLayout{
        Margin,
        {{Margin, QStringLiteral("No")}, {Margin + 5, QStringLiteral("Head")}, {Margin + 38, QStringLiteral("Amt")},
         {Margin + 45, QStringLiteral("Date")}},
        {QStringList{QStringLiteral("Software Designed By :"), maker::Name} + print::footers::expenditureContact()}};
    return registerLayout;
}

// The fields of a voucher row (BillNumber, Item, Amount, Date_) under the heads.
const QVector<int> Columns{Margin, Margin + 5, Margin + 38, Margin + 45};

}  // namespace

const QString RegisterQuery =
    QStringLiteral("Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc");

double sumOfAmounts(RecordSet& result, Connection& connection)
{
    result.open(QStringLiteral("Select sum(Amount) from ExpenditureTable"), connection);
    const QVariant sum = result.field(0);
    return sum.isNull() ? 0 : numeric::toDouble(sum);
}

void printRegister(print::PrintJob& job, const shop::Letterhead& letterhead, const QVector<VoucherRow>& vouchers,
                   double sumOfAmounts)
{
    print::Report report(job, layout());
    report.letterhead(letterhead);
    report.columnHeads();
    // Numbers print with their blanks, the date as dd/MMM/yyyy.
    for (const VoucherRow& voucher : vouchers)
        report.row(voucher, Columns);
    report.grandTotal(sumOfAmounts);
    report.footer();
}

void PrintRegister(const QString& numberText, Connection& connection)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    errors([&] {
        const shop::Letterhead letterhead = CheckM::loadLetterhead();
        connectx(connection);
        RecordSet vouchers;
        vouchers.open(RegisterQuery, connection);
        RecordSet sum;
        const double total = sumOfAmounts(sum, connection);

        print::PrintJob job = print::startJob();
        printRegister(job, letterhead, vouchers.rows(), total);
        job.end();
    });
    errors.report();
    if (connection.isOpen())
        connection.close();
}

}  // namespace expenditure
