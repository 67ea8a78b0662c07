// Texts that take other than one column a QChar: ideographs, kana and Hangul
// (two columns), vowel signs and accents that combine (none), characters
// beyond the Basic Multilingual Plane (two QChars, one character), and a TAB
// in an imported name. Their columns as the job counts them, on the roll, and
// on paper.

#include "print/PrinterDevice.h"
#include "print/RollReceipt.h"
#include "print/TextColumns.h"
#include "support/Checks.h"
#include "support/TextCapture.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace print;
using checks::placed;

namespace {

const QString Ramen = QString::fromUtf8("東京ラーメン特製");  // 8 ideographs and kana: 16 columns
const QString Milk = QString::fromUtf8("दूध");  // DA, vowel sign UU, DHA: 2 columns
const QString Supplementary = QString::fromUcs4(U"\U0002000B");  // an ideograph of two QChars: 2 columns

// The lines of a job written into a text capture.
QStringList captured(const std::function<void(PrintJob&)>& write, int* fittedColumns = nullptr)
{
    const auto log = std::make_shared<CaptureLog>();
    PrintJob job([log] { return std::make_unique<TextCapture>(log, 100); });
    write(job);
    job.end();
    if (fittedColumns)
        *fittedColumns = log->fittedColumns;
    return log->allLines();
}

// A receipt of one document on a roll of `columns` columns, as printed.
QStringList rollLines(const ReceiptValues& document, int columns)
{
    return captured([&](PrintJob& job) {
        rollReceipt(job, {"SHOP", "A1", "A2", "CITY", "123"}, document, columns);
    });
}

ReceiptValues oneLineBill(const QString& item, const QString& party)
{
    ReceiptValues bill;
    bill.number = 7;
    bill.partyName = party;
    bill.date = QDate(2026, 3, 14);
    bill.lines = {{item, 1, 117.99, 0, 117.99}};
    bill.unitAmounts = {117.99};
    bill.grandTotal = 117.99;
    return bill;
}

}  // namespace

class TextColumnsTest : public QObject {
    Q_OBJECT

    QTemporaryDir sources;

private slots:
    // A print asks the driver manager of the data sources, which would make this user's file of them.
    void initTestCase() { qputenv("ODBCINI", QFile::encodeName(sources.filePath("odbc.ini"))); }
    void columnsOfMixedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("Latin-1") << QString::fromUtf8("Café crème") << 10;
        QTest::newRow("ideographs and kana") << Ramen << 16;
        QTest::newRow("Devanagari, a sign that combines") << Milk << 2;
        // The vowel sign I stands beside its consonant (a spacing mark): a column of its own.
        QTest::newRow("Devanagari, a spacing sign") << QString::fromUtf8("चिनी") << 4;
        QTest::newRow("accent that combines") << QString::fromUtf8("Cafe\u0301") << 4;
        QTest::newRow("format characters") << QString::fromUtf8("a\u200Db\u00ADc\uFEFF") << 3;
        QTest::newRow("beyond the BMP, wide") << Supplementary + "x" << 3;
        QTest::newRow("half a surrogate pair") << QString(QChar(0xD800)) + "x" << 2;
        QTest::newRow("TAB") << "a\tb" << 3;
        QTest::newRow("mixed") << QString::fromUtf8("Tea चाय 茶 1") << 12;
    }
    void columnsOfMixedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, columns);
        QCOMPARE(textColumns(text), columns);
    }

    // A wide character that would straddle the limit is left out; the marks of
    // the last character that fits go with it; a surrogate pair is never split;
    // nor is a letter with the sign or modifier that follows it.
    void theStartThatFits()
    {
        const QString book = QString::fromUtf8("किताब");  // KA with its vowel sign I (a column of its own), TA, AA, BA
        const QString thumb = QString::fromUtf8("a👍🏽b");     // a thumb with its skin tone
        QCOMPARE(fittingLength(book, 1), 0);
        QCOMPARE(firstLetterLength(book), 2);
        QCOMPARE(fittingLength(thumb, 3), 1);
        QCOMPARE(fittingLength(thumb, 5), 5);
        const QStringList lines = rollLines(oneLineBill(QString(32, 'A') + book, "CASH"), 33);
        QVERIFY2(lines.contains(QString(32, 'A')) && lines.contains(book), qPrintable(lines.join('\n')));

        QCOMPARE(fittingLength(Ramen, 16), Ramen.size());
        QCOMPARE(fittingLength(Ramen, 5), 2);
        QCOMPARE(fittingLength(Ramen, 0), 0);
        QCOMPARE(fittingLength(Milk + "x", 1), 2);  // DA and its vowel sign
        QCOMPARE(fittingLength(Milk + "x", 2), 3);
        QCOMPARE(fittingLength("a" + Supplementary + "b", 2), 1);
        QCOMPARE(fittingLength("a" + Supplementary + "b", 3), 3);
        QCOMPARE(fittingLength(u"abc", 7), 3);
    }

    // A text takes the line's columns as on paper: the next free column, the blanks
    // before the next item and the widest line the device is told all count them so.
    void aJobCountsColumnsAsOnPaper()
    {
        int fitted = 0;
        const QStringList lines = captured(
            [](PrintJob& job) {
                job.text(1, QString::fromUtf8("東京"));
                job.number(5, 12);  // 東京 takes columns 1 to 4
                job.endLine();
                job.text(1, QString::fromUtf8("東京"));
                job.text(4, "x");  // passed: the next line
                job.endLine();
                job.text(1, Milk);
                job.text(3, "|");  // दूध takes columns 1 and 2
                job.endLine();
                job.text(1, Supplementary);
                job.text(3, "|");
                job.endLine();
                job.text(1, "123456789");
                job.line(1, QString::fromUtf8("ラーメン特製"));  // 12 columns, the widest
            },
            &fitted);
        QCOMPARE(lines, QStringList({QString::fromUtf8("東京 12"), QString::fromUtf8("東京"), "   x", Milk + "|",
                                     Supplementary + "|", "123456789", QString::fromUtf8("ラーメン特製")}));
        QCOMPARE(fitted, 12);
    }

    // A TAB would move the pen to a tab stop while the line counts one column.
    void aTabPrintsAsABlank()
    {
        const QStringList lines = captured([](PrintJob& job) {
            job.text(1, "GREEN\tTEA");
            job.text(11, "|");
            job.endLine();
            job.line(1, "a\r\nb");
        });
        QCOMPARE(lines, QStringList({"GREEN TEA |", "a  b"}));
    }

    // The bill line the 58 mm roll pushed past its edge: a name of 8 ideographs and
    // kana is 16 columns, too wide to share the line with the figures.
    void aWideItemKeepsTheRollTotalInItsColumn()
    {
        const QStringList lines = rollLines(oneLineBill(Ramen, "A CUSTOMER"), 33);
        const qsizetype name = lines.indexOf(Ramen);
        QVERIFY2(name > 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.value(name + 1), placed({{10, "1"}, {16, "117.99"}, {28, "117.99"}}));
        for (const QString& line : lines)
            QVERIFY2(textColumns(line) <= 33, qPrintable(line));
    }

    // A name shares the line with its figures when it ends a blank before the
    // quantity's column (10 on 33 columns), counted in columns.
    void aNameSharesItsLineWhenItEndsBeforeTheFigures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shares");
        QTest::newRow("8 columns") << QString::fromUtf8("抹茶 TEA") << true;
        QTest::newRow("9 columns") << QString::fromUtf8("抹茶 TEAS") << false;
        QTest::newRow("8 columns of Devanagari") << Milk + Milk + QString::fromUtf8(" चाय") << true;
    }
    void aNameSharesItsLineWhenItEndsBeforeTheFigures()
    {
        QFETCH(QString, name);
        QFETCH(bool, shares);
        const QStringList lines = rollLines(oneLineBill(name, "A CUSTOMER"), 33);
        const QString figures = placed({{10, "1"}, {16, "117.99"}, {28, "117.99"}});
        const QString together = name + figures.mid(textColumns(name));
        if (shares)
            QVERIFY2(lines.contains(together), qPrintable(lines.join('\n')));
        else
            QVERIFY2(lines.indexOf(figures) == lines.indexOf(name) + 1 && lines.contains(name), qPrintable(lines.join('\n')));
    }

    // Texts of wide characters are broken by their columns: at a blank that fits, or
    // within a word, never with half a wide character over the edge.
    void wideTextsBreakWithinTheRoll()
    {
        const QString kitchen = QString::fromUtf8("味噌バターコーンラーメン大盛り");  // 30 columns
        const QString word = QString::fromUtf8("東京都千代田区丸の内一丁目九番二号グラントウキョウ");  // 50
        ReceiptValues bill = oneLineBill("TEA", Ramen + " " + kitchen);
        bill.partyAddress = word;
        const QStringList lines = rollLines(bill, 33);
        const qsizetype name = lines.indexOf("Name : " + Ramen);
        QVERIFY2(name > 0, qPrintable(lines.join('\n')));
        QCOMPARE(lines.mid(name + 1, 4), QStringList({kitchen, "Address :", word.left(16), word.mid(16)}));
        for (const QString& line : lines)
            QVERIFY2(textColumns(line) <= 33, qPrintable(line));
    }

    // Figures after a text the font cannot draw (Devanagari, perhaps without any font
    // for it), draws wide (ideographs), draws in a fallback font of another width, or
    // writes right to left, start where they start after a plain name.
    void figuresStayInTheirColumnsOnPaper()
    {
        if (!checks::havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        const QString path = folder.filePath("lines.pdf");
        const QStringList names{"Rice 25 kg", Milk + " 1 kg", QString::fromUtf8("東京ラーメン"),
                                QString::fromUtf8("Café crème"), QString::fromUtf8("خبز عربي"),
                                QString::fromUtf8("לחם שחור"), QString::fromUtf8("चाय"), QString::fromUtf8("ŸVONNE Ǆ")};
        PrintJob job([&] { return PrinterDevice::forPdfFile(path); });
        for (const QString& name : names) {
            job.text(1, name);
            job.number(20, 117.99);
            job.text(30, "Amount");
            job.endLine();
        }
        job.end();

        const QList<QStringList> pages = checks::pdfPages(path);
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].first().startsWith("Rice 25 kg          117.99   Amount"));
        const QMap<QString, QVector<double>> starts = checks::pdfWordStarts(path);
        for (const QString& figure : {QString("117.99"), QString("Amount")}) {
            const QVector<double> at = starts.value(figure);
            QCOMPARE(at.size(), names.size());
            for (int line = 1; line < at.size(); ++line)
                QVERIFY2(std::abs(at[line] - at[0]) < 0.5, qPrintable(QString("%1 after %2 starts at %3, not %4")
                                                                         .arg(figure, names[line]).arg(at[line]).arg(at[0])));
        }
    }

    // A text drawn wider than its columns (Devanagari without a font for it: a box
    // a character) stops where the next item's text stands, which stays readable.
    void aTextInAFallbackFontStopsAtTheNextItem()
    {
        const QString pdfToPpm = QStandardPaths::findExecutable("pdftoppm");
        if (pdfToPpm.isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed.");
        QTemporaryDir folder;
        const QString path = folder.filePath("lines.pdf");
        std::unique_ptr<PrinterDevice> device = PrinterDevice::forPdfFile(path);
        const QString name(12, QChar(0x0915));  // DEVANAGARI LETTER KA: 12 columns
        const QFontMetricsF metrics(device->font());
        if (metrics.horizontalAdvance(name) <= metrics.horizontalAdvance(QString(15, '0')))
            QSKIP("A font here draws the name within its columns.");
        PrintJob job([&] { return std::move(device); });
        job.text(1, name);
        job.text(16, "X");
        job.endLine();
        job.endLine();
        job.line(16, "X");
        job.end();

        QCOMPARE(QProcess::execute(pdfToPpm, {"-f", "1", "-l", "1", "-r", "100", "-gray", path, folder.filePath("page")}), 0);
        const QImage page(folder.filePath("page-1.pgm"));
        QVERIFY(!page.isNull());
        // The bands of rows with ink: the name's line and the lone X's.
        QVector<std::pair<int, int>> bands;
        int firstInk = page.width();  // of the lone X
        const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
        for (int y = 0; y < page.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < page.width() && !ink; ++x)
                ink = dark(x, y);
            if (ink && (bands.isEmpty() || bands.last().second != y - 1))
                bands.append({y, y});
            else if (ink)
                bands.last().second = y;
        }
        QCOMPARE(bands.size(), 2);
        for (int y = bands[1].first; y <= bands[1].second; ++y)
            for (int x = 0; x < firstInk; ++x)
                if (dark(x, y))
                    firstInk = x;
        // Right of the X's first ink, both lines hold the X alone.
        QVector<int> inkRight;
        for (const auto& [top, bottom] : bands) {
            int count = 0;
            for (int y = top; y <= bottom; ++y)
                for (int x = firstInk + 2; x < page.width(); ++x)
                    count += dark(x, y);
            inkRight << count;
        }
        QVERIFY2(inkRight[0] <= inkRight[1] + 5, qPrintable(QString("%1 dark pixels, the X alone %2").arg(inkRight[0]).arg(inkRight[1])));
    }

};

QTEST_MAIN(TextColumnsTest)
#include "tst_textcolumns.moc"
