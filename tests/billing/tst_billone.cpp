// The simple bill screen and its printed receipt (what it shares with the other documents: tst_documents).

#include "core/Dates.h"
#include "support/ScreenBench.h"

#include <QDateEdit>

using namespace rows;
using checks::told;

namespace {
const QString Lines = "select BillNumber, Serial, Item, Quantity, Amount, TaxInPercentage, DiscountinPercentage, "
                      "CustomerName, CustomerAddress, CustomerPhone, Remark, CHARGES, SN, Date_, ItemCode, "
                      "Batch_Number, MRP from asigncharges order by BillNumber, Serial";
}  // namespace

class BillOneTest : public QObject, ScreenBench {
    Q_OBJECT

    QString stockOf(const QString& item)
    {
        return db.value("select Quantity from Stock where Item = " + sql::text(item)).toString();
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    // The newest bill was loaded on the way and none of it is left showing.
    void openingShowsTheListsAndTheNextBill()
    {
        Operator& op = open(ui::BillOne, {stockRow(1, "TEA", 10, 5), stockRow(2, "RICE", 10, 40), stockRow(3, "DAL", 10, 90),
                                          billLine(3, 1, "TEA", 1, 5), billLine(7, 1, "RICE", 2, 40, 0, 0, "LAST BILL"),
                                          customer(1, "ANIL", "1 MG ROAD", "98450"), customer(5, "BINA", "5 LAKE VIEW", "77712")});
        QCOMPARE(op.entries(ui::Item), QStringList({"DAL", "RICE", "TEA"}));
        QCOMPARE(op.entries(ui::Number), QStringList({"7", "3"}));
        QCOMPARE(op.number(), QString("8"));
        QCOMPARE(op.shown(), QStringList{"= 0"});
        QCOMPARE(op.texts({ui::PartyNumber, ui::PartyName}), QString("5|BINA"));
        // From the new number, the arrow key goes to the newest bill.
        QTest::keyClick(op.list(ui::Number), Qt::Key_Down);
        QCOMPARE(op.number() + '|' + op.text(ui::PartyName), QString("7|LAST BILL"));
    }

    void linesGoUnderTheNextNumberUntilNewBill()
    {
        Operator& op = open(ui::BillOne, {stockRow(1, "RICE", 100, 40)});
        QCOMPARE(op.number(), QString("1"));
        op.type(ui::PartyName, "d'souza");  // typed, the apostrophe never arrives; pasted, it is stored as it is
        op.box(ui::Remark)->setText("'); Delete * from Stock; --");
        op.addLine("RICE", "3");
        op.addLine("RICE", "1");  // the same item again is another line
        const QString today = dates::shown(QDate::currentDate());
        QCOMPARE(db.rows(Lines), QStringList({"1|1|RICE|3|40|0|0|DSOUZA|||'); Delete * from Stock; --|-|0|" + today + "|||0",
                                              "1|2|RICE|1|40|0|0|DSOUZA|||'); Delete * from Stock; --|-|0|" + today + "|||0"}));
        op.type(ui::Remark, QString(55, 'x'));
        QCOMPARE(op.text(ui::Remark), QString(50, 'X'));
        QCOMPARE(op.shown(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|1|40|0|0|40", "= 160"}));
        QCOMPARE(stockOf("RICE"), QString("96"));
        // The box stays on this bill, and the list learns of it only at New Bill.
        QVERIFY(!op.list(ui::Number)->isEnabled());
        QCOMPARE(op.entries(ui::Number), QStringList());

        op.click(ui::NewDocument);
        QVERIFY(op.list(ui::Number)->isEnabled());
        QCOMPARE(op.number() + '|' + op.entries(ui::Number).join(','), QString("2|1"));
        QCOMPARE(op.shown(), QStringList{"= 0"});
        QCOMPARE(op.party(), QString("||"));  // not the last bill's customer
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select Serial from asigncharges where BillNumber = 2"), QStringList{"1"});

        // With another number typed into the box, the grid's serial is not that bill's: nothing is deleted.
        db.exec(billLine(5, 1, "TEA", 1, 5));
        op.click(ui::NewDocument);
        QVERIFY(op.pick(ui::Number, "2"));
        op.type(ui::Number, "5");
        op.click(ui::DeleteSerial);
        QCOMPARE(db.rows("select BillNumber from asigncharges order by BillNumber"), QStringList({"1", "1", "2", "5"}));
    }

    // Nothing is added, and nothing said, for a quantity that is no 16-bit number, without an item
    // or its price, or for a bill number below 1.
    void typedFiguresAreConvertedOrRefused()
    {
        Operator& op = open(ui::BillOne, {stockRow(1, "RICE", 100, 40)});
        op.addLine("RICE", "2.5");
        op.addLine("RICE", "1", "abc", "x");
        QCOMPARE(op.texts({ui::Tax, ui::Discount}), QString("0|0"));
        QCOMPARE(db.rows("select Quantity, TaxInPercentage, DiscountinPercentage from asigncharges order by Serial"),
                 QStringList({"2|0|0", "1|0|0"}));

        for (const char* quantity : {"40000", "abc"})
            op.addLine("RICE", quantity);
        op.addLine("SUGAR", "1");  // typed: no stock row of that name
        db.exec("update Stock set MRP = NULL");
        op.addLine("RICE", "1");
        db.exec("update Stock set MRP = 40");
        op.click(ui::NewDocument);
        op.type(ui::Number, "0");
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 2);
        QVERIFY(messages.shown.isEmpty());

        // A typed bill number stays as typed, though a listed one starts with it.
        db.exec(billLine(12, 1, "RICE", 1, 40));
        op.click(ui::NewDocument);
        QVERIFY(QTest::qWaitForWindowActive(screen));  // completion works in an active window
        op.type(ui::Number, "1");
        QCOMPARE(op.number(), QString("1"));
    }

    // The first batch of the item's name is the first received, on either
    // engine, also after a sale has changed its stock (the server then keeps
    // its row elsewhere).
    void aLineIsPricedAtTheMrpOfTheItemsFirstBatch()
    {
        Operator& op = open(ui::BillOne, {line("Stock", 1, 0, "TEA", 10, 4, "T", "B1", "SUPPLIER", Dec4, 0, 0, 12),
                                          line("Stock", 2, 0, "TEA", 10, 4, "T", "B2", "SUPPLIER", Dec4, 0, 0, 15)});
        db.exec("ANALYZE Stock");
        db.exec("update Stock set Quantity = Quantity - 1 where Batch_Number = 'B1'");
        op.addLine("TEA", "1");
        QCOMPARE(db.rows("select Amount from asigncharges"), QStringList{"12"});
    }

    // 100 x 2 with 10 % discount and 5 % tax, for a customer typed in.
    void lineFiguresInTheGridAndOnTheReceipt()
    {
        Operator& op = open(ui::BillOne, {stockRow(1, "RICE", 100, 100)});
        op.control<QDateEdit>(ui::Date)->setDate(Dec4);
        op.type(ui::PartyName, "anil kumar");
        op.type(ui::Address, "1 mg road");
        op.type(ui::Phone, "98450");
        op.addLine("RICE", "2", "5", "10");
        QCOMPARE(op.shown(), QStringList({"1|RICE|2|200|20|9|189", "= 189"}));
        QCOMPARE(db.rows("select Amount, TaxInPercentage, DiscountinPercentage from asigncharges"), QStringList({"100|5|10"}));

        op.click(ui::Print);
        QCOMPARE(printed->finishedJobs(), 1);
        QCOMPARE(printed->allLines(), checks::receipt({"Bill No : 1", "Bill Date : 04/Dec/2026", "Name : ANIL KUMAR",
                                                       "Address : 1 MG ROAD", "Phone : 98450"},
                                                      {checks::receiptLine("RICE", "2", "200", "20", "189")}, "189.00"));
        // Printing stored nothing and left the screen as it was.
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(op.grandTotal(), QString("189"));
    }

    // A bill number that cannot be read is not taken to be 1, which is in use: none is offered,
    // and Add Item, the database back, reads it then.
    void unreadableNumberingOffersNoNumber()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        db.exec(billLine(1, 1, "TEA", 1, 5));
        db.makeUnreachable();
        Operator& op = open(ui::BillOne);
        db.makeReachable();
        QVERIFY(told(messages).last().startsWith("! "));  // connectx told the operator
        QCOMPARE(op.number(), QString());
        messages.clear();
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select BillNumber, Item from asigncharges order by BillNumber"), QStringList({"1|TEA", "2|RICE"}));
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(op.number(), QString("2"));
        op.click(ui::NewDocument);
        op.addLine("RICE", "1");
        QCOMPARE(db.rows("select BillNumber, Item from asigncharges order by BillNumber"),
                 QStringList({"1|TEA", "2|RICE", "3|RICE"}));
    }

    // A till that cannot reach the database says so once and stores nothing,
    // even when the database answers again while the operator reads it.
    void addItemOutOfReachSaysSoOnceAndStoresNothing()
    {
        db.exec(stockRow(1, "RICE", 100, 40));
        Operator& op = open(ui::BillOne);
        db.makeUnreachable();
        messages.clear();
        bool away = true;
        messages.whileAnError = [&] {
            if (std::exchange(away, false))
                db.makeReachable();
        };
        op.addLine("RICE", "1");
        messages.whileAnError = {};
        if (away)
            db.makeReachable();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(db.count("asigncharges"), 0);
        messages.clear();
        op.addLine("RICE", "1");
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(messages.texts(), QStringList());
    }

    // A bill whose customer was changed between its lines shows the first
    // line's, as its receipt names it, whatever order the lines were stored in.
    void aLoadedBillShowsItsFirstLinesCustomer()
    {
        Operator& op = open(ui::BillOne, {billLine(3, 2, "TEA", 1, 5, 0, 0, "SECOND"), billLine(3, 1, "RICE", 1, 40, 0, 0, "FIRST")});
        db.exec("ANALYZE asigncharges");  // the server then reads a small table as it keeps it
        QVERIFY(op.pick(ui::Number, "3"));
        QCOMPARE(op.text(ui::PartyName), QString("FIRST"));
    }

    // A bill without lines prints nothing of the one before; a number no bill can carry is told once.
    void receiptsOfIncompleteBills()
    {
        db.exec(billLine(3, 1, "RICE", 1, 100, 0, 0, ""));
        db.exec("update asigncharges set CustomerPhone = ''");
        Operator& op = open(ui::BillOne);
        QVERIFY(op.pick(ui::Number, "3"));
        op.click(ui::Print);
        QCOMPARE(printed->allLines().mid(6, 5), QStringList({"Bill No : 3", "Bill Date : 04/Dec/2026", "Name : " + checks::Dashes,
                                                             "Address : ADDR", "Phone : " + checks::Dashes}));
        printed->clear();
        op.click(ui::NewDocument);
        op.click(ui::Print);
        QCOMPARE(printed->allLines(), checks::receipt({"Bill No : 4", "Bill Date : " + checks::Dashes, "Name : " + checks::Dashes,
                                                       "Address : " + checks::Dashes, "Phone : " + checks::Dashes},
                                                      {}, "0.00"));
        for (const char* text : {"", "abc", "40000"}) {
            op.type(ui::Number, text);
            op.click(ui::Print);
        }
        QCOMPARE(printed->finishedJobs(), 1);
        QCOMPARE(messages.texts(), QStringList({"Overflow"}));
    }
};

QTEST_MAIN(BillOneTest)
#include "tst_billone.moc"
