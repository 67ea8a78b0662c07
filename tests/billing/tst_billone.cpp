// The simple bill screen driven as the operator drives it, against a real
// database behind the data source.

#include "billing/BillOne.h"
#include "kit/Dates.h"
#include "kit/Grid.h"
#include "kit/Twips.h"
#include "print/TextCapture.h"
#include "support/BillingOperator.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QPointer>
#include <QtTest>

using namespace billingtest;

namespace {
const QString LinesQuery = QStringLiteral(
    "select BillNumber, Serial, Item, Quantity, Amount, TaxInPercentage, DiscountinPercentage, "
    "CustomerName, CustomerAddress, CustomerPhone, Remark, CHARGES, SN, Date_, ItemCode, Batch_Number, MRP "
    "from asigncharges order by BillNumber, Serial");
const QString Headings = QStringLiteral("Serial|Item|Quantity|Amount_|Discount|Tax|Total");
}  // namespace

class BillOneTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    std::shared_ptr<print::CaptureLog> printed;
    std::unique_ptr<BillOne> screen;
    std::unique_ptr<BillOperator> op;

    BillOperator& open()
    {
        screen = std::make_unique<BillOne>();
        screen->show();
        op = std::make_unique<BillOperator>(screen.get());
        return *op;
    }
    QStringList serialsOf(int bill)
    {
        return db.rows(QStringLiteral("select Serial from asigncharges where BillNumber = %1 order by Serial").arg(bill));
    }
    int stockOf(const QString& item)
    {
        return db.value(QStringLiteral("select Quantity from Stock where Item = ") + sql::text(item)).toInt();
    }

private slots:
    void init()
    {
        db.reset();
        messages.clear();
        messages.answers.clear();
        printed = print::installCapture();
    }
    void cleanup()
    {
        op.reset();
        screen.reset();
        print::restoreDefaultDestination();
    }

    void screenAsDesigned()
    {
        BillOperator& op = open();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Bill"));
        QCOMPARE(screen->size(), twips::toPixels(11895, 9120, screen.get()));
        // Item code and batch exist but stay out of sight and empty.
        QVERIFY(!op.list("CmbCode")->isVisible());
        QVERIFY(!op.box("txtBatch")->isVisible());
        QVERIFY(!op.control<QCheckBox>("chkph")->isChecked());
        QCOMPARE(op.control<QDateEdit>("DTP")->date(), QDate::currentDate());
    }

    void openingShowsTheListsAndTheNextBill()
    {
        for (const QString& row : {stockRow(1, "TEA", 10, 5), stockRow(2, "RICE", 10, 40),
                                   stockRow(3, "DAL", 10, 90), billLine(3, 1, "TEA", 1, 5),
                                   billLine(7, 1, "RICE", 2, 40, 0, 0, "LAST BILL"),
                                   customerRow(1, "ANIL", "1 MG ROAD", "98450"),
                                   customerRow(5, "BINA", "5 LAKE VIEW", "77712"),
                                   customerRow(2, "CHAND", "2 HILL ST", "66601")})
            db.exec(row);
        BillOperator& op = open();

        QComboBox* items = op.list("cmbitem");
        QCOMPARE(QStringList({items->itemText(0), items->itemText(1), items->itemText(2)}),
                 QStringList({"DAL", "RICE", "TEA"}));
        QComboBox* bills = op.list("cmbbillnumber");
        QCOMPARE(bills->count(), 2);
        QCOMPARE(QStringList({bills->itemText(0), bills->itemText(1)}), QStringList({"7", "3"}));
        QCOMPARE(op.billNumber(), QStringLiteral("8"));
        QVERIFY(bills->isEnabled());
        // The newest bill was loaded on the way; none of it is left showing.
        QCOMPARE(op.gridHeadings().join('|'), Headings);
        QCOMPARE(op.gridRows(), QStringList());
        QCOMPARE(op.grandTotal(), QStringLiteral("0"));
        // The highest customer number is selected and filled in.
        QComboBox* customers = op.list("CMBMEMBERNUM");
        QCOMPARE(customers->count(), 3);
        QCOMPARE(customers->currentText(), QStringLiteral("5"));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("BINA"));
        QCOMPARE(op.box("txtaddress")->text(), QStringLiteral("5 LAKE VIEW"));
        QCOMPARE(op.box("txtphone")->text(), QStringLiteral("77712"));
    }

    void emptyDatabaseStartsAtBillOneSerialOne()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        BillOperator& op = open();
        QCOMPARE(op.billNumber(), QStringLiteral("1"));
        QCOMPARE(op.list("CMBMEMBERNUM")->count(), 0);
        QCOMPARE(op.box("txtname")->text(), QString());

        op.type("txtname", "walk in");
        op.type("txtRemark", "paid cash");
        op.addLine("RICE", "3");
        op.addLine("RICE", "1");  // the same item again is another line
        const QString today = dates::shown(QDate::currentDate());
        QCOMPARE(db.rows(LinesQuery),
                 QStringList({"1|1|RICE|3|40|0|0|WALK IN|||PAID CASH|-|0|" + today + "|||0",
                              "1|2|RICE|1|40|0|0|WALK IN|||PAID CASH|-|0|" + today + "|||0"}));
        QCOMPARE(op.gridRows(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|1|40|0|0|40"}));
        QCOMPARE(op.grandTotal(), QStringLiteral("160"));
        // Stock rows without code and batch are the ones this screen sells from.
        QCOMPARE(stockOf("RICE"), 96);
        // The box stays on this bill, and the list learns of it only at New Bill.
        QVERIFY(!op.list("cmbbillnumber")->isEnabled());
        QCOMPARE(op.list("cmbbillnumber")->count(), 0);
        QCOMPARE(op.billNumber(), QStringLiteral("1"));

        op.click("CmdNewBill");
        QVERIFY(op.list("cmbbillnumber")->isEnabled());
        QCOMPARE(op.billNumber(), QStringLiteral("2"));
        QCOMPARE(op.list("cmbbillnumber")->itemText(0), QStringLiteral("1"));
        QCOMPARE(op.gridRows(), QStringList());
        QCOMPARE(op.gridHeadings().join('|'), Headings);
        QCOMPARE(op.grandTotal(), QStringLiteral("0"));
        QCOMPARE(op.box("txtname")->text(), QString());  // not the last bill's customer
        op.addLine("RICE", "1");
        QCOMPARE(serialsOf(2), QStringList({"1"}));
    }

    void deletedSerialLeavesAGap()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(stockRow(2, "DAL", 100, 90));
        db.exec(billLine(5, 2, "TEA", 1, 5));  // another bill with a serial 2
        BillOperator& op = open();
        QCOMPARE(op.billNumber(), QStringLiteral("6"));
        op.addLine("RICE", "1");
        op.addLine("DAL", "2");
        op.addLine("RICE", "4");
        QCOMPARE(stockOf("DAL"), 98);

        op.clickGridRow(1);
        op.click("cmdDelSerial");
        QCOMPARE(serialsOf(6), QStringList({"1", "3"}));
        QCOMPARE(serialsOf(5), QStringList({"2"}));
        QCOMPARE(stockOf("DAL"), 100);  // given back
        QCOMPARE(op.gridRows(), QStringList({"1|RICE|1|40|0|0|40", "3|RICE|4|160|0|0|160"}));
        QCOMPARE(op.grandTotal(), QStringLiteral("200.00"));

        op.addLine("DAL", "1");
        QCOMPARE(serialsOf(6), QStringList({"1", "3", "4"}));
        QVERIFY(messages.shown.isEmpty());

        // With another number typed into the box, the grid's serial is not that bill's.
        db.exec(billLine(5, 1, "TEA", 1, 5));
        op.click("CmdNewBill");
        QVERIFY(op.pick("cmbbillnumber", "6"));
        op.typeIn(op.list("cmbbillnumber"), "5");
        QCOMPARE(grid::currentText(op.grid(), 0), QStringLiteral("1"));
        op.click("cmdDelSerial");
        QCOMPARE(serialsOf(5), QStringList({"1", "2"}));
        QCOMPARE(serialsOf(6), QStringList({"1", "3", "4"}));
    }

    void typedFiguresAreConverted()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        BillOperator& op = open();
        op.addLine("RICE", "2.5");
        op.addLine("RICE", "3.5");
        op.addLine("RICE", "1", "abc", "x");
        QCOMPARE(op.box("txttax")->text(), QStringLiteral("0"));
        QCOMPARE(op.box("txtDiscount")->text(), QStringLiteral("0"));
        QCOMPARE(db.rows("select Serial, Quantity, TaxInPercentage, DiscountinPercentage from asigncharges order by Serial"),
                 QStringList({"1|2|0|0", "2|4|0|0", "3|1|0|0"}));

        // Nothing is added for a quantity that is no 16-bit number, nor for a
        // bill number below 1; the boxes keep what was typed.
        for (const char* quantity : {"40000", "-32769", "abc", ""})
            op.addLine("RICE", quantity);
        QCOMPARE(db.count("asigncharges"), 3);
        op.click("CmdNewBill");
        op.typeIn(op.list("cmbbillnumber"), "0");
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 3);
        QVERIFY(messages.shown.isEmpty());
    }

    void lineFiguresInTheGrid()
    {
        db.exec(stockRow(1, "RICE", 100, 100));
        BillOperator& op = open();
        op.addLine("RICE", "2", "5", "10");
        QCOMPARE(op.gridRows(), QStringList({"1|RICE|2|200|20|9|189"}));
        QCOMPARE(op.grandTotal(), QStringLiteral("189"));
        QCOMPARE(db.rows("select Amount, TaxInPercentage, DiscountinPercentage from asigncharges"),
                 QStringList({"100|5|10"}));
    }

    void grandTotalRoundsAsItGoesAndOnceWhenLoaded()
    {
        db.exec(stockRow(1, "SAMOSA", 100, 10.5));
        BillOperator& op = open();
        op.type("txtname", "ravi");
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QStringLiteral("10"));
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QStringLiteral("20"));

        op.click("CmdNewBill");
        op.type("txtname", "someone else");
        QVERIFY(op.pick("cmbbillnumber", "1"));
        QCOMPARE(op.grandTotal(), QStringLiteral("21.00"));
        QCOMPARE(op.gridRows(), QStringList({"1|SAMOSA|1|10.5|0|0|10.5", "2|SAMOSA|1|10.5|0|0|10.5"}));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("RAVI"));
    }

    void deletingABill()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(billLine(1, 1, "TEA", 1, 5));
        db.exec(billLine(2, 1, "RICE", 2, 40));
        db.exec(billLine(2, 2, "RICE", 3, 40));
        BillOperator& op = open();
        QVERIFY(op.pick("cmbbillnumber", "2"));
        const QStringList before = db.rows(LinesQuery);

        messages.answers = {false};
        op.click("cmdDELET");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, RecordingMessages::Kind::Question);
        QCOMPARE(messages.shown.at(0).caption, QStringLiteral("Delete"));
        QCOMPARE(messages.shown.at(0).text, QStringLiteral("Confirm Delete Bill ?"));
        QCOMPARE(db.rows(LinesQuery), before);
        QCOMPARE(op.gridRows().size(), 2);

        messages.clear();
        messages.answers = {true};
        op.click("cmdDELET");
        QCOMPARE(db.rows("select BillNumber, Serial from asigncharges"), QStringList({"1|1"}));
        QCOMPARE(stockOf("RICE"), 100);  // this screen leaves the stock alone
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(messages.shown.at(1).kind, RecordingMessages::Kind::Information);
        QCOMPARE(messages.shown.at(1).caption, QStringLiteral("Deleted"));
        QCOMPARE(messages.shown.at(1).text, QStringLiteral("Data Deleted"));
        QCOMPARE(op.list("cmbbillnumber")->count(), 1);
        QCOMPARE(op.billNumber(), QStringLiteral("1"));
        QCOMPARE(op.grid()->model()->columnCount(), 0);
    }

    void apostrophesPastedIntoBoxes()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        BillOperator& op = open();
        op.box("txtname")->setText(QStringLiteral("O'Brien"));
        op.box("txtaddress")->setText(QStringLiteral("12 King's Road"));
        op.box("txtRemark")->setText(QStringLiteral("'); Delete * from Stock; --"));
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select CustomerName, CustomerAddress, Remark from asigncharges"),
                 QStringList({"O'Brien|12 King's Road|'); Delete * from Stock; --"}));
        QCOMPARE(db.count("Stock"), 1);
        // Typed, the apostrophe never arrives.
        op.type("txtname", "d'souza");
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("DSOUZA"));
    }

    void billNumbersUsedUp()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(billLine(1, 1, "TEA", 1, 5));
        db.exec(billLine(32767, 1, "TEA", 1, 5));
        BillOperator& op = open();
        QCOMPARE(op.billNumber(), QString());  // no number left to offer
        const QStringList before = db.rows(LinesQuery);
        op.addLine("RICE", "1");
        QCOMPARE(db.rows(LinesQuery), before);
        QCOMPARE(messages.texts(), QStringList({"Bill numbers are used up: the highest bill number is 32767."}));

        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QString());
        op.addLine("RICE", "1");
        QCOMPARE(db.rows(LinesQuery), before);

        // A bill whose serials are used up takes no more lines either.
        db.exec(billLine(4, 32767, "TEA", 1, 5));
        messages.clear();
        op.click("CmdNewBill");
        QVERIFY(op.pick("cmbbillnumber", "4"));
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges", "BillNumber = 4"), 1);
        QCOMPARE(messages.texts(), QStringList({"A bill holds at most 32767 lines: bill 4 is full."}));
    }

    void unreadableNumberingOffersNoNumber()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(billLine(1, 1, "TEA", 1, 5));
        db.makeUnreachable();
        BillOperator& op = open();
        db.makeReachable();
        QVERIFY(!messages.shown.isEmpty());  // connectx told the operator
        QCOMPARE(messages.shown.last().kind, RecordingMessages::Kind::Error);
        QCOMPARE(op.billNumber(), QString());  // not 1, which is in use
        messages.clear();
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 1);
        QVERIFY(messages.shown.isEmpty());
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QStringLiteral("2"));
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select BillNumber, Serial, Item from asigncharges order by BillNumber"),
                 QStringList({"1|1|TEA", "2|1|RICE"}));
    }

    void lineAndStockChangeTogether()
    {
        // The stock left can go no lower than -32768: its update fails.
        db.exec(stockRow(1, "RICE", -32766, 40));
        BillOperator& op = open();
        op.addLine("RICE", "5");
        QCOMPARE(db.count("asigncharges"), 0);
        QCOMPARE(stockOf("RICE"), -32766);
        QCOMPARE(op.gridRows(), QStringList());
        op.addLine("RICE", "2");
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(stockOf("RICE"), -32768);

        // Giving the quantity back fails the same way at the top: the line stays.
        db.exec("update Stock set Quantity = 32767");
        op.click("cmdDelSerial");
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(stockOf("RICE"), 32767);
        QCOMPARE(op.grandTotal(), QStringLiteral("80"));
        db.exec("update Stock set Quantity = 0");
        op.click("cmdDelSerial");
        QCOMPARE(db.count("asigncharges"), 0);
        QCOMPARE(stockOf("RICE"), 2);
        QCOMPARE(op.grandTotal(), QStringLiteral("0.00"));
    }

    void nothingIsAddedWithoutAPrice()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        BillOperator& op = open();
        op.addLine("SUGAR", "1");  // typed: no stock row of that name
        QCOMPARE(op.list("cmbitem")->currentText(), QStringLiteral("SUGAR"));
        QCOMPARE(db.count("asigncharges"), 0);
        db.exec("update Stock set MRP = NULL");
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 0);
        QCOMPARE(messages.shown.size(), 0);
        // An empty item box adds nothing either.
        op.typeIn(op.list("cmbitem"), "");
        op.type("txtquantity", "1");
        op.click("CmbAdd");
        QCOMPARE(db.count("asigncharges"), 0);
    }

    void keysOfTheScreen()
    {
        BillOperator& op = open();
        op.type("txtaddress", "abc road");
        QCOMPARE(op.box("txtaddress")->text(), QStringLiteral("ABC ROAD"));
        op.type("txtRemark", QString(55, QLatin1Char('x')));
        QCOMPARE(op.box("txtRemark")->text(), QString(50, QLatin1Char('X')));

        QTest::keyClick(op.box("txtquantity"), Qt::Key_Return);
        QCOMPARE(printed->finishedJobs(), 1);
        QTest::keyClick(op.list("cmbitem"), Qt::Key_Enter);
        QCOMPARE(printed->finishedJobs(), 2);

        QLineEdit* name = op.box("txtname");
        QPointer<BillOne> closing(screen.release());
        QTest::keyClick(name, Qt::Key_Escape);
        QTRY_VERIFY(closing.isNull());  // closed screens are deleted
    }

    void customerByNumberOrPhone()
    {
        db.exec(customerRow(1, "ANIL", "1 MG ROAD", "98450"));
        db.exec(customerRow(2, "BINA", "5 LAKE VIEW", "77712"));
        db.exec(customerRow(3, "CHAND", "2 HILL ST", "9845099"));
        BillOperator& op = open();
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("CHAND"));
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("ANIL"));
        QCOMPARE(op.box("txtaddress")->text(), QStringLiteral("1 MG ROAD"));
        QCOMPARE(op.box("txtphone")->text(), QStringLiteral("98450"));

        // Unticked, the phone box is just a box.
        op.type("txtphone", "777");
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("ANIL"));

        op.control<QCheckBox>("chkph")->click();
        op.type("txtphone", "777");
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("BINA"));
        QCOMPARE(op.box("txtaddress")->text(), QStringLiteral("5 LAKE VIEW"));
        op.type("txtphone", "000");
        QCOMPARE(op.box("txtname")->text(), QString());
        QCOMPARE(op.box("txtaddress")->text(), QString());
        op.type("txtphone", "%");  // a wildcard matches; nothing breaks
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("ANIL"));
        // A picked customer's phone is looked up too: the first whose phone contains it.
        QVERIFY(op.pick("CMBMEMBERNUM", "3"));
        QCOMPARE(op.box("txtphone")->text(), QStringLiteral("9845099"));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("CHAND"));
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("ANIL"));

        // A customer removed since the list was filled leaves the boxes alone.
        op.control<QCheckBox>("chkph")->click();
        db.exec("delete from Customer where SN = 2");
        op.type("txtname", "kept");
        QVERIFY(op.pick("CMBMEMBERNUM", "2"));
        QCOMPARE(op.box("txtname")->text(), QStringLiteral("KEPT"));
        QCOMPARE(op.box("txtphone")->text(), QStringLiteral("98450"));
    }
};

QTEST_MAIN(BillOneTest)
#include "tst_billone.moc"
