// The screens' writing operations against a database that cannot take them:
// held by another program or till, read-only, full, damaged (a SQLite file's
// state), or refusing the change by a rule of its own. Each fails
// with a notice of why, shown once, claims no success, stores nothing and
// leaves the screen showing what it showed; reading goes on.

#include "billing/BillOne.h"
#include "billing/BillTwo.h"
#include "data/Connection.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "expenditure/Expenditure.h"
#include "masters/MasterScreen.h"
#include "shell/ChangePwd.h"
#include "stock/ItemInFrm.h"
#include "support/BillingOperator.h"
#include "support/BrokenDatabase.h"
#include "support/Checks.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

using namespace billingtest;

Q_DECLARE_METATYPE(brokendb::BadDisk::Kind)
Q_DECLARE_METATYPE(DbError::Kind)

namespace {

const QStringList Tables{"asigncharges", "ItemIn", "Stock", "ExpenditureTable", "Customer", "Charges", "UserTable"};

// A customer and a supplier, an item priced in the stock for the simple bill,
// a coded batch, and one document on each screen, a voucher too.
const QStringList Rows{customerRow(1, "RAM", "ROAD", "98765"),
                       supplierRow(1, "ACME", "LANE", "12345"),
                       chargesRow(1, "RICE", 40),
                       stockRow(1, "TEA", 50, 10),
                       batchRow(2, "C1", "RICE", "B1", 10, 40),
                       billLine(1, 1, "TEA", 2, 10),
                       codedLine("asigncharges", 2, 1, "C1", "RICE", "B1", 3, 40),
                       codedLine("ItemIn", 1, 1, "C1", "RICE", "B1", 10, 40),
                       "insert into ExpenditureTable values(1,0,'RENT',0,900,0,0,'RAMU','','','','-',0,#2026-12-04#,'-','-')"};

QString notice(DbError::Kind kind)
{
    return dberrors::notice(kind);
}

void saveCustomer(BillOperator& op)
{
    op.type("txtname", "SHAM");
    op.type("txtpn", "LANE");
    op.type("txtremark", "11111");
    op.click("CmdSave");
}

// Every writing operation of every screen, on the rows above.
struct Write {
    const char* operation;
    std::function<QWidget*()> screen;
    std::function<void(BillOperator&)> write;
};

QList<Write> everyWrite()
{
    const auto deleting = [](const char* number, const char* button) {
        return [=](BillOperator& op) {
            QVERIFY(op.pick("cmbbillnumber", number));
            QVERIFY(!op.gridRows().isEmpty());  // read, though nothing can be written
            op.clickGridRow(0);
            op.click(button);
        };
    };
    return {
        {"simple bill: Add Item", [] { return new BillOne; }, [](BillOperator& op) { op.addLine("TEA", "1"); }},
        {"simple bill: Delete Serial", [] { return new BillOne; }, deleting("1", "cmdDelSerial")},
        {"simple bill: Delete Bill", [] { return new BillOne; }, deleting("1", "cmdDELET")},
        {"bill with details: Add Item", [] { return new BillTwo; },
         [](BillOperator& op) {
             for (const char* box : {"txttax", "txtDiscount"})
                 op.type(box, "0");  // else Add Item writes the 0 it takes for an empty box
             op.sellByCode("C1", "1");
         }},
        {"bill with details: Delete Serial", [] { return new BillTwo; }, deleting("2", "cmdDelSerial")},
        {"bill with details: Delete Bill", [] { return new BillTwo; }, deleting("2", "cmdDELET")},
        {"receipt: Add Item", [] { return new ItemInFrm; },
         [](BillOperator& op) { op.receiveLine("RICE", "C1", "B1", "5", "40"); }},
        {"receipt: Delete Serial", [] { return new ItemInFrm; }, deleting("1", "cmdDelSerial")},
        {"receipt: Delete Receipt", [] { return new ItemInFrm; }, deleting("1", "cmdDELET")},
        {"voucher: Add", [] { return new Expenditure; },
         [](BillOperator& op) {
             op.typeIn(op.list("cmbitem"), "TEA");
             op.type("txtquantity", "50");
             op.click("CmbAdd");
         }},
        {"voucher: Delete", [] { return new Expenditure; }, [](BillOperator& op) { op.click("cmdDELET"); }},
        {"customer: Save", [] { return masters::createCustomerEnty(); }, saveCustomer},
        {"customer: Delete", [] { return masters::createCustomerEnty(); },
         [](BillOperator& op) { op.click("cmddelete"); }},
        {"item: Save", [] { return masters::createItemEntry(); },
         [](BillOperator& op) {
             op.type("txtname", "SUGAR");
             op.type("txtpn", "30");
             op.click("CmdSave");
         }},
        {"password change", [] { return new ChangePwd; },
         [](BillOperator& op) {
             op.typeIn(op.list("txtUID"), "ADMIN");
             op.type("txtPwd", "NEW");
             op.type("txtReenter", "NEW");
             op.click("CmdPass");
         }},
    };
}

}  // namespace

class UnavailableTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;

    // Every row of the tables the operations write.
    QStringList everything()
    {
        QStringList all;
        for (const QString& table : Tables)
            all << table << checks::sorted(db.rows("select * from " + table));
        return all;
    }

    // One message besides the questions: an error with the words and the
    // news that nothing was changed; nothing claimed success or blamed the
    // operator's input.
    void toldOnce(const QString& words, const char* operation)
    {
        const QStringList all = checks::told(messages);
        const QStringList said = all.filter(QRegularExpression("^[i!] "));
        QVERIFY2(said.size() == 1 && said[0].startsWith("! ") && said[0].contains(words)
                     && said[0].contains("Nothing was changed"),
                 qPrintable(operation + (": " + all.join(" / "))));
    }

    template <class Screen>
    static std::unique_ptr<QWidget> show(Screen* screen)
    {
        screen->show();
        return std::unique_ptr<QWidget>(screen);
    }

    // Every write fails, told with the words; nothing is stored, and the
    // screen shows what it showed as the write's button went down.
    void everyWriteFails(const QString& words)
    {
        const QStringList before = everything();
        for (const Write& each : everyWrite()) {
            messages.clear();
            messages.answers = {true, true};
            const std::unique_ptr<QWidget> screen = show(each.screen());
            QStringList shown;
            for (QPushButton* button : screen->findChildren<QPushButton*>())
                connect(button, &QPushButton::pressed, screen.get(), [&] { shown = checks::shownTexts(screen.get()); });
            BillOperator op(screen.get());
            each.write(op);
            toldOnce(words, each.operation);
            QCOMPARE(everything(), before);
            QCOMPARE(checks::shownTexts(screen.get()), shown);
        }
    }

private slots:
    void init()
    {
        db.reset();
        for (const QString& row : Rows)
            db.exec(row);
        messages.clear();
        messages.answers.clear();
    }
    void cleanup()
    {
        db.holdAgain();
        for (const QString& drop : dropFailingTriggers(Tables))
            db.exec(drop);
    }

    void aBusyDatabaseFailsWithinTheBoundAndStoresNothing()
    {
        const std::unique_ptr<QWidget> bill = show(new BillOne);
        const std::unique_ptr<QWidget> customers = show(masters::createCustomerEnty());
        BillOperator billing(bill.get()), master(customers.get());
        const QStringList before = everything();

        const auto boundedWait = [](const QElapsedTimer& waited) {
            // About twice the SQLite driver's Timeout of 2 s, or the server's
            // lock_timeout of 4 s: a wait, and then the failure.
            QVERIFY2(waited.elapsed() > 1000 && waited.elapsed() < 8000, qPrintable(QString::number(waited.elapsed())));
        };
        {
            Connection other;
            other.open();
            Transaction holding(other);
            RecordSet lock;
            // A write holds SQLite's one lock; a server's are by table.
            lock.open(TestDatabase::onServer() ? "LOCK TABLE asigncharges, Customer IN EXCLUSIVE MODE"
                                               : "insert into Charges values(9, 'LOCK', 1, '-', 0)",
                      other);

            QElapsedTimer waited;
            waited.start();
            billing.addLine("TEA", "2");
            boundedWait(waited);
            toldOnce(notice(DbError::Kind::Busy), "Add Item");

            messages.clear();
            waited.restart();
            saveCustomer(master);
            boundedWait(waited);
            toldOnce(notice(DbError::Kind::Busy), "Save");
        }
        QCOMPARE(everything(), before);

        // Free again: the same Save goes through.
        messages.clear();
        saveCustomer(master);
        QCOMPARE(checks::told(messages), QStringList({"i Info: Saved"}));
    }

    void aReadOnlyDatabaseRefusesEveryWriteAndReadingGoesOn()
    {
        const brokendb::ReadOnly readOnly(db);
        everyWriteFails(notice(DbError::Kind::ReadOnly));
    }

    // A rule of the database's own refuses every change: told in its words.
    void aChangeTheDatabaseRefusesIsToldInItsWords()
    {
        for (const QString& table : Tables)
            for (const char* change : {"INSERT", "UPDATE", "DELETE"})
                db.exec(failingTrigger(change, table));
        everyWriteFails(TriggerWords);
    }

    // Every statement of the opening fails on a damaged file: told once.
    void aDamagedDatabaseIsToldOnceWhenAScreenOpens()
    {
        if (TestDatabase::onServer())
            QSKIP("a SQLite file's state");
        db.letGo();
        QFile file(db.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray sound = file.readAll();
        QVERIFY(file.seek(4096));  // the first page, with the schema, stays
        file.write(QByteArray(sound.size() - 4096, '\x5a'));
        file.close();
        {
            const std::unique_ptr<QWidget> bill = show(new BillOne);
            const std::unique_ptr<QWidget> customers = show(masters::createCustomerEnty());
        }
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(sound) == sound.size());
        file.close();
        const QStringList notices = checks::told(messages).filter(notice(DbError::Kind::Damaged));
        QCOMPARE(notices.size(), 2);  // one for each screen
    }

    void aDiskThatFailsStoresNoReceiptHalfway_data()
    {
        QTest::addColumn<brokendb::BadDisk::Kind>("disk");
        QTest::addColumn<DbError::Kind>("told");
        QTest::newRow("full") << brokendb::BadDisk::Full << DbError::Kind::Full;
        QTest::newRow("failing") << brokendb::BadDisk::Failing << DbError::Kind::Unreachable;
    }
    // Receipts of new batches until the disk fails one: each line and its
    // new batch are stored together or not at all. With the disk sound
    // again the next receipt goes in, and no connection is left behind
    // (once the last is closed, SQLite removes its write-ahead log).
    void aDiskThatFailsStoresNoReceiptHalfway()
    {
        QFETCH(brokendb::BadDisk::Kind, disk);
        QFETCH(DbError::Kind, told);
        if (disk == brokendb::BadDisk::Failing && TestDatabase::onServer())
            QSKIP("a SQLite file's state");
        std::optional<brokendb::BadDisk> bad(std::in_place, db, disk);
        std::unique_ptr<QWidget> receipt = show(new ItemInFrm);
        BillOperator op(receipt.get());
        const auto receive = [&](int batch) { op.receiveLine("RICE", "C9", QString("B%1").arg(batch), "3", "40"); };
        int added = 0;
        for (; added < 500 && messages.shown.isEmpty(); ++added)
            receive(added);
        bad.reset();
        toldOnce(notice(told), "Add Item");
        QCOMPARE(db.count("ItemIn", "ItemCode = 'C9'"), added - 1);
        QCOMPARE(db.count("Stock", "ItemCode = 'C9'"), added - 1);

        messages.clear();
        receive(added);
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.texts().join(" / ")));
        QCOMPARE(db.count("ItemIn", "ItemCode = 'C9'"), added);
        receipt.reset();
        db.letGo();
        QVERIFY(TestDatabase::onServer() || !QFile::exists(db.path() + "-wal"));
    }
};

QTEST_MAIN(UnavailableTest)
#include "tst_unavailable.moc"
