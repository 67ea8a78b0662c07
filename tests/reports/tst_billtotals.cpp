// The per-bill figures of "Show Total" on awkward bills, against the figures worked out here line
// by line in serial order; each line's figures in the statements against the screens' arithmetic.

#include "core/Dates.h"
#include "core/LineFigures.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "core/FigureColumns.h"
#include "support/ScreenBench.h"

#include <QDateEdit>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

struct Line {
    int bill, serial;
    double amount;
    int quantity;
    double tax, discount;
    QDate date;
};

const QDate Start(2026, 3, 1);

// Lines of one bill on different days, stored out of serial order. The last bill's sum depends on
// the order it is added in: serial 1 large, then sixteen that only add up to 1 when summed first;
// its first serial is stored last, on a day of its own.
QVector<Line> generated(int bills)
{
    QRandomGenerator random(20261204);
    const double amounts[] = {10.5, 11.5, 0.1, 0.2, 2.675, 99.99, 0.25, 1e-3, 45.5, 12.345};
    const double percents[] = {0, 5, 12.5, 18, 7.3, 100, 2.5};
    QVector<Line> lines;
    for (int bill = 1; bill <= bills; ++bill) {
        const int count = bill % 7 == 0 ? 1 : 1 + int(random.bounded(8));
        const QDate day = Start.addDays(bill / 5);
        for (int serial = 1; serial <= count; ++serial)
            lines.append({bill, serial, amounts[random.bounded(10)], int(random.bounded(-3, 12)), percents[random.bounded(7)],
                          percents[random.bounded(7)], random.bounded(4) == 0 ? day.addDays(int(random.bounded(-3, 4))) : day});
    }
    for (int serial = 2; serial <= 17; ++serial)
        lines.append({bills + 1, serial, 0.0625, 1, 0, 0, Start});
    lines.append({bills + 1, 1, 562949953421312.0, 1, 0, 0, Start.addDays(1)});
    std::shuffle(lines.begin(), lines.end() - 17, std::mt19937(7));
    return lines;
}

// Each bill with a line in the range, dated by its first serial; summed in serial order, rounded half
// to even, a half in decimals being a half however the sum's last bit came out or the engine's driver
// hands it over (SQLite's as a text of 15 digits): the same figures on every engine.
QStringList expectedTotals(QVector<Line> lines, const QDate& from, const QDate& to)
{
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return std::pair(a.bill, a.serial) < std::pair(b.bill, b.serial);
    });
    std::map<int, std::array<double, 4>> sums;
    std::map<int, QDate> dates;
    std::set<int> inRange;
    for (const Line& l : lines) {
        const double amount = l.amount * l.quantity, discount = amount * l.discount / 100;
        const double tax = (amount - discount) * l.tax / 100;
        std::array<double, 4>& sum = sums[l.bill];
        sum = {sum[0] + amount, sum[1] + discount, sum[2] + tax, sum[3] + (amount - discount + tax)};
        dates.try_emplace(l.bill, l.date);
        if (l.date >= from && l.date <= to)
            inRange.insert(l.bill);
    }
    QStringList rows;
    for (const auto& [bill, sum] : sums) {
        if (!inRange.count(bill))
            continue;
        QStringList row{dates::shown(dates[bill]), QString::number(bill)};
        for (const double figure : sum)
            row << QString::number(qint64(numeric::roundHalfEven(figure)));
        rows << row.join('|');
    }
    return rows;
}

}  // namespace

class BillTotalsTest : public QObject, ScreenBench {
    Q_OBJECT

    QVector<Line> lines;  // as stored: SQLite reads a decimal text to the nearest double or a neighbour

private slots:
    void initTestCase()
    {
        reset();
        Connection connection;
        connection.open();
        Transaction transaction(connection);
        for (const Line& l : generated(600))
            RecordSet().open(rows::line("asigncharges", l.bill, l.serial, "ITEM", l.quantity, l.amount, {}, {}, "C", l.date,
                                        l.tax, l.discount),
                             connection);
        transaction.commit();
        // Lines deleted, changed, moved to another bill; a bill's every line deleted.
        for (const char* change : {"Delete * from asigncharges where BillNumber = 3 and Serial = 1",
                                   "Update asigncharges set Quantity = Quantity + 1 where BillNumber = 5",
                                   "Update asigncharges set BillNumber = 8, Serial = 100 where BillNumber = 9 and Serial = 1",
                                   "Delete * from asigncharges where BillNumber = 10"})
            RecordSet().open(change, connection);
        RecordSet stored;
        stored.open("select BillNumber, Serial, Amount, Quantity, TaxInPercentage, DiscountinPercentage, Date_ from asigncharges",
                    connection);
        for (const QVector<QVariant>& v : stored.rows())
            lines.append({v[0].toInt(), v[1].toInt(), v[2].toDouble(), v[3].toInt(), v[4].toDouble(), v[5].toDouble(),
                          v[6].toDate()});
    }
    void cleanupTestCase() { close(); }

    // Up to the last bits of the values as the driver reads them.
    void theFigureColumnsAreTheLineArithmetic()
    {
        Connection connection;
        connection.open();
        RecordSet stored;
        stored.open("Select Amount, Quantity, DiscountinPercentage, TaxInPercentage, " + figures::gridColumns() + ", "
                        + figures::printedColumns() + " from asigncharges",
                    connection);
        for (const QVector<QVariant>& row : stored.rows()) {
            const arithmetic::LineFigures f =
                arithmetic::lineFigures(row[0].toDouble(), row[1].toDouble(), row[2].toDouble(), row[3].toDouble());
            const double expected[] = {f.amount, f.discount, f.tax, f.total};
            for (int column = 0; column < 8; ++column) {
                const double figure = row[4 + column].toDouble(), wanted = expected[column % 4];
                QVERIFY2(qAbs(figure - wanted) <= 1e-12 * qMax(1.0, qAbs(wanted)),
                         qPrintable(QString("column %1: %2, not %3").arg(column).arg(figure, 0, 'g', 17).arg(wanted, 0, 'g', 17)));
            }
        }
    }

    void eachBillIsSummedInSerialOrderThenRounded_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("every bill") << QDate(2000, 1, 1) << QDate(2100, 1, 1);
        QTest::newRow("one day") << Start.addDays(30) << Start.addDays(30);
        QTest::newRow("a month") << Start.addDays(10) << Start.addDays(40);
        QTest::newRow("the first day") << Start << Start;
        QTest::newRow("reversed") << Start.addDays(40) << Start.addDays(10);
    }
    void eachBillIsSummedInSerialOrderThenRounded()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const Operator& op = open(ui::BillQuery);
        op.control<QDateEdit>(ui::FromDate)->setDate(from);
        op.control<QDateEdit>(ui::ToDate)->setDate(to);
        op.click(ui::ShowTotal);
        const QStringList expected = expectedTotals(lines, from, to);
        QCOMPARE(op.gridRows(), expected);
        QCOMPARE(expected.isEmpty(), from > to);
        if (from == Start)  // the order-sensitive bill: the small lines vanish into the large first one
            QCOMPARE(expected.last(), QString("02/Mar/2026|601|562949953421312|0|0|562949953421312"));
    }
};

QTEST_MAIN(BillTotalsTest)
#include "tst_billtotals.moc"
