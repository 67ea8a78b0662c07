#include "reports/PrintAll.h"

#include "core/NumericText.h"
#include "families/PrintedWhole.h"
#include "families/ShopLetterhead.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "print/Destination.h"
#include "print/TotalsReport.h"
#include "reports/BillRegister.h"
#include "core/FigureColumns.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>

using query::QueryButton;
using query::Selector;
using Does = QueryButton::Does;

namespace {

// The lines of the selected bills with their figures.
const QString LinesSelect = QStringLiteral("Select BillNumber as Bill_No,  Serial, Item, Quantity , ")
    + figures::printedColumns() + QStringLiteral(" , Date_ from asigncharges  where ");

const query::QueryDesign& billQuery()
{
    static const query::QueryDesign design{
        QStringLiteral("PrintAll"), QStringLiteral("Bill Query"), QStringLiteral(": Query :"),
        {{Selector::Numbers,
          {QStringLiteral("Bill No From :"), QStringLiteral("Bill No To :")},
          QStringLiteral("Select distinct(BillNumber) from asigncharges ORDER BY BillNumber desc"),
          {{"CmdShow", QStringLiteral("Show"), Does::Show, true,
            LinesSelect + QStringLiteral("BillNumber >= %1  and BillNumber <= %2 ORDER BY BillNumber ASC , Serial Asc")},
           {"cmdprin", QStringLiteral("Print"), Does::Own, false,
            QStringLiteral("Select distinct(BillNumber) from asigncharges  where BillNumber >= %1  and BillNumber <= "
                           "%2 ORDER BY BillNumber ASC"),
            {}, PrintAll::PrintBills}}},
         {Selector::Dates,
          {QStringLiteral("Bill Date From :"), QStringLiteral("Bill Date To :")},
          {},
          {{"Cnddate", QStringLiteral("Show"), Does::Show, true,
            LinesSelect + QStringLiteral("Date_ >= %1  and Date_ <= %2 order by BillNumber asc ,Serial asc")},
           {"Condate", QStringLiteral("Print"), Does::Own, false,
            QStringLiteral("Select distinct(BillNumber) from asigncharges where Date_ >= %1  and Date_ <= %2 order "
                           "by BillNumber asc"),
            {}, PrintAll::PrintBills},
           {"ComShowTotal", QStringLiteral("Show Total"), Does::Own, false, {}, {}, PrintAll::ShowTotals},
           {"ComPrintTotal", QStringLiteral("Print Total"), Does::Own, false, {}, {}, PrintAll::PrintTotals}}}},
        {700, 700, 4000, 1000, 1000, 2000, 1000},
        true,
        {}};
    return design;
}

const QVector<QString> TotalsHeads{QStringLiteral("Date_"),    QStringLiteral("Bill Number"),
                                   QStringLiteral("Amount"),   QStringLiteral("Discount"),
                                   QStringLiteral("Tax"),      QStringLiteral("Total")};
const QVector<int> TotalsWidths{1500, 1500, 1500, 1500, 1500, 1500};

}  // namespace

PrintAll::PrintAll(QWidget* parent) : QueryScreen(billQuery(), parent) {}

void PrintAll::runOwn(const QueryButton& button, const query::Bounds& bounds)
{
    switch (button.own) {
    case PrintBills:
        reports::printBillRegister(query::withBounds(button.rows, bounds));
        break;
    case ShowTotals:
        showTotals();
        break;
    case PrintTotals:
        printTotals();
        break;
    }
}

// The per-bill figures of the date range in the grid, their sums in the labels.
// No check of the order of the dates: reversed, they find no bill.
void PrintAll::showTotals()
{
    showAmounts(true);
    for (QLabel* label : {lblamount, lbldiscount, lbltax, lblGrandTotal})
        label->clear();

    QVector<BillTotals> bills;
    CollectErrors errors;
    errors([&] {
        m_totals.open();
        bills = m_totals.billTotals(DTP1->date(), DTP2->date());
    });
    m_totals.close();

    QVector<QVector<QVariant>> rows;
    rows.reserve(bills.size());
    TotalsSums sums;
    for (const BillTotals& bill : bills) {
        // The grid shows dates as dd/MMM/yyyy and numbers in their plain text
        // when it draws them, so only the rows in view are ever formatted.
        rows.append({bill.date, int(bill.billNumber), bill.amount, bill.discount, bill.tax, bill.total});
        sums.add(bill);
    }
    fillGrid(TotalsHeads, std::move(rows), TotalsWidths);

    // With no bill the sums have nothing to show; the tax sum starts at 0.
    const auto sum = [&](double value) { return sums.bills ? numeric::numberText(value) : QString(); };
    lblamount->setText(QStringLiteral("Amount : ") + sum(sums.amount));
    lbldiscount->setText(QStringLiteral("Discount : ") + sum(sums.discount));
    lbltax->setText(QStringLiteral("Tax : ") + numeric::numberText(sums.tax));
    lblGrandTotal->setText(QStringLiteral("Total : ") + sum(sums.total));
    errors.report();
}

// The totals report of the date range: one line per bill, the four sums.
// A failing step is passed over; the last failure is told at the end.
void PrintAll::printTotals()
{
    CollectErrors errors;
    const stores::BillTotalsStore totals(stores::SharedConnection{});
    connectx(totals.connection());
    const ShopHeader letterhead = families::loadLetterhead();
    print::PrintJob job = print::startJob();
    QVector<BillTotals> bills;
    errors([&] { bills = totals.billTotals(DTP1->date(), DTP2->date()); });
    print::totalsReport(job, letterhead, bills, [&](const std::function<void()>& step) { errors(step); });
    families::endUnlessUnavailable(job, errors);

    errors.report();
    totals.close();
}
