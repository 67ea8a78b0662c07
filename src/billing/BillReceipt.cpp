#include "billing/BillReceipt.h"

#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "kit/BillArithmetic.h"
#include "kit/Dates.h"
#include "kit/FailureStyles.h"
#include "kit/Maker.h"
#include "kit/NumericText.h"
#include "print/PrintJob.h"
#include "shell/CheckM.h"

#include <QDate>
#include <QDateTime>

namespace billing {

namespace {

const QString Rule =
    QStringLiteral("----------------------------------------------------------------------------");
// Stands in for a customer text (or date) the bill does not have.
const QString Missing = QStringLiteral("-----------------");

QString orMissing(const QVariant& value)
{
    const QString text = value.toString();
    return text.isEmpty() ? Missing : text;
}

QString dateOrMissing(const QVariant& value)
{
    QDate date = value.toDate();
    if (!date.isValid())
        date = dates::parse(value.toString());
    return date.isValid() ? dates::shown(date) : Missing;
}

}  // namespace

void PrintBill(const QString& billNumberText, Connection& connection)
{
    if (!numeric::isNumeric(billNumberText))
        return;
    CollectErrors errors;
    qint16 billNumber = 0;
    // A number no bill can carry has no receipt.
    if (!errors([&] { billNumber = numeric::toInt16(billNumberText); })) {
        errors.report();
        return;
    }
    PrintBill(billNumber, connection);
}

void PrintBill(qint16 billNumber, Connection& connection)
{
    CollectErrors errors;
    CheckM::LoadShopHeader();

    connectx(connection);
    RecordSet lines;
    errors([&] {
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

    // A bill without lines has no customer and no date: dashes stand for them.
    QString name = Missing;
    QString address = Missing;
    QString phone = Missing;
    QString billDate = Missing;
    if (!lines.eof()) {
        errors([&] { name = orMissing(lines.field(0)); });
        errors([&] { address = orMissing(lines.field(1)); });
        errors([&] { phone = orMissing(lines.field(2)); });
        errors([&] { billDate = dateOrMissing(lines.field(10)); });
    }

    const int m = 1;  // the left margin column
    print::PrintJob job = print::startJob();
    const auto line = [&](int column, const QString& text) { errors([&] { job.line(column, text); }); };
    const auto text = [&](int column, const QString& text) { errors([&] { job.text(column, text); }); };
    const auto value = [&](int column, const QVariant& value) { errors([&] { job.value(column, value); }); };
    const auto endLine = [&] { errors([&] { job.endLine(); }); };

    line(m, CheckM::ShopName);
    line(m, CheckM::ShopAddress1);
    line(m, CheckM::ShopAddress2);
    line(m, CheckM::ShopCity);
    line(m, QStringLiteral("Mobile : ") + CheckM::ShopPhone);
    line(m, Rule);
    line(m, QStringLiteral("Bill No : ") + QString::number(billNumber));
    line(m, QStringLiteral("Bill Date : ") + billDate);
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
        value(m, row.value(4));        // Item
        value(m + 31, row.value(5));   // Quantity
        value(m + 38, row.value(6));   // line amount
        value(m + 45, row.value(7));   // Discount
        value(m + 52, row.value(9));   // Total
        endLine();
    }

    double grandTotal = 0;
    errors([&] {
        RecordSet figures;
        figures.open(QStringLiteral("Select * from asigncharges where BillNumber = ") + sql::number(billNumber)
                         + QStringLiteral(" order by Serial asc"),
                     connection);
        grandTotal = arithmetic::roundedOnceTotal(arithmetic::lineTotals(figures));
    });

    line(m, Rule);
    text(2 * m + 20, QStringLiteral("Grand Total : "));
    text(m + 48, numeric::numberText(grandTotal) + QStringLiteral(".00"));
    endLine();
    line(m, Rule);
    line(m, QStringLiteral("Software Designed By :"));
    line(m, maker::Name);
    line(m, maker::EmailLine);
    line(m, maker::WebLine);
    line(m, Rule);
    errors([&] { job.end(); });

    errors.report();
    if (connection.isOpen())
        connection.close();
}

}  // namespace billing
