// Lists read again only when their table changed; two tills writing tables in opposite orders.

#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/ReadTogether.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "stores/LineDocumentStore.h"
#include "stores/MasterStore.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>
#include <atomic>
#include <functional>
#include <thread>

class ChangesTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    QStringList sent;

    // The customers' SNs as a new screen's store reads them, and whether they were read from the table.
    QString customerNumbers(stores::Order order = stores::Order::LowestFirst)
    {
        sent.clear();
        const stores::MasterStore customers(QStringLiteral("Customer"));
        customers.open();
        const QStringList numbers = customers.numbers(order);
        customers.close();
        return numbers.join(',') + (sent.filter("from Customer", Qt::CaseInsensitive).isEmpty() ? " kept" : " read");
    }
    // The bills' numbers as the bill screens list them, and whether they were read from the database.
    QString billNumbers(const stores::LineDocumentStore& bills)
    {
        sent.clear();
        bills.open();
        const QString listed = bills.documentNumbers().join(',');
        const bool read = !sent.filter(QRegularExpression("from (asigncharges|BillSums)\\b",
                                                          QRegularExpression::CaseInsensitiveOption))
                               .isEmpty();
        return listed + (read ? " read" : " kept");
    }
    // A table the database keeps beside the program's, taken away with the triggers that fill it (on the
    // server its function's, on SQLite those the condition picks), as in a database made before it.
    void dropKeptTable(const QString& table, const QString& serverFunction, const QString& sqliteTriggers)
    {
        if (TestDatabase::onServer())
            db.exec("DROP FUNCTION " + serverFunction + " CASCADE");
        else
            for (const QString& trigger : db.rows("select name from sqlite_master where " + sqliteTriggers))
                db.exec("DROP TRIGGER " + trigger);
        db.exec("DROP TABLE " + table);
    }
    // The failure's words, or nothing. With holding: after the first, holding is set and the rest wait a while.
    static QString inOneTransaction(const QStringList& statements, std::atomic<bool>* holding = nullptr)
    {
        try {
            Connection connection;
            connection.open();
            Transaction transaction(connection);
            for (const QString& statement : statements) {
                RecordSet().open(statement, connection);
                if (holding && !holding->exchange(true))
                    std::this_thread::sleep_for(std::chrono::milliseconds(400));
            }
            transaction.commit();
        } catch (const Failure& failure) {
            return failure.description();
        }
        return {};
    }

private slots:
    void init()
    {
        db.reset();
        db.exec("insert into Customer values (1, 'A', '', '1')");
        statement::setListener([this](const QString& text) { sent << text; });
    }
    void cleanup()
    {
        statement::setListener({});
        statement::setBoundaryListener({});
    }

    // A replay of what was sent (the benchmark's) goes in the same units:
    // each transaction's bounds are heard in turn with its statements.
    void aTransactionsBoundsAreHeardInTurnWithItsStatements()
    {
        statement::setBoundaryListener([this](statement::Boundary boundary) {
            sent << (boundary == statement::Boundary::Begin    ? "begin"
                     : boundary == statement::Boundary::Commit ? "commit"
                                                               : "rollback");
        });
        Connection till;
        till.open(db.connectionString());
        sent.clear();
        {
            Transaction kept(till);
            RecordSet().open("insert into Customer values (2, 'B', '', '2')", till);
            kept.commit();
        }
        {
            Transaction undone(till);
            RecordSet().open("delete from Customer", till);
        }
        RecordSet().open("update Customer set ITEM = 'C' where SN = 2", till);
        QCOMPARE(sent, (QStringList{"begin", "insert into Customer values (2, 'B', '', '2')", "commit",
                                    "begin", "delete from Customer", "rollback",
                                    "update Customer set ITEM = 'C' where SN = 2"}));
    }

    void aListIsReadAgainOnlyWhenItsTableChanged()
    {
        QCOMPARE(customerNumbers(), QString("1 read"));
        QCOMPARE(customerNumbers(), QString("1 kept"));
        Connection till;
        till.open(db.connectionString());
        RecordSet().open("insert into Customer values (2, 'B', '', '2')", till);
        RecordSet().open("insert into Stock (BillNumber, Item, Quantity) values (1, 'RICE', 5)", till);
        QCOMPARE(customerNumbers(), QString("1,2 read"));
        {
            Transaction undone(till);
            RecordSet().open("delete from Customer", till);
        }
        RecordSet().open("update Stock set Quantity = 4", till);
        QCOMPARE(customerNumbers(), QString("1,2 kept"));
        RecordSet().open("update Customer set ITEM = 'C' where SN = 2", till);
        RecordSet().open("delete from Customer where SN = 1", till);
        QCOMPARE(customerNumbers(), QString("2 read"));
    }

    // The bill screen's customers and items in stock follow their own tables, whichever other table
    // stays as it was, and a table emptied at once on the server.
    void theBillScreensListsFollowTheirOwnTables()
    {
        const stores::LineDocumentStore bills(stores::Document::Bill);
        const auto lists = [&] {
            bills.open();
            return bills.partyNumbers(stores::Order::LowestFirst).join(',') + "|"
                + bills.itemNames(stores::ItemNames::InStock).join(',');
        };
        db.exec("insert into Stock (BillNumber, Item, Quantity) values (1, 'RICE', 5)");
        QCOMPARE(lists(), QString("1|RICE"));
        Connection till;
        till.open(db.connectionString());
        RecordSet().open("insert into Customer values (2, 'B', '', '2')", till);
        QCOMPARE(lists(), QString("1,2|RICE"));
        RecordSet().open("insert into Stock (BillNumber, Item, Quantity) values (2, 'DAL', 5)", till);
        QCOMPARE(lists(), QString("1,2|DAL,RICE"));
        if (TestDatabase::onServer()) {
            RecordSet().open("truncate Stock", till);
            QCOMPARE(lists(), QString("1,2|"));
        }
    }

    // A list and its total read together agree, whatever another till commits between the two reads.
    void readsTogetherSeeOneMoment()
    {
        Connection printing;
        printing.open(db.connectionString());
        Connection till;
        till.open(db.connectionString());
        const auto customers = [&] {
            RecordSet rows;
            rows.open("select count(*) from Customer", printing);
            return rows.field(0).toInt();
        };
        {
            ReadTogether together(printing);
            QCOMPARE(customers(), 1);
            RecordSet().open("insert into Customer values (2, 'B', '', '2')", till);
            QCOMPARE(customers(), 1);
        }
        QCOMPARE(customers(), 2);
    }

    // In both orders; a change after another till's change reads the list.
    void ownChangesEditTheKeptLists()
    {
        const stores::MasterStore customers(QStringLiteral("Customer"));
        const auto change = [&](const std::function<void()>& write, bool commit = true) {
            customers.open();
            Transaction transaction(customers.connection());
            write();
            if (commit)
                transaction.commit();
        };
        QCOMPARE(customerNumbers(), QString("1 read"));
        const auto highestFirst = [&] { return customerNumbers(stores::Order::HighestFirst); };
        QCOMPARE(highestFirst(), QString("1 read"));
        change([&] { customers.save(3, "C", "", "3"); });
        change([&] { customers.save(2, "B", "", "2"); });
        QCOMPARE(customerNumbers(), QString("1,2,3 kept"));
        QCOMPARE(highestFirst(), QString("3,2,1 kept"));
        change([&] { customers.remove(2); });
        QCOMPARE(highestFirst(), QString("3,1 kept"));
        change([&] { customers.remove(1); }, false);
        QCOMPARE(highestFirst(), QString("3,1 read"));
        db.exec("insert into Customer values (5, 'E', '', '5')");
        change([&] { customers.save(4, "D", "", "4"); });
        QCOMPARE(customerNumbers(), QString("1,3,4,5 read"));
    }

    void documentChangesEditTheKeptNumbers()
    {
        const stores::LineDocumentStore bills(stores::Document::Bill);
        const auto change = [&](const std::function<void()>& write) {
            bills.open();
            Transaction transaction(bills.connection());
            write();
            transaction.commit();
        };
        const auto numbers = [&] { return billNumbers(bills); };
        QCOMPARE(numbers(), QString(" read"));
        for (const qint16 serial : {1, 2}) {
            DocumentLine line;
            line.number = 1;
            line.serial = serial;
            line.item = "RICE";
            line.date = QDate(2026, 12, 7);
            change([&] { bills.storeLine(line, serial == 1 ? stores::NumberUse::Claims : stores::NumberUse::Joins); });
        }
        QCOMPARE(numbers(), QString("1 kept"));
        change([&] { bills.removeLine(1, 1, stores::StockMove::None); });
        QCOMPARE(numbers(), QString("1 kept"));
        change([&] { bills.removeLine(1, 2, stores::StockMove::None); });
        QCOMPARE(numbers(), QString(" kept"));
    }

    // The numbers come from the table of the bills' sums, which the database keeps in step with the
    // lines whoever writes them; a database without it (an archive of an earlier version) lists them
    // from the lines, and its connection goes on working after the failed read.
    void theBillNumbersFollowAnotherTillsLinesWithOrWithoutTheirSums()
    {
        const stores::LineDocumentStore bills(stores::Document::Bill);
        const auto linesNumbers = [&] {
            return db.rows("select distinct BillNumber from asigncharges order by BillNumber desc").join(',');
        };
        Connection till;
        till.open(db.connectionString());
        const auto write = [&](const QString& statement) { RecordSet().open(statement, till); };
        write("insert into asigncharges (BillNumber, Serial, Item) values (3, 1, 'RICE'), (3, 2, 'DAL'), (1, 1, 'TEA')");
        QCOMPARE(billNumbers(bills), QString("3,1 read"));
        QVERIFY(!sent.filter("from BillSums", Qt::CaseInsensitive).isEmpty());
        write("delete from asigncharges where BillNumber = 3 and Serial = 1");
        QCOMPARE(billNumbers(bills), QString("3,1 read"));
        write("update asigncharges set BillNumber = 2 where BillNumber = 3");
        QCOMPARE(billNumbers(bills), QString("2,1 read"));
        QCOMPARE(billNumbers(bills), QString("2,1 kept"));
        QCOMPARE(billNumbers(bills).section(' ', 0, 0), linesNumbers());

        const auto madeAgain = qScopeGuard([&] { QVERIFY(changes::track(till)); });
        dropKeptTable("BillSums", "bill_sums_changed()", "name like 'BillSums_%'");
        write("insert into asigncharges (BillNumber, Serial, Item) values (5, 1, 'RICE')");
        QCOMPARE(billNumbers(bills), QString("5,2,1 read"));
        write("delete from asigncharges where BillNumber = 1");
        QCOMPARE(billNumbers(bills), QString("5,2 read"));
        QCOMPARE(billNumbers(bills).section(' ', 0, 0), linesNumbers());
    }

    // A server account that may read the lines but not the bills' sums lists the bills from the lines.
    void anAccountThatMayNotReadTheSumsListsTheBillsFromTheLines()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has no accounts");
        const QString reader = "bill_reader_" + QString::number(QCoreApplication::applicationPid());
        db.exec("CREATE ROLE " + reader + " NOLOGIN");
        const auto dropped = qScopeGuard([&] {
            db.exec("DROP OWNED BY " + reader);
            db.exec("DROP ROLE " + reader);
        });
        db.exec("GRANT " + reader + " TO CURRENT_USER");
        db.exec("GRANT SELECT ON asigncharges, BillChanges TO " + reader);
        db.exec("insert into asigncharges (BillNumber, Serial, Item) values (1, 1, 'TEA'), (2, 1, 'RICE')");
        const stores::LineDocumentStore looking(stores::Document::Bill);
        looking.open();
        RecordSet().open("SET ROLE " + reader, looking.connection());
        QCOMPARE(billNumbers(looking), QString("2,1 read"));
        RecordSet().open("RESET ROLE", looking.connection());
    }

    // No table of versions, no triggers: the counting is added at login.
    void aDatabaseMadeBeforeLearnsToCountItsChanges()
    {
        dropKeptTable("BillChanges", "bill_table_changed()", "type = 'trigger'");
        QCOMPARE(customerNumbers(), QString("1 read"));
        QCOMPARE(customerNumbers(), QString("1 read"));

        Connection program;
        program.open(db.connectionString());
        QVERIFY(changes::track(program));
        QVERIFY(changes::track(program));  // once is enough: the second finds it done
        QCOMPARE(customerNumbers(), QString("1 read"));
        QCOMPARE(customerNumbers(), QString("1 kept"));
        RecordSet().open("insert into Customer values (2, 'B', '', '2')", program);
        QCOMPARE(customerNumbers(), QString("1,2 read"));
    }

    // Delete Serial raises the stock, then deletes; Add Item stores, then lowers the stock. On a
    // database some site set to a stricter isolation, as on the server's own default.
    void twoTillsWritingInOppositeOrdersWaitInTurn()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has one writer at a time");
        db.alterOnServer("SET default_transaction_isolation TO 'repeatable read'");
        const auto isolation = qScopeGuard([&] { db.alterOnServer("RESET default_transaction_isolation"); });
        db.exec("insert into Stock (BillNumber, Item, ItemCode, Batch_Number, Quantity) values (1, 'RICE', '', '', 50)");
        db.exec("insert into asigncharges (BillNumber, Serial, Item, Quantity) values (1, 1, 'RICE', 2)");
        std::atomic<bool> holding{false};
        QString otherFailure;
        std::thread other([&] {
            otherFailure = inOneTransaction({"Update Stock set Quantity = Quantity + 2 where Item = 'RICE'",
                                             "DELETE FROM asigncharges where BillNumber = 1 and Serial = 1"},
                                            &holding);
            holding = true;
        });
        while (!holding)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const QString failure = inOneTransaction({"insert into asigncharges (BillNumber, Serial, Item, Quantity) values (2, 1, 'RICE', 3)",
                                                  "Update Stock set Quantity = Quantity - 3 where Item = 'RICE'"});
        other.join();
        QVERIFY2(otherFailure.isEmpty() && failure.isEmpty(), qPrintable(otherFailure + failure));
        QCOMPARE(db.rows("select BillNumber, Serial from asigncharges"), QStringList{"2|1"});
        QCOMPARE(db.value("select Quantity from Stock").toInt(), 49);
    }
};

QTEST_MAIN(ChangesTest)
#include "tst_changes.moc"
