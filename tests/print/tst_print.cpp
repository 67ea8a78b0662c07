// The page model, the devices behind a job, and documents on paper too narrow for them.

#include "print/PrinterDevice.h"
#include "print/PrinterQueue.h"
#include "print/Report.h"
#include "support/ScreenBench.h"

#include <QPrinterInfo>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

using namespace print;
using checks::placed;

namespace {

// The lines a job prints, as on paper.
QStringList printedBy(const std::function<void(PrintJob&)>& write)
{
    const auto log = installCapture();
    PrintJob job = startJob();
    write(job);
    job.end();
    return log->allLines();
}

// The description of the PrintError a call throws; empty when it throws none.
QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

QString failureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const PrintError& error) {
        return error.description();
    }
    return {};
}

}  // namespace

class PrintTest : public QObject, ScreenBench {
    Q_OBJECT

private slots:
    void cleanup() { close(); }

    // A text whose column the line has passed goes to that column of the next line; a number
    // takes a blank each side, the sign the leading one.
    void textsAndNumbersStartAtTheirColumns()
    {
        const QStringList lines = printedBy([](PrintJob& job) {
            job.text(1, "Item");
            job.number(39, 200);
            job.endLine();
            job.text(0, "a");   // below 1 counts as 1
            job.text(-4, "b");  // passed column 1: next line
            job.text(2, "c");   // the next free column: same line
            job.text(2, "d");   // now passed
            job.endLine();
            job.endLine();
            job.number(1, 45.5);
            job.text(7, "|");  // " 45.5 " ends at column 6
            job.number(1, -3);
            job.text(4, "|");
            job.number(10, 1234567.5);
            job.endLine();
            job.value(1, QVariant(7));
            job.value(5, QDate(2026, 12, 4));
            job.value(17, QVariant(qlonglong(-40)));
            job.endLine();
            job.number(1, -2.2e-16);  // what 1.68 - 1.68 * 100 / 100 leaves: written as 0, so unsigned
            job.text(4, "|");
            job.endLine();
            job.value(1, "Rice");
            job.value(6, QVariant());  // null: nothing shown, but the position moves to 6
            job.text(6, "|");
            job.line(3, "e");
            job.text(1, "last");  // ended by end()
        });
        QCOMPARE(lines, QStringList({placed({{1, "Item"}, {39, " 200"}}), "a", "bc", " d", "", " 45.5 |",
                                     placed({{1, "-3 |"}, {10, " 1234567.5"}}), " 7  04/Dec/2026 -40", " 0 |", "Rice |", "  e",
                                     "last"}));
    }

    // The device is told how wide the widest line is; a job dropped without end() prints nothing.
    void pagesGoOutWhenTheJobEnds()
    {
        const auto log = std::make_shared<CaptureLog>();
        int opens = 0;
        const auto device = [&] {
            ++opens;
            return std::make_unique<TextCapture>(log, 3);
        };
        PrintJob job(device);
        QCOMPARE(opens, 0);  // the device opens at the first output
        for (int n = 1; n <= 5; ++n)
            job.line(1, QString("line %1").arg(n));
        job.number(8, 12.5);  // " 12.5 " ends at column 13, its closing blank unseen
        QCOMPARE(log->finishedJobs(), 0);
        QVERIFY(QGuiApplication::overrideCursor());  // the wait cursor while the job is written
        job.end();
        QVERIFY(!QGuiApplication::overrideCursor());
        // No empty page after a full one.
        QCOMPARE(log->pages(), QVector<CapturedPage>({{"line 1", "line 2", "line 3"}, {"line 4", "line 5", "        12.5"}}));
        QCOMPARE(log->fittedColumns, 12);
        QCOMPARE(opens, 1);
        QVERIFY(!failureOf([&] { job.text(1, "late"); }).isEmpty());  // nothing after end()
        {
            PrintJob dropped(device);
            for (const char* text : {"a", "b", "c", "d"})
                dropped.line(1, text);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        PrintJob empty(device);
        empty.end();
        QCOMPARE(log->jobs, QVector<CapturedJob>({log->jobs.first(), CapturedJob()}));
        QCOMPARE(log->fittedColumns, 0);
        // The blank lines a document ends with fill its last page with text, and feed no sheet of their own;
        // on a roll they are its feed.
        struct RollCapture : TextCapture {
            using TextCapture::TextCapture;
            int rollColumns() const override { return 32; }
        };
        for (const bool roll : {false, true}) {
            PrintJob trailing([&]() -> std::unique_ptr<PageDevice> {
                if (roll)
                    return std::make_unique<RollCapture>(log, 3);
                return std::make_unique<TextCapture>(log, 3);
            });
            for (const char* text : {"a", "b", "c", "d"})
                trailing.line(1, text);
            for (int n = 0; n < 5; ++n)
                trailing.endLine();
            trailing.end();
        }
        QCOMPARE(log->jobs.mid(log->jobs.size() - 2),
                 QVector<CapturedJob>({{{"a", "b", "c"}, {"d", "", ""}}, {{"a", "b", "c"}, {"d", "", ""}, {"", "", ""}}}));
    }

    // A device that cannot be opened fails every call with its words, opened once.
    void openFailureRepeatsAtEveryCall()
    {
        const QString description = "No printer is installed.";
        int attempts = 0;
        PrintJob job([&]() -> std::unique_ptr<PageDevice> {
            ++attempts;
            throw PrintError(description);
        });
        QCOMPARE(failureOf([&] { job.text(1, "a"); }), description);
        QCOMPARE(failureOf([&] { job.end(); }), description);
        QCOMPARE(attempts, 1);

        QTemporaryDir folder;
        const QString path = folder.filePath("missing/receipt.pdf");
        PrintJob pdf([&] { return PrinterDevice::forPdfFile(path); });
        QVERIFY(failureOf([&] { pdf.text(1, "a"); }).contains(path));
        // Without a printer the operator is told how to print into a PDF file instead.
        if (QPrinterInfo::defaultPrinter().isNull()) {
            const QString noPrinter = failureOf([] { PrinterDevice::forDefaultPrinter(); });
            QVERIFY2(noPrinter.startsWith("No printer is installed") && noPrinter.contains("BILL_PRINT_PDF="),
                     qPrintable(noPrinter));
        }
    }

    // A queue that rejects prints, or one stopped (a paper jam, a printer CUPS gave up reaching), is
    // told before a print is sent to it; an idle or printing queue takes it.
    void aQueueThatCannotPrintIsToldBeforeThePrint()
    {
        using printerqueue::refusal;
        const QString accepting = "printer-is-accepting-jobs", state = "printer-state";
        for (const QString busy : {"3", "4"})
            QVERIFY(refusal("SHOP", {{state, busy}, {accepting, "true"}}).isEmpty());
        QCOMPARE(refusal("SHOP", {{state, "3"}, {accepting, "false"}}),
                 QString("The printer SHOP does not take prints now. Nothing was printed."));
        const QString stopped = refusal("SHOP", {{state, "5"}, {accepting, "true"}, {"printer-state-reasons", "paused"}});
        QVERIFY2(stopped.startsWith("The printer SHOP is stopped. Nothing was printed"), qPrintable(stopped));
        QVERIFY(printerqueue::attributes("NO SUCH PRINTER").isEmpty());
    }

    // A PDF cut off by its disk (here a size limit; a full disk alike) is told, on one page as on
    // many, and a file that is no PDF is never written over; a link's file is written.
    void aPdfIsWrittenWholeOrTold()
    {
        QTemporaryDir folder;
        const auto print = [](const QString& path, int lines) {
            return failureOf([&] {
                PrintJob job([&] { return PrinterDevice::forPdfFile(path); });
                for (int line = 1; line <= lines; ++line)
                    job.line(1, QString("LINE %1 ").arg(line) + QString(60, 'X'));
                job.end();
            });
        };
        const QString path = folder.filePath("receipt.pdf");
        QCOMPARE(print(path, 3), QString());
        const QByteArray good = contents(path);
        QVERIFY(good.startsWith("%PDF-"));

        rlimit unlimited{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        ::signal(SIGXFSZ, SIG_IGN);
        for (const auto& [limit, lines] : {std::pair<rlim_t, int>{rlim_t(good.size() / 2), 3}, {rlim_t(good.size() * 2), 3000}}) {
            const rlimit limited{limit, unlimited.rlim_max};
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
            const QString cut = print(path, lines);
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
            QVERIFY2(cut == "The file " + path + " could not be written whole: is the disk full? Print it again.", qPrintable(cut));
        }
        QCOMPARE(print(path, 3), QString());
        QCOMPARE(contents(path).size(), good.size());  // whole again (its time of making differs)

        const QString database = folder.filePath("Bill.db");
        QFile other(database);
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("SQLite format 3") > 0);
        other.close();
        QVERIFY2(print(database, 1).contains("is no PDF file"), qPrintable(print(database, 1)));
        QVERIFY(contents(database) == "SQLite format 3");
        // The shop's own database is told by its name, never opened here (it would lose its locks).
        if (!TestDatabase::onServer())
            QVERIFY2(print(db.path(), 1).contains("is the database itself"), qPrintable(print(db.path(), 1)));

        const QString link = folder.filePath("link.pdf");
        QVERIFY(QFile::link(path, link));
        QCOMPARE(print(link, 1), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(contents(path).size() < good.size() && contents(path).startsWith("%PDF-"));  // the one line
    }

    // A sum rounds half to even, an empty one prints 0.00.
    void aReportIsWrittenInItsFrame()
    {
        const auto log = installCapture();
        PrintJob job = startJob();
        Report report(job, {2, {{2, "No"}, {7, "Item"}}, {{"signed", "contact"}, 10, 2}});
        report.letterhead({"SHOP", "A1", "A2", "CITY", "123"});
        report.columnHeads();
        report.row({1234, "LONG ITEM NAME", 12345.75}, {2, 7, 15});
        report.row({7, "TEA", 1.5}, {2, 7});  // values beyond the columns are not printed
        report.grandTotal(QVariant());
        report.footer();
        report.end();
        const QString rule76 = " " + QString(76, '-');
        QCOMPARE(log->allLines(),
                 QStringList({" SHOP", " A1", " A2", " CITY", " Mobile : 123", rule76, placed({{2, "No"}, {7, "Item"}}), rule76,
                              placed({{2, " 1234"}}), placed({{7, "LONG ITEM NAME"}}), placed({{15, " 12345.75"}}),
                              placed({{2, " 7"}, {7, "TEA"}}), rule76, placed({{24, "Grand Total :"}, {50, "0.00"}}),
                              " ----------", " signed", " contact", " ----------", "", ""}));
        QStringList totals;
        for (const double sum : {2.5, 3.5, 10.49, -2.5})
            totals << grandTotalText(sum);
        QCOMPARE(totals, QStringList({"2.00", "4.00", "10.00", "-2.00"}));
    }

    // The font is made smaller, just enough for the widest line's last character to be on the
    // page; the device fits every job alike, so a receipt, the widest register and a list stand for them.
    void everyKindOfPrintFitsThePage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("button");  // none: the customer list
        QTest::addColumn<QString>("paper");
        QTest::newRow("receipt") << ui::BillOne << ui::Print << "a5";
        QTest::newRow("register on Letter") << ui::BillQuery << ui::PrintRange << "letter";  // 105 columns
        QTest::newRow("customer list") << ui::Customers << QString() << "a5";
    }
    void everyKindOfPrintFitsThePage()
    {
        QFETCH(QString, name);
        QFETCH(QString, button);
        QFETCH(QString, paper);
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        reset();
        const QString longest(50, 'W');
        db.exec(rows::billLine(1, 1, longest, 32767, 99999.99, 12.5, 7.5, longest, QDate::currentDate()));
        db.exec(rows::customer(1, longest, longest, longest));

        QTemporaryDir folder;
        const QString path = folder.filePath("document.pdf");
        qputenv("BILL_PRINT_PDF", path.toLocal8Bit());
        qputenv("PAPERSIZE", paper.toLatin1());
        const auto restore = qScopeGuard([] { qunsetenv("BILL_PRINT_PDF"), qunsetenv("PAPERSIZE"); });
        restoreDefaultDestination();
        Operator& op = open(name);
        for (const QString& number : {ui::From, ui::To, ui::Number})  // the first document, where the screen asks
            if (screen->findChild<QComboBox*>(number))
                op.type(number, "1");
        if (button.isEmpty())
            catalog::printListing("Customer");
        else
            op.click(button);
        QVERIFY(messages.shown.isEmpty());

        const checks::PdfReach reach = checks::pdfReach(path);
        QVERIFY(reach.right > 0);
        const double printableRight = reach.pageWidth - reach.left;  // the margins are alike
        const QString where = QString("right edge %1, page %2").arg(reach.right).arg(reach.pageWidth);
        QVERIFY2(reach.right <= printableRight + 0.01, qPrintable(where));
        QVERIFY2(reach.right > 0.97 * printableRight, qPrintable(where));
    }

    // The queue's row prints through CUPS into BILL_TEST_ROLL_QUEUE's folder
    // (scripts/roll-queue-check sets one up); without it the row is skipped.
    void receiptsOnARoll_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("roll");  // the width BILL_PRINT_PDF gives; empty: the default printer
        QTest::addColumn<int>("fewestColumns");
        QTest::addColumn<int>("mostColumns");
        QTest::newRow("bill, 58 mm") << ui::BillOne << "asigncharges" << "58mm" << 30 << 34;
        QTest::newRow("goods receipt, 80 mm") << ui::ItemInFrm << "ItemIn" << "80mm" << 42 << 48;
        QTest::newRow("bill, 80 mm queue") << ui::BillTwo << "asigncharges" << QString() << 42 << 48;
    }
    void receiptsOnARoll()
    {
        QFETCH(QString, name);
        QFETCH(QString, table);
        QFETCH(QString, roll);
        QFETCH(int, fewestColumns);
        QFETCH(int, mostColumns);
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        const QString queueFolder = qEnvironmentVariable("BILL_TEST_ROLL_QUEUE");
        if (roll.isEmpty() && queueFolder.isEmpty())
            QSKIP("No roll queue: BILL_TEST_ROLL_QUEUE is not set.");
        reset();
        const QStringList names{"BASMATI RICE PREMIUM EXTRA LONG GRAIN AGED 25 KG BAG", QString(40, 'W'), "TEA", "SOAP"};
        db.exec(rows::line(table, 1, 1, names[0], 32767, 99999.99, {}, {}, "A CUSTOMER WHOSE NAME IS LONGER THAN ANY ROLL",
                           rows::Dec4, 7.5, 12.5));
        db.exec(rows::line(table, 1, 2, names[1], 7, 0.1));
        db.exec(rows::line(table, 1, 3, names[2], 3, 33.3333));
        db.exec(rows::line(table, 1, 4, "SOAP", 3, 2.675));
        // Quantity, price, total of each line; the first's is 3276699672.33 less 12.5 %, plus 7.5 % tax. A half
        // paisa goes to the even one, on either engine: 8.025 is a hair less in binary, and the file's driver
        // hands it over as a hair more.
        const QStringList figures{"32767", "99999.99", "3082145629.29", "7", "0.10", "0.70", "3", "33.33", "100.00",
                                  "2.68", "8.02"};

        Operator& op = open(name);
        op.type(ui::Number, "1");
        op.click(ui::Print);
        const QStringList page = printed->allLines();
        const QString pageTotal = page.filter("Grand Total :").value(0).section(' ', -1);
        QVERIFY2(pageTotal.endsWith(".00"), qPrintable(page.join('\n')));

        QTemporaryDir folder;
        QString path = folder.filePath("receipt.pdf");
        const auto restore = qScopeGuard([] { qunsetenv("BILL_PRINT_PDF"); });
        if (!roll.isEmpty())
            qputenv("BILL_PRINT_PDF", (path + '@' + roll).toLocal8Bit());
        const QDateTime sent = QDateTime::currentDateTime().addSecs(-1);
        restoreDefaultDestination();
        op.click(ui::Print);
        QVERIFY2(messages.shown.isEmpty(), qPrintable(checks::told(messages).join('\n')));
        if (roll.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(!(path = checks::newestPdf(queueFolder, sent)).isEmpty(), 60000);

        // On the page, its widest line as many columns of 7 point as the roll holds.
        const checks::PdfReach reach = checks::pdfReach(path);
        const int columns = qRound((reach.right - reach.left) / 4.214);
        const QString where = QString("right %1 of %2, bottom %3 of %4, %5 columns")
                                  .arg(reach.right).arg(reach.pageWidth).arg(reach.bottom).arg(reach.pageHeight).arg(columns);
        QVERIFY2(reach.right > 0 && reach.right <= reach.pageWidth - reach.left + 0.01, qPrintable(where));
        QVERIFY2(reach.bottom < reach.pageHeight, qPrintable(where));
        QVERIFY2(columns >= fewestColumns && columns <= mostColumns, qPrintable(where));
        if (roll.isEmpty())
            return;  // cups-pdf redraws the glyphs as Type 3 fonts whose text cannot be read back

        const QList<QStringList> pages = checks::pdfPages(path, "4.214");
        QCOMPARE(pages.size(), 1);
        const QStringList lines = pages[0];
        QCOMPARE(lines.filter(QRegularExpression("^-+$")).value(0).size(), columns);
        const QString text = lines.join(' ');
        for (const QString& item : names)
            QVERIFY2(QString(text).remove(' ').contains(QString(item).remove(' ')), qPrintable(item));
        const QStringList words = text.split(' ', Qt::SkipEmptyParts);
        for (const QString& figure : figures)
            QVERIFY2(words.contains(figure), qPrintable(figure + " missing from\n" + lines.join('\n')));
        static const QRegularExpression decimals("^-?[0-9]+\\.[0-9]+$");
        for (const QString& word : words.filter(decimals))
            QVERIFY2(word.section('.', 1).size() == 2, qPrintable(word));
        QCOMPARE(lines.filter("Grand Total :").value(0).section(' ', -1), pageTotal);
    }

    // Through the default destination, as a shop without a printer would.
    void pdfColumnsLineUp()
    {
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        const QString path = folder.filePath("receipt.pdf");
        const int linesPerPage = PrinterDevice::forPdfFile(folder.filePath("other.pdf"))->linesPerPage();
        QVERIFY(linesPerPage > 40);
        qputenv("BILL_PRINT_PDF", path.toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("BILL_PRINT_PDF"); });
        PrintJob job = startJob();
        job.text(1, "Rice 25 kg");
        job.number(31, 12);
        job.text(39, "Amount");
        job.number(50, 1234567.5);
        for (int n = 2; n <= linesPerPage + 1; ++n)
            job.line(1, QString("line %1").arg(n));
        job.end();

        const QList<QStringList> pages = checks::pdfPages(path);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].first(), placed({{1, "Rice 25 kg"}, {32, "12"}, {39, "Amount"}, {51, "1234567.5"}}));
        QCOMPARE(pages[0].last(), QString("line %1").arg(linesPerPage));
        QCOMPARE(pages[1], QStringList{QString("line %1").arg(linesPerPage + 1)});
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
