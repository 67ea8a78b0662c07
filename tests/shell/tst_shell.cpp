// The login, the main window with its menu, the password change and About,
// used as an operator would.

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "kit/DataScreen.h"
#include "kit/Twips.h"
#include "shell/About.h"
#include "shell/ChangePwd.h"
#include "shell/CheckM.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "kit/Maker.h"
#include "shell/ProgramEnd.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

using Kind = RecordingMessages::Kind;

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
QString userRow(int number, const QString& user, const QString& storedPassword)
{
    return QStringLiteral("INSERT INTO UserTable VALUES(%1, '%2', '%3', '-')")
        .arg(number)
        .arg(user, QString(storedPassword).replace("'", "''"));
}

QString shiftedByHand(const QString& password)
{
    QString shifted;
    for (const QChar c : password)
        shifted += QChar(c.unicode() + 27);
    return shifted;
}

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
        if (main) {
            main->resize(1200, 900);
            if (!QTest::qWaitForWindowExposed(main))
                return nullptr;
        }
        messages.clear();
        return main;
    }

    QAction* entry(MDIForm1* main, const char* name) { return main->findChild<QAction*>(name); }

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

    // --- login ---------------------------------------------------------------

    void loginScreenAsItOpens()
    {
        LOGIN login;
        QCOMPARE(login.txtUID->currentText(), QString("Admin"));
        QVERIFY(login.TXTpass->text().isEmpty());
        // Nothing read yet: no database, no message.
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!MDIForm1::existing());

        type(login.TXTpass, "Ab'1");
        QCOMPARE(login.TXTpass->displayText(), QString("XXXX"));
        QCOMPARE(login.TXTpass->text(), QString("Ab'1"));  // no key rules: typed as is
    }

    void rightPasswordReachesTheMainWindow()
    {
        auto login = logIn("admin", "ADMIN");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
        QCOMPARE(MDIForm1::existing()->windowTitle(), QString("Bill Software"));
        QVERIFY(login->isHidden());
        // The stored form of "ADMIN" is each code plus 27.
        QCOMPARE(Connectionx::sharedSql(),
                 QString("Select * from usertable where userx = 'admin' And pwd = '\\_hdi'"));
        QVERIFY(!Connectionx::sharedConnection().isOpen());

        cleanup();
        auto again = logIn("ADMIN", "ADMIN");
        QVERIFY(mainWindowShown());

        // Enter in the password box presses the login button.
        cleanup();
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
        QCOMPARE(messages.texts(), QStringList{"Not Authorised"});
        QCOMPARE(messages.shown[0].caption, QString("Information"));
        QCOMPARE(messages.shown[0].kind, Kind::Information);
        QVERIFY(!mainWindowShown());
        QVERIFY(!wrongCase->isHidden());
        QCOMPARE(wrongCase->txtUID->currentText(), QString("Admin"));
        QCOMPARE(wrongCase->TXTpass->text(), QString("admin"));

        messages.clear();
        auto unknown = logIn("Nobody", "ADMIN");
        QCOMPARE(messages.texts(), QStringList{"Not Authorised"});
        QVERIFY(!mainWindowShown());

        // A password whose shifted form is letters: "FGH" is stored as "abc".
        // "&'(" shifts to "ABC", which the database matches ignoring case;
        // the exact comparison refuses it without a word.
        db.exec(userRow(2, "Clerk", "abc"));
        messages.clear();
        auto caseOnly = logIn("Clerk", "&'(");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!mainWindowShown());
        QVERIFY(!caseOnly->isHidden());
        auto right = logIn("clerk", "FGH");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
    }

    void emptyBoxesAskForInformation()
    {
        db.makeUnreachable();  // nothing may be read for these
        auto noPassword = logIn("Admin", "");
        auto noUser = logIn("", "ADMIN");
        db.makeReachable();
        QCOMPARE(messages.texts(), (QStringList{"Fill Information", "Fill Information"}));
        for (const auto& shown : messages.shown) {
            QCOMPARE(shown.caption, QString("Information"));
            QCOMPARE(shown.kind, Kind::Information);
        }
        QVERIFY(!mainWindowShown());
    }

    void passwordCharactersBeyondTheTransformAreRefused()
    {
        QCOMPARE(CheckM::ShiftText("A", 27), QString(QChar(92)));
        // The last character that can be shifted: 228 becomes 255.
        db.exec(userRow(2, "Last", QString(QChar(255))));
        auto last = logIn("Last", QString(QChar(228)));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
        cleanup();

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

    void oneCharacterPasswordIsComparedShifted()
    {
        db.exec(userRow(2, "One", QString(QChar(92))));
        auto login = logIn("One", "A");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
        QVERIFY(Connectionx::sharedSql().endsWith(QString("pwd = '") + QChar(92) + "'"));
    }

    void databaseFailuresAreShownAndRefuse()
    {
        db.makeUnreachable();
        auto unreachable = logIn("Admin", "ADMIN");
        db.makeReachable();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, Kind::Error);
        QVERIFY(!messages.shown[0].text.isEmpty());
        QVERIFY(!mainWindowShown());
        QVERIFY(!unreachable->isHidden());

        messages.clear();
        {
            TableAway away(db);
            auto broken = logIn("Admin", "ADMIN");
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, Kind::Error);
            QVERIFY2(messages.shown[0].text.contains("usertable", Qt::CaseInsensitive),
                     qPrintable(messages.shown[0].text));
            QVERIFY(!mainWindowShown());
            QVERIFY(!Connectionx::sharedConnection().isOpen());
        }
        QVERIFY(CheckM::CheckLogin("Admin", CheckM::ShiftText("ADMIN", 27)));
    }

    void xEndsTheProgramWithoutAQuestion()
    {
        LOGIN login;
        QTest::mouseClick(login.findChild<QPushButton*>("cmd"), Qt::LeftButton);
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    void bannersOpenTheMakersPageEachTime()
    {
        LOGIN login;
        QTest::mouseClick(login.Command1, Qt::LeftButton);
        About about;
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QCOMPARE(browser.opened.size(), 3);
        for (const QUrl& url : browser.opened)
            QCOMPARE(url, QUrl(maker::WebAddress));
        QVERIFY(messages.shown.isEmpty());
    }

    // --- main window -------------------------------------------------------

    void menuHoldsEveryEntry()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        const QList<QPair<QString, QStringList>> tree = {
            {"mnuFile|&File", {"mnuClose|&Close"}},
            {"mnuItem|&Item", {"mnuItemEntry|&Item Entry", "mnuPrintItemData|&Print Item Data"}},
            {"mnuCustomer|&Customer", {"mnuCustomerEntry|&Customer Entry", "mnuPrintCustomerData|&Print Cutomer Data"}},
            {"mnuSupplier_|&Supplier", {"mnuSupplier|&Supplier Entry", "mnuPrintSupplierData|&Print Supplier Data"}},
            {"mnuReceive|&Receive", {"mnuItemReceive|&Item Receive", "mnuItemReceiveQuery|&Item Receive Query"}},
            {"mnuStock|&Stock", {"mnuStockQuery|&Stock Query"}},
            {"mnuBill_|&Bill",
             {"mnuMakeBill|&Make Bill Simple", "mnuMakeBillWithDetails|&Make Bill With Details", "mnuBill|&BillQuery"}},
            {"mnuExpenditure|&Expenditure",
             {"mnuExpenditureHead|&Expenditure Head Entry", "mnuPersonnelEntry|&Personnel Entry",
              "mnuExpenditur_Detail|&Expenditure Detail Entry", "mnuExpenditureQuery|&Expenditure Query"}},
            {"mnuAdmin|&Admin", {"mnuChangePassword|&Change Password", "mnuAbout|&About"}},
            {"mnuHelp|&Help", {}},
        };
        const QList<QAction*> bar = main->menuBar()->actions();
        QCOMPARE(bar.size(), tree.size());
        for (int i = 0; i < tree.size(); ++i) {
            const QStringList top = tree[i].first.split('|');
            QMenu* menu = bar[i]->menu();
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), top[0]);
            QCOMPARE(menu->title(), top[1]);
            const QList<QAction*> entries = menu->actions();
            QCOMPARE(entries.size(), tree[i].second.size());
            for (int j = 0; j < entries.size(); ++j) {
                const QStringList e = tree[i].second[j].split('|');
                QCOMPARE(entries[j]->objectName(), e[0]);
                QCOMPARE(entries[j]->text(), e[1]);
            }
        }
        QVERIFY(!bar.last()->isEnabled());  // Help: nothing in it
    }

    void everyScreenOpensOnceAtTheTopCentred()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        const QList<QStringList> screens = {
            {"mnuItemEntry", "ItemEntry", "Item Entry"},
            {"mnuCustomerEntry", "CustomerEnty", "Customer Entry"},
            {"mnuSupplier", "Supplier", "Supplier"},
            {"mnuItemReceive", "ItemInFrm", "Item Receive"},
            {"mnuItemReceiveQuery", "ReceiveItemQuery", "Receive Item Query"},
            {"mnuStockQuery", "StockQuery", "Stock"},
            {"mnuMakeBill", "BillOne", "Bill"},
            {"mnuMakeBillWithDetails", "BillTwo", "Bill Two"},
            {"mnuBill", "PrintAll", "Bill Query"},
            {"mnuExpenditureHead", "Expenditure_Head", "Expenditure Head"},
            {"mnuPersonnelEntry", "ExpenditurePersonnelEntry", "Personnel Entry"},
            {"mnuExpenditur_Detail", "Expenditure", "Expenditure"},
            {"mnuExpenditureQuery", "ExpenditureQuery", "Expenditure Query"},
            {"mnuChangePassword", "ChangePwd", "Change Password"},
            {"mnuAbout", "About", "About"},
        };
        QMdiArea* area = main->mdiArea();
        const int areaWidth = area->viewport()->width();
        for (const QStringList& s : screens) {
            QAction* action = entry(main, qPrintable(s[0]));
            QVERIFY2(action, qPrintable(s[0]));
            action->trigger();
            QMdiSubWindow* child = main->openWindow(s[1]);
            QVERIFY2(child, qPrintable(s[1]));
            auto* screen = qobject_cast<DataScreen*>(child->widget());
            QVERIFY(screen);
            QCOMPARE(screen->windowTitle(), s[2]);
            QCOMPARE(area->activeSubWindow(), child);
            QCOMPARE(screen->size(), screen->sizeHint());
            QCOMPARE(child->y(), 0);
            QVERIFY2(child->width() < areaWidth, qPrintable(s[1]));
            QVERIFY2(qAbs(2 * child->x() + child->width() - areaWidth) <= 1, qPrintable(s[1]));
        }
        QCOMPARE(area->subWindowList().size(), screens.size());
        // A screen not built yet stands in with the designed size.
        QCOMPARE(main->openWindow("StockQuery")->widget()->sizeHint(), twips::toPixels(11895, 9120, main));

        // Chosen again: the same window comes forward, not a second one.
        entry(main, "mnuMakeBill")->trigger();
        QCOMPARE(area->subWindowList().size(), screens.size());
        QCOMPARE(area->activeSubWindow(), main->openWindow("BillOne"));
        QVERIFY(messages.shown.isEmpty());
    }

    void chosenAgainKeepsItsContents()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        entry(main, "mnuChangePassword")->trigger();
        QMdiSubWindow* first = main->openWindow("ChangePwd");
        auto* screen = qobject_cast<ChangePwd*>(first->widget());
        QVERIFY(screen);
        type(screen->txtUID->lineEdit(), "Admin");
        entry(main, "mnuAbout")->trigger();
        QCOMPARE(main->mdiArea()->activeSubWindow(), main->openWindow("About"));

        entry(main, "mnuChangePassword")->trigger();
        QCOMPARE(main->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(main->openWindow("ChangePwd"), first);
        QCOMPARE(main->mdiArea()->activeSubWindow(), first);
        QCOMPARE(screen->txtUID->currentText(), QString("Admin"));
    }

    void escClosesTheChildOnly()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        for (const char* name : {"mnuAbout", "mnuChangePassword", "mnuMakeBill"})
            entry(main, name)->trigger();

        auto* about = main->openWindow("About")->widget();
        QTest::keyClick(about->findChild<QPushButton*>("Command1"), Qt::Key_Escape);
        QCOMPARE(main->openWindow("About"), nullptr);

        auto* change = qobject_cast<ChangePwd*>(main->openWindow("ChangePwd")->widget());
        QTest::keyClick(change->txtPwd, Qt::Key_Escape);
        QCOMPARE(main->openWindow("ChangePwd"), nullptr);

        QTest::keyClick(main->openWindow("BillOne")->widget(), Qt::Key_Escape);
        QCOMPARE(main->openWindow("BillOne"), nullptr);

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main->mdiArea()->subWindowList().isEmpty());
        QVERIFY(main->isVisible());
        QCOMPARE(programEnds, 0);
        QVERIFY(browser.opened.isEmpty());

        // And it opens again afresh.
        entry(main, "mnuAbout")->trigger();
        QVERIFY(main->openWindow("About"));
    }

    void closeEndsTheProgramWithoutAQuestion()
    {
        MDIForm1* main = loggedInMainWindow();
        QVERIFY(main);
        entry(main, "mnuChangePassword")->trigger();
        auto* change = qobject_cast<ChangePwd*>(main->openWindow("ChangePwd")->widget());
        type(change->txtPwd, "unsaved");
        entry(main, "mnuClose")->trigger();
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    // --- password change -------------------------------------------------

    void changedPasswordIsTheOneThatLogsIn()
    {
        ChangePwd change;
        QCOMPARE(change.windowTitle(), QString("Change Password"));
        QCOMPARE(change.sizeHint(), twips::toPixels(5985, 2595, &change));
        type(change.txtUID->lineEdit(), "Admin");
        type(change.txtPwd, "new1");
        type(change.txtReenter, "new1");
        QCOMPARE(change.txtPwd->displayText(), QString("XXXX"));
        QTest::mouseClick(change.CmdPass, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList{"Password changed"});
        QCOMPARE(messages.shown[0].caption, QString("Admin"));
        QCOMPARE(db.rows("SELECT userx, pwd FROM UserTable"), QStringList{"Admin|" + shiftedByHand("new1")});
        QVERIFY(!Connectionx::sharedConnection().isOpen());

        messages.clear();
        auto old = logIn("Admin", "ADMIN");
        QCOMPARE(messages.texts(), QStringList{"Not Authorised"});
        QVERIFY(!mainWindowShown());
        messages.clear();
        auto fresh = logIn("Admin", "new1");
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(mainWindowShown());
    }

    void differentPasswordsEmptyTheUserAndFirstBox()
    {
        ChangePwd change;
        type(change.txtUID->lineEdit(), "Admin");
        type(change.txtPwd, "abc");
        type(change.txtReenter, "ABC");
        QTest::mouseClick(change.CmdPass, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList{"Both password not same. Please re-enter both password"});
        QCOMPARE(messages.shown[0].caption, QString("Admin"));
        QVERIFY(change.txtUID->currentText().isEmpty());
        QVERIFY(change.txtPwd->text().isEmpty());
        QCOMPARE(change.txtReenter->text(), QString("ABC"));
        QCOMPARE(db.value("SELECT pwd FROM UserTable").toString(), shiftedByHand("ADMIN"));
    }

    void passwordChangeCasesThatStoreNothing()
    {
        const QStringList before = db.rows("SELECT * FROM UserTable");

        // Any box empty: nothing at all.
        for (const QStringList& boxes : QList<QStringList>{{"", "a", "a"}, {"Admin", "", "a"}, {"Admin", "a", ""}}) {
            ChangePwd change;
            type(change.txtUID->lineEdit(), boxes[0]);
            type(change.txtPwd, boxes[1]);
            type(change.txtReenter, boxes[2]);
            QTest::mouseClick(change.CmdPass, Qt::LeftButton);
        }
        QVERIFY(messages.shown.isEmpty());

        // An unknown user: told as usual, nothing changed.
        {
            ChangePwd change;
            type(change.txtUID->lineEdit(), "Nobody");
            type(change.txtPwd, "x");
            type(change.txtReenter, "x");
            QTest::mouseClick(change.CmdPass, Qt::LeftButton);
            QCOMPARE(messages.texts(), QStringList{"Password changed"});
        }

        // A character the transform cannot store: refused, not reported as changed.
        messages.clear();
        {
            ChangePwd change;
            const QString password = QString("p") + QChar(233);
            type(change.txtUID->lineEdit(), "Admin");
            type(change.txtPwd, password);
            type(change.txtReenter, password);
            QTest::mouseClick(change.CmdPass, Qt::LeftButton);
            QCOMPARE(messages.shown.size(), 1);
            QVERIFY(messages.shown[0].text.contains(QChar(233)));
            QCOMPARE(change.txtPwd->text(), password);
        }

        // A failing update: only its description, never "Password changed".
        messages.clear();
        {
            TableAway away(db);
            ChangePwd change;
            type(change.txtUID->lineEdit(), "Admin");
            type(change.txtPwd, "x");
            type(change.txtReenter, "x");
            QTest::mouseClick(change.CmdPass, Qt::LeftButton);
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, Kind::Error);
            QVERIFY(!Connectionx::sharedConnection().isOpen());
        }
        QCOMPARE(db.rows("SELECT * FROM UserTable"), before);
    }

    void quotesInNamesAndPasswordsStayText()
    {
        // The password box takes any typed key; quoting keeps it a value.
        ChangePwd change;
        type(change.txtUID->lineEdit(), "Admin");
        type(change.txtPwd, "'; x");
        type(change.txtReenter, "'; x");
        QTest::mouseClick(change.CmdPass, Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList{"Password changed"});
        QCOMPARE(db.value("SELECT pwd FROM UserTable").toString(), shiftedByHand("'; x"));

        messages.clear();
        auto login = logIn("Admin' or 'a'='a", "'; x");
        QCOMPARE(messages.texts(), QStringList{"Not Authorised"});
        auto right = logIn("Admin", "'; x");
        QVERIFY(mainWindowShown());
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
