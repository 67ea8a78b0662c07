// The item receipt screen driven as the operator drives it, against a real
// database behind the data source: receipt lines, the stock batches they make
// and raise, deletes, totals and the printed receipt.

#include "stock/ItemInFrm.h"
#include "support/BillingOperator.h"
#include "support/Checks.h"
#include "support/ScreenBench.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QtTest>

using namespace billingtest;
using checks::told;

namespace {
const QString Lines = QStringLiteral("select * from ItemIn order by BillNumber, Serial");
const QString Batches = QStringLiteral("select * from Stock order by BillNumber");
}  // namespace

class ItemInTest : public QObject, ScreenBench<ItemInFrm> {
    Q_OBJECT

    // Opened with a receipt date of the 4th of December.
    BillOperator& open(const QStringList& rows = {})
    {
        BillOperator& op = ScreenBench::open(rows);
        op.control<QDateEdit>("DTP")->setDate(QDate(2026, 12, 4));
        return op;
    }
    int stockOf(const QString& itemCode, const QString& batch = "B1")
    {
        return db.value("select Quantity from Stock where ItemCode = " + sql::text(itemCode)
                        + " and Batch_Number = " + sql::text(batch)).toInt();
    }
    QStringList serialsOf(int receipt)
    {
        return db.rows(QStringLiteral("select Serial from ItemIn where BillNumber = %1 order by Serial").arg(receipt));
    }
    // Receipt 5 of three lines, each of its own batch, after receipt 4.
    QStringList receiptFive()
    {
        return {supplierRow(1, "ACME", "1 MILL RD", "5551"), chargesRow(1, "RICE", 40),
                codedLine("ItemIn", 4, 1, "X1", "SALT", "B1", 2, 10), batchRow(1, "X1", "SALT", "B1", 2, 10),
                codedLine("ItemIn", 5, 1, "R1", "RICE", "B1", 10, 40), batchRow(2, "R1", "RICE", "B1", 30, 40),
                codedLine("ItemIn", 5, 2, "R2", "DAL", "B1", 4, 90), batchRow(3, "R2", "DAL", "B1", 4, 90),
                codedLine("ItemIn", 5, 3, "R3", "TEA", "B1", 6, 5), batchRow(4, "R3", "TEA", "B1", 6, 5)};
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void linesMakeAndRaiseStockBatches()
    {
        BillOperator& op = open({supplierRow(1, "ACME", "1 MILL RD", "5551"), supplierRow(2, "BHARAT", "2 PORT RD", "5552"),
                                 chargesRow(1, "TEA", 5), chargesRow(2, "RICE", 40)});
        QCOMPARE(op.billNumber(), QString("1"));
        QCOMPARE(op.party(), QString("BHARAT|2 PORT RD|5552"));  // the highest supplier number
        QCOMPARE(checks::entries(op.list("cmbitem")), QStringList({"RICE", "TEA"}));
        QCOMPARE(op.list("cmbitem")->currentText(), QString());

        op.receiveLine("RICE", "R1", "B1", "10", "40");
        const QString first = "RICE|10|40|0|0|BHARAT|2 PORT RD|5552||-|0|04/Dec/2026|R1|B1|0";
        QCOMPARE(db.rows(Lines), QStringList{"1|1|" + first});
        QCOMPARE(db.rows(Batches), QStringList{"1|0|" + first});
        QVERIFY(!op.list("cmbbillnumber")->isEnabled());

        op.receiveLine("RICE", "R1", "B2", "5", "42");      // another batch: the next stock row
        QVERIFY(op.pick("CMBMEMBERNUM", "1"));
        op.receiveLine("RICE", "R1", "B1", "7", "45", "5");  // the same batch: raised, its first values kept
        op.receiveLine("RICE RED", "R1", "B1", "1", "50");   // the same code and batch, another name
        QCOMPARE(db.rows(Batches), QStringList({"1|0|RICE|17|40|0|0|BHARAT|2 PORT RD|5552||-|0|04/Dec/2026|R1|B1|0",
                                                "2|0|RICE|5|42|0|0|BHARAT|2 PORT RD|5552||-|0|04/Dec/2026|R1|B2|0",
                                                "3|0|RICE RED|1|50|0|0|ACME|1 MILL RD|5551||-|0|04/Dec/2026|R1|B1|0"}));
        QCOMPARE(serialsOf(1), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(op.shown(), QStringList({"1|R1|B1|RICE|10|400|0|0|400|BHARAT|2 PORT RD|5552",
                                          "2|R1|B2|RICE|5|210|0|0|210|BHARAT|2 PORT RD|5552",
                                          "3|R1|B1|RICE|7|315|0|15.75|330.75|ACME|1 MILL RD|5551",
                                          "4|R1|B1|RICE RED|1|50|0|0|50|ACME|1 MILL RD|5551", "= 991"}));
        QCOMPARE(checks::entries(op.list("CmbCode")), QStringList());  // the code is typed, never listed

        // Refresh: a new receipt; the line boxes keep their text, the party is the highest again.
        op.click("CmdNewBill");
        QVERIFY(op.list("cmbbillnumber")->isEnabled());
        QCOMPARE(op.billNumber(), QString("2"));
        QCOMPARE(checks::entries(op.list("cmbbillnumber")), QStringList{"1"});
        QCOMPARE(op.list("CmbCode")->currentText() + op.box("txtBatch")->text() + op.box("txtquantity")->text()
                     + op.box("txtAmount")->text(), QString("R1B1150"));
        QCOMPARE(op.party(), QString("BHARAT|2 PORT RD|5552"));
        QCOMPARE(op.gridRows().size(), 4);  // the newest receipt's lines stay in view
        QCOMPARE(op.grandTotal(), QString("0"));
        op.receiveLine("RICE", "R1", "B1", "1", "40");
        QCOMPARE(serialsOf(2), QStringList{"1"});
        QCOMPARE(db.value("select Quantity from Stock where BillNumber = 1").toInt(), 18);
    }

    void typedEntryIsCompletedOrRefused()
    {
        BillOperator& op = open({supplierRow(1, "ACME", "1 MILL RD", "5551")});
        op.receiveLine("SUGAR", "", "", "2.5", "30", "abc", "x");
        QCOMPARE(op.list("CmbCode")->currentText() + "|" + op.box("txtBatch")->text() + "|" + op.box("txttax")->text()
                     + op.box("txtDiscount")->text(), QString("SUGAR|-|00"));
        QCOMPARE(db.rows("select BillNumber, Serial, ItemCode, Item, Batch_Number, Quantity, TaxInPercentage, "
                         "DiscountinPercentage from Stock union all select BillNumber, Serial, ItemCode, Item, "
                         "Batch_Number, Quantity, TaxInPercentage, DiscountinPercentage from ItemIn"),
                 QStringList({"1|0|SUGAR|SUGAR|-|2|0|0", "1|1|SUGAR|SUGAR|-|2|0|0"}));

        // Nothing is stored without a unit amount or a receipt number, and
        // nothing is said (item and quantity are refused as on the bill screen).
        op.receiveLine("SUGAR", "S1", "B1", "1", "");
        op.click("CmdNewBill");
        op.typeIn(op.list("cmbbillnumber"), "abc");
        op.receiveLine("SUGAR", "S1", "B1", "1", "1");
        QCOMPARE(db.count("ItemIn") + db.count("Stock"), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    // Added, loaded and printed: the line totals are added, then rounded once.
    void oneGrandTotalForOneReceipt()
    {
        BillOperator& op = open({supplierRow(3, "ACME", "1 MILL RD", "5551")});
        op.receiveLine("SAMOSA", "S1", "B1", "1", "10.5");
        QCOMPARE(op.grandTotal(), QString("10"));
        op.receiveLine("SAMOSA", "S1", "B1", "1", "10.5");
        QCOMPARE(op.grandTotal(), QString("21"));
        QTest::keyClick(op.box("txtquantity"), Qt::Key_Return);  // Enter prints
        const QString line = detail("SAMOSA", "1", "10.5", "0", "10.5");
        QCOMPARE(printed->allLines(), receipt({"Bill No : 1", "Bill Date : 04/Dec/2026", "Name : ACME",
                                               "Address : 1 MILL RD", "Phone : 5551"},
                                              {line, line}, "21.00"));

        op.click("CmdNewBill");
        QCOMPARE(op.party(), QString("ACME|1 MILL RD|5551"));
        op.type("txtname", "someone else");
        QVERIFY(op.pick("cmbbillnumber", "1"));
        QCOMPARE(op.grandTotal(), QString("21.00"));
        QCOMPARE(op.party(), QString("ACME|1 MILL RD|5551"));
        QVERIFY(messages.shown.isEmpty());
    }

    void deletesLowerEachBatchByItsLine()
    {
        BillOperator& op = open(receiptFive());
        QCOMPARE(op.billNumber(), QString("6"));
        QVERIFY(op.pick("cmbbillnumber", "5"));
        op.clickGridRow(1);
        messages.answers = {false, true};
        op.click("cmdDelSerial");  // answered No: the line stays
        QCOMPARE(serialsOf(5), QStringList({"1", "2", "3"}));
        op.click("cmdDelSerial");
        const QString question = "? Delete: Confirm Delete Serial No : 2 of Receipt No :5";
        QCOMPARE(told(messages), QStringList({question, question, "i Deleted: Data Deleted"}));
        QCOMPARE(serialsOf(5), QStringList({"1", "3"}));
        QCOMPARE(stockOf("R2"), 0);
        QCOMPARE(op.billNumber(), QString("5"));  // the newest receipt is loaded
        QCOMPARE(op.grandTotal(), QString("430.00"));
        op.receiveLine("RICE", "R1", "B1", "5", "40");
        QCOMPARE(serialsOf(5), QStringList({"1", "3", "4"}));
        QCOMPARE(stockOf("R1"), 35);

        // The whole receipt: each batch goes down by its own lines; a batch
        // sold out meanwhile goes below zero.
        db.exec("update Stock set Quantity = 0 where ItemCode = 'R3'");
        messages.clear();
        messages.answers = {true};
        op.click("cmdDELET");
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete Receipt ?", "i Deleted: Data Deleted"}));
        QCOMPARE(db.rows("select ItemCode, Quantity from Stock order by BillNumber"),
                 QStringList({"X1|2", "R1|20", "R2|0", "R3|-6"}));
        QCOMPARE(serialsOf(5), QStringList());
        QCOMPARE(checks::entries(op.list("cmbbillnumber")), QStringList{"4"});

        // Without a receipt number in the box the question leads nowhere.
        messages.clear();
        messages.answers = {true};
        op.click("CmdNewBill");
        op.typeIn(op.list("cmbbillnumber"), "abc");
        op.click("cmdDELET");
        QCOMPARE(messages.texts(), QStringList{"Confirm Delete Receipt ?"});
        QCOMPARE(db.count("ItemIn"), 1);
    }

    // A stock change that fails takes its line's change with it, and is told.
    void eachOperationStoresAllOrNothing()
    {
        BillOperator& op = open(receiptFive());
        QVERIFY(op.pick("cmbbillnumber", "5"));
        const QStringList lines = db.rows(Lines);
        const QStringList batches = db.rows(Batches);
        const QStringList grid = op.shown();

        db.exec(failingTrigger("UPDATE", "Stock"));
        op.receiveLine("RICE", "R1", "B1", "5", "40");  // raises a batch
        op.clickGridRow(1);
        messages.answers = {true, true};
        op.click("cmdDelSerial");
        op.click("cmdDELET");
        db.exec(failingTrigger("INSERT", "Stock"));
        op.receiveLine("RICE", "R9", "B1", "5", "40");  // creates a batch
        for (const QString& drop : dropFailingTriggers())
            db.exec(drop);
        // A batch raised beyond 16 bits fails the same way.
        db.exec("update Stock set Quantity = 32760 where ItemCode = 'R1'");
        op.receiveLine("RICE", "R1", "B1", "10", "40");
        db.exec("update Stock set Quantity = 30 where ItemCode = 'R1'");

        QCOMPARE(db.rows(Lines), lines);
        QCOMPARE(db.rows(Batches), batches);
        QCOMPARE(op.shown(), grid);
        QCOMPARE(textsWithRefusals(messages), QStringList({"refused", "Confirm Delete Serial No : 2 of Receipt No :5", "refused",
                                                           "Confirm Delete Receipt ?", "refused", "refused", "refused"}));
    }

    // The lookup is the bill screen's, in the suppliers.
    void supplierByNumberOrPhone()
    {
        BillOperator& op = open({supplierRow(1, "ACME", "1 MILL RD", "5551"), supplierRow(2, "BHARAT", "2 PORT RD", "7772"),
                                 customerRow(3, "A CUSTOMER", "NOT A SUPPLIER", "9999")});
        QCOMPARE(checks::entries(op.list("CMBMEMBERNUM")), QStringList({"2", "1"}));
        op.control<QCheckBox>("chkph")->click();
        op.type("txtphone", "777");
        QCOMPARE(op.party(), QString("BHARAT|2 PORT RD|777"));
        op.type("txtphone", "9999");
        QCOMPARE(op.party(), QString("||9999"));
    }

};

QTEST_MAIN(ItemInTest)
#include "tst_itemin.moc"
