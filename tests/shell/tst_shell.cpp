// The login, the main window with its menu, the password change and About,
// used as an operator would.

#include "core/Maker.h"
#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/SqlText.h"
#include "kit/DataScreen.h"
#include "shell/About.h"
#include "shell/ChangePwd.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "shell/ProgramEnd.h"
#include "support/Checks.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>
#include <memory>

using checks::told;

// Stands in for the browser: records the addresses handed to it.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

// Types text into a box key by key, whatever the characters.
void type(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClicks(box, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A row of UserTable whose pwd holds the given text as stored.
QString userRow(int number, const QString& user, const QString& stored)
{
    return QString("INSERT INTO UserTable VALUES(%1, %2, %3, '-')").arg(number).arg(sql::text(user), sql::text(stored));
}

// The stored form of a password: each code plus 27.
QString shifted(const QString& password)
{
    QString stored;
    for (const QChar c : password)
        stored += QChar(c.unicode() + 27);
    return stored;
}

const QStringList NotAuthorised{"i Information: Not Authorised"};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    UrlCatcher browser;
    int programEnds = 0;

    // A fresh login screen with what the operator typed, LOGIN pressed.
    std::unique_ptr<LOGIN> logIn(const QString& user, const QString& password)
    {
        auto login = std::make_unique<LOGIN>();
        login->show();
        login->txtUID->lineEdit()->clear();
        type(login->txtUID->lineEdit(), user);
        type(login->TXTpass, password);
        QTest::mouseClick(login->findChild<QPushButton*>("LOGIN"), Qt::LeftButton);
        return login;
    }

    bool mainWindowShown() const { return MDIForm1::existing() && MDIForm1::existing()->isVisible(); }

    MDIForm1* loggedInMainWindow()
    {
        auto login = logIn("Admin", "ADMIN");
        MDIForm1* main = MDIForm1::existing();
        if (main)
            main->resize(1200, 900);
        messages.clear();
        return main && QTest::qWaitForWindowExposed(main) ? main : nullptr;
    }

    QAction* entry(MDIForm1* main, const QString& name) { return main->findChild<QAction*>(name); }

    std::unique_ptr<ChangePwd> changePassword(const QString& user, const QString& password, const QString& again)
    {
        auto change = std::make_unique<ChangePwd>();
        type(change->txtUID->lineEdit(), user);
        type(change->txtPwd, password);
        type(change->txtReenter, again);
        QTest::mouseClick(change->CmdPass, Qt::LeftButton);
        return change;
    }

    // Renames UserTable for the life of the guard: statements on it then fail.
    struct TableAway {
        TestDatabase& db;
        explicit TableAway(TestDatabase& d) : db(d) { db.exec("ALTER TABLE UserTable RENAME TO UserTableAway"); }
        ~TableAway() { db.exec("ALTER TABLE UserTableAway RENAME TO UserTable"); }
    };

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler("http", &browser, "open");
        shell::setProgramEnd([this] { ++programEnds; });
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler("http");
        shell::setProgramEnd({});
    }

    void init()
    {
        db.reset();
        messages.clear();
        browser.opened.clear();
        programEnds = 0;
    }
    void cleanup()
    {
        delete MDIForm1::existing();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void rightPasswordReachesTheMainWindow()
    {
        for (const char* user : {"admin", "ADMIN"}) {
            auto login = logIn(user, "ADMIN");
            QVERIFY(messages.shown.isEmpty());
            QVERIFY2(mainWindowShown(), user);
            QVERIFY(login->isHidden());
            QVERIFY(!Connectionx::sharedConnection().isOpen());
            cleanup();
        }
        // Enter in the password box presses the login button.
        LOGIN byKeyboard;
        byKeyboard.show();
        type(byKeyboard.TXTpass, "ADMIN");
        QTest::keyClick(byKeyboard.TXTpass, Qt::Key_Return);
        QVERIFY(mainWindowShown());
        QVERIFY(byKeyboard.isHidden());
    }

    void refusedLogins()
    {
        // "admin" shifted leaves the letters: the database finds no row.
        auto wrongCase = logIn("Admin", "admin");
        QCOMPARE(told(messages), NotAuthorised);
        QVERIFY(!wrongCase->isHidden());
        QCOMPARE(wrongCase->txtUID->currentText() + "|" + wrongCase->TXTpass->text(), QString("Admin|admin"));
        messages.clear();
        auto unknown = logIn("Nobody", "ADMIN");
        QCOMPARE(told(messages), NotAuthorised);
        QVERIFY(!mainWindowShown());

        // "FGH" is stored as "abc"; "&'(" shifts to "ABC", which the database
        // matches ignoring case: the exact comparison refuses it without a word.
        db.exec(userRow(2, "Clerk", "abc"));
        messages.clear();
        auto caseOnly = logIn("Clerk", "&'(");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!mainWindowShown());
        QVERIFY(!caseOnly->isHidden());

        // An empty box: asked to fill it, nothing read.
        db.makeUnreachable();
        auto noPassword = logIn("Admin", "");
        auto noUser = logIn("", "ADMIN");
        db.makeReachable();
        QCOMPARE(told(messages), QStringList(2, "i Information: Fill Information"));
        QVERIFY(!mainWindowShown());

        auto right = logIn("clerk", "FGH");
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(mainWindowShown());
    }

    void passwordCharactersAreShiftedOrRefused()
    {
        // "A" is compared as code 92; the last character that can be shifted is 228.
        db.exec(userRow(2, "One", QChar(92)));
        db.exec(userRow(3, "Last", QChar(255)));
        for (const auto& [user, typed] : {std::pair{"One", QString("A")}, {"Last", QString(QChar(228))}}) {
            auto login = logIn(user, typed);
            QVERIFY(messages.shown.isEmpty());
            QVERIFY2(mainWindowShown(), user);
            cleanup();
        }
        for (const QString& password : {QString("ab") + QChar(233), QString(QChar(0x101))}) {
            messages.clear();
            auto login = logIn("Admin", password);
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].caption, QString("Information"));
            QVERIFY2(messages.shown[0].text.contains(password.right(1)), qPrintable(messages.shown[0].text));
            QVERIFY(!mainWindowShown());
            QVERIFY(!login->isHidden());
            QCOMPARE(login->TXTpass->text(), password);
        }
    }

    void databaseFailuresAreShownAndRefuse()
    {
        db.makeUnreachable();
        auto unreachable = logIn("Admin", "ADMIN");
        db.makeReachable();
        QVERIFY(told(messages).size() == 1 && told(messages)[0].startsWith("! "));
        QVERIFY(!mainWindowShown());
        QVERIFY(!unreachable->isHidden());

        messages.clear();
        TableAway away(db);
        auto broken = logIn("Admin", "ADMIN");
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, RecordingMessages::Kind::Error);
        QVERIFY2(messages.shown[0].text.contains("usertable", Qt::CaseInsensitive), qPrintable(messages.shown[0].text));
        QVERIFY(!mainWindowShown());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    void xEndsTheProgramAndBannersOpenTheMakersPage()
    {
        LOGIN login;
        QTest::mouseClick(login.Command1, Qt::LeftButton);
        About about;
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>(3, QUrl(maker::WebAddress)));
        QCOMPARE(programEnds, 0);
        QTest::mouseClick(login.findChild<QPushButton*>("cmd"), Qt::LeftButton);
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    void everyScreenOpensOnceAtTheTopCentred()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        const QStringList screens{
            "mnuItemEntry>ItemEntry", "mnuCustomerEntry>CustomerEnty", "mnuSupplier>Supplier",
            "mnuItemReceive>ItemInFrm", "mnuItemReceiveQuery>ReceiveItemQuery", "mnuStockQuery>StockQuery",
            "mnuMakeBill>BillOne", "mnuMakeBillWithDetails>BillTwo", "mnuBill>PrintAll",
            "mnuExpenditureHead>Expenditure_Head", "mnuPersonnelEntry>ExpenditurePersonnelEntry",
            "mnuExpenditur_Detail>Expenditure", "mnuExpenditureQuery>ExpenditureQuery",
            "mnuChangePassword>ChangePwd", "mnuAbout>About"};
        QMdiArea* area = main->mdiArea();
        const int areaWidth = area->viewport()->width();
        for (const QString& s : screens) {
            const QString menuEntry = s.section('>', 0, 0), name = s.section('>', 1);
            QVERIFY2(entry(main, menuEntry), qPrintable(menuEntry));
            entry(main, menuEntry)->trigger();
            QMdiSubWindow* child = main->openWindow(name);
            QVERIFY2(child && qobject_cast<DataScreen*>(child->widget()), qPrintable(name));
            QCOMPARE(area->activeSubWindow(), child);
            QCOMPARE(child->widget()->size(), child->widget()->sizeHint());
            QCOMPARE(child->y(), 0);
            QVERIFY2(child->width() < areaWidth && qAbs(2 * child->x() + child->width() - areaWidth) <= 1,
                     qPrintable(name));
        }
        QCOMPARE(area->subWindowList().size(), screens.size());

        // Chosen again: the same window comes forward, not a second one.
        entry(main, "mnuMakeBill")->trigger();
        QCOMPARE(area->subWindowList().size(), screens.size());
        QCOMPARE(area->activeSubWindow(), main->openWindow("BillOne"));
        QVERIFY(messages.shown.isEmpty());
    }

    void escClosesTheChildOnly()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        for (const char* name : {"mnuAbout", "mnuChangePassword", "mnuMakeBill"})
            entry(main, name)->trigger();
        QTest::keyClick(main->openWindow("About")->widget()->findChild<QPushButton*>("Command1"), Qt::Key_Escape);
        QCOMPARE(main->openWindow("About"), nullptr);
        QTest::keyClick(qobject_cast<ChangePwd*>(main->openWindow("ChangePwd")->widget())->txtPwd, Qt::Key_Escape);
        QCOMPARE(main->openWindow("ChangePwd"), nullptr);
        QTest::keyClick(main->openWindow("BillOne")->widget(), Qt::Key_Escape);
        QCOMPARE(main->openWindow("BillOne"), nullptr);

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main->mdiArea()->subWindowList().isEmpty());
        QVERIFY(main->isVisible());
        QCOMPARE(programEnds, 0);
        entry(main, "mnuAbout")->trigger();  // and it opens again afresh
        QVERIFY(main->openWindow("About"));

        // Close ends the program without a question, whatever is typed anywhere.
        entry(main, "mnuChangePassword")->trigger();
        type(qobject_cast<ChangePwd*>(main->openWindow("ChangePwd")->widget())->txtPwd, "unsaved");
        entry(main, "mnuClose")->trigger();
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    // Quoting keeps what the password box takes a value, in the update and at
    // login; so are letters up to the transform's last ("ä"), accented or not.
    void changedPasswordIsTheOneThatLogsIn()
    {
        const QString password = "'; xÉä";
        changePassword("Admin", password, password);
        QCOMPARE(told(messages), QStringList{"i Admin: Password changed"});
        QCOMPARE(db.rows("SELECT userx, pwd FROM UserTable"), QStringList{"Admin|" + shifted(password)});
        QVERIFY(!Connectionx::sharedConnection().isOpen());

        messages.clear();
        auto old = logIn("Admin", "ADMIN");
        auto injected = logIn("Admin' or 'a'='a", password);
        QCOMPARE(told(messages), NotAuthorised + NotAuthorised);
        QVERIFY(!mainWindowShown());
        messages.clear();
        auto fresh = logIn("Admin", password);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
    }

    void passwordChangeCasesThatStoreNothing()
    {
        const QStringList before = db.rows("SELECT * FROM UserTable");
        auto different = changePassword("Admin", "abc", "ABC");
        QCOMPARE(told(messages), QStringList{"i Admin: Both password not same. Please re-enter both password"});
        QCOMPARE(different->txtUID->currentText() + "|" + different->txtPwd->text() + "|" + different->txtReenter->text(),
                 QString("||ABC"));

        messages.clear();
        // Any box empty: nothing at all. An unknown user: told so.
        changePassword("", "a", "a");
        changePassword("Admin", "", "a");
        changePassword("Admin", "a", "");
        changePassword("Nobody", "x", "x");
        QCOMPARE(told(messages), QStringList{"i Admin: There is no user \"Nobody\". No password was changed."});

        // A character the transform cannot store: refused in words that name
        // it and the true limit, not reported as changed.
        messages.clear();
        auto unmappable = changePassword("Admin", "på", "på");
        QCOMPARE(told(messages), QStringList{"i Admin: The character \"å\" cannot be used in a password: it holds only "
                                             "characters of codes 0 to 228 (\"ä\" is the last)."});
        QCOMPARE(unmappable->txtPwd->text(), QString("på"));
        // (A refused update: data/tst_unavailable.)
        QCOMPARE(db.rows("SELECT * FROM UserTable"), before);
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
