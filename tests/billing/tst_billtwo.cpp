// The bill screen with details driven as the operator drives it: items by
// code and batch from the stock, each sale lowering its batch and each delete
// giving the quantity back.

#include "billing/BillTwo.h"
#include "support/BillingOperator.h"
#include "support/Checks.h"
#include "support/ScreenBench.h"

#include <QtTest>

using namespace billingtest;
using checks::told;

namespace {
const QString SoldLines =
    QStringLiteral("select BillNumber, Serial, ItemCode, Item, Batch_Number, Quantity, Amount from asigncharges "
                   "order by BillNumber, Serial");
const QString Stock = QStringLiteral("select ItemCode, Batch_Number, Quantity from Stock order by BillNumber");

// Two batches of rice at different prices, one of tea; the item master.
const QStringList Batches{batchRow(1, "C1", "RICE", "B1", 10, 40), batchRow(2, "C1", "RICE", "B2", 10, 45),
                          batchRow(3, "C2", "TEA", "T1", 5, 5),    chargesRow(1, "TEA", 5),
                          chargesRow(2, "RICE", 40),               chargesRow(3, "SUGAR", 30)};
}  // namespace

class BillTwoTest : public QObject, ScreenBench<BillTwo> {
    Q_OBJECT

    QString itemAndBatch() const
    {
        return op->list("cmbitem")->currentText() + "|" + op->list("txtBatch")->currentText();
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void theItemCodeFillsNameAndBatch()
    {
        BillOperator& op = open(Batches + QStringList{codedLine("asigncharges", 7, 1, "C2", "TEA", "T1", 1, 5)});
        QCOMPARE(checks::entries(op.list("CmbCode")), QStringList({"C1", "C2"}));
        QCOMPARE(checks::entries(op.list("cmbitem")), QStringList({"RICE", "SUGAR", "TEA"}));
        QCOMPARE(itemAndBatch(), QString("|"));
        // The newest bill's lines stay in the grid while the box offers the next number.
        QCOMPARE(op.billNumber(), QString("8"));
        QCOMPARE(op.shown(), QStringList({"1|TEA|1|5|0|0|5", "= 0"}));

        QVERIFY(op.pick("CmbCode", "C1"));
        QCOMPARE(itemAndBatch(), QString("RICE|B1"));
        QCOMPARE(checks::entries(op.list("txtBatch")), QStringList({"B1", "B2"}));
        op.typeIn(op.list("CmbCode"), "ZZ");  // no such code: the boxes stay
        QCOMPARE(itemAndBatch(), QString("RICE|B1"));
        op.typeIn(op.list("CmbCode"), "C2");
        QCOMPARE(itemAndBatch(), QString("TEA|T1"));
    }

    void eachSaleComesOffItsBatchAtItsPrice()
    {
        BillOperator& op = open(Batches);
        op.sellByCode("C1", "3");
        op.sellByCode("C1", "2", "B2");
        op.sellByCode("C2", "12");  // more than the batch holds
        QCOMPARE(db.rows(SoldLines), QStringList({"1|1|C1|RICE|B1|3|40", "1|2|C1|RICE|B2|2|45", "1|3|C2|TEA|T1|12|5"}));
        QCOMPARE(db.rows(Stock), QStringList({"C1|B1|7", "C1|B2|8", "C2|T1|-7"}));
        QCOMPARE(op.shown(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|2|90|0|0|90", "3|TEA|12|60|0|0|60", "= 270"}));

        // New Bill: no code, no batch, a quantity of 1.
        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QString("2"));
        QCOMPARE(op.list("CmbCode")->currentText() + itemAndBatch() + op.box("txtquantity")->text(), QString("|1"));
        QCOMPARE(op.list("txtBatch")->count(), 0);
        QCOMPARE(checks::entries(op.list("CmbCode")), QStringList({"C1", "C2"}));
        op.sellByCode("C1", "1");
        QCOMPARE(db.rows(Stock).first(), QString("C1|B1|6"));
        QCOMPARE(db.count("asigncharges", "BillNumber = 2"), 1);
    }

    void deletesGiveEachLineBackToItsBatch()
    {
        BillOperator& op = open(Batches + QStringList{
            codedLine("asigncharges", 4, 1, "C1", "RICE", "B1", 3, 40), codedLine("asigncharges", 4, 2, "C1", "RICE", "B2", 2, 45),
            codedLine("asigncharges", 5, 1, "C2", "TEA", "T1", 1, 5), codedLine("asigncharges", 5, 2, "C1", "RICE", "B1", 4, 40)});
        QVERIFY(op.pick("cmbbillnumber", "5"));
        op.clickGridRow(1);
        messages.answers = {true};
        op.click("cmdDelSerial");
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete Serial No : 2 of Bill No :5", "i Deleted: Data Deleted"}));
        QCOMPARE(db.rows(SoldLines), QStringList({"4|1|C1|RICE|B1|3|40", "4|2|C1|RICE|B2|2|45", "5|1|C2|TEA|T1|1|5"}));
        QCOMPARE(db.rows(Stock), QStringList({"C1|B1|14", "C1|B2|10", "C2|T1|5"}));
        QCOMPARE(op.billNumber(), QString("5"));  // the newest bill is loaded

        // The whole bill: the question names it, and is asked only for a number.
        QVERIFY(op.pick("cmbbillnumber", "4"));
        messages.clear();
        messages.answers = {true};
        op.click("cmdDELET");
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete Bill No : 4 ?", "i Deleted: Data Deleted"}));
        QCOMPARE(db.rows(SoldLines), QStringList({"5|1|C2|TEA|T1|1|5"}));
        QCOMPARE(db.rows(Stock), QStringList({"C1|B1|17", "C1|B2|12", "C2|T1|5"}));
        messages.clear();
        op.typeIn(op.list("cmbbillnumber"), "abc");
        op.click("cmdDELET");
        QVERIFY(messages.shown.isEmpty());
    }

    // A stock change that fails takes its line's change with it, and is told.
    void eachOperationStoresAllOrNothing()
    {
        BillOperator& op = open(Batches + QStringList{codedLine("asigncharges", 5, 1, "C1", "RICE", "B1", 3, 40),
                                                      codedLine("asigncharges", 5, 2, "C1", "RICE", "B2", 2, 45)});
        QVERIFY(op.pick("cmbbillnumber", "5"));
        const QStringList lines = db.rows(SoldLines);
        const QStringList stock = db.rows(Stock);
        const QStringList grid = op.shown();

        db.exec(failingTrigger("UPDATE", "Stock"));
        op.sellByCode("C1", "1");
        op.clickGridRow(1);
        messages.answers = {true, true};
        op.click("cmdDelSerial");
        op.click("cmdDELET");
        QCOMPARE(db.rows(SoldLines), lines);
        QCOMPARE(db.rows(Stock), stock);
        QCOMPARE(op.shown(), grid);
        QCOMPARE(textsWithRefusals(messages), QStringList({"refused", "Confirm Delete Serial No : 2 of Bill No :5", "refused",
                                                           "Confirm Delete Bill No : 5 ?", "refused"}));
    }
};

QTEST_MAIN(BillTwoTest)
#include "tst_billtwo.moc"
