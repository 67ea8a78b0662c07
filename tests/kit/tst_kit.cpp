// The helpers every screen shares.

#include "kit/DataScreen.h"
#include "kit/Dates.h"
#include "kit/Failure.h"
#include "kit/FailureStyles.h"
#include "kit/GridSelection.h"
#include "kit/NumericText.h"
#include "support/RecordingMessages.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

// A screen with one box and one editable list, as the data screens are built.
class BoxScreen : public DataScreen {
public:
    BoxScreen() : DataScreen("BoxScreen", "Box", 11895, 9120)
    {
        box = new QLineEdit(this);
        list = new QComboBox(this);
        list->setEditable(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box);
        layout->addWidget(list);
    }
    QLineEdit* box;
    QComboBox* list;
};

// Seven rows handed over one at a time, as a grid that fetches while it scrolls.
class LazyRows : public QStringListModel {
public:
    LazyRows() : QStringListModel({"100", "99", "98", "97", "96", "95", "94"}) {}
    int fetched = 2;
    int rowCount(const QModelIndex& = {}) const override { return fetched; }
    bool canFetchMore(const QModelIndex&) const override { return fetched < 7; }
    void fetchMore(const QModelIndex&) override
    {
        beginInsertRows({}, fetched, fetched);
        ++fetched;
        endInsertRows();
    }
};

class KitTest : public QObject {
    Q_OBJECT

private slots:
    // Every case starts in the C locale, whatever the machine's is.
    void init() { QLocale::setDefault(QLocale::c()); }

    void typedNumbers()
    {
        for (const char* yes : {"12", " -3.5 ", ".5", "1.", "+7", "1e3", "2.5E-2"})
            QVERIFY2(numeric::isNumeric(yes), yes);
        for (const char* no : {"", " ", "abc", "1.2.3", "12a", "-", ".", "1,5", "e3", "0x10"})
            QVERIFY2(!numeric::isNumeric(no), no);

        // Halves go to the even neighbour; outside 16 bits is an overflow.
        const QList<QPair<const char*, qint16>> rounded{
            {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.51", 3}, {"32767", 32767}, {"-32768.4", -32768}};
        for (const auto& [text, expected] : rounded)
            QCOMPARE(numeric::toInt16(QString(text)), expected);
        for (const char* refused : {"40000", "32767.5", "abc"})
            QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QString(refused)));
        QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QVariant()));
        QCOMPARE(numeric::toInt16(QVariant(41)), qint16(41));
        QCOMPARE(numeric::toDouble(QString(" 45.5 ")), 45.5);
    }

    void numbersAndDatesAreWrittenTheSameWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(numeric::numberText(1234567.5), QString("1234567.5"));
        QCOMPARE(numeric::numberText(-0.0), QString("0"));
        QCOMPARE(numeric::numberText(0.1 + 0.2), QString("0.3"));
        QCOMPARE(dates::shown(QDate(2026, 12, 4)), QString("04/Dec/2026"));
        QDateEdit picker;
        dates::setUpPicker(&picker);
        picker.setDate(QDate(2026, 3, 4));
        QCOMPARE(picker.text(), QString("04/Mar/2026"));
    }

    void aGridRowIsFoundAmongRowsNotFetchedYet()
    {
        QTableView view;
        LazyRows rows;
        view.setModel(&rows);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        QVERIFY(grid::selectRowWhere(&view, 0, "95"));
        QVERIFY(view.currentIndex().row() == 5 && view.selectionModel()->selectedRows() == QModelIndexList{rows.index(5)});
        QVERIFY(!grid::selectRowWhere(&view, 0, "42"));
        QVERIFY(!view.currentIndex().isValid() && !view.selectionModel()->hasSelection());
        QCOMPARE(rows.fetched, 7);
    }

    void typedKeysFollowTheScreensRules()
    {
        auto* screen = new BoxScreen;
        int enters = 0;
        KeyRules rules;
        rules.onEnter = [&] { ++enters; };
        screen->setKeyRules(rules);
        screen->show();
        QTest::keyClicks(screen->box, "ab'c{z9 ");
        QCOMPARE(screen->box->text(), QString("ABC[Z9 "));
        // 97..255 are lowered by 32; beyond 255 nothing changes. QTest::keyClicks
        // knows ASCII only: the others go as plain key presses.
        screen->box->clear();
        for (const QChar c : QString::fromUtf8("\u00ff\u00e9\u0101"))  // ÿ é ā
            QTest::sendKeyEvent(QTest::Press, screen->box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(screen->box->text(), QString::fromUtf8("\u00df\u00c9\u0101"));
        QTest::keyClick(screen->box, Qt::Key_Backspace);  // editing keys still work
        QCOMPARE(screen->box->text(), QString::fromUtf8("\u00df\u00c9"));
        QTest::keyClicks(screen->list->lineEdit(), "tea");
        QCOMPARE(screen->list->currentText(), QString("TEA"));

        // Keys of other windows are left alone.
        QLineEdit elsewhere;
        elsewhere.show();
        QTest::keyClicks(&elsewhere, "ab'");
        QCOMPARE(elsewhere.text(), QString("ab'"));

        QTest::keyClick(screen->box, Qt::Key_Return);
        QTest::keyClick(screen->list, Qt::Key_Enter);
        QCOMPARE(enters, 2);
        QPointer<BoxScreen> alive(screen);
        QTest::keyClick(screen->box, Qt::Key_Escape);
        QTRY_VERIFY(alive.isNull());  // closed screens are deleted

        // Esc-only screens keep what is typed as it is.
        QPointer<BoxScreen> escOnly = new BoxScreen;
        escOnly->setKeyRules(KeyRules::escOnly());
        escOnly->show();
        QTest::keyClicks(escOnly->box, "ab'c");
        QCOMPARE(escOnly->box->text(), QString("ab'c"));
        QTest::keyClick(escOnly->box, Qt::Key_Escape);
        QTRY_VERIFY(escOnly.isNull());
    }

    void failureStyles()
    {
        RecordingMessages messages;
        QStringList ran;
        QVERIFY(!stopAtFirstError([&] {
            ran << "a";
            throw Failure("first");
            ran << "b";
        }));
        SkipFailing skip;  // passes over a failing step, silently
        skip([&] { throw Failure("one"); });
        skip([&] { ran << "c"; });
        QVERIFY(skip.failed());
        CollectErrors errors, clean;  // tells the last failure once, at the end
        errors([&] { throw Failure("early"); });
        errors([&] { throw Failure("last"); });
        errors([&] { ran << "d"; });
        QVERIFY(messages.shown.isEmpty());
        errors.report();
        clean([] {});
        clean.report();
        QCOMPARE(ran, QStringList({"a", "c", "d"}));
        QCOMPARE(messages.texts(), QStringList{"last"});
        QCOMPARE(messages.shown[0].caption, applicationTitle());
    }
};

QTEST_MAIN(KitTest)
#include "tst_kit.moc"
