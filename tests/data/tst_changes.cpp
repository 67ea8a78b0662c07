// Lists read again only when their table changed, by whichever connection;
// the counting of changes added to a database made before it; two tills
// writing tables in opposite orders on a server.

#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "stores/MasterStore.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <atomic>
#include <thread>

class ChangesTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    QStringList sent;

    // The customers' SNs as a screen reads them, and whether the list's own
    // statement went to the database for them.
    QString customerNumbers(const stores::MasterStore& customers)
    {
        sent.clear();
        customers.open();
        const QStringList numbers = customers.numbers(stores::Order::LowestFirst);
        customers.close();
        return numbers.join(',') + (sent.filter("distinct(SN)").isEmpty() ? " kept" : " read");
    }

    // A database of an earlier version: no table of versions, no triggers.
    void forgetChanges()
    {
        if (TestDatabase::onServer()) {
            db.exec("DROP FUNCTION bill_table_changed() CASCADE");
        } else {
            for (const QString& trigger : db.rows("select name from sqlite_master where type = 'trigger'"))
                db.exec("DROP TRIGGER " + trigger);
        }
        db.exec("DROP TABLE BillChanges");
    }

private slots:
    void init()
    {
        db.reset();
        statement::setListener([this](const QString& text) { sent << text; });
    }
    void cleanup() { statement::setListener({}); }

    void aListIsReadAgainOnlyWhenItsTableChanged()
    {
        db.exec("insert into Customer values (1, 'A', '', '1')");
        const stores::MasterStore customers(QStringLiteral("Customer"));
        QCOMPARE(customerNumbers(customers), QString("1 read"));
        QCOMPARE(customerNumbers(customers), QString("1 kept"));

        // Another till: its change shows at this one's next read; a change
        // of another table, or one rolled back, leaves the list as read.
        Connection till;
        till.open(db.connectionString());
        RecordSet().open("insert into Customer values (2, 'B', '', '2')", till);
        RecordSet().open("insert into Stock (BillNumber, Item, Quantity) values (1, 'RICE', 5)", till);
        QCOMPARE(customerNumbers(customers), QString("1,2 read"));
        {
            Transaction undone(till);
            RecordSet().open("delete from Customer", till);
        }
        RecordSet().open("update Stock set Quantity = 4", till);
        QCOMPARE(customerNumbers(customers), QString("1,2 kept"));
        // Another screen of this till reads the same list: kept for it too.
        QCOMPARE(customerNumbers(stores::MasterStore(QStringLiteral("Customer"))), QString("1,2 kept"));
        RecordSet().open("update Customer set ITEM = 'C' where SN = 2", till);
        RecordSet().open("delete from Customer where SN = 1", till);
        QCOMPARE(customerNumbers(customers), QString("2 read"));
    }

    // An earlier version's database reads its lists every time, until the
    // program adds the counting (at login); from then on they are kept.
    void aDatabaseMadeBeforeLearnsToCountItsChanges()
    {
        forgetChanges();
        db.exec("insert into Customer values (1, 'A', '', '1')");
        const stores::MasterStore customers(QStringLiteral("Customer"));
        QCOMPARE(customerNumbers(customers), QString("1 read"));
        QCOMPARE(customerNumbers(customers), QString("1 read"));

        Connection program;
        program.open(db.connectionString());
        QVERIFY(changes::track(program));
        QVERIFY(changes::track(program));  // once is enough: the second finds it done
        const stores::MasterStore afterLogin(QStringLiteral("Customer"));
        QCOMPARE(customerNumbers(afterLogin), QString("1 read"));
        QCOMPARE(customerNumbers(afterLogin), QString("1 kept"));
        RecordSet().open("insert into Customer values (2, 'B', '', '2')", program);
        QCOMPARE(customerNumbers(afterLogin), QString("1,2 read"));
    }

    // One till lowers a batch's stock and then deletes a bill line (Delete
    // Serial), the other stores a line and then lowers the same stock (Add
    // Item), each in one transaction. The second waits for the first and
    // then goes through: neither is refused as a deadlock.
    void twoTillsWritingInOppositeOrdersWaitInTurn()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has one writer at a time");
        db.exec("insert into Stock (BillNumber, Item, ItemCode, Batch_Number, Quantity) values (1, 'RICE', '', '', 50)");
        db.exec("insert into asigncharges (BillNumber, Serial, Item, Quantity) values (1, 1, 'RICE', 2)");
        std::atomic<bool> holding{false};
        QString otherFailure;
        std::thread other([&] {
            try {
                Connection connection;
                connection.open();
                Transaction transaction(connection);
                RecordSet().open("Update Stock set Quantity = Quantity + 2 where Item = 'RICE'", connection);
                holding = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(400));
                RecordSet().open("DELETE FROM asigncharges where BillNumber = 1 and Serial = 1", connection);
                transaction.commit();
            } catch (const Failure& failure) {
                otherFailure = failure.description();
                holding = true;
            }
        });
        while (!holding)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        QString failure;
        try {
            Connection connection;
            connection.open();
            Transaction transaction(connection);
            RecordSet().open("insert into asigncharges (BillNumber, Serial, Item, Quantity) values (2, 1, 'RICE', 3)",
                             connection);
            RecordSet().open("Update Stock set Quantity = Quantity - 3 where Item = 'RICE'", connection);
            transaction.commit();
        } catch (const Failure& error) {
            failure = error.description();
        }
        other.join();
        QVERIFY2(otherFailure.isEmpty() && failure.isEmpty(), qPrintable(otherFailure + failure));
        QCOMPARE(db.rows("select BillNumber, Serial from asigncharges"), QStringList{"2|1"});
        QCOMPARE(db.value("select Quantity from Stock").toInt(), 49);
    }
};

QTEST_MAIN(ChangesTest)
#include "tst_changes.moc"
