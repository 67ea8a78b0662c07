// The printed bill receipt, printed from the simple bill screen as the
// operator prints it, read back as text and from a PDF file.

#include "billing/BillOne.h"
#include "kit/Maker.h"
#include "print/PrinterDevice.h"
#include "print/TextCapture.h"
#include "support/BillingOperator.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QDateEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace billingtest;

namespace {

const QString Rule(76, QLatin1Char('-'));
const QString Dashes(17, QLatin1Char('-'));

// A printed line: each text starting at its column (from 1).
QString at(std::initializer_list<std::pair<int, QString>> items)
{
    QString line;
    for (const auto& [column, text] : items) {
        line = line.leftJustified(column - 1, QLatin1Char(' '));
        line += text;
    }
    return line;
}

const QStringList Footer{Rule, "Software Designed By :", "Norvik Software Consultancy Services",
                         maker::EmailLine, maker::WebLine, Rule};
const QString Heading = at({{1, "Item"}, {32, "Qty"}, {39, "Amt"}, {46, "Dis"}, {53, "Total"}});

QStringList shopHeader()
{
    return {"THE CORNER SHOP", "12 MARKET ROAD", "NEAR BUS STAND", "MYSORE", "Mobile : 9845012345", Rule};
}

}  // namespace

class BillReceiptTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    std::shared_ptr<print::CaptureLog> printed;
    std::unique_ptr<BillOne> screen;
    std::unique_ptr<BillOperator> op;

    BillOperator& open()
    {
        screen = std::make_unique<BillOne>();
        screen->show();
        op = std::make_unique<BillOperator>(screen.get());
        return *op;
    }

    // One line, 100 x 2 with 10 % discount and 5 % tax, for a customer typed in.
    void makeBillOfOneLine(BillOperator& op)
    {
        op.control<QDateEdit>("DTP")->setDate(QDate(2026, 12, 4));
        op.type("txtname", "anil kumar");
        op.type("txtaddress", "1 mg road");
        op.type("txtphone", "98450");
        op.addLine("RICE", "2", "5", "10");
    }

private slots:
    void init()
    {
        db.reset();
        db.exec("insert into ShopHeader values('THE CORNER SHOP','12 MARKET ROAD','NEAR BUS STAND','MYSORE','9845012345')");
        db.exec(stockRow(1, "RICE", 100, 100));
        messages.clear();
        printed = print::installCapture();
    }
    void cleanup()
    {
        op.reset();
        screen.reset();
        print::restoreDefaultDestination();
    }

    void receiptOfOneLine()
    {
        BillOperator& op = open();
        makeBillOfOneLine(op);
        op.click("CndPrintBill");

        QCOMPARE(printed->finishedJobs(), 1);
        const QStringList lines = printed->allLines();
        const QStringList expected = shopHeader() + QStringList{
            "Bill No : 1", "Bill Date : 04/Dec/2026", "Name : ANIL KUMAR",
            "Address : 1 MG ROAD", "Phone : 98450", Rule, Heading, Rule,
            at({{1, "RICE"}, {32, " 2"}, {39, " 200"}, {46, " 20"}, {53, " 189"}}), Rule,
            at({{22, "Grand Total :"}, {49, "189.00"}})} + Footer;
        QCOMPARE(lines, expected);
        // The quantity, its leading blank included, starts where "Qty" does.
        const QString heading = lines.at(12);
        const QString detail = lines.at(14);
        QCOMPARE(heading.indexOf("Qty") + 1, 32);
        QCOMPARE(detail.mid(31, 2), QStringLiteral(" 2"));
        QCOMPARE(detail.indexOf("200"), heading.indexOf("Amt") + 1);
        QCOMPARE(detail.indexOf("189"), heading.indexOf("Total") + 1);
        QVERIFY(messages.shown.isEmpty());
        // Printing stored nothing and left the screen as it was.
        QCOMPARE(db.count("asigncharges"), 1);
        QCOMPARE(op.grandTotal(), QStringLiteral("189"));
    }

    void grandTotalIsRoundedOnce()
    {
        db.exec(stockRow(2, "SAMOSA", 100, 10.5));
        BillOperator& op = open();
        op.addLine("SAMOSA", "1");
        op.addLine("SAMOSA", "1");
        QCOMPARE(op.grandTotal(), QStringLiteral("20"));  // the screen rounds as it goes
        QTest::keyClick(op.box("txtquantity"), Qt::Key_Return);

        const QStringList lines = printed->allLines();
        const QString detail = at({{1, "SAMOSA"}, {32, " 1"}, {39, " 10.5"}, {46, " 0"}, {53, " 10.5"}});
        const QStringList expected{detail, detail, Rule, at({{22, "Grand Total :"}, {49, "21.00"}}), Rule};
        QCOMPARE(lines.mid(14, 5), expected);
    }

    void missingCustomerTextsPrintAsDashes()
    {
        db.exec(billLine(3, 1, "RICE", 1, 100, 0, 0, ""));
        db.exec("update asigncharges set CustomerPhone = ''");
        BillOperator& op = open();
        QVERIFY(op.pick("cmbbillnumber", "3"));
        op.click("CndPrintBill");
        const QStringList lines = printed->allLines();
        QCOMPARE(lines.mid(6, 5), QStringList({"Bill No : 3", "Bill Date : 04/Dec/2026", "Name : " + Dashes,
                                                "Address : ADDR", "Phone : " + Dashes}));
    }

    void billWithoutLines()
    {
        db.exec(billLine(3, 1, "RICE", 1, 100, 0, 0, "EARLIER CUSTOMER"));
        BillOperator& op = open();
        // Printed once, so that nothing of it may linger.
        QVERIFY(op.pick("cmbbillnumber", "3"));
        op.click("CndPrintBill");
        printed->clear();

        op.click("CmdNewBill");
        QCOMPARE(op.billNumber(), QStringLiteral("4"));
        op.click("CndPrintBill");
        const QStringList expected = shopHeader() + QStringList{
            "Bill No : 4", "Bill Date : " + Dashes, "Name : " + Dashes, "Address : " + Dashes,
            "Phone : " + Dashes, Rule, Heading, Rule, Rule, at({{22, "Grand Total :"}, {49, "0.00"}})} + Footer;
        QCOMPARE(printed->allLines(), expected);
        QVERIFY(messages.shown.isEmpty());
    }

    void boxWithoutABillNumber()
    {
        BillOperator& op = open();
        for (const char* text : {"", "abc"}) {
            op.typeIn(op.list("cmbbillnumber"), text);
            op.click("CndPrintBill");
        }
        QCOMPARE(printed->finishedJobs(), 0);
        QVERIFY(messages.shown.isEmpty());

        // A number no bill can carry is a failure, shown once; nothing prints.
        op.typeIn(op.list("cmbbillnumber"), "40000");
        op.click("CndPrintBill");
        QCOMPARE(printed->finishedJobs(), 0);
        QCOMPARE(messages.texts(), QStringList({"Overflow"}));
    }

    void printerFailureIsReportedOnce()
    {
        BillOperator& op = open();
        makeBillOfOneLine(op);
        int opened = 0;
        print::installDestination([&]() -> std::unique_ptr<print::PageDevice> {
            ++opened;
            throw print::PrintError(QStringLiteral("No printer is installed."));
        });
        op.click("CndPrintBill");
        QCOMPARE(opened, 1);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, RecordingMessages::Kind::Error);
        QCOMPARE(messages.shown.at(0).text, QStringLiteral("No printer is installed."));
    }

    void longBillContinuesWithoutRepeatingTheHeader()
    {
        for (int serial = 1; serial <= 25; ++serial)
            db.exec(billLine(2, serial, QStringLiteral("ITEM %1").arg(serial), 1, 10));
        printed = print::installCapture(20);
        BillOperator& op = open();
        QVERIFY(op.pick("cmbbillnumber", "2"));
        op.click("CndPrintBill");
        const QVector<print::CapturedPage> pages = printed->pages();
        QCOMPARE(pages.size(), 3);
        const QString seventh = at({{1, "ITEM 7"}, {32, " 1"}, {39, " 10"}, {46, " 0"}, {53, " 10"}});
        QCOMPARE(pages.at(1).first(), seventh);
        QCOMPARE(printed->allLines().size(), 14 + 25 + 8);
        const QString grandTotal = at({{22, "Grand Total :"}, {49, "250.00"}});
        QCOMPARE(pages.at(2).first(), grandTotal);
    }

    void pdfColumnsLineUp()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("receipt.pdf"));
        print::installDestination([path] { return print::PrinterDevice::forPdfFile(path); });

        BillOperator& op = open();
        makeBillOfOneLine(op);
        op.click("CndPrintBill");
        QVERIFY(messages.shown.isEmpty());

        QProcess process;
        // DejaVu Sans Mono advances 0.602 em: 6.02 points at 10 points.
        process.start(pdftotext, {QStringLiteral("-fixed"), QStringLiteral("6.02"), path, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        const auto lineWith = [&](const QString& start) {
            for (const QString& line : lines)
                if (line.trimmed().startsWith(start))
                    return line;
            return QString();
        };
        const QString heading = lineWith(QStringLiteral("Item"));
        const QString detail = lineWith(QStringLiteral("RICE"));
        const QString total = lineWith(QStringLiteral("Grand Total"));
        const QString rule = lineWith(Rule);
        // Whatever margin pdftotext puts before the text, columns keep their distance.
        const int margin = heading.indexOf(QStringLiteral("Item"));
        QVERIFY2(margin >= 0, qPrintable(lines.join('\n')));
        const auto column = [margin](const QString& line, const QString& text) {
            return line.indexOf(text, margin) - margin + 1;
        };
        QCOMPARE(column(detail, "RICE"), 1);
        QCOMPARE(column(heading, "Qty"), 32);
        QCOMPARE(column(detail, "2"), 33);  // after the number's leading blank at 32
        QCOMPARE(column(heading, "Amt"), 39);
        QCOMPARE(column(detail, "200"), 40);
        QCOMPARE(column(heading, "Dis"), 46);
        QCOMPARE(column(detail, "20 "), 47);
        QCOMPARE(column(heading, "Total"), 53);
        QCOMPARE(column(detail, "189"), 54);
        QCOMPARE(column(total, "Grand Total :"), 22);
        QCOMPARE(column(total, "189.00"), 49);
        QCOMPARE(rule.trimmed(), Rule);
        QCOMPARE(column(rule, "-"), 1);
    }
};

QTEST_MAIN(BillReceiptTest)
#include "tst_billreceipt.moc"
