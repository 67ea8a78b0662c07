// The simple bill screen driven as the operator drives it, against a real
// database behind the data source, and its printed receipt read back as text.

#include "billing/BillOne.h"
#include "billing/BillReceipt.h"
#include "kit/Dates.h"
#include "kit/Grid.h"
#include "kit/Maker.h"
#include "support/BillingOperator.h"
#include "support/Checks.h"
#include "support/ScreenBench.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QtTest>

using namespace billingtest;
using checks::told;

namespace {
const QString LinesQuery = QStringLiteral(
    "select BillNumber, Serial, Item, Quantity, Amount, TaxInPercentage, DiscountinPercentage, "
    "CustomerName, CustomerAddress, CustomerPhone, Remark, CHARGES, SN, Date_, ItemCode, Batch_Number, MRP "
    "from asigncharges order by BillNumber, Serial");
}  // namespace

class BillOneTest : public QObject, ScreenBench<BillOne> {
    Q_OBJECT

    QStringList serialsOf(int bill)
    {
        return db.rows(QStringLiteral("select Serial from asigncharges where BillNumber = %1 order by Serial").arg(bill));
    }
    int stockOf(const QString& item)
    {
        return db.value("select Quantity from Stock where Item = " + sql::text(item)).toInt();
    }

private slots:
    void init() { reset(); }
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        close();
    }

    void openingShowsTheListsAndTheNextBill()
    {
        BillOperator& op = open({stockRow(1, "TEA", 10, 5), stockRow(2, "RICE", 10, 40), stockRow(3, "DAL", 10, 90),
                                 billLine(3, 1, "TEA", 1, 5), billLine(7, 1, "RICE", 2, 40, 0, 0, "LAST BILL"),
                                 customerRow(1, "ANIL", "1 MG ROAD", "98450"),
                                 customerRow(5, "BINA", "5 LAKE VIEW", "77712"),
                                 customerRow(2, "CHAND", "2 HILL ST", "66601")});
        QCOMPARE(checks::entries(op.list("cmbitem")), QStringList({"DAL", "RICE", "TEA"}));
        QCOMPARE(checks::entries(op.list("cmbbillnumber")), QStringList({"7", "3"}));
        QCOMPARE(op.billNumber(), QString("8"));
        QVERIFY(op.list("cmbbillnumber")->isEnabled());
        // The newest bill was loaded on the way; none of it is left showing.
        QCOMPARE(op.shown(), QStringList{"= 0"});
        // The highest customer number is selected and filled in.
        QCOMPARE(op.list("CMBMEMBERNUM")->currentText() + "|" + op.party(), QString("5|BINA|5 LAKE VIEW|77712"));
    }

    void emptyDatabaseStartsAtBillOneSerialOne()
    {
        BillOperator& op = open({stockRow(1, "RICE", 100, 40)});
        QCOMPARE(op.billNumber(), QString("1"));
        QCOMPARE(op.party(), QString("||"));
        op.type("txtname", "walk in");
        op.type("txtRemark", "paid cash");
        op.addLine("RICE", "3");
        op.addLine("RICE", "1");  // the same item again is another line
        const QString today = dates::shown(QDate::currentDate());
        QCOMPARE(db.rows(LinesQuery), QStringList({"1|1|RICE|3|40|0|0|WALK IN|||PAID CASH|-|0|" + today + "|||0",
                                                   "1|2|RICE|1|40|0|0|WALK IN|||PAID CASH|-|0|" + today + "|||0"}));
        QCOMPARE(op.shown(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|1|40|0|0|40", "= 160"}));
        QCOMPARE(stockOf("RICE"), 96);  // stock rows without code and batch are the ones sold from
        // The box stays on this bill, and the list learns of it only at New Bill.
        QVERIFY(!op.list("cmbbillnumber")->isEnabled());
        QCOMPARE(op.list("cmbbillnumber")->count(), 0);

        op.click("CmdNewBill");
        QVERIFY(op.list("cmbbillnumber")->isEnabled());
        QCOMPARE(op.billNumber(), QString("2"));
        QCOMPARE(checks::entries(op.list("cmbbillnumber")), QStringList{"1"});
        QCOMPARE(op.shown(), QStringList{"= 0"});
        QCOMPARE(op.party(), QString("||"));  // not the last bill's customer
        op.addLine("RICE", "1");
        QCOMPARE(serialsOf(2), QStringList({"1"}));
    }

    void deletedSerialLeavesAGap()
    {
        BillOperator& op = open({stockRow(1, "RICE", 100, 40), stockRow(2, "DAL", 100, 90),
                                 billLine(5, 2, "TEA", 1, 5)});  // another bill with a serial 2
        QCOMPARE(op.billNumber(), QString("6"));
        op.addLine("RICE", "1");
        op.addLine("DAL", "2");
        op.addLine("RICE", "4");
        QCOMPARE(stockOf("DAL"), 98);

        op.clickGridRow(1);
        op.click("cmdDelSerial");
        QCOMPARE(serialsOf(6), QStringList({"1", "3"}));
        QCOMPARE(serialsOf(5), QStringList({"2"}));
        QCOMPARE(stockOf("DAL"), 100);  // given back
        QCOMPARE(op.shown(), QStringList({"1|RICE|1|40|0|0|40", "3|RICE|4|160|0|0|160", "= 200.00"}));
        op.addLine("DAL", "1");
        QCOMPARE(serialsOf(6), QStringList({"1", "3", "4"}));
        QVERIFY(messages.shown.isEmpty());

        // With another number typed into the box, the grid's serial is not that bill's.
        db.exec(billLine(5, 1, "TEA", 1, 5));
        op.click("CmdNewBill");
        QVERIFY(op.pick("cmbbillnumber", "6"));
        op.typeIn(op.list("cmbbillnumber"), "5");
        QCOMPARE(grid::currentText(op.grid(), 0), QString("1"));
        op.click("cmdDelSerial");
        QCOMPARE(serialsOf(5), QStringList({"1", "2"}));
        QCOMPARE(serialsOf(6), QStringList({"1", "3", "4"}));
    }

    void typedFiguresAreConverted()
    {
        BillOperator& op = open({stockRow(1, "RICE", 100, 40)});
        op.addLine("RICE", "2.5");
        op.addLine("RICE", "3.5");
        op.addLine("RICE", "1", "abc", "x");
        QCOMPARE(op.box("txttax")->text() + op.box("txtDiscount")->text(), QString("00"));
        QCOMPARE(db.rows("select Serial, Quantity, TaxInPercentage, DiscountinPercentage from asigncharges order by Serial"),
                 QStringList({"1|2|0|0", "2|4|0|0", "3|1|0|0"}));

        // Nothing is added for a quantity that is no 16-bit number, nor for a
        // bill number below 1, nor without an item or its price.
        for (const char* quantity : {"40000", "-32769", "abc", ""})
            op.addLine("RICE", quantity);
        op.addLine("SUGAR", "1");  // typed: no stock row of that name
        QCOMPARE(op.list("cmbitem")->currentText(), QString("SUGAR"));
        op.addLine("", "1");
        db.exec("update Stock set MRP = NULL");
        op.addLine("RICE", "1");
        db.exec("update Stock set MRP = 40");
        op.click("CmdNewBill");
        op.typeIn(op.list("cmbbillnumber"), "0");
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 3);
        QVERIFY(messages.shown.isEmpty());

        // A typed bill number stays as typed, though a listed one starts with it.
        db.exec(billLine(12, 1, "RICE", 1, 40));
        op.click("CmdNewBill");
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));  // completion works in an active window
        op.typeIn(op.list("cmbbillnumber"), "1");
        QCOMPARE(op.billNumber(), QString("1"));
    }

    void theLocalesDecimalSeparatorCounts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("de_DE comma") << "de_DE" << "5,5" << "5.5";
        QTest::newRow("de_DE point") << "de_DE" << "5.5" << "5.5";
        QTest::newRow("de_DE thousands") << "de_DE" << "1.000,5" << "0";
        QTest::newRow("C point") << "C" << "5.5" << "5.5";
        QTest::newRow("C comma") << "C" << "5,5" << "0";
    }

    // Tax and discount typed as the shop's locale writes decimals; stored with '.'.
    void theLocalesDecimalSeparatorCounts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QLocale::setDefault(QLocale(locale));
        BillOperator& op = open({stockRow(1, "RICE", 100, 40)});
        op.addLine("RICE", "2", typed, typed);
        QCOMPARE(db.rows("select TaxInPercentage, DiscountinPercentage from asigncharges"),
                 QStringList{stored + '|' + stored});
    }

    void lineFiguresInTheGridAndOnTheReceipt()
    {
        // One line, 100 x 2 with 10 % discount and 5 % tax, for a customer typed in.
        BillOperator& op = open({stockRow(1, "RICE", 100, 100)});
        op.control<QDateEdit>("DTP")->setDate(QDate(2026, 12, 4));
        op.type("txtname", "anil kumar");
        op.type("txtaddress", "1 mg road");
        op.type("txtphone", "98450");
        op.addLine("RICE", "2", "5", "10");
        QCOMPARE(op.shown(), QStringList({"1|RICE|2|200|20|9|189", "= 189"}));
        QCOMPARE(db.rows("select Amount, TaxInPercentage, DiscountinPercentage from asigncharges"), QStringList({"100|5|10"}));

        op.click("CndPrintBill");
        QCOMPARE(printed->finishedJobs(), 1);
        QCOMPARE(printed->allLines(), receipt({"Bill No : 1", "Bill Date : 04/Dec/2026", "Name : ANIL KUMAR",
                                                        "Address : 1 MG ROAD", "Phone : 98450"},
                                                       {detail("RICE", "2", "200", "20", "189")}, "189.00"));
        QVERIFY(messages.shown.isEmpty());
        // Printing stored nothing and left the screen as it was.
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(op.grandTotal(), QString("189"));

        // A printer that cannot be opened is reported once.
        int opened = 0;
        print::installDestination([&]() -> std::unique_ptr<print::PageDevice> {
            ++opened;
            throw print::PrintError("No printer is installed.");
        });
        op.click("CndPrintBill");
        QCOMPARE(opened, 1);
        QCOMPARE(told(messages), QStringList{"! " + applicationTitle() + ": No printer is installed."});
    }

    // Added, deleted, loaded and printed: the line totals are added, then rounded once.
    void oneGrandTotalForOneBill()
    {
        BillOperator& op = open({stockRow(1, "SAMOSA", 100, 10.5)});
        op.type("txtname", "ravi");
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QString("10"));
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QString("21"));
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QString("32"));  // 31.5; rounding as it grows gave 30
        op.clickGridRow(2);
        op.click("cmdDelSerial");
        QCOMPARE(op.grandTotal(), QString("21.00"));
        // Enter prints the receipt.
        QTest::keyClick(op.box("txtquantity"), Qt::Key_Return);
        const QString line = detail("SAMOSA", "1", "10.5", "0", "10.5");
        QCOMPARE(printed->allLines().mid(14, 5), QStringList({line, line, Rule, grandTotal("21.00"), Rule}));

        op.click("CmdNewBill");
        op.type("txtname", "someone else");
        QVERIFY(op.pick("cmbbillnumber", "1"));
        QCOMPARE(op.shown(), QStringList({"1|SAMOSA|1|10.5|0|0|10.5", "2|SAMOSA|1|10.5|0|0|10.5", "= 21.00"}));
        QCOMPARE(op.box("txtname")->text(), QString("RAVI"));
    }

    void deletingABill()
    {
        // Serial 3 was sold from a batch by the bill screen with details.
        BillOperator& op = open({stockRow(1, "RICE", 100, 40), batchRow(2, "C1", "DAL", "B1", 7, 90),
                                 billLine(1, 1, "TEA", 1, 5), billLine(2, 1, "RICE", 2, 40), billLine(2, 2, "RICE", 3, 40),
                                 codedLine("asigncharges", 2, 3, "C1", "DAL", "B1", 3, 90)});
        QVERIFY(op.pick("cmbbillnumber", "2"));
        const QStringList before = db.rows(LinesQuery);
        messages.answers = {false};
        op.click("cmdDELET");
        QCOMPARE(told(messages), QStringList{"? Delete: Confirm Delete Bill ?"});
        QCOMPARE(db.rows(LinesQuery), before);
        QCOMPARE(op.gridRows().size(), 3);

        messages.clear();
        messages.answers = {true};
        op.click("cmdDELET");
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete Bill ?", "i Deleted: Data Deleted"}));
        QCOMPARE(db.rows("select BillNumber, Serial from asigncharges"), QStringList({"1|1"}));
        // Lines without code and batch leave the stock alone; the batch gets its 3 back.
        QCOMPARE(db.rows("select Item, Quantity from Stock order by BillNumber"), QStringList({"RICE|100", "DAL|10"}));
        QCOMPARE(op.list("cmbbillnumber")->count(), 1);
        QCOMPARE(op.billNumber(), QString("1"));
        QCOMPARE(op.grid()->model()->columnCount(), 0);
    }

    void apostrophesPastedIntoBoxes()
    {
        BillOperator& op = open({stockRow(1, "RICE", 100, 40)});
        op.box("txtname")->setText("O'Brien");
        op.box("txtaddress")->setText("12 King's Road");
        op.box("txtRemark")->setText("'); Delete * from Stock; --");
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select CustomerName, CustomerAddress, Remark from asigncharges"),
                 QStringList({"O'Brien|12 King's Road|'); Delete * from Stock; --"}));
        QCOMPARE(db.count("Stock"), 1);
        op.type("txtname", "d'souza");  // typed, the apostrophe never arrives
        QCOMPARE(op.box("txtname")->text(), QString("DSOUZA"));
        op.type("txtRemark", QString(55, 'x'));
        QCOMPARE(op.box("txtRemark")->text(), QString(50, 'X'));
    }

    // New Bill warns once the highest bill number has passed 32,000; with no
    // number left, the screen says so on opening, at Add Item and at New Bill,
    // once each. Both name the command that numbers bills afresh.
    void billNumbersRunningOutAndUsedUp()
    {
        BillOperator& warned = open({stockRow(1, "RICE", 100, 40), billLine(1, 1, "TEA", 1, 5),
                                     billLine(32000, 1, "TEA", 1, 5)});
        warned.click("CmdNewBill");
        QVERIFY(messages.shown.isEmpty());
        db.exec(billLine(32001, 1, "TEA", 1, 5));
        warned.click("CmdNewBill");
        QCOMPARE(warned.billNumber(), QString("32002"));
        QVERIFY2(checks::namesCloseYear(messages.texts(), "Bill numbers are running out: the highest bill number is "
                                                          "32001 of 32767."),
                 qPrintable(messages.texts().join('|')));

        messages.clear();
        BillOperator& op = open({billLine(32767, 1, "TEA", 1, 5)});
        const QString usedUp = "Bill numbers are used up: the highest bill number is 32767.";
        QCOMPARE(op.billNumber(), QString());
        QVERIFY(checks::namesCloseYear(messages.texts(), usedUp));
        const QStringList before = db.rows(LinesQuery);
        messages.clear();
        op.addLine("RICE", "1");
        QVERIFY(checks::namesCloseYear(messages.texts(), usedUp));
        messages.clear();
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QString());
        QVERIFY(checks::namesCloseYear(messages.texts(), usedUp));
        op.addLine("RICE", "1");
        QCOMPARE(db.rows(LinesQuery), before);

        // A bill whose serials are used up takes no more lines either.
        db.exec(billLine(4, 32767, "TEA", 1, 5));
        op.click("CmdNewBill");
        messages.clear();
        QVERIFY(op.pick("cmbbillnumber", "4"));
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges", "BillNumber = 4"), 1);
        QCOMPARE(messages.texts(), QStringList({"A bill holds at most 32767 lines: bill 4 is full."}));
    }

    // A bill number that cannot be read is not taken to be 1, which is in use.
    void unreadableNumberingOffersNoNumber()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(billLine(1, 1, "TEA", 1, 5));
        db.makeUnreachable();
        BillOperator& op = open();
        db.makeReachable();
        QVERIFY(told(messages).last().startsWith("! "));  // connectx told the operator
        QCOMPARE(op.billNumber(), QString());
        messages.clear();
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 1);
        QVERIFY(messages.shown.isEmpty());
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QString("2"));
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select BillNumber, Serial, Item from asigncharges order by BillNumber"),
                 QStringList({"1|1|TEA", "2|1|RICE"}));
    }

    void lineAndStockChangeTogether()
    {
        // The stock left can go no lower than -32768: its update fails.
        BillOperator& op = open({stockRow(1, "RICE", -32766, 40)});
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
        QCOMPARE(op.grandTotal(), QString("80"));
        db.exec("update Stock set Quantity = 0");
        op.click("cmdDelSerial");
        QCOMPARE(db.count("asigncharges"), 0);
        QCOMPARE(stockOf("RICE"), 2);
        QCOMPARE(op.grandTotal(), QString("0.00"));
    }

    void customerByNumberOrPhone()
    {
        BillOperator& op = open({customerRow(1, "ANIL", "1 MG ROAD", "98450"), customerRow(2, "BINA", "5 LAKE VIEW", "77712"),
                                 customerRow(3, "CHAND", "2 HILL ST", "9845099")});
        QCOMPARE(op.party(), QString("CHAND|2 HILL ST|9845099"));
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        QCOMPARE(op.party(), QString("ANIL|1 MG ROAD|98450"));
        op.type("txtphone", "777");  // unticked, the phone box is just a box
        QCOMPARE(op.party(), QString("ANIL|1 MG ROAD|777"));

        // Ticked, the phone typed or picked finds the first customer whose phone contains it.
        op.control<QCheckBox>("chkph")->click();
        const QList<QPair<QString, QString>> typed{{"777", "BINA|5 LAKE VIEW|777"}, {"000", "||000"}, {"%", "ANIL|1 MG ROAD|%"}};
        for (const auto& [phone, shown] : typed) {
            op.type("txtphone", phone);
            QCOMPARE(op.party(), shown);
        }
        QVERIFY(op.pick("CMBMEMBERNUM", "3"));
        QCOMPARE(op.party(), QString("CHAND|2 HILL ST|9845099"));
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        QCOMPARE(op.party(), QString("ANIL|1 MG ROAD|98450"));

        // A customer removed since the list was filled leaves the boxes alone.
        op.control<QCheckBox>("chkph")->click();
        db.exec("delete from Customer where SN = 2");
        op.type("txtname", "kept");
        QVERIFY(op.pick("CMBMEMBERNUM", "2"));
        QCOMPARE(op.party(), QString("KEPT|1 MG ROAD|98450"));
    }

    // --- the printed receipt ---

    void missingTextsPrintAsDashes()
    {
        db.exec(billLine(3, 1, "RICE", 1, 100, 0, 0, ""));
        db.exec("update asigncharges set CustomerPhone = ''");
        BillOperator& op = open();
        QVERIFY(op.pick("cmbbillnumber", "3"));
        op.click("CndPrintBill");
        QCOMPARE(printed->allLines().mid(6, 5), QStringList({"Bill No : 3", "Bill Date : 04/Dec/2026", "Name : " + Dashes,
                                                             "Address : ADDR", "Phone : " + Dashes}));

        // A bill without lines: nothing of the one printed before lingers.
        printed->clear();
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QString("4"));
        op.click("CndPrintBill");
        QCOMPARE(printed->allLines(), receipt({"Bill No : 4", "Bill Date : " + Dashes, "Name : " + Dashes,
                                               "Address : " + Dashes, "Phone : " + Dashes},
                                              {}, "0.00"));
        QVERIFY(messages.shown.isEmpty());
    }

    void boxWithoutABillNumber()
    {
        BillOperator& op = open();
        for (const char* text : {"", "abc"}) {
            op.typeIn(op.list("cmbbillnumber"), text);
            op.click("CndPrintBill");
        }
        QVERIFY(messages.shown.isEmpty());
        // A number no bill can carry is a failure, shown once; nothing prints.
        op.typeIn(op.list("cmbbillnumber"), "40000");
        op.click("CndPrintBill");
        QCOMPARE(printed->finishedJobs(), 0);
        QCOMPARE(messages.texts(), QStringList({"Overflow"}));
    }

    void longBillContinuesWithoutRepeatingTheHeader()
    {
        for (int serial = 1; serial <= 25; ++serial)
            db.exec(billLine(2, serial, QString("ITEM %1").arg(serial), 1, 10));
        printed = print::installCapture(20);
        BillOperator& op = open();
        QVERIFY(op.pick("cmbbillnumber", "2"));
        op.click("CndPrintBill");
        const QVector<print::CapturedPage> pages = printed->pages();
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages.at(1).first(), detail("ITEM 7", "1", "10", "0", "10"));
        QCOMPARE(pages.at(2).first(), grandTotal("250.00"));
        QCOMPARE(printed->allLines().size(), 14 + 25 + 8);
    }
};

QTEST_MAIN(BillOneTest)
#include "tst_billone.moc"
