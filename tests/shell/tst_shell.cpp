// The login, the main window with its menu, the password change and About,
// used as an operator would.

#include "data/Connectionx.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "shell/ProgramEnd.h"
#include "support/ScreenBench.h"

#include <QDesktopServices>
#include <QMdiArea>
#include <QMdiSubWindow>

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
void type(QLineEdit* box, const QString& text)
{
    box->clear();
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClicks(box, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A row of UserTable whose pwd holds the text as stored.
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

const QString NotAuthorised = "i Information: Not Authorised";

}  // namespace

class ShellTest : public QObject, ScreenBench {
    Q_OBJECT

    UrlCatcher browser;
    int programEnds = 0;

    // A fresh login screen with what the operator typed, LOGIN pressed.
    std::unique_ptr<LOGIN> logIn(const QString& user, const QString& password)
    {
        auto login = std::make_unique<LOGIN>();
        login->show();
        const Operator op(login.get());
        type(op.list(ui::User)->lineEdit(), user);
        type(op.box(ui::Password), password);
        op.click(ui::LogIn);
        return login;
    }
    bool mainWindowShown() const { return MDIForm1::existing() && MDIForm1::existing()->isVisible(); }
    MDIForm1* loggedIn()
    {
        auto login = logIn("Admin", "ADMIN");
        MDIForm1* main = MDIForm1::existing();
        main->resize(1200, 900);
        messages.clear();
        return QTest::qWaitForWindowExposed(main) ? main : nullptr;
    }
    static void choose(MDIForm1* main, const QString& entry) { main->findChild<QAction*>(entry)->trigger(); }
    const Operator& changePassword(const QString& user, const QString& password, const QString& again)
    {
        const Operator& change = open(ui::ChangePwd);
        type(change.list(ui::User)->lineEdit(), user);
        type(change.box(ui::NewPassword), password);
        type(change.box(ui::Again), again);
        change.click(ui::ChangePassword);
        return change;
    }

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
        reset();
        browser.opened.clear();
        programEnds = 0;
    }
    void cleanup()
    {
        close();
        delete MDIForm1::existing();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The user's name in any case, the password as set; Enter in the
    // password box logs in too. The login screen hides, the shared
    // connection is closed again.
    void theRightPasswordReachesTheMainWindow()
    {
        auto login = logIn("admin", "ADMIN");
        QVERIFY(mainWindowShown() && login->isHidden());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
        cleanup();
        LOGIN byKeyboard;
        byKeyboard.show();
        QLineEdit* password = Operator(&byKeyboard).box(ui::Password);
        type(password, "ADMIN");
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(mainWindowShown());
        QVERIFY(messages.shown.isEmpty());
    }

    void refusedLogins()
    {
        // "admin" shifted leaves the letters: no row. The boxes keep what was typed.
        auto wrongCase = logIn("Admin", "admin");
        QCOMPARE(Operator(wrongCase.get()).texts({ui::User, ui::Password}), QString("Admin|admin"));
        auto unknown = logIn("Nobody", "ADMIN");
        QCOMPARE(told(messages), QStringList(2, NotAuthorised));
        // "FGH" is stored as "abc"; "&'(" shifts to "ABC", which the database
        // matches ignoring case: the exact comparison refuses it without a word.
        db.exec(userRow(2, "Clerk", "abc"));
        auto caseOnly = logIn("Clerk", "&'(");
        // An empty box: asked to fill it, nothing read.
        db.makeUnreachable();
        auto noPassword = logIn("Admin", "");
        auto noUser = logIn("", "ADMIN");
        db.makeReachable();
        QCOMPARE(told(messages), QStringList({NotAuthorised, NotAuthorised, "i Information: Fill Information",
                                              "i Information: Fill Information"}));
        QVERIFY(!mainWindowShown());
        auto right = logIn("clerk", "FGH");
        QVERIFY(mainWindowShown());
    }

    // "A" is compared as code 92; the last character that can be shifted is
    // 228 ("ä"); one beyond is refused in words that name it.
    void passwordCharactersAreShiftedOrRefused()
    {
        db.exec(userRow(2, "One", QChar(92)));
        db.exec(userRow(3, "Last", QChar(255)));
        for (const auto& [user, typed] : {std::pair{"One", QString("A")}, {"Last", QString(QChar(228))}}) {
            auto login = logIn(user, typed);
            QVERIFY2(mainWindowShown() && messages.shown.isEmpty(), user);
            cleanup();
        }
        for (const QString& password : {QString("ab") + QChar(233), QString(QChar(0x101))}) {
            messages.clear();
            auto login = logIn("Admin", password);
            QCOMPARE(messages.shown.size(), 1);
            QVERIFY2(messages.shown[0].text.contains(password.right(1)), qPrintable(messages.shown[0].text));
            QVERIFY(!mainWindowShown() && !login->isHidden());
        }
    }

    // A database that cannot be reached, or a login table that cannot be
    // read, is told as an error; nobody logs in.
    void databaseFailuresAreToldAndRefuse()
    {
        db.makeUnreachable();
        auto unreachable = logIn("Admin", "ADMIN");
        db.makeReachable();
        db.exec("ALTER TABLE UserTable RENAME TO UserTableAway");
        auto broken = logIn("Admin", "ADMIN");
        db.exec("ALTER TABLE UserTableAway RENAME TO UserTable");
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(told(messages)[0].startsWith("! "));
        QVERIFY2(told(messages)[1].startsWith("! ") && told(messages)[1].contains("usertable", Qt::CaseInsensitive),
                 qPrintable(told(messages)[1]));
        QVERIFY(!mainWindowShown());
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

    // The banners open the maker's page; the login's X ends the program.
    void xEndsTheProgramAndBannersOpenTheMakersPage()
    {
        LOGIN login;
        Operator(&login).click(ui::Banner);
        const Operator& about = open(ui::About);
        about.click(ui::Banner);
        QCOMPARE(browser.opened, QList<QUrl>(2, QUrl(maker::WebAddress)));
        QCOMPARE(programEnds, 0);
        Operator(&login).click(ui::End);
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    // Each menu entry opens its screen at the top, centred; chosen again, the
    // same window comes forward.
    void everyScreenOpensOnceAtTheTopCentred()
    {
        MDIForm1* main = loggedIn();
        QVERIFY(main);
        QMdiArea* area = main->mdiArea();
        const int areaWidth = area->viewport()->width();
        for (const auto& [entry, name] : ui::MenuScreens) {
            choose(main, entry);
            QMdiSubWindow* child = main->openWindow(name);
            QVERIFY2(child && area->activeSubWindow() == child, qPrintable(entry));
            QCOMPARE(child->widget()->size(), child->widget()->sizeHint());
            QVERIFY2(child->y() == 0 && child->width() < areaWidth && qAbs(2 * child->x() + child->width() - areaWidth) <= 1,
                     qPrintable(entry));
        }
        choose(main, ui::MakeBillEntry);
        QCOMPARE(area->subWindowList().size(), ui::MenuScreens.size());
        QCOMPARE(area->activeSubWindow(), main->openWindow(ui::BillOne));
        QVERIFY(messages.shown.isEmpty());
    }

    // Esc closes the child it is typed in, and it opens afresh; Close ends
    // the program without a question, whatever is typed anywhere.
    void escClosesTheChildOnly()
    {
        MDIForm1* main = loggedIn();
        QVERIFY(main);
        for (const auto& [entry, name, typedIn] : {std::tuple{ui::AboutEntry, ui::About, ui::Banner},
                                                   {ui::ChangePasswordEntry, ui::ChangePwd, ui::NewPassword},
                                                   {ui::MakeBillEntry, ui::BillOne, ui::Quantity}}) {
            choose(main, entry);
            QTest::keyClick(Operator(main->openWindow(name)->widget()).control(typedIn), Qt::Key_Escape);
            QVERIFY2(!main->openWindow(name), qPrintable(entry));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main->mdiArea()->subWindowList().isEmpty() && main->isVisible());
        choose(main, ui::ChangePasswordEntry);
        type(Operator(main->openWindow(ui::ChangePwd)->widget()).box(ui::NewPassword), "unsaved");
        QCOMPARE(programEnds, 0);
        choose(main, ui::CloseEntry);
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    // Quoting keeps what the password box takes a value, in the update and
    // at login; so are letters up to the transform's last ("ä").
    void theChangedPasswordIsTheOneThatLogsIn()
    {
        const QString password = "'; xÉä";
        changePassword("Admin", password, password);
        QCOMPARE(told(messages), QStringList{"i Admin: Password changed"});
        QCOMPARE(db.rows("SELECT userx, pwd FROM UserTable"), QStringList{"Admin|" + shifted(password)});
        QVERIFY(!Connectionx::sharedConnection().isOpen());
        messages.clear();
        auto old = logIn("Admin", "ADMIN");
        auto injected = logIn("Admin' or 'a'='a", password);
        QCOMPARE(told(messages), QStringList(2, NotAuthorised));
        auto fresh = logIn("Admin", password);
        QVERIFY(mainWindowShown());
    }

    // Two texts that differ clear the first two boxes; any box empty does
    // nothing; an unknown user or a character the transform cannot store is
    // told in words that name it. None of it stores anything.
    void passwordChangesThatStoreNothing()
    {
        const QStringList before = db.rows("SELECT * FROM UserTable");
        const Operator& different = changePassword("Admin", "abc", "ABC");
        QCOMPARE(different.texts({ui::User, ui::NewPassword, ui::Again}), QString("||ABC"));
        for (const auto& [user, password, again] : {std::tuple{"", "a", "a"}, {"Admin", "", "a"}, {"Admin", "a", ""},
                                                    {"Nobody", "x", "x"}, {"Admin", "på", "på"}})
            changePassword(user, password, again);
        QCOMPARE(told(messages), QStringList({"i Admin: Both password not same. Please re-enter both password",
                                              "i Admin: There is no user \"Nobody\". No password was changed.",
                                              "i Admin: The character \"å\" cannot be used in a password: it holds only "
                                              "characters of codes 0 to 228 (\"ä\" is the last)."}));
        QCOMPARE(op->text(ui::NewPassword), QString("på"));
        QCOMPARE(db.rows("SELECT * FROM UserTable"), before);
    }

    // A database without a letterhead shows none; the lines typed (letters
    // as capitals, pasted text as it is) replace the stored ones, which the
    // screen shows when it opens again and the next print starts with.
    void theShopDetailsSavedAreTheNextPrintsLetterhead()
    {
        db.exec("delete from ShopHeader");
        Operator shop = open(ui::ShopDetails);
        QCOMPARE(shop.texts(ui::LetterheadBoxes), QString("||||"));
        const QStringList lines{"asha stores", "1 mg road", "opp. bus stand", "pune", "98450 12345"};
        for (int line = 0; line < lines.size(); ++line)
            shop.type(ui::LetterheadBoxes[line], lines[line]);
        shop.box(ui::LetterheadBoxes[3])->setText("Pune 411001");
        shop.click(ui::Save);
        shop.type(ui::LetterheadBoxes[0], "sri asha stores");
        shop.click(ui::Save);
        QCOMPARE(told(messages), QStringList(2, "i Info: Saved"));
        QCOMPARE(db.rows("select * from ShopHeader"),
                 QStringList{"SRI ASHA STORES|1 MG ROAD|OPP. BUS STAND|Pune 411001|98450 12345"});
        QCOMPARE(open(ui::ShopDetails).texts(ui::LetterheadBoxes),
                 QString("SRI ASHA STORES|1 MG ROAD|OPP. BUS STAND|Pune 411001|98450 12345"));
        catalog::printListing("Customer");
        QCOMPARE(printed->allLines().mid(0, 5), QStringList({"SRI ASHA STORES", "1 MG ROAD", "OPP. BUS STAND", "Pune 411001",
                                                             "Mobile : 98450 12345"}));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
