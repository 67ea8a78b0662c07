// The four query screens driven as an operator drives them (PrintAll,
// ReceiveItemQuery, StockQuery, ExpenditureQuery), and what they print, read
// back from the captured page text.

#include "core/Maker.h"
#include "data/Connectionx.h"
#include "families/QueryScreen.h"
#include "shell/ScreenCatalog.h"
#include "support/BillingOperator.h"
#include "support/Checks.h"
#include "support/TestDatabase.h"
#include "support/TextCapture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using billingtest::billLine;
using checks::placed;

namespace {

const QDate Dec4(2026, 12, 4);
const QDate Apr12(2026, 4, 12);
const QString Rule(76, '-');
const QString RegisterRule(105, '-');
const QStringList Letterhead{"MY SHOP", "1 MARKET ROAD", "NEAR BUS STAND", "TOWN", "Mobile : 98450 11111", Rule};
const QStringList Contact{maker::EmailLine, maker::WebLine};
const QStringList ExpenditureContact{"Email : " + maker::EMail, "Website : " + maker::WebAddress};

// A receipt line or stock batch (17 values) and a voucher (16).
QString lineRow(const QString& table, int number, int serial, const QString& item, double amount,
                const QDate& date = Dec4, const QString& code = "C1", const QString& batch = "B1", int quantity = 1)
{
    return QString("insert into %1 values(%2,%3,%4,%5,%6,5,0,'SUPPLIER','ROAD','0821','','-',0,%7,%8,%9,0)")
        .arg(table).arg(number).arg(serial).arg(sql::text(item)).arg(quantity)
        .arg(sql::number(amount), sql::date(date), sql::text(code), sql::text(batch));
}
QString voucher(int number, const QString& head, double amount, const QDate& date = Dec4)
{
    return QString("insert into ExpenditureTable values(%1,0,%2,0,%3,0,0,'RAVI','TOWN','9900','','-',0,%4,'-','-')")
        .arg(number).arg(sql::text(head), sql::number(amount), sql::date(date));
}

// Numbers 5, 9, 10 and 11 on the 4th of December, 3 on the 12th of April.
QStringList numbered(const QString& screen)
{
    QStringList rows;
    for (int n : {3, 5, 9, 10, 11}) {
        const QDate date = n == 3 ? Apr12 : Dec4;
        rows << (screen == "PrintAll" ? billLine(n, 1, "TEA", 1, 10, 0, 0, "CASH", date)
                 : screen == "ReceiveItemQuery" ? lineRow("ItemIn", n, 1, "TEA", 10, date)
                                                : voucher(n, "RENT", 10, date));
    }
    return rows;
}

// The report of the receipt, stock and expenditure queries.
QStringList report(const QStringList& rows, const QString& total, const QStringList& contact = Contact)
{
    return Letterhead + rows
        + QStringList{Rule, placed({{22, "Grand Total :"}, {49, total}}), Rule,
                      "Software Designed By :Norvik Software Consultancy Services"}
        + contact + QStringList{Rule, "", "", "", "", ""};
}
QString reportRow(const QString& number, const QString& item, const QString& amount, const QString& date = "04/Dec/2026")
{
    return placed({{1, " " + number}, {6, item}, {39, " " + amount}, {46, date}});
}

}  // namespace

class QueriesTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    std::shared_ptr<print::CaptureLog> log;
    std::unique_ptr<QueryScreen> screen;

    QueryScreen& open(const QString& name, const QStringList& rows = {})
    {
        for (const QString& row : rows)
            db.exec(row);
        screen.reset(static_cast<QueryScreen*>(catalog::createScreen(name, nullptr)));
        if (!screen)
            qFatal("no screen %s", qPrintable(name));
        screen->show();
        screen->activateWindow();
        (void)QTest::qWaitForWindowActive(screen.get());
        return *screen;
    }
    void click(const QString& button) { QTest::mouseClick(screen->findChild<QPushButton*>(button), Qt::LeftButton); }
    // "CmbFrom=9 cmbTo=10": typed into the lists; "DTP1=2026-12-04": set in the date pickers.
    void choose(const QString& choices)
    {
        for (const QString& choice : choices.split(' ', Qt::SkipEmptyParts)) {
            const QString name = choice.section('=', 0, 0);
            const QString value = choice.section('=', 1);
            if (auto* date = screen->findChild<QDateEdit*>(name)) {
                date->setDate(QDate::fromString(value, Qt::ISODate));
            } else if (auto* list = screen->findChild<QComboBox*>(name)) {
                list->lineEdit()->setFocus();  // as the operator clicks into it
                list->lineEdit()->clear();
                QTest::keyClicks(list->lineEdit(), value);
            }
        }
    }
    // The grid's first column; "(nothing)" while it has never shown anything.
    QStringList shown() const
    {
        if (screen->DGG->model()->columnCount() == 0)
            return {"(nothing)"};
        QStringList values;
        for (const QString& row : checks::rows(screen->DGG->model()))
            values << row.section('|', 0, 0);
        return values;
    }
    // What one click printed; "N jobs" when it was not one job.
    QStringList printedBy(const QString& button)
    {
        log->clear();
        click(button);
        if (log->finishedJobs() != 1)
            return {QString("%1 jobs").arg(log->finishedJobs())};
        return log->allLines();
    }
    QStringList sums() const
    {
        return {screen->lblamount->text(), screen->lbldiscount->text(), screen->lbltax->text(), screen->lblGrandTotal->text()};
    }
    // The data of an operator action: the screen on these rows, choices made, a button clicked.
    static void actionColumns()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("expected");
    }

private slots:
    void init()
    {
        db.reset();
        db.exec("insert into ShopHeader values('MY SHOP','1 MARKET ROAD','NEAR BUS STAND','TOWN','98450 11111')");
        messages.clear();
        log = print::installCapture();
    }
    void cleanup()
    {
        screen.reset();
        print::restoreDefaultDestination();
    }

    void listsOfferTheStoredValuesWithNothingChosen_data()
    {
        actionColumns();  // "choices" names the list, "button" is not used
        QTest::newRow("bills newest first") << "PrintAll" << numbered("PrintAll") << "cmbTo" << ""
                                            << QStringList{"11", "10", "9", "5", "3"};
        QTest::newRow("receipt codes ascending")
            << "ReceiveItemQuery" << QStringList{lineRow("ItemIn", 1, 1, "TEA", 1, Dec4, "B7"), lineRow("ItemIn", 1, 2, "RICE", 1, Dec4, "A2")}
            << "cmbhead" << "" << QStringList{"A2", "B7"};
        QTest::newRow("stock names ascending")
            << "StockQuery" << QStringList{lineRow("Stock", 1, 0, "TEA", 1), lineRow("Stock", 2, 0, "DAL", 1, Dec4, "C2")}
            << "cmbname" << "" << QStringList{"DAL", "TEA"};
        QTest::newRow("expenditure heads descending")
            << "ExpenditureQuery"
            << QStringList{"insert into ExpenditureHead values(1,'RENT',0,'-',0)", "insert into ExpenditureHead values(2,'WAGES',0,'-',0)",
                           "insert into ExpenditureHead values(3,'LIGHT',0,'-',0)"}
            << "cmbhead" << "" << QStringList{"WAGES", "RENT", "LIGHT"};
    }
    void listsOfferTheStoredValuesWithNothingChosen()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        QFETCH(QString, choices);
        QFETCH(QStringList, expected);
        open(name, rows);
        auto* list = screen->findChild<QComboBox*>(choices);
        QCOMPARE(checks::entries(list), expected);
        QCOMPARE(list->currentText(), QString());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    // Ranges compare as numbers and whole days; reversed ones, letters and
    // empty texts show nothing. The grid's first column is the number.
    void showsSelectTheirRows_data()
    {
        actionColumns();
        for (const QString name : {"PrintAll", "ReceiveItemQuery", "ExpenditureQuery"}) {
            const auto row = [&](const char* label) -> QTestData& { return QTest::addRow("%s %s", qPrintable(name), label) << name << numbered(name); };
            row("9 to 10") << "CmbFrom=9 cmbTo=10" << "CmdShow" << QStringList{"9", "10"};
            row("5 to 5") << "CmbFrom=5 cmbTo=5" << "CmdShow" << QStringList{"5"};
            // What is typed stays as typed: 1 is not completed to the stored 11.
            row("1 to 5") << "CmbFrom=1 cmbTo=5" << "CmdShow" << QStringList{"3", "5"};
            row("10 to 9") << "CmbFrom=10 cmbTo=9" << "CmdShow" << QStringList{"(nothing)"};
            row("letters") << "CmbFrom=A cmbTo=9" << "CmdShow" << QStringList{"(nothing)"};
            row("4 Dec") << "DTP1=2026-12-04 DTP2=2026-12-04" << "Cnddate" << QStringList{"5", "9", "10", "11"};
            row("12 Apr") << "DTP1=2026-04-12 DTP2=2026-04-12" << "Cnddate" << QStringList{"3"};
            row("dates reversed") << "DTP1=2026-12-04 DTP2=2026-04-12" << "Cnddate" << QStringList{"(nothing)"};
        }
        const QStringList receipts{lineRow("ItemIn", 1, 1, "TEA", 1, Dec4, "A1"), lineRow("ItemIn", 1, 2, "RICE", 1, Dec4, "B2"),
                                   lineRow("ItemIn", 2, 1, "GREEN TEA", 1, Dec4, "A1")};
        // One code for two names; a batch whose stock went negative.
        const QStringList stock{lineRow("Stock", 1, 0, "TEA", 1, Dec4, "C1", "B1", -4), lineRow("Stock", 2, 0, "GREEN TEA", 1, Dec4, "C1", "B2"),
                                lineRow("Stock", 3, 0, "TEA", 1, Dec4, "C3", "B9")};
        const QStringList vouchers{voucher(1, "RENT", 10), voucher(2, "WAGES", 5), voucher(3, "RENT", 1)};
        QTest::newRow("receipt code") << "ReceiveItemQuery" << receipts << "cmbhead=a1" << "ComShowTotal" << QStringList{"1", "2"};
        QTest::newRow("no receipt code") << "ReceiveItemQuery" << receipts << "" << "ComShowTotal" << QStringList{"(nothing)"};
        QTest::newRow("stock code of two names") << "StockQuery" << stock << "cmbhead=C1" << "ComShowTotal" << QStringList{"1", "2"};
        QTest::newRow("stock name") << "StockQuery" << stock << "cmbname=TEA" << "cmdName" << QStringList{"1", "3"};
        QTest::newRow("no stock name") << "StockQuery" << stock << "" << "cmdName" << QStringList{"(nothing)"};
        QTest::newRow("all stock") << "StockQuery" << stock << "" << "cmdAll" << QStringList{"1", "2", "3"};
        QTest::newRow("expenditure head") << "ExpenditureQuery" << vouchers << "cmbhead=RENT" << "ComShowTotal" << QStringList{"1", "3"};
        QTest::newRow("unknown head") << "ExpenditureQuery" << vouchers << "cmbhead=TAXI" << "ComShowTotal" << QStringList{};
    }
    void showsSelectTheirRows()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        QFETCH(QString, choices);
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        open(name, rows);
        choose(choices);
        click(button);
        QStringList numbers = shown();
        std::sort(numbers.begin(), numbers.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(numbers, expected);
    }

    void anEmptyStockShowsItsColumnsAndPrintsATotalOfNought()
    {
        open("StockQuery");
        click("cmdAll");
        QCOMPARE(checks::headings(screen->DGG->model()).join('|'),
                 QString("No|Date_|ItemCode|Item|Quantity|Amount|Tax|Discount|SupName|SupAddress|SupPhone|MRP|ItemCode|Batch_Number"));
        QCOMPARE(screen->DGG->model()->rowCount(), 0);
        QCOMPARE(printedBy("cmdprintall"), report({}, "0.00"));
        QCOMPARE(printedBy("cmdpringname"), report({}, "0.00"));  // no name selects nothing, and prints
        QCOMPARE(printedBy("ComPrintTotal"), QStringList{"0 jobs"});
    }

    // --- totals ---

    void showTotalRoundsEachBillAndSumsTheRoundedFigures()
    {
        open("PrintAll", {billLine(1, 1, "TEA", 1, 10.25), billLine(1, 2, "TEA", 1, 0.25),  // 10.5 -> 10
                          billLine(2, 1, "RICE", 1, 11.5),                                   // 11.5 -> 12
                          billLine(3, 1, "DAL", 2, 100, 5, 10),                              // 200, 20, 9, 189
                          billLine(4, 1, "TEA", 1, 5, 0, 0, "CASH", Apr12)});
        choose("DTP1=2026-12-04 DTP2=2026-12-04");
        click("ComShowTotal");
        QCOMPARE(checks::rows(screen->DGG->model()),
                 QStringList({"04/Dec/2026|1|10|0|0|10", "04/Dec/2026|2|12|0|0|12", "04/Dec/2026|3|200|20|9|189"}));
        QCOMPARE(sums(), QStringList({"Amount : 222", "Discount : 20", "Tax : 9", "Total : 211"}));

        const auto line = [](const QString& date, const QString& n, const QStringList& figures) {
            return placed({{1, date}, {16, n}, {21, figures[0]}, {31, figures[1]}, {41, figures[2]}, {51, figures[3]}});
        };
        const auto sum = [](const QString& label, const QString& value) { return placed({{1, label}, {21, " " + value}}); };
        const QStringList totals = Letterhead
            + QStringList{line("Date", "N", {"Amt", "Dis", "Tax", "Total"}), Rule,
                          line("04/Dec/2026", " 1", {" 10", " 0", " 0", " 10"}), line("04/Dec/2026", " 2", {" 12", " 0", " 0", " 12"}),
                          line("04/Dec/2026", " 3", {" 200", " 20", " 9", " 189"}), Rule,
                          sum("Amount   : ", "222"), sum("Discount : ", "20"), sum("Tax      : ", "9"), sum("Total    : ", "211"),
                          Rule, "Designed By : Norvik Software Consultancy Services", maker::EmailLine, maker::WebLine, Rule};
        QCOMPARE(printedBy("ComPrintTotal"), totals);

        // No bill in the range: empty sums on the screen, 0 on paper.
        choose("DTP1=2026-04-13 DTP2=2026-04-13");
        click("ComShowTotal");
        QCOMPARE(screen->DGG->model()->rowCount(), 0);
        QCOMPARE(sums(), QStringList({"Amount : ", "Discount : ", "Tax : 0", "Total : "}));
        QCOMPARE(printedBy("ComPrintTotal").mid(9, 4), QStringList({sum("Amount   : ", "0"), sum("Discount : ", "0"),
                                                                    sum("Tax      : ", "0"), sum("Total    : ", "0")}));
    }

    void theSumsShowOnlyAfterShowTotal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("bill query") << "PrintAll" << QStringList{"CmdShow", "Cnddate", "cmdprin", "Condate", "ComPrintTotal"};
        for (const QString name : {"ReceiveItemQuery", "ExpenditureQuery"})
            QTest::newRow(qPrintable(name)) << name
                                            << QStringList{"CmdShow", "cmdprin", "Cnddate", "Condate", "ComShowTotal", "ComPrintTotal"};
    }
    void theSumsShowOnlyAfterShowTotal()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, buttons);
        open(name, numbered(name));
        choose("CmbFrom=5 cmbTo=9 cmbhead=RENT");
        QVERIFY(!screen->frmamount->isVisible());
        const bool totals = name == "PrintAll";
        for (const QString& button : buttons) {
            if (totals)
                click("ComShowTotal");
            QCOMPARE(screen->frmamount->isVisible(), totals);
            click(button);
            QVERIFY2(!screen->frmamount->isVisible(), qPrintable(button));
        }
    }

    // --- printed ---

    void theBillRegisterPrintsEachBillOfTheRangeInOneJob()
    {
        QStringList bills;
        for (int n = 1; n <= 6; ++n)
            bills << billLine(n, 1, "TEA", 2, 100, 5, 10, "ANIL");
        open("PrintAll", bills);
        QStringList expected;
        for (int n = 3; n <= 5; ++n)
            expected += Letterhead
                + QStringList{QString("Bill No : %1").arg(n), "Bill Date : 04/Dec/2026", "Name : ANIL", "Address : ADDR",
                              "Phone : PHONE", Rule, placed({{1, "Item"}, {32, "Qty"}, {39, "Amt"}, {46, "Dis"}, {53, "Total"}}),
                              Rule, placed({{1, "TEA"}, {32, " 2"}, {39, " 200"}, {46, " 20"}, {53, " 189"}}), Rule,
                              placed({{22, "Grand Total :"}, {49, "189.00"}}), RegisterRule,
                              "Software Designed By :Norvik Software Consultancy Services", maker::EmailLine, maker::WebLine,
                              RegisterRule, "", "", "", ""};
        choose("CmbFrom=3 cmbTo=5");
        QCOMPARE(printedBy("cmdprin"), expected);
        choose("DTP1=2026-12-04 DTP2=2026-12-04");
        QCOMPARE(printedBy("Condate").count(RegisterRule), 12);
        choose("CmbFrom=5 cmbTo=3");  // not checked for order: no bill
        QCOMPARE(printedBy("cmdprin"), QStringList{});
        choose("cmbTo=X");
        QCOMPARE(printedBy("cmdprin"), QStringList{"0 jobs"});
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void reportsPrintTheirRowsAndGrandTotal_data()
    {
        actionColumns();
        QTest::newRow("receipts by number, a row a line")
            << "ReceiveItemQuery"
            << QStringList{lineRow("ItemIn", 1, 1, "SUGAR", 2.5), lineRow("ItemIn", 1, 2, "SALT", 1, Apr12),
                           lineRow("ItemIn", 2, 1, "TEA", 1), lineRow("ItemIn", 3, 1, "DAL", 50)}
            << "CmbFrom=1 cmbTo=2" << "cmdprin"
            << report({reportRow("1", "SUGAR", "2.5"), reportRow("1", "SALT", "1", "12/Apr/2026"), reportRow("2", "TEA", "1")},
                      "4.00");  // 4.5 rounds to the even 4
        QTest::newRow("receipts by code, its lines only")
            << "ReceiveItemQuery"
            << QStringList{lineRow("ItemIn", 1, 1, "SUGAR", 2.5, Dec4, "S"), lineRow("ItemIn", 1, 2, "SALT", 9, Dec4, "X"),
                           lineRow("ItemIn", 2, 1, "SUGAR", 1, Dec4, "S")}
            << "cmbhead=S" << "ComPrintTotal" << report({reportRow("1", "SUGAR", "2.5"), reportRow("2", "SUGAR", "1")}, "4.00");
        QTest::newRow("receipts reversed") << "ReceiveItemQuery" << QStringList{lineRow("ItemIn", 1, 1, "SUGAR", 2.5)}
                                           << "CmbFrom=2 cmbTo=1" << "cmdprin" << report({}, "0.00");
        QTest::newRow("stock by code, by batch")
            << "StockQuery"
            << QStringList{lineRow("Stock", 1, 0, "TEA", 20.25, Dec4, "C1", "B2"), lineRow("Stock", 2, 0, "TEA", 10.25, Apr12, "C1", "B1"),
                           lineRow("Stock", 3, 0, "DAL", 7, Dec4, "C2", "B1")}
            << "cmbhead=C1" << "ComPrintTotal"
            << report({reportRow("2", "TEA", "10.25", "12/Apr/2026"), reportRow("1", "TEA", "20.25")}, "30.00");
        QTest::newRow("stock by name")
            << "StockQuery"
            << QStringList{lineRow("Stock", 2, 0, "TEA", 1.5, Dec4, "C1", "B2"), lineRow("Stock", 1, 0, "TEA", 1), lineRow("Stock", 3, 0, "DAL", 7, Dec4, "C2")}
            << "cmbname=TEA" << "cmdpringname" << report({reportRow("1", "TEA", "1"), reportRow("2", "TEA", "1.5")}, "2.00");
        QTest::newRow("expenditure by number")
            << "ExpenditureQuery"
            << QStringList{voucher(1, "RENT", 100), voucher(2, "WAGES", 250.5), voucher(3, "LIGHT", 49.5), voucher(4, "RENT", 7)}
            << "CmbFrom=1 cmbTo=3" << "cmdprin"
            << report({reportRow("1", "RENT", "100"), reportRow("2", "WAGES", "250.5"), reportRow("3", "LIGHT", "49.5")}, "400.00",
                      ExpenditureContact);
        QTest::newRow("expenditure by head") << "ExpenditureQuery" << QStringList{voucher(1, "TEA", 2.5), voucher(2, "RENT", 100)}
                                             << "cmbhead=TEA" << "ComPrintTotal"
                                             << report({reportRow("1", "TEA", "2.5")}, "2.00", ExpenditureContact);
        QTest::newRow("expenditure of a day without vouchers")
            << "ExpenditureQuery" << QStringList{voucher(1, "TEA", 2.5, Apr12)} << "DTP1=2026-12-04 DTP2=2026-12-04" << "Condate"
            << report({}, "0.00", ExpenditureContact);
    }
    void reportsPrintTheirRowsAndGrandTotal()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        QFETCH(QString, choices);
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        open(name, rows);
        choose(choices);
        QCOMPARE(printedBy(button), expected);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void printFailuresAreToldAndPrintNothing()
    {
        open("ReceiveItemQuery", {lineRow("ItemIn", 1, 1, "SUGAR", 2.5)});
        choose("CmbFrom=1 cmbTo=1");
        db.makeUnreachable();
        const QStringList lines = printedBy("cmdprin");
        db.makeReachable();
        QCOMPARE(lines, QStringList{"0 jobs"});  // the report stops at its first failure
        QCOMPARE(messages.shown.size(), 2);       // the connection's failure, then the report's
        QCOMPARE(messages.shown.last().text, QString("Operation is not allowed when the object is closed."));

        // The bill register passes over what fails and tells the last failure once.
        messages.clear();
        open("PrintAll", {billLine(1, 1, "TEA", 1, 10), billLine(2, 1, "TEA", 1, 10)});
        print::installDestination([]() -> std::unique_ptr<print::PageDevice> { throw print::PrintError("No printer is installed."); });
        choose("CmbFrom=1 cmbTo=2");
        click("cmdprin");
        QCOMPARE(messages.texts(), QStringList({"No printer is installed."}));
    }
};

QTEST_MAIN(QueriesTest)
#include "tst_queries.moc"
