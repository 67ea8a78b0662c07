// Two tills on one database, forced into the worst order: both read the
// same next number, the first stores its first line under it and keeps its
// transaction open while the second stores under the same number. The
// second must wait for the first (the engine's guard, not the program's),
// then take the next free number; no bill, receipt, voucher, stock row or
// master record is shared and no line is lost.

#include "core/Failure.h"
#include "data/Connection.h"
#include "stores/LineDocumentStore.h"
#include "stores/MasterStore.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <atomic>
#include <functional>
#include <thread>

using stores::Document;
using stores::NumberUse;

namespace {

// What one till does: reads the number its screen shows, and stores its
// entry `index` (0 claims the number shown, 1 adds to what entry 0 went
// under) in the transaction open on the connection. Returns the number the
// entry went under.
struct Till {
    std::function<qint16(Connection&)> shownNumber;
    std::function<qint16(Connection&, const QString& who, int index, qint16 number)> store;
};

// A line of the till `who`, with its name as the party's. Its first line
// is of the batch both tills use (RICE/B1), its second of a batch of its own.
DocumentLine lineOf(const QString& who, int index, qint16 number)
{
    DocumentLine line;
    line.number = number;
    line.serial = 1;
    line.itemCode = index == 0 ? QStringLiteral("RICE") : who;
    line.item = index == 0 ? QStringLiteral("RICE") : who + QString::number(index);
    line.batch = QStringLiteral("B1");
    line.quantity = qint16(index + 2);
    line.amount = 10;
    line.partyName = who;
    line.date = QDate(2026, 3, 1);
    return line;
}

Till lineTill(Document document, bool linesJoin)
{
    return {[document](Connection& c) { return stores::LineDocumentStore(document, c).nextNumber().number; },
            [document, linesJoin](Connection& c, const QString& who, int index, qint16 number) {
                DocumentLine line = lineOf(who, index, number);
                if (document == Document::Voucher)
                    line.serial = 0;  // a voucher's line
                const bool joins = linesJoin && index > 0;
                if (joins)
                    line.serial = 2;
                return stores::LineDocumentStore(document, c)
                    .storeLine(line, joins ? NumberUse::Joins : NumberUse::Claims)
                    .number;
            }};
}

Till customerTill()
{
    return {[](Connection& c) { return stores::MasterStore("Customer", c).nextNumber().value(); },
            [](Connection& c, const QString& who, int index, qint16 number) {
                const stores::MasterStore customers("Customer", c);
                if (index > 0)
                    number = customers.nextNumber().value();
                const QString name = who + QString::number(index);
                return customers.save(number, name, "Road", name + "-phone");
            }};
}

}  // namespace

Q_DECLARE_METATYPE(Till)

class TillsTest : public QObject {
    Q_OBJECT

    TestDatabase db;

private slots:
    void twoTillsNeverShareANumber_data()
    {
        QTest::addColumn<Till>("till");
        QTest::addColumn<QString>("rows");  // each stored entry: number|who (the till's name in it)
        QTest::newRow("bill") << lineTill(Document::Bill, true)
                              << "Select BillNumber, CustomerName, Serial from asigncharges";
        QTest::newRow("receipt") << lineTill(Document::GoodsReceipt, true)
                                 << "Select BillNumber, CustomerName, Serial from ItemIn";
        QTest::newRow("voucher") << lineTill(Document::Voucher, false)
                                 << "Select BillNumber, CustomerName, Serial from ExpenditureTable";
        QTest::newRow("customer") << customerTill() << "Select SN, substr(ITEM, 1, 1), 0 from Customer";
    }

    void twoTillsNeverShareANumber()
    {
        QFETCH(Till, till);
        QFETCH(QString, rows);
        db.reset();

        Connection first;
        first.open();
        const qint16 shown = till.shownNumber(first);

        // The second till, on a thread of its own: it shows the same number
        // before the first stores, and stores once the first has its line in.
        enum Phase { Started, SecondShown, FirstStored };
        std::atomic<int> phase{Started};
        std::atomic<bool> secondDone{false};
        qint16 secondNumber = 0;
        QString secondFailure;
        std::thread second([&] {
            try {
                Connection connection;
                connection.open();
                if (till.shownNumber(connection) != shown)
                    throw Failure("the second till showed another number");
                phase = SecondShown;
                while (phase != FirstStored)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                Transaction transaction(connection);
                const qint16 number = till.store(connection, "B", 0, shown);
                till.store(connection, "B", 1, number);
                transaction.commit();
                secondNumber = number;
            } catch (const Failure& failure) {
                secondFailure = failure.description();
            }
            secondDone = true;
        });
        while (phase != SecondShown && !secondDone)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));

        qint16 firstNumber = 0;
        bool secondWaited = false;
        QString firstFailure;
        try {
            Transaction transaction(first);
            firstNumber = till.store(first, "A", 0, shown);
            phase = FirstStored;
            // The second till stores now, while this transaction holds the number.
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            secondWaited = !secondDone;
            till.store(first, "A", 1, firstNumber);
            transaction.commit();
        } catch (const Failure& failure) {
            firstFailure = failure.description();
            phase = FirstStored;
        }
        second.join();
        QVERIFY2(firstFailure.isEmpty(), qPrintable(firstFailure));
        QVERIFY2(secondFailure.isEmpty(), qPrintable(secondFailure));
        QVERIFY2(secondWaited, "the second till did not wait for the first one's claim");

        QCOMPARE(firstNumber, shown);
        QVERIFY(secondNumber > firstNumber);
        // Every entry is there, each till's under numbers the other has none of.
        const QStringList stored = db.rows(rows);
        QCOMPARE(stored.size(), 4);
        QHash<QString, QSet<QString>> tillsOfNumber;
        for (const QString& row : stored)
            tillsOfNumber[row.section('|', 0, 0)].insert(row.section('|', 1, 1).left(1));
        for (auto it = tillsOfNumber.cbegin(); it != tillsOfNumber.cend(); ++it)
            QVERIFY2(it.value().size() == 1, qPrintable(it.key() + " is shared: " + stored.join(", ")));
        QVERIFY(tillsOfNumber.contains(QString::number(firstNumber)));
        QVERIFY(tillsOfNumber.contains(QString::number(secondNumber)));
        // No serial is stored twice under one number.
        QCOMPARE(QSet<QString>(stored.cbegin(), stored.cend()).size(), stored.size());

        if (rows.contains("ItemIn")) {
            // One batch both received into, one row each for the others, all
            // under their own stock row numbers.
            QCOMPARE(db.rows("Select ItemCode, Quantity from Stock order by ItemCode"),
                     QStringList({"A|3", "B|3", "RICE|4"}));
            QCOMPARE(db.value("Select count(distinct BillNumber) from Stock").toInt(), 3);
        }
    }
};

QTEST_GUILESS_MAIN(TillsTest)
#include "tst_tills.moc"
