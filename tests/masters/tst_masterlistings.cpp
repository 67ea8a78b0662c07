// The printed customer, supplier and item lists, read from the captured page text.

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "masters/MasterListings.h"
#include "masters/MasterScreen.h"
#include "kit/Maker.h"
#include "print/TextCapture.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QPushButton>
#include <QtTest>

namespace {

const QString Rule(76, QLatin1Char('-'));

QString at(int column, const QString& text)
{
    return QString(column - 1, QLatin1Char(' ')) + text;
}

// A printed line: each text at its column (from 1).
QString placed(std::initializer_list<std::pair<int, QString>> items)
{
    QString line;
    for (const auto& [column, text] : items)
        line = line.leftJustified(column - 1, QLatin1Char(' ')) + text;
    return line;
}

// The column (from 1) where the text starts on the line; 0 when it is not there.
int columnOf(const QString& line, const QString& text)
{
    return int(line.indexOf(text)) + 1;
}

// The lines before and after the rows of a list with its margin column m.
QStringList letterhead(int m)
{
    return {at(m, "MY SHOP"), at(m, "1 MARKET ROAD"), at(m, "NEAR BUS STAND"), at(m, "TOWN"),
            at(m, "Mobile : 98450 11111"), at(m, Rule)};
}

QStringList footer(int m)
{
    return {at(m, Rule), at(m, "Software Designed By :Norvik Software Consultancy Services"),
            at(m, maker::EmailLine), at(m, maker::WebLine), at(m, Rule)};
}

}  // namespace

class MasterListingsTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    std::shared_ptr<print::CaptureLog> log;

    QStringList printed(const QString& listing)
    {
        log->clear();
        masters::printMasterListing(listing);
        if (log->finishedJobs() != 1)
            return {QStringLiteral("%1 jobs").arg(log->finishedJobs())};
        return log->allLines();
    }

    // The row lines: between the heads' closing rule and the footer.
    static QStringList rows(const QStringList& lines)
    {
        return lines.mid(8, lines.size() - 8 - 5);
    }

private slots:
    void init()
    {
        db.reset();
        db.exec("insert into ShopHeader values('MY SHOP','1 MARKET ROAD','NEAR BUS STAND','TOWN','98450 11111')");
        log = print::installCapture();
    }
    void cleanup() { print::restoreDefaultDestination(); }

    void customersInAscendingSnAtTheirColumns()
    {
        RecordingMessages messages;
        db.exec("insert into Customer values(3,'CHITRA','3 HILL ST','333')");
        db.exec("insert into Customer values(1,'ASHA','1 MG ROAD','111')");
        db.exec("insert into Customer values(2,'BALU','','222')");
        const QStringList lines = printed("Customer");

        QCOMPARE(lines.mid(0, 6), letterhead(1));
        const QString heads = lines.at(6);
        QCOMPARE(heads, placed({{1, "SN"}, {6, "NAME"}, {32, "ADDRESS"}, {51, "PHONE"}}));
        QCOMPARE(columnOf(heads, "NAME"), 6);
        QCOMPARE(columnOf(heads, "ADDRESS"), 32);
        QCOMPARE(columnOf(heads, "PHONE"), 51);
        QCOMPARE(lines.at(7), Rule);
        QCOMPARE(lines.mid(lines.size() - 5), footer(1));

        const QStringList shown = rows(lines);
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0), placed({{1, " 1 "}, {6, "ASHA"}, {32, "1 MG ROAD"}, {51, "111"}}));
        // An empty address leaves the space between name and phone blank.
        QCOMPARE(shown.at(1), placed({{1, " 2 "}, {6, "BALU"}, {51, "222"}}));
        QCOMPARE(columnOf(shown.at(2), "CHITRA"), 6);
        QCOMPARE(columnOf(shown.at(2), "3 HILL ST"), 32);
        QCOMPARE(columnOf(shown.at(2), "333"), 51);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void theSupplierListReadsSuppliers()
    {
        db.exec("insert into Customer values(1,'A CUSTOMER','X','1')");
        db.exec("insert into Supplier values(2,'WHOLESALE','MARKET','555')");
        db.exec("insert into Supplier values(1,'FARM','VILLAGE','444')");
        const QStringList lines = printed("Supplier");
        QCOMPARE(lines.at(6), placed({{1, "SN"}, {6, "NAME"}, {32, "ADDRESS"}, {51, "PHONE"}}));
        const QStringList shown = rows(lines);
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.at(0).startsWith(" 1   FARM"));
        QVERIFY(shown.at(1).startsWith(" 2   WHOLESALE"));
        QCOMPARE(columnOf(shown.at(1), "555"), 51);
    }

    void itemsStandAtColumnTwo()
    {
        db.exec("insert into Charges values(2,'COFFEE',45.5,'-',0)");
        db.exec("insert into Charges values(1,'TEA',10,'-',0)");
        const QStringList lines = printed("Item");
        QCOMPARE(lines.mid(0, 6), letterhead(2));
        QCOMPARE(lines.at(6), placed({{2, "SN"}, {11, "Item_Name"}, {52, "Price"}}));
        QCOMPARE(lines.at(7), at(2, Rule));
        QCOMPARE(lines.mid(lines.size() - 5), footer(2));
        const QStringList shown = rows(lines);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0), placed({{2, " 1 "}, {11, "TEA"}, {52, " 10"}}));
        // " 45.5 ": the blank after the number is trimmed from the line's end.
        QCOMPARE(shown.at(1), placed({{2, " 2 "}, {11, "COFFEE"}, {52, " 45.5"}}));
    }

    void anEmptyTablePrintsHeadAndFootOnly()
    {
        for (const auto& [listing, m] : {std::pair{"Customer", 1}, {"Supplier", 1}, {"Item", 2}}) {
            const QStringList lines = printed(listing);
            QCOMPARE(lines.size(), 6 + 2 + 5);
            QCOMPARE(lines.mid(0, 6), letterhead(m));
            QCOMPARE(lines.at(7), at(m, Rule));
            QCOMPARE(lines.mid(8), footer(m));
        }
        QCOMPARE(printed("Stock"), QStringList({"0 jobs"}));
    }

    // Nothing stops a list: the header and footer still print and the last
    // failure is told once, after the page.
    void anUnreachableDatabaseIsToldAtTheEnd()
    {
        RecordingMessages messages;
        db.makeUnreachable();
        const QStringList lines = printed("Customer");
        db.makeReachable();
        QCOMPARE(lines.size(), 6 + 2 + 5);
        QCOMPARE(lines.at(4), QString("Mobile : Phone"));  // the placeholder letterhead
        QCOMPARE(messages.shown.size(), 2);  // the connection's failure, then the list's last
        QCOMPARE(messages.shown.last().kind, RecordingMessages::Kind::Error);
        QCOMPARE(messages.shown.last().text, QString("Operation is not allowed when the object is closed."));
    }

    void noPrinterIsToldOnce()
    {
        RecordingMessages messages;
        db.exec("insert into Customer values(1,'ASHA','1 MG ROAD','111')");
        print::installDestination([]() -> std::unique_ptr<print::PageDevice> {
            throw print::PrintError("No printer is installed.");
        });
        masters::PrintCustomerData();
        QCOMPARE(messages.texts(), QStringList({"No printer is installed."}));
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void thePrintButtonPrintsTheScreensList()
    {
        RecordingMessages messages;
        db.exec("insert into Charges values(1,'TEA',10,'-',0)");
        for (const auto& [name, printsLines] :
             {std::pair{"CustomerEnty", true}, {"ItemEntry", true}, {"Supplier", true},
              {"ExpenditurePersonnelEntry", false}, {"Expenditure_Head", false}}) {
            log->clear();
            std::unique_ptr<MasterScreen> screen(masters::createMasterScreen(name));
            screen->show();
            QTest::mouseClick(screen->cmdprintstatus, Qt::LeftButton);
            QCOMPARE(log->finishedJobs(), printsLines ? 1 : 0);
            QCOMPARE(screen->cmdprintstatus->isEnabled(), printsLines);
        }
        log->clear();
        std::unique_ptr<MasterScreen> items(masters::createItemEntry());
        QTest::mouseClick(items->cmdprintstatus, Qt::LeftButton);
        QVERIFY(log->allLines().contains(placed({{2, " 1 "}, {11, "TEA"}, {52, " 10"}})));
    }
};

QTEST_MAIN(MasterListingsTest)
#include "tst_masterlistings.moc"
