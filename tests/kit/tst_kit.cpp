// The helpers every screen shares.

#include "kit/BillArithmetic.h"
#include "kit/DataScreen.h"
#include "kit/Dates.h"
#include "kit/Failure.h"
#include "kit/FailureStyles.h"
#include "kit/Grid.h"
#include "kit/Lists.h"
#include "kit/NumericText.h"
#include "kit/Twips.h"
#include "support/RecordingMessages.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

// A screen with one box, as the data screens are built.
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

class KitTest : public QObject {
    Q_OBJECT

private slots:
    void numericCheck()
    {
        for (const char* yes : {"12", " -3.5 ", ".5", "1.", "+7", "1e3", "2.5E-2"})
            QVERIFY2(numeric::isNumeric(yes), yes);
        for (const char* no : {"", " ", "abc", "1.2.3", "12a", "-", ".", "1,5", "e3", "0x10"})
            QVERIFY2(!numeric::isNumeric(no), no);
    }

    void sixteenBitConversionRoundsHalvesToEven()
    {
        QCOMPARE(numeric::toInt16(QString("2.5")), qint16(2));
        QCOMPARE(numeric::toInt16(QString("3.5")), qint16(4));
        QCOMPARE(numeric::toInt16(QString("-2.5")), qint16(-2));
        QCOMPARE(numeric::toInt16(QString("2.51")), qint16(3));
        QCOMPARE(numeric::toInt16(QString("32767")), qint16(32767));
        QCOMPARE(numeric::toInt16(QString("-32768.4")), qint16(-32768));
        QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QString("40000")));
        QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QString("32767.5")));
        QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QString("abc")));
        QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QVariant()));
        QCOMPARE(numeric::toInt16(QVariant(41)), qint16(41));
        QCOMPARE(numeric::toDouble(QString(" 45.5 ")), 45.5);
    }

    void numberTextIsPlainWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::French));
        QCOMPARE(numeric::numberText(1234567.5), QString("1234567.5"));
        QCOMPARE(numeric::numberText(200), QString("200"));
        QCOMPARE(numeric::numberText(45.5), QString("45.5"));
        QCOMPARE(numeric::numberText(-0.0), QString("0"));
        QCOMPARE(numeric::numberText(0.1 + 0.2), QString("0.3"));
        QLocale::setDefault(QLocale::c());
    }

    void lineFiguresChargeTaxAfterDiscount()
    {
        const auto f = arithmetic::lineFigures(100, 2, 10, 5);
        QCOMPARE(f.amount, 200.0);
        QCOMPARE(f.discount, 20.0);
        QCOMPARE(f.net, 180.0);
        QCOMPARE(f.tax, 9.0);
        QCOMPARE(f.total, 189.0);
    }

    void grandTotalsRoundRunningOrOnce()
    {
        QCOMPARE(arithmetic::runningRoundedTotal({10.5}), 10.0);
        QCOMPARE(arithmetic::runningRoundedTotal({10.5, 10.5}), 20.0);
        QCOMPARE(arithmetic::roundedOnceTotal({10.5, 10.5}), 21.0);
        QCOMPARE(arithmetic::roundedOnceTotal({10.5}), 10.0);
        QCOMPARE(arithmetic::roundedOnceTotal({11.5}), 12.0);
        QCOMPARE(arithmetic::roundedOnceTotal({}), 0.0);
    }

    void datesAreEnglishWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(dates::shown(QDate(2026, 12, 4)), QString("04/Dec/2026"));
        QCOMPARE(dates::parse("04/Dec/2026"), QDate(2026, 12, 4));
        QCOMPARE(dates::parse("2026-03-01"), QDate(2026, 3, 1));
        QVERIFY(!dates::parse("04/12/2026").isValid());
        QDateEdit picker;
        dates::setUpPicker(&picker);
        picker.setDate(QDate(2026, 12, 4));
        QCOMPARE(picker.text(), QString("04/Dec/2026"));
        QVERIFY(picker.calendarPopup());
        QLocale::setDefault(QLocale::c());
    }

    void typedKeysFollowTheScreensRules()
    {
        BoxScreen screen;
        screen.show();
        QTest::keyClicks(screen.box, "ab'c{z9 ");
        QCOMPARE(screen.box->text(), QString("ABC[Z9 "));
        screen.box->clear();
        // QTest::keyClicks knows ASCII only: send the others as plain key presses.
        for (const QChar c : QString::fromUtf8("\u00ff\u00e9\u0101"))  // ÿ é ā
            QTest::sendKeyEvent(QTest::Press, screen.box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(screen.box->text(), QString::fromUtf8("\u00df\u00c9\u0101"));
        QTest::keyClicks(screen.list->lineEdit(), "tea");
        QCOMPARE(screen.list->currentText(), QString("TEA"));
        // Editing keys still work.
        QTest::keyClick(screen.box, Qt::Key_Backspace);
        QCOMPARE(screen.box->text(), QString::fromUtf8("\u00df\u00c9"));
    }

    void escOnlyScreensKeepTheirText()
    {
        BoxScreen screen;
        screen.setKeyRules(KeyRules::escOnly());
        screen.show();
        QTest::keyClicks(screen.box, "ab'c");
        QCOMPARE(screen.box->text(), QString("ab'c"));
    }

    void enterRunsTheScreensActionAndEscCloses()
    {
        auto* screen = new BoxScreen;
        int prints = 0;
        KeyRules rules;
        rules.onEnter = [&] { ++prints; };
        screen->setKeyRules(rules);
        screen->show();
        QTest::keyClick(screen->box, Qt::Key_Return);
        QTest::keyClick(screen->list, Qt::Key_Enter);
        QCOMPARE(prints, 2);
        QPointer<BoxScreen> alive(screen);
        QTest::keyClick(screen->box, Qt::Key_Escape);
        QVERIFY(!screen->isVisible() || alive.isNull());
        QTRY_VERIFY(alive.isNull());  // closed screens are deleted
    }

    void keysOfOtherWindowsAreLeftAlone()
    {
        BoxScreen screen;
        screen.show();
        QLineEdit elsewhere;
        elsewhere.show();
        QTest::keyClicks(&elsewhere, "ab'");
        QCOMPARE(elsewhere.text(), QString("ab'"));
    }

    void pickFromCodeRunsTheOperatorsHandler()
    {
        QComboBox list;
        list.addItems({"3", "2", "1"});
        QStringList picked;
        connect(&list, &QComboBox::activated, [&](int i) { picked << list.itemText(i); });
        lists::pick(&list, 0);
        lists::pick(&list, 2);
        lists::pick(&list, 5);  // no such entry: nothing
        QCOMPARE(picked, QStringList({"3", "1"}));
        QComboBox empty;
        lists::pick(&empty, 0);
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
        QCOMPARE(ran, QStringList{"a"});

        SkipFailing skip;
        skip([&] { throw Failure("one"); });
        skip([&] { ran << "c"; });
        QCOMPARE(ran, QStringList({"a", "c"}));
        QVERIFY(skip.failed());
        QVERIFY(messages.shown.isEmpty());

        CollectErrors errors;
        errors([&] { throw Failure("early"); });
        errors([&] { throw Failure("last"); });
        errors([&] { ran << "d"; });
        errors.report();
        QCOMPARE(messages.texts(), QStringList{"last"});
        QCOMPARE(messages.shown[0].caption, applicationTitle());

        CollectErrors clean;
        clean([] {});
        clean.report();
        QCOMPARE(messages.shown.size(), 1);
    }

    void twipsFollowTheScreensDpi()
    {
        BoxScreen screen;
        const QSize size = screen.sizeHint();
        const double dpi = screen.logicalDpiX();
        QCOMPARE(size.width(), qRound(11895 * dpi / 1440));
        if (dpi == 96)
            QCOMPARE(size, QSize(793, 608));
        QTableView view;
        grid::bind(&view, {"Serial", "Item", "Quantity"}, {{1, "TEA", 2}});
        twips::setColumnWidths(&view, {700, 5000});
        QCOMPARE(view.columnWidth(0), qRound(700 * view.logicalDpiX() / 1440.0));
        QCOMPARE(view.columnWidth(1), qRound(5000 * view.logicalDpiX() / 1440.0));
    }

    void gridShowsValuesAsTheOperatorReadsThem()
    {
        QTableView view;
        grid::setUp(&view);
        grid::bind(&view, {"Serial", "Amount_", "Date_", "Item"},
                   {{1, 200.0, QDate(2026, 12, 4), "TEA"}, {2, 45.5, QVariant(), "BUN"}});
        QCOMPARE(view.model()->rowCount(), 2);
        QCOMPARE(view.model()->headerData(1, Qt::Horizontal).toString(), QString("Amount_"));
        QCOMPARE(grid::currentText(&view, 1), QString("200"));
        QCOMPARE(grid::currentText(&view, 2), QString("04/Dec/2026"));
        view.setCurrentIndex(view.model()->index(1, 0));
        QCOMPARE(grid::currentText(&view, 1), QString("45.5"));
        QCOMPARE(grid::currentText(&view, 2), QString());
        grid::unbind(&view);
        QCOMPARE(view.model()->columnCount(), 0);
        QCOMPARE(grid::currentText(&view, 0), QString());
    }
};

QTEST_MAIN(KitTest)
#include "tst_kit.moc"
