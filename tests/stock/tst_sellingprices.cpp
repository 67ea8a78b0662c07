// The Selling Prices screen driven as the operator drives it: the batches
// found as their code or name is typed, an MRP typed over in the grid, one
// MRP for every batch of an item code, and the batches without a price
// standing out. A database that cannot take a price: tst_unavailable.

#include "kit/Grid.h"
#include "support/ScreenBench.h"

using namespace rows;
using checks::told;

class SellingPricesTest : public QObject, ScreenBench {
    Q_OBJECT

    // Batches of two codes and a code that begins like one of them, one priced.
    Operator& openOnBatches()
    {
        return open(ui::SellingPrices, {batchRow(3, "T1", "TEA", "B1", 4, 5), batchRow(1, "C1", "RICE", "B2", 10, 40),
                                        batchRow(2, "C1", "RICE", "B1", 5, 42), batchRow(4, "C10", "RICE", "B1", 1, 40),
                                        "update Stock set MRP = 50 where BillNumber = 1"});
    }
    QStringList prices() { return db.rows("select BillNumber, MRP from Stock order by BillNumber"); }
    // The stock numbers of the rows that stand out: those without a price.
    QStringList standingOut() const
    {
        QStringList numbers;
        const QAbstractItemModel* rows = op->grid()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            if (rows->index(row, 1).data(Qt::BackgroundRole).isValid())
                numbers << rows->index(row, 0).data().toString();
        return numbers;
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    // By code, item and batch, found by code or name as typed; an MRP typed
    // over is stored for its batch alone; one refused is told and the stored
    // one stays.
    void anMrpTypedOverIsStoredForItsBatchAlone()
    {
        openOnBatches();
        QCOMPARE(op->gridRows(), QStringList({"2|C1|RICE|B1|5|42|0", "1|C1|RICE|B2|10|40|50", "4|C10|RICE|B1|1|40|0",
                                              "3|T1|TEA|B1|4|5|0"}));
        QCOMPARE(standingOut(), QStringList({"2", "4", "3"}));
        QTest::keyClicks(op->box(ui::Find), "te");
        QCOMPARE(op->gridRows(), QStringList{"3|T1|TEA|B1|4|5|0"});
        op->type(ui::Find, "c1");
        QCOMPARE(op->gridRows().size(), 3);

        op->typeInGrid(0, "12.5");
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|0"}));
        QCOMPARE(op->gridRows().first(), QString("2|C1|RICE|B1|5|42|12.5"));
        QCOMPARE(standingOut(), QStringList{"4"});

        op->typeInGrid(0, "abc");
        op->typeInGrid(0, "-3");
        QCOMPARE(told(messages), QStringList({"i Info: Not stored: the price 'ABC' is not a number; the MRP stays 12.5.",
                                              "i Info: Not stored: the price -3 is below zero; the MRP stays 12.5."}));
        QCOMPARE(op->gridRows().first(), QString("2|C1|RICE|B1|5|42|12.5"));
        QCOMPARE(prices(), QStringList({"1|50", "2|12.5", "3|0", "4|0"}));
    }

    // Set MRP prices every batch of the highlighted row's code, and no other
    // code, as billdb mrp --code does; the row stays highlighted.
    void oneMrpForEveryBatchOfTheCode()
    {
        openOnBatches();
        op->clickGridRow(1);
        op->type(ui::CodeMrp, "60");
        op->click(ui::SetCodeMrp);
        QCOMPARE(told(messages), QStringList{"i Info: The MRP of 2 batches of item code C1 is now 60."});
        QCOMPARE(prices(), QStringList({"1|60", "2|60", "3|0", "4|0"}));
        QCOMPARE(op->gridRows().mid(0, 2), QStringList({"2|C1|RICE|B1|5|42|60", "1|C1|RICE|B2|10|40|60"}));
        QCOMPARE(grid::currentText(op->grid(), 0), QString("1"));
    }
};

QTEST_MAIN(SellingPricesTest)
#include "tst_sellingprices.moc"
