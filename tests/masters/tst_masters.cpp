// The master record screens, driven as an operator drives them, and their
// printed lists read from the captured page text.

#include "core/Maker.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "masters/MasterInstances.h"
#include "masters/MasterListings.h"
#include "masters/MasterScreen.h"
#include "support/Checks.h"
#include "support/TestDatabase.h"
#include "support/TextCapture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using checks::placed;
using checks::sorted;
using checks::told;

namespace {

const QString Rule(76, QLatin1Char('-'));

// A list's printout with its margin column m: letterhead, heads, rows, footer.
QStringList printout(int m, const QString& heads, const QStringList& rows)
{
    const auto at = [m](const QString& text) { return QString(m - 1, QLatin1Char(' ')) + text; };
    return QStringList{at("MY SHOP"), at("1 MARKET ROAD"), at("NEAR BUS STAND"), at("TOWN"),
                       at("Mobile : 98450 11111"), at(Rule), heads, at(Rule)}
        + rows
        + QStringList{at(Rule), at("Software Designed By :Norvik Software Consultancy Services"),
                      at(maker::EmailLine), at(maker::WebLine), at(Rule)};
}

const QString PartyHeads = placed({{1, "SN"}, {6, "NAME"}, {32, "ADDRESS"}, {51, "PHONE"}});
const QString ItemHeads = placed({{2, "SN"}, {11, "Item_Name"}, {52, "Price"}});

}  // namespace

class MastersTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    QPointer<MasterScreen> screen;
    std::shared_ptr<print::CaptureLog> log;

    void open(const QString& name)
    {
        screen = masters::createMasterScreen(name);
        QVERIFY(screen);
        screen->show();
    }
    QStringList rows() const { return checks::rows(screen->DGG->model()); }
    QStringList sns() const { return checks::entries(screen->CmbSN); }
    // What the three boxes show.
    QString boxes() const { return screen->txtname->text() + '|' + screen->txtpn->text() + '|' + screen->txtremark->text(); }

    static void typeInto(QLineEdit* box, const QString& text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }
    // Types the name, the second box and (when the screen shows it) the phone, then Save.
    void save(const QString& name, const QString& second, const QString& phone = {})
    {
        typeInto(screen->txtname, name);
        typeInto(screen->txtpn, second);
        if (screen->txtremark->isVisibleTo(screen))
            typeInto(screen->txtremark, phone);
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
    }
    // The highlighted grid rows' SNs, then "/" and the SN of the current row:
    // "3/3" when the row of SN 3 is highlighted, "/" when none is.
    QString highlighted() const
    {
        QStringList highlightedSNs;
        for (const QModelIndex& row : screen->DGG->selectionModel()->selectedRows())
            highlightedSNs << row.data().toString();
        return highlightedSNs.join(',') + '/' + grid::currentText(screen->DGG, 0);
    }
    void pickSN(const QString& sn)
    {
        const int index = screen->CmbSN->findText(sn);
        QVERIFY2(index >= 0, qPrintable(sn));
        lists::pick(screen->CmbSN, index);
    }
    void deleteAnswering(bool yes)
    {
        messages.answers << yes;
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
    }
    void insert(const QString& table, const QStringList& rows)
    {
        for (const QString& row : rows)
            db.exec("insert into " + table + " values(" + row + ")");
    }

    QStringList printed(const QString& listing)
    {
        log->clear();
        masters::printMasterListing(listing);
        if (log->finishedJobs() != 1)
            return {QStringLiteral("%1 jobs").arg(log->finishedJobs())};
        return log->allLines();
    }

private slots:
    void init()
    {
        db.reset();
        messages.clear();
        messages.answers.clear();
        db.exec("insert into ShopHeader values('MY SHOP','1 MARKET ROAD','NEAR BUS STAND','TOWN','98450 11111')");
        log = print::installCapture();
    }
    void cleanup()
    {
        delete screen;
        print::restoreDefaultDestination();
    }

    void everyScreenOpensOnItsTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("party");  // a name, address and phone; else a name and a price
        QTest::addColumn<bool>("listed");  // Print prints the table's list
        QTest::newRow("CustomerEnty") << "Customer" << true << true;
        QTest::newRow("ItemEntry") << "Charges" << false << true;
        QTest::newRow("Supplier") << "Supplier" << true << true;
        QTest::newRow("ExpenditurePersonnelEntry") << "ExpenditurePerson" << true << false;
        QTest::newRow("Expenditure_Head") << "ExpenditureHead" << false << false;
    }

    // Each instance opens on its own table, loads the highest SN, saves into
    // that table, refuses a duplicate with its own message and prints its list.
    void everyScreenOpensOnItsTable()
    {
        QFETCH(QString, table);
        QFETCH(bool, party);
        QFETCH(bool, listed);
        const QString row = party ? "7,'ASHA','MG ROAD','111'" : "7,'TEA',12.5,'-',0";
        const QString shown = party ? "ASHA|MG ROAD|111" : "TEA|12.5|";
        const QString saved = party ? "8|NEW ONE|MG ROAD|222" : "8|NEW ONE|12.5|-|0";
        const QString failure = party ? "Duplicate Phone No not allowed" : "Duplicate Name";
        const QString name = QTest::currentDataTag();
        db.exec("insert into " + table + " values(" + row + ")");
        open(name);
        QCOMPARE(rows().size(), 1);
        QCOMPARE(sns(), QStringList({"7"}));
        QCOMPARE(boxes(), shown);

        // The loaded record saved again is a new record: refused as a duplicate.
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(told(messages), QStringList{"i Info: " + failure});
        QCOMPARE(db.count(table), 1);
        messages.clear();
        typeInto(screen->txtname, "new one");
        typeInto(screen->txtremark, "222");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(told(messages), QStringList{"i Info: Saved"});
        QCOMPARE(db.rows("select * from " + table + " where SN = 8"), QStringList{saved});

        QTest::mouseClick(screen->cmdprintstatus, Qt::LeftButton);
        QCOMPARE(screen->cmdprintstatus->isEnabled(), listed);
        QCOMPARE(log->allLines().size(), listed ? 6 + 2 + 2 + 5 : 0);  // both records
    }

    void emptyTableShowsNothingAndTheFirstSaveGetsOne()
    {
        open("CustomerEnty");
        QCOMPARE(rows(), QStringList());
        QCOMPARE(sns(), QStringList());
        QCOMPARE(boxes(), QString("||"));
        save("", "12 main st", "1");  // without a name Save does nothing
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Customer"), 0);

        save("ravi kumar", "12 main st", "98450");
        QCOMPARE(told(messages), QStringList{"i Info: Saved"});
        QCOMPARE(db.rows("select * from Customer"), QStringList({"1|RAVI KUMAR|12 MAIN ST|98450"}));
        QCOMPARE(rows(), QStringList({"1|RAVI KUMAR|12 MAIN ST|98450"}));
        QCOMPARE(sns(), QStringList({"1"}));

        // Text from the clipboard can carry what typing cannot: it is stored as it is.
        screen->txtname->setText("O'Brien");
        screen->txtpn->setText("St. John's Rd");
        screen->txtremark->setText("1'); drop table Customer; --");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Saved", "Saved"}));
        QCOMPARE(db.rows("select * from Customer where SN = 2"), QStringList({"2|O'Brien|St. John's Rd|1'); drop table Customer; --"}));
        screen->txtone->setText("'BRI");
        QCOMPARE(rows().size(), 1);
    }

    // Gaps are never filled; a deleted highest number is handed out again;
    // past 32767 there is no SN: the save is refused as such, and the boxes
    // keep what was typed.
    void theNextSnFollowsTheHighest()
    {
        insert("Customer", {"1,'A','','1'", "2,'B','','2'", "5,'C','','5'"});
        open("CustomerEnty");
        save("d", "", "6");
        pickSN("6");
        deleteAnswering(true);
        save("e", "", "7");
        QCOMPARE(db.rows("select SN, ITEM from Customer order by SN"), QStringList({"1|A", "2|B", "5|C", "6|E"}));

        db.exec("update Customer set SN = 32767 where SN = 6");
        messages.clear();
        save("one more", "", "8");
        QCOMPARE(told(messages), QStringList{"i Info: SNs are used up: the highest SN is 32767."});
        QCOMPARE(db.count("Customer"), 4);
        QCOMPARE(boxes(), QString("ONE MORE||8"));
    }

    void searchingFollowsEveryChangeOfTheText()
    {
        insert("Customer", {"1,'ABBA','NORTH','111'", "2,'CAB','SOUTH','222'", "3,'MAX','NORTH END','312'"});
        open("CustomerEnty");
        const QStringList all{"1|ABBA|NORTH|111", "2|CAB|SOUTH|222", "3|MAX|NORTH END|312"};
        QTest::keyClicks(screen->txtone, "a'b");  // the screen's key rules: capitals, no apostrophe
        QCOMPARE(screen->txtone->text(), QString("AB"));
        QCOMPARE(sorted(rows()), all.mid(0, 2));
        QTest::keyClick(screen->txtone, Qt::Key_Backspace);
        QTest::keyClick(screen->txtone, Qt::Key_Backspace);
        QCOMPARE(sorted(rows()), all);  // an empty box matches every row, in no set order
        QTest::keyClicks(screen->txttwo, "north");
        QCOMPARE(sorted(rows()), QStringList({all[0], all[2]}));
        screen->txttwo->clear();
        QTest::keyClicks(screen->txtphone, "12");
        QCOMPARE(rows(), QStringList({all[2]}));

        // Saving shows the whole table again; the search text stays.
        save("new", "", "444");
        QCOMPARE(rows().size(), 4);
        QCOMPARE(screen->txtphone->text(), QString("12"));
        QTest::keyClick(screen->txtone, Qt::Key_Return);  // Enter does nothing here
        QCOMPARE(messages.texts(), QStringList{"Saved"});
        QTest::keyClick(screen->txtone, Qt::Key_Escape);
        QTRY_VERIFY(screen.isNull());
    }

    void clickingARowLoadsItsRecordAndAPriceSearchMatchesTheDigitsAnywhere()
    {
        insert("Charges", {"1,'A',5,'-',0", "2,'B',15,'-',0", "3,'C',50,'-',0", "4,'D',100,'-',0", "5,'E',7.25,'-',0"});
        open("ItemEntry");
        QCOMPARE(boxes(), QString("E|7.25|"));
        // Newest first: row 1 is SN 4.
        const QRect cell = screen->DGG->visualRect(screen->DGG->model()->index(1, 1));
        QTest::mouseClick(screen->DGG->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(screen->CmbSN->currentText(), QString("4"));
        QCOMPARE(boxes(), QString("D|100|"));

        QVERIFY(!screen->txtphone->isVisibleTo(screen));
        QTest::keyClicks(screen->txttwo, "5");
        QCOMPARE(sorted(rows()), QStringList({"1|A|5", "2|B|15", "3|C|50", "5|E|7.25"}));
        typeInto(screen->txttwo, ".");
        QCOMPARE(rows(), QStringList({"5|E|7.25"}));
    }

    void aPriceIsSavedAsANumberOnlyWhenItIsOne()
    {
        open("ItemEntry");
        QVERIFY(!screen->txtremark->isVisibleTo(screen));
        save("tea", "abc");
        save("tea", "");
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Charges"), 0);

        save("tea", " 45.50 ");
        QCOMPARE(messages.texts(), QStringList({"Saved"}));
        QCOMPARE(db.rows("select SN, TYPEOFCHARGES, typeof(VALUEofCHARGES), VALUEofCHARGES, EXTRA1, EXTRA2 from Charges"),
                 QStringList({"1|TEA|real|45.5|-|0"}));
        QCOMPARE(boxes(), QString("TEA|45.5|"));
    }

    void theListAndTheShownRecordFollowEachOperation()
    {
        insert("Customer", {"2,'B','B ST','2'", "1,'A','A ST','1'", "3,'C','C ST','3'"});
        open("CustomerEnty");
        QCOMPARE(sns(), QStringList({"3", "2", "1"}));
        QCOMPARE(screen->CmbSN->currentText() + ": " + boxes(), QString("3: C|C ST|3"));
        QCOMPARE(rows().first(), QString("3|C|C ST|3"));
        QCOMPARE(highlighted(), QString("3/3"));

        // The highlighted row is always the record in the boxes; the grid keeps its order.
        save("d", "c st", "4");
        QCOMPARE(sns(), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(boxes(), QString("A|A ST|1"));
        QCOMPARE(rows().first(), QString("4|D|C ST|4"));
        QCOMPARE(highlighted(), QString("1/1"));

        pickSN("2");
        QCOMPARE(boxes(), QString("B|B ST|2"));
        QCOMPARE(highlighted(), QString("2/2"));
        deleteAnswering(true);
        QCOMPARE(sns(), QStringList({"4", "3", "1"}));
        QCOMPARE(boxes(), QString("D|C ST|4"));
        QCOMPARE(highlighted(), QString("4/4"));

        // An SN typed into the list loads its record; one that is not there
        // leaves the boxes as they are.
        screen->CmbSN->lineEdit()->clear();
        QTest::keyClicks(screen->CmbSN->lineEdit(), "3");
        QCOMPARE(boxes(), QString("C|C ST|3"));
        QTest::keyClicks(screen->CmbSN->lineEdit(), "0");
        QCOMPARE(boxes(), QString("C|C ST|3"));
        QCOMPARE(highlighted(), QString("3/3"));

        // A search that leaves the shown record out highlights no row.
        QTest::keyClicks(screen->txtone, "a");
        QCOMPARE(rows(), QStringList({"1|A|A ST|1"}));
        QCOMPARE(highlighted(), QString("/"));
    }

    // A large table shows its first rows at once; the rest are read only
    // when wanted, also after the shown record was deleted.
    void aLargeTableIsReadAsItIsWanted()
    {
        const int count = 2 * GridModel::BatchSize;
        QStringList rows;
        for (int sn = 1; sn <= count; ++sn)
            rows << QString("%1,'N%1','','%1'").arg(sn);
        insert("Customer", rows);
        open("CustomerEnty");
        QCOMPARE(screen->CmbSN->count(), count);
        QCOMPARE(screen->DGG->model()->rowCount(), GridModel::BatchSize);
        QCOMPARE(highlighted(), QString("%1/%1").arg(count));

        deleteAnswering(true);
        QCOMPARE(screen->DGG->model()->rowCount(), GridModel::BatchSize);
        QCOMPARE(highlighted(), QString("%1/%1").arg(count - 1));
        QCOMPARE(grid::rowCount(screen->DGG), count - 1);
        QCOMPARE(this->rows(), db.rows("Select  SN, ITEM as Name_, PARTNO as Address_,REMARK as Phone_ from Customer order by sn desc"));
    }

    void deleteAsksAndTakesOnlyAWholeSn()
    {
        insert("Customer", {"1,'A','','1'", "2,'B','','2'", "4,'D','','4'"});
        open("CustomerEnty");
        pickSN("1");
        deleteAnswering(false);
        QCOMPARE(told(messages), QStringList{"? Delete: Confirm Delete ?"});
        QCOMPARE(db.count("Customer"), 3);
        QCOMPARE(boxes(), QString("A||1"));

        messages.clear();
        deleteAnswering(true);
        QCOMPARE(told(messages), QStringList({"? Delete: Confirm Delete ?", "i Info: Deleted"}));
        QCOMPARE(rows(), QStringList({"4|D||4", "2|B||2"}));

        // Only a whole SN names a record: 3.5 must not delete record 4.
        messages.clear();
        messages.answers = {true, true, true};
        for (const QString text : {"3.5", "abc", "40000"}) {
            screen->CmbSN->setEditText(text);
            QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Customer"), 2);
    }

    void theHeadScreenClearsTheNameAfterADelete()
    {
        insert("ExpenditureHead", {"1,'RENT',100,'-',0", "2,'POWER',40,'-',0"});
        open("Expenditure_Head");
        pickSN("1");
        deleteAnswering(true);
        QCOMPARE(boxes(), QString("POWER|40|"));  // the remaining record is loaded after the name was cleared
        deleteAnswering(true);
        QCOMPARE(db.count("ExpenditureHead"), 0);
        QCOMPARE(boxes(), QString("|40|"));  // nothing left to load
    }

    void anUnreachableDatabaseIsToldAndNothingIsStored()
    {
        insert("Customer", {"1,'A','','1'"});
        open("CustomerEnty");
        db.makeUnreachable();
        save("b", "", "2");
        db.makeReachable();
        // Only the failed opening is told: no duplicate, no success.
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(told(messages).first().startsWith("! "));
        QCOMPARE(db.count("Customer"), 1);
        QCOMPARE(rows(), QStringList({"1|A||1"}));  // the grid keeps what it showed
        QCOMPARE(boxes(), QString("B||2"));
    }

    // --- printed lists ---

    void partiesInAscendingSnAtTheirColumns()
    {
        insert("Customer", {"3,'CHITRA','3 HILL ST','333'", "1,'ASHA','1 MG ROAD','111'", "2,'BALU','','222'"});
        insert("Supplier", {"1,'FARM','VILLAGE','444'"});  // not a customer: not listed
        QCOMPARE(printed("Customer"),
                 printout(1, PartyHeads,
                          {placed({{1, " 1 "}, {6, "ASHA"}, {32, "1 MG ROAD"}, {51, "111"}}),
                           placed({{1, " 2 "}, {6, "BALU"}, {51, "222"}}),  // an empty address leaves a blank
                           placed({{1, " 3 "}, {6, "CHITRA"}, {32, "3 HILL ST"}, {51, "333"}})}));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void itemsStandAtColumnTwo()
    {
        insert("Charges", {"2,'COFFEE',45.5,'-',0", "1,'TEA',10,'-',0"});
        // " 45.5 ": the blank after the number is trimmed from the line's end.
        QCOMPARE(printed("Item"), printout(2, ItemHeads,
                                           {placed({{2, " 1 "}, {11, "TEA"}, {52, " 10"}}),
                                            placed({{2, " 2 "}, {11, "COFFEE"}, {52, " 45.5"}})}));
    }

    void anEmptyTablePrintsHeadAndFootOnly()
    {
        QCOMPARE(printed("Customer"), printout(1, PartyHeads, {}));
        QCOMPARE(printed("Item"), printout(2, ItemHeads, {}));
        QCOMPARE(printed("Stock"), QStringList({"0 jobs"}));
    }

    // Nothing stops a list: the header and footer still print and the last
    // failure is told once, after the page.
    void anUnreachableDatabaseIsToldAtTheEnd()
    {
        db.makeUnreachable();
        const QStringList lines = printed("Customer");
        db.makeReachable();
        QCOMPARE(lines.size(), 6 + 2 + 5);
        QCOMPARE(lines.at(4), QString("Mobile : Phone"));  // the placeholder letterhead
        QCOMPARE(messages.shown.size(), 2);  // the connection's failure, then the list's last
        QCOMPARE(messages.shown.last().kind, RecordingMessages::Kind::Error);
        QCOMPARE(messages.shown.last().text, QString("Operation is not allowed when the object is closed."));
    }

};

QTEST_MAIN(MastersTest)
#include "tst_masters.moc"
