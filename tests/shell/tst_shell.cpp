// The login, the main window with its menu, the password change and About.

#include "data/Connectionx.h"
#include "core/Dates.h"
#include "data/DatabaseBackup.h"
#include "data/Schema.h"
#include "shell/Backups.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "shell/ProgramEnd.h"
#include "support/AnsweringDialogs.h"
#include "support/ScreenBench.h"

#include <QDesktopServices>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>

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

QString userRow(int number, const QString& user, const QString& stored)
{
    return QString("INSERT INTO UserTable VALUES(%1, %2, %3, '-')").arg(number).arg(sql::text(user), sql::text(stored));
}

const QString NotAuthorised = "i Information: Not Authorised";

}  // namespace

class ShellTest : public QObject, ScreenBench {
    Q_OBJECT

    UrlCatcher browser;
    int programEnds = 0;

    // A fresh login screen with what the operator typed, LOGIN pressed (or Enter in the password box).
    std::unique_ptr<LOGIN> logIn(const QString& user, const QString& password, bool byEnter = false)
    {
        auto login = std::make_unique<LOGIN>();
        login->show();
        const Operator op(login.get());
        op.type(ui::User, user);
        op.type(ui::Password, password);
        if (byEnter)
            QTest::keyClick(op.box(ui::Password), Qt::Key_Return);
        else
            op.click(ui::LogIn);
        return login;
    }
    bool mainWindowShown() const { return MDIForm1::existing() && MDIForm1::existing()->isVisible(); }
    MDIForm1* loggedIn()
    {
        auto login = logIn("Admin", "ADMIN");
        MDIForm1* main = MDIForm1::existing();
        main->showNormal();  // a size of the test's own, for the screens' layout
        main->resize(1200, 900);
        messages.clear();
        return QTest::qWaitForWindowExposed(main) ? main : nullptr;
    }
    static void choose(MDIForm1* main, const QString& entry) { main->findChild<QAction*>(entry)->trigger(); }
    // Make Bill Simple opened on a 1024 x 600 laptop's display, less the window's frame.
    static QMdiSubWindow* billOneOnASmallDisplay(MDIForm1* main)
    {
        main->resize(1024, 560);
        choose(main, ui::MakeBillEntry);
        QMdiSubWindow* child = main->openWindow(ui::BillOne);
        QApplication::processEvents();
        return child;
    }
    const Operator& changePassword(const QString& user, const QString& password, const QString& again)
    {
        const Operator& change = open(ui::ChangePwd);
        change.type(ui::User, user);
        change.type(ui::NewPassword, password);
        change.type(ui::Again, again);
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

    void theLoginLetsInOnlyTheRightPassword_data()
    {
        QTest::addColumn<QString>("change");  // a statement, "unreachable" or "no user table"
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("said");  // the one message, as a pattern; none: nothing said, and in
        // "FGH" is stored as "abc"; the last character that can be shifted is 228 ("ä").
        QTest::newRow("the name in any case") << "" << "admin" << "ADMIN" << "";
        QTest::newRow("shifted") << userRow(2, "clerk", "abc") << "clerk" << "FGH" << "";
        QTest::newRow("the last shiftable") << userRow(2, "Last", QString(QChar(255))) << "Last" << QString(QChar(228)) << "";
        // "admin" shifted leaves the letters: no row.
        QTest::newRow("wrong case") << "" << "Admin" << "admin" << "^" + NotAuthorised + "$";
        // "&'(" shifts to "ABC", which the database matches ignoring case: the exact comparison refuses it without a word.
        QTest::newRow("case only") << userRow(2, "Clerk", "abc") << "Clerk" << "&'(" << "refused";
        // An empty box: asked to fill it, nothing read.
        QTest::newRow("no password") << "unreachable" << "Admin" << "" << "^i Information: Fill Information$";
        // One beyond the last shiftable is refused in words that name it.
        QTest::newRow("é") << "" << "Admin" << QString("ab") + QChar(233) << QString(QChar(233));
        // A database that cannot be reached, or a login table that cannot be read, is told as an error.
        QTest::newRow("unreachable") << "unreachable" << "Admin" << "ADMIN" << "^! ";
        QTest::newRow("no user table") << "no user table" << "Admin" << "ADMIN" << "^! .*usertable";
    }
    // Refused, the boxes keep what was typed. Either way the shared connection is closed again.
    void theLoginLetsInOnlyTheRightPassword()
    {
        QFETCH(QString, change);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, said);
        if (change == "unreachable")
            db.makeUnreachable();
        else if (!change.isEmpty())
            db.exec(change == "no user table" ? "ALTER TABLE UserTable RENAME TO UserTableAway" : change);
        auto login = logIn(user, password);
        if (change == "unreachable")
            db.makeReachable();
        if (change == "no user table")
            db.exec("ALTER TABLE UserTableAway RENAME TO UserTable");
        const QStringList all = told(messages);
        const bool in = said.isEmpty(), silent = in || said == "refused";
        const QRegularExpression pattern(said, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(silent ? all.isEmpty() : all.size() == 1 && pattern.match(all[0]).hasMatch(), qPrintable(all.join(" / ")));
        QCOMPARE(mainWindowShown(), in);
        // The tests' display (800 x 600) has no room for the full-size window and its title bar: it is filled.
        if (in)
            QVERIFY(MDIForm1::existing()->isMaximized());
        QCOMPARE(login->isHidden(), in);
        if (!in)
            QCOMPARE(Operator(login.get()).texts({ui::User, ui::Password}), user + '|' + password);
        QVERIFY(!Connectionx::sharedConnection().isOpen());
    }

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

    // Chosen again, the same window comes forward.
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

    // Where a screen's grid goes on below the area, the arrow keys moving its current row
    // there scroll the area after it: Delete Serial deletes the row the operator sees.
    void aGridRowMovedOutOfSightByTheKeysIsScrolledTo()
    {
        for (int serial = 1; serial <= 14; ++serial)
            db.exec(rows::billLine(1, serial, "TEA", 1, 10));
        MDIForm1* main = loggedIn();
        QVERIFY(main);
        QMdiSubWindow* child = billOneOnASmallDisplay(main);
        QMdiArea* area = main->mdiArea();
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        QVERIFY(Operator(child->widget()).pick(ui::Number, "1"));
        auto* grid = child->findChild<QTableView*>(ui::Grid);
        QCOMPARE(grid->model()->rowCount(), 14);
        grid->setFocus(Qt::TabFocusReason);
        const auto currentInSight = [&] {
            const QRect cell = grid->visualRect(grid->currentIndex());
            return area->viewport()->rect().contains(QRect(grid->viewport()->mapTo(area->viewport(), cell.topLeft()), cell.size()));
        };
        QVERIFY(currentInSight());
        for (int row = 1; row < 14; ++row) {
            QTest::keyClick(grid, Qt::Key_Down);
            QTRY_VERIFY2(currentInSight(), qPrintable(QString::number(row)));
        }
        QCOMPARE(grid->currentIndex().row(), 13);
    }

    // On a small display (a 1024 x 600 laptop) every part of a screen can be scrolled to, and a screen
    // dragged out of sight comes back to its place when chosen again.
    void aScreenLargerThanTheWindowIsScrolledToAndOneOutOfSightComesBack()
    {
        MDIForm1* main = loggedIn();
        QVERIFY(main);
        QMdiSubWindow* child = billOneOnASmallDisplay(main);
        QMdiArea* area = main->mdiArea();
        QVERIFY(child->height() > area->viewport()->height());
        QCOMPARE(area->verticalScrollBar()->maximum(), child->geometry().bottom() + 1 - area->viewport()->height());

        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        child->move(area->viewport()->width() - 20, area->viewport()->height() - 10);
        choose(main, ui::MakeBillEntry);
        QVERIFY2(child->y() == 0 && child->x() >= 0, qPrintable(QString("%1,%2").arg(child->x()).arg(child->y())));
        const QPoint shown = child->pos();
        choose(main, ui::MakeBillEntry);  // in sight: left where it is
        QCOMPARE(child->pos(), shown);

        // Maximised where it cannot shrink to the area, it stays at its size, and its foot is scrolled to;
        // the typing stays in its box.
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        // The focus moved onto a control out of sight (Tab, a shortcut) brings it into sight.
        const auto inSight = [area](QWidget* control) {
            return area->viewport()->rect().contains(QRect(control->mapTo(area->viewport(), QPoint()), control->size()));
        };
        for (const QString& name : {ui::Grid, ui::PartyNumber}) {
            QWidget* control = Operator(child->widget()).control(name);
            QVERIFY2(!inSight(control), qPrintable(name));
            control->setFocus(Qt::TabFocusReason);
            QVERIFY2(inSight(control), qPrintable(name));
        }
        // Of a grid wider than the area, the current cell: the MRP the operator types next.
        db.exec(rows::batchRow(1, "C1", "RICE", "B1", 5, 40));
        main->resize(600, 560);
        choose(main, "mnuSellingPrices");
        QMdiSubWindow* prices = main->openWindow(ui::SellingPrices);
        QApplication::processEvents();
        auto* grid = prices->findChild<QTableView*>(ui::Grid);
        QVERIFY(grid->width() > area->viewport()->width());
        const QModelIndex mrp = grid->model()->index(0, grid->model()->columnCount() - 1);
        grid->setCurrentIndex(mrp);
        area->horizontalScrollBar()->setValue(0);
        grid->setFocus(Qt::TabFocusReason);
        const QRect cell(grid->viewport()->mapTo(area->viewport(), grid->visualRect(mrp).topLeft()), grid->visualRect(mrp).size());
        QVERIFY2(area->viewport()->rect().contains(cell), qPrintable(QString("%1,%2").arg(cell.x()).arg(cell.right())));
        prices->close();
        main->resize(1024, 560);
        QApplication::processEvents();
        QWidget* quantity = Operator(child->widget()).control(ui::Quantity);
        quantity->setFocus();
        child->showMaximized();
        QApplication::processEvents();
        QVERIFY(!child->isMaximized() && area->verticalScrollBar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), quantity);
        // Maximised where it fits, it fills the area from its top, with nothing to scroll.
        main->resize(1200, 900);
        QApplication::processEvents();
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        child->showMaximized();
        QApplication::processEvents();
        QVERIFY(child->isMaximized() && !area->verticalScrollBar()->isVisible() && !area->horizontalScrollBar()->isVisible());
        QCOMPARE(child->pos(), QPoint(0, 0));
    }

    // Close ends the program without a question, whatever is typed anywhere.
    void escClosesTheChildOnly()
    {
        MDIForm1* main = loggedIn();
        QVERIFY(main);
        choose(main, ui::MakeBillEntry);
        QTest::keyClick(Operator(main->openWindow(ui::BillOne)->widget()).control(ui::Quantity), Qt::Key_Escape);
        QVERIFY(!main->openWindow(ui::BillOne));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(main->mdiArea()->subWindowList().isEmpty() && main->isVisible());
        choose(main, ui::ChangePasswordEntry);
        Operator(main->openWindow(ui::ChangePwd)->widget()).type(ui::NewPassword, "unsaved");
        QCOMPARE(programEnds, 0);
        choose(main, ui::CloseEntry);
        QCOMPARE(programEnds, 1);
        QVERIFY(messages.shown.isEmpty());
    }

    // Quoted, in the update and at login; letters up to the transform's last ("ä").
    void theChangedPasswordIsTheOneThatLogsIn()
    {
        const QString password = "'; xÉä";
        changePassword("Admin", password, password);
        QCOMPARE(told(messages), QStringList{"i Admin: Password changed"});
        QString stored;  // each code plus 27
        for (const QChar c : password)
            stored += QChar(c.unicode() + 27);
        QCOMPARE(db.rows("SELECT userx, pwd FROM UserTable"), QStringList{"Admin|" + stored});
        QVERIFY(!Connectionx::sharedConnection().isOpen());
        messages.clear();
        auto old = logIn("Admin", "ADMIN");
        auto injected = logIn("Admin' or 'a'='a", password);
        QCOMPARE(told(messages), QStringList(2, NotAuthorised));
        auto fresh = logIn("Admin", password, true);
        QVERIFY(mainWindowShown());
    }

    // Two texts that differ clear the first two boxes; any box empty does nothing.
    void passwordChangesThatStoreNothing()
    {
        const QStringList before = db.rows("SELECT * FROM UserTable");
        const Operator& different = changePassword("Admin", "abc", "ABC");
        QCOMPARE(different.texts({ui::User, ui::NewPassword, ui::Again}), QString("||ABC"));
        for (const auto& [user, password, again] : {std::tuple{"", "a", "a"}, {"Admin", "", "a"}, {"Admin", "a", ""}, {"Nobody", "x", "x"}})
            changePassword(user, password, again);
        QCOMPARE(told(messages), QStringList({"i Admin: Both password not same. Please re-enter both password",
                                              "i Admin: There is no user \"Nobody\". No password was changed."}));
        QCOMPARE(db.rows("SELECT * FROM UserTable"), before);
    }

    // Letters as capitals, pasted text as it is.
    void theShopDetailsSavedAreTheNextPrintsLetterhead()
    {
        db.exec("delete from ShopHeader");
        Operator shop = open(ui::ShopDetails);
        QCOMPARE(shop.texts(ui::LetterheadBoxes), QString("||||"));
        const QStringList lines{"sri asha stores", "1 mg road", "opp. bus stand", "pune", "98450 12345"};
        for (int line = 0; line < lines.size(); ++line)
            shop.type(ui::LetterheadBoxes[line], lines[line]);
        shop.box(ui::LetterheadBoxes[3])->setText("Pune 411001");
        shop.click(ui::Save);
        QCOMPARE(told(messages), QStringList{"i Info: Saved"});
        QCOMPARE(db.rows("select * from ShopHeader"),
                 QStringList{"SRI ASHA STORES|1 MG ROAD|OPP. BUS STAND|Pune 411001|98450 12345"});
        QCOMPARE(open(ui::ShopDetails).texts(ui::LetterheadBoxes),
                 QString("SRI ASHA STORES|1 MG ROAD|OPP. BUS STAND|Pune 411001|98450 12345"));
        catalog::printListing("Customer");
        QCOMPARE(printed->allLines().mid(0, 5).join('|'), QString("SRI ASHA STORES|1 MG ROAD|OPP. BUS STAND|Pune 411001|Mobile : 98450 12345"));
    }

    // The shop's file keeps a copy of itself for each of the last 30 days the program was used, made
    // at the day's first login; one that cannot be made is told and the program works on. File >
    // Back Up copies it where the operator chooses. A server backs itself up.
    void theDatabaseKeepsADailyCopyAndOneOnRequest()
    {
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        db.exec("insert into Customer values(1,'ASHA','','1')");
        AnsweringDialogs dialogs;
        const QTemporaryDir stick;
        dialogs.answer = stick.filePath("Bill-copy.db");
        if (TestDatabase::onServer()) {
            choose(loggedIn(), "mnuBackUp");
            QCOMPARE(messages.texts(), QStringList{"The database is on a server: it is backed up there, with the server's own tools (pg_dump)."});
            QVERIFY(!QFile::exists(dialogs.answer));
            return;
        }
        const auto customersIn = [](const QString& copy) {
            return TestDatabase::rowsAt(schema::sqliteConnectionString(copy, schema::Journal::AsTheFileHasIt), "select ITEM from Customer");
        };
        const QDir folder = QFileInfo(db.path()).dir();
        const QString base = QFileInfo(db.path()).completeBaseName();
        const auto copies = [&] { return QDir(folder.filePath("backups")).entryList({base + "-*.db"}, QDir::Files, QDir::Name); };
        QDir(folder.filePath("backups")).removeRecursively();  // made by the logins before
        QFile blocking(folder.filePath("backups"));  // a file where the folder would be
        QVERIFY(blocking.open(QIODevice::WriteOnly));
        blocking.close();
        dates::setToday(QDate(2026, 11, 1));
        logIn("Admin", "ADMIN");
        QVERIFY(mainWindowShown());
        QVERIFY2(messages.texts().value(0).startsWith("The day's backup of the database could not be made in " + folder.filePath("backups")),
                 qPrintable(messages.texts().join('\n')));
        delete MDIForm1::existing();
        QVERIFY(blocking.remove() && folder.mkdir("backups"));
        QFile other(folder.filePath("backups/notes.txt"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        // What copies stopped part-way left: a gone process's is taken away, a running one's stays.
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const qint64 gonePid = gone.processId();
        QVERIFY(gone.waitForFinished());
        const QStringList partials{base + "-2026-10-31.db.partial-" + QString::number(gonePid),
                                   base + "-2026-10-31.db.partial-1"};
        for (const QString& name : partials + QStringList{partials.first() + "-journal"}) {
            QFile partial(folder.filePath("backups/" + name));
            QVERIFY(partial.open(QIODevice::WriteOnly));
        }

        messages.clear();
        logIn("Admin", "ADMIN");
        QCOMPARE(copies(), QStringList{base + "-2026-11-01.db"});
        QCOMPARE(QDir(folder.filePath("backups")).entryList({"*.partial-*"}, QDir::Files), QStringList{partials.last()});
        QCOMPARE(customersIn(folder.filePath("backups/" + copies().value(0))), QStringList{"ASHA"});
        delete MDIForm1::existing();
        db.exec("delete from Customer");
        logIn("Admin", "ADMIN");  // the same day: the morning's copy stays as it was
        QCOMPARE(customersIn(folder.filePath("backups/" + copies().value(0))), QStringList{"ASHA"});
        for (int day = 2; day <= 32; ++day) {
            dates::setToday(QDate(2026, 11, 1).addDays(day - 1));
            shell::keepTheDaysBackup();
        }
        QCOMPARE(copies().size(), 30);
        QCOMPARE(copies().value(0), base + "-2026-11-03.db");
        QCOMPARE(copies().value(29), base + "-2026-12-02.db");
        QVERIFY(other.exists());
        QCOMPARE(messages.texts(), QStringList());
        // A program left open past midnight tries the new day's copy as the day begins, once.
        // A disk nearly full keeps its room for the shop's own writes: no copy, and the operator is told.
        QTimer* eachDay = MDIForm1::existing()->findChild<QTimer*>("dailyBackup");
        QVERIFY(eachDay && eachDay->isActive());
        databasebackup::setFreeBytes([](const QString&) { return qint64(100) * 1024 * 1024; });
        auto realDisk = qScopeGuard([] { databasebackup::setFreeBytes({}); });
        dates::setToday(QDate(2026, 12, 3));
        QVERIFY(QMetaObject::invokeMethod(eachDay, "timeout"));
        QVERIFY(QMetaObject::invokeMethod(eachDay, "timeout"));
        QCOMPARE(messages.texts().size(), 1);
        QVERIFY2(messages.texts().value(0).contains("the disk has 100 MB free, and the copy"), qPrintable(messages.texts().join('\n')));
        QCOMPARE(copies().value(29), base + "-2026-12-02.db");
        messages.clear();
        realDisk.dismiss();
        databasebackup::setFreeBytes({});
        dates::setToday(QDate(2026, 12, 4));
        QVERIFY(QMetaObject::invokeMethod(eachDay, "timeout"));
        QCOMPARE(copies().value(29), base + "-2026-12-04.db");

        db.exec("insert into Customer values(2,'BINA','','2')");
        MDIForm1* main = MDIForm1::existing();
        dialogs.answer.clear();  // cancelled
        choose(main, "mnuBackUp");
        QCOMPARE(QDir(stick.path()).entryList(QDir::Files), QStringList());
        dialogs.answer = stick.filePath("Bill-copy.db");
        choose(main, "mnuBackUp");
        QCOMPARE(customersIn(dialogs.answer), QStringList{"BINA"});
        QCOMPARE(messages.texts(), QStringList{"The database was backed up to " + dialogs.answer + "."});
        // The database itself, reached through a link to its folder: refused, the database untouched.
        QVERIFY(QFile::link(folder.path(), stick.filePath("link")));
        dialogs.answer = stick.filePath("link/" + QFileInfo(db.path()).fileName());
        choose(main, "mnuBackUp");
        QVERIFY(messages.texts().value(1).contains("is the database itself"));
        dialogs.answer = db.path() + "-journal";  // which SQLite would delete as a journal left behind
        choose(main, "mnuBackUp");
        QVERIFY(messages.texts().value(2).contains("is the database itself (its journal)"));
        QVERIFY(!QFile::exists(dialogs.answer));
        QCOMPARE(db.rows("select ITEM from Customer"), QStringList{"BINA"});
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
