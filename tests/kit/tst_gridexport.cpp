// A grid's rows to a spreadsheet: its context menu copies them as
// tab-separated text and saves them as CSV, every row of the result.

#include "data/RunDatabase.h"
#include "kit/Grid.h"
#include "kit/ScreenGrid.h"
#include "kit/GridExport.h"
#include "families/QueryScreen.h"
#include "shell/ScreenCatalog.h"
#include "support/AnsweringDialogs.h"
#include "support/Rows.h"
#include "support/Names.h"

#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// Chooses the entry of the grid's context menu; false when there is none.
bool choose(const QTableView* view, const QString& entry)
{
    for (QAction* action : view->actions())
        if (action->text() == entry) {
            action->trigger();
            return true;
        }
    return false;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

}  // namespace

class GridExportTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    RecordingMessages messages;
    AnsweringDialogs dialogs;
    QTemporaryDir folder;

private slots:
    void init()
    {
        // A comma is this locale's decimal separator; exports still write a point.
        QLocale::setDefault(QLocale(QLocale::German));
        messages.clear();
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Awkward values quoted so that a spreadsheet reads each back into its one cell.
    void copyAndSaveWriteEachValueAsItsCell()
    {
        QTableView view;
        grid::setUp(&view);
        const QDate day(2026, 12, 4);
        // (A comma and blanks at the ends are quoted by the one field writer the tool's export uses: tst_billdb.)
        grid::bind(&view, {"Item", "Amount", "Date_"},
                   {{"SAY \"HI\"", 1234567.25, day}, {"TWO\nLINES\tTAB", -0.5, QVariant()},
                    {QString::fromUtf8("ÄPFEL ₹ चाय"), -0.00005, QVariant()}, {"=1+2", "+91 98450", "@SUM(A1)"}, {"0012", 0, "919845012345"}});

        view.selectRow(0);
        QVERIFY(choose(&view, "Copy"));
        QCOMPARE(QApplication::clipboard()->text(), QString("Item\tAmount\tDate_\n\"SAY \"\"HI\"\"\"\t1234567.25\t04/Dec/2026\n"));
        view.clearSelection();
        QVERIFY(choose(&view, "Copy"));
        QCOMPARE(QApplication::clipboard()->text().count('\n'), 7);  // one in a cell
        QVERIFY(QApplication::clipboard()->text().contains("\"TWO\nLINES\tTAB\"\t-0.5\t\n"));

        dialogs.answer = folder.filePath("awkward.csv");
        QVERIFY(choose(&view, "Save as CSV..."));
        // Marked as UTF-8 for Excel; a code and a phone of digits kept as texts, the number as a number.
        QCOMPARE(contents(dialogs.answer), "\xEF\xBB\xBF" + QString("Item,Amount,Date_\r\n\"SAY \"\"HI\"\"\",1234567.25,04/Dec/2026\r\n"
                                                   "\"TWO\nLINES\tTAB\",-0.5,\r\nÄPFEL ₹ चाय,-0.00005,\r\n"
                                                   "'=1+2,'+91 98450,'@SUM(A1)\r\n'0012,0,'919845012345\r\n").toUtf8());
        QVERIFY(messages.shown.isEmpty());

        // A file that cannot be written is told.
        dialogs.answer = folder.filePath("missing/awkward.csv");
        QVERIFY(choose(&view, "Save as CSV..."));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].text.startsWith(dialogs.answer + " could not be saved: "));
    }

    void aSaveTakesEveryRowOfTheResultOrNothing()
    {
        db.reset();
        const int count = 5000;
        QStringList values;
        for (int sn = 1; sn <= count; ++sn)
            values << QString("(%1,'C%1','ROAD %1','%1')").arg(sn);
        db.exec("insert into Customer values" + values.join(','));
        const QString statement = "Select SN, ITEM, PARTNO from Customer order by SN desc";
        QTableView view;
        grid::setUp(&view);
        grid::show(&view, PagedRows::read(statement));
        QCOMPARE(view.model()->rowCount(), GridModel::BatchSize);

        const QTemporaryDir files;  // of this case alone
        const QString path = files.filePath("customers.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("OLD") == 3);
        old.close();
        int reports = 0;
        QVERIFY(!grid::saveCsv(&view, path, [&](int) { return ++reports < 2; }));
        QCOMPARE(reports, 2);
        QCOMPARE(contents(path), QByteArray("OLD"));
        QVERIFY(!grid::saveCsv(&view, files.filePath("new.csv"), [](int) { return false; }));
        QCOMPARE(QDir(files.path()).entryList(QDir::Files), QStringList{"customers.csv"});

        // A disk that takes only part of the rows (here a limit on a file's size) fails the save.
        rlimit unlimited{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        const rlimit limited{100000, unlimited.rlim_max};  // the first stretch of rows whole, the last in part
        ::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        QString refusal;
        try {
            grid::saveCsv(&view, path);
        } catch (const Failure& failure) {
            refusal = failure.description();
        }
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &unlimited) == 0);
        QVERIFY2(refusal == path + " could not be saved: the disk took only part of it (is it full?)", qPrintable(refusal));
        QCOMPARE(contents(path), QByteArray("OLD"));
        QCOMPARE(QDir(files.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"customers.csv"});

        // Never over the database or its log, by any name.
        if (!TestDatabase::onServer()) {
            for (const QString& own : {db.path(), db.path() + "-wal"}) {
                refusal.clear();
                try {
                    grid::saveCsv(&view, own);
                } catch (const Failure& failure) {
                    refusal = failure.description();
                }
                QVERIFY2(refusal.contains("the database itself"), qPrintable(refusal));
            }
            // With a closed year open, the shop's own database beside it as well.
            rundatabase::useArchive(files.filePath("closed.db"));
            refusal.clear();
            try {
                grid::saveCsv(&view, db.path());
            } catch (const Failure& failure) {
                refusal = failure.description();
            }
            rundatabase::useDataSource();
            QVERIFY2(refusal.contains("the database itself"), qPrintable(refusal));
            QCOMPARE(db.count("Customer"), count);
        }
        // Nor over another database: a backup, or a closed year's archive (its mark in the header).
        QByteArray header = QByteArray("SQLite format 3", 16) + QByteArray(84, '\0');
        for (const auto& [mark, kind] : {std::pair{QByteArray(4, '\0'), "a database"}, std::pair{QByteArray("BILA"), "a closed year's archive"}}) {
            const QString other = files.filePath("kept.db");
            QFile file(other);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(header.replace(68, 4, mark)) == 100);
            file.close();
            refusal.clear();
            try {
                grid::saveCsv(&view, other);
            } catch (const Failure& failure) {
                refusal = failure.description();
            }
            QCOMPARE(refusal, other + " is " + kind + "; the rows go into another file");
            QCOMPARE(contents(other), header);
        }

        QVERIFY(grid::saveCsv(&view, path));
        QStringList lines = QString::fromUtf8(contents(path)).split("\r\n");
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.takeFirst(), QString("SN,ITEM,PARTNO"));
        QCOMPARE(lines.replaceInStrings(",", "|"), db.rows(statement));
    }

    // Rows read by stretches (far down a list of vouchers, say) are saved as
    // one state of the table: here the one after another till's change.
    // A save the database failed (busy, its table out of reach) leaves the rest of the result to
    // read: the next save takes every row, where every later one stopped at the first page.
    void aSaveTheDatabaseFailedIsMadeWholeNextTime()
    {
        db.reset();
        QStringList values;
        for (int sn = 1; sn <= 1000; ++sn)
            values << QString("(%1,'C%1','ROAD %1','%1')").arg(sn);
        db.exec("insert into Customer values" + values.join(','));
        QTableView view;
        grid::setUp(&view);
        grid::show(&view, PagedRows::read("Select SN, ITEM, PARTNO from Customer order by SN desc"));
        QCOMPARE(view.model()->rowCount(), GridModel::BatchSize);
        const QTemporaryDir files;
        const QString path = files.filePath("customers.csv");
        db.exec("alter table Customer rename to CustomerAway");
        QVERIFY_THROWS_EXCEPTION(Failure, grid::saveCsv(&view, path));
        db.exec("alter table CustomerAway rename to Customer");
        QVERIFY(grid::saveCsv(&view, path));
        QCOMPARE(QString::fromUtf8(contents(path)).count("\r\n"), 1001);
    }

    void aSaveOfRowsReadByStretchesHoldsTheTableAsItIsNow()
    {
        db.reset();
        db.exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
                "insert into Customer select i, 'C' || i, '', 'P' || i from n");
        const QString statement = "Select SN, ITEM from Customer order by SN desc";
        RowKeyOrder bySn;
        bySn.column = 0;
        bySn.countBefore = [](const QString& key) { return "select count(*) from Customer where SN > " + key; };
        QTableView view;
        grid::setUp(&view);
        grid::show(&view, PagedRows::read(statement, {}, bySn));
        QVERIFY(qobject_cast<GridModel*>(view.model())->ensureRow(1500));  // the rows before its page unread

        db.exec("insert into Customer values(2001, 'NEW', '', 'NEW')");
        db.exec("delete from Customer where SN = 700");
        const QString path = folder.filePath("stretches.csv");
        QVERIFY(grid::saveCsv(&view, path));
        QStringList lines = QString::fromUtf8(contents(path)).split("\r\n");
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.takeFirst(), QString("SN,ITEM"));
        QCOMPARE(lines.replaceInStrings(",", "|"), db.rows(statement));
        QCOMPARE(grid::rowCount(&view), 2000);
    }

    // Every screen's grid is set up as the one above, with the same menu.
    void theBillQuerySavesItsLinesAndItsTotals()
    {
        db.reset();
        for (int bill : {3, 4})
            db.exec(rows::billLine(bill, 1, "TEA, HOT", 3, 10.5, 5, 10));
        std::unique_ptr<QueryScreen> screen(static_cast<QueryScreen*>(catalog::createScreen("PrintAll", nullptr)));
        screen->show();
        screen->findChild<QDateEdit*>(ui::FromDate)->setDate(QDate(2026, 12, 1));
        screen->findChild<QDateEdit*>(ui::ToDate)->setDate(QDate(2026, 12, 31));
        QTest::mouseClick(screen->findChild<QPushButton*>(ui::ShowTotal), Qt::LeftButton);
        dialogs.answer = folder.filePath("totals.csv");
        QVERIFY(choose(screen->DGG, "Save as CSV..."));
        QCOMPARE(QFileInfo(dialogs.offered).fileName(), QString("Bill Query.csv"));
        QVERIFY(choose(screen->DGG, "Save as CSV..."));
        QCOMPARE(dialogs.offered, folder.filePath("Bill Query.csv"));  // where the last file went
        QCOMPARE(QString::fromUtf8(contents(dialogs.answer)),
                 QString("Date_,Bill Number,Amount,Discount,Tax,Total\r\n04/Dec/2026,3,32,3,1,30\r\n04/Dec/2026,4,32,3,1,30\r\n"));
    }
};

QTEST_MAIN(GridExportTest)
#include "tst_gridexport.moc"
