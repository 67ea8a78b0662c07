// The helpers every screen shares.

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/DbError.h"
#include "data/ErrorKinds.h"
#include "data/PagedRows.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "kit/DataScreen.h"
#include "kit/DatabaseChange.h"
#include "kit/FailureStyles.h"
#include "kit/GridExport.h"
#include "core/Dates.h"
#include "kit/DatePicker.h"
#include "kit/FileDialogs.h"
#include "core/TypedDate.h"
#include "core/Failure.h"
#include "kit/Grid.h"
#include "kit/ScreenGrid.h"
#include "kit/GridSelection.h"
#include "kit/HeldUpInput.h"
#include "kit/KeyRepeats.h"
#include "kit/Lists.h"
#include "core/NumberTexts.h"
#include "core/NumericText.h"
#include "stores/QueryStore.h"
#include "support/Checks.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QDateEdit>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QThread>
#include <QVBoxLayout>
#include <QtTest>
#include <sys/inotify.h>
#include <unistd.h>

// A screen with one box and one editable list, as the data screens are built.
class BoxScreen : public DataScreen {
public:
    explicit BoxScreen(const KeyRules& rules) : DataScreen("BoxScreen", "Box", 11895, 9120)
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(box = new QLineEdit(this));
        layout->addWidget(list = new QComboBox(this));
        list->setEditable(true);
        setKeyRules(rules);
        show();
    }
    QLineEdit* box;
    QComboBox* list;
};

// A button and a box on a window of their own, where stamped input is sent
// as the window system sends it: to the window.
struct ButtonAndBox {
    ButtonAndBox()
    {
        box->move(0, 40);
        list->setGeometry(0, 80, 200, 120);
        list->addItems({"ROW 1", "ROW 2", "ROW 3"});
        choice->move(0, 210);
        choice->addItems({"RICE", "SOAP", "TEA"});
        screen.show();
        exposed = QTest::qWaitForWindowExposed(&screen);
        QApplication::setActiveWindow(&screen);
        window = screen.windowHandle();
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    }
    QWidget screen;
    QPushButton* button = new QPushButton("Add Item", &screen);
    QLineEdit* box = new QLineEdit(&screen);
    QListWidget* list = new QListWidget(&screen);
    QComboBox* choice = new QComboBox(&screen);
    QWindow* window = nullptr;
    bool exposed = false;
    int clicks = 0;
};

class KitTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;

    // Every fifth has the same name.
    void insertCustomers(int count)
    {
        QStringList rows;
        for (int sn = 1; sn <= count; ++sn)
            rows << QString("(%1,'%2','ROAD %1','%1')").arg(sn).arg(sn % 5 == 0 ? QString("SAME") : QString("C%1").arg(sn));
        db.exec("insert into Customer values" + rows.join(','));
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        messages.clear();
    }

    // Quantities round half to even within 16 bits; numbers and dates are written alike in every locale.
    void typedNumbersAndDates()
    {
        for (const char* yes : {"12", " -3.5 ", ".5", "1.", "+7", "1e3", "2.5E-2"})
            QVERIFY2(numeric::isNumeric(yes), yes);
        for (const char* no : {"", " ", "abc", "1.2.3", "12a", "-", ".", "1,5", "e3", "0x10"})
            QVERIFY2(!numeric::isNumeric(no), no);
        QList<qint16> rounded;
        for (const char* text : {"2.5", "3.5", "-2.5", "2.51", "32767", "-32768.4"})
            rounded << numeric::toInt16(QString(text));
        QCOMPARE(rounded, QList<qint16>({2, 4, -2, 3, 32767, -32768}));
        for (const char* refused : {"40000", "32767.5", "abc"})
            QVERIFY_THROWS_EXCEPTION(Failure, numeric::toInt16(QString(refused)));
        // Amounts stop where a line's figures would leave the paisa behind, well before they turn infinite.
        QCOMPARE(numeric::toAmount(" -1e9 "), -1e9);
        QCOMPARE(numeric::toAmount("999999999.99"), 999999999.99);
        for (const char* refused : {"1000000000.01", "-2e9", "1e308", "abc"})
            QVERIFY_THROWS_EXCEPTION(Failure, numeric::toAmount(QString(refused)));
        // Halves in decimals, a hair off in binary, are halves; a figure past the hair is not.
        QCOMPARE(QList<double>({numeric::roundHalfEven(2.2 + 0.1 + 0.2), numeric::roundHalfEven(0.7 + 0.6 + 0.2),
                                numeric::roundHalfEven(-(2.2 + 0.1 + 0.2)), numeric::roundHalfEven(2.5000001),
                                numeric::roundHalfEven(2.4999999), numeric::roundHalfEven(1e13 + 0.9),
                                numeric::roundHalfEven(1e13 + 0.5), numeric::roundHalfEven(562949953421312.5)}),
                 QList<double>({2, 2, -2, 3, 2, 1e13 + 1, 1e13, 562949953421312}));
        // The shared texts of the 16-bit numbers, and those beyond, as QString::number spells them.
        for (int number = -32770; number <= 32770; ++number)
            if (numbertexts::of(number) != QString::number(number))
                QFAIL(qPrintable(QString::number(number)));

        // Typed in a locale of decimal commas: a comma or a point, no thousands separator; a point
        // stays a decimal point, as the program writes its own figures.
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(QList<double>({numeric::toDouble(QString("5,5")), numeric::toDouble(QString("5.5")),
                                numeric::toDouble(QString("2.125"))}),
                 QList<double>({5.5, 5.5, 2.125}));
        QVERIFY(!numeric::isNumeric("1.000,5"));
        // Digits of another script, as an Arabic keyboard types them, with its decimal separator.
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        QCOMPARE(numeric::toDouble(QString::fromUtf8("١٢٫٥")), 12.5);
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(QStringList({numeric::numberText(1234567.5), numeric::numberText(-0.0), numeric::numberText(0.1 + 0.2)}),
                 QStringList({"1234567.5", "0", "0.3"}));
        // No exponent, which a narrow box cuts off: a sum that is all but 0 (-3.55e-15) read as -3.55.
        // What binary sums leave of 0 is 0, and a figure typed as 1e-300 no line of hundreds of zeros.
        // Binary arithmetic's leftovers beyond a ten-thousandth of a paisa are no figure of the shop's.
        const double cancelled = 10000000.1 + 20000000.2 - 30000000.3, freeLine = 713 * 22613.54 - 713 * 22613.54 * 100 / 100,
                     tenthLeft = 2919.06 - 2919.06 * 90 / 100;
        QVERIFY(cancelled != 0 && freeLine != 0 && tenthLeft != 291.906);
        QCOMPARE(QStringList({numeric::numberText(10.1 + 20.2 - 30.3), numeric::numberText(cancelled), numeric::numberText(freeLine),
                              numeric::numberText(tenthLeft), numeric::numberText(1e-300), numeric::numberText(0.00001),
                              numeric::numberText(0.1225), numeric::numberText(1e20)}),
                 QStringList({"0", "0", "0", "291.906", "0", "0.00001", "0.1225", "100000000000000000000"}));
        for (int month = 1; month <= 12; ++month)
            for (const QDate& date : {QDate(999, month, 1), QDate(1000, month, 9), QDate(9999, month, 28)})
                QCOMPARE(dates::shown(date), QLocale(QLocale::English, QLocale::UnitedStates).toString(date, "dd/MMM/yyyy"));
        QDateEdit picker;
        dates::setUpPicker(&picker);
        picker.setDate(QDate(2026, 3, 4));
        QCOMPARE(picker.text() + ' ' + dates::shown(QDate(2026, 12, 4)), QString("04/Mar/2026 04/Dec/2026"));
        // Alt+Down opens the calendar, as on a list, and leaves the date as it was.
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTest::keyClick(&picker, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(picker.date(), QDate(2026, 3, 4));
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Return);
        QCOMPARE(picker.date(), QDate(2026, 3, 5));
        // Esc leaves the date as it was, though the box showed the days the arrows reached.
        QTest::keyClick(&picker, Qt::Key_F4);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Escape);
        QTRY_COMPARE(picker.date(), QDate(2026, 3, 5));
    }

    // A date typed whole from its day, in the shown form or another common one, whatever the
    // box showed: its parts' own typing took "29/Feb/2024" as 29/Dec/2024, and "31/Dec/2025"
    // over a date of February as 03/Feb/2025.
    void aDateTypedWholeIsTheDateTyped()
    {
        using dates::Typed;
        const QDate leapDay(2024, 2, 29), december(2026, 12, 9);
        for (const auto& [typed, shown, whole] : std::initializer_list<std::tuple<const char*, QDate, QDate>>{
                 {"29/Feb/2024", december, leapDay}, {"31/Dec/2025", leapDay, QDate(2025, 12, 31)},
                 {"01/02/2026", december, QDate(2026, 2, 1)}, {"29feb24", december, leapDay},
                 {"29.2.2024", december, leapDay}, {"29 february 2024", december, leapDay},
                 {"2024-02-29", december, leapDay}, {"29022024", december, leapDay}, {"290224", december, leapDay},
                 {"5", leapDay, QDate(2024, 2, 5)}, {"5/jun", leapDay, QDate(2024, 6, 5)}, {"0503", leapDay, QDate(2024, 3, 5)},
                 {"30", leapDay, QDate()}, {"29/Ju/2024", december, QDate()}, {"29/13/2024", december, QDate()},
                 {"29/Feb/202", december, QDate()}, {"29/Feb/2024/1", december, QDate()}, {"Feb", december, QDate()},
                 {"29+Feb", december, QDate()}, {"", december, QDate()}})
            QCOMPARE(dates::typedDate(typed, shown, Typed::Whole), whole);
        // Typing on, two figures of a year are the start of four.
        QCOMPARE(dates::typedDate("29/Feb/20", december, Typed::SoFar), QDate());
        QCOMPARE(dates::typedDate("29/Feb", december, Typed::SoFar), QDate(2026, 2, 29));  // no such day: nothing yet

        QWidget form;
        auto* picker = new QDateEdit(&form);
        auto* next = new QLineEdit(&form);
        auto* layout = new QVBoxLayout(&form);
        layout->addWidget(picker);
        layout->addWidget(next);
        dates::setUpPicker(picker);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        picker->setFocus();
        const auto type = [&](const QDate& shown, const QString& keys, QDateTimeEdit::Section section = QDateTimeEdit::DaySection) {
            picker->setDate(shown);
            picker->setFocus();
            picker->setSelectedSection(section);
            QTest::keyClicks(picker, keys);
        };
        type(december, "29/");
        QTest::keyPress(picker, Qt::Key_Shift);  // a capital's Shift types nothing
        QTest::keyClicks(picker, "Feb/2024");
        QCOMPARE(picker->date(), leapDay);  // taken as typed, before the typing ends
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), leapDay);
        type(leapDay, "31/Dec/2025");
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2025, 12, 31));
        // From a keyboard of Arabic-Indic digits, as figures are typed ("1/12/2025").
        type(leapDay, {});
        for (const QChar c : QString::fromUtf8("١/١٢/٢٠٢٥"))
            QTest::sendKeyEvent(QTest::Click, picker, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2025, 12, 1));
        type(december, "01/02/25");
        QCOMPARE(picker->date(), QDate(2026, 2, 1));  // "25" may be the start of 2025
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), QDate(2025, 2, 1));
        // Backspace takes a character back; Esc, or a text that makes no date, leaves the date as it was.
        type(december, "31/Decx");
        QTest::keyClick(picker, Qt::Key_Backspace);
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), QDate(2026, 12, 31));
        type(december, "28/Feb/2023");
        QCOMPARE(picker->date(), QDate(2023, 2, 28));
        QTest::keyClick(picker, Qt::Key_Escape);
        QCOMPARE(picker->date(), december);
        type(december, "29/Feb/2023");
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), december);
        // Typed on the year, a figure is the year's, as the box's parts take it.
        type(december, "2025", QDateTimeEdit::YearSection);
        QCOMPARE(picker->date(), QDate(2025, 12, 9));
        QVERIFY(!picker->findChild<QLineEdit*>("typedDate")->isVisible());
        // A click on the year ends a typing, and what is typed next is the year's.
        type(december, "5");
        auto* text = picker->findChild<QLineEdit*>("qt_spinbox_lineedit");
        const QPoint onTheYear(text->fontMetrics().horizontalAdvance("05/Dec/202") + 4, text->height() / 2);
        QTest::mouseClick(text, Qt::LeftButton, {}, onTheYear);
        QCOMPARE(picker->date(), QDate(2026, 12, 5));
        QTRY_COMPARE(text->selectedText(), QString("2026"));
        QTest::keyClicks(picker, "2025");
        QCOMPARE(picker->date(), QDate(2025, 12, 5));

        // Over the whole text selected (clicked thrice, or dragged), the cursor on the year: a whole date.
        picker->setDate(december);
        picker->setSelectedSection(QDateTimeEdit::YearSection);
        text->selectAll();
        QTest::keyClicks(picker, "31/12/2025");
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2025, 12, 31));

        // Tab goes on to the next box, typing or not, and Shift+Tab comes back onto the day.
        type(december, "1/3/25");
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QCOMPARE(picker->date(), QDate(2025, 3, 1));
        QTest::keyClick(next, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), picker);
        QTRY_COMPARE(picker->currentSection(), QDateTimeEdit::DaySection);
        QTest::keyClicks(picker, "15/03/2024");
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(picker->date(), QDate(2024, 3, 15));
        QCOMPARE(QApplication::focusWidget(), next);
        // Left by Tab, the box is on its day again: a wheel turned over it later steps a day, not a year.
        QWheelEvent wheel(QPointF(5, 5), picker->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picker, &wheel);
        QCOMPARE(picker->date(), QDate(2024, 3, 16));
        // Over a selection of the month and the year, a date typed is a whole date too.
        picker->setFocus();
        text->setSelection(3, 8);
        QTest::keyClicks(picker, "15/01/2026");
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2026, 1, 15));
        // The calendar takes no typed figure (its own editor read month first and took 1752), and once
        // it has closed on a day, a date typed is a whole date.
        picker->setDate(december);
        QTest::keyClick(picker, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClicks(QApplication::activePopupWidget()->focusWidget(), "05/11/25");
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(picker->date(), december.addDays(1));
        QTRY_COMPARE(picker->currentSection(), QDateTimeEdit::DaySection);
        QTest::keyClicks(picker, "1/1/2025");
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(picker->date(), QDate(2025, 1, 1));
    }

    // A file dialog showing the database's folder opens none of its files: closing a descriptor of
    // the database drops the locks this program's SQLite holds on it.
    void aFileDialogOpensNoFileItShows()
    {
        QTemporaryDir folder;
        const QString shown = folder.filePath("Bill.db");
        QFile file(shown);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray("SQLite format 3", 16) + QByteArray(4080, '\0')) > 0);
        file.close();
        const int watch = inotify_init1(IN_NONBLOCK);
        QVERIFY(watch >= 0 && inotify_add_watch(watch, QFile::encodeName(shown).constData(), IN_OPEN) >= 0);
        QFileDialog dialog;
        FileDialogs::setUp(dialog);
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        dialog.setDirectory(folder.path());
        dialog.show();
        QVERIFY(loaded.wait(5000) || loaded.count() > 0);
        QTest::qWait(300);  // the kinds and icons are told by a thread of the model's
        QTRY_VERIFY(model->index(shown).isValid());
        QCOMPARE(model->type(model->index(shown)), QString("DB File"));
        char events[4096];
        QCOMPARE(read(watch, events, sizeof events), ssize_t(-1));
        ::close(watch);
    }

    void typedKeysFollowTheScreensRules()
    {
        int enters = 0;
        KeyRules rules;
        rules.onEnter = [&] { ++enters; };
        auto* screen = new BoxScreen(rules);
        QTest::keyClicks(screen->box, "ab'c{|}~z9 ");
        QCOMPARE(screen->box->text(), QString("ABC{|}~Z9 "));
        // Letters with a capital of one character become it. QTest::keyClicks knows ASCII only.
        screen->box->clear();
        // ÿ é ā ß ÷ £ ½, a no-break space and a letter beyond 16 bits
        const QString typed = QString::fromUtf8("\u00ff\u00e9\u0101\u00df\u00f7\u00a3\u00bd\u00a0\U00010428");
        for (const char32_t c : typed.toUcs4())
            QTest::sendKeyEvent(QTest::Press, screen->box, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
        const QString kept = QString::fromUtf8("\u0178\u00c9\u0100\u00df\u00f7\u00a3\u00bd\u00a0");
        QCOMPARE(screen->box->text(), kept + QString::fromUtf8("\U00010400"));
        QTest::keyClick(screen->box, Qt::Key_Backspace);  // editing keys still work
        QCOMPARE(screen->box->text(), kept);
        QTest::keyClicks(screen->list->lineEdit(), "tea");
        QCOMPARE(screen->list->currentText(), QString("TEA"));

        QLineEdit elsewhere;  // keys of other windows are left alone
        elsewhere.show();
        QTest::keyClicks(&elsewhere, "ab'");
        QCOMPARE(elsewhere.text(), QString("ab'"));

        QTest::keyClick(screen->box, Qt::Key_Return);
        QTest::keyClick(screen->list, Qt::Key_Enter);
        QCOMPARE(enters, 2);
        QKeyEvent heldEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), true);
        QApplication::sendEvent(screen->box, &heldEnter);  // held down, Enter prints once
        QCOMPARE(enters, 2);

        // Enter while Space still holds a button down: the button's click comes first, once.
        QStringList done;
        rules.onEnter = [&] { done << "enter"; };
        screen->setKeyRules(rules);
        auto* add = new QPushButton("Add", screen);
        QObject::connect(add, &QPushButton::clicked, [&] { done << "click"; });
        add->show();
        add->setFocus();
        QTest::keyPress(add, Qt::Key_Space);
        QTest::keyClick(add, Qt::Key_Return);
        QTest::keyRelease(add, Qt::Key_Space);
        QCOMPARE(done, QStringList({"click", "enter"}));
        // One held down by the mouse is clicked by the mouse alone.
        done.clear();
        QTest::mousePress(add, Qt::LeftButton);
        QTest::keyClick(add, Qt::Key_Return);
        QTest::mouseMove(add, add->rect().center() + QPoint(1, 1));
        QTest::mouseRelease(add, Qt::LeftButton, {}, add->rect().center() + QPoint(1, 1));
        QCOMPARE(done, QStringList({"enter", "click"}));
        // Where Enter means nothing of the screen's own, it presses the focused button, once while held.
        screen->setKeyRules(KeyRules{});
        done.clear();
        QTest::keyClick(add, Qt::Key_Return);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString("\r"), true);
        QApplication::sendEvent(add, &held);
        QCOMPARE(done, QStringList({"click"}));
        QPointer<BoxScreen> alive(screen);
        QTest::keyClick(screen->box, Qt::Key_Escape);
        QTRY_VERIFY(alive.isNull());  // closed screens are deleted
    }

    // A screen deleted while shown: its own part is gone by the time its controls are closed, so what they
    // tell on the way out (a typed list tells its text on losing the focus) reaches none of its slots.
    void aScreenBeingDeletedIsToldNothing()
    {
        struct ListScreen : BoxScreen {
            ListScreen(bool& gone, int& late) : BoxScreen(KeyRules{}), m_gone(gone)
            {
                list->addItems({"1", "2"});
                connect(list, &QComboBox::activated, this, [&gone, &late] { late += gone; });
            }
            ~ListScreen() override { m_gone = true; }
            bool& m_gone;
        };
        bool gone = false;
        int late = 0;
        auto* screen = new ListScreen(gone, late);
        QVERIFY(QTest::qWaitForWindowActive(screen));
        screen->list->setFocus();
        screen->list->lineEdit()->clear();
        QTest::keyClicks(screen->list->lineEdit(), "2");
        delete screen;
        QCOMPARE(late, 0);
    }

    void aGridThatHasNotReadEverythingStillAnswersEveryRow()
    {
        db.reset();
        const int count = 2 * GridModel::BatchSize + 7;
        insertCustomers(count);
        const QString statement = "Select  SN, ITEM as Name_, PARTNO as Address_ from Customer order by sn desc";
        const int connectionsBefore = checks::connectionsInUse();
        QTableView view;
        grid::setUp(&view);
        grid::show(&view, PagedRows::read(statement));
        QCOMPARE(view.model()->rowCount(), GridModel::BatchSize);  // not all read yet
        QCOMPARE(grid::currentText(&view, 0), QString::number(count));
        QCOMPARE(grid::text(&view, count - 1, 2), QString("ROAD 1"));
        QCOMPARE(grid::text(&view, count, 0), QString());
        QCOMPARE(grid::rowCount(&view), count);
        QCOMPARE(checks::rows(view.model()), db.rows(statement));
        QCOMPARE(checks::connectionsInUse(), connectionsBefore);  // everything read: the grid's connection is closed

        grid::show(&view, PagedRows::read(statement));
        view.resize(400, 300);
        view.show();
        view.scrollToBottom();
        QTRY_VERIFY(view.model()->rowCount() > GridModel::BatchSize);
        QCOMPARE(checks::connectionsInUse(), connectionsBefore + 1);
        {
            // A result still being read holds no lock: another connection writes at once.
            Connection writer;
            writer.open(TestDatabase::onServer() ? db.connectionString() : schema::sqliteConnectionString(db.path()) + ";Timeout=1000");
            RecordSet().open("delete from Customer where SN = 1", writer);
        }
        db.exec("insert into Customer values(1,'C1','ROAD 1','1')");

        // A failing statement leaves the rows shown and what is left to read.
        const int shown = view.model()->rowCount();
        QVERIFY_THROWS_EXCEPTION(DbError, grid::show(&view, PagedRows::read("Select * from NoSuchTable")));
        QCOMPARE(view.model()->rowCount(), shown);
        QCOMPARE(grid::rowCount(&view), count);

        // A row of the first page deleted before the rest is read: no row twice and none left out.
        grid::show(&view, PagedRows::read(statement));
        db.exec(QString("delete from Customer where SN = %1").arg(count - 3));
        QCOMPARE(grid::rowCount(&view), count - 1);
        QCOMPARE(checks::rows(view.model()), db.rows(statement));

        // A row is found by the text its cell shows, also past the rows read.
        grid::show(&view, PagedRows::read(statement));
        auto* model = qobject_cast<GridModel*>(view.model());
        QCOMPARE(model->findRow(0, "1"), count - 2);
        QCOMPARE(model->findRow(1, "SAME"), 3);  // SN 515: 516 is gone
        QCOMPARE(model->findRow(1, "SAME", 4), 8);
        QCOMPARE(model->findRow(0, "01"), -1);
        QVERIFY(grid::selectRowWhere(&view, 0, "1") && view.currentIndex().row() == count - 2);
        QVERIFY(!grid::selectRowWhere(&view, 0, "01") && !view.selectionModel()->hasSelection());

        // The rest of a first page that can no longer be read: told once, the rows shown stay.
        grid::show(&view, PagedRows::read(statement));
        db.exec("ALTER TABLE Customer RENAME TO CustomerAway");
        view.scrollToBottom();
        QTRY_VERIFY(!view.model()->canFetchMore({}));
        db.exec("ALTER TABLE CustomerAway RENAME TO Customer");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(view.model()->rowCount(), GridModel::BatchSize);
        // Nor do those rows go out as the whole result.
        const QTemporaryDir files;
        const QString csv = files.filePath("customers.csv");
        QVERIFY_THROWS_EXCEPTION(Failure, grid::saveCsv(&view, csv));
        QVERIFY(!QFile::exists(csv));
        view.selectionModel()->clear();  // a copy of every row
        QVERIFY_THROWS_EXCEPTION(Failure, grid::copiedText(&view));
        grid::show(&view, PagedRows::read(statement));
        QVERIFY(grid::saveCsv(&view, csv));
        view.selectionModel()->clear();
        QCOMPARE(grid::copiedText(&view).count('\n'), db.rows(statement).size() + 1);

        grid::show(&view, PagedRows::read(statement));
        grid::unbind(&view);
        QCOMPARE(checks::connectionsInUse(), connectionsBefore);
        QCOMPARE(view.model()->columnCount(), 0);
    }

    // Refilled with the same columns, a grid is painted once with its new
    // rows; a read that fails empties it.
    void aRefilledGridIsPaintedOnceAndEmptiedByAFailedRead()
    {
        db.reset();
        insertCustomers(GridModel::BatchSize + 3);
        const QString statement = "Select  SN, ITEM as Name_, PARTNO as Address_ from Customer order by sn desc";
        const int connectionsBefore = checks::connectionsInUse();
        QTableView view;
        grid::setUp(&view);
        view.resize(300, 200);  // narrower than its columns: it scrolls sideways
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto refillAndSetWidths = [&](const QString& text) {
            grid::refill(&view, [&] { return PagedRows::read(text); });
            for (int column = 0; column < 3; ++column)
                view.setColumnWidth(column, 150);
        };
        refillAndSetWidths(statement);
        QTRY_VERIFY(view.horizontalScrollBar()->isVisible());
        QTest::qWait(50);  // the widths' own relayout and paint are done

        struct PaintCount : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } count;
        view.viewport()->installEventFilter(&count);
        db.exec("insert into Customer values(999,'NEWEST','ROAD 999','999')");
        refillAndSetWidths(statement);
        QTRY_VERIFY(count.paints > 0);
        QTest::qWait(50);
        QCOMPARE(count.paints, 1);
        QCOMPARE(grid::currentText(&view, 1), QString("NEWEST"));
        QCOMPARE(grid::rowCount(&view), GridModel::BatchSize + 4);

        // Emptied of its rows until a refill, the grid keeps its columns and
        // widths, and is still painted once.
        grid::emptyRows(&view);
        QCOMPARE(view.model()->rowCount(), 0);
        QCOMPARE(view.model()->columnCount(), 3);
        QCOMPARE(view.columnWidth(2), 150);
        count.paints = 0;
        refillAndSetWidths(statement);
        QTRY_VERIFY(count.paints > 0);
        QTest::qWait(50);
        QCOMPARE(count.paints, 1);

        grid::refill(&view, [&] { return PagedRows::read(statement); });
        QVERIFY_THROWS_EXCEPTION(DbError, grid::refill(&view, [] { return PagedRows::read("Select * from NoSuchTable"); }));
        QCOMPARE(view.model()->rowCount(), 0);
        QCOMPARE(view.model()->columnCount(), 0);
        QCOMPARE(checks::connectionsInUse(), connectionsBefore);
    }

    // A grid kept on its own connection reads on after the server ended the
    // session meanwhile (a restart, an idle timeout), as a screen's own
    // connection does: every row, and nothing said.
    void aGridReadsOnAfterTheServerEndedItsSession()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has no sessions");
        db.reset();
        insertCustomers(GridModel::BatchSize + 3);
        auto kept = std::make_shared<Connection>();
        kept->keepOpen();
        QTableView view;
        grid::setUp(&view);
        grid::refill(&view, [&] { return PagedRows::read("Select SN from Customer order by sn desc", kept); });
        QCOMPARE(view.model()->rowCount(), GridModel::BatchSize);
        db.makeUnreachable();
        db.makeReachable();
        QCOMPARE(grid::rowCount(&view), GridModel::BatchSize + 3);
        QCOMPARE(messages.texts(), QStringList());
    }

    // Once an operation's change has landed, a read that fails after it is
    // told as the change not shown, never as nothing changed; a change that
    // fails after it is told as itself.
    void aFailedReadAfterAStoredChangeSaysTheChangeWasStored()
    {
        db.reset();
        Connection connection;
        connection.open();
        const DbError lost(dberrors::notice(DbError::Kind::Unreachable) + "\n\nconnection lost", DbError::Kind::Unreachable);
        {
            const OperationScope operation;
            change::together(connection, [&] { RecordSet().open("insert into Customer values(1,'ONE','','1')", connection); });
            stopAtFirstError([&] { throw lost; });
        }
        QCOMPARE(messages.texts(), QStringList{failurestyles::NoticeScope::storedButNotShown()});
        QCOMPARE(db.count("Customer"), 1);

        messages.clear();
        {
            const OperationScope operation;
            change::together(connection, [&] { RecordSet().open("insert into Customer values(2,'TWO','','2')", connection); });
            stopAtFirstError([&] { change::together(connection, [&] { throw lost; }); });
        }
        QCOMPARE(messages.texts(), QStringList{lost.description()});

        messages.clear();
        stopAtFirstError([&] { throw lost; });  // a later operation
        QCOMPARE(messages.texts(), QStringList{lost.description()});
    }

    // A column fitted to its contents gets the width resizeColumnToContents
    // gives; the last column, stretched to the edge, shows at least the
    // width given it and is not resized when given the same width again.
    void gridColumnsAreSizedWithoutBeingResizedTwice()
    {
        QTableView view;
        grid::setUp(&view);
        view.horizontalHeader()->setStretchLastSection(true);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        grid::bind(&view, {"SN", "Name_", "Address_"},
                   {{1, "A", "1 ROAD"}, {2, "A MUCH LONGER NAME THAN THE CAPTION", "2 ROAD"}});
        const int fitted = grid::fittedWidth(&view, 1);
        view.resizeColumnToContents(1);
        QCOMPARE(view.columnWidth(1), fitted);

        grid::setLastColumnWidth(&view, 400);
        QTRY_COMPARE(view.columnWidth(2), 400);  // wider than the space left
        QSignalSpy resized(view.horizontalHeader(), &QHeaderView::sectionResized);
        grid::bind(&view, {"SN", "Name_", "Address_"}, {{3, "B", "3 ROAD"}});
        grid::setLastColumnWidth(&view, 400);
        QTest::qWait(20);
        QCOMPARE(resized.count(), 0);
        grid::setLastColumnWidth(&view, 450);
        QTRY_COMPARE(view.columnWidth(2), 450);
        view.resize(900, 200);  // space left: the column stretches past the width given
        QTRY_VERIFY(view.columnWidth(2) > 450);
        resized.clear();
        grid::setLastColumnWidth(&view, 450);
        QTest::qWait(20);
        QCOMPARE(resized.count(), 0);
    }

    // A grid paints a cell from the picture it kept of it, and measures it
    // from the size it kept: what shows and what a fitted column is given
    // must be what the stock delegate makes, the first time and every time
    // after, through selection, focus, alternate rows, a cell's own colours,
    // font and alignment, a text cut short, and a change of palette or font.
    void keptCellPicturesAndSizesAreAsTheStockDelegateMakesThem()
    {
        QStandardItemModel model(5, 4);
        const QStringList texts = {"ASHA", "9845012345", QString::fromUtf8("\u00c9CLAIR \u0101 \u20ac"), "",
                                   "A NAME MUCH TOO LONG FOR ITS COLUMN TO SHOW", "12.50"};
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                model.setData(model.index(row, column), texts.at((row + column) % texts.size()));
        model.setData(model.index(0, 1), int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
        model.setData(model.index(1, 2), QColor("#fff4c2"), Qt::BackgroundRole);
        model.setData(model.index(2, 3), QColor(Qt::darkRed), Qt::ForegroundRole);
        QFont bold;
        bold.setBold(true);
        model.setData(model.index(3, 1), bold, Qt::FontRole);
        QFont italic;
        italic.setItalic(true);
        model.setData(model.index(1, 3), italic, Qt::FontRole);  // the same text as (3, 1)

        QTableView kept, fresh;
        for (QTableView* view : {&kept, &fresh}) {
            grid::setUp(view);
            view->setModel(&model);
            view->resize(420, 160);
            view->setColumnWidth(0, 90);
        }
        fresh.setItemDelegate(new QStyledItemDelegate(&fresh));
        const auto same = [&](const char* when) {
            const QImage a = kept.grab().toImage(), b = fresh.grab().toImage();
            QVERIFY2(a == b, when);
        };
        // Painted once as it is, its picture made at the second paint and
        // copied from the third.
        same("first paint");
        same("painted again");
        same("painted a third time");
        const auto sameSizes = [&] {
            for (int round = 0; round < 2; ++round)
                for (int column = 0; column < model.columnCount(); ++column) {
                    const QAbstractItemView &a = kept, &b = fresh;  // where the measure is public
                    if (a.sizeHintForColumn(column) != b.sizeHintForColumn(column))
                        return false;
                }
            return true;
        };
        QVERIFY(sameSizes());
        for (QTableView* view : {&kept, &fresh}) {
            view->setAlternatingRowColors(true);
            view->selectRow(2);
        }
        same("a row selected, alternate rows");
        same("painted again");
        for (QTableView* view : {&kept, &fresh}) {
            QPalette palette = view->palette();
            palette.setColor(QPalette::Base, QColor("#e8f0ff"));
            palette.setColor(QPalette::Text, Qt::darkBlue);
            palette.setColor(QPalette::Highlight, Qt::darkGreen);
            view->setPalette(palette);
        }
        same("another palette");
        same("painted again");
        for (QTableView* view : {&kept, &fresh}) {
            QFont larger = view->font();
            larger.setPointSize(larger.pointSize() + 3);
            view->setFont(larger);
        }
        same("another font");
        QVERIFY(sameSizes());
        // One window is active at a time: each is grabbed while it is.
        const auto focused = [&](QTableView& view) {
            view.show();
            view.activateWindow();
            view.setFocus();
            view.setCurrentIndex(model.index(1, 1));
            if (!QTest::qWaitForWindowActive(&view))
                return QImage();
            const QImage first = view.grab().toImage();
            const QImage again = view.grab().toImage();
            view.hide();
            return first == again ? first : QImage();
        };
        const QImage keptFocused = focused(kept);
        QVERIFY(!keptFocused.isNull());
        QCOMPARE(keptFocused, focused(fresh));
    }

    void aGridInKeyOrderGoesStraightToAKeyFarDownAndReadsTheRestWhenWanted()
    {
        db.reset();
        const int count = 4 * GridModel::BatchSize + 7;
        insertCustomers(count);
        const QString statement = "Select  SN, ITEM as Name_, PARTNO as Address_ from Customer order by sn desc";
        RowKeyOrder bySn{0, [](const QString& key) {
            return key.toInt() > 0 ? "select count(*) from Customer where SN > " + key : QString();
        }};
        const int connectionsBefore = checks::connectionsInUse();
        QStringList sent;
        statement::setListener([&sent](const QString& text) { sent << text; });
        QTableView view;
        grid::setUp(&view);
        view.resize(400, 300);
        view.show();
        grid::show(&view, PagedRows::read(statement, {}, bySn));
        auto* model = qobject_cast<GridModel*>(view.model());

        // Only the key's page is read: not the rows before it, nor the whole result.
        QVERIFY(grid::selectRowWhere(&view, 0, "5"));
        QCOMPARE(view.currentIndex().row(), count - 5);
        QVERIFY(!sent.contains(statement));
        QCOMPARE(sent.filter(" offset ").size(), 1);
        QVERIFY(view.grab().width() > 0);  // the rows around it painted
        QCOMPARE(QString("%1|%2|%3").arg(grid::text(&view, count - 6, 0), grid::text(&view, count - 5, 2),
                                         grid::text(&view, count - 1, 0)), QString("6|ROAD 5|1"));
        QCOMPARE(model->findRow(0, "0"), -1);
        QCOMPARE(model->findRow(0, "x"), -1);

        // Rows left unread show as they are when scrolled to or asked for.
        view.scrollTo(model->index(2 * GridModel::BatchSize, 0), QAbstractItemView::PositionAtTop);
        view.grab();
        QCOMPARE(model->value(2 * GridModel::BatchSize, 0).toInt(), count - 2 * GridModel::BatchSize);
        QCOMPARE(grid::rowCount(&view), count);
        QCOMPARE(checks::rows(model), db.rows(statement));
        QCOMPARE(checks::connectionsInUse(), connectionsBefore);

        // A key no longer where the database counts it (another till deleted
        // a row before it) is found where the grid shows it; rows that cannot
        // be read are told once and show empty.
        grid::show(&view, PagedRows::read(statement, {}, bySn));
        QVERIFY(grid::selectRowWhere(&view, 0, "300"));
        db.exec("delete from Customer where SN = 400");
        QCOMPARE(model->findRow(0, "300"), count - 300);
        grid::show(&view, PagedRows::read(statement, {}, bySn));
        QVERIFY(grid::selectRowWhere(&view, 0, "3"));
        db.exec("ALTER TABLE Customer RENAME TO CustomerAway");
        view.scrollTo(model->index(GridModel::BatchSize + 1, 0), QAbstractItemView::PositionAtTop);
        view.grab();
        QTRY_COMPARE(messages.shown.size(), 1);
        db.exec("ALTER TABLE CustomerAway RENAME TO Customer");
        QCOMPARE(model->value(GridModel::BatchSize + 1, 0), QVariant());
        statement::setListener({});
    }

    // Without running a handler; a table that cannot be read leaves the list empty.
    void aFilledListKeepsOrderDuplicatesAndEmptyEntries()
    {
        const QStringList entries{"B", "", "A", "B", "", "10", "9"};
        for (const bool editable : {false, true}) {
            QComboBox list;
            list.setEditable(editable);
            list.addItem("OLD");
            QSignalSpy changed(&list, &QComboBox::editTextChanged), picked(&list, &QComboBox::activated);
            lists::setEntries(&list, entries);
            QCOMPARE(checks::entries(&list), entries);
            QCOMPARE(list.currentText() + QString::number(list.currentIndex()) + QString::number(list.findText("A")),
                     QString("B02"));
            // One entry more or less is edited in place; anything else is set anew.
            for (const QStringList& next : {QStringList{"B", "", "X", "A", "B", "", "10", "9"}, QStringList{"", "X", "A", "B", "", "10", "9"},
                                            QStringList{"", "X", "A", "B", "", "10"}, QStringList{"", "Y", "A", "B", "", "10"},
                                            QStringList{"", "Y", "A", "B", "", "10", "1", "2"}, QStringList{"B", "", "A", "B", "", "10", "1"}, entries}) {
                lists::setEntries(&list, next);
                QCOMPARE(checks::entries(&list), next);
                QCOMPARE(list.currentIndex(), 0);
            }
            lists::setEntries(&list, entries, lists::Chosen::None);
            QCOMPARE(list.currentText() + QString::number(list.currentIndex()), QString("-1"));
            QCOMPARE(changed.count() + picked.count(), 0);
            lists::setEntries(&list, {});
            QCOMPARE(list.count(), 0);
        }

        db.reset();
        insertCustomers(12);
        db.exec("insert into Customer values(13,'',NULL,'13'), (14,NULL,'','14')");
        Connection& shared = Connectionx::sharedConnection();
        const stores::QueryStore store;
        QComboBox list;
        int picks = 0;
        connect(&list, &QComboBox::activated, this, [&] { ++picks; });
        const QString statement = "Select distinct(ITEM) from Customer order by SN desc";
        lists::fillAndPickFirst(&list, shared, [&] { return store.listEntries(statement); });
        QCOMPARE(checks::entries(&list), db.rows(statement));
        QCOMPARE(picks, 1);
        QVERIFY(!shared.isOpen());
        shared.open();
        const QStringList read = store.listEntries("select ITEM from Customer order by SN");
        QCOMPARE(read, db.rows("select ITEM from Customer order by SN"));
        QCOMPARE(read.count("SAME"), 2);
        lists::fillAndPickFirst(&list, shared, [&] { return store.listEntries("Select distinct(SN) from NoSuchTable"); });
        QCOMPARE(list.count() + picks, 1);
    }

    // A screen's own pick runs its pick handler alone; the operator's choice
    // also runs what hangs on textActivated (a recalled document's date), as
    // Qt tells it: after activated, with the entry's text.
    void anOperatorsPickTellsItsTextAfterTheScreensOwnPickHandler()
    {
        QComboBox list;
        lists::setEntries(&list, {"7", "8", "9"}, lists::Chosen::None);
        QStringList heard;
        connect(&list, &QComboBox::activated, this, [&](int index) { heard << "activated " + QString::number(index); });
        connect(&list, &QComboBox::textActivated, this, [&](const QString& text) { heard << "text " + text; });
        lists::pick(&list, 1);
        QCOMPARE(heard, QStringList{"activated 1"});
        heard.clear();
        lists::pickAsOperator(&list, 2);
        QCOMPARE(heard, (QStringList{"activated 2", "text 9"}));
        QCOMPARE(list.currentText(), QString("9"));
        heard.clear();
        lists::pickAsOperator(&list, 3);
        QVERIFY(heard.isEmpty());
    }

    // A click or key made while the program was held up is dropped when it
    // repeats the press before it (nothing seemed to happen); a sequence typed
    // ahead goes through whole, and so does the release of a press made before.
    void aPressRepeatedWhileTheProgramWasHeldUpIsDropped()
    {
        HeldUpInput filter(300);
        qApp->installEventFilter(&filter);
        ButtonAndBox shown;
        [[maybe_unused]] auto& [screen, button, box, list, choice, window, exposed, clicks] = shown;
        QVERIFY(exposed);

        // The window system's clock stands far from ours; each event is stamped with when it was made.
        QElapsedTimer clock;
        clock.start();
        const qint64 windowSystemAtStart = 5000000;
        auto mouseAt = [&](QEvent::Type type, qint64 madeAt, QPointF at) {
            QMouseEvent event(type, at, shown.window->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            event.setTimestamp(quint64(windowSystemAtStart + madeAt));
            QCoreApplication::sendEvent(shown.window, &event);
        };
        auto mouse = [&](QEvent::Type type, qint64 madeAt, QWidget* on = nullptr) {
            mouseAt(type, madeAt, (on ? on : shown.button)->geometry().center());
        };
        auto click = [&](qint64 madeAt) {
            mouse(QEvent::MouseButtonPress, madeAt);
            mouse(QEvent::MouseButtonRelease, madeAt + 20);
        };
        auto key = [&](QEvent::Type type, Qt::Key code, qint64 madeAt, bool repeat = false) {
            QKeyEvent event(type, code, Qt::NoModifier, code == Qt::Key_Space ? " " : "a", repeat);
            event.setTimestamp(quint64(windowSystemAtStart + madeAt));
            QCoreApplication::sendEvent(shown.window, &event);
        };
        auto tap = [&](Qt::Key code, qint64 madeAt) {
            key(QEvent::KeyPress, code, madeAt);
            key(QEvent::KeyRelease, code, madeAt + 20);
        };
        auto holdUp = [&] {
            const qint64 from = clock.elapsed();
            QThread::msleep(700);
            return from;
        };

        QTest::qWait(250);
        click(clock.elapsed());
        QCOMPARE(clicks, 1);

        // The same button clicked again while held up: arriving during the hold-up, and after it.
        qint64 heldUpFrom = holdUp();
        click(heldUpFrom + 100);
        QCOMPARE(clicks, 1);
        QTest::qWait(250);
        click(heldUpFrom + 200);
        QCOMPARE(clicks, 1);
        // Typed ahead: the box, then the button, then the button again.
        box->setFocus();
        tap(Qt::Key_A, heldUpFrom + 300);
        click(heldUpFrom + 400);
        click(heldUpFrom + 500);
        QCOMPARE(box->text() + QString::number(clicks), QString("a2"));
        // Space on the button just clicked repeats the click.
        button->setFocus();
        tap(Qt::Key_Space, heldUpFrom + 550);
        QCOMPARE(clicks, 2);
        // Made after it, the same click goes through.
        click(clock.elapsed());
        QCOMPARE(clicks, 3);

        // A press made before a hold-up keeps its release, made during it.
        QTest::qWait(250);
        mouse(QEvent::MouseButtonPress, clock.elapsed());
        heldUpFrom = holdUp();
        mouse(QEvent::MouseButtonRelease, heldUpFrom + 300);
        QCOMPARE(clicks, 4);
        QVERIFY(!button->isDown());

        // Space pressed again while held up, its release gone to another
        // program's window: the next press after it still clicks.
        button->setFocus();
        QTest::qWait(250);
        tap(Qt::Key_Space, clock.elapsed());
        QCOMPARE(clicks, 5);
        heldUpFrom = holdUp();
        QTest::qWait(250);
        key(QEvent::KeyPress, Qt::Key_Space, heldUpFrom + 300);
        tap(Qt::Key_Space, clock.elapsed());
        QCOMPARE(clicks, 6);

        // Space held from before a hold-up until during it, repeating meanwhile: its release clicks.
        QTest::qWait(250);
        key(QEvent::KeyPress, Qt::Key_Space, clock.elapsed());
        heldUpFrom = holdUp();
        for (const qint64 at : {200, 240, 280}) {
            key(QEvent::KeyRelease, Qt::Key_Space, heldUpFrom + at, true);
            key(QEvent::KeyPress, Qt::Key_Space, heldUpFrom + at, true);
        }
        key(QEvent::KeyRelease, Qt::Key_Space, heldUpFrom + 300);
        QCOMPARE(clicks, 7);
        QVERIFY(!button->isDown());

        // Clicks with typing between, the second one close enough to be a double click: both go through.
        QTest::qWait(250);
        heldUpFrom = holdUp();
        box->setFocus();
        tap(Qt::Key_A, heldUpFrom + 100);
        click(heldUpFrom + 200);
        tap(Qt::Key_A, heldUpFrom + 300);
        mouse(QEvent::MouseButtonPress, heldUpFrom + 400);
        mouse(QEvent::MouseButtonDblClick, heldUpFrom + 400);
        mouse(QEvent::MouseButtonRelease, heldUpFrom + 420);
        QCOMPARE(clicks, 9);

        // Enter after a click on the same control means what the screen makes of it; Enter again repeats.
        int entered = 0;
        connect(box, &QLineEdit::returnPressed, this, [&] { ++entered; });
        QTest::qWait(250);
        heldUpFrom = holdUp();
        mouse(QEvent::MouseButtonPress, heldUpFrom + 100, box);
        mouse(QEvent::MouseButtonRelease, heldUpFrom + 120, box);
        box->setFocus();
        tap(Qt::Key_Return, heldUpFrom + 200);
        tap(Qt::Key_Return, heldUpFrom + 300);
        QCOMPARE(entered, 1);

        // Where Enter presses a button of the screen's (a bill screen prints), a click on it and Enter are one.
        screen.setProperty(HeldUpInput::EnterPressesProperty, QVariant::fromValue<QObject*>(button));
        QTest::qWait(250);
        heldUpFrom = holdUp();
        click(heldUpFrom + 100);
        box->setFocus();  // Enter is told by the box here
        tap(Qt::Key_Return, heldUpFrom + 200);
        QCOMPARE(QString("%1 %2").arg(clicks).arg(entered), QString("10 1"));
        screen.setProperty(HeldUpInput::EnterPressesProperty, QVariant());

        // Rows of a grid clicked one after another each pick their own; a double click goes as made.
        int opened = 0;
        connect(list, &QListWidget::itemDoubleClicked, this, [&] { ++opened; });
        auto row = [&](int index) { return QPointF(list->viewport()->mapTo(&screen, list->visualItemRect(list->item(index)).center())); };
        QTest::qWait(250);
        heldUpFrom = holdUp();
        mouseAt(QEvent::MouseButtonPress, heldUpFrom + 100, row(0));
        mouseAt(QEvent::MouseButtonRelease, heldUpFrom + 120, row(0));
        mouseAt(QEvent::MouseButtonPress, heldUpFrom + 200, row(2));
        mouseAt(QEvent::MouseButtonRelease, heldUpFrom + 220, row(2));
        QCOMPARE(list->currentRow(), 2);
        mouseAt(QEvent::MouseButtonPress, heldUpFrom + 300, row(2));
        mouseAt(QEvent::MouseButtonDblClick, heldUpFrom + 300, row(2));
        mouseAt(QEvent::MouseButtonRelease, heldUpFrom + 320, row(2));
        QCOMPARE(opened, 1);

        // A press made well before the hold-up began is no press just before it.
        QTest::qWait(250);
        click(clock.elapsed());
        QTest::qWait(800);
        heldUpFrom = holdUp();
        click(heldUpFrom + 100);
        QCOMPARE(clicks, 12);
        // One made in a hold-up is taken as it ends; its work holding the program up
        // again (a slow printer), the same press again is a repeat.
        QTest::qWait(800);
        heldUpFrom = holdUp();
        box->setFocus();
        tap(Qt::Key_A, heldUpFrom + 100);
        click(heldUpFrom + 200);
        QTest::qWait(50);
        heldUpFrom = holdUp();
        click(heldUpFrom + 100);
        QCOMPARE(clicks, 13);
        // The wheel on a list box in between (another item picked) is work: the click after it goes through.
        // Elsewhere (on the button itself) it picks nothing, and the click after it is a repeat.
        auto wheelOver = [&](QWidget* on, qint64 madeAt) {
            const QPointF over = on->geometry().center();
            QWheelEvent wheel(over, shown.window->mapToGlobal(over), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            wheel.setTimestamp(quint64(windowSystemAtStart + madeAt));
            QCoreApplication::sendEvent(shown.window, &wheel);
        };
        QTest::qWait(250);
        heldUpFrom = holdUp();
        wheelOver(choice, heldUpFrom + 150);
        QCOMPARE(choice->currentText(), QString("SOAP"));
        click(heldUpFrom + 200);
        wheelOver(button, heldUpFrom + 250);
        click(heldUpFrom + 300);
        QCOMPARE(clicks, 14);
        // A list box the wheel leaves as it was (greyed out) picked nothing.
        choice->setEnabled(false);
        wheelOver(choice, heldUpFrom + 350);
        click(heldUpFrom + 400);
        QCOMPARE(clicks, 14);
        choice->setEnabled(true);
        // A click while a list is open only closes it: the click after it presses the button.
        choice->showPopup();
        QTest::qWait(250);
        heldUpFrom = holdUp();
        click(heldUpFrom + 100);
        click(heldUpFrom + 200);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(clicks, 15);
        // Enter in an open list picks from it (sent, as the window system sends it, to the list's
        // window), though the list is a child of a screen where Enter prints: a click on the print
        // button after it goes through.
        screen.setProperty(HeldUpInput::EnterPressesProperty, QVariant::fromValue<QObject*>(button));
        choice->showPopup();
        QTest::qWait(250);
        heldUpFrom = holdUp();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        enter.setTimestamp(quint64(windowSystemAtStart + heldUpFrom + 100));
        QCoreApplication::sendEvent(QApplication::activePopupWidget()->windowHandle(), &enter);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        click(heldUpFrom + 200);
        QCOMPARE(clicks, 16);
        qApp->removeEventFilter(&filter);
    }

    // A key held on a button clicks it once, even when a repeat came as a
    // press not told as a repeat (at the moment of the release before it).
    // In a box, two presses at one moment both type.
    void aKeyHeldOnAButtonClicksItOnce()
    {
        KeyRepeats filter;
        qApp->installEventFilter(&filter);
        ButtonAndBox shown;
        [[maybe_unused]] auto& [screen, button, box, list, choice, window, exposed, clicks] = shown;
        QVERIFY(exposed);
        auto key = [&](QEvent::Type type, Qt::Key code, quint64 at, bool repeat = false) {
            QKeyEvent event(type, code, Qt::NoModifier, code == Qt::Key_Space ? " " : code == Qt::Key_Return ? "\r" : "1", repeat);
            event.setTimestamp(at);
            QCoreApplication::sendEvent(shown.window, &event);
        };

        // Held from `at` (its first repeat told as one, when so asked), then pressed again a second later.
        auto holdThenTap = [&](Qt::Key code, quint64 at, bool firstRepeatTold) {
            key(QEvent::KeyPress, code, at);
            if (firstRepeatTold) {
                key(QEvent::KeyRelease, code, at + 660, true);
                key(QEvent::KeyPress, code, at + 660, true);
            }
            key(QEvent::KeyRelease, code, at + 700);  // the release read before its repeat's press came
            key(QEvent::KeyPress, code, at + 700);
            key(QEvent::KeyRelease, code, at + 740);
            key(QEvent::KeyPress, code, at + 1000);
            key(QEvent::KeyRelease, code, at + 1050);
        };

        button->setFocus();
        holdThenTap(Qt::Key_Space, 1000, true);
        QCOMPARE(clicks, 2);

        box->setFocus();
        key(QEvent::KeyPress, Qt::Key_1, 3000);
        key(QEvent::KeyRelease, Qt::Key_1, 3001);
        key(QEvent::KeyPress, Qt::Key_1, 3001);
        key(QEvent::KeyRelease, Qt::Key_1, 3002);
        QCOMPARE(box->text(), QString("11"));

        // Enter held in a box (on a bill screen it prints) is one Enter too.
        int enters = 0;
        QObject::connect(box, &QLineEdit::returnPressed, [&] { ++enters; });
        holdThenTap(Qt::Key_Return, 4000, false);  // a box tells a repeat of its own
        QCOMPARE(enters, 2);
        qApp->removeEventFilter(&filter);
    }
};

QTEST_MAIN(KitTest)
#include "tst_kit.moc"
