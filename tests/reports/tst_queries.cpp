// The four query screens driven as an operator drives them, and what they print.

#include "data/Connectionx.h"
#include "support/ToolRun.h"
#include "support/ScreenBench.h"

#include <QDateEdit>

using namespace rows;
using checks::placed;

namespace {

const QDate Apr12(2026, 4, 12);
const QString RegisterRule(105, '-');

// A receipt line or stock batch of one piece; a voucher.
QString lineRow(const QString& table, int number, const QString& item, double amount, const QDate& date = Dec4,
                const QString& code = "C1", const QString& batch = "B1", int quantity = 1)
{
    return line(table, number, table == "Stock" ? 0 : 1, item, quantity, amount, code, batch, "SUPPLIER", date);
}

// Numbers 5, 9, 10 and 11 on the 4th of December, 3 on the 12th of April.
QStringList numbered(const QString& screen)
{
    QStringList rows;
    for (int n : {3, 5, 9, 10, 11}) {
        const QDate date = n == 3 ? Apr12 : Dec4;
        rows << (screen == ui::BillQuery ? billLine(n, 1, "TEA", 1, 10, 0, 0, "CASH", date)
                 : screen == ui::ReceiptQuery ? lineRow("ItemIn", n, "TEA", 10, date)
                                              : voucherRow(n, "RENT", 10, "RAVI", date));
    }
    return rows;
}

// What the operator chooses on a query screen, as choose() takes it.
QString range(const QString& from, const QString& to) { return ui::From + '=' + from + ' ' + ui::To + '=' + to; }
QString days(const QString& from, const QString& to) { return ui::FromDate + '=' + from + ' ' + ui::ToDate + '=' + to; }
QString typed(const QString& list, const QString& text) { return list + '=' + text; }

// A report's row: number, item, amount, date.
QString reportRow(const QString& number, const QString& item, const QString& amount, const QString& date = "04/Dec/2026")
{
    return placed({{1, " " + number}, {6, item}, {39, " " + amount}, {46, date}});
}

}  // namespace

class QueriesTest : public QObject, ScreenBench {
    Q_OBJECT

    Operator& openQuery(const QString& name, const QStringList& rows = {})
    {
        Operator& op = open(name, rows);
        screen->activateWindow();
        (void)QTest::qWaitForWindowActive(screen);
        return op;
    }
    // "list=text": typed into the list; "picker=2026-12-04": set in the date picker.
    void choose(const QString& choices)
    {
        for (const QString& choice : choices.split(' ', Qt::SkipEmptyParts)) {
            const QString name = choice.section('=', 0, 0), value = choice.section('=', 1);
            if (auto* date = screen->findChild<QDateEdit*>(name))
                date->setDate(QDate::fromString(value, Qt::ISODate));
            else if (screen->findChild<QComboBox*>(name))
                op->type(name, value);
        }
    }
    // The grid's first column; "(nothing)" while it has never shown anything.
    QStringList shown() const
    {
        if (op->grid()->model()->columnCount() == 0)
            return {"(nothing)"};
        QStringList values;
        for (const QString& row : op->gridRows())
            values << row.section('|', 0, 0);
        return values;
    }
    // What one click printed; "N jobs" when it was not one job.
    QStringList printedBy(const QString& button)
    {
        printed->clear();
        op->click(button);
        return printed->finishedJobs() == 1 ? printed->allLines() : QStringList{QString("%1 jobs").arg(printed->finishedJobs())};
    }
    // The data of an operator action: the screen on these rows, choices made, a button clicked.
    static void actionColumns()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("expected");  // a print: its rows, then the grand total
    }

private slots:
    void init() { reset(); }
    void cleanup() { close(); }

    void listsOfferTheStoredValuesWithNothingChosen()
    {
        QCOMPARE(openQuery(ui::BillQuery, numbered(ui::BillQuery)).entries(ui::To), QStringList({"11", "10", "9", "5", "3"}));
        const Operator& op = openQuery(ui::StockQuery, {lineRow("Stock", 1, "TEA", 1), lineRow("Stock", 2, "DAL", 1, Dec4, "C2")});
        QCOMPARE(op.entries(ui::StockName), QStringList({"DAL", "TEA"}));
        QCOMPARE(op.text(ui::StockName), QString());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    // The screens check their selections alike: the bill query's rows stand for that, a range of
    // numbers and one of days for each of the others' statements.
    void showsSelectTheirRows_data()
    {
        actionColumns();
        for (const QString& name : {ui::BillQuery, ui::ReceiptQuery, ui::ExpenditureQuery}) {
            const auto row = [&](const char* label) -> QTestData& {
                return QTest::addRow("%s %s", qPrintable(name), label) << name << numbered(name);
            };
            // What is typed stays as typed: 1 is not completed to the stored 11.
            row("1 to 5") << range("1", "5") << ui::Show << QStringList{"3", "5"};
            row("4 Dec") << days("2026-12-04", "2026-12-04") << ui::ShowDates << QStringList{"5", "9", "10", "11"};
        }
        const auto bills = [](const char* label) -> QTestData& {
            return QTest::newRow(label) << ui::BillQuery << numbered(ui::BillQuery);
        };
        bills("9 to 10") << range("9", "10") << ui::Show << QStringList{"9", "10"};
        bills("10 to 9") << range("10", "9") << ui::Show << QStringList{"(nothing)"};
        bills("letters") << range("A", "9") << ui::Show << QStringList{"(nothing)"};
        bills("dates reversed") << days("2026-12-04", "2026-04-12") << ui::ShowDates << QStringList{"(nothing)"};
        const QStringList receipts{lineRow("ItemIn", 1, "TEA", 1, Dec4, "A1"), lineRow("ItemIn", 2, "GREEN TEA", 1, Dec4, "A1"),
                                   lineRow("ItemIn", 3, "RICE", 1, Dec4, "B2")};
        // One code for two names; a batch whose stock went negative.
        const QStringList stock{lineRow("Stock", 1, "TEA", 1, Dec4, "C1", "B1", -4), lineRow("Stock", 2, "GREEN TEA", 1, Dec4, "C1", "B2"),
                                lineRow("Stock", 3, "TEA", 1, Dec4, "C3", "B9")};
        QTest::newRow("receipt code") << ui::ReceiptQuery << receipts << typed(ui::Head, "a1") << ui::ShowTotal << QStringList{"1", "2"};
        QTest::newRow("stock code of two names") << ui::StockQuery << stock << typed(ui::Head, "C1") << ui::ShowTotal << QStringList{"1", "2"};
        QTest::newRow("stock name") << ui::StockQuery << stock << typed(ui::StockName, "TEA") << ui::ShowName << QStringList{"1", "3"};
        QTest::newRow("no stock name") << ui::StockQuery << stock << "" << ui::ShowName << QStringList{"(nothing)"};
        QTest::newRow("all stock") << ui::StockQuery << stock << "" << ui::ShowAll << QStringList{"1", "2", "3"};
    }
    void showsSelectTheirRows()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        QFETCH(QString, choices);
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        openQuery(name, rows);
        choose(choices);
        op->click(button);
        QStringList numbers = shown();
        std::sort(numbers.begin(), numbers.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QCOMPARE(numbers, expected);
    }

    // A day without bills shows empty sums, prints 0; the sums' frame shows from Show Total to the next Show.
    void showTotalRoundsEachBillAndSumsTheRoundedFigures()
    {
        const Operator& op = openQuery(ui::BillQuery, {billLine(1, 1, "TEA", 1, 10.25), billLine(1, 2, "TEA", 1, 0.25),  // 10.5 -> 10
                                                       billLine(2, 1, "RICE", 1, 11.5),                                   // 11.5 -> 12
                                                       billLine(3, 1, "DAL", 2, 100, 5, 10),  // 200, 20, 9, 189
                                                       billLine(4, 1, "TEA", 1, 5, 0, 0, "CASH", Apr12)});
        const QStringList sums{ui::SumAmount, ui::SumDiscount, ui::SumTax, ui::GrandTotal};
        choose(days("2026-12-04", "2026-12-04"));
        QVERIFY(!op.control(ui::Sums)->isVisible());
        op.click(ui::ShowTotal);
        QVERIFY(op.control(ui::Sums)->isVisible());
        QCOMPARE(op.gridRows(), QStringList({"04/Dec/2026|1|10|0|0|10", "04/Dec/2026|2|12|0|0|12", "04/Dec/2026|3|200|20|9|189"}));
        QCOMPARE(op.texts(sums), QString("Amount : 222|Discount : 20|Tax : 9|Total : 211"));

        // On paper, after the letterhead, the heads and a rule: the bills, a rule, the sums.
        const auto line = [](const QString& n, const QStringList& figures) {
            return placed({{1, "04/Dec/2026"}, {16, n}, {21, figures[0]}, {31, figures[1]}, {41, figures[2]}, {51, figures[3]}});
        };
        const auto sum = [](const QString& label, const QString& value) { return placed({{1, label}, {21, " " + value}}); };
        const QStringList paper = printedBy(ui::PrintTotal);
        QCOMPARE(paper.mid(8, 3), QStringList({line(" 1", {" 10", " 0", " 0", " 10"}), line(" 2", {" 12", " 0", " 0", " 12"}),
                                               line(" 3", {" 200", " 20", " 9", " 189"})}));
        QCOMPARE(paper.mid(12, 4), QStringList({sum("Amount   : ", "222"), sum("Discount : ", "20"), sum("Tax      : ", "9"),
                                                sum("Total    : ", "211")}));
        printedBy(ui::PrintDates);
        QVERIFY(op.control(ui::Sums)->isVisible());
        QCOMPARE(op.texts(sums), QString("Amount : 222|Discount : 20|Tax : 9|Total : 211"));

        choose(days("2026-04-13", "2026-04-13"));
        op.click(ui::ShowTotal);
        QCOMPARE(op.gridRows(), QStringList());
        QCOMPARE(op.texts(sums), QString("Amount : |Discount : |Tax : 0|Total : "));
        QCOMPARE(printedBy(ui::PrintTotal).mid(9, 4), QStringList({sum("Amount   : ", "0"), sum("Discount : ", "0"),
                                                                   sum("Tax      : ", "0"), sum("Total    : ", "0")}));
        op.click(ui::ShowDates);
        QVERIFY(!op.control(ui::Sums)->isVisible());
        openQuery(ui::ReceiptQuery).click(ui::ShowTotal);
        QVERIFY(!this->op->control(ui::Sums)->isVisible());
    }

    // 2.2 + 0.1 + 0.2 is a hair over 2.5 in binary, 0.7 + 0.6 + 0.2 a hair under 1.5: both are
    // halves, to the even neighbour, on both engines, in Show Total, on paper and on the bill screen.
    void aHalfOfDecimalFiguresIsAHalfEverywhere()
    {
        const Operator& op = openQuery(ui::BillQuery, {billLine(1, 1, "TEA", 1, 2.2), billLine(1, 2, "TEA", 1, 0.1),
                                                       billLine(1, 3, "TEA", 1, 0.2), billLine(2, 1, "TEA", 1, 0.7),
                                                       billLine(2, 2, "TEA", 1, 0.6), billLine(2, 3, "TEA", 1, 0.2)});
        choose(days("2026-12-04", "2026-12-04"));
        op.click(ui::ShowTotal);
        QCOMPARE(op.gridRows(), QStringList({"04/Dec/2026|1|2|0|0|2", "04/Dec/2026|2|2|0|0|2"}));
        QCOMPARE(op.text(ui::GrandTotal), QString("Total : 4"));
        QCOMPARE(printedBy(ui::PrintDates).filter("Grand Total :").join('|').remove(' '),
                 QString("GrandTotal:2.00|GrandTotal:2.00"));
        Operator& bill = open(ui::BillOne);
        QVERIFY(bill.pick(ui::Number, "1"));
        QCOMPARE(bill.grandTotal(), QString("2.00"));
        QVERIFY(bill.pick(ui::Number, "2"));
        QCOMPARE(bill.grandTotal(), QString("2.00"));
    }

    // A reversed range prints an empty job, a range that is no number none.
    void theBillRegisterPrintsEachBillOfTheRangeInOneJob()
    {
        QStringList bills;
        for (int n = 1; n <= 6; ++n)
            bills << billLine(n, 1, "TEA", 2, 100, 5, 10, "ANIL");
        openQuery(ui::BillQuery, bills);
        choose(range("3", "5"));
        const QStringList lines = printedBy(ui::PrintRange);
        QCOMPARE(lines.mid(6, 5), QStringList({"Bill No : 3", "Bill Date : 04/Dec/2026", "Name : ANIL", "Address : ADDR",
                                               "Phone : PHONE"}));
        QCOMPARE(lines.filter("Bill No :"), QStringList({"Bill No : 3", "Bill No : 4", "Bill No : 5"}));
        QCOMPARE(lines.count(checks::receiptLine("TEA", "2", "200", "20", "189")), 3);
        QCOMPARE(lines.count(checks::grandTotal("189.00")), 3);
        QCOMPARE(lines.count(RegisterRule), 6);
        choose(days("2026-12-04", "2026-12-04"));
        QCOMPARE(printedBy(ui::PrintDates).count(RegisterRule), 12);
        choose(range("5", "3"));
        QCOMPARE(printedBy(ui::PrintRange), QStringList{});
        choose(typed(ui::To, "X"));
        QCOMPARE(printedBy(ui::PrintRange), QStringList{"0 jobs"});
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    // One damaged page spoils only the bills it holds: the sound ones print, and the damage is told.
    // (The database lost or busy drops the whole job: tst_unavailable.)
    void aDamagedPageSpoilsOnlyItsBillsInTheRegister()
    {
        if (TestDatabase::onServer())
            QSKIP("a SQLite file's page");
        QStringList bills;
        for (int n = 1; n <= 400; ++n)
            bills << billLine(n, 1, "TEA " + QString(60, 'X'), 2, 100, 5, 10, "ANIL");
        openQuery(ui::BillQuery, bills);
        db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        const QStringList leaves = toolrun::sqlite(db.path(), "select pageno from dbstat where name = 'asigncharges' "
                                                              "and pagetype = 'leaf' order by pageno").split('\n');
        const int pageSize = toolrun::sqlite(db.path(), "pragma page_size").toInt();
        QVERIFY(leaves.size() > 10 && pageSize > 0);
        const int damaged = leaves.at(leaves.size() / 2).toInt();
        // The page is copied by another process (dd): closed here, a descriptor of the file would drop
        // this process's locks on it. It is put back afterwards for the next cases.
        const auto page = [&](const QString& from, const QString& to) {
            const int at = damaged - 1;
            return toolrun::run({"if=" + from, "of=" + to, QString("bs=%1").arg(pageSize),
                                 QString("skip=%1").arg(from == "/dev/zero" ? 0 : at), QString("seek=%1").arg(at), "count=1",
                                 "conv=notrunc", "status=none"},
                                QProcessEnvironment::systemEnvironment(), "dd")
                .exitCode;
        };
        const QTemporaryDir kept;
        const QString sound = kept.filePath("page");
        QCOMPARE(page(db.path(), sound), 0);
        QCOMPARE(page("/dev/zero", db.path()), 0);
        const auto mended = qScopeGuard([&] { page(sound, db.path()); });
        choose(range("1", "400"));
        const QStringList lines = printedBy(ui::PrintRange);
        QVERIFY2(lines.contains("Bill No : 1") && lines.contains("Bill No : 400"), qPrintable(lines.mid(0, 20).join('\n')));
        // The spoiled bills are left out, not printed without lines at 0.
        const QStringList printedBills = lines.filter("Bill No :");
        QVERIFY2(printedBills.size() > 300 && printedBills.size() < 400, qPrintable(QString::number(printedBills.size())));
        QCOMPARE(lines.count(checks::grandTotal("189.00")), printedBills.size());
        QVERIFY2(messages.texts().join(' ').contains("damaged"), qPrintable(messages.texts().join('\n')));
        // One of them printed on its own sends no receipt.
        int spoiled = 1;
        while (printedBills.contains(QString("Bill No : %1").arg(spoiled)))
            ++spoiled;
        messages.shown.clear();
        choose(range(QString::number(spoiled), QString::number(spoiled)));
        QCOMPARE(printedBy(ui::PrintRange), QStringList{});
        QVERIFY(messages.texts().join(' ').contains("damaged"));
    }

    void reportsPrintTheirRowsAndGrandTotal_data()
    {
        actionColumns();
        QTest::newRow("receipts by number, a row a line")
            << ui::ReceiptQuery
            << QStringList{lineRow("ItemIn", 1, "SUGAR", 2.5), line("ItemIn", 1, 2, "SALT", 1, 1, "C1", "B1", "S", Apr12),
                           lineRow("ItemIn", 2, "TEA", 1), lineRow("ItemIn", 3, "DAL", 50)}
            << range("1", "2") << ui::PrintRange
            << QStringList{reportRow("1", "SUGAR", "2.5"), reportRow("1", "SALT", "1", "12/Apr/2026"), reportRow("2", "TEA", "1"),
                           "4.00"};  // 4.5 rounds to the even 4
        QTest::newRow("stock by code, by batch")
            << ui::StockQuery
            << QStringList{lineRow("Stock", 1, "TEA", 20.25, Dec4, "C1", "B2"), lineRow("Stock", 2, "TEA", 10.25, Apr12, "C1", "B1"),
                           lineRow("Stock", 3, "DAL", 7, Dec4, "C2", "B1")}
            << typed(ui::Head, "C1") << ui::PrintTotal
            << QStringList{reportRow("2", "TEA", "10.25", "12/Apr/2026"), reportRow("1", "TEA", "20.25"), "30.00"};
        QTest::newRow("stock by name, by number")
            << ui::StockQuery
            << QStringList{lineRow("Stock", 1, "TEA", 20.25, Dec4, "C1", "B2"), lineRow("Stock", 2, "TEA", 10.25, Apr12, "C1", "B1"),
                           lineRow("Stock", 3, "DAL", 7, Dec4, "C2", "B1")}
            << typed(ui::StockName, "TEA") << ui::PrintName
            << QStringList{reportRow("1", "TEA", "20.25"), reportRow("2", "TEA", "10.25", "12/Apr/2026"), "30.00"};
        QTest::newRow("all stock, none") << ui::StockQuery << QStringList{} << "" << ui::PrintAllStock << QStringList{"0.00"};
        QTest::newRow("expenditure by number")
            << ui::ExpenditureQuery
            << QStringList{voucherRow(1, "RENT", 100), voucherRow(2, "WAGES", 250.5), voucherRow(3, "LIGHT", 49.5), voucherRow(4, "RENT", 7)}
            << range("1", "3") << ui::PrintRange
            << QStringList{reportRow("1", "RENT", "100"), reportRow("2", "WAGES", "250.5"), reportRow("3", "LIGHT", "49.5"), "400.00"};
    }
    void reportsPrintTheirRowsAndGrandTotal()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, rows);
        QFETCH(QString, choices);
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        openQuery(name, rows);
        choose(choices);
        const QStringList lines = printedBy(button), printedRows = expected.mid(0, expected.size() - 1);
        QCOMPARE(lines.mid(0, 6), checks::Letterhead);
        QCOMPARE(lines.mid(6, printedRows.size() + 2), printedRows + QStringList({checks::Rule, checks::grandTotal(expected.last())}));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    // A report stops at its first failure; the bill register passes over it and tells the last once.
    void printFailuresAreToldAndPrintNothing()
    {
        openQuery(ui::ReceiptQuery, {lineRow("ItemIn", 1, "SUGAR", 2.5)});
        choose(range("1", "1"));
        db.makeUnreachable();
        const QStringList lines = printedBy(ui::PrintRange);
        db.makeReachable();
        QCOMPARE(lines, QStringList{"0 jobs"});
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(messages.shown.last().text, QString("Operation is not allowed when the object is closed."));

        messages.clear();
        openQuery(ui::BillQuery, {billLine(1, 1, "TEA", 1, 10), billLine(2, 1, "TEA", 1, 10)});
        print::installDestination([]() -> std::unique_ptr<print::PageDevice> { throw print::PrintError("No printer is installed."); });
        choose(range("1", "2"));
        op->click(ui::PrintRange);
        QCOMPARE(messages.texts(), QStringList({"No printer is installed."}));
    }
};

QTEST_MAIN(QueriesTest)
#include "tst_queries.moc"
