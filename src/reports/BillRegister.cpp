#include "reports/BillRegister.h"

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/Dates.h"
#include "kit/FailureStyles.h"
#include "kit/NumericText.h"
#include "shell/CheckM.h"

namespace reports {

void printBillRegister(const QString& billSelection)
{
    CollectErrors errors;
    Connectionx::OpenSharedConnection();
    Connection& shared = Connectionx::sharedConnection();
    errors([] { CheckM::LoadShopHeader(); });
    RecordSet& bills = Connectionx::sharedRecordSet2();
    errors([&] { bills.open(billSelection, shared); });

    print::PrintJob job = print::startJob();
    const print::Report::Step step = [&](const std::function<void()>& output) { errors(output); };
    for (const QVector<QVariant>& bill : bills.rows()) {
        qint16 billNumber = 0;
        if (errors([&] { billNumber = numeric::toInt16(bill.value(0)); }))
            printRegisterBill(job, billNumber, shared, step);
    }
    errors([&] { job.end(); });

    bills.close();
    shared.close();
    errors.report();
}

// --- Stands in for the bill receipt routine until it can print into a job
// it does not own, with the register's footer: the receipt's own statements
// and lines. To be replaced by one call of that routine.
namespace {

const QString Missing = QStringLiteral("-----------------");

QString orMissing(const QVariant& value)
{
    const QString text = value.toString();
    return text.isEmpty() ? Missing : text;
}

}  // namespace

void printRegisterBill(print::PrintJob& job, qint16 billNumber, Connection& connection,
                       const print::Report::Step& step)
{
    const int m = 1;
    print::Report receipt(job,
                          {m,
                           {{m, QStringLiteral("Item")}, {m + 31, QStringLiteral("Qty")},
                            {m + 38, QStringLiteral("Amt")}, {m + 45, QStringLiteral("Dis")},
                            {m + 52, QStringLiteral("Total")}},
                           {QStringList{print::footers::signedBy()} + print::footers::contact(), 105, 4}},
                          step);
    RecordSet lines;
    step([&] {
        lines.open(QStringLiteral(
                       "Select CustomerName, CustomerAddress, CustomerPhone ,  Serial, Item, Quantity , Amount *  "
                       "Quantity, (Amount * DiscountinPercentage / 100)  * Quantity As Discount , ((Amount * "
                       "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100 as "
                       "Tax, (Amount * Quantity) - (Amount * Quantity * DiscountinPercentage / 100) + (((Amount * "
                       "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100)  as "
                       "Total , Date_ from asigncharges  where BillNumber = ")
                       + sql::number(billNumber) + QStringLiteral(" order by Serial asc"),
                   connection);
    });
    const QVector<QVariant> first = lines.rows().value(0);
    const QDate date = first.value(10).toDate();

    receipt.letterhead(CheckM::Letterhead());
    receipt.line(QStringLiteral("Bill No : ") + QString::number(billNumber));
    receipt.line(QStringLiteral("Bill Date : ") + (date.isValid() ? dates::shown(date) : Missing));
    receipt.line(QStringLiteral("Name : ") + orMissing(first.value(0)));
    receipt.line(QStringLiteral("Address : ") + orMissing(first.value(1)));
    receipt.line(QStringLiteral("Phone : ") + orMissing(first.value(2)));
    receipt.rule();
    receipt.columnHeads();
    for (const QVector<QVariant>& line : lines.rows())
        receipt.row({line.value(4), line.value(5), line.value(6), line.value(7), line.value(9)},
                    {m, m + 31, m + 38, m + 45, m + 52});

    double grandTotal = 0;
    step([&] {
        RecordSet figures;
        figures.open(QStringLiteral("Select * from asigncharges where BillNumber = ") + sql::number(billNumber)
                         + QStringLiteral(" order by Serial asc"),
                     connection);
        grandTotal = arithmetic::roundedOnceTotal(arithmetic::lineTotals(figures));
    });
    receipt.grandTotal(grandTotal);
    receipt.footer();
}

}  // namespace reports
