// The data layer against a real database behind the ODBC data source.

#include "data/Connection.h"
#include "data/Connectionx.h"
#include "data/DataSource.h"
#include "data/DbError.h"
#include "data/Dialect.h"
#include "data/JoinedNumbers.h"
#include "data/QueryRows.h"
#include "data/RecordSet.h"
#include "data/RowBlock.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "data/Statement.h"
#include "kit/Connectx.h"
#include "kit/FailureStyles.h"
#include "support/Checks.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class DataTest : public QObject {
    Q_OBJECT

    TestDatabase db;

    RecordSet query(const QString& statement)
    {
        Connection connection;
        connection.open();
        RecordSet result;
        result.open(statement, connection);
        return result;
    }
    void run(const QString& statement) { query(statement); }
    QVariant first(const QString& statement) { return query(statement).field(0); }
    // The first value of a statement on a connection kept open, opened again first as an operation does.
    static QVariant firstOn(Connection& kept, const QString& statement)
    {
        kept.open();
        RecordSet result;
        result.open(statement, kept);
        return result.field(0);
    }

    static QString line(int bill, int serial, const QString& item, const QString& date = "#2026-12-04#",
                        const QString& name = "CASH")
    {
        return QString("insert into asigncharges values(%1,%2,%3,2,100,5,10,%4,'ADDR','98765','', '-',0,%5,'','',0)")
            .arg(bill).arg(serial).arg(sql::text(item), sql::text(name), date);
    }

private slots:
    void init() { db.reset(); }

    // A row of an empty result, or a column that is not there, is an error.
    void emptyAggregatesAreNull()
    {
        RecordSet max = query("Select max(BillNumber) from asigncharges");
        QVERIFY(max.recordCount() == 1 && max.field(0).isNull());
        QVERIFY(first("Select Sum(Amount * Quantity) from asigncharges where BillNumber = 7").isNull());
        RecordSet none = query("Select MRP from Stock WHERE Item = 'NONE'");
        QVERIFY(none.eof());
        QVERIFY_THROWS_EXCEPTION(DbError, none.field(0));
        QVERIFY_THROWS_EXCEPTION(DbError, query("Select nosuchcolumn from Stock"));
    }

    void theDatabaseGuardsUniquenessAndRanges()
    {
        run("insert into Customer values(1,'RAM','ROAD','98765')");
        run("insert into Charges values(1,'TEA',10,'-',0)");
        run(line(1, 1, "TEA"));
        run("insert into Stock values(1,0,'TEA',32767,1,0,0,'S','','','','-',0,#2026-12-04#,'T','B',0)");
        for (const char* refused : {"insert into Customer values(2,'SHAM','LANE','98765')",  // the phone
                                    "insert into charges values(2,'tea',12,'-',0)",           // the item, in any case
                                    "insert into asigncharges select * from asigncharges",    // the line
                                    "update asigncharges set BillNumber = 40000",             // 16 bits
                                    "update Stock set Quantity = Quantity + 1"})
            QVERIFY_THROWS_EXCEPTION(DbError, run(refused));
        QCOMPARE(db.rows("select count(*) from Customer union all select count(*) from Charges union all "
                         "select sum(Quantity) from Stock"),
                 QStringList({"1", "1", "32767"}));
    }

    void theOldDialectIsUnderstood()
    {
        // "Delete *" in both spellings; hash and Delete inside quoted text are text.
        run(line(1, 1, "NO #5# TEA", "#2026-12-04#", "Delete * from x"));
        QCOMPARE(db.rows("Select Item, CustomerName from asigncharges"), QStringList{"NO #5# TEA|Delete * from x"});
        run("insert into Customer values(1,'RAM','ROAD','1')");
        run("insert into Customer values(2,'SHAM','LANE','2')");
        run("Delete * from Customer where SN = 1");
        run("Delete * From  CUSTOMER   where SN = 2");
        QCOMPARE(db.count("Customer"), 0);

        // Names in any case; aliases keep theirs; distinct(...) with an alias, ordered by the column.
        run("insert into Customer values(3,'RAM','ROAD','1')");
        QCOMPARE(query("Select * from CUSTOMER ORDER by SN asc").field("item").toString(), QString("RAM"));
        QCOMPARE(QStringList(query("Select  SN, ITEM as Name_, PARTNO as Address_,REMARK as Phone_ from Customer").fieldNames().toList()),
                 QStringList({"SN", "Name_", "Address_", "Phone_"}));
        // A column two tables spell apart is spelled as the table read first spells it.
        QCOMPARE(query("select item from customer").fieldNames().first() + ' '
                     + query("Select * from customer").fieldNames().at(1) + ' '
                     + query("Select * from asigncharges").fieldNames().at(2),
                 QString("ITEM ITEM Item"));
        run(line(10, 1, "TEA"));
        run(line(10, 2, "BUN"));
        run(line(9, 1, "TEA"));
        RecordSet bills = query("Select distinct(BillNumber) AS Item from asigncharges ORDER BY BillNumber desc");
        QCOMPARE(bills.recordCount(), 3);
        QCOMPARE(bills.field("Item").toInt(), 10);
        QCOMPARE(first("Select distinct(Item)from asigncharges order by Item ASC").toString(), QString("BUN"));
    }

    // Dates between '#' signs, as "dd/MMM/yyyy" or ISO, find the same day; another form is an error.
    void dateLiteralsInBothFormsFindTheSameDay()
    {
        run(line(1, 1, "TEA", sql::date(QDate(2026, 12, 4))));
        run(line(2, 1, "TEA", "#05/Dec/2026#"));
        const QString select = "Select BillNumber from asigncharges where Date_ >= #%1#  and Date_ <= #%2#";
        QCOMPARE(query(select.arg("04/Dec/2026", "04/Dec/2026")).recordCount(), 1);
        QCOMPARE(query(select.arg("2026-12-04", "2026-12-05")).recordCount(), 2);
        QCOMPARE(query(select.arg("12/Apr/2026", "12/Apr/2026")).recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(Failure, query(select.arg("04/12/2026", "04/12/2026")));
    }

    // The driver would cut a statement at an emoji; a byte-order mark, NUL, an unpaired
    // surrogate and a private character of the last plane are left out.
    void quotedTextReadsBackAsTyped()
    {
        const QString emoji = QString::fromUtf8("\U0001F600");
        const QList<QPair<QString, QString>> texts{
            {"O'BRIEN'); Delete * from Customer; --", "O'BRIEN'); Delete * from Customer; --"},
            {"'" + emoji + "'" + emoji + emoji + "X", "'" + emoji + "'" + emoji + emoji + "X"},
            {QString::fromUtf8("\u0930\u093e\u092e \u20ac5"), QString::fromUtf8("\u0930\u093e\u092e \u20ac5")},
            {QString(QChar(0xFEFF)) + QChar(0xFFFE) + "RAM" + QChar(0xFEFF), "RAM" + QString(QChar(0xFEFF))},
            {QString("RA") + QChar(0) + "M", "RAM"},
            {QString("R") + QChar(0xD800) + "AN", "RAN"},
            {QString("RA") + QChar(0xDBFF) + QChar(0xDFFD) + "VI", "RAVI"},
        };
        // Also where the program was started with no UTF-8 locale (LC_ALL=C, a minimal system).
        const QByteArray started = setlocale(LC_ALL, nullptr);
        int sn = 0;
        for (const char* locale : {started.constData(), "C"}) {
            setlocale(LC_ALL, locale);
            for (const auto& [typed, kept] : texts) {
                QCOMPARE(sql::storable(typed), kept);
                run(QString("insert into Customer values(%1,%2,'',%3)").arg(++sn).arg(sql::text(typed), sql::text(QString::number(sn))));
                QCOMPARE(first("Select ITEM from Customer where SN = " + QString::number(sn)).toString(), kept);
                QCOMPARE(first("Select count(*) from Customer where ITEM = " + sql::text(typed)).toInt(), sn > texts.size() ? 2 : 1);
            }
        }
        setlocale(LC_ALL, started.constData());
        QCOMPARE(db.count("Customer"), 2 * texts.size());
    }

    // Where the locale's decimal point is two bytes (Pashto's), as the
    // application object sets it from the environment: the drivers read 12.5
    // as 12, which a bill line then stored as its price.
    void figuresReadBackWholeUnderATwoBytePoint()
    {
        QTemporaryDir locales;
        QProcess made;
        made.start("localedef", {"-i", "ps_AF", "-f", "UTF-8", locales.filePath("ps_AF.UTF-8")});
        QVERIFY(made.waitForFinished(60000));
        const QByteArray started = setlocale(LC_ALL, nullptr);
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        QVERIFY2(setlocale(LC_ALL, "ps_AF.UTF-8"), made.readAllStandardError().constData());
        run("insert into Charges values(1, 'TEA', 12.5, '-', 0)");
        const double price = first("Select VALUEofCHARGES from Charges").toDouble();
        const double line = first("Select VALUEofCHARGES * 4 * 1.055 from Charges").toDouble();
        setlocale(LC_ALL, started.constData());
        qunsetenv("LOCPATH");
        QCOMPARE(price, 12.5);
        QCOMPARE(line, 52.75);
    }

    // A backslash typed into a search is a backslash on both engines, never
    // the server's escape of the character after it.
    void aLikePatternFindsTheTextAsTyped()
    {
        run("insert into Customer values(1,'A\\B','','12\\34')");
        run("insert into Customer values(2,'C','','99%')");
        const QString phones = "Select SN from Customer where REMARK Like ";
        QCOMPARE(first(phones + sql::text("%2\\3%")).toInt(), 1);
        QCOMPARE(query(phones + sql::text("%\\%")).recordCount(), 1);
        QCOMPARE(first(phones + sql::text("%\\%")).toInt(), 1);
        QCOMPARE(query("Select SN from Customer where ITEM not like " + sql::text("%\\%")).field(0).toInt(), 2);
        QCOMPARE(first("Select SN from Customer where ITEM = " + sql::text("A\\B")).toInt(), 1);

        // Only the literal right after the word Like is a pattern.
        const std::unique_ptr<Dialect> server = Dialect::forEngine("PostgreSQL");
        QCOMPARE(server->rewrite("Select 1 from t where unlike = 'a\\b' and Item Like\n'c\\d' and x = 'Like'"),
                 QString("Select 1 from t where unlike = 'a\\b' and Item Like\n'c\\\\d' and x = 'Like'"));
    }

    // A server set to read a backslash in a text as an escape (standard_conforming_strings off, for
    // its database or role) still stores a typed backslash as it is: no typed text ends its quotes.
    void aServerSetToEscapeWithBackslashesStoresThemAsTyped()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's setting");
        db.alterOnServer("SET standard_conforming_strings TO off");
        const auto conforming = qScopeGuard([&] { db.alterOnServer("RESET standard_conforming_strings"); });
        const QString typed = "X\\', (Select pwd from UserTable)) --";
        try {
            Connection connection;
            connection.open(db.connectionString());
            RecordSet().open(QString("insert into Customer values(1,%1,%2,'1')").arg(sql::text(typed), sql::text("A\\")),
                             connection);
        } catch (const Failure& failure) {
            QFAIL(qPrintable(failure.description()));
        }
        QCOMPARE(db.rows("Select ITEM, PARTNO from Customer"), QStringList{typed + "|A\\"});
    }

    // A result whose rows fail part-way through (a server reading them by cursor) is an error, never
    // taken for a shorter result; and the driver's ANSI build, which cannot hand out the texts, is refused.
    void rowsThatCannotBeReadAreToldNotCutShort()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's cursor and driver");
        Connection byCursor;
        byCursor.open(db.connectionString() + ";UseDeclareFetch=1;Fetch=2");
        RecordSet rows;
        QVERIFY_THROWS_EXCEPTION(DbError, rows.open("Select 10 / (3 - x) from generate_series(1, 5) x", byCursor));
        Connection ansi;
        QString connectionString = db.connectionString();
        connectionString.replace(datasource::PostgresDriver, "PostgreSQL ANSI");
        try {
            ansi.open(connectionString);
            QFAIL("the ANSI driver was taken");
        } catch (const DbError& refused) {
            QVERIFY2(refused.description().contains("\"PostgreSQL ANSI\""), qPrintable(refused.description()));
        }
    }

    // Whatever the data source's own session settings say (ConnSettings, which replace the program's),
    // dates are read as stored, and a lock is waited for as long as SQLite waits, not for ever.
    void aDataSourceSettingTheSessionOtherwiseKeepsDatesAndLockWaits()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's session");
        Connection connection;
        connection.open(db.connectionString() + ";ConnSettings=SET DateStyle TO 'SQL, DMY'");
        RecordSet().open("insert into ExpenditureTable values(1,0,'RENT',0,10,0,0,'A','B','1','','-',0,#2026-12-08#,'-','-')",
                         connection);
        RecordSet read;
        read.open("Select Date_ from ExpenditureTable", connection);
        QCOMPARE(read.field(0).toDate(), QDate(2026, 12, 8));
        read.open("show lock_timeout", connection);
        QCOMPARE(read.field(0).toString(), QString("4s"));
        read.open("show idle_in_transaction_session_timeout", connection);
        QCOMPARE(read.field(0).toString(), QString("1min"));
    }

    // Not even a literal after a quoted name that holds an apostrophe.
    void quotedNamesAndCommentsAreLeftAlone()
    {
        const std::unique_ptr<Dialect> dialect = Dialect::forEngine("SQLite");
        for (const QString statement : {"Select \"A#1#\" from t -- #2#\n where x = 'y'", "Select 1 /* Delete * from #3# */ from t",
                                        "Select \"it's\", 'x #2026-12-04# y' from t", "Select \"Amount like\" from t"})
            QCOMPARE(dialect->rewrite(statement), statement);
        QCOMPARE(dialect->rewrite("Select \"#\" from t where Date_ = #2026-12-04# /*#*/"),
                 QString("Select \"#\" from t where Date_ = '2026-12-04' /*#*/"));
    }

    // A driver is SQLite's by its entry's name or its library's file name, however the connection
    // string writes it; never by a folder on a library's path.
    void aDriverIsJudgedByItsNameNotItsFolder()
    {
        for (const QString& sqlite : {"DRIVER=SQLite3;Database=/b/Bill.db", "DRIVER={SQLite3};Database=/b/Bill.db",
                                      "DRIVER={ /usr/lib/odbc/libsqlite3odbc.so };Database=/b/Bill.db",
                                      "DRIVER={Shop SQLite/3};Database=/b/Bill.db", "DRIVER={Shop {SQLite}}};Database=/b/Bill.db"})
            QVERIFY2(datasource::reachesSqlite(sqlite), qPrintable(sqlite));
        for (const QString& server : {"DRIVER=/opt/sqlite-drivers/psqlodbcw.so;Servername=till-1",
                                      "DRIVER={/opt/sqlite-drivers/psqlodbcw.so};Servername=till-1",
                                      "DRIVER={/opt/{sqlite}}/psqlodbcw.so};Servername=till-1",
                                      "DRIVER={/opt/sqlite;x/psqlodbcw.so};Servername=till-1",
                                      "DRIVER={PostgreSQL Unicode};Servername=till-1"})
            QVERIFY2(!datasource::reachesSqlite(server), qPrintable(server));
        // Split as the driver manager splits: a braced value runs to its first '}' not written twice.
        QCOMPARE(datasource::connectionParts("DRIVER={a;b}}c};Password={x}};y};;Database=d;"),
                 QStringList({"DRIVER={a;b}}c}", "Password={x}};y}", "Database=d"}));
    }

    // A write-ahead log, synced in full, also for a data source written before those settings or
    // one that turns transactions off; and a database file that is not there is an error, never a
    // new empty database.
    void anEarlierDataSourceIsOpenedWithTheSafeSettings()
    {
        const QString earlier = QFileInfo(db.iniPath()).absolutePath() + "/earlier.db";
        {
            QSqlDatabase plain = QSqlDatabase::addDatabase("QODBC", "plain");
            plain.setDatabaseName("DRIVER=SQLite3;Database=" + earlier);
            QVERIFY(plain.open());
            QSqlQuery(plain).exec("create table t(x)");
            plain.close();
        }
        QSqlDatabase::removeDatabase("plain");
        QFile ini(db.iniPath());
        QVERIFY(ini.open(QIODevice::Append));
        const QString moved = QFileInfo(db.iniPath()).absolutePath() + "/moved.db";
        ini.write(QString("\n[Earlier]\nDriver=SQLite3\nDatabase=%1\nNoTXN=1\n\n[Moved]\nDriver=SQLite3\nDatabase=%2\n")
                      .arg(earlier, moved)
                      .toUtf8());
        ini.close();
        Connection missing;
        QVERIFY_THROWS_EXCEPTION(DbError, missing.open("DSN=Moved"));
        QVERIFY(!QFileInfo::exists(moved));
        Connection connection;
        connection.open("DSN=Earlier");
        RecordSet pragma;
        pragma.open("PRAGMA journal_mode", connection);
        QCOMPARE(pragma.field(0).toString(), QString("wal"));
        pragma.open("PRAGMA synchronous", connection);
        QCOMPARE(pragma.field(0).toInt(), 2);  // FULL
        // Its transactions are kept though it turns them off: a change rolled back is not stored.
        connection.begin();
        RecordSet().open("insert into t values(1)", connection);
        connection.rollback();
        pragma.open("Select count(*) from t", connection);
        QCOMPARE(pragma.field(0).toInt(), 0);
    }

    // A failed open is told with the driver's words and the tool that sets the data source up.
    void connectxOpensOnceAndTellsAFailure()
    {
        RecordingMessages messages;
        const int before = checks::connectionsInUse();
        Connection connection;
        connectx(connection);
        connectx(connection);
        QCOMPARE(connection.state(), 1);
        QCOMPARE(checks::connectionsInUse(), before + 1);

        db.makeUnreachable();
        connectx(Connectionx::sharedConnection());
        db.makeReachable();
        QCOMPARE(messages.shown.size(), 1);
        const QString& told = messages.shown[0].text;
        QVERIFY2(messages.shown[0].kind == RecordingMessages::Kind::Error
                     && told.contains(TestDatabase::onServer() ? "is not currently accepting connections" : "[SQLite]connect failed")
                     && told.contains(QFileInfo(qEnvironmentVariable("BILL_TOOL")).canonicalFilePath() + " init")
                     // A data source defined anew is seen from the program's next start.
                     && told.endsWith("close the program and start it again.") != TestDatabase::onServer(),
                 qPrintable(told));
        QVERIFY(!Connectionx::sharedConnection().isOpen());
        SkipFailing skip;
        skip([] { RecordSet().open("Select * from Customer", Connectionx::sharedConnection()); });
        QVERIFY(skip.failed());
        connectx(Connectionx::sharedConnection());
        QVERIFY(Connectionx::sharedConnection().isOpen());
    }

    // Even with a role of the program's fixed user and password on the server, the shop's
    // account (its password from PGPASSFILE as from ~/.pgpass) is used; without it nothing opens.
    void theServerGetsTheShopsAccountNeverTheFixedOne()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has no accounts");
        db.execOnServer("CREATE ROLE \"Admin\" LOGIN PASSWORD '14NOVTEX'");
        const QByteArray shopPasswords = qgetenv("PGPASSFILE");
        const auto restore = qScopeGuard([&] {
            qputenv("PGPASSFILE", shopPasswords);
            db.execOnServer("DROP ROLE IF EXISTS \"Admin\"");
        });
        for (const QString& text : {rundatabase::DataSourceConnectionString, QString("DSN=Bill;UID=Admin;PWD=14NOVTEX")}) {
            Connection connection;
            connection.open(text);
            RecordSet account;
            account.open("select current_user", connection);
            QCOMPARE(account.field(0).toString(), db.server().user);
        }
        db.makeUnreachable();  // new sessions only
        db.makeReachable();
        QTemporaryDir empty;
        qputenv("PGPASSFILE", empty.filePath("none").toLocal8Bit());
        try {
            Connection().open();
            QFAIL("opened without the shop's password");
        } catch (const DbError& error) {
            QVERIFY2(error.description().contains("no password supplied"), qPrintable(error.description()));
        }
    }

    // As when the server stops or restarts: the statement fails with the server's words.
    void aSessionTheServerEndsIsReplacedByTheNextOpen()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has no sessions");
        RecordingMessages messages;
        connectx(Connectionx::sharedConnection());
        db.makeUnreachable();
        db.makeReachable();
        SkipFailing skip;
        skip([] { RecordSet().open("Select * from Customer", Connectionx::sharedConnection()); });
        QVERIFY(skip.failed());
        QVERIFY2(messages.shown.size() == 1 && messages.shown[0].text.contains("could not be read or written")
                     && messages.shown[0].text.contains("terminat", Qt::CaseInsensitive),
                 qPrintable(messages.texts().join(" / ")));
        connectx(Connectionx::sharedConnection());
        RecordSet users;
        skip([&] { users.open("Select count(*) from UserTable", Connectionx::sharedConnection()); });
        QCOMPARE(users.field(0).toInt(), 1);
        QCOMPARE(messages.shown.size(), 1);
    }

    // A file moved away is not read on; a session the server ended is replaced by the next statement.
    void aKeptConnectionFollowsTheDatabase()
    {
        Connection kept;
        kept.keepOpen();
        const auto users = [&] { return firstOn(kept, "Select count(*) from UserTable").toInt(); };
        QCOMPARE(users(), 1);
        kept.release();
        QVERIFY(kept.isOpen());
        db.makeUnreachable();
        if (!TestDatabase::onServer())
            QVERIFY_THROWS_EXCEPTION(DbError, users());
        db.makeReachable();
        QCOMPARE(users(), 1);
    }

    // A kept session the server ended is replaced at a change's first statement, and the change stays
    // one: whether the session ended before the change or within it, a later statement that fails
    // leaves no part of it stored.
    void aSessionEndedAroundAChangeStoresNoPartOfIt()
    {
        if (!TestDatabase::onServer())
            QSKIP("a SQLite file has no sessions");
        db.exec("insert into Customer values (1, 'A', '', '1')");
        Connection kept;
        kept.keepOpen();
        QCOMPARE(firstOn(kept, "Select count(*) from Customer").toInt(), 1);
        kept.release();
        for (const bool withinTheChange : {false, true}) {
            const auto endSessions = [&] {
                db.makeUnreachable();
                db.makeReachable();
            };
            if (!withinTheChange)
                endSessions();
            kept.open();
            try {
                Transaction change(kept);
                RecordSet().open("insert into Customer values (2, 'B', '', '2')", kept);
                if (withinTheChange)
                    endSessions();
                // Refused as a repeated REMARK when the session stayed.
                RecordSet().open(QString("insert into Customer values (3, 'C', '', '%1')").arg(withinTheChange ? 3 : 1), kept);
                change.commit();
            } catch (const Failure&) {
            }
            kept.release();
            QCOMPARE(db.rows("select SN from Customer order by SN"), QStringList{"1"});
        }
    }

    // A copy moved over the file while connections hold it is not opened beside them (it would read
    // their write-ahead log as its own); once they are closed it opens, undamaged.
    void aFileReplacedWhileHeldWaitsForItsHoldersToClose()
    {
        if (TestDatabase::onServer())
            QSKIP("a SQLite file's");
        Connection kept;
        kept.keepOpen();
        const auto customers = [&] { return firstOn(kept, "Select group_concat(ITEM) from Customer").toString(); };
        const QString copy = db.path() + ".copy";
        db.exec("VACUUM INTO " + sql::text(copy));
        TestDatabase::rowsAt(schema::sqliteConnectionString(copy), "insert into Customer values(9,'NEW','','9')");
        db.exec("insert into Customer values(8,'OLD','','8')");  // in the held file's log
        QCOMPARE(customers(), QString("OLD"));
        QCOMPARE(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(db.path()).constData()), 0);

        try {
            customers();
            QFAIL("the replacing file was opened beside the replaced one");
        } catch (const DbError& error) {
            QVERIFY2(error.unavailable() && error.description().contains("was replaced"), qPrintable(error.description()));
        }
        {
            RecordingMessages messages;  // as a screen opens: the state alone, no advice to set the program up
            Connection screens;
            connectx(screens);
            QVERIFY2(messages.shown.size() == 1 && messages.shown[0].text.endsWith("Close the program and start it again."),
                     qPrintable(messages.shown.value(0).text));
        }
        db.letGo();
        Connectionx::sharedConnection().close();  // left open by an earlier test
        QCOMPARE(customers(), QString("NEW"));
        RecordSet check;
        check.open("PRAGMA integrity_check", kept);
        QCOMPARE(check.field(0).toString(), QString("ok"));
        db.holdAgain();
    }

    // Joined by the database and sorted here, a list must match what its
    // statement gives; a value the engine orders its own way is left to it.
    void joinedNumbersListWhatTheirStatementLists()
    {
        const auto listed = [&](const QString& statement) {
            QStringList texts;
            for (RecordSet rows = query(statement); !rows.eof(); rows.moveNext())
                texts << rows.field(0).toString();
            return texts;
        };
        const auto joined = [](const QString& table, const QString& column, joinednumbers::Column kind, bool descending) {
            Connection connection;
            connection.open();
            return joinednumbers::read(connection, table, column, kind, descending);
        };
        using joinednumbers::Column;
        QCOMPARE(joined("Customer", "SN", Column::Key, true), std::optional<QStringList>(QStringList()));
        for (int sn : {7, -5, 32767, 3, 100, -32768, 10})
            run(QString("insert into Customer values(%1,'C','R','%1')").arg(sn));
        for (int bill : {2, 9, 2, -1, 10, 9})
            run(line(bill, db.rows("select count(*) from asigncharges").first().toInt() + 1, "TEA"));
        // Enough numbers that their joined text is read in more than one piece.
        QStringList many;
        for (int sn = 1000; sn < 3000; ++sn)
            many << QString("(%1,'C','R','%1')").arg(sn);
        run("insert into Customer values" + many.join(','));
        QCOMPARE(joined("Customer", "SN", Column::Key, true), listed("Select distinct(SN) from Customer order by SN desc"));
        QCOMPARE(joined("Customer", "SN", Column::Key, false), listed("Select distinct(SN) from Customer order by SN ASC"));
        QCOMPARE(joined("asigncharges", "BillNumber", Column::Repeating, true),
                 listed("Select distinct(BillNumber) AS Item from asigncharges ORDER BY BillNumber desc"));
        // A table of another program's, whose numbers go beyond 16 bits.
        run("create table Loose (N integer)");
        run("insert into Loose values (70000), (5), (-40000), (5), (-32768), (32767), (100000)");
        QCOMPARE(joined("Loose", "N", Column::Repeating, true), listed("select distinct(N) from Loose order by N desc"));
        QCOMPARE(joined("Loose", "N", Column::Repeating, false), listed("select distinct(N) from Loose order by N asc"));
        run("drop table Loose");
        if (TestDatabase::onServer())
            return;  // the server keeps nulls and fractions out of these columns
        run("insert into Customer values(2.5,'C','R','2.5')");
        QCOMPARE(joined("Customer", "SN", Column::Key, true), std::nullopt);
        run("insert into asigncharges (BillNumber, Serial) values(NULL, 1)");
        QCOMPARE(joined("asigncharges", "BillNumber", Column::Repeating, false), std::nullopt);
    }

    // Read in batches smaller than the result and over the driver's blocks of rows, with texts
    // longer than their buffers anywhere in a block.
    void directReadingGivesWhatTheDriverGives_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("direct");  // every column is of a type read directly
        QTest::addColumn<int>("lines");    // stored beyond the three every case has
        const QString everyColumn = "select * from asigncharges order by Serial";
        QTest::newRow("a block and a row") << everyColumn << true << RowBlock::BlockRows - 2;
        QTest::newRow("a block") << everyColumn << true << RowBlock::BlockRows - 3;
        QTest::newRow("no rows") << "select * from asigncharges where Serial < 0" << true << 0;
        QTest::newRow("expressions") << "Select  Serial, Amount * Quantity as Amount_, (Amount * Quantity * "
                                        "DiscountinPercentage / 100) As Discount, Date_ from asigncharges" << true << 0;
        QTest::newRow("aggregates") << "select max(Serial), sum(Amount), count(*), min(Item) from asigncharges" << true << 0;
        QTest::newRow("over no rows") << "select max(SN), sum(VALUEofCHARGES) from Charges" << true << 0;
        QTest::newRow("party") << "Select  SN, ITEM as Name_, PARTNO as Address_,REMARK as Phone_ from Customer" << true << 0;
        QTest::newRow("literals") << "select 1.5, 'x', NULL, -7" << false << 0;
    }
    void directReadingGivesWhatTheDriverGives()
    {
        QFETCH(QString, statement);
        QFETCH(bool, direct);
        QFETCH(int, lines);
        const QString longText = QString(600, 'A') + QString::fromUtf8("\u00e9\u0101") + QString(400, 'B');
        run(line(1, 1, "TEA"));
        run(line(1, 2, QString::fromUtf8("\u00c9CLAIR \u0101 \u20ac"), "#2026-01-31#", longText));
        run("insert into asigncharges values(2,3,NULL,NULL,-2.25,NULL,0,'','','',NULL,NULL,NULL,NULL,'','',1e300)");
        run("insert into Customer values(4,'ASHA',NULL,'1')");
        {
            Connection connection;
            connection.open();
            Transaction transaction(connection);
            for (int serial = 4; serial < 4 + lines; ++serial) {  // every other name longer than its buffer
                const QString name(serial % 2 ? 3 : 400, QChar(0x0101 + serial));
                statement::execute(line(3, serial, "ITEM", "#2026-12-04#", name), connection);
            }
            transaction.commit();
        }

        Connection connection;
        connection.open();
        QueryRows fast(statement::execute(statement, connection), connection);
        QueryRows slow(statement::execute(statement, connection), connection, QueryRows::Reading::ThroughQuery);
        QVERIFY(!slow.readsDirectly());
        if (direct)
            QVERIFY(fast.readsDirectly());
        QCOMPARE(fast.fieldNames(), slow.fieldNames());
        QVector<QVector<QVariant>> fastRows;
        for (auto batch = fast.fetch(2); !batch.isEmpty(); batch = fast.fetch(2))
            fastRows << batch;
        const QVector<QVector<QVariant>> slowRows = slow.fetch(-1);
        QVERIFY(fast.atEnd() && slow.atEnd());
        QCOMPARE(fastRows.size(), slowRows.size());
        for (int r = 0; r < fastRows.size(); ++r)
            for (int c = 0; c < fastRows[r].size(); ++c) {
                const QVariant &a = fastRows[r][c], &b = slowRows[r][c];
                QVERIFY2(a.typeId() == b.typeId() && a.isNull() == b.isNull() && a == b,
                         qPrintable(QString("row %1 column %2: %3 / %4").arg(r).arg(c).arg(a.typeName(), b.typeName())));
            }
    }
};

QTEST_GUILESS_MAIN(DataTest)
#include "tst_data.moc"
