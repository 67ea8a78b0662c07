#include "print/PrintJob.h"
#include "print/PrinterDevice.h"
#include "print/TextCapture.h"

#include <QDate>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace print;

namespace {

// Counts what a job does to its device.
struct DeviceCalls {
    int opens = 0;
    int finishes = 0;
    QVector<int> pageSizes;
};

class RecordingDevice : public PageDevice {
public:
    RecordingDevice(DeviceCalls& calls, int linesPerPage) : m_calls(calls), m_lines(linesPerPage) {}
    int linesPerPage() const override { return m_lines; }
    void addPage(const QVector<PrintedLine>& lines) override { m_calls.pageSizes.append(lines.size()); }
    void finish() override { ++m_calls.finishes; }

private:
    DeviceCalls& m_calls;
    int m_lines;
};

std::function<std::unique_ptr<PageDevice>()> recording(DeviceCalls& calls, int linesPerPage = 60)
{
    return [&calls, linesPerPage] {
        ++calls.opens;
        return std::make_unique<RecordingDevice>(calls, linesPerPage);
    };
}

// The lines a job prints, as on paper.
QStringList printed(const std::function<void(PrintJob&)>& write)
{
    const auto log = installCapture();
    PrintJob job = startJob();
    write(job);
    job.end();
    return log->allLines();
}

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { restoreDefaultDestination(); }

    void itemsStartAtTheirColumns()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.text(1, QStringLiteral("Item"));
            job.text(32, QStringLiteral("Qty"));
            job.number(39, 200);
            job.endLine();
            job.text(0, QStringLiteral("a"));    // below 1 counts as 1
            job.text(-4, QStringLiteral("b"));   // passed column 1: next line
            job.endLine();
        });
        QCOMPARE(lines, QStringList({QStringLiteral("Item") + blanks(27) + QStringLiteral("Qty")
                                         + blanks(4) + QStringLiteral(" 200"),
                                     QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(lines.first().indexOf(QLatin1Char('2')) + 1, 40);
    }

    void passedColumnContinuesOnNextLine()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.text(1, QStringLiteral("abc"));
            job.text(4, QStringLiteral("d"));  // the next free column: same line
            job.text(4, QStringLiteral("e"));  // now passed
            job.text(1, QStringLiteral("Description"));
            job.text(5, QStringLiteral("x"));
        });
        QCOMPARE(lines, QStringList({QStringLiteral("abcd"), blanks(3) + QStringLiteral("e"),
                                     QStringLiteral("Description"), blanks(4) + QStringLiteral("x")}));
    }

    void numbersTakeABlankEachSide()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.number(1, 45.5);
            job.text(7, QStringLiteral("|"));  // " 45.5 " ends at column 6
            job.number(1, 45.5);
            job.text(6, QStringLiteral("|"));  // the closing blank is at 6
            job.number(1, -3);
            job.text(4, QStringLiteral("|"));  // "-3 ": the sign takes the leading blank
            job.number(10, 1234567.5);  // still free: same line
            job.number(1, 0);
            job.endLine();
        });
        QCOMPARE(lines, QStringList({QStringLiteral(" 45.5 |"), QStringLiteral(" 45.5"),
                                     blanks(5) + QStringLiteral("|"), QStringLiteral("-3 |") + blanks(5) + QStringLiteral(" 1234567.5"),
                                     QStringLiteral(" 0")}));
    }

    void storedValues()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.value(1, QVariant(7));
            job.text(4, QStringLiteral("|"));
            job.value(1, QVariant(2.5));
            job.value(10, QVariant(qlonglong(-40)));
            job.endLine();
            job.value(1, QDate(2026, 12, 4));
            job.value(13, QDateTime(QDate(2026, 1, 9), QTime(0, 0)));
            job.endLine();
            job.value(1, QStringLiteral("Rice"));
            job.value(6, QVariant());  // null: nothing shown, but the position moves to 6
            job.text(6, QStringLiteral("|"));
            job.value(8, QVariant(QMetaType::fromType<double>()));  // a Null number column
            job.text(7, QStringLiteral("next"));
            job.endLine();
        });
        QCOMPARE(lines, QStringList({QStringLiteral(" 7 |"), QStringLiteral(" 2.5") + blanks(5) + QStringLiteral("-40"),
                                     QStringLiteral("04/Dec/2026 09/Jan/2026"),
                                     QStringLiteral("Rice |"), blanks(6) + QStringLiteral("next")}));
    }

    void emptyLines()
    {
        const QStringList lines = printed([](PrintJob& job) {
            job.endLine();
            job.line(3, QStringLiteral("a"));
            job.endLine();
            job.text(1, QStringLiteral("last"));  // ended by end()
        });
        QCOMPARE(lines, QStringList({QString(), QStringLiteral("  a"), QString(), QStringLiteral("last")}));
    }

    void fullPagesGoOutAsTheyFill()
    {
        const auto log = installCapture(3);
        PrintJob job = startJob();
        for (int n = 1; n <= 7; ++n)
            job.line(1, QStringLiteral("line %1").arg(n));
        QCOMPARE(log->finishedJobs(), 0);  // nothing is out before the job ends
        job.end();

        QCOMPARE(log->finishedJobs(), 1);
        const QVector<CapturedPage> pages = log->pages();
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages.at(0), QStringList({"line 1", "line 2", "line 3"}));
        QCOMPARE(pages.at(1), QStringList({"line 4", "line 5", "line 6"}));
        QCOMPARE(pages.at(2), QStringList({"line 7"}));

        DeviceCalls calls;
        PrintJob exact(recording(calls, 3));
        for (int n = 1; n <= 6; ++n) {
            exact.line(1, QStringLiteral("x"));
            if (n == 3)
                QCOMPARE(calls.pageSizes, QVector<int>({3}));  // handed over when full
        }
        exact.end();
        QCOMPARE(calls.pageSizes, QVector<int>({3, 3}));  // no empty page after a full one
        QCOMPARE(calls.finishes, 1);
        QCOMPARE(calls.opens, 1);
    }

    void endingAJob()
    {
        DeviceCalls calls;
        {
            PrintJob empty(recording(calls));
            empty.end();
        }
        QCOMPARE(calls.opens, 1);
        QCOMPARE(calls.finishes, 1);
        QVERIFY(calls.pageSizes.isEmpty());

        {
            PrintJob job(recording(calls));
            job.line(1, QStringLiteral("a"));
            job.end();
            QVERIFY_THROWS_EXCEPTION(PrintError, job.text(1, QStringLiteral("late")));
            QVERIFY_THROWS_EXCEPTION(PrintError, job.end());
        }
        QCOMPARE(calls.finishes, 2);
        QCOMPARE(calls.pageSizes, QVector<int>({1}));

        // Dropped without end(): nothing is printed.
        const auto log = installCapture();
        {
            PrintJob dropped = startJob();
            dropped.line(1, QStringLiteral("never"));
        }
        QCOMPARE(log->finishedJobs(), 0);
        {
            PrintJob job(recording(calls, 2));
            job.line(1, QStringLiteral("a"));
            job.line(1, QStringLiteral("b"));
            job.line(1, QStringLiteral("c"));
        }
        QCOMPARE(calls.pageSizes, QVector<int>({1, 2}));  // the full page went, the rest did not
        QCOMPARE(calls.finishes, 2);
    }

    void deviceOpensAtFirstOutput()
    {
        DeviceCalls calls;
        PrintJob job(recording(calls));
        QCOMPARE(calls.opens, 0);
        job.text(1, QStringLiteral("a"));
        job.number(5, 1);
        job.end();
        QCOMPARE(calls.opens, 1);
    }

    void openFailureRepeatsAtEveryCall()
    {
        const QString description = QStringLiteral("No printer is installed.");
        int attempts = 0;
        PrintJob job([&]() -> std::unique_ptr<PageDevice> {
            ++attempts;
            throw PrintError(description);
        });
        const std::function<void()> calls[] = {
            [&] { job.text(1, QStringLiteral("a")); },
            [&] { job.number(1, 2); },
            [&] { job.value(1, QVariant(3)); },
            [&] { job.endLine(); },
            [&] { job.line(1, QStringLiteral("b")); },
            [&] { job.end(); },
        };
        for (const auto& call : calls) {
            try {
                call();
                QFAIL("the failure to open was not thrown");
            } catch (const PrintError& error) {
                QCOMPARE(error.description(), description);
            }
        }
        QCOMPARE(attempts, 1);
    }

    void defaultPrinterMissing()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("A default printer is installed here.");
        try {
            PrinterDevice::forDefaultPrinter();
            QFAIL("no failure without a printer");
        } catch (const PrintError& error) {
            QVERIFY2(error.description().startsWith(QStringLiteral("No printer is installed")),
                     qPrintable(error.description()));
        }
    }

    void pdfColumnsLineUp()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("receipt.pdf"));

        // Through the default destination, as a shop without a printer would.
        qputenv("BILL_PRINT_PDF", path.toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("BILL_PRINT_PDF"); });
        int linesPerPage = 0;
        {
            PrintJob job = startJob();
            job.text(1, QStringLiteral("Item"));
            job.text(32, QStringLiteral("Qty"));
            job.text(39, QStringLiteral("Amount"));
            job.endLine();
            job.text(1, QStringLiteral("Rice 25 kg"));
            job.number(31, 12);
            job.number(38, 1234567.5);
            job.endLine();
            linesPerPage = PrinterDevice::forPdfFile(path)->linesPerPage();
            for (int n = 3; n <= linesPerPage + 1; ++n)
                job.line(1, QStringLiteral("line %1").arg(n));
            job.end();
        }
        QVERIFY(linesPerPage > 40);

        QProcess process;
        // The advance of DejaVu Sans Mono is 0.602 em: 6.02 points at 10 points.
        process.start(pdftotext, {QStringLiteral("-fixed"), QStringLiteral("6.02"), path, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        const QString output = QString::fromUtf8(process.readAllStandardOutput());
        const QStringList pages = output.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages.at(0).contains(QStringLiteral("line %1").arg(linesPerPage)));
        QVERIFY(pages.at(1).contains(QStringLiteral("line %1").arg(linesPerPage + 1)));

        const QStringList lines = pages.at(0).split(QLatin1Char('\n'));
        const auto lineWith = [&](const QString& start) {
            for (const QString& line : lines)
                if (line.trimmed().startsWith(start))
                    return line;
            return QString();
        };
        const QString heading = lineWith(QStringLiteral("Item"));
        const QString item = lineWith(QStringLiteral("Rice"));
        // Whatever margin pdftotext puts before the text, columns keep their distance.
        const int margin = heading.indexOf(QStringLiteral("Item"));
        QVERIFY2(margin >= 0, qPrintable(output));
        QCOMPARE(item.indexOf(QStringLiteral("Rice")), margin);
        QCOMPARE(heading.indexOf(QStringLiteral("Qty")) - margin + 1, 32);
        QCOMPARE(heading.indexOf(QStringLiteral("Amount")) - margin + 1, 39);
        QCOMPARE(item.indexOf(QStringLiteral("12")) - margin + 1, 32);
        QCOMPARE(item.indexOf(QStringLiteral("1234567.5")) - margin + 1, 39);
    }

    void pdfFolderMissing()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/receipt.pdf"));
        PrintJob job([&]() -> std::unique_ptr<PageDevice> { return PrinterDevice::forPdfFile(path); });
        try {
            job.text(1, QStringLiteral("a"));
            QFAIL("an unwritable file was accepted");
        } catch (const PrintError& error) {
            QVERIFY2(error.description().contains(path), qPrintable(error.description()));
        }
    }
};

QTEST_MAIN(PrintTest)
#include "tst_print.moc"
