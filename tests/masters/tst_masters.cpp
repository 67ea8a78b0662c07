// The master record screens, driven as an operator drives them.

#include "kit/Lists.h"
#include "masters/MasterInstances.h"
#include "masters/MasterScreen.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using masters::createMasterScreen;

namespace {

QStringList gridRows(const MasterScreen* screen)
{
    const QAbstractItemModel* model = screen->DGG->model();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < model->columnCount(); ++column)
            fields << model->index(row, column).data().toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList gridHeads(const MasterScreen* screen)
{
    const QAbstractItemModel* model = screen->DGG->model();
    QStringList heads;
    for (int column = 0; column < model->columnCount(); ++column)
        heads << model->headerData(column, Qt::Horizontal).toString();
    return heads;
}

QStringList snList(const MasterScreen* screen)
{
    QStringList entries;
    for (int i = 0; i < screen->CmbSN->count(); ++i)
        entries << screen->CmbSN->itemText(i);
    return entries;
}

// What the three boxes show.
QString boxes(const MasterScreen* screen)
{
    return screen->txtname->text() + QLatin1Char('|') + screen->txtpn->text() + QLatin1Char('|')
        + screen->txtremark->text();
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->clear();
    QTest::keyClicks(box, text);
}

void pickSN(MasterScreen* screen, const QString& sn)
{
    const int index = screen->CmbSN->findText(sn);
    QVERIFY2(index >= 0, qPrintable(sn));
    lists::pick(screen->CmbSN, index);
}

}  // namespace

class MastersTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    QPointer<MasterScreen> screen;

    MasterScreen* open(const QString& name)
    {
        screen = createMasterScreen(name);
        if (screen)
            screen->show();
        return screen;
    }

    void addCustomer(int sn, const QString& name, const QString& address, const QString& phone)
    {
        db.exec(QStringLiteral("insert into Customer values(%1,'%2','%3','%4')").arg(sn).arg(name, address, phone));
    }

    void addItem(int sn, const QString& name, double price)
    {
        db.exec(QStringLiteral("insert into Charges values(%1,'%2',%3,'-',0)").arg(sn).arg(name).arg(price));
    }

private slots:
    void init() { db.reset(); }
    void cleanup() { delete screen; }

    void unknownNameMakesNoScreen()
    {
        QVERIFY(createMasterScreen(QStringLiteral("Customer")) == nullptr);
        QCOMPARE(masters::masterScreenNames(),
                 QStringList({"CustomerEnty", "ItemEntry", "Supplier", "ExpenditurePersonnelEntry",
                              "Expenditure_Head"}));
    }

    void everyScreenOpensOnItsTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("heads");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("failure");

        const QStringList party{"Name :", "Address :"};
        const QStringList partyHeads{"SN", "Name_", "Address_", "Phone_"};
        const QStringList pricedHeads{"SN", "Item_Name", "Price"};
        QTest::newRow("customers") << "CustomerEnty" << "Customer Entry" << ": Customer Entry :"
                                   << "Customer" << party << partyHeads << "(7,'ASHA','MG ROAD','111')"
                                   << "ASHA|MG ROAD|111" << "Duplicate Phone No not allowed";
        QTest::newRow("items") << "ItemEntry" << "Item Entry" << ": Item Entry :" << "Charges"
                               << QStringList{"Item Name :", "Cost :"} << pricedHeads
                               << "(7,'TEA',12.5,'-',0)" << "TEA|12.5|" << "Duplicate Name";
        QTest::newRow("suppliers") << "Supplier" << "Supplier" << ": Supplier Entry :" << "Supplier"
                                   << party << partyHeads << "(7,'ASHA','MG ROAD','111')"
                                   << "ASHA|MG ROAD|111" << "Duplicate Phone No not allowed";
        QTest::newRow("personnel") << "ExpenditurePersonnelEntry" << "Personnel Entry"
                                   << ": Personnel Entry :" << "ExpenditurePerson" << party << partyHeads
                                   << "(7,'ASHA','MG ROAD','111')" << "ASHA|MG ROAD|111"
                                   << "Duplicate Phone No not allowed";
        QTest::newRow("heads") << "Expenditure_Head" << "Expenditure Head" << ": Expenditure Head Entry :"
                               << "ExpenditureHead" << QStringList{"Head Name :", "Cost :"} << pricedHeads
                               << "(7,'RENT',12.5,'-',0)" << "RENT|12.5|" << "Duplicate Name";
    }

    // Each instance opens on its own table with its texts, loads the highest
    // SN, saves into that table and refuses a duplicate with its own message.
    void everyScreenOpensOnItsTable()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, table);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, heads);
        QFETCH(QString, row);
        QFETCH(QString, shown);
        QFETCH(QString, failure);
        RecordingMessages messages;
        db.exec("insert into " + table + " values" + row);

        open(name);
        QCOMPARE(screen->objectName(), name);
        QCOMPARE(screen->windowTitle(), caption);
        QCOMPARE(screen->Label1->text(), title);
        QCOMPARE(screen->Label4->text(), labels.at(0));
        QCOMPARE(screen->Label22->text(), labels.at(1));
        QCOMPARE(screen->Frame1->title(), QString("Search"));
        QCOMPARE(gridHeads(screen), heads);
        QCOMPARE(gridRows(screen).size(), 1);
        QCOMPARE(snList(screen), QStringList({"7"}));
        QCOMPARE(boxes(screen), shown);

        // The loaded record saved again is a new record: refused as a duplicate.
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({failure}));
        QCOMPARE(messages.shown.first().caption, QString("Info"));
        QCOMPARE(db.count(table), 1);

        messages.clear();
        typeInto(screen->txtname, "new one");
        typeInto(screen->txtremark, "222");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Saved"}));
        QCOMPARE(db.count(table, "SN = 8 and " + QString(labels.at(0) == "Name :" ? "ITEM" : "TYPEOFCHARGES")
                                     + " = 'NEW ONE'"), 1);
    }

    void emptyTableShowsNothingAndTheFirstSaveGetsOne()
    {
        RecordingMessages messages;
        open("CustomerEnty");
        QCOMPARE(gridRows(screen), QStringList());
        QCOMPARE(snList(screen), QStringList());
        QCOMPARE(screen->CmbSN->currentText(), QString());
        QCOMPARE(boxes(screen), QString("||"));

        // Without a name Save does nothing.
        typeInto(screen->txtpn, "12 main st");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Customer"), 0);

        typeInto(screen->txtname, "ravi kumar");
        typeInto(screen->txtremark, "98450");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.first().kind, RecordingMessages::Kind::Information);
        QCOMPARE(messages.shown.first().caption, QString("Info"));
        QCOMPARE(messages.shown.first().text, QString("Saved"));
        QCOMPARE(db.rows("select * from Customer"), QStringList({"1|RAVI KUMAR|12 MAIN ST|98450"}));
        QCOMPARE(gridRows(screen), QStringList({"1|RAVI KUMAR|12 MAIN ST|98450"}));
        QCOMPARE(snList(screen), QStringList({"1"}));
    }

    // Gaps are never filled; a deleted highest number is handed out again.
    void theNextSnFollowsTheHighest()
    {
        RecordingMessages messages;
        addCustomer(1, "A", "", "1");
        addCustomer(2, "B", "", "2");
        addCustomer(5, "C", "", "5");
        open("CustomerEnty");
        typeInto(screen->txtname, "d");
        typeInto(screen->txtremark, "6");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(db.value("select ITEM from Customer where SN = 6").toString(), QString("D"));

        messages.answers << true;
        pickSN(screen, "6");
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(db.count("Customer", "SN = 6"), 0);

        typeInto(screen->txtname, "e");
        typeInto(screen->txtremark, "7");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(db.rows("select SN, ITEM from Customer order by SN"),
                 QStringList({"1|A", "2|B", "5|C", "6|E"}));
    }

    void aSecondCustomerWithTheSamePhoneIsRefused()
    {
        RecordingMessages messages;
        addCustomer(1, "ASHA", "MG ROAD", "98450");
        open("CustomerEnty");
        typeInto(screen->txtname, "other");
        typeInto(screen->txtpn, "elsewhere");
        typeInto(screen->txtremark, "98450");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Duplicate Phone No not allowed"}));
        QCOMPARE(messages.shown.first().caption, QString("Info"));
        QCOMPARE(db.rows("select * from Customer"), QStringList({"1|ASHA|MG ROAD|98450"}));
    }

    // Past 32767 there is no SN: the save fails as a refused insert does.
    void noSaveBeyondTheLastSn()
    {
        RecordingMessages messages;
        addCustomer(32767, "LAST", "", "1");
        open("CustomerEnty");
        typeInto(screen->txtname, "one more");
        typeInto(screen->txtremark, "2");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Duplicate Phone No not allowed"}));
        QCOMPARE(db.count("Customer"), 1);
    }

    // Text from the clipboard can carry what typing cannot: it is stored as it is.
    void pastedApostrophesAreStoredAsText()
    {
        RecordingMessages messages;
        open("CustomerEnty");
        screen->txtname->setText("O'Brien");
        screen->txtpn->setText("St. John's Rd");
        screen->txtremark->setText("1'); drop table Customer; --");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Saved"}));
        QCOMPARE(db.rows("select * from Customer"),
                 QStringList({"1|O'Brien|St. John's Rd|1'); drop table Customer; --"}));
        screen->txtone->setText("'BRI");
        QCOMPARE(gridRows(screen).size(), 1);
    }

    void aPriceIsSavedAsANumberOnlyWhenItIsOne()
    {
        RecordingMessages messages;
        open("ItemEntry");
        QVERIFY(!screen->txtremark->isVisibleTo(screen));
        typeInto(screen->txtname, "tea");
        typeInto(screen->txtpn, "abc");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        typeInto(screen->txtpn, "");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Charges"), 0);

        typeInto(screen->txtpn, " 45.50 ");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Saved"}));
        QCOMPARE(db.rows("select SN, TYPEOFCHARGES, typeof(VALUEofCHARGES), VALUEofCHARGES, EXTRA1, EXTRA2 from Charges"),
                 QStringList({"1|TEA|real|45.5|-|0"}));
        QCOMPARE(boxes(screen), QString("TEA|45.5|"));

        messages.clear();
        typeInto(screen->txtpn, "10");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Duplicate Name"}));
        QCOMPARE(db.count("Charges"), 1);
    }

    void searchingFollowsEveryChangeOfTheText()
    {
        addCustomer(1, "ABBA", "NORTH", "111");
        addCustomer(2, "CAB", "SOUTH", "222");
        addCustomer(3, "MAX", "NORTH END", "312");
        open("CustomerEnty");
        QVERIFY(screen->txttwo->isVisibleTo(screen));

        QTest::keyClicks(screen->txtone, "ab");
        QCOMPARE(screen->txtone->text(), QString("AB"));
        QStringList found = gridRows(screen);
        found.sort();
        QCOMPARE(found, QStringList({"1|ABBA|NORTH|111", "2|CAB|SOUTH|222"}));
        QTest::keyClick(screen->txtone, Qt::Key_Backspace);
        QCOMPARE(gridRows(screen).size(), 3);  // "A"
        QTest::keyClick(screen->txtone, Qt::Key_Backspace);
        found = gridRows(screen);  // an empty box matches every row, in no set order
        found.sort();
        QCOMPARE(found, QStringList({"1|ABBA|NORTH|111", "2|CAB|SOUTH|222", "3|MAX|NORTH END|312"}));

        QTest::keyClicks(screen->txttwo, "north");
        found = gridRows(screen);
        found.sort();
        QCOMPARE(found, QStringList({"1|ABBA|NORTH|111", "3|MAX|NORTH END|312"}));
        screen->txttwo->clear();

        QTest::keyClicks(screen->txtphone, "12");
        QCOMPARE(gridRows(screen), QStringList({"3|MAX|NORTH END|312"}));

        // Saving shows the whole table again; the search text stays.
        RecordingMessages messages;
        typeInto(screen->txtname, "new");
        typeInto(screen->txtremark, "444");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(gridRows(screen).size(), 4);
        QCOMPARE(screen->txtphone->text(), QString("12"));
    }

    void aPriceSearchMatchesTheDigitsAnywhere()
    {
        addItem(1, "A", 5);
        addItem(2, "B", 15);
        addItem(3, "C", 50);
        addItem(4, "D", 100);
        addItem(5, "E", 7.25);
        open("ItemEntry");
        QVERIFY(!screen->txtphone->isVisibleTo(screen));
        QTest::keyClicks(screen->txttwo, "5");
        QStringList found = gridRows(screen);
        found.sort();
        QCOMPARE(found, QStringList({"1|A|5", "2|B|15", "3|C|50", "5|E|7.25"}));
        typeInto(screen->txttwo, ".");
        QCOMPARE(gridRows(screen), QStringList({"5|E|7.25"}));
    }

    void theListAndTheShownRecordFollowEachOperation()
    {
        RecordingMessages messages;
        addCustomer(2, "B", "B ST", "2");
        addCustomer(1, "A", "A ST", "1");
        addCustomer(3, "C", "C ST", "3");
        open("CustomerEnty");
        QCOMPARE(snList(screen), QStringList({"3", "2", "1"}));
        QCOMPARE(screen->CmbSN->currentText(), QString("3"));
        QCOMPARE(boxes(screen), QString("C|C ST|3"));
        QCOMPARE(gridRows(screen).first(), QString("3|C|C ST|3"));

        typeInto(screen->txtname, "d");
        typeInto(screen->txtremark, "4");
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        QCOMPARE(snList(screen), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(boxes(screen), QString("A|A ST|1"));
        QCOMPARE(gridRows(screen).first(), QString("4|D|C ST|4"));

        messages.answers << true;
        pickSN(screen, "2");
        QCOMPARE(boxes(screen), QString("B|B ST|2"));
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(snList(screen), QStringList({"4", "3", "1"}));
        QCOMPARE(boxes(screen), QString("D|C ST|4"));

        // An SN typed into the list loads its record; one that is not there
        // leaves the boxes as they are.
        screen->CmbSN->lineEdit()->clear();
        QTest::keyClicks(screen->CmbSN->lineEdit(), "3");
        QCOMPARE(boxes(screen), QString("C|C ST|3"));
        QTest::keyClicks(screen->CmbSN->lineEdit(), "0");
        QCOMPARE(boxes(screen), QString("C|C ST|3"));
    }

    void deleteAsksFirst()
    {
        RecordingMessages messages;
        addCustomer(1, "A", "", "1");
        addCustomer(2, "B", "", "2");
        open("CustomerEnty");
        pickSN(screen, "1");
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.first().kind, RecordingMessages::Kind::Question);
        QCOMPARE(messages.shown.first().caption, QString("Delete"));
        QCOMPARE(messages.shown.first().text, QString("Confirm Delete ?"));
        QCOMPARE(db.count("Customer"), 2);
        QCOMPARE(boxes(screen), QString("A||1"));

        messages.clear();
        messages.answers << true;
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList({"Confirm Delete ?", "Deleted"}));
        QCOMPARE(messages.shown.last().caption, QString("Info"));
        QCOMPARE(db.rows("select SN from Customer"), QStringList({"2"}));
        QCOMPARE(gridRows(screen), QStringList({"2|B||2"}));
    }

    // Only a whole SN names a record: 3.5 must not delete record 4.
    void deleteNeedsAWholeSn()
    {
        RecordingMessages messages;
        messages.answers << true << true << true;
        addCustomer(4, "D", "", "4");
        open("CustomerEnty");
        for (const QString text : {"3.5", "abc", "40000"}) {
            screen->CmbSN->setEditText(text);
            QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Customer"), 1);
    }

    void theHeadScreenClearsTheNameAfterADelete()
    {
        RecordingMessages messages;
        messages.answers << true;
        db.exec("insert into ExpenditureHead values(1,'RENT',100,'-',0)");
        db.exec("insert into ExpenditureHead values(2,'POWER',40,'-',0)");
        open("Expenditure_Head");
        pickSN(screen, "1");
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(db.count("ExpenditureHead"), 1);
        // The remaining record is loaded again after the name was cleared.
        QCOMPARE(boxes(screen), QString("POWER|40|"));

        messages.answers << true;
        QTest::mouseClick(screen->cmddelete, Qt::LeftButton);
        QCOMPARE(db.count("ExpenditureHead"), 0);
        QCOMPARE(screen->txtname->text(), QString());
        QCOMPARE(screen->txtpn->text(), QString("40"));  // nothing left to load
    }

    void clickingARowLoadsItsRecord()
    {
        addItem(1, "TEA", 10);
        addItem(2, "COFFEE", 15.5);
        addItem(3, "MILK", 8);
        open("ItemEntry");
        QCOMPARE(boxes(screen), QString("MILK|8|"));
        // Newest first: row 1 is SN 2.
        const QRect cell = screen->DGG->visualRect(screen->DGG->model()->index(1, 1));
        QTest::mouseClick(screen->DGG->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(screen->CmbSN->currentText(), QString("2"));
        QCOMPARE(boxes(screen), QString("COFFEE|15.5|"));
    }

    void keysFollowTheScreensRules()
    {
        addCustomer(1, "A", "", "1");
        open("CustomerEnty");
        typeInto(screen->txtname, "o'neil");
        QCOMPARE(screen->txtname->text(), QString("ONEIL"));
        RecordingMessages messages;
        QTest::keyClick(screen->txtname, Qt::Key_Return);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(db.count("Customer"), 1);
        QTest::keyClick(screen->txtone, Qt::Key_Escape);
        QTRY_VERIFY(screen.isNull());
    }

    void anUnreachableDatabaseIsToldAndNothingIsStored()
    {
        RecordingMessages messages;
        addCustomer(1, "A", "", "1");
        open("CustomerEnty");
        db.makeUnreachable();
        typeInto(screen->txtname, "b");
        typeInto(screen->txtremark, "2");
        messages.clear();
        QTest::mouseClick(screen->CmdSave, Qt::LeftButton);
        db.makeReachable();
        QVERIFY(messages.shown.size() >= 2);
        QCOMPARE(messages.shown.first().kind, RecordingMessages::Kind::Error);
        QVERIFY(messages.texts().contains("Duplicate Phone No not allowed"));
        QVERIFY(!messages.texts().contains("Saved"));
        QCOMPARE(db.count("Customer"), 1);
        // The grid keeps what it showed.
        QCOMPARE(gridRows(screen), QStringList({"1|A||1"}));
    }
};

QTEST_MAIN(MastersTest)
#include "tst_masters.moc"
