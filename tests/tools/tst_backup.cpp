// Backup, restore and check, run as a shop runs them, on a database of their own.

#include "core/Failure.h"
#include "data/Connection.h"
#include "data/DatabaseBackup.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class BackupTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString folder;    // this test's own
    QString database;  // the data source's database in it
    QProcessEnvironment environment;

    toolrun::Result billdb(const QStringList& arguments) { return toolrun::run(arguments, environment); }
    QString sqlite(const QString& query, const QString& file = {}) { return toolrun::sqlite(file.isEmpty() ? database : file, query); }
    QString file(const QString& name) const { return folder + '/' + name; }

    // A hundred lines to a bill.
    void storeLines(int count)
    {
        sqlite(QString("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                       "insert into asigncharges select (i - 1) / 100 + 1, (i - 1) % 100 + 1, 'TEA', 2, 10, 5, 0, "
                       "'CASH', 'ROAD', '98', '', '-', 0, '2026-12-04', '', '', 0 from n").arg(count));
    }
    // What restores replaced, without a log kept beside one.
    QStringList keptFiles() const
    {
        return QDir(folder).entryList({"Bill.db.replaced-*"}, QDir::Files).filter(QRegularExpression("\\d$"));
    }
    QStringList partialFiles() const { return QDir(folder).entryList({"*.partial-*"}, QDir::Files); }

    // The tool with no file larger than `bytes`: a full disk when told (its write refused), or the
    // tool stopped there as by a kill (the power gone) when not.
    toolrun::Result billdbWithin(qint64 bytes, bool told, const QStringList& arguments)
    {
        return toolrun::run(arguments, environment, toolrun::billdbProgram(), [bytes, told] {
            const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, told ? SIG_IGN : SIG_DFL);
        });
    }

private slots:
    // The tool runs with the test's own data sources; so does what the test calls itself (the driver
    // manager would make this user's file of them).
    void initTestCase() { qputenv("ODBCINI", QFile::encodeName(dir.filePath("test-odbc.ini"))); }
    void init()
    {
        // A ';' in the folder's name, which ends a bare value in a connection string.
        folder = dir.filePath(QString(QTest::currentTestFunction()) + ";till");
        database = file("Bill.db");
        environment = toolrun::environment(file("odbc.ini"), folder);
        const toolrun::Result made = billdb({"init", "--database", database});
        QVERIFY2(made.exitCode == 0, qPrintable(made.err));
    }

    // Made under the usual umask, the database is its owner's alone (its users' passwords are in it), and a
    // backup, or what a restore replaced, is open to no more than the database: here, also to the shop's group.
    void theDatabaseAndItsCopiesAreOpenToNoMoreThanItself()
    {
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
        const QFileDevice::Permissions shared = owner | QFileDevice::ReadGroup | QFileDevice::WriteGroup;
        QVERIFY(QFile::setPermissions(database, shared));
        // The shop's group, where this user may give the file another one (root may).
        const gid_t shop = 65534;
        const bool grouped = ::chown(QFile::encodeName(database).constData(), uid_t(-1), shop) == 0;
        QCOMPARE(billdb({"backup", file("copy.db")}).exitCode, 0);
        QCOMPARE(QFile::permissions(file("copy.db")), shared);
        QCOMPARE(billdb({"restore", file("copy.db")}).exitCode, 0);
        QCOMPARE(keptFiles().size(), 1);
        QCOMPARE(QFile::permissions(file(keptFiles().first())), shared);
        QCOMPARE(QFile::permissions(database), shared);
        if (grouped) {
            for (const QString& copy : {file("copy.db"), file(keptFiles().first()), database})
                QVERIFY2(QFileInfo(copy).groupId() == shop, qPrintable(copy));
        }

        const mode_t umaskBefore = ::umask(022);
        const QString made = file("made.db");
        const toolrun::Result init = billdb({"init", "--database", made});
        ::umask(umaskBefore);
        QVERIFY2(init.exitCode == 0, qPrintable(init.err));
        QCOMPARE(QFile::permissions(made), owner);
    }

    // The day's copies of a database its group shares are made by whichever account is first that
    // day; a database an older version left open to every account is closed to the others.
    void theDaysCopiesAreTheGroupsAndOtherAccountsAreShutOut()
    {
        const auto mode = [](const QString& path) {
            struct stat now {};
            return ::stat(QFile::encodeName(path).constData(), &now) == 0 ? now.st_mode & 07777 : 0u;
        };
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 02770) == 0);
        QVERIFY(::chmod(QFile::encodeName(database).constData(), 0660) == 0);
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2026, 12, 9)).isEmpty());
        QCOMPARE(mode(file("backups")), 02770u);
        QCOMPARE(mode(file("backups/Bill-2026-12-09.db")), 0660u);
        // Never open to other accounts, though the database's folder is (a copy another account put
        // there would stand for the day's).
        QVERIFY(QDir(file("backups")).removeRecursively());
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 01777) == 0);
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2026, 12, 9)).isEmpty());
        QCOMPARE(mode(file("backups")), 0770u);

        QVERIFY(::chmod(QFile::encodeName(database).constData(), 0644) == 0);
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2026, 12, 10)).isEmpty());
        QCOMPARE(mode(database), 0640u);
        QCOMPARE(mode(file("backups/Bill-2026-12-10.db")), 0640u);
        // A folder an earlier version left writable by every account is closed, and a copy of the
        // day found there, which another account may have put, is made anew.
        // Planted there: a link to another file under the day's name, and names of days to come that
        // would push the real copies out.
        QVERIFY(::chmod(QFile::encodeName(file("backups")).constData(), 01777) == 0);
        QFile victim(file("notes.txt"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("fake") == 4);
        victim.close();
        QVERIFY(QFile::link(file("notes.txt"), file("backups/Bill-2026-12-11.db")));
        for (int day = 1; day <= 30; ++day) {
            QFile later(file(QString("backups/Bill-2099-01-%1.db").arg(day, 2, 10, QChar('0'))));
            QVERIFY(later.open(QIODevice::WriteOnly));
        }
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2026, 12, 11)).isEmpty());
        QCOMPARE(mode(file("backups")), 0770u);
        QCOMPARE(QFileInfo(file("notes.txt")).size(), 4);
        QVERIFY(!QFileInfo(file("backups/Bill-2026-12-11.db")).isSymLink());
        for (const QString day : {"09", "10", "11"})
            QVERIFY2(QFileInfo(file("backups/Bill-2026-12-" + day + ".db")).size() > 4, qPrintable(day));
        // Nor does a name planted for a day to come stand for that day's copy when it comes.
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2099, 1, 1)).isEmpty());
        QVERIFY(QFileInfo(file("backups/Bill-2099-01-01.db")).size() > 4);
    }

    // Under the day's name, a link (the copy is never written where it points) or an older copy renamed
    // to it (by an account that may write the folder, though it only reads the books) is no copy of the
    // day: made anew. The day's own copy stays.
    void whatStandsUnderTheDaysNameIsMadeAnew()
    {
        QVERIFY(!databasebackup::keepTheDays(database, QDate(2026, 12, 8)).isEmpty());
        QFile victim(file("notes.txt"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("notes") == 5);
        victim.close();
        QVERIFY(QFile::link(file("notes.txt"), file("backups/Bill-2026-12-09.db")));
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 9)), file("backups/Bill-2026-12-09.db"));
        QCOMPARE(toolrun::fileText(file("notes.txt")), QString("notes"));
        QVERIFY(!QFileInfo(file("backups/Bill-2026-12-09.db")).isSymLink());

        QFile older(file("backups/Bill-2026-12-08.db"));
        QVERIFY(older.open(QIODevice::ReadWrite));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        older.close();
        QVERIFY(older.rename(file("backups/Bill-2026-12-10.db")));
        // Kept until its copy is made: none on a disk too full for it.
        databasebackup::setFreeBytes([](const QString&) { return qint64(1); });
        auto realDisk = qScopeGuard([] { databasebackup::setFreeBytes({}); });
        QVERIFY_THROWS_EXCEPTION(Failure, databasebackup::keepTheDays(database, QDate(2026, 12, 10)));
        QVERIFY(QFileInfo::exists(file("backups/Bill-2026-12-10.db")));
        databasebackup::setFreeBytes({});
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 10)), file("backups/Bill-2026-12-10.db"));
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 10)), QString());

        // A link to the books themselves is replaced too: the books stay as they are.
        QVERIFY(QFile::link(database, file("backups/Bill-2026-12-12.db")));
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 12)), file("backups/Bill-2026-12-12.db"));
        QVERIFY(!QFileInfo(file("backups/Bill-2026-12-12.db")).isSymLink());
        QCOMPARE(sqlite("pragma integrity_check"), QString("ok"));

        // A link planted while the copy is being made (here, as its room is asked).
        databasebackup::setFreeBytes([&](const QString&) {
            QFile::link(file("notes.txt"), file("backups/Bill-2026-12-11.db"));
            return qint64(-1);
        });
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 11)), file("backups/Bill-2026-12-11.db"));
        QCOMPARE(toolrun::fileText(file("notes.txt")), QString("notes"));
        QVERIFY(!QFileInfo(file("backups/Bill-2026-12-11.db")).isSymLink());

        // A folder there, holding a file, is moved aside with it.
        QVERIFY(QDir().mkpath(file("backups/Bill-2026-12-13.db")));
        QFile held(file("backups/Bill-2026-12-13.db/held"));
        QVERIFY(held.open(QIODevice::WriteOnly));
        held.close();
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 13)), file("backups/Bill-2026-12-13.db"));
        QVERIFY(QFileInfo(file("backups/Bill-2026-12-13.db")).isFile());
        QVERIFY(QFileInfo::exists(file("backups/Bill-2026-12-13.db.not-a-copy-1/held")));
        // So is one under a log's name, which SQLite would take for the copy's log: the copy opens.
        for (const QString log : {"-wal", "-journal"}) {
            QVERIFY(QDir().mkpath(file("backups/Bill-2026-12-14.db" + log)));
            QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 14)), file("backups/Bill-2026-12-14.db"));
            QVERIFY(QFileInfo(file("backups/Bill-2026-12-14.db" + log + ".not-a-copy-1")).isDir());
            QCOMPARE(sqlite("pragma integrity_check", file("backups/Bill-2026-12-14.db")), QString("ok"));
            QVERIFY(QFile::remove(file("backups/Bill-2026-12-14.db")));
        }
    }

    // A copy of the day another member of the group the books are shared with made (neither this user
    // nor the books' owner) is the day's: not made again at each login.
    void aGroupMembersCopyOfTheDayStays()
    {
        const passwd* other = getpwnam("nobody");
        if (geteuid() != 0 || !other)
            QSKIP("needs root, to act as the user nobody");
        QVERIFY(::chown(QFile::encodeName(database).constData(), 4242, other->pw_gid) == 0);
        QVERIFY(::chmod(QFile::encodeName(database).constData(), 0660) == 0);
        const QString made = databasebackup::keepTheDays(database, QDate(2026, 12, 9));
        QVERIFY(::chown(QFile::encodeName(made).constData(), other->pw_uid, other->pw_gid) == 0);
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 9)), QString());
    }

    // A file another account put under the day's name, in a folder of its own, is no copy of the
    // books: the copy is made anew (or, where this user may not, it is told).
    void aDaysCopyPutThereByAnotherAccountIsMadeAnew()
    {
        const passwd* other = getpwnam("nobody");
        if (geteuid() != 0 || !other)
            QSKIP("needs root, to act as the user nobody");
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 01777) == 0);
        QVERIFY(QDir(folder).mkdir("backups"));
        QFile planted(file("backups/Bill-2026-12-09.db"));
        QVERIFY(planted.open(QIODevice::WriteOnly));
        planted.close();
        for (const QString& path : {file("backups"), planted.fileName()})
            QVERIFY(::chown(QFile::encodeName(path).constData(), other->pw_uid, other->pw_gid) == 0);
        QVERIFY(::chmod(QFile::encodeName(file("backups")).constData(), 0755) == 0);
        QCOMPARE(databasebackup::keepTheDays(database, QDate(2026, 12, 9)), planted.fileName());
        QCOMPARE(sqlite("select userx from UserTable", planted.fileName()), QString("Admin"));
    }

    void backupWhileWritingPassesItsCheck()
    {
        storeLines(60000);
        Connection writer;
        writer.open(schema::sqliteConnectionString(database));
        QProcess backup;
        backup.setProcessEnvironment(environment);
        backup.start(toolrun::billdbProgram(), {"backup", file("copy.db")});
        int committed = 0;
        for (; !backup.waitForFinished(1); ++committed) {
            RecordSet insert;
            insert.open(QString("insert into asigncharges values(%1, 1, 'RICE', 1, 40, 0, 0, 'CASH', '', '', '', "
                                "'-', 0, '2026-12-05', '', '', 0)").arg(1000 + committed), writer);
        }
        QVERIFY2(backup.exitCode() == 0, backup.readAllStandardError().constData());
        QVERIFY(committed > 0);

        const toolrun::Result checked = billdb({"check", "--database", file("copy.db")});
        QVERIFY2(checked.exitCode == 0 && checked.out.contains("Integrity check: ok"), qPrintable(checked.out));
        const int copied = sqlite("select count(*) from asigncharges", file("copy.db")).toInt();
        QVERIFY2(copied >= 60000 && copied <= 60000 + committed, qPrintable(QString::number(copied)));
        QCOMPARE(QFileInfo(file("copy.db")).dir().entryList({"copy.db.partial*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    // A till selling while a backup is restored: each line it stored is in what the restore
    // replaced and kept, or in the restored database, never lost between the two.
    void aRestoreWhileATillWritesKeepsEveryLineStored()
    {
        storeLines(60000);
        QCOMPARE(billdb({"backup", file("monday.db")}).exitCode, 0);
        Connection writer;
        writer.open(schema::sqliteConnectionString(database));
        QProcess restore;
        restore.setProcessEnvironment(environment);
        restore.start(toolrun::billdbProgram(), {"restore", file("monday.db")});
        QStringList stored;
        for (int number = 1000; !restore.waitForFinished(1) && number < 32000; ++number) {
            try {
                RecordSet().open(QString("insert into asigncharges values(%1, 1, 'RICE', 1, 40, 0, 0, 'CASH', '', '', '', "
                                         "'-', 0, '2026-12-05', '', '', 0)").arg(number),
                                 writer);
                stored << QString::number(number);
            } catch (const DbError&) {  // busy while the restore writes: not stored
            }
        }
        writer.close();
        QVERIFY2(restore.exitCode() == 0, restore.readAllStandardError().constData());
        QCOMPARE(keptFiles().size(), 1);
        const QString numbers = "select BillNumber from asigncharges where BillNumber >= 1000";
        QStringList found = sqlite(numbers, file(keptFiles().first())).split('\n', Qt::SkipEmptyParts)
            + sqlite(numbers, database).split('\n', Qt::SkipEmptyParts);
        found.sort();
        found.removeDuplicates();
        stored.sort();
        QVERIFY(!stored.isEmpty());
        QCOMPARE(found, stored);
    }

    // Two restores at once (a slow one started again): each keeps what it replaced, under a name of
    // its own, and the books from before both are in one of them.
    void twoRestoresAtOnceKeepEachWhatItReplaced()
    {
        storeLines(150000);  // each restore checks it for a while before it copies
        QCOMPARE(billdb({"backup", file("monday.db")}).exitCode, 0);
        sqlite("delete from asigncharges where BillNumber > 1000");
        QCOMPARE(billdb({"backup", file("tuesday.db")}).exitCode, 0);
        sqlite("insert into asigncharges values(30000, 1, 'RICE', 1, 40, 0, 0, 'CASH', '', '', '', '-', 0, "
               "'2026-12-05', '', '', 0)");
        QProcess first, second;
        for (auto [restore, backup] : {std::pair{&first, "monday.db"}, std::pair{&second, "tuesday.db"}}) {
            restore->setProcessEnvironment(environment);
            restore->start(toolrun::billdbProgram(), {"restore", file(backup)});
        }
        QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
        QVERIFY2(first.exitCode() == 0 && second.exitCode() == 0,
                 (first.readAllStandardError() + second.readAllStandardError()).constData());
        QCOMPARE(keptFiles().size(), 2);
        QStringList before;
        for (const QString& kept : keptFiles())
            before << sqlite("select count(*) from asigncharges where BillNumber = 30000", file(kept));
        before.sort();
        QCOMPARE(before, QStringList({"0", "1"}));
    }

    void restoreRefusesWhatIsNoSoundBackupOfThisProgram()
    {
        storeLines(3000);
        QVERIFY(billdb({"backup", file("good.db")}).exitCode == 0);
        QFile::copy(file("good.db"), file("truncated.db"));
        QFile truncated(file("truncated.db"));
        QVERIFY(truncated.resize(truncated.size() * 6 / 10));
        QFile text(file("notes.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("Backup of Monday\n") > 0);
        text.close();
        sqlite("create table Notes(Line text)", file("other.db"));
        QFile::copy(file("good.db"), file("short.db"));
        sqlite("alter table Stock drop column MRP", file("short.db"));

        // Values SQLite keeps in any column, which the program cannot read as their column's kind.
        const QStringList unfit{"update asigncharges set Amount = 9e999 where BillNumber = 1 and Serial = 1",
                                "update asigncharges set Amount = 'abc' where BillNumber = 1 and Serial = 2",
                                "update asigncharges set Quantity = 2.5 where BillNumber = 1 and Serial = 3",
                                "update asigncharges set Date_ = '2017-02-30' where BillNumber = 1 and Serial = 4",
                                "update asigncharges set BillNumber = null where BillNumber = 1 and Serial = 5",
                                "update asigncharges set Remark = x'00' where BillNumber = 1 and Serial = 6",
                                "update asigncharges set Amount = 1e300 where BillNumber = 1 and Serial = 7",
                                "update asigncharges set TaxInPercentage = null where BillNumber = 1 and Serial = 8"};
        for (int value = 0; value < unfit.size(); ++value) {
            QFile::copy(file("good.db"), file(QString("unfit%1.db").arg(value)));
            sqlite(unfit.at(value), file(QString("unfit%1.db").arg(value)));
        }

        // A sound backup under the name of what a stopped restore leaves, which a restore takes away.
        QFile::copy(file("good.db"), file("Bill.db.partial-99999"));
        QVERIFY(QFile::link(file("Bill.db.partial-99999"), file("latest.db")));

        sqlite("insert into Customer values(1, 'RAM', 'ROAD', '98765')");
        QStringList refused{"notes.txt", "truncated.db", "other.db", "short.db", "missing.db", "latest.db", "Bill.db.partial-99999"};
        for (int value = 0; value < unfit.size(); ++value)
            refused << QString("unfit%1.db").arg(value);
        for (const QString& name : refused) {
            const toolrun::Result restore = billdb({"restore", file(name)});
            QVERIFY2(restore.refusedInOneLine(), qPrintable(name + ": " + restore.err));
            QVERIFY2(name == "missing.db" || restore.err.contains("nothing was restored"), qPrintable(restore.err));
        }
        QCOMPARE(sqlite("select count(*) from asigncharges"), QString("3000"));
        QCOMPARE(sqlite("select ITEM from Customer"), QString("RAM"));
        QVERIFY(keptFiles().isEmpty());
        QVERIFY(QFileInfo::exists(file("Bill.db.partial-99999")));

        // Put there by another program, check lists them.
        for (const QString& statement : unfit)
            sqlite(statement);
        const toolrun::Result check = billdb({"check"});
        QCOMPARE(check.exitCode, 1);
        const QStringList listed = check.out.split('\n').filter("Table asigncharges");
        QCOMPARE(listed, QStringList({"Table asigncharges, column BillNumber: 1 value that is no whole number, such as NULL",
                                      "Table asigncharges, column Quantity: 1 value that is no whole number, such as 2.5",
                                      "Table asigncharges, column Amount: 3 values that are no number up to 1000000000 either way, "
                                      "such as Inf",
                                      "Table asigncharges, column TaxInPercentage: 1 value that is no number up to "
                                      "1000000000 either way, such as NULL",
                                      "Table asigncharges, column Remark: 1 value that is no text, such as X'00'",
                                      "Table asigncharges, column Date_: 1 value that is no day, such as '2017-02-30'"}));

        // A figure beyond what can be typed, as older versions of the program stored: its backups
        // restore, and check lists it, to be put right.
        QVERIFY(QFile::copy(file("good.db"), file("older.db")));
        sqlite("update asigncharges set Amount = 8901234567890 where BillNumber = 2 and Serial = 1", file("older.db"));
        const toolrun::Result older = billdb({"restore", file("older.db")});
        QVERIFY2(older.exitCode == 0, qPrintable(older.out + older.err));
        QVERIFY(billdb({"check"}).out.contains("Table asigncharges, column Amount: 1 value that is no number up to "
                                               "1000000000 either way, such as 8901234567890.0"));
    }

    // A sound database, a damaged one and none at all: each ends with the backup's rows.
    void restorePutsTheBackupBackAndKeepsWhatItReplaced()
    {
        storeLines(250);
        QVERIFY(billdb({"backup", file("monday.db")}).exitCode == 0);
        sqlite("delete from asigncharges where BillNumber = 1; insert into Customer values(1, 'RAM', 'ROAD', '98765')");

        toolrun::Result restore = billdb({"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 0 && restore.out.contains("kept in"), qPrintable(restore.out + restore.err));
        QCOMPARE(sqlite("select count(*) from asigncharges") + sqlite("select count(*) from Customer"), QString("2500"));
        QCOMPARE(keptFiles().size(), 1);
        QCOMPARE(sqlite("select count(*) from asigncharges", file(keptFiles().first())), QString("150"));
        QCOMPARE(sqlite("select ITEM from Customer", file(keptFiles().first())), QString("RAM"));
        // The bills' sums follow the lines put back, and then each line stored.
        QCOMPARE(sqlite("select group_concat(Amount_) from BillSums"), QString("2000.0,2000.0,1000.0"));
        sqlite("delete from asigncharges where BillNumber = 3 and Serial > 10");
        QCOMPARE(sqlite("select group_concat(Amount_) from BillSums"), QString("2000.0,2000.0,200.0"));

        // Damaged while a till holds lines in the log, not yet written into the file: the log goes
        // with the damaged file, never taken into the restored one.
        QProcess till;
        till.start("sqlite3", {database});
        QVERIFY(till.waitForStarted());
        till.write("pragma wal_autocheckpoint = 0;\n");
        for (int sn = 2; sn <= 51; ++sn)
            till.write(QString("insert into Customer values(%1, 'C%1', '', '%1');\n").arg(sn).toUtf8());
        till.write("select 'stored';\n");
        while (!till.readAllStandardOutput().contains("stored"))
            QVERIFY(till.waitForReadyRead(10000));
        QFile damaged(database);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(8192));
        damaged.write(QByteArray(16384, '\x5a'));
        damaged.close();
        const toolrun::Result checked = billdb({"check"});
        QVERIFY2(checked.exitCode == 1 && checked.out.contains(" restore BACKUP (the day's copies are in " + file("backups") + ")"),
                 qPrintable(checked.out));
        // Within the same second as the first (as a script runs them), a second restore keeps its own.
        restore = billdb({"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 0 && restore.out.contains("damaged"), qPrintable(restore.out + restore.err));
        QVERIFY(QFileInfo::exists(file(keptFiles().last()) + "-wal"));
        till.closeWriteChannel();
        QVERIFY(till.waitForFinished());
        QCOMPARE(billdb({"check"}).exitCode, 0);
        QCOMPARE(sqlite("select count(*) from asigncharges") + sqlite("select count(*) from Customer"), QString("2500"));
        QCOMPARE(billdb({"restore", file("monday.db")}).exitCode, 0);
        QCOMPARE(keptFiles().size(), 3);
        QCOMPARE(sqlite("select count(*) from Customer", file(keptFiles().first())), QString("1"));

        QVERIFY(QFile::remove(database));
        restore = billdb({"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.err));
        QCOMPARE(sqlite("select count(*) from asigncharges"), QString("250"));
        QCOMPARE(sqlite("select userx from UserTable"), QString("Admin"));
    }

    // Another till's damaged file, named with --database, is not the data source's books: what the
    // commands that stop on it advise is that file's own check, never a restore without its name, which
    // would put a backup over the sound books.
    void aDamagedFileNamedIsTheOneAdvisedFor()
    {
        const QString other = file("other till.db");
        QVERIFY(billdb({"init", "--database", other}).exitCode == 0);
        sqlite("insert into Customer values(1, 'RAM', 'ROAD', '98765')", other);
        sqlite("insert into asigncharges values(1, 1, 'TEA', 2, 10, 5, 0, 'CASH', 'ROAD', '98', '', '-', 0, "
               "'2025-12-04', '', '', 0)",
               other);
        QFile damaged(other);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(4096));
        damaged.write(QByteArray(16 * 4096, '\x5a'));
        damaged.close();

        const QList<QStringList> commands{
            {"backup", file("copy.db"), "--database", other},
            {"close-year", "--before", "2026-04-01", "--archive", file("archive.db"), "--database", other}};
        for (const QStringList& command : commands) {
            const toolrun::Result refused = billdb(command);
            QVERIFY2(refused.refusedInOneLine() && refused.err.contains("damaged")
                         && refused.err.contains("check --database '" + other + "'")
                         && !refused.err.contains("restore"),
                     qPrintable(command.first() + ": " + refused.out + refused.err));
        }
        QCOMPARE(billdb({"check"}).exitCode, 0);
    }

    // A backup whose rows this program's tables refuse (a quantity out of range, which the read-only
    // integrity check does not see) stops the restore: a damaged database is back where it was, and
    // none is made where there was none.
    void aRestoreThatFailsLeavesTheDatabaseWhereItWas()
    {
        storeLines(250);
        QVERIFY(billdb({"backup", file("bad.db")}).exitCode == 0);
        sqlite("pragma ignore_check_constraints = on; update asigncharges set Quantity = 99999 where Serial = 7", file("bad.db"));
        sqlite("pragma wal_checkpoint(truncate)");
        QFile damaged(database);
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.seek(8192));
        damaged.write(QByteArray(16384, '\x5a'));
        damaged.close();
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        const QByteArray before = damaged.readAll();
        damaged.close();

        toolrun::Result restore = billdb({"restore", file("bad.db")});
        QVERIFY2(restore.refusedInOneLine() && restore.err.contains("nothing was restored")
                     && restore.err.contains("asigncharges"),
                 qPrintable(restore.out + restore.err));
        QVERIFY(damaged.open(QIODevice::ReadOnly));
        QVERIFY(damaged.readAll() == before);
        QVERIFY(keptFiles().isEmpty());

        QVERIFY(QFile::remove(database));
        restore = billdb({"restore", file("bad.db")});
        QVERIFY2(restore.refusedInOneLine(), qPrintable(restore.out + restore.err));
        QVERIFY(!QFileInfo::exists(database));
    }

    // A copy stopped part-way leaves nothing that a later run trusts or nobody takes away: a restore on a
    // full disk keeps no half copy of what it would have replaced, a first database or a restore onto a
    // new computer cut short is no database at the name, and copies left by stopped runs go at the next run.
    void aRunStoppedPartWayLeavesNothingBehind()
    {
        storeLines(3000);
        QCOMPARE(billdb({"backup", file("monday.db")}).exitCode, 0);
        const QString stored = sqlite("select count(*), sum(Quantity) from asigncharges");
        toolrun::Result restore = billdbWithin(QFileInfo(database).size() / 2, true, {"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 1 && restore.err.contains("Nothing was changed"), qPrintable(restore.out + restore.err));
        QCOMPARE(keptFiles() + partialFiles(), QStringList());
        QCOMPARE(sqlite("select count(*), sum(Quantity) from asigncharges"), stored);

        const QString fresh = file("fresh/Bill.db");
        const toolrun::Result stopped = billdbWithin(2048, false, {"init", "--database", fresh});
        QVERIFY2(stopped.exitCode != 0 && !QFileInfo::exists(fresh), qPrintable(stopped.out + stopped.err));
        QCOMPARE(billdb({"init", "--database", fresh}).exitCode, 0);
        QCOMPARE(sqlite("select userx from UserTable", fresh), QString("Admin"));
        // A restore onto a new computer, stopped while the rows go in, leaves no empty database.
        const QString restored = file("restored/Bill.db");
        QVERIFY(QDir().mkpath(file("restored")));
        const qint64 halfway = (QFileInfo(fresh).size() + QFileInfo(file("monday.db")).size()) / 2;
        restore = billdbWithin(halfway, false, {"restore", file("monday.db"), "--database", restored});
        QVERIFY2(restore.exitCode != 0 && !QFileInfo::exists(restored), qPrintable(restore.out + restore.err));
        QCOMPARE(billdb({"restore", file("monday.db"), "--database", restored}).exitCode, 0);
        QCOMPARE(sqlite("select count(*), sum(Quantity) from asigncharges", restored), stored);
        QCOMPARE(QDir(file("restored")).entryList(QDir::Files), QStringList{"Bill.db"});
        // A disk with room for the rows in the log but not in the file: SQLite keeps the log beside the
        // new database on closing, and the file alone is no database.
        const QString full = file("full/Bill.db");
        QVERIFY(QDir().mkpath(file("full")));
        restore = billdbWithin(QFileInfo(file("monday.db")).size() * 9 / 10, true, {"restore", file("monday.db"), "--database", full});
        QVERIFY2(restore.exitCode == 1 && restore.err.contains("nothing was restored"), qPrintable(restore.out + restore.err));
        QCOMPARE(QDir(file("full")).entryList(QDir::Files), QStringList());

        const pid_t gone = ::fork();
        if (gone == 0)
            ::_exit(0);
        ::waitpid(gone, nullptr, 0);
        const QString stoppedPid = QString::number(gone);
        for (const QString& left : {"Bill.db.replaced-20261208-101500.partial-" + stoppedPid, "copy.db.partial-" + stoppedPid,
                                    "fresh/Bill.db.partial-" + stoppedPid,
                                    // the new database of a restore, made under its own partial name
                                    "Bill.db.partial-" + stoppedPid + ".partial-" + stoppedPid + "-journal"})
            QVERIFY(QFile(file(left)).open(QIODevice::WriteOnly));
        QCOMPARE(billdb({"restore", file("monday.db")}).exitCode, 0);
        QCOMPARE(billdb({"backup", file("copy.db")}).exitCode, 0);
        QVERIFY(QFile::remove(fresh));
        QCOMPARE(billdb({"init", "--database", fresh}).exitCode, 0);
        QCOMPARE(partialFiles() + QDir(file("fresh")).entryList({"*.partial-*"}, QDir::Files), QStringList());
    }

    // A log left at the database's name without its database (the database lost after a hard stop, a
    // folder copied without it) is set aside, not played into the database made there.
    void aLogLeftWithoutItsDatabaseStaysOutOfANewOne()
    {
        QCOMPARE(billdb({"backup", file("monday.db")}).exitCode, 0);
        const QString log = file("log-of-a-lost-database");
        {
            Connection writer;
            writer.open(schema::sqliteConnectionString(database));
            RecordSet statement;
            statement.open("pragma wal_autocheckpoint = 0", writer);
            statement.open("insert into Supplier values(2, 'OLD SUPPLIER', '', '')", writer);
            statement.open("update UserTable set userx = 'OLDUSER'", writer);
            QVERIFY(QFile::copy(database + "-wal", log));
        }
        QVERIFY(QFile::remove(database));
        const auto leaveTheLog = [&] { QVERIFY(QFile::copy(log, database + "-wal")); };

        leaveTheLog();
        const toolrun::Result restore = billdb({"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.err));
        QCOMPARE(sqlite("select count(*) from Supplier"), QString("0"));
        QCOMPARE(QDir(folder).entryList({"Bill.db-wal.left-*"}, QDir::Files).size(), 1);

        QVERIFY(QFile::remove(database));
        const QString made = file("made.db");
        QVERIFY(QFile::copy(log, made + "-wal"));
        QCOMPARE(billdb({"init", "--database", made}).exitCode, 0);
        QCOMPARE(sqlite("select userx from UserTable", made), QString("Admin"));
        // A link to a log no longer there is set aside too: SQLite cannot open a database beside it.
        const QString linked = file("linked.db");
        QVERIFY(QFile::link(file("gone/old-wal"), linked + "-wal"));
        QCOMPARE(billdb({"init", "--database", linked}).exitCode, 0);
        QCOMPARE(sqlite("select userx from UserTable", linked), QString("Admin"));
    }

    // The bills' triggers dropped here (what sum-bills mends) while the
    // backup, attached beside, has its own: the restore puts them back.
    void restoreIntoADatabaseWithoutItsBillTriggers()
    {
        storeLines(250);
        QVERIFY(billdb({"backup", file("monday.db")}).exitCode == 0);
        sqlite("drop trigger BillSums_INSERT; drop trigger BillSums_DELETE; drop trigger BillSums_UPDATE; "
               "delete from asigncharges");

        const toolrun::Result restore = billdb({"restore", file("monday.db")});
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.out + restore.err));
        QCOMPARE(sqlite("select count(*) from asigncharges"), QString("250"));
        QCOMPARE(sqlite("select group_concat(Amount_) from BillSums"), QString("2000.0,2000.0,1000.0"));
        sqlite("delete from asigncharges where BillNumber = 3 and Serial > 10");
        QCOMPARE(sqlite("select group_concat(Amount_) from BillSums"), QString("2000.0,2000.0,200.0"));
    }

    // Named by a link or another path, the database is still itself: no
    // copy, archive or restore is put in its place.
    void theDatabaseByAnotherNameIsRefused()
    {
        storeLines(250);
        QVERIFY(QFile::link(database, file("alias.db")));
        QVERIFY(::link(QFile::encodeName(database).constData(), QFile::encodeName(file("hard.db")).constData()) == 0);
        for (const QString& name : {"alias.db", "hard.db"}) {
            for (const QStringList& command : {QStringList{"backup", file(name)}, QStringList{"restore", file(name)},
                                               QStringList{"close-year", "--before", "2026-12-05", "--archive", file(name)}}) {
                const toolrun::Result refused = billdb(command);
                QVERIFY2(refused.refusedInOneLine() && refused.err.contains("itself"),
                         qPrintable(command.join(' ') + ": " + refused.err));
            }
        }
        QCOMPARE(sqlite("pragma integrity_check") + sqlite("select count(*) from asigncharges"), QString("ok250"));
        QVERIFY(keptFiles().isEmpty());

        // Nor is another database (an older backup, an archive) copied over the books, its name and
        // --database swapped; nor over any database with its log beside it, in use.
        QCOMPARE(billdb({"backup", file("older.db")}).exitCode, 0);
        sqlite("delete from asigncharges where BillNumber > 1", file("older.db"));
        const QString heldLog = file("held.db");
        QCOMPARE(billdb({"backup", heldLog}).exitCode, 0);
        QFile(heldLog + "-wal").open(QIODevice::WriteOnly);
        for (const auto& [target, words] : {std::pair{QString("hard.db"), "is the shop's database"}, std::pair{QString("held.db"), "is a database a till works on"}}) {
            const toolrun::Result refused = billdb({"backup", file(target), "--database", file("older.db")});
            QVERIFY2(refused.refusedInOneLine() && refused.err.contains(words), qPrintable(target + ": " + refused.err));
        }
        QCOMPARE(sqlite("pragma integrity_check") + sqlite("select count(*) from asigncharges"), QString("ok250"));
        QCOMPARE(sqlite("select count(*) from asigncharges", heldLog), QString("250"));
        // Nor over a database's log, its index or journal, by a backup or an export: what the log
        // holds would be lost.
        QVERIFY(QFile::link(heldLog + "-wal", file("log-link")));
        for (const QString& log : {heldLog + "-wal", heldLog + "-shm", heldLog + "-journal", file("log-link")}) {
            for (const QStringList& command : {QStringList{"backup", log, "--database", file("older.db")},
                                               QStringList{"export", "customers", log}}) {
                const toolrun::Result refused = billdb(command);
                QVERIFY2(refused.refusedInOneLine() && refused.err.contains("is the log of the database " + heldLog),
                         qPrintable(command.join(' ') + ": " + refused.err));
            }
        }
        QCOMPARE(QFileInfo(heldLog + "-wal").size(), 0);
        QVERIFY(!QFileInfo::exists(heldLog + "-shm") && !QFileInfo::exists(heldLog + "-journal"));
        // Also where billdb does not know the data source (another user, a root job): the books keep a log.
        const toolrun::Result unknown = toolrun::run({"backup", database, "--database", file("older.db")},
                                                     toolrun::environment(file("none.ini"), folder));
        QVERIFY2(unknown.refusedInOneLine() && unknown.err.contains("is a database a till works on"), qPrintable(unknown.err));
        QCOMPARE(sqlite("pragma integrity_check") + sqlite("select count(*) from asigncharges"), QString("ok250"));

        // Links to a copy elsewhere (on a memory stick) stay links: the copy they name is renewed.
        QVERIFY(QDir(folder).mkdir("stick") && billdb({"backup", file("stick/Bill.db")}).exitCode == 0);
        QVERIFY(QFile::link(file("stick/Bill.db"), file("stick-link.db")) && QFile::link(file("stick-link.db"), file("stick.db")));
        sqlite("insert into Customer values(7, 'LINKED', '', '7')");
        QCOMPARE(billdb({"backup", file("stick.db")}).exitCode, 0);
        QVERIFY(QFileInfo(file("stick.db")).isSymLink() && QFileInfo(file("stick-link.db")).isSymLink());
        QCOMPARE(sqlite("select ITEM from Customer", file("stick/Bill.db")), QString("LINKED"));
    }

    // Another user's database in a folder that user cannot write (where SQLite cannot make the
    // log's files it reads by) is told as such, never as damaged.
    void aDatabaseThisUserCannotWriteIsNotDamaged()
    {
        const passwd* other = getpwnam("nobody");
        if (geteuid() != 0 || !other)
            QSKIP("needs root, to act as the user nobody");
        QVERIFY(::chown(QFile::encodeName(database).constData(), other->pw_uid, other->pw_gid) == 0);
        for (const QString& path : {dir.path(), folder})
            QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOther | QFileDevice::ExeOther));
        const toolrun::Result checked = toolrun::run({"--reuid=nobody", "--regid=" + QString::number(other->pw_gid), "--clear-groups",
                                                      toolrun::billdbProgram(), "check", "--database", database},
                                                     environment, "setpriv");
        QVERIFY2(checked.exitCode == 1 && checked.err.contains("the folder " + folder + " does not let this user")
                     && !(checked.out + checked.err).contains("damaged"),
                 qPrintable(checked.out + checked.err));
    }

    // A copy or an archive into a folder this user may not write names that folder, not the database.
    void aFolderThisUserCannotWriteIsNamed()
    {
        const passwd* other = getpwnam("nobody");
        if (geteuid() != 0 || !other)
            QSKIP("needs root, to act as the user nobody");
        QVERIFY(QDir(folder).mkdir("locked"));
        for (const QString& path : {folder, database})
            QVERIFY(::chown(QFile::encodeName(path).constData(), other->pw_uid, other->pw_gid) == 0);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ReadOther | QFileDevice::ExeOther));
        for (const QStringList& command : {QStringList{"backup", file("locked/copy.db")},
                                           QStringList{"close-year", "--before", "2026-12-05", "--archive", file("locked/copy.db")}}) {
            const toolrun::Result refused = toolrun::run(QStringList{"--reuid=nobody", "--regid=" + QString::number(other->pw_gid),
                                                                     "--clear-groups", toolrun::billdbProgram()}
                                                             + command + QStringList{"--database", database},
                                                         environment, "setpriv");
            QVERIFY2(refused.refusedInOneLine() && refused.err.contains("the folder " + file("locked") + " does not let this user make copy.db"),
                     qPrintable(command.first() + ": " + refused.out + refused.err));
        }
    }

    // On a disk too full for the log's index (here a file-size limit), a sound database is not told
    // as damaged, and no restore over it is advised.
    void aFullDiskIsNoDamage()
    {
        storeLines(250);
        QVERIFY(!QFileInfo::exists(database + "-shm"));
        const toolrun::Result checked = billdbWithin(16384, true, {"check"});
        QVERIFY2(checked.exitCode == 1 && !checked.out.contains("damaged") && !checked.out.contains("restore")
                     && checked.err.contains("could not be read or written"),
                 qPrintable(checked.out + checked.err));
        QVERIFY(billdb({"check"}).out.startsWith("Integrity check: ok\n"));
    }

    // Held by another program past the wait, a sound database is busy, not
    // damaged: the restore stops and nothing is moved aside.
    void aHeldDatabaseIsBusyNotDamaged()
    {
        storeLines(250);
        QVERIFY(billdb({"backup", file("monday.db")}).exitCode == 0);
        const QString held = file("held.db");
        QVERIFY(billdb({"backup", held}).exitCode == 0);
        QCOMPARE(sqlite("pragma journal_mode", held), QString("delete"));
        Connection holder;
        holder.open(schema::sqliteConnectionString(held, schema::Journal::AsTheFileHasIt));
        RecordSet statement;
        statement.open("begin exclusive", holder);
        statement.open("insert into Customer values(10, 'HELD', '', '10')", holder);

        const toolrun::Result restore = billdb({"restore", file("monday.db"), "--database", held});
        QVERIFY2(restore.refusedInOneLine() && restore.err.contains("busy"), qPrintable(restore.out + restore.err));
        statement.open("commit", holder);
        QCOMPARE(sqlite("select ITEM from Customer", held), QString("HELD"));
        QCOMPARE(QDir(folder).entryList({"held.db.replaced-*"}, QDir::Files), QStringList());

        // In the write-ahead log a held database can still be read, and copied aside: the copy goes
        // again when the restore cannot write.
        Connection till;
        till.open(schema::sqliteConnectionString(database));
        statement.open("begin exclusive", till);
        const toolrun::Result walRestore = billdb({"restore", file("monday.db")});
        QVERIFY2(walRestore.refusedInOneLine() && walRestore.err.contains("busy"), qPrintable(walRestore.out + walRestore.err));
        statement.open("commit", till);
        QCOMPARE(keptFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(BackupTest)
#include "tst_backup.moc"
