#include "expenditure/ExpenditureRegister.h"

#include "billing/BillReceipt.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "kit/FailureStyles.h"
#include "kit/Maker.h"
#include "kit/NumericText.h"
#include "print/PrintJob.h"

namespace expenditure {

namespace {

// The register's layout, as data: what stands where.
constexpr int Margin = 1;
const QString Rule(76, QLatin1Char('-'));

// The heads, and the fields of a voucher row under them, in the row's order.
struct Column {
    int at;
    const char* head;
};
const Column Columns[] = {{Margin, "No"}, {Margin + 5, "Head"}, {Margin + 38, "Amt"}, {Margin + 45, "Date"}};

constexpr int GrandTotalCaptionAt = 2 * Margin + 20;
constexpr int GrandTotalAt = Margin + 48;

QStringList letterheadLines(const print::Letterhead& letterhead)
{
    return {letterhead.shopName, letterhead.address1, letterhead.address2, letterhead.city,
            QStringLiteral("Mobile : ") + letterhead.phone, Rule};
}

QStringList footerLines()
{
    return {Rule,
            QStringLiteral("Software Designed By :"),
            maker::Name,
            QStringLiteral("Email : ") + maker::EMail,
            QStringLiteral("Website : ") + maker::WebAddress,
            Rule};
}

// Whole units, halves to the even neighbour, then ".00": 1234.5 -> "1234.00".
QString grandTotalText(double sumOfAmounts)
{
    return numeric::numberText(numeric::roundHalfEven(sumOfAmounts)) + QStringLiteral(".00");
}

}  // namespace

const QString RegisterQuery =
    QStringLiteral("Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc");

double sumOfAmounts(RecordSet& result, Connection& connection)
{
    result.open(QStringLiteral("Select sum(Amount) from ExpenditureTable"), connection);
    const QVariant sum = result.field(0);
    return sum.isNull() ? 0 : numeric::toDouble(sum);
}

void printRegister(print::PrintJob& job, const print::Letterhead& letterhead, const QVector<VoucherRow>& vouchers,
                   double sumOfAmounts)
{
    for (const QString& line : letterheadLines(letterhead))
        job.line(Margin, line);
    for (const Column& column : Columns)
        job.text(column.at, QLatin1String(column.head));
    job.endLine();
    job.line(Margin, Rule);

    // Numbers print with their blanks, the date as dd/MMM/yyyy.
    for (const VoucherRow& voucher : vouchers) {
        int field = 0;
        for (const Column& column : Columns)
            job.value(column.at, voucher.value(field++));
        job.endLine();
    }

    job.line(Margin, Rule);
    job.text(GrandTotalCaptionAt, QStringLiteral("Grand Total : "));
    job.text(GrandTotalAt, grandTotalText(sumOfAmounts));
    job.endLine();
    for (const QString& line : footerLines())
        job.line(Margin, line);
}

void PrintRegister(const QString& numberText, Connection& connection)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    errors([&] {
        const print::Letterhead letterhead = billing::loadLetterhead();
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
