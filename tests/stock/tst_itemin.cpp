// The item receipt screen driven as the operator drives it: receipt lines
// and the stock batches they make and raise. What it shares with the other
// line documents: tst_documents.

#include "support/ScreenBench.h"

#include <QDateEdit>

using namespace rows;

class ItemInTest : public QObject, ScreenBench {
    Q_OBJECT

    // Opened with a receipt date of the 4th of December.
    Operator& openReceipt(const QStringList& rows)
    {
        Operator& op = open(ui::ItemInFrm, rows);
        op.control<QDateEdit>(ui::Date)->setDate(Dec4);
        return op;
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    // A line of a new code and batch makes a batch of the line's values; one
    // of a known batch raises it, keeping its first values.
    void linesMakeAndRaiseStockBatches()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551"),
                                    party("Supplier", 2, "BHARAT", "2 PORT RD", "5552"), priced("Charges", 1, "TEA", 5),
                                    priced("Charges", 2, "RICE", 40)});
        QCOMPARE(op.number(), QString("1"));
        QCOMPARE(op.entries(ui::Item), QStringList({"RICE", "TEA"}));
        QCOMPARE(op.text(ui::Item), QString());

        op.receiveLine("RICE", "R1", "B1", "10", "40");
        const QString first = "RICE|10|40|0|0|BHARAT|2 PORT RD|5552||-|0|04/Dec/2026|R1|B1|0";
        QCOMPARE(db.rows("select * from ItemIn"), QStringList{"1|1|" + first});
        QCOMPARE(db.rows("select * from Stock"), QStringList{"1|0|" + first});

        op.receiveLine("RICE", "R1", "B2", "5", "42");       // another batch: the next stock row
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        op.receiveLine("RICE", "R1", "B1", "7", "45", "5");  // the same batch: raised, its first values kept
        op.receiveLine("RICE RED", "R1", "B1", "1", "50");   // the same code and batch, another name
        QCOMPARE(db.rows("select BillNumber, Item, Quantity, Amount, CustomerName, Batch_Number from Stock order by BillNumber"),
                 QStringList({"1|RICE|17|40|BHARAT|B1", "2|RICE|5|42|BHARAT|B2", "3|RICE RED|1|50|ACME|B1"}));
        QCOMPARE(op.shown(), QStringList({"1|R1|B1|RICE|10|400|0|0|400|BHARAT|2 PORT RD|5552",
                                          "2|R1|B2|RICE|5|210|0|0|210|BHARAT|2 PORT RD|5552",
                                          "3|R1|B1|RICE|7|315|0|15.75|330.75|ACME|1 MILL RD|5551",
                                          "4|R1|B1|RICE RED|1|50|0|0|50|ACME|1 MILL RD|5551", "= 991"}));
        QCOMPARE(op.entries(ui::Code), QStringList());  // the code is typed, never listed
        QTest::keyClick(op.box(ui::Quantity), Qt::Key_Return);
        QCOMPARE(printed->allLines().mid(6, 5), QStringList({"Bill No : 1", "Bill Date : 04/Dec/2026", "Name : BHARAT",
                                                             "Address : 2 PORT RD", "Phone : 5552"}));

        // Refresh: a new receipt; the line boxes keep their text, the newest
        // receipt's lines stay in view, the party is the highest again.
        op.click(ui::NewDocument);
        QVERIFY(op.list(ui::Number)->isEnabled());
        QCOMPARE(op.number() + '|' + op.entries(ui::Number).join(','), QString("2|1"));
        QCOMPARE(op.texts({ui::Code, ui::Batch, ui::Quantity, ui::Amount}), QString("R1|B1|1|50"));
        QCOMPARE(op.party(), QString("BHARAT|2 PORT RD|5552"));
        QCOMPARE(op.gridRows().size(), 4);
        QCOMPARE(op.grandTotal(), QString("0"));
    }

    // An item without a code is coded by its name, a line without a batch
    // gets "-"; nothing is stored, and nothing said, without a unit amount
    // or a receipt number.
    void typedEntryIsCompletedOrRefused()
    {
        Operator& op = openReceipt({party("Supplier", 1, "ACME", "1 MILL RD", "5551")});
        op.receiveLine("SUGAR", "", "", "2.5", "30", "abc", "x");
        QCOMPARE(op.texts({ui::Code, ui::Batch, ui::Tax, ui::Discount}), QString("SUGAR|-|0|0"));
        const QString columns = "BillNumber, Serial, ItemCode, Item, Batch_Number, Quantity, TaxInPercentage";
        QCOMPARE(db.rows("select " + columns + " from Stock union all select " + columns + " from ItemIn"),
                 QStringList({"1|0|SUGAR|SUGAR|-|2|0", "1|1|SUGAR|SUGAR|-|2|0"}));

        op.receiveLine("SUGAR", "S1", "B1", "1", "");
        op.click(ui::NewDocument);
        op.type(ui::Number, "abc");
        op.receiveLine("SUGAR", "S1", "B1", "1", "1");
        QCOMPARE(db.count("ItemIn") + db.count("Stock"), 2);
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(ItemInTest)
#include "tst_itemin.moc"
