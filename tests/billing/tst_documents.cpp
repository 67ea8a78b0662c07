// What the four line-document screens share (the simple bill, the bill with
// details, the item receipt, the expenditure voucher), one data row a kind;
// then what the bill with details and the voucher do of their own.

#include "core/Dates.h"
#include "support/ScreenBench.h"

#include <QDateEdit>
#include <functional>

using namespace rows;
using checks::placed;
using checks::told;

namespace {

// A kind of document as these tests use it.
struct Kind {
    QString screen;
    QString lines;       // its table
    QString partyTable;
    // The stock of an item at a unit amount that the kind's lines are sold
    // from or received into: a batch "S1"/"B1" and, for the simple bill, a
    // stock row without code and batch that carries the price.
    std::function<QStringList(const QString& item, int quantity, double amount)> stock;
    // One of the item at the unit amount, entered as the operator enters it.
    std::function<void(const Operator&, const QString& item, double amount)> add;
    // A stored line. A simple bill's serial 2 was sold from the batch on the
    // bill with details; a voucher is a document of one line, numbered on
    // by its serial.
    std::function<QString(int number, int serial, const QString& item, int quantity, double amount)> line;
};

QString batchLine(const QString& table, int number, int serial, const QString& item, int quantity, double amount)
{
    return line(table, number, serial, item, quantity, amount, "S1", "B1");
}

const Kind SimpleBill{ui::BillOne, "asigncharges", "Customer",
                      [](const QString& item, int quantity, double amount) {
                          return QStringList{line("Stock", 8, 0, item, quantity, amount, "S1", "B1", "S", Dec4, 0, 0, amount),
                                             stockRow(9, item, quantity, amount)};
                      },
                      [](const Operator& op, const QString& item, double) { op.addLine(item, "1"); },
                      [](int number, int serial, const QString& item, int quantity, double amount) {
                          return serial == 2 ? batchLine("asigncharges", number, serial, item, quantity, amount)
                                             : billLine(number, serial, item, quantity, amount);
                      }};
const Kind BillWithDetails{ui::BillTwo, "asigncharges", "Customer",
                           [](const QString& item, int quantity, double amount) {
                               return QStringList{batchRow(8, "S1", item, "B1", quantity, amount)};
                           },
                           [](const Operator& op, const QString&, double) { op.sellByCode("S1", "1"); },
                           [](int number, int serial, const QString& item, int quantity, double amount) {
                               return batchLine("asigncharges", number, serial, item, quantity, amount);
                           }};
const Kind Receipt{ui::ItemInFrm, "ItemIn", "Supplier", BillWithDetails.stock,
                   [](const Operator& op, const QString& item, double amount) {
                       op.receiveLine(item, "S1", "B1", "1", QString::number(amount));
                   },
                   [](int number, int serial, const QString& item, int quantity, double amount) {
                       return batchLine("ItemIn", number, serial, item, quantity, amount);
                   }};
const Kind Voucher{ui::Expenditure, "ExpenditureTable", "ExpenditurePerson",
                   [](const QString&, int, double) { return QStringList(); },
                   [](const Operator& op, const QString& item, double amount) {
                       op.addVoucher(item, QString::number(amount));
                   },
                   [](int number, int serial, const QString& item, int, double amount) {
                       return voucherRow(number + serial - 1, item, amount);
                   }};

// Documents 4 (one line) and 5 (two), and the stock they came from or went to.
QStringList documents(const Kind& kind)
{
    return kind.stock("TEA", 4, 5) + QStringList{kind.line(4, 1, "TEA", 1, 5), kind.line(5, 1, "TEA", 2, 5),
                                                 kind.line(5, 2, "TEA", 3, 5)};
}

// Two batches of rice at different prices, one of tea; the item master.
const QStringList Batches{batchRow(1, "C1", "RICE", "B1", 10, 40), batchRow(2, "C1", "RICE", "B2", 10, 45),
                          batchRow(3, "C2", "TEA", "T1", 5, 5),    priced("Charges", 1, "TEA", 5),
                          priced("Charges", 2, "RICE", 40),        priced("Charges", 3, "SUGAR", 30)};
const QStringList CodeItemBatch{ui::Code, ui::Item, ui::Batch};

QString registerLine(const QString& number, const QString& head, const QString& amount)
{
    return placed({{1, number}, {6, head}, {39, amount}, {46, "04/Dec/2026"}});
}
QStringList expectedRegister(const QStringList& lines, const QString& total)
{
    return checks::Letterhead + QStringList{placed({{1, "No"}, {6, "Head"}, {39, "Amt"}, {46, "Date"}}), checks::Rule}
        + lines
        + QStringList{checks::Rule, checks::grandTotal(total), checks::Rule, "Software Designed By :", maker::Name,
                      "Email : " + maker::EMail, "Website : " + maker::WebAddress, checks::Rule};
}
const QStringList VoucherBoxes{ui::Item, ui::Quantity, ui::PartyName, ui::Address, ui::Phone, ui::Remark};

}  // namespace

Q_DECLARE_METATYPE(Kind)

class DocumentsTest : public QObject, ScreenBench {
    Q_OBJECT

    QString stock() { return db.rows("select Quantity from Stock order by BillNumber").join(','); }
    QString stored(const Kind& kind)
    {
        return db.rows("select BillNumber, Serial from " + kind.lines + " order by BillNumber, Serial").join(',');
    }
    QString voucherBoxes() const
    {
        return op->texts(VoucherBoxes) + '|' + dates::shown(op->control<QDateEdit>(ui::Date)->date());
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void theLineTotalsAreAddedThenRoundedOnce_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("totals");  // after three adds, a delete, an add; printed; reloaded
        QTest::addColumn<QString>("stored");
        const QStringList rounded{"10", "21", "32", "21.00", "32", "32.00", "32.00"};
        for (const auto& [row, kind] : {std::pair{"simple bill", SimpleBill}, {"bill with details", BillWithDetails},
                                        {"receipt", Receipt}})
            QTest::newRow(row) << kind << rounded << "1|1,1|3,1|4";
        // Each voucher is a document: the screen shows the sum of them all, unrounded.
        QTest::newRow("voucher") << Voucher << QStringList{"10.5", "21", "31.5", "21", "31.5", "32.00", "31.5"}
                                 << "1|0,3|0,4|0";
    }
    void theLineTotalsAreAddedThenRoundedOnce()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, totals);
        QFETCH(QString, stored);
        Operator& op = open(kind.screen, kind.stock("SAMOSA", 100, 10.5));
        QStringList shown;
        for (int n = 0; n < 3; ++n) {
            kind.add(op, "SAMOSA", 10.5);
            shown << op.grandTotal();
        }
        op.clickGridRow(1);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        shown << op.grandTotal();
        kind.add(op, "SAMOSA", 10.5);  // the next serial follows the highest: the gap stays
        shown << op.grandTotal();
        QTest::keyClick(op.box(ui::Quantity), Qt::Key_Return);  // Enter prints
        shown << printed->allLines().filter("Grand Total :").join("").mid(48);
        op.click(ui::NewDocument);
        QVERIFY(op.pick(ui::Number, "1"));
        shown << op.grandTotal();
        QCOMPARE(shown, totals);
        QCOMPARE(this->stored(kind), stored);
    }

    void deletesMoveEachLinesStock_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("left");  // after Delete Serial, after the delete of the document
        QTest::addColumn<QStringList>("stock");
        QTest::addColumn<QStringList>("said");
        const QString deleted = "i Deleted: Data Deleted";
        // Without a question, and the bill stays shown; a line sold from a batch gives its quantity back.
        QTest::newRow("simple bill") << SimpleBill << QStringList{"4|1,5|1", "4|1"} << QStringList{"7,4", "7,4"}
                                     << QStringList{"? Delete: Confirm Delete Bill ?", "? Delete: Confirm Delete Bill ?",
                                                    deleted, "? Delete: Confirm Delete Bill ?"};
        const QString bill = "? Delete: Confirm Delete Bill No : 5 ?";
        QTest::newRow("bill with details") << BillWithDetails << QStringList{"4|1,5|1", "4|1"} << QStringList{"7", "9"}
                                           << QStringList{"? Delete: Confirm Delete Serial No : 2 of Bill No :5", deleted,
                                                          bill, bill, deleted};
        // A received line comes off its batch again, below nought if the batch was sold meanwhile.
        const QString receipt = "? Delete: Confirm Delete Receipt ?";
        QTest::newRow("receipt") << Receipt << QStringList{"4|1,5|1", "4|1"} << QStringList{"1", "-1"}
                                 << QStringList{"? Delete: Confirm Delete Serial No : 2 of Receipt No :5", deleted,
                                                receipt, receipt, deleted, receipt};
        // Delete Serial deletes the voucher of the grid's row, then the newest is shown.
        QTest::newRow("voucher") << Voucher << QStringList{"4|0,6|0", "4|0"} << QStringList{"", ""}
                                 << QStringList(4, "? Delete: Confirm Delete ?");
    }
    void deletesMoveEachLinesStock()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, left);
        QFETCH(QStringList, stock);
        QFETCH(QStringList, said);
        Operator& op = open(kind.screen, documents(kind));
        QVERIFY(op.pick(ui::Number, "5"));
        op.clickGridRow(1);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QStringList after{stored(kind)}, stockAfter{this->stock()};
        for (const bool yes : {false, true}) {
            messages.answers = {yes};
            op.click(ui::DeleteDocument);
        }
        after << stored(kind);
        stockAfter << this->stock();
        QCOMPARE(op.entries(ui::Number), QStringList{"4"});
        // Without a number in the box the question, where there is one, leads nowhere.
        op.type(ui::Number, "abc");
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QCOMPARE(after, left);
        QCOMPARE(stored(kind), left.last());
        QCOMPARE(stockAfter, stock);
        QCOMPARE(told(messages), said);
    }

    void aStockChangeThatFailsTakesItsLineWithIt_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("simple bill") << SimpleBill << QStringList{"refused", "refused", "Confirm Delete Bill ?", "refused"};
        QTest::newRow("receipt") << Receipt
                                 << QStringList{"refused", "Confirm Delete Serial No : 2 of Receipt No :5", "refused",
                                                "Confirm Delete Receipt ?", "refused"};
    }
    // The change of a line and of its stock are stored together or not at
    // all; the refusal is told, the screen shows what it showed. (A voucher
    // changes no stock; a sale by batch changes it as a receipt does.)
    void aStockChangeThatFailsTakesItsLineWithIt()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, said);
        Operator& op = open(kind.screen, documents(kind));
        QVERIFY(op.pick(ui::Number, "5"));
        const QStringList lines = db.rows("select * from " + kind.lines);
        const QStringList stock = db.rows("select * from Stock");
        const QStringList grid = op.shown();

        db.exec(failingTrigger("UPDATE", "Stock"));
        kind.add(op, "TEA", 5);
        op.clickGridRow(1);
        messages.answers = {true, true};
        op.click(ui::DeleteSerial);
        op.click(ui::DeleteDocument);
        QCOMPARE(db.rows("select * from " + kind.lines), lines);
        QCOMPARE(db.rows("select * from Stock"), stock);
        QCOMPARE(op.shown(), grid);
        QCOMPARE(textsWithRefusals(messages), said);
    }

    void numbersUsedUp_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("usedUp");
        QTest::addColumn<QString>("full");  // a document of 32767 lines takes no more
        QTest::addColumn<QString>("shown");  // in the number box on opening: no next number, or the newest voucher recalled
        QTest::newRow("simple bill") << SimpleBill << "Bill numbers are used up: the highest bill number is 32767."
                                     << "A bill holds at most 32767 lines: bill 4 is full." << "";
        QTest::newRow("receipt") << Receipt << "Receipt numbers are used up: the highest receipt number is 32767."
                                 << "A receipt holds at most 32767 lines: receipt 4 is full." << "";
        QTest::newRow("voucher") << Voucher << "Voucher numbers are used up: the highest voucher number is 32767."
                                 << QString() << "32767";
    }
    // New warns once the highest number has passed 32,000, naming the command that numbers afresh.
    void numbersRunningOut_data() { numbersUsedUp_data(); }
    void numbersRunningOut()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, usedUp);
        Operator& op = open(kind.screen, kind.stock("TEA", 9, 5) + QStringList{kind.line(32000, 1, "TEA", 1, 5)});
        op.click(ui::NewDocument);
        QVERIFY(messages.shown.isEmpty());
        db.exec(kind.line(32001, 1, "TEA", 1, 5));
        op.click(ui::NewDocument);
        const QString runningOut = QString(usedUp).replace("are used up", "are running out").replace("32767.", "32001 of 32767.");
        QVERIFY2(checks::namesCloseYear(messages.texts(), runningOut), qPrintable(messages.texts().join('|')));
    }

    // Said on opening, at Add Item and at New, once each; nothing is stored.
    void numbersUsedUp()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, usedUp);
        QFETCH(QString, full);
        QFETCH(QString, shown);
        Operator& op = open(kind.screen, kind.stock("TEA", 9, 5) + QStringList{kind.line(32767, 1, "TEA", 1, 5)});
        QCOMPARE(op.number(), shown);
        kind.add(op, "TEA", 5);
        op.click(ui::NewDocument);
        QCOMPARE(op.number(), QString());
        const QStringList said = told(messages);
        QCOMPARE(checks::firstParagraphs(said), QStringList(3, "i Information: " + usedUp));
        for (const QString& text : said)
            QVERIFY2(text.endsWith(" close-year --before YYYY-MM-DD --archive FILE"), qPrintable(text));
        QCOMPARE(db.count(kind.lines), 1);
        if (full.isEmpty())
            return;

        db.exec(kind.line(4, 32767, "TEA", 1, 5));
        op.click(ui::NewDocument);
        messages.clear();
        QVERIFY(op.pick(ui::Number, "4"));
        kind.add(op, "TEA", 5);
        QCOMPARE(messages.texts(), QStringList{full});
        QCOMPARE(db.count(kind.lines), 2);
    }

    void thePartyByNumberOrPhone_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("simple bill") << SimpleBill;
        QTest::newRow("receipt") << Receipt;
        QTest::newRow("voucher") << Voucher;
    }
    // The highest party number is filled in on opening; a number picked, or
    // with "Ph" ticked a phone typed, finds its party in the kind's table only.
    void thePartyByNumberOrPhone()
    {
        QFETCH(Kind, kind);
        const QString other = kind.partyTable == "Customer" ? "Supplier" : "Customer";
        Operator& op = open(kind.screen, {party(kind.partyTable, 1, "ANIL", "1 MG ROAD", "98450"),
                                          party(kind.partyTable, 2, "BINA", "5 LAKE VIEW", "77712"),
                                          party(kind.partyTable, 3, "CHAND", "2 HILL ST", "9845099"),
                                          party(other, 4, "NOT OURS", "ELSEWHERE", "4444")});
        QCOMPARE(op.entries(ui::PartyNumber), QStringList({"3", "2", "1"}));
        QCOMPARE(op.party(), QString("CHAND|2 HILL ST|9845099"));
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        op.type(ui::Phone, "777");  // unticked, the phone box is just a box
        QCOMPARE(op.party(), QString("ANIL|1 MG ROAD|777"));

        op.click(ui::ByPhone);
        QStringList found;
        for (const char* phone : {"777", "000", "%", "4444"}) {
            op.type(ui::Phone, phone);
            found << op.party();
        }
        QCOMPARE(found, QStringList({"BINA|5 LAKE VIEW|777", "||000", "ANIL|1 MG ROAD|%", "||4444"}));
        QVERIFY(op.pick(ui::PartyNumber, "3"));
        QCOMPARE(op.party(), QString("CHAND|2 HILL ST|9845099"));

        // A party removed since the list was filled leaves the boxes alone.
        op.click(ui::ByPhone);
        db.exec("delete from " + kind.partyTable + " where SN = 2");
        op.type(ui::PartyName, "kept");
        QVERIFY(op.pick(ui::PartyNumber, "2"));
        QCOMPARE(op.party(), QString("KEPT|2 HILL ST|9845099"));
    }

    // --- the bill with details ---

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

    // --- the voucher ---

    // Each Add stores one voucher of serial 0 under the next number; a
    // voucher has no tax or discount; the grid lists every voucher.
    void eachAddStoresOneVoucherUnderTheNextNumber()
    {
        Operator& op = open(ui::Expenditure, {priced("ExpenditureHead", 1, "RENT", 0), priced("ExpenditureHead", 2, "POWER", 0),
                                              party("ExpenditurePerson", 1, "ANIL", "1 MG ROAD", "98450"),
                                              party("ExpenditurePerson", 2, "BINA", "5 LAKE VIEW", "77712")});
        QCOMPARE(op.entries(ui::Item), QStringList({"POWER", "RENT"}));
        QCOMPARE(op.texts({ui::Item, ui::Number, ui::GrandTotal}), QString("||0"));

        op.control<QDateEdit>(ui::Date)->setDate(Dec4);
        op.type(ui::Remark, "june");
        op.type(ui::Tax, "15");  // the boxes are shut
        QVERIFY(!op.box(ui::Tax)->isEnabled() && !op.box(ui::Discount)->isEnabled());
        op.addVoucher("RENT", "1500");
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        op.addVoucher("tea break", "12.5");  // a head not in the list, stored as typed
        QCOMPARE(db.rows("select * from ExpenditureTable order by BillNumber"),
                 QStringList({"1|0|RENT|0|1500|0|0|BINA|5 LAKE VIEW|77712|JUNE|-|0|04/Dec/2026|-|-",
                              "2|0|TEA BREAK|0|12.5|0|0|ANIL|1 MG ROAD|98450|JUNE|-|0|04/Dec/2026|-|-"}));
        QCOMPARE(op.shown(), QStringList({"2|04/Dec/2026|TEA BREAK|12.5|98450|ANIL|1 MG ROAD",
                                          "1|04/Dec/2026|RENT|1500|77712|BINA|5 LAKE VIEW", "= 1512.5"}));
        QCOMPARE(op.texts({ui::Number, ui::Tax, ui::Discount}), QString("2|0|0"));

        // An empty head or an amount that is no number stores nothing and says nothing.
        for (const QStringList& entry : QList<QStringList>{{"", "10"}, {"RENT", "x"}, {"RENT", ""}})
            op.addVoucher(entry[0], entry[1]);
        QCOMPARE(db.count("ExpenditureTable"), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    // The newest voucher is shown on opening; a number chosen recalls its
    // voucher, date and all; clicking a grid row only writes its number.
    void choosingANumberRecallsItsVoucher()
    {
        Operator& op = open(ui::Expenditure, {voucherRow(1, "RENT", 1500, "ANIL", QDate(2026, 4, 12)),
                                              voucherRow(2, "POWER", 40.25)});
        QCOMPARE(voucherBoxes(), QString("POWER|40.25|RAMU|1 MILL RD|5551|PAID|04/Dec/2026"));
        QCOMPARE(op.entries(ui::Number), QStringList({"2", "1"}));
        QVERIFY(op.pick(ui::Number, "1"));
        QCOMPARE(voucherBoxes() + '|' + op.grandTotal(), QString("RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026|1540.25"));
        QCOMPARE(op.grid()->currentIndex().row(), 1);  // the grid's current row follows
        op.clickGridRow(0);
        QCOMPARE(op.number() + '|' + voucherBoxes(), QString("2|RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026"));
        op.click(ui::NewDocument);
        QCOMPARE(op.number() + '|' + op.grandTotal() + '|' + QString::number(op.gridRows().size()), QString("3|0|2"));
    }

    // Whichever voucher is shown, the register prints them all, ascending;
    // without a number in the box nothing prints.
    void theRegisterPrintsEveryVoucherInAscendingNumber()
    {
        Operator& op = open(ui::Expenditure, {voucherRow(2, "POWER", 40.5), voucherRow(1, "RENT", 1500), voucherRow(3, "TEA", -5)});
        QVERIFY(op.pick(ui::Number, "1"));
        QTest::keyClick(op.box(ui::Remark), Qt::Key_Return);
        QCOMPARE(printed->allLines(), expectedRegister({registerLine(" 1", "RENT", " 1500"), registerLine(" 2", "POWER", " 40.5"),
                                                        registerLine(" 3", "TEA", "-5")},
                                                       "1536.00"));
        op.type(ui::Number, "x");
        op.click(ui::Print);
        QCOMPARE(printed->finishedJobs(), 1);
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
