// What the four line-document screens share, one data row a kind; then what
// the bill with details and the voucher do of their own.

#include "core/Dates.h"
#include "data/Statement.h"
#include "kit/Grid.h"
#include "stores/LineDocumentStore.h"
#include "support/ScreenBench.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <functional>

using namespace rows;
using checks::placed;
using checks::told;

namespace {

// A kind of document as these tests use it.
struct Kind {
    QString screen;
    QString lines;  // its table
    // The batch "S1"/"B1" the lines are sold from or received into (and, for the simple bill, the priced stock row).
    std::function<QStringList(const QString& item, int quantity, double amount)> stock;
    std::function<void(const Operator&, const QString& item, double amount)> add;
    // A simple bill's serial 2 was sold from the batch; a voucher is numbered on by its serial.
    std::function<QString(int number, int serial, const QString& item, int quantity, double amount)> line;
};

QString batchLine(const QString& table, int number, int serial, const QString& item, int quantity, double amount)
{
    return line(table, number, serial, item, quantity, amount, "S1", "B1");
}

const Kind SimpleBill{ui::BillOne, "asigncharges",
                      [](const QString& item, int quantity, double amount) {
                          return QStringList{line("Stock", 8, 0, item, quantity, amount, "S1", "B1", "S", Dec4, 0, 0, amount),
                                             stockRow(9, item, quantity, amount)};
                      },
                      [](const Operator& op, const QString& item, double) { op.addLine(item, "1"); },
                      [](int number, int serial, const QString& item, int quantity, double amount) {
                          return serial == 2 ? batchLine("asigncharges", number, serial, item, quantity, amount)
                                             : billLine(number, serial, item, quantity, amount);
                      }};
const Kind BillWithDetails{ui::BillTwo, "asigncharges",
                           [](const QString& item, int quantity, double amount) {
                               return QStringList{batchRow(8, "S1", item, "B1", quantity, amount)};
                           },
                           [](const Operator& op, const QString&, double) { op.sellByCode("S1", "1"); },
                           [](int number, int serial, const QString& item, int quantity, double amount) {
                               return batchLine("asigncharges", number, serial, item, quantity, amount);
                           }};
const Kind Receipt{ui::ItemInFrm, "ItemIn", BillWithDetails.stock,
                   [](const Operator& op, const QString& item, double amount) {
                       op.receiveLine(item, "S1", "B1", "1", QString::number(amount));
                   },
                   [](int number, int serial, const QString& item, int quantity, double amount) {
                       return batchLine("ItemIn", number, serial, item, quantity, amount);
                   }};
const Kind Voucher{ui::Expenditure, "ExpenditureTable",
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

    // A delete never leaves the screen on another party's document: Delete
    // Serial stays on the document, whose emptied number the next line takes
    // again unless another screen's new document has it; a deleted document
    // makes way for a new one.
    void aDeleteLeavesTheNextLineOnThisScreensDocument_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("simple bill") << SimpleBill;
        QTest::newRow("bill with details") << BillWithDetails;
        QTest::newRow("receipt") << Receipt;
    }
    void aDeleteLeavesTheNextLineOnThisScreensDocument()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind) + QStringList{party("Customer", 1, "RAM", "", "1"),
                                                                     party("Supplier", 1, "RAM", "", "1")});
        const auto parties = [&] {
            return db.rows("select BillNumber, Serial, CustomerName from " + kind.lines + " where BillNumber > 5 "
                           "order by BillNumber, Serial").join(',');
        };
        op.type(ui::PartyName, "bina");
        kind.add(op, "TEA", 5);
        op.clickGridRow(0);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QCOMPARE(op.number(), QString("6"));
        QCOMPARE(op.gridRows(), QStringList());
        QCOMPARE(op.grandTotal(), QString("0.00"));
        QCOMPARE(op.text(ui::PartyName), QString("BINA"));

        // Meanwhile another screen's new document takes the free number 6.
        QWidget* other = catalog::createScreen(kind.screen, nullptr);
        other->show();
        {
            Operator till(other);
            QCOMPARE(till.number(), QString("6"));
            till.type(ui::PartyName, "anil");
            kind.add(till, "TEA", 5);
        }
        delete other;
        kind.add(op, "TEA", 5);
        QCOMPARE(op.number(), QString("7"));
        QCOMPARE(parties(), QString("6|1|ANIL,7|1|BINA"));

        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QCOMPARE(op.number(), QString("7"));
        QCOMPARE(op.grandTotal(), QString("0"));
        QCOMPARE(op.text(ui::PartyNumber) + '|' + op.party(), QString("|||"));
        op.type(ui::PartyName, "chandra");
        kind.add(op, "TEA", 5);
        QCOMPARE(parties(), QString("6|1|ANIL,7|1|CHANDRA"));
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2,6|1,7|1"));
    }

    // Another till deleted the document shown and stored another under its number: Delete
    // leaves that one, with its stock, says so and shows it; shown, it is deleted.
    void aDeleteTakesOnlyTheDocumentShown_data()
    {
        aDeleteLeavesTheNextLineOnThisScreensDocument_data();
        QTest::newRow("voucher") << Voucher;
    }
    void aDeleteTakesOnlyTheDocumentShown()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        QVERIFY(op.pick(ui::Number, "5"));
        if (kind.screen != ui::Expenditure) {  // a line another till added to it is not taken
            db.exec(kind.line(5, 3, "TEA", 4, 4));
            messages.answers = {true};
            op.click(ui::DeleteDocument);
            QCOMPARE(db.count(kind.lines, "BillNumber = 5"), 3);
        }
        db.exec("delete from " + kind.lines + " where BillNumber = 5");
        if (kind.screen == ui::Expenditure) {
            db.exec(kind.line(5, 1, "TEA", 7, 7));
        } else {  // the first line as it was
            db.exec(kind.line(5, 1, "TEA", 2, 5));
            db.exec(kind.line(5, 2, "TEA", 7, 7));
        }
        const QString before = stored(kind) + '/' + stock();
        messages.clear();
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        const QStringList said = told(messages);
        QVERIFY2(said.size() == 2 && said.last().contains("Number 5 no longer holds the lines shown: another till or screen has changed them"),
                 qPrintable(said.join('\n')));
        QCOMPARE(stored(kind) + '/' + stock(), before);
        QVERIFY2(op.gridRows().join(',').contains("|TEA|7|"), qPrintable(op.gridRows().join(',')));  // the line stored now

        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QCOMPARE(db.count(kind.lines, "BillNumber = 5"), 0);

        // A number that holds no lines, beside a grid that may show another document's: nothing is
        // said to be deleted.
        const QString left = stored(kind) + '/' + stock();
        op.type(ui::Number, "9");
        messages.clear();
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QVERIFY2(told(messages).value(1).contains("Number 9 holds no lines: nothing was deleted."), qPrintable(told(messages).join('\n')));
        QCOMPARE(stored(kind) + '/' + stock(), left);
    }

    // A screen left open past midnight, or for days, dates the next document today, unless the
    // operator chose the date; a document's lines keep its one date (a voucher is one line).
    void aScreenLeftOpenDatesTheNextDocumentToday_data() { aDeleteTakesOnlyTheDocumentShown_data(); }
    void aScreenLeftOpenDatesTheNextDocumentToday()
    {
        QFETCH(Kind, kind);
        const QDate evening(2026, 12, 31), night(2027, 1, 1), chosen(2026, 12, 20);
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        dates::setToday(evening);
        Operator& op = open(kind.screen, documents(kind));
        kind.add(op, "TEA", 5);
        dates::setToday(night);
        kind.add(op, "TEA", 5);  // on the evening's bill or receipt; a voucher of its own
        op.click(ui::NewDocument);
        kind.add(op, "TEA", 5);
        dates::setToday(QDate(2027, 1, 7));
        op.click(ui::NewDocument);
        op.control<QDateEdit>(ui::Date)->setDate(chosen);
        kind.add(op, "TEA", 5);
        const bool voucher = kind.screen == ui::Expenditure;
        if (!voucher) {  // a voucher's New and Delete date the next one today, as the screen says
            messages.answers = {true};
            op.click(ui::DeleteDocument);
            QCOMPARE(op.control<QDateEdit>(ui::Date)->date(), chosen);
            op.click(ui::NewDocument);
            QCOMPARE(op.control<QDateEdit>(ui::Date)->date(), chosen);
        }
        kind.add(op, "TEA", 5);

        QStringList dated;
        for (const QDate& day : voucher ? QList<QDate>{evening, night, night, chosen, chosen} : QList<QDate>{evening, evening, night, chosen})
            dated << dates::shown(day);
        QCOMPARE(db.rows(QString("select Date_ from %1 where BillNumber > %2 order by BillNumber, Serial")
                             .arg(kind.lines).arg(voucher ? 6 : 5)),
                 dated);
        if (voucher)
            return;

        // The number offered in the evening, taken by another till before midnight: the line after
        // midnight starts the next one, dated the day it is made.
        dates::setToday(QDate(2027, 1, 8));
        op.click(ui::NewDocument);
        op.control<QDateEdit>(ui::Date)->setDate(QDate(2027, 1, 8));
        dates::setToday(QDate(2027, 1, 9));
        op.click(ui::NewDocument);  // the date chosen, the 8th, was the day it was chosen on
        dates::setToday(QDate(2027, 1, 10));
        const int offered = op.number().toInt();
        db.exec(kind.line(offered, 1, "TEA", 1, 5));
        kind.add(op, "TEA", 5);
        QCOMPARE(db.rows(QString("select Date_ from %1 where BillNumber = %2").arg(kind.lines).arg(offered + 1)),
                 QStringList{dates::shown(QDate(2027, 1, 10))});
        // A number typed that holds no lines takes the line.
        op.click(ui::NewDocument);
        op.type(ui::Number, "20");
        messages.clear();
        kind.add(op, "TEA", 5);
        QCOMPARE(db.count(kind.lines, "BillNumber = 20"), 1);
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
    }

    // On a screen left open overnight, a date the operator typed or picked as the box already shows it,
    // or a voucher they recalled, is theirs: it stays for the next document.
    void theOperatorsDateStaysPastMidnight()
    {
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        const QDate evening(2026, 12, 31);
        dates::setToday(evening);
        Operator& typed = open(ui::BillOne, {});
        dates::setToday(QDate(2027, 1, 1));
        QDateEdit* date = typed.control<QDateEdit>(ui::Date);
        date->setFocus();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(date, "31");
        typed.click(ui::NewDocument);
        QCOMPARE(date->date(), evening);

        Operator& picked = open(ui::BillOne);
        date = picked.control<QDateEdit>(ui::Date);
        dates::setToday(QDate(2027, 1, 2));
        QTest::mousePress(date, Qt::LeftButton);  // opens the calendar
        QTest::mouseRelease(date, Qt::LeftButton);
        emit date->calendarWidget()->clicked(QDate(2027, 1, 1));
        picked.click(ui::NewDocument);
        QCOMPARE(date->date(), QDate(2027, 1, 1));

        dates::setToday(evening);
        Operator& recalled = open(ui::Expenditure);
        recalled.addVoucher("TEA", "5");
        dates::setToday(QDate(2027, 1, 1));
        QVERIFY(recalled.pick(ui::Number, "1"));
        recalled.addVoucher("TEA", "6");
        QCOMPARE(db.rows("select Date_ from ExpenditureTable order by BillNumber"),
                 QStringList({dates::shown(evening), dates::shown(evening)}));

        // The days the calendar's arrows went through, left with Esc, were no choice.
        Operator& browsed = open(ui::BillOne);
        date = browsed.control<QDateEdit>(ui::Date);
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(date->date(), QDate(2027, 1, 1));
        dates::setToday(QDate(2027, 1, 2));
        browsed.click(ui::NewDocument);
        QCOMPARE(date->date(), QDate(2027, 1, 2));
    }

    // A date typed whole on a screen dates what is stored, also in a form the box takes only whole
    // (a year of two figures); Esc drops the typing and leaves the screen open, the next Esc closes it.
    void aDateTypedWholeDatesTheVoucher()
    {
        Operator& op = open(ui::Expenditure, {});
        QDateEdit* date = op.control<QDateEdit>(ui::Date);
        date->window()->show();
        date->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(date->window()));
        date->setDate(QDate(2024, 2, 29));
        date->setFocus();
        date->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(date, "31/12/25");
        op.addVoucher("TEA", "5");
        QTest::keyClicks(date, "1/1/2026");  // the box no longer has the focus: nothing typed
        QCOMPARE(db.rows("select Date_ from ExpenditureTable"), QStringList{dates::shown(QDate(2025, 12, 31))});

        date->setFocus();
        date->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(date, "1/1/2026");
        QTest::keyClick(date, Qt::Key_Escape);
        QCOMPARE(date->date(), QDate(2025, 12, 31));
        QVERIFY(date->isVisible());

        const QPointer<QDateEdit> box = date;
        QTest::keyClick(date, Qt::Key_Escape);
        QTRY_VERIFY(!box || !box->isVisible());

        // A typing taken back (Esc, or no date) is no choice: the next document is dated today.
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        for (const QStringList& keys : {QStringList{"5", "Esc"}, QStringList{"31/2", "Tab"}}) {
            dates::setToday(QDate(2026, 12, 8));
            Operator& bill = open(ui::BillOne, {});
            QDateEdit* billDate = bill.control<QDateEdit>(ui::Date);
            billDate->window()->activateWindow();
            billDate->setFocus();
            billDate->setSelectedSection(QDateTimeEdit::DaySection);
            QTest::keyClicks(billDate, keys.first());
            QTest::keyClick(billDate, keys.last() == "Esc" ? Qt::Key_Escape : Qt::Key_Tab);
            QCOMPARE(billDate->date(), QDate(2026, 12, 8));
            dates::setToday(QDate(2026, 12, 9));
            bill.click(ui::NewDocument);
            QVERIFY2(billDate->date() == QDate(2026, 12, 9), qPrintable(keys.join(' ')));
        }
    }

    // A bill or receipt the operator recalls shows its own date while in hand, and the lines added to
    // it take that date: one document, one day in the day's totals. The next document is dated as
    // before the recall: today, or the date the operator had chosen.
    void aRecalledDocumentTakesItsLinesOnItsOwnDate_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void aRecalledDocumentTakesItsLinesOnItsOwnDate()
    {
        QFETCH(Kind, kind);
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        const QDate today(2026, 12, 8), chosen(2026, 12, 6);
        dates::setToday(today);
        Operator& op = open(kind.screen, documents(kind));  // dated 4 December
        QDateEdit* date = op.control<QDateEdit>(ui::Date);
        // A recalled document's only line deleted and typed again: it keeps its date.
        QVERIFY(op.pick(ui::Number, "4"));
        op.clickGridRow(0);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QCOMPARE(db.count(kind.lines, "BillNumber = 4"), 0);
        kind.add(op, "TEA", 5);
        QCOMPARE(db.rows("select Date_ from " + kind.lines + " where BillNumber = 4"), QStringList{dates::shown(Dec4)});
        QVERIFY(op.pick(ui::Number, "5"));
        QCOMPARE(date->date(), Dec4);
        kind.add(op, "TEA", 5);
        op.click(ui::NewDocument);
        QCOMPARE(date->date(), today);
        kind.add(op, "TEA", 5);

        date->setDate(chosen);
        QVERIFY(op.pick(ui::Number, "4"));
        kind.add(op, "TEA", 5);
        op.click(ui::NewDocument);
        QCOMPARE(date->date(), chosen);
        kind.add(op, "TEA", 5);
        QStringList dated;
        for (const QDate& day : {Dec4, Dec4, Dec4, Dec4, Dec4, today, chosen})
            dated << dates::shown(day);
        QCOMPARE(db.rows("select Date_ from " + kind.lines + " order by BillNumber, Serial"), dated);
        // Dated otherwise, its next line is refused: a document of two dates counted whole on both days.
        const QString stored = db.rows("select count(*), sum(Quantity) from " + kind.lines).join(',') + stock();
        QVERIFY(op.pick(ui::Number, "5"));
        date->setDate(today);
        messages.clear();
        kind.add(op, "TEA", 5);
        QVERIFY2(checks::told(messages).join('\n').contains(" 5 is dated 04/Dec/2026, and the lines added to it take that date"),
                 qPrintable(checks::told(messages).join('\n')));
        QCOMPARE(db.rows("select count(*), sum(Quantity) from " + kind.lines).join(',') + stock(), stored);
    }

    // A voucher another program stored as two rows is one voucher: with either row current, Delete
    // takes the voucher without calling it changed.
    void aVoucherOfTwoRowsIsDeletedWhole()
    {
        Operator& op = open(ui::Expenditure, documents(Voucher) + QStringList{voucherRow(5, "RENT", 250)});
        QVERIFY(op.pick(ui::Number, "5"));
        QTableView* grid = op.grid();
        int rentRow = -1;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == "5" && op.gridRows().value(row).contains("RENT"))
                rentRow = row;
        QVERIFY(rentRow >= 0);
        grid->setCurrentIndex(grid->model()->index(rentRow, 0));
        messages.clear();
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QVERIFY2(!told(messages).join('\n').contains("no longer holds"), qPrintable(told(messages).join('\n')));
        QCOMPARE(db.count("ExpenditureTable", "BillNumber = 5"), 0);
        QCOMPARE(db.count("ExpenditureTable"), 2);
    }

    // Add Item joins the document shown while its lines are still there,
    // after the lines another till added; never one made again under the number.
    void addItemJoinsOnlyTheDocumentShown_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void addItemJoinsOnlyTheDocumentShown()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        QVERIFY(op.pick(ui::Number, "5"));
        db.exec("delete from " + kind.lines + " where BillNumber = 5");
        db.exec(kind.line(5, 1, "TEA", 7, 7));
        const QString before = stored(kind) + '/' + stock();
        messages.clear();
        kind.add(op, "TEA", 5);
        QVERIFY2(told(messages).join('\n').contains("Number 5 no longer holds the lines shown: another till or screen has changed them since."),
                 qPrintable(told(messages).join('\n')));
        QCOMPARE(stored(kind) + '/' + stock(), before);
        QCOMPARE(op.gridRows().size(), 1);  // the document as stored now
        QVERIFY2(op.gridRows().join(',').contains("|TEA|7|"), qPrintable(op.gridRows().join(',')));

        db.exec(kind.line(5, 2, "TEA", 1, 5));
        messages.clear();
        kind.add(op, "TEA", 5);
        QCOMPARE(told(messages), QStringList());
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2,5|3"));
        QCOMPARE(op.gridRows().size(), 3);

        // Deleted whole meanwhile: nothing is added, however often Add Item is pressed, and the screen
        // shows the number as it is now, empty; New offers a number again.
        db.exec("delete from " + kind.lines + " where BillNumber = 5");
        for (int press = 0; press < 2; ++press) {
            messages.clear();
            kind.add(op, "TEA", 5);
            QVERIFY2(told(messages).join('\n').contains(" 5 is no longer stored"), qPrintable(told(messages).join('\n')));
            QCOMPARE(stored(kind), QString("4|1"));
            QCOMPARE(op.shown(), QStringList{"= 0.00"});
        }
        // Made again by another till meanwhile: that document is shown, and only the next Add Item joins it.
        db.exec(kind.line(5, 1, "TEA", 7, 7));
        messages.clear();
        kind.add(op, "TEA", 5);
        QVERIFY2(told(messages).join("\n").contains("Number 5 holds lines this screen had not shown"), qPrintable(told(messages).join("\n")));
        QCOMPARE(stored(kind), QString("4|1,5|1"));
        QVERIFY2(op.gridRows().join(',').contains("|TEA|7|"), qPrintable(op.gridRows().join(',')));
        kind.add(op, "TEA", 5);
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2"));
        op.click(ui::NewDocument);
        kind.add(op, "TEA", 5);
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2,6|1"));
    }

    // Blanks typed around a receipt's names are no part of them: the batch received is the one
    // stored, not one beside it that sales would price at nothing.
    void aReceiptsNamesAreTakenWithoutBlanksAround()
    {
        Operator& op = open(ui::ItemInFrm, Receipt.stock("TEA", 4, 5));
        op.receiveLine(" TEA ", "S1 ", " B1", "3", "5");
        op.receiveLine("   ", "S1", "B1", "3", "5");
        QCOMPARE(db.rows("select ItemCode, Item, Batch_Number, Quantity from Stock"), QStringList{"S1|TEA|B1|7"});
        QCOMPARE(db.rows("select ItemCode, Item, Batch_Number from ItemIn"), QStringList{"S1|TEA|B1"});
        // A code or batch of blanks alone is none: the item's name and "-", as for one left empty.
        op.receiveLine("SUGAR", "  ", " ", "2", "5");
        QCOMPARE(db.rows("select ItemCode, Item, Batch_Number from ItemIn where Item = 'SUGAR'"), QStringList{"SUGAR|SUGAR|-"});
    }

    // Another till or screen added to the document shown: printed, the screen shows it as printed.
    void aPrintShowsTheDocumentAsPrinted_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void aPrintShowsTheDocumentAsPrinted()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        QVERIFY(op.pick(ui::Number, "5"));
        QCOMPARE(op.gridRows().size(), 2);
        db.exec(kind.line(5, 3, "TEA", 3, 7));
        op.click(ui::Print);
        const QString printedTotal = printed->allLines().filter("Grand Total :").join("").mid(48).trimmed();
        QCOMPARE(op.gridRows().size(), 3);
        // A recalled document's total keeps its form, as on paper.
        QCOMPARE(op.grandTotal(), printedTotal);
        QCOMPARE(op.grandTotal().toDouble(), db.rows("select round(sum(Amount * Quantity)) from " + kind.lines
                                                     + " where BillNumber = 5").value(0).toDouble());
    }

    // Another till deleted the line shown, or deleted it and added another
    // that took its serial: Delete Serial takes nothing and shows the bill.
    void aDeleteSerialTakesOnlyTheLineShown_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void aDeleteSerialTakesOnlyTheLineShown()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        const QString deleted = QString("delete from %1 where BillNumber = 5 and Serial = 2").arg(kind.lines);
        for (const QStringList& byAnotherTill : {QStringList{deleted}, QStringList{deleted, kind.line(5, 2, "TEA", 7, 7)}}) {
            db.exec(deleted);
            db.exec(kind.line(5, 2, "TEA", 3, 5));  // as the screen will show it
            QVERIFY(op.pick(ui::Number, "5"));
            op.clickGridRow(1);
            for (const QString& statement : byAnotherTill)
                db.exec(statement);
            const QString before = stored(kind) + '/' + stock();
            messages.clear();
            messages.answers = {true};
            op.click(ui::DeleteSerial);
            QVERIFY2(told(messages).join('\n').contains("Number 5 no longer holds the line shown as serial 2: another till or screen deleted it."),
                     qPrintable(told(messages).join('\n')));
            QCOMPARE(stored(kind) + '/' + stock(), before);
            QCOMPARE(op.gridRows().size(), db.count(kind.lines, "BillNumber = 5"));  // the bill as stored now
        }
        QVERIFY2(op.gridRows().join(',').contains("|TEA|7|"), qPrintable(op.gridRows().join(',')));
        op.clickGridRow(1);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QCOMPARE(stored(kind), QString("4|1,5|1"));

        // Beside a new number, the lines shown may be the newest document's (the screen just opened, or
        // after New): the press says which to choose.
        db.exec(kind.line(5, 2, "TEA", 3, 5));
        Operator& opened = open(kind.screen);
        if (opened.gridRows().isEmpty())
            opened.click(ui::NewDocument);
        QVERIFY(!opened.gridRows().isEmpty() || kind.screen == ui::BillOne);
        if (opened.gridRows().isEmpty())
            return;  // the simple bill shows no lines beside a new number
        opened.clickGridRow(0);
        messages.clear();
        messages.answers = {true};
        opened.click(ui::DeleteSerial);
        QVERIFY2(told(messages).join('\n').contains("The lines shown are those of " + QString(kind.lines == "ItemIn" ? "receipt" : "bill")
                                                       + " 5. Choose 5 from the list"),
                 qPrintable(told(messages).join('\n')));
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2"));
        // Its number typed (as 05 or 5.0, too), the press takes the line.
        opened.type(ui::Number, "5.0");
        opened.clickGridRow(0);
        messages.clear();
        messages.answers = {true};
        opened.click(ui::DeleteSerial);
        QCOMPARE(stored(kind), QString("4|1,5|2"));
    }

    // A document another till deleted, shown empty after a refused delete: Add Item does not make it
    // again, and neither Add Item nor Delete takes a document another till made under its number since.
    void aDocumentShownEmptyIsNeitherMadeAgainNorTaken_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void aDocumentShownEmptyIsNeitherMadeAgainNorTaken()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        const QString another = kind.line(5, 1, "TEA", 7, 7);
        // What is wrong with the press: nothing when it told `said` and changed nothing.
        const auto refused = [&](const std::function<void()>& press, const QString& said) {
            const QString before = stored(kind) + '/' + stock();
            messages.clear();
            messages.answers = {true};
            press();
            const QString told = checks::told(messages).join('\n'), after = stored(kind) + '/' + stock();
            return told.contains(said) && after == before ? QString() : QString("%1 / %2 / %3 -> %4").arg(said, told, before, after);
        };
        for (const bool madeAgain : {false, true}) {
            QVERIFY(op.pick(ui::Number, "5"));
            op.clickGridRow(1);
            db.exec("delete from " + kind.lines + " where BillNumber = 5");
            QString problem = refused([&] { op.click(ui::DeleteSerial); }, "no longer holds the line shown");
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QCOMPARE(op.gridRows(), QStringList());
            if (madeAgain)
                db.exec(another);
            problem = refused([&] { kind.add(op, "TEA", 5); }, madeAgain ? "Number 5 holds lines this screen had not shown" : " 5 is no longer stored");
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            db.exec("delete from " + kind.lines + " where BillNumber = 5");
            db.exec(kind.line(5, 1, "TEA", 2, 5));
            db.exec(kind.line(5, 2, "TEA", 3, 5));
            op.click(ui::NewDocument);
        }
        // Delete on the number shown empty, which another till has made again.
        QVERIFY(op.pick(ui::Number, "5"));
        db.exec("delete from " + kind.lines + " where BillNumber = 5");
        QString problem = refused([&] { kind.add(op, "TEA", 5); }, " 5 is no longer stored");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        db.exec(another);
        problem = refused([&] { op.click(ui::DeleteDocument); }, "Number 5 holds lines this screen had not shown");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(stored(kind), QString("4|1,5|1"));
        // Shown as it is now, the document is this screen's to delete a line of, and to add to again.
        op.clickGridRow(0);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        kind.add(op, "TEA", 5);
        QCOMPARE(stored(kind), QString("4|1,5|1"));
        QCOMPARE(db.count(kind.lines, "BillNumber = 5 and Quantity = 1"), 1);
        // Delete on the number New offers, which another till has taken meanwhile.
        op.click(ui::NewDocument);
        db.exec(kind.line(6, 1, "TEA", 7, 7));
        problem = refused([&] { op.click(ui::DeleteDocument); }, "Number 6 holds lines this screen had not shown");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(stored(kind), QString("4|1,5|1,6|1"));
        // A number typed into the box: its lines are shown before a line joins them.
        op.click(ui::NewDocument);
        op.type(ui::Number, "04");
        problem = refused([&] { kind.add(op, "TEA", 5); }, "Number 4 holds lines this screen had not shown");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(op.gridRows().size(), 1);
        kind.add(op, "TEA", 5);
        QCOMPARE(stored(kind), QString("4|1,4|2,5|1,6|1"));
    }

    // Delete takes the voucher the boxes show, wherever the arrow keys moved the grid's current row,
    // and no voucher another till stored under the number New offers or a number typed, unseen.
    void aVoucherDeleteTakesOnlyTheVoucherShown()
    {
        Operator& op = open(ui::Expenditure, documents(Voucher));
        const auto deleteShown = [&] {
            messages.clear();
            messages.answers = {true};
            op.click(ui::DeleteDocument);
            return told(messages).join('\n');
        };
        op.click(ui::NewDocument);
        op.addVoucher("TEA", "5");
        const QString added = op.number();
        QTest::keyClick(op.grid(), Qt::Key_Down);
        QVERIFY(grid::currentText(op.grid(), 0) != added);
        QVERIFY2(!deleteShown().contains("could not be made"), qPrintable(told(messages).join('\n')));
        QCOMPARE(db.count("ExpenditureTable", "BillNumber = " + added), 0);

        op.click(ui::NewDocument);
        const QString offered = op.number();
        db.exec(voucherRow(offered.toInt(), "RENT", 999));
        QString said = deleteShown();
        QVERIFY2(said.contains("Voucher " + offered + " is neither the one in the boxes nor the grid's current row"), qPrintable(said));
        QCOMPARE(db.count("ExpenditureTable", "Item = 'RENT'"), 1);
        // Stored by another till after the list was read, typed: shown first, deleted at the next press.
        const QString typed = QString::number(offered.toInt() + 1);
        db.exec(voucherRow(typed.toInt(), "POWER", 77));
        op.type(ui::Number, typed);
        said = deleteShown();
        QVERIFY2(said.contains("Voucher " + typed + " is neither the one in the boxes nor the grid's current row"), qPrintable(said));
        QCOMPARE(db.count("ExpenditureTable", "Item = 'POWER'"), 1);
        QCOMPARE(op.text(ui::Item), QString("POWER"));
        deleteShown();
        QCOMPARE(db.count("ExpenditureTable", "Item = 'POWER'"), 0);

        // Deleted by another till while shown: the refusal leaves neither the gone voucher in the
        // boxes nor a blank total, but the vouchers as stored.
        op.addVoucher("SALT", "7");
        QCOMPARE(op.text(ui::Item), QString("SALT"));
        db.exec("delete from ExpenditureTable where Item = 'SALT'");
        said = deleteShown();
        QVERIFY2(said.contains("holds no lines"), qPrintable(said));
        QVERIFY(op.text(ui::Item) != "SALT");
        QCOMPARE(op.text(ui::Number), db.value("Select max(BillNumber) from ExpenditureTable").toString());
        QCOMPARE(op.text(ui::GrandTotal).toDouble(), db.value("Select sum(Amount) from ExpenditureTable").toDouble());
    }

    // An emptied document taken meanwhile by another till's new one moves on
    // to the next free number, which may be the one the screen offered: the
    // next line joins it there.
    void aRetakenDocumentKeepsItsNextLinesTogether_data() { aDeleteLeavesTheNextLineOnThisScreensDocument_data(); }
    void aRetakenDocumentKeepsItsNextLinesTogether()
    {
        QFETCH(Kind, kind);
        Operator& op = open(kind.screen, documents(kind));
        QCOMPARE(op.number(), QString("6"));
        QVERIFY(op.pick(ui::Number, "4"));
        op.clickGridRow(0);
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        db.exec(kind.line(4, 1, "TEA", 1, 5));
        kind.add(op, "TEA", 5);
        kind.add(op, "TEA", 5);
        QCOMPARE(op.number(), QString("6"));
        QCOMPARE(op.gridRows().size(), 2);
        QCOMPARE(stored(kind), QString("4|1,5|1,5|2,6|1,6|2"));
    }

    // The receipt's lines stand for every kind whose lines move stock.
    void aStockChangeThatFailsTakesItsLineWithIt()
    {
        Operator& op = open(ui::ItemInFrm, documents(Receipt));
        QVERIFY(op.pick(ui::Number, "5"));
        const QStringList before = db.rows("select * from ItemIn") + db.rows("select * from Stock");
        const QStringList grid = op.shown();

        db.exec(failingTrigger("UPDATE", "Stock"));
        Receipt.add(op, "TEA", 5);
        op.clickGridRow(1);
        messages.answers = {true, true};
        op.click(ui::DeleteSerial);
        op.click(ui::DeleteDocument);
        QCOMPARE(db.rows("select * from ItemIn") + db.rows("select * from Stock"), before);
        QCOMPARE(op.shown(), grid);
        QCOMPARE(textsWithRefusals(messages), QStringList({"refused", "Confirm Delete Serial No : 2 of Receipt No :5", "refused",
                                                           "Confirm Delete Receipt ?", "refused"}));
    }

    // The simple bill stands for the screens: warned at New; a used-up number told on opening,
    // at Add Item and at New once each; a full document at Add Item.
    void numbersRunningOutAndUsedUp()
    {
        const QString advice = " close-year --before YYYY-MM-DD --archive FILE";
        for (const auto& [document, words] :
             {std::pair{stores::Document::Bill, "Bill numbers are %1: the highest bill number is 32"},
              {stores::Document::GoodsReceipt, "Receipt numbers are %1: the highest receipt number is 32"},
              {stores::Document::Voucher, "Voucher numbers are %1: the highest voucher number is 32"}}) {
            const stores::LineDocumentStore store(document);
            const QString usedUp = store.usedUpMessage(), runningOut = store.runningOutMessage({numbering::State::Free, 32002});
            QVERIFY2(usedUp.startsWith(QString(words).arg("used up") + "767.\n\n") && usedUp.endsWith(advice), qPrintable(usedUp));
            QVERIFY2(runningOut.startsWith(QString(words).arg("running out") + "001 of 32767.\n\n") && runningOut.endsWith(advice),
                     qPrintable(runningOut));
            QCOMPARE(store.runningOutMessage({numbering::State::Free, 32001}), QString());
        }
        const stores::LineDocumentStore bills(stores::Document::Bill);
        open(ui::BillOne, {stockRow(9, "TEA", 9, 5), billLine(32001, 1, "TEA", 1, 5)}).click(ui::NewDocument);
        QCOMPARE(messages.texts(), QStringList{bills.runningOutMessage({numbering::State::Free, 32002})});
        messages.clear();
        Operator& op = open(ui::BillOne, {billLine(32767, 1, "TEA", 1, 5)});
        QCOMPARE(op.number(), QString());
        op.addLine("TEA", "1");
        op.click(ui::NewDocument);
        QCOMPARE(messages.texts(), QStringList(3, bills.usedUpMessage()));
        db.exec(billLine(4, 32767, "TEA", 1, 5));
        op.click(ui::NewDocument);
        messages.clear();
        QVERIFY(op.pick(ui::Number, "4"));
        op.addLine("TEA", "1");
        QCOMPARE(messages.texts(), QStringList{"A bill holds at most 32767 lines: bill 4 is full."});
        QCOMPARE(db.count("asigncharges"), 3);
    }

    // The receipt's suppliers stand for every kind's parties.
    void thePartyByNumberOrPhone()
    {
        const QString longAddress = "1 MG ROAD, OPPOSITE THE BUS STAND, PUNE";
        // Stored out of their numbers' order: a phone found in several is the lowest number's.
        Operator& op = open(ui::ItemInFrm, {party("Supplier", 3, "CHAND", "2 HILL ST", "9845099"),
                                            party("Supplier", 1, "ANIL", longAddress, "98450"),
                                            party("Supplier", 2, "BINA", "5 LAKE VIEW", "77712"),
                                            party("Customer", 4, "NOT OURS", "ELSEWHERE", "4444")});
        QCOMPARE(op.entries(ui::PartyNumber), QStringList({"3", "2", "1"}));
        QCOMPARE(op.party(), QString("CHAND|2 HILL ST|9845099"));
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        QCOMPARE(op.box(ui::Address)->cursorPosition(), 0);  // shown from its start: "1 MG ROAD", not "BUS STAND, PUNE"
        // Tab selects the whole text, showing its end; left without typing, it shows its start again.
        QWidget* window = op.box(ui::Address)->window();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        op.box(ui::Address)->setFocus(Qt::TabFocusReason);
        QCOMPARE(op.box(ui::Address)->cursorPosition(), longAddress.size());
        op.box(ui::Phone)->setFocus(Qt::TabFocusReason);
        QCOMPARE(op.box(ui::Address)->cursorPosition(), 0);
        op.type(ui::Phone, "777");  // unticked, the phone box is just a box
        QCOMPARE(op.party(), QString("ANIL|" + longAddress + "|777"));

        op.click(ui::ByPhone);
        QStringList found;
        for (const char* phone : {"777", "000", "%", "845", "4444"}) {
            op.type(ui::Phone, phone);
            found << op.party();
        }
        QCOMPARE(found, QStringList({"BINA|5 LAKE VIEW|777", "||000", "ANIL|" + longAddress + "|%", "ANIL|" + longAddress + "|845", "||4444"}));

        // A party removed since the list was filled leaves the boxes alone.
        op.click(ui::ByPhone);
        db.exec("delete from Supplier where SN = 2");
        op.type(ui::PartyName, "kept");
        QVERIFY(op.pick(ui::PartyNumber, "2"));
        QCOMPARE(op.party(), QString("KEPT||4444"));
    }

    // --- the bill with details ---

    // Below nought if need be; New Bill clears code and batch and sets the quantity to 1.
    void eachSaleByCodeComesOffItsBatchAtItsPrice()
    {
        Operator& op = open(ui::BillTwo, Batches + QStringList{line("asigncharges", 7, 1, "TEA", 1, 5, "C2", "T1")});
        // The newest bill's lines stay in the grid while the box offers the next number.
        QCOMPARE(op.number(), QString("8"));
        QCOMPARE(op.shown(), QStringList({"1|TEA|1|5|0|0|5", "= 0"}));
        QCOMPARE(op.entries(ui::Code), QStringList({"C1", "C2"}));
        QCOMPARE(op.entries(ui::Item), QStringList({"RICE", "SUGAR", "TEA"}));
        QVERIFY(op.pick(ui::Code, "C1"));
        QCOMPARE(op.texts(CodeItemBatch), QString("C1|RICE|B1"));
        QCOMPARE(op.entries(ui::Batch), QStringList({"B1", "B2"}));
        op.type(ui::Code, "ZZ");  // no such code: the boxes stay
        QCOMPARE(op.texts({ui::Item, ui::Batch}), QString("RICE|B1"));

        op.sellByCode("C1", "3");
        db.exec("ANALYZE Stock");  // the server now reads the rows as it keeps them: the sold one last
        op.type(ui::Code, "C2");
        QVERIFY(op.pick(ui::Code, "C1"));
        QCOMPARE(op.texts(CodeItemBatch), QString("C1|RICE|B1"));
        op.sellByCode("C1", "2", "B2");
        op.sellByCode("C2", "12");
        QCOMPARE(db.rows("select Serial, ItemCode, Item, Batch_Number, Quantity, Amount from asigncharges where BillNumber = 8 "
                         "order by Serial"),
                 QStringList({"1|C1|RICE|B1|3|40", "2|C1|RICE|B2|2|45", "3|C2|TEA|T1|12|5"}));
        QCOMPARE(db.rows("select Quantity from Stock order by BillNumber"), QStringList({"7", "8", "-7"}));
        QCOMPARE(op.shown(), QStringList({"1|RICE|3|120|0|0|120", "2|RICE|2|90|0|0|90", "3|TEA|12|60|0|0|60", "= 270"}));

        op.click(ui::NewDocument);
        QCOMPARE(op.number() + '|' + op.texts(CodeItemBatch + QStringList{ui::Quantity}), QString("9||||1"));
        QCOMPARE(op.entries(ui::Batch), QStringList());
    }

    // One code for two items, as receipts of items without a code of their
    // own can leave it: a line is priced from, and its stock taken off, the
    // batch of the item chosen; a batch that item does not have adds nothing.
    void aSaleByCodeTakesTheBatchOfTheItemChosen()
    {
        Operator& op = open(ui::BillTwo, {batchRow(1, "C1", "RICE", "-", 10, 40), batchRow(2, "C1", "WHEAT", "-", 10, 30),
                                          batchRow(3, "C1", "WHEAT", "W1", 10, 35), priced("Charges", 1, "RICE", 40),
                                          priced("Charges", 2, "WHEAT", 30),
                                          // A receipt line deleted and typed again under the right item leaves its batch empty.
                                          batchRow(4, "C5", "OIL", "X", 0, 40), batchRow(5, "C5", "SOAP BAR", "X", 10, 8)});
        op.choose(ui::Code, "C1");
        QCOMPARE(op.texts(CodeItemBatch), QString("C1|RICE|-"));
        op.choose(ui::Item, "WHEAT");
        op.type(ui::Quantity, "2");
        op.click(ui::Add);
        op.sellByCode("C1", "1", "W1");  // the code's first item, RICE, has no batch W1
        QCOMPARE(db.rows("select Item, Batch_Number, Quantity, Amount from asigncharges"), QStringList{"WHEAT|-|2|30"});
        QCOMPARE(stock(), QString("10,8,10,0,10"));

        // The code offers a batch that holds stock before an empty one.
        op.choose(ui::Code, "C5");
        QCOMPARE(op.texts(CodeItemBatch), QString("C5|SOAP BAR|X"));
        op.type(ui::Quantity, "1");
        op.click(ui::Add);
        QCOMPARE(db.rows("select Item, Amount from asigncharges where ItemCode = 'C5'"), QStringList{"SOAP BAR|8"});
        QCOMPARE(stock(), QString("10,8,10,0,9"));
    }

    // The boxes take 50 typed characters; a longer name or address picked from its master goes whole
    // into the line, not cut where the operator does not see it.
    void aLongNamePickedGoesWholeIntoTheLine()
    {
        const QString item = "PREMIUM BASMATI RICE AGED TWO YEARS EXTRA LONG GRAIN 5KG";  // 56
        const QString address = "FLAT 12, SUNRISE APARTMENTS, MG ROAD, KORAMANGALA, BENGALURU 560034";  // 67
        Operator& op = open(ui::BillOne, SimpleBill.stock(item, 5, 12) + QStringList{priced("Charges", 1, item, 12),
                                                                                 party("Customer", 1, "RAVI", address, "98450")});
        QVERIFY(op.pick(ui::PartyNumber, "1"));
        QTest::keyClicks(op.list(ui::Item)->lineEdit(), "P");  // typed into first, then picked
        op.addLine(item, "1");
        QCOMPARE(db.rows("select Item, Amount, CustomerAddress from asigncharges"), QStringList{item + "|12|" + address});
        // Typed, a box still stops at 50.
        op.click(ui::NewDocument);
        op.box(ui::Address)->clear();
        QTest::keyClicks(op.box(ui::Address), QString(60, 'X'));
        QCOMPARE(op.box(ui::Address)->text().size(), 50);
    }

    // --- the voucher ---

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

    // Clicking a grid row only writes its number. The newest voucher,
    // recalled by the screen itself, leaves the date box at today.
    void choosingANumberRecallsItsVoucher()
    {
        const QString today = dates::shown(QDate::currentDate());
        Operator& op = open(ui::Expenditure, {voucherRow(1, "RENT", 1500, "ANIL", QDate(2026, 4, 12)),
                                              voucherRow(2, "POWER", 40.25, "RAMU", QDate(2026, 4, 13))});
        QCOMPARE(voucherBoxes(), "POWER|40.25|RAMU|1 MILL RD|5551|PAID|" + today);
        QCOMPARE(op.entries(ui::Number), QStringList({"2", "1"}));
        QVERIFY(op.pick(ui::Number, "1"));
        QCOMPARE(voucherBoxes() + '|' + op.grandTotal(), QString("RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026|1540.25"));
        QCOMPARE(op.grid()->currentIndex().row(), 1);  // the grid's current row follows
        op.clickGridRow(0);
        QCOMPARE(op.number() + '|' + voucherBoxes(), QString("2|RENT|1500|ANIL|1 MILL RD|5551|PAID|12/Apr/2026"));
        op.click(ui::NewDocument);
        QCOMPARE(op.number() + '|' + op.grandTotal() + '|' + QString::number(op.gridRows().size()), QString("3|0|2"));
        QCOMPARE(dates::shown(op.control<QDateEdit>(ui::Date)->date()), today);
        op.addVoucher("TEA", "5");
        op.addVoucher("TEA", "6");
        QCOMPARE(db.rows("select BillNumber, Date_ from ExpenditureTable where BillNumber > 2"),
                 QStringList({"3|" + today, "4|" + today}));
        // Nor does a deleted voucher leave its date for the next.
        QVERIFY(op.pick(ui::Number, "1"));
        messages.answers = {true};
        op.click(ui::DeleteDocument);
        QCOMPARE(dates::shown(op.control<QDateEdit>(ui::Date)->date()), today);
    }

    // Far down a long list, a voucher's row is found without reading the rows before it.
    void aVoucherFarDownIsShownOnItsGridRowAndDeletedFromThere()
    {
        QStringList vouchers;
        for (int number = 1; number <= 600; ++number)
            vouchers << voucherRow(number, "RENT", number).section("values", 1);
        Operator& op = open(ui::Expenditure, {"insert into ExpenditureTable values" + vouchers.join(',')});
        QStringList sent;
        statement::setListener([&sent](const QString& text) { sent << text; });
        QVERIFY(op.pick(ui::Number, "89"));  // the last row of a page
        statement::setListener({});
        QCOMPARE(op.grid()->currentIndex().row(), 511);
        QCOMPARE(grid::currentText(op.grid(), 3), QString("89"));
        QVERIFY(sent.filter(" offset ").value(0).endsWith(" offset 256"));  // first the key's page
        messages.answers = {true};
        op.click(ui::DeleteSerial);
        QCOMPARE(db.count("ExpenditureTable"), 599);
        QCOMPARE(db.count("ExpenditureTable", "BillNumber = 89"), 0);
        QCOMPARE(grid::text(op.grid(), 510, 0) + '|' + grid::text(op.grid(), 511, 0), QString("90|88"));
    }

    // Whichever voucher is shown; without a number in the box nothing prints.
    void theRegisterPrintsEveryVoucherInAscendingNumber()
    {
        Operator& op = open(ui::Expenditure, {voucherRow(2, "POWER", 40.5), voucherRow(1, "RENT", 1500), voucherRow(3, "TEA", -5)});
        QVERIFY(op.pick(ui::Number, "1"));
        QTest::keyClick(op.box(ui::Remark), Qt::Key_Return);
        const auto row = [](const QString& number, const QString& head, const QString& amount) {
            return placed({{1, number}, {6, head}, {39, amount}, {46, "04/Dec/2026"}});
        };
        const QStringList lines = printed->allLines();
        QCOMPARE(lines.mid(6, 5), QStringList({placed({{1, "No"}, {6, "Head"}, {39, "Amt"}, {46, "Date"}}), checks::Rule,
                                               row(" 1", "RENT", " 1500"), row(" 2", "POWER", " 40.5"), row(" 3", "TEA", "-5")}));
        QCOMPARE(lines.mid(11, 2), QStringList({checks::Rule, checks::grandTotal("1536.00")}));
        op.type(ui::Number, "x");
        op.click(ui::Print);
        QCOMPARE(printed->finishedJobs(), 1);
        QVERIFY(messages.shown.isEmpty());
    }
};

QTEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
