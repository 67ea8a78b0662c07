// The bill screen with details driven as the operator drives it: items by
// code and batch from the stock, each sale lowering its batch. What it
// shares with the other line documents: tst_documents.

#include "support/ScreenBench.h"

using namespace rows;

namespace {
// Two batches of rice at different prices, one of tea; the item master.
const QStringList Batches{batchRow(1, "C1", "RICE", "B1", 10, 40), batchRow(2, "C1", "RICE", "B2", 10, 45),
                          batchRow(3, "C2", "TEA", "T1", 5, 5),    priced("Charges", 1, "TEA", 5),
                          priced("Charges", 2, "RICE", 40),        priced("Charges", 3, "SUGAR", 30)};
const QStringList CodeItemBatch{ui::Code, ui::Item, ui::Batch};
}  // namespace

class BillTwoTest : public QObject, ScreenBench {
    Q_OBJECT

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    // The code picks the item and its first batch, and lists the code's batches.
    void theItemCodeFillsNameAndBatch()
    {
        Operator& op = open(ui::BillTwo, Batches + QStringList{line("asigncharges", 7, 1, "TEA", 1, 5, "C2", "T1")});
        QCOMPARE(op.entries(ui::Code), QStringList({"C1", "C2"}));
        QCOMPARE(op.entries(ui::Item), QStringList({"RICE", "SUGAR", "TEA"}));
        QCOMPARE(op.texts(CodeItemBatch), QString("||"));
        // The newest bill's lines stay in the grid while the box offers the next number.
        QCOMPARE(op.number(), QString("8"));
        QCOMPARE(op.shown(), QStringList({"1|TEA|1|5|0|0|5", "= 0"}));

        QVERIFY(op.pick(ui::Code, "C1"));
        QCOMPARE(op.texts(CodeItemBatch), QString("C1|RICE|B1"));
        QCOMPARE(op.entries(ui::Batch), QStringList({"B1", "B2"}));
        op.type(ui::Code, "ZZ");  // no such code: the boxes stay
        QCOMPARE(op.texts({ui::Item, ui::Batch}), QString("RICE|B1"));
        op.type(ui::Code, "C2");
        QCOMPARE(op.texts({ui::Item, ui::Batch}), QString("TEA|T1"));
    }

    // Each sale comes off its batch at the batch's price, below nought if
    // need be; New Bill clears code and batch and sets the quantity to 1.
    void eachSaleComesOffItsBatchAtItsPrice()
    {
        Operator& op = open(ui::BillTwo, Batches);
        op.sellByCode("C1", "3");
        op.sellByCode("C1", "2", "B2");
        op.sellByCode("C2", "12");
        QCOMPARE(db.rows("select Serial, ItemCode, Item, Batch_Number, Quantity, Amount from asigncharges order by Serial"),
                 QStringList({"1|C1|RICE|B1|3|40", "2|C1|RICE|B2|2|45", "3|C2|TEA|T1|12|5"}));
        QCOMPARE(db.rows("select Quantity from Stock order by BillNumber"), QStringList({"7", "8", "-7"}));
        QCOMPARE(op.shown(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|2|90|0|0|90", "3|TEA|12|60|0|0|60", "= 270"}));

        op.click(ui::NewDocument);
        QCOMPARE(op.number() + '|' + op.texts(CodeItemBatch + QStringList{ui::Quantity}), QString("2||||1"));
        QCOMPARE(op.entries(ui::Batch), QStringList());
        op.sellByCode("C1", "1");
        QCOMPARE(db.value("select Quantity from Stock where BillNumber = 1").toInt(), 6);
        QCOMPARE(db.count("asigncharges", "BillNumber = 2"), 1);
    }
};

QTEST_MAIN(BillTwoTest)
#include "tst_billtwo.moc"
