// billdb close-year over two generated financial years, with tills open
// while it runs; and the program looking back at the archive.

#include "billing/BillOne.h"
#include "core/Dates.h"
#include "core/Failure.h"
#include "data/Connection.h"
#include "data/ErrorKinds.h"
#include "data/RecordSet.h"
#include "data/SqliteFile.h"
#include "data/Tables.h"
#include "data/RunDatabase.h"
#include "kit/Grid.h"
#include "shell/ArchiveMode.h"
#include "stock/ItemInFrm.h"
#include "shell/LOGIN.h"
#include "shell/MDIForm1.h"
#include "support/AnsweringDialogs.h"
#include "support/Checks.h"
#include "support/Names.h"
#include "support/Operator.h"
#include "support/RecordingMessages.h"
#include "support/Rows.h"
#include "support/ShopYears.h"
#include "support/TestDatabase.h"
#include "support/ToolRun.h"

#include <QDateEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDate SecondYear(2024, 4, 1);
const QDate ThirdYear(2025, 4, 1);

// The lines of several databases as "table|number|serial|...", sorted, the opening receipts
// left out; empty when two databases hold lines of one document.
QStringList together(const QStringList& connectionStrings)
{
    QStringList all;
    QSet<QString> documents;
    for (const QString& connectionString : connectionStrings) {
        QSet<QString> here;
        for (const char* table : {"asigncharges", "ItemIn", "ExpenditureTable"})
            for (const QString& line : TestDatabase::rowsAt(connectionString, QString("select '%1', l.* from %1 l where "
                                                                                       "CustomerName <> 'OPENING STOCK'").arg(table))) {
                all << line;
                here << line.section('|', 0, 1);
            }
        if (documents.intersects(here))
            return {};
        documents.unite(here);
    }
    return checks::sorted(all);
}

// Bills whose kept sums are not their lines' (or that have only one of the two).
const QString StaleSums = "select count(*) from BillSums s full join (select BillNumber, sum(Amount * Quantity) a from "
                          "asigncharges group by BillNumber) g on g.BillNumber = s.BillNumber where s.BillNumber is null "
                          "or g.BillNumber is null or abs(s.Amount_ - g.a) > 0.000001";
const QString StockRows = "select BillNumber, ItemCode, Item, Batch_Number, Quantity from Stock order by BillNumber";
const QString EveryLine = "select 'b', BillNumber, Serial, Quantity from asigncharges union all select 'r', "
                          "BillNumber, Serial, Quantity from ItemIn union all select 'v', BillNumber, Serial, Amount "
                          "from ExpenditureTable order by 1, 2, 3";

}  // namespace

class CloseYearTest : public QObject {
    Q_OBJECT

    TestDatabase db;
    QTemporaryDir dir;
    RecordingMessages messages;

    toolrun::Result billdb(const QStringList& arguments)
    {
        return toolrun::run(arguments, toolrun::environment(db.iniPath(), dir.path()));
    }
    toolrun::Result closeYear(const QDate& before, const QString& archive)
    {
        return billdb({"close-year", "--before", before.toString(Qt::ISODate), "--archive", archive});
    }
    void generate(int scale)
    {
        db.reset();
        for (const QString& statement : shopyears::twoYears(scale))
            db.exec(statement);
    }
    QString file(const QString& name) const { return dir.filePath(name); }

private slots:
    void init()
    {
        messages.clear();
        for (const QString& name : QDir(dir.path()).entryList({"*.db*"}))
            QFile::remove(file(name));
    }

    void closingTwoYearsKeepsEveryFigure()
    {
        generate(100);
        // A figure that takes 17 digits (an older program's, or another's) is the same in the archive.
        const QString firstLine = "Serial = 1 and Date_ < " + sql::date(SecondYear)
                                  + " and BillNumber = (select min(BillNumber) from asigncharges)";
        QCOMPARE(db.count("asigncharges", firstLine), 1);
        db.exec("update asigncharges set Amount = 1.0 / 3 where " + firstLine);
        // A batch first received after both closes is no batch of either closed year.
        const int receipt = db.rows("select max(BillNumber) from ItemIn").value(0).toInt() + 1;
        const int batch = db.rows("select max(BillNumber) from Stock").value(0).toInt() + 1;
        db.exec(rows::line("ItemIn", receipt, 1, "LATE TEA", 5, 10, "L1", "B1", "SUPPLIER", rows::Dec4));
        db.exec(rows::line("Stock", batch, 0, "LATE TEA", 5, 10, "L1", "B1", "SUPPLIER", rows::Dec4));
        const QStringList before = together({db.connectionString()}), stock = db.rows(StockRows);
        QVERIFY(db.count("asigncharges", "Serial = 1") == 3000 && db.count("asigncharges") > 7000);
        QVERIFY(db.count("Stock", "Quantity < 0") == 3);

        QStringList databases{db.connectionString()};
        // An archive is open to no more than the database: a file shared with the shop's group, a server's owner alone.
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
        if (!TestDatabase::onServer())
            QVERIFY(QFile::setPermissions(db.path(), owner | QFileDevice::ReadGroup));
        for (const QDate& date : {SecondYear, ThirdYear}) {
            const QString archive = file(date.toString("yyyy") + ";closed.db");  // a ';' ends a bare connection string value
            const int laterBatches = db.count("Stock", "Date_ >= " + sql::date(date));
            const toolrun::Result closed = closeYear(date, archive);
            // The program named as it can be typed: beside the tool, in the build's src/ folder.
            QVERIFY2(closed.exitCode == 0 && closed.out.contains("/src/bill --archive "), qPrintable(closed.out + closed.err));
            QCOMPARE(QFile::permissions(archive), TestDatabase::onServer() ? owner : QFile::permissions(db.path()));
            QCOMPARE(toolrun::sqlite(archive, "pragma journal_mode"), QString("delete"));  // one file, to keep anywhere
            // Nor does the closed year list a batch first received after it.
            QVERIFY(laterBatches > 0);
            QCOMPARE(TestDatabase::rowsAt(shopyears::readOnly(archive), "select count(*) from Stock where Date_ >= "
                                                                        + sql::date(date)),
                     QStringList{"0"});
            const toolrun::Result again = closeYear(date, archive);  // run again: nothing is left to close
            QVERIFY2(again.exitCode == 0 && again.out.contains("is closed into " + archive), qPrintable(again.out + again.err));
            databases << shopyears::readOnly(archive);
            for (const QString& database : {db.connectionString(), shopyears::readOnly(archive)})
                QCOMPARE(TestDatabase::rowsAt(database, StaleSums), QStringList{"0"});
            QCOMPARE(together(databases), before);
            QCOMPARE(db.rows(StockRows), stock);

            // The archive's stock on the date is the opening receipt, line for line.
            QCOMPARE(db.rows("select ItemCode, Item, Batch_Number, Quantity from ItemIn where CustomerName = "
                             "'OPENING STOCK' and Date_ = " + sql::date(date) + " order by Serial"),
                     TestDatabase::rowsAt(shopyears::readOnly(archive), "select ItemCode, Item, Batch_Number, Quantity from "
                                                             "Stock where Quantity <> 0 order by BillNumber"));
            for (const QStringList& check : {QStringList{"check"}, QStringList{"check", "--database", archive}}) {
                const toolrun::Result audit = billdb(check);
                QVERIFY2(audit.exitCode == 0 && audit.out.endsWith("Audit: nothing to report\n"), qPrintable(audit.out));
            }
            QCOMPARE(toolrun::sqlite(archive, "pragma journal_mode"), QString("delete"));  // checked, still one file
            // The only copy of the year's documents: no backup goes over it, by its name or a link's.
            if (!TestDatabase::onServer()) {
                const QString lines = toolrun::sqlite(archive, "select count(*) from asigncharges");
                QFile::remove(file("link.db"));
                QVERIFY(QFile::link(archive, file("link.db")));
                for (const QString& target : {archive, file("link.db")}) {
                    const toolrun::Result backup = billdb({"backup", target});
                    QVERIFY2(backup.refusedInOneLine() && backup.err.contains("is a closed year's archive"),
                             qPrintable(backup.out + backup.err));
                }
                QCOMPARE(toolrun::sqlite(archive, "select count(*) from asigncharges"), lines);
                // Nor is a till's data source defined for it: its new bills would go into the closed year.
                QFile(file("none.ini")).open(QIODevice::WriteOnly);
                const toolrun::Result defined = toolrun::run({"init", "--database", archive, "--if-missing"},
                                                             toolrun::environment(file("none.ini"), dir.path()));
                QVERIFY2(defined.refusedInOneLine() && defined.err.contains("is a closed year's archive"),
                         qPrintable(defined.out + defined.err));
                // Nor does it take the books' place: what was sold since would be gone.
                const QString books = toolrun::sqlite(db.path(), "select count(*) from asigncharges");
                const toolrun::Result restored = billdb({"restore", archive});
                QVERIFY2(restored.refusedInOneLine() && restored.err.contains("is a closed year's archive")
                             && restored.err.contains("nothing was restored"),
                         qPrintable(restored.out + restored.err));
                QCOMPARE(toolrun::sqlite(db.path(), "select count(*) from asigncharges"), books);
                // Nor does any command that changes a database change it.
                QFile sheet(file("party.csv"));
                QVERIFY(sheet.open(QIODevice::WriteOnly) && sheet.write("SN,ITEM,PARTNO,REMARK\r\n,NEW PARTY,ROAD,123\r\n") > 0);
                sheet.close();
                const QString archived = toolrun::sqlite(archive, "select count(*), sum(Amount) from asigncharges; "
                                                                  "select count(*), sum(Quantity) from ItemIn; "
                                                                  "select count(*) from Customer; select sum(MRP) from Stock; "
                                                                  "select * from " + QString(schema::ShopHeaderTable));
                const QList<QStringList> changing{
                    {"close-year", "--before", date.addMonths(-6).toString(Qt::ISODate), "--archive", file("older.db")},
                    {"mrp", "--item", "TEA", "--price", "5"},
                    {"shop", "--name", "ANOTHER SHOP"},
                    {"import", "customers", file("party.csv")},
                    {"sum-bills"}};
                for (const QStringList& command : changing) {
                    const toolrun::Result refused = billdb(command + QStringList{"--database", archive});
                    QVERIFY2(refused.refusedInOneLine() && refused.err.contains("is a closed year's archive")
                                 && refused.err.contains("nothing was changed"),
                             qPrintable(command.join(' ') + ": " + refused.out + refused.err));
                }
                QCOMPARE(toolrun::sqlite(archive, "select count(*), sum(Amount) from asigncharges; "
                                                  "select count(*), sum(Quantity) from ItemIn; "
                                                  "select count(*) from Customer; select sum(MRP) from Stock; "
                                                  "select * from " + QString(schema::ShopHeaderTable)),
                         archived);
                QVERIFY(!QFile::exists(file("older.db")));
                // Nor through a data source defined on it, which is not even turned to write-ahead logging.
                QFile ini(db.iniPath());
                QVERIFY(ini.open(QIODevice::ReadOnly));
                QFile archiveIni(file("archive.ini"));
                QVERIFY(archiveIni.open(QIODevice::WriteOnly)
                        && archiveIni.write(QString::fromUtf8(ini.readAll()).replace(db.path(), archive).toUtf8()) > 0);
                archiveIni.close();
                const QByteArray archiveBytes = [&] {
                    QFile whole(archive);
                    return whole.open(QIODevice::ReadOnly) ? whole.readAll() : QByteArray();
                }();
                for (const QStringList& command : {QStringList{"shop", "--name", "ANOTHER SHOP"}, QStringList{"sum-bills"}}) {
                    const toolrun::Result refused = toolrun::run(command, toolrun::environment(file("archive.ini"), dir.path()));
                    QVERIFY2(refused.refusedInOneLine() && refused.err.contains("nothing was changed"),
                             qPrintable(refused.out + refused.err));
                }
                const toolrun::Result exported =
                    toolrun::run({"export", "customers", file("archived.csv")}, toolrun::environment(file("archive.ini"), dir.path()));
                QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
                QFile whole(archive);
                QVERIFY(whole.open(QIODevice::ReadOnly) && whole.readAll() == archiveBytes);
                // A damaged archive is renewed from its copy, by a file copy, and check says so.
                const QString damaged = file("damaged.db");
                QFile::remove(damaged);
                QVERIFY(QFile::copy(archive, damaged));
                QFile junk(damaged);
                QVERIFY(junk.open(QIODevice::ReadWrite) && junk.seek(4096) && junk.write(QByteArray(4096, 'x')) == 4096);
                junk.close();
                const toolrun::Result checked = billdb({"check", "--database", damaged});
                QVERIFY2(checked.exitCode == 1 && checked.out.contains("Copy the archive again"), qPrintable(checked.out));
                // Nor does a restore put a backup of the shop in an archive's place.
                QVERIFY(billdb({"backup", file("shop-copy.db")}).exitCode == 0);
                const toolrun::Result overArchive = billdb({"restore", file("shop-copy.db"), "--database", archive});
                QVERIFY2(overArchive.refusedInOneLine() && overArchive.err.contains("which a restore never replaces"),
                         qPrintable(overArchive.err));
                QCOMPARE(toolrun::sqlite(archive, "select count(*) from asigncharges"), lines);
                // A copy of the archive goes into a new file, not over the shop's backup.
                const QString shopLines = toolrun::sqlite(file("shop-copy.db"), "select count(*) from asigncharges");
                const toolrun::Result archiveCopy = billdb({"backup", file("shop-copy.db"), "--database", archive});
                QVERIFY2(archiveCopy.refusedInOneLine() && archiveCopy.err.contains("whose copy goes into a new file"),
                         qPrintable(archiveCopy.err));
                QCOMPARE(toolrun::sqlite(file("shop-copy.db"), "select count(*) from asigncharges"), shopLines);
                // A damaged backup is made again.
                QFile::remove(damaged);
                QVERIFY(QFile::copy(file("shop-copy.db"), damaged));
                QVERIFY(junk.open(QIODevice::ReadWrite) && junk.seek(4096) && junk.write(QByteArray(4096, 'x')) == 4096);
                junk.close();
                const toolrun::Result checkedCopy = billdb({"check", "--database", damaged});
                QVERIFY2(checkedCopy.exitCode == 1 && checkedCopy.out.contains("If this is a copy (a backup), make a new one")
                             && checkedCopy.out.contains("if it is a closed year's archive, copy it again")
                             && checkedCopy.out.contains("restore BACKUP --database "),
                         qPrintable(checkedCopy.out));
                // So is a file copy of the books, which keeps their log's mark: never the data source's restore.
                // (Made from the backup: a descriptor of the books closed here would drop this process's locks.)
                QFile::remove(damaged);
                QVERIFY(QFile::copy(file("shop-copy.db"), damaged));
                toolrun::sqlite(damaged, "pragma journal_mode = wal");
                QVERIFY(sqlitefile::isInWalMode(damaged));
                QVERIFY(junk.open(QIODevice::ReadWrite) && junk.seek(4096) && junk.write(QByteArray(4096, 'x')) == 4096);
                junk.close();
                const toolrun::Result checkedFileCopy = billdb({"check", "--database", damaged});
                QVERIFY2(checkedFileCopy.exitCode == 1 && checkedFileCopy.out.contains("restore BACKUP --database "),
                         qPrintable(checkedFileCopy.out));
            }
        }
        // The first year's bills numbered up to 1500 or so; the second's kept theirs until it closed.
        const QString bills = "select min(BillNumber), max(BillNumber) from asigncharges";
        const QString first = TestDatabase::rowsAt(databases[1], bills).value(0), second = TestDatabase::rowsAt(databases[2], bills).value(0);
        QVERIFY2(first.section('|', 1).toInt() < second.section('|', 0, 0).toInt(), qPrintable(first + " " + second));
    }

    void refusedClosesChangeNothing_data()
    {
        QTest::addColumn<QStringList>("change");  // made before the close; "occupied" and "backup" put a file at the archive's place
        QTest::addColumn<QDate>("before");
        QTest::addColumn<QString>("refusal");  // in the one line on standard error
        QTest::addColumn<QString>("listed");   // on standard output
        QTest::newRow("a bill on both sides")
            << QStringList{rows::billLine(5, 9, "TEA", 1, 10, 0, 0, "CASH", SecondYear)} << SecondYear
            << "have lines on both sides of 01/Apr/2024" << "  Bill 5: lines dated 10/Apr/2023 to 01/Apr/2024\n";
        QTest::newRow("stock that does not add up")
            << QStringList{"update Stock set Quantity = Quantity + 1 where BillNumber = 2"} << SecondYear
            << "do not add up (1 listed; \"" + QFileInfo(toolrun::billdbProgram()).canonicalFilePath() + " check\" lists them"
            << "  Stock batch 2 (item code 'C1'";
        QTest::newRow("nothing to close") << QStringList{} << QDate(2023, 4, 1) << "nothing is dated before 01/Apr/2023" << "";
        QTest::newRow("a date after today") << QStringList{} << QDate::currentDate().addDays(1) << "is after today" << "";
        QTest::newRow("another file in its place") << QStringList{"occupied"} << SecondYear << "already exists" << "";
        QTest::newRow("a backup of the shop in its place") << QStringList{"backup"} << SecondYear << "already exists" << "";
        QTest::newRow("nothing to close, into another file")
            << QStringList{"occupied"} << QDate(2023, 4, 1) << "nothing is dated before 01/Apr/2023" << "";
    }
    void refusedClosesChangeNothing()
    {
        QFETCH(QStringList, change);
        QFETCH(QDate, before);
        QFETCH(QString, refusal);
        QFETCH(QString, listed);
        generate(10);
        const QString archive = file("year.db");
        for (const QString& statement : change) {
            if (statement == "backup") {
                toolrun::sqlite(db.path(), "vacuum into '" + archive + "'");
            } else if (statement == "occupied") {
                QFile occupied(archive);
                QVERIFY(occupied.open(QIODevice::WriteOnly) && occupied.write("last year's notes\n") > 0);
            } else {
                db.exec(statement);
            }
        }
        const QStringList lines = db.rows(EveryLine) + db.rows(StockRows);
        const auto bytes = [&] {
            QFile file(archive);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray inItsPlace = bytes();

        const toolrun::Result refused = closeYear(before, archive);
        QVERIFY2(refused.refusedInOneLine() && refused.err.contains(refusal), qPrintable(refused.err));
        QVERIFY2(refused.out.contains(listed), qPrintable(refused.out));
        QCOMPARE(db.rows(EveryLine) + db.rows(StockRows), lines);
        QCOMPARE(bytes(), inItsPlace);
        QCOMPARE(QDir(dir.path()).entryList({"year.db.*"}), QStringList());
    }

    // The till commits as the close turns from the archive to the database.
    void aTillWritingWhileTheArchiveIsMade_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("closes");
        QTest::newRow("to an old bill") << rows::billLine(7, 20, "TEA", 1, 10, 0, 0, "CASH", QDate(2023, 5, 1)) << false;
        QTest::newRow("a new year's bill") << rows::billLine(9000, 1, "TEA", 1, 10, 0, 0, "CASH", ThirdYear) << true;
    }
    void aTillWritingWhileTheArchiveIsMade()
    {
        QFETCH(QString, line);
        QFETCH(bool, closes);
        generate(10);
        const QString oldLines = "Date_ < " + sql::date(SecondYear);
        const int old = db.count("asigncharges", oldLines);
        Connection till;
        till.open();
        Transaction storing(till);
        RecordSet statement;
        statement.open(line, till);

        const QString archive = file("year.db");
        QProcess close;
        close.setProcessEnvironment(toolrun::environment(db.iniPath(), dir.path()));
        close.start(toolrun::billdbProgram(), {"close-year", "--before", "2024-04-01", "--archive", archive});
        QByteArray said;
        while (!said.contains("The archive is made") && close.waitForReadyRead(30000))
            said += close.readAllStandardOutput();
        storing.commit();
        QVERIFY(close.waitForFinished(60000));
        const QString err = close.readAllStandardError();
        QCOMPARE(close.exitCode(), closes ? 0 : 1);
        QVERIFY2(closes || err.contains("a till changed documents dated before 01/Apr/2024"), qPrintable(err));
        QCOMPARE(db.count("asigncharges", oldLines), closes ? 0 : old + 1);
        QCOMPARE(QFile::exists(archive), closes);
        QCOMPARE(db.count("asigncharges", "CustomerName = 'CASH' and Item = 'TEA'"), 1);
    }

    void tillsOpenDuringTheClose()
    {
        generate(10);
        BillOne offering, showing;
        Operator newBill(&offering), oldBill(&showing);
        QCOMPARE(newBill.number(), QString("301"));
        QVERIFY(oldBill.pick(ui::Number, "3"));
        QVERIFY(!oldBill.gridRows().isEmpty());

        const toolrun::Result closed = closeYear(ThirdYear, file("year.db"));
        QVERIFY2(closed.exitCode == 0, qPrintable(closed.out + closed.err));
        newBill.addLine("ITEM 1", "2");
        QCOMPARE(newBill.number(), QString("1"));
        QCOMPARE(db.rows("select BillNumber, Serial, Item, Quantity from asigncharges"), QStringList{"1|1|ITEM 1|2"});

        oldBill.addLine("ITEM 1", "1");
        QCOMPARE(rows::textsWithRefusals(messages),
                 QStringList({"Bill 3 is no longer stored: another till or screen deleted it, or closed its year into an archive. "
                              "Nothing was added; press \"New Bill / Refresh\" for a new bill."}));
        QCOMPARE(oldBill.shown(), QStringList{"= 0.00"});  // the bill as the live database holds it now
        QCOMPARE(db.count("asigncharges"), 1);

        // A new bill dated into the closed year is refused: it would stand beside that year's bill 2.
        oldBill.click(ui::NewDocument);
        oldBill.control<QDateEdit>(ui::Date)->setDate(ThirdYear.addDays(-1));
        messages.clear();
        oldBill.addLine("ITEM 1", "1");
        QCOMPARE(messages.texts().join('\n').count("The year before " + dates::shown(ThirdYear)
                                                    + " is closed: its documents are in its archive. Date this bill "
                                                    + dates::shown(ThirdYear) + " or later."),
                 1);
        QCOMPARE(db.count("asigncharges"), 1);
        // So is one under a number typed, that holds no lines, and one dated by a clock a day behind.
        oldBill.click(ui::NewDocument);
        oldBill.type(ui::Number, "5");
        oldBill.addLine("ITEM 1", "1");
        const auto clock = qScopeGuard([] { dates::setToday({}); });
        dates::setToday(ThirdYear.addDays(-1));
        newBill.click(ui::NewDocument);
        newBill.addLine("ITEM 1", "1");
        QCOMPARE(messages.texts().join('\n').count("The year before " + dates::shown(ThirdYear) + " is closed"), 3);
        QCOMPARE(db.count("asigncharges"), 1);
        dates::setToday({});
        oldBill.control<QDateEdit>(ui::Date)->setDate(ThirdYear);
        oldBill.addLine("ITEM 1", "1");
        QCOMPARE(db.rows("select BillNumber from asigncharges order by BillNumber"), QStringList({"1", "5"}));
    }

    // The opening receipt marks the close: it is put right line by line, never emptied (a bill dated
    // into the closed year would be taken again), and a batch received before the close keeps its
    // first receipt's values, which are in the archive.
    void theOpeningReceiptKeepsTheClose()
    {
        generate(10);
        // A figure beyond what can be typed, as older versions stored, goes into the archive as it stands.
        db.exec("update Stock set Amount = 8901234567890 where BillNumber = (select max(BillNumber) from Stock)");
        const toolrun::Result closed = closeYear(ThirdYear, file("year.db"));
        QVERIFY2(closed.exitCode == 0, qPrintable(closed.out + closed.err));
        const QString opening = db.rows("select min(BillNumber) from ItemIn where CustomerName = 'OPENING STOCK'").value(0);
        const QStringList first = db.rows("select Serial, ItemCode, Item, Batch_Number, Quantity from ItemIn where BillNumber = "
                                          + opening + " order by Serial").value(0).split('|');
        const QString ofTheBatch = QString(" where ItemCode = '%1' and Item = '%2' and Batch_Number = '%3'").arg(first[1], first[2], first[3]);
        const QStringList batchValues = db.rows("select Amount, CustomerName, Date_ from Stock" + ofTheBatch);
        const int lines = db.count("ItemIn", "BillNumber = " + opening);
        QVERIFY(lines > 1);

        ItemInFrm screen;
        Operator receipts(&screen);
        QVERIFY(receipts.pick(ui::Number, opening));
        messages.answers = {true};
        receipts.click(ui::DeleteDocument);
        QVERIFY2(messages.texts().join('\n').contains("Receipt " + opening + " carries the opening stock of the year that began "
                                                     + dates::shown(ThirdYear) + ", and marks the close of the year before: it is "
                                                     "not deleted whole."),
                 qPrintable(messages.texts().join('\n')));
        QCOMPARE(db.count("ItemIn", "BillNumber = " + opening), lines);

        // A line put right: the batch is received again into the opening receipt, at no amount.
        QVERIFY(receipts.pick(ui::Number, opening));
        receipts.clickGridRow(0);
        messages.answers = {true};
        receipts.click(ui::DeleteSerial);
        QCOMPARE(db.count("ItemIn", "BillNumber = " + opening), lines - 1);
        receipts.receiveLine(first[2], first[1], first[3], "7", "0");
        QCOMPARE(db.rows("select Amount, CustomerName, Date_ from Stock" + ofTheBatch), batchValues);
        QCOMPARE(db.rows("select Quantity from Stock" + ofTheBatch), QStringList{"7"});

        // The last of the close's own lines put right: the mark goes to the line typed in its place,
        // and the receipt's last line stays.
        db.exec("delete from ItemIn where BillNumber = " + opening + " and Serial <> (select min(Serial) from ItemIn where "
                "BillNumber = " + opening + " and Remark like 'CLOSED INTO %') and Serial <> " + QString::number(lines + 1));
        QVERIFY(receipts.pick(ui::Number, opening));
        QCOMPARE(receipts.gridRows().size(), 2);
        for (const char* told : {"Data Deleted", "its last line stays"}) {
            receipts.clickGridRow(0);
            messages.clear();
            messages.answers = {true};
            receipts.click(ui::DeleteSerial);
            QVERIFY2(messages.texts().join('\n').contains(told), qPrintable(messages.texts().join('\n')));
        }
        QCOMPARE(db.rows("select Serial, Quantity, CustomerName from ItemIn where BillNumber = " + opening
                         + " and Remark = 'CLOSED INTO year.db'"),
                 QStringList{QString::number(lines + 1) + "|7|OPENING STOCK"});
        QCOMPARE(db.count("ItemIn", "BillNumber = " + opening), 1);
        QCOMPARE(db.rows("select Quantity from Stock" + ofTheBatch), QStringList{"7"});
        // Still the mark of the close: a bill dated before it is refused.
        BillOne bills;
        Operator bill(&bills);
        bill.control<QDateEdit>(ui::Date)->setDate(ThirdYear.addDays(-1));
        messages.clear();
        bill.addLine("ITEM 1", "1");
        QVERIFY2(messages.texts().join('\n').contains("The year before " + dates::shown(ThirdYear) + " is closed"),
                 qPrintable(messages.texts().join('\n')));
    }

    // A batch first received into the opening receipt in the new year, whose line took the close's mark,
    // is put right as any other: its line typed again, the wrong one deleted, it is priced at the new one.
    // The mark goes to a line of the opening stock rather than to a supplier's own.
    void aNewBatchThatTookTheMarkIsPutRight()
    {
        generate(10);
        QCOMPARE(closeYear(ThirdYear, file("year.db")).exitCode, 0);
        const QString opening = db.rows("select min(BillNumber) from ItemIn where CustomerName = 'OPENING STOCK'").value(0);
        ItemInFrm screen;
        Operator receipts(&screen);
        QVERIFY(receipts.pick(ui::Number, opening));
        receipts.type(ui::PartyName, "ACME");
        receipts.receiveLine("CREAM", "C1", "B3", "2", "30");
        const QString cream = " where ItemCode = 'C1' and Batch_Number = 'B3'";
        const QString newest = db.rows("select max(Serial) from ItemIn where BillNumber = " + opening).value(0);
        // The close's lines deleted but the first; the screen deletes that one, whose mark has to move.
        db.exec("delete from ItemIn where BillNumber = " + opening + " and Serial <> " + newest
                + " and Serial <> (select min(Serial) from ItemIn where BillNumber = " + opening + ")");
        QVERIFY(receipts.pick(ui::Number, opening));
        receipts.clickGridRow(0);
        messages.answers = {true};
        receipts.click(ui::DeleteSerial);
        QCOMPARE(db.rows("select ItemCode, CustomerName from ItemIn where BillNumber = " + opening),
                 QStringList{"C1|OPENING STOCK"});

        receipts.receiveLine("CREAM", "C1", "B3", "2", "35");
        QVERIFY(receipts.pick(ui::Number, opening));
        receipts.clickGridRow(0);
        messages.answers = {true};
        receipts.click(ui::DeleteSerial);
        QCOMPARE(db.rows("select Amount, Quantity from ItemIn where BillNumber = " + opening), QStringList{"35|2"});
        QCOMPARE(db.value("select Amount from Stock" + cream).toDouble(), 35.0);
        QCOMPARE(db.value("select Quantity from Stock" + cream).toInt(), 2);

        // Another line of the opening stock takes the mark before a supplier's.
        receipts.type(ui::PartyName, "ACME");
        receipts.receiveLine("CREAM", "C1", "B5", "1", "40");
        receipts.type(ui::PartyName, "OPENING STOCK");
        receipts.receiveLine("CREAM", "C1", "B4", "1", "0");
        QVERIFY(receipts.pick(ui::Number, opening));
        receipts.clickGridRow(0);
        messages.answers = {true};
        receipts.click(ui::DeleteSerial);
        QCOMPARE(db.rows("select Batch_Number, CustomerName, Remark from ItemIn where BillNumber = " + opening
                         + " order by Serial"),
                 (QStringList{"B5|ACME|", "B4|OPENING STOCK|CLOSED INTO year.db"}));
    }

    // A close on the new year's first day, today; and a line without a day (older versions stored
    // some), which no close can tell the year of: it stays in the books, out of the archive.
    void aCloseOnTheNewYearsFirstDayKeepsLinesWithoutADay()
    {
        generate(10);
        const int bill = db.rows("select max(BillNumber) from asigncharges").value(0).toInt() + 1;
        db.exec(rows::billLine(bill, 1, "TEA", 1, 10));
        db.exec("update asigncharges set Date_ = null where BillNumber = " + QString::number(bill));
        const QString archive = file("year.db");
        const toolrun::Result closed = closeYear(QDate::currentDate(), archive);
        QVERIFY2(closed.exitCode == 0, qPrintable(closed.out + closed.err));
        QCOMPARE(db.count("asigncharges", "Date_ is null"), 1);
        QCOMPARE(TestDatabase::rowsAt(shopyears::readOnly(archive), "select count(*) from asigncharges where Date_ is null"),
                 QStringList{"0"});
    }

    // The login checks the archive's users; nothing can be written into it.
    void lookingBackAtTheArchive()
    {
        generate(10);
        const QString archive = file("year.db");
        QCOMPARE(closeYear(SecondYear, archive).exitCode, 0);
        db.exec("update UserTable set pwd = 'x'");  // the shop's password changed since
        const QStringList live = db.rows(EveryLine) + db.rows(StockRows);

        QFile notes(file("notes.db"));
        QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("not a database") > 0);
        notes.close();
        QVERIFY(!shell::openArchive(notes.fileName()) && !shell::openArchive(file("missing.db")));
        QCOMPARE(messages.shown.size(), 2);
        QVERIFY(rundatabase::archivePath().isEmpty());
        messages.clear();

        QVERIFY(shell::openArchive(archive));
        LOGIN login;
        login.TXTpass->setText("ADMIN");
        login.LOGIN_Click();
        MDIForm1* main = MDIForm1::existing();
        QVERIFY(main && main->isVisible());
        QVERIFY2(main->windowTitle().contains(archive) && main->windowTitle().contains("read only"),
                 qPrintable(main->windowTitle()));
        QStringList offered;
        for (QAction* action : main->findChildren<QAction*>())
            if (action->objectName().startsWith("mnu") && !action->menu())
                offered << action->objectName();
        offered.sort();
        QCOMPARE(offered, QStringList({"mnuBill", "mnuClose", "mnuExpenditureQuery", "mnuItemReceiveQuery",
                                       "mnuStockQuery"}));

        // The query screens read the archive as they read the shop's database: the bill query stands for them.
        main->findChild<QAction*>("mnuBill")->trigger();
        QWidget* screen = main->openWindow(ui::BillQuery)->widget();
        for (QDateEdit* picker : screen->findChildren<QDateEdit*>())
            picker->setDate(picker->objectName() == "DTP1" ? QDate(2000, 1, 1) : QDate(2100, 1, 1));
        Operator(screen).click(ui::ShowTotal);
        const int bills = TestDatabase::rowsAt(shopyears::readOnly(archive), "select count(distinct BillNumber) from asigncharges")
                              .value(0).toInt();
        QVERIFY(bills > 0);
        QCOMPARE(grid::rowCount(Operator(screen).grid()), bills);
        QVERIFY(messages.shown.isEmpty());

        Connection connection;
        connection.open();
        RecordSet statement;
        QVERIFY_THROWS_EXCEPTION(Failure, statement.open("delete from asigncharges", connection));
        connection.close();
        // A damaged archive is copied again; a restore would replace the sound books.
        const QString damaged = dberrors::notice(DbError::Kind::Damaged);
        QVERIFY2(damaged.contains("copy the archive again") && damaged.contains(archive) && !damaged.contains("restore"),
                 qPrintable(damaged));
        delete main;
        rundatabase::useDataSource();
        QCOMPARE(db.rows(EveryLine) + db.rows(StockRows), live);
        QVERIFY(TestDatabase::rowsAt(shopyears::readOnly(archive), "select count(*) from asigncharges").value(0).toInt() > 0);

        // From the shop's program: File > Open Closed Year... starts a program window on the archive chosen.
        QStringList started;
        shell::setArchiveStart([&](const QString& path) { started << path; });
        AnsweringDialogs dialogs;
        dialogs.answer = archive;
        MDIForm1::instance()->findChild<QAction*>("mnuOpenClosedYear")->trigger();
        shell::setArchiveStart({});
        delete MDIForm1::existing();
        QCOMPARE(started, QStringList{archive});
    }
};

QTEST_MAIN(CloseYearTest)
#include "tst_closeyear.moc"
