// The page model: columns, numbers, pages, the devices behind a job, and
// every kind of document on paper narrower than it is wide at 10 point.

#include "expenditure/ExpenditureRegister.h"
#include "families/DocumentReceipt.h"
#include "families/QueryReport.h"
#include "kit/DataScreen.h"
#include "masters/MasterListings.h"
#include "print/PrinterDevice.h"
#include "print/PrintJob.h"
#include "print/Report.h"
#include "reports/BillRegister.h"
#include "shell/ScreenCatalog.h"
#include "stores/LineDocumentStore.h"
#include "support/BillingOperator.h"
#include "support/Checks.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"
#include "support/TextCapture.h"

#include <QDate>
#include <QDateEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace print;
using checks::placed;

namespace {

// Devices that note what the jobs do to them: "fit n", "page n", "finish".
struct Devices {
    int lines = 60, opens = 0;
    QStringList calls;
    struct Device : PageDevice {
        Devices& all;
        explicit Device(Devices& devices) : all(devices) {}
        void fitColumns(int columns) override { all.calls << QString("fit %1").arg(columns); }
        int linesPerPage() const override { return all.lines; }
        void addPage(const QVector<PrintedLine>& page) override { all.calls << QString("page %1").arg(page.size()); }
        void finish() override { all.calls << "finish"; }
    };
    // What a job opens its device with.
    std::function<std::unique_ptr<PageDevice>()> opener()
    {
        return [this] {
            ++opens;
            return std::make_unique<Device>(*this);
        };
    }
};

// The lines a job prints, as on paper.
QStringList printed(const std::function<void(PrintJob&)>& write)
{
    const auto log = installCapture();
    PrintJob job = startJob();
    write(job);
    job.end();
    return log->allLines();
}

// The description of the PrintError a call throws; empty when it throws none.
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

class PrintTest : public QObject {
    Q_OBJECT

    TestDatabase db;  // for the documents printed from stored rows
    RecordingMessages messages;

    // Prints a document of that kind from what the database holds.
    static void printKind(const QString& kind)
    {
        if (kind == "receipt") {
            families::PrintDocument(stores::LineDocumentStore(stores::Document::Bill), "1");
        } else if (kind == "register") {
            reports::printBillRegister("Select distinct(BillNumber) from asigncharges");
        } else if (kind == "totals") {
            std::unique_ptr<DataScreen> screen(catalog::createScreen("PrintAll", nullptr));
            for (const char* picker : {"DTP1", "DTP2"})
                screen->findChild<QDateEdit*>(picker)->setDate(QDate(2026, 12, 4));
            QTest::mouseClick(screen->findChild<QPushButton*>("ComPrintTotal"), Qt::LeftButton);
        } else if (kind == "query report") {
            families::printQueryReport("Select BillNumber, Item, Amount, Date_ from asigncharges",
                                      "Select sum(Amount) from asigncharges", {});
        } else if (kind == "expenditure register") {
            expenditure::PrintRegister("1", stores::LineDocumentStore(stores::Document::Voucher));
        } else if (kind == "customer list") {
            masters::printMasterListing("Customer");
        }
    }

private slots:
    void cleanup() { restoreDefaultDestination(); }

    // A text starts at its column; when the line has passed that column it
    // goes to that column of the next line.
    void textsStartAtTheirColumns()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.text(1, "Item");
            job.text(32, "Qty");
            job.number(39, 200);
            job.endLine();
            job.text(0, "a");    // below 1 counts as 1
            job.text(-4, "b");   // passed column 1: next line
            job.text(2, "c");    // the next free column: same line
            job.text(2, "d");    // now passed
            job.text(1, "Description");
            job.text(5, "x");
            job.endLine();
            job.endLine();
            job.line(3, "e");
            job.text(1, "last");  // ended by end()
        });
        QCOMPARE(lines, QStringList({placed({{1, "Item"}, {32, "Qty"}, {39, " 200"}}), "a", "bc", " d", "Description",
                                     "    x", "", "  e", "last"}));
    }

    void numbersTakeABlankEachSide()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.number(1, 45.5);
            job.text(7, "|");  // " 45.5 " ends at column 6
            job.number(1, 45.5);
            job.text(6, "|");  // the closing blank is at 6
            job.number(1, -3);
            job.text(4, "|");  // "-3 ": the sign takes the leading blank
            job.number(10, 1234567.5);  // still free: same line
            job.number(1, 0);
            job.endLine();
            // Stored values: numbers as numbers, dates as shown, Null as nothing.
            job.value(1, QVariant(7));
            job.text(4, "|");
            job.value(1, QVariant(2.5));
            job.value(10, QVariant(qlonglong(-40)));
            job.endLine();
            job.value(1, QDate(2026, 12, 4));
            job.value(13, QDateTime(QDate(2026, 1, 9), QTime(0, 0)));
            job.endLine();
            job.value(1, "Rice");
            job.value(6, QVariant());  // null: nothing shown, but the position moves to 6
            job.text(6, "|");
            job.value(8, QVariant(QMetaType::fromType<double>()));  // a Null number column
            job.text(7, "next");
        });
        QCOMPARE(lines, QStringList({" 45.5 |", " 45.5", "     |", placed({{1, "-3 |"}, {10, " 1234567.5"}}), " 0",
                                     " 7 |", placed({{1, " 2.5"}, {10, "-40"}}), "04/Dec/2026 09/Jan/2026",
                                     "Rice |", "      next"}));
    }

    // The pages go out when the job ends, after the device was told how wide
    // the widest line is.
    void pagesGoOutWhenTheJobEnds()
    {
        const auto log = installCapture(3);
        PrintJob job = startJob();
        for (int n = 1; n <= 7; ++n)
            job.line(1, QString("line %1").arg(n));
        job.end();
        QCOMPARE(log->pages(), QVector<CapturedPage>({{"line 1", "line 2", "line 3"},
                                                      {"line 4", "line 5", "line 6"},
                                                      {"line 7"}}));

        Devices devices{3};
        PrintJob exact(devices.opener());
        QCOMPARE(devices.opens, 0);  // the device opens at the first output
        for (int n = 1; n <= 5; ++n)
            exact.line(1, "x");
        exact.number(8, 12.5);  // " 12.5 " ends at column 13, its closing blank unseen
        QCOMPARE(devices.calls, QStringList());
        exact.end();
        QCOMPARE(devices.calls, QStringList({"fit 12", "page 3", "page 3", "finish"}));  // no empty page after a full one
        QCOMPARE(devices.opens, 1);
        QVERIFY(!failureOf([&] { exact.text(1, "late"); }).isEmpty());  // nothing after end()
        QVERIFY(!failureOf([&] { exact.end(); }).isEmpty());

        // Dropped without end(): nothing goes to the device.
        devices.calls.clear();
        {
            PrintJob dropped(devices.opener());
            for (const char* text : {"a", "b", "c", "d"})
                dropped.line(1, text);
        }
        QCOMPARE(devices.calls, QStringList());

        // A job with nothing printed still opens and finishes its device, with no page.
        Devices none;
        PrintJob empty(none.opener());
        empty.end();
        QCOMPARE(none.opens, 1);
        QCOMPARE(none.calls, QStringList({"fit 0", "finish"}));
    }

    void openFailureRepeatsAtEveryCall()
    {
        const QString description = "No printer is installed.";
        int attempts = 0;
        PrintJob job([&]() -> std::unique_ptr<PageDevice> {
            ++attempts;
            throw PrintError(description);
        });
        QCOMPARE(failureOf([&] { job.text(1, "a"); }), description);
        QCOMPARE(failureOf([&] { job.endLine(); }), description);
        QCOMPARE(failureOf([&] { job.end(); }), description);
        QCOMPARE(attempts, 1);

        // The devices' own failures name what is missing.
        QTemporaryDir folder;
        const QString path = folder.filePath("missing/receipt.pdf");
        PrintJob pdf([&] { return PrinterDevice::forPdfFile(path); });
        QVERIFY(failureOf([&] { pdf.text(1, "a"); }).contains(path));

        // Without a printer the operator is told how to print into a PDF file instead.
        if (QPrinterInfo::defaultPrinter().isNull()) {
            const QString noPrinter = failureOf([] { PrinterDevice::forDefaultPrinter(); });
            QVERIFY(noPrinter.startsWith("No printer is installed"));
            QVERIFY2(noPrinter.contains("PDF file instead") && noPrinter.contains("BILL_PRINT_PDF="), qPrintable(noPrinter));
        }
    }

    // The frame the documents share: letterhead, heads, rows, total, footer.
    void aReportIsWrittenInItsFrame()
    {
        const auto log = installCapture();
        PrintJob job = startJob();
        Report report(job, {2, {{2, "No"}, {7, "Item"}}, {{"signed", "contact"}, 10, 2}});
        report.letterhead({"SHOP", "A1", "A2", "CITY", "123"});
        report.columnHeads();
        // A field whose column the line has already passed goes to that column of the next line.
        report.row({1234, "LONG ITEM NAME", 12345.75, QDate(2026, 12, 4)}, {2, 7, 15, 22});
        report.row({7, "TEA", 1.5}, {2, 7});  // values beyond the columns are not printed
        report.grandTotal(QVariant());         // nothing selected: 0.00
        report.footer();
        report.end();
        const QString rule76 = " " + QString(76, '-');
        QCOMPARE(log->allLines(),
                 QStringList({" SHOP", " A1", " A2", " CITY", " Mobile : 123", rule76, placed({{2, "No"}, {7, "Item"}}),
                              rule76, placed({{2, " 1234"}}), placed({{7, "LONG ITEM NAME"}}), placed({{15, " 12345.75"}}), placed({{22, "04/Dec/2026"}}),
                              placed({{2, " 7"}, {7, "TEA"}}), rule76, placed({{24, "Grand Total :"}, {50, "0.00"}}),
                              " ----------", " signed", " contact", " ----------", "", ""}));
    }

    void grandTotalsRoundHalvesToEven_data()
    {
        QTest::addColumn<QVariant>("sum");
        QTest::addColumn<QString>("printed");
        QTest::newRow("2.5") << QVariant(2.5) << "2.00";
        QTest::newRow("3.5") << QVariant(3.5) << "4.00";
        QTest::newRow("10.49") << QVariant(10.49) << "10.00";
        QTest::newRow("-2.5") << QVariant(-2.5) << "-2.00";
        QTest::newRow("empty sum") << QVariant() << "0.00";
    }
    void grandTotalsRoundHalvesToEven()
    {
        QFETCH(QVariant, sum);
        QFETCH(QString, printed);
        QCOMPARE(grandTotalText(sum), printed);
    }

    // Each kind of document, its texts as long as the boxes take, on paper
    // too narrow for its widest line at 10 point: the font is made smaller,
    // just enough for the line's last character to be on the page.
    void everyKindOfPrintFitsThePage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("paper");
        for (const char* kind : {"receipt", "register", "totals", "query report", "expenditure register", "customer list"})
            QTest::addRow("%s on A5", kind) << kind << "a5";
        // 105 columns; 100 with a phone number of 50 characters
        QTest::newRow("register on A4") << "register" << "a4";
        QTest::newRow("register on Letter") << "register" << "letter";
        QTest::newRow("customer list on A4") << "customer list" << "A4";
    }
    void everyKindOfPrintFitsThePage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, paper);
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        db.reset();
        messages.clear();
        const QString longest(50, 'W');
        db.exec(billingtest::ShopHeaderRow);
        db.exec(billingtest::billLine(1, 1, longest, 32767, 99999.99, 12.5, 7.5, longest));
        db.exec(billingtest::customerRow(1, longest, longest, longest));
        db.exec(QString("insert into ExpenditureTable values(1,0,'%1',0,99999.99,0,0,'%1','%1','%1','','-',0,%2,'-','-')")
                    .arg(longest, sql::date(QDate(2026, 12, 4))));

        QTemporaryDir folder;
        const QString path = folder.filePath("document.pdf");
        qputenv("BILL_PRINT_PDF", path.toLocal8Bit());
        qputenv("PAPERSIZE", paper.toLatin1());
        const auto restore = qScopeGuard([] {
            qunsetenv("BILL_PRINT_PDF");
            qunsetenv("PAPERSIZE");
        });
        printKind(kind);
        QVERIFY(messages.shown.isEmpty());

        const checks::PdfReach reach = checks::pdfReach(path);
        QVERIFY(reach.right > 0);
        const double printableRight = reach.pageWidth - reach.left;  // the margins are alike
        const QString where = QString("right edge %1, page %2").arg(reach.right).arg(reach.pageWidth);
        QVERIFY2(reach.right <= printableRight + 0.01, qPrintable(where));
        QVERIFY2(reach.right > 0.97 * printableRight, qPrintable(where));
    }

    void pdfColumnsLineUp()
    {
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        const QString path = folder.filePath("receipt.pdf");
        const int linesPerPage = PrinterDevice::forPdfFile(folder.filePath("other.pdf"))->linesPerPage();
        QVERIFY(linesPerPage > 40);

        // Through the default destination, as a shop without a printer would.
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
