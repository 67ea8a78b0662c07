#include "billing/BillReceipt.h"

#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/Receipt.h"
#include "shell/CheckM.h"

namespace billing {

namespace {

QString linesStatement(const QString& lineTable, qint16 number)
{
    return QStringLiteral(
               "Select CustomerName, CustomerAddress, CustomerPhone ,  Serial, Item, Quantity , Amount *  "
               "Quantity, (Amount * DiscountinPercentage / 100)  * Quantity As Discount , ((Amount * "
               "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100 as "
               "Tax, (Amount * Quantity) - (Amount * Quantity * DiscountinPercentage / 100) + (((Amount * "
               "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100)  as "
               "Total , Date_ from ")
        + lineTable + QStringLiteral("  where BillNumber = ") + sql::number(number)
        + QStringLiteral(" order by Serial asc");
}

}  // namespace

QString documentFiguresQuery(const QString& lineTable)
{
    return QStringLiteral(
               "Select CustomerName, CustomerAddress, CustomerPhone ,DiscountinPercentage,TaxInPercentage,  "
               "Serial, Item, Quantity , Amount, (Amount * DiscountinPercentage / 100) As Discount , ((Amount * "
               "DiscountinPercentage / 100) * TaxInPercentage / 100) as Tax, (((Amount - (Amount * "
               "DiscountinPercentage / 100))) + (((Amount * DiscountinPercentage / 100) * TaxInPercentage / "
               "100))) * Quantity  as Total from ")
        + lineTable + QStringLiteral("  where BillNumber = ");
}

void printDocument(print::PrintJob& job, SkipFailing& errors, Connection& connection, const QString& lineTable,
                   qint16 number, const shop::Letterhead& letterhead, print::ReceiptFooter footer)
{
    ReceiptValues document;
    document.number = number;
    errors([&] {
        RecordSet lines;
        lines.open(linesStatement(lineTable, number), connection);
        if (!lines.eof()) {
            document.partyName = lines.field(0);
            document.partyAddress = lines.field(1);
            document.partyPhone = lines.field(2);
            document.date = lines.field(10);
        }
        for (const QVector<QVariant>& row : lines.rows())
            document.lines.append({row.value(4), row.value(5), row.value(6), row.value(7), row.value(9)});
    });
    errors([&] {
        RecordSet figures;
        figures.open(documentFiguresQuery(lineTable) + sql::number(number) + QStringLiteral(" order by Serial asc"),
                     connection);
        document.grandTotal = arithmetic::roundedOnceTotal(arithmetic::lineTotals(figures));
    });
    print::receipt(job, letterhead, document, footer, [&](const std::function<void()>& step) { errors(step); });
}

void PrintDocument(const QString& lineTable, qint16 number, Connection& connection)
{
    CollectErrors errors;
    const shop::Letterhead letterhead = CheckM::loadLetterhead();
    connectx(connection);
    print::PrintJob job = print::startJob();
    printDocument(job, errors, connection, lineTable, number, letterhead, print::ReceiptFooter::Receipt);
    errors([&] { job.end(); });

    errors.report();
    if (connection.isOpen())
        connection.close();
}

void PrintDocument(const QString& lineTable, const QString& numberText, Connection& connection)
{
    if (!numeric::isNumeric(numberText))
        return;
    CollectErrors errors;
    qint16 number = 0;
    // A number no document can carry has no receipt.
    if (!errors([&] { number = numeric::toInt16(numberText); })) {
        errors.report();
        return;
    }
    PrintDocument(lineTable, number, connection);
}

void PrintBill(qint16 billNumber, Connection& connection)
{
    PrintDocument(QStringLiteral("asigncharges"), billNumber, connection);
}

void PrintBill(const QString& billNumberText, Connection& connection)
{
    PrintDocument(QStringLiteral("asigncharges"), billNumberText, connection);
}

}  // namespace billing
