#include "billing/BillReceipt.h"

#include "core/Dates.h"
#include "core/Maker.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/PrintJob.h"
#include "shell/CheckM.h"

#include <QDate>

namespace billing {

namespace {

const QString Rule(76, QLatin1Char('-'));
const QString RegisterRule(105, QLatin1Char('-'));
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
                   qint16 number, const shop::Letterhead& letterhead, ReceiptFooter footer)
{
    RecordSet lines;
    errors([&] { lines.open(linesStatement(lineTable, number), connection); });

    // A document without lines has no party and no date: dashes stand for them.
    QString name = Missing;
    QString address = Missing;
    QString phone = Missing;
    QString documentDate = Missing;
    if (!lines.eof()) {
        errors([&] { name = orMissing(lines.field(0)); });
        errors([&] { address = orMissing(lines.field(1)); });
        errors([&] { phone = orMissing(lines.field(2)); });
        errors([&] { documentDate = dateOrMissing(lines.field(10)); });
    }

    const int m = 1;  // the left margin column
    const auto line = [&](int column, const QString& text) { errors([&] { job.line(column, text); }); };
    const auto text = [&](int column, const QString& text) { errors([&] { job.text(column, text); }); };
    const auto value = [&](int column, const QVariant& value) { errors([&] { job.value(column, value); }); };
    const auto endLine = [&] { errors([&] { job.endLine(); }); };

    line(m, letterhead.shopName);
    line(m, letterhead.address1);
    line(m, letterhead.address2);
    line(m, letterhead.city);
    line(m, QStringLiteral("Mobile : ") + letterhead.phone);
    line(m, Rule);
    line(m, QStringLiteral("Bill No : ") + QString::number(number));
    line(m, QStringLiteral("Bill Date : ") + documentDate);
    line(m, QStringLiteral("Name : ") + name);
    line(m, QStringLiteral("Address : ") + address);
    line(m, QStringLiteral("Phone : ") + phone);
    line(m, Rule);
    text(m, QStringLiteral("Item"));
    text(m + 31, QStringLiteral("Qty"));
    text(m + 38, QStringLiteral("Amt"));
    text(m + 45, QStringLiteral("Dis"));
    text(m + 52, QStringLiteral("Total"));
    endLine();
    line(m, Rule);

    for (const QVector<QVariant>& row : lines.rows()) {
        value(m, row.value(4));       // Item
        value(m + 31, row.value(5));  // Quantity
        value(m + 38, row.value(6));  // line amount
        value(m + 45, row.value(7));  // Discount
        value(m + 52, row.value(9));  // Total
        endLine();
    }

    double grandTotal = 0;
    errors([&] {
        RecordSet figures;
        figures.open(documentFiguresQuery(lineTable) + sql::number(number) + QStringLiteral(" order by Serial asc"),
                     connection);
        grandTotal = arithmetic::roundedOnceTotal(arithmetic::lineTotals(figures));
    });

    line(m, Rule);
    text(2 * m + 20, QStringLiteral("Grand Total : "));
    text(m + 48, numeric::numberText(grandTotal) + QStringLiteral(".00"));
    endLine();
    if (footer == ReceiptFooter::Receipt) {
        line(m, Rule);
        line(m, QStringLiteral("Software Designed By :"));
        line(m, maker::Name);
        line(m, maker::EmailLine);
        line(m, maker::WebLine);
        line(m, Rule);
    } else {
        line(m, RegisterRule);
        line(m, QStringLiteral("Software Designed By :") + maker::Name);
        line(m, maker::EmailLine);
        line(m, maker::WebLine);
        line(m, RegisterRule);
        for (int empty = 0; empty < 4; ++empty)
            endLine();
    }
}

void PrintDocument(const QString& lineTable, qint16 number, Connection& connection)
{
    CollectErrors errors;
    const shop::Letterhead letterhead = CheckM::loadLetterhead();
    connectx(connection);
    print::PrintJob job = print::startJob();
    printDocument(job, errors, connection, lineTable, number, letterhead);
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
