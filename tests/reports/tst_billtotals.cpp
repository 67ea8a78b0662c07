// The line figures as the statements compute them, against the one line
// arithmetic; and the per-bill figures of "Show Total" and "Print Total",
// read with one statement, against the five statements per bill they stand
// for, on a generated database of awkward bills.

#include "core/Dates.h"
#include "core/LineFigures.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "stores/BillTotals.h"
#include "stores/FigureColumns.h"
#include "support/TestDatabase.h"

#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

namespace {

struct Line {
    int bill, serial;
    double amount;
    int quantity;
    double tax, discount;
    QDate date;
};

// The five statements per bill, each rounded half to even.
QStringList perBillLoop(Connection& c, const QDate& from, const QDate& to)
{
    const auto first = [&](const QString& statement) {
        RecordSet r;
        r.open(statement, c);
        return r.field(0);
    };
    const auto rounded = [&](const QString& statement) {
        return numeric::numberText(numeric::roundHalfEven(numeric::toDouble(first(statement))));
    };
    RecordSet bills;
    bills.open("Select  distinct(BillNumber)  from asigncharges  where Date_ >= " + sql::date(from)
                   + "  and Date_ <= " + sql::date(to) + " order by BillNumber asc",
               c);
    QStringList rows;
    for (const QVector<QVariant>& bill : bills.rows()) {
        const QString n = bill.at(0).toString();
        // The bill's lines in serial order, as SQLite reads "where BillNumber = n"
        // (by its key); a server reads them in any order.
        const QString lines = "(Select * from asigncharges where BillNumber = " + n + " order by Serial) l";
        const QString total = rounded(
            "Select  Sum((Amount * Quantity) - (Amount * Quantity * DiscountinPercentage / 100) + (((Amount * "
            "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100))  from "
            + lines);
        const QString amount = rounded("Select  Sum(Amount * Quantity) from  " + lines);
        const QString discount = rounded(
            "Select  Sum((Amount * Quantity * DiscountinPercentage / 100)) from  " + lines);
        const QString tax = rounded(
            "Select  Sum((((Amount * Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * "
            "TaxInPercentage / 100)) from  " + lines);
        const QString date = dates::shown(first("Select  Date_  from asigncharges where BillNumber = " + n + " order by Serial").toDate());
        rows << QStringList{date, n, amount, discount, tax, total}.join('|');
    }
    return rows;
}

QStringList setBased(Connection& c, const QDate& from, const QDate& to)
{
    QStringList rows;
    for (const BillTotals& b : stores::BillTotalsStore(c).billTotals(from, to))
        rows << QStringList{dates::shown(b.date), QString::number(b.billNumber), numeric::numberText(b.amount),
                            numeric::numberText(b.discount), numeric::numberText(b.tax), numeric::numberText(b.total)}
                    .join('|');
    return rows;
}

const QDate Start(2026, 3, 1);

}  // namespace

class BillTotalsTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    Connection connection;

    // Lines of bills 1..n: halves, quarters and tenths, odd percentages,
    // negative quantities, one-line bills, lines of one bill on different
    // days, stored in an order that is not their serial order.
    static QVector<Line> generated(int bills)
    {
        QRandomGenerator random(20261204);
        const double amounts[] = {10.5, 11.5, 0.1, 0.2, 2.675, 99.99, 0.25, 1e-3, 45.5, 12.345};
        const double percents[] = {0, 5, 12.5, 18, 7.3, 100, 2.5};
        QVector<Line> lines;
        for (int bill = 1; bill <= bills; ++bill) {
            const int count = bill % 7 == 0 ? 1 : 1 + int(random.bounded(8));
            const QDate day = Start.addDays(bill / 5);
            for (int serial = 1; serial <= count; ++serial)
                lines.append({bill, serial, amounts[random.bounded(10)], int(random.bounded(-3, 12)),
                              percents[random.bounded(7)], percents[random.bounded(7)],
                              random.bounded(4) == 0 ? day.addDays(int(random.bounded(-3, 4))) : day});
        }
        // Lines whose sum depends on the order they are added in: serial 1
        // large, then sixteen that only add up to 1 when summed first. Its
        // first serial is stored last, on a day of its own.
        const int odd = bills + 1;
        for (int serial = 2; serial <= 17; ++serial)
            lines.append({odd, serial, 0.0625, 1, 0, 0, Start});
        lines.append({odd, 1, 562949953421312.0, 1, 0, 0, Start.addDays(1)});
        std::shuffle(lines.begin(), lines.end() - 17, std::mt19937(7));
        return lines;
    }

    void insert(const QVector<Line>& lines)
    {
        Transaction transaction(connection);
        RecordSet statement;
        for (const Line& l : lines)
            statement.open(QString("insert into asigncharges values(%1,%2,'ITEM',%3,%4,%5,%6,'C','A','P','','-',0,%7,'','',0)")
                               .arg(l.bill).arg(l.serial).arg(l.quantity)
                               .arg(sql::number(l.amount), sql::number(l.tax), sql::number(l.discount), sql::date(l.date)),
                           connection);
        transaction.commit();
    }

private slots:
    void initTestCase()
    {
        connection.open();
        insert(generated(600));
    }

    // Every line's figures in the grids and on paper are the screens' line
    // arithmetic (up to the last bits of the values as the driver reads them).
    // The columns are the grids' and prints' texts as they were.
    void theFigureColumnsAreTheLineArithmetic()
    {
        QCOMPARE(figures::gridColumns(),
                 "Amount * Quantity as Amount_, (Amount * Quantity * DiscountinPercentage / 100) As Discount , ((Amount "
                 "* Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100 as Tax, "
                 "((Amount * Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) + ((Amount * Quantity) - "
                 "((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100  as Total");
        QCOMPARE(figures::printedColumns(),
                 "Amount *  Quantity, (Amount * DiscountinPercentage / 100)  * Quantity As Discount , ((Amount * "
                 "Quantity) - ((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100 as Tax, "
                 "(Amount * Quantity) - (Amount * Quantity * DiscountinPercentage / 100) + (((Amount * Quantity) - "
                 "((Amount * Quantity * DiscountinPercentage / 100))) * TaxInPercentage / 100)  as Total");
        RecordSet lines;
        lines.open("Select Amount, Quantity, DiscountinPercentage, TaxInPercentage, " + figures::gridColumns() + ", "
                       + figures::printedColumns() + " from asigncharges",
                   connection);
        QVERIFY(lines.recordCount() > 1000);
        for (const QVector<QVariant>& row : lines.rows()) {
            const arithmetic::LineFigures f = arithmetic::lineFigures(row[0].toDouble(), row[1].toDouble(),
                                                                      row[2].toDouble(), row[3].toDouble());
            const QVector<double> expected{f.amount, f.discount, f.tax, f.total, f.amount, f.discount, f.tax, f.total};
            for (int column = 0; column < expected.size(); ++column) {
                const double figure = row[4 + column].toDouble();
                QVERIFY2(qAbs(figure - expected[column]) <= 1e-12 * qMax(1.0, qAbs(expected[column])),
                         qPrintable(QString("column %1 of line %2: %3, not %4")
                                        .arg(column).arg(QStringList(QVector<QString>{row[0].toString(),
                                                                row[1].toString(), row[2].toString(),
                                                                row[3].toString()}).join('|'))
                                        .arg(figure, 0, 'g', 17).arg(expected[column], 0, 'g', 17)));
            }
        }
    }

    void oneStatementGivesWhatFivePerBillGive_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("every bill") << QDate(2000, 1, 1) << QDate(2100, 1, 1);
        QTest::newRow("one day") << Start.addDays(30) << Start.addDays(30);
        QTest::newRow("a month") << Start.addDays(10) << Start.addDays(40);
        QTest::newRow("the first day") << Start << Start;
        QTest::newRow("reversed") << Start.addDays(40) << Start.addDays(10);
        QTest::newRow("no bill") << QDate(2001, 1, 1) << QDate(2001, 12, 31);
    }
    void oneStatementGivesWhatFivePerBillGive()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const QStringList expected = perBillLoop(connection, from, to);
        QCOMPARE(setBased(connection, from, to), expected);
        if (from <= to && from.year() == Start.year())
            QVERIFY(!expected.isEmpty());
    }

    // The bill summed in serial order: the sixteen small lines vanish into
    // the large first one, and the date is that line's.
    void theOrderSensitiveBillIsSummedInSerialOrder()
    {
        const QStringList rows = setBased(connection, Start, Start);
        QVERIFY(!rows.isEmpty());
        QCOMPARE(rows.last(), QString("02/Mar/2026|601|562949953421312|0|0|562949953421312"));
    }
};

QTEST_MAIN(BillTotalsTest)
#include "tst_billtotals.moc"
