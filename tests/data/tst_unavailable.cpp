// The screens' writing operations against a database that cannot take them: each is told once
// why, stores nothing and leaves the screen as it was.

#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/RecordSet.h"
#include "data/ServerAddress.h"
#include "data/WritableFiles.h"
#include "families/LinesMaybeStored.h"
#include "support/BrokenDatabase.h"
#include "support/ScreenBench.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <arpa/inet.h>
#include <atomic>
#include <functional>
#include <future>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace rows;

Q_DECLARE_METATYPE(brokendb::BadDisk::Kind)

namespace {

const QStringList Tables{"asigncharges", "ItemIn", "Stock", "ExpenditureTable", "Customer", "Charges", "UserTable"};

const QString Busy = "The database is busy", ReadOnly = "The database cannot be written",
              Full = "The database or its disk is full", Failing = "The database could not be read or written",
              Damaged = "The database file is damaged";

// A socket listening on a free port of the loopback; the kernel takes connections to it (up to
// four) before anyone accepts them.
int listeningOnLoopback(int& port)
{
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener, 4) != 0
        || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        qFatal("cannot listen on the loopback");
    port = ntohs(address.sin_port);
    return listener;
}

// Links between a till and the server (TCP on one side, the server's socket on the other) that,
// once armed, pass the next COMMIT on and lose the server's answer (or lose the COMMIT itself):
// that link is cut there, and from then on the server is out of reach (a connection is refused)
// until the till is sent elsewhere.
class LinkLosingCommitAnswers {
public:
    // The COMMIT's answer; the COMMIT itself; the COMMIT, with the server's side of the link kept
    // open, its transaction left running (a cable pulled) until release(); the COMMIT's answer,
    // with the link back at once for the next connection (a glitch).
    enum class Loses { Answer, Commit, CommitKeepingTheServer, AnswerOnce };

    explicit LinkLosingCommitAnswers(const QString& serverSocket)
        : m_serverSocket(serverSocket.toStdString()), m_listener(listeningOnLoopback(m_port))
    {
        m_thread = std::thread([this] { acceptLinks(); });
    }
    ~LinkLosingCommitAnswers()
    {
        m_ending = true;
        m_thread.join();
        for (std::thread& link : m_links)
            link.join();
        if (m_listener >= 0)
            ::close(m_listener);
    }
    int port() const { return m_port; }
    void arm(Loses what = Loses::Answer)
    {
        m_losesCommit = what == Loses::Commit || what == Loses::CommitKeepingTheServer;
        m_keepsServer = what == Loses::CommitKeepingTheServer;
        m_once = what == Loses::AnswerOnce;
        m_armed = true;
    }
    void release() { m_keepsServer = false; }

private:
    void acceptLinks()
    {
        pollfd waiting{m_listener, POLLIN, 0};
        while (!m_ending) {
            if (m_lost) {
                ::close(m_listener);
                m_listener = -1;
                return;
            }
            if (poll(&waiting, 1, 100) <= 0)
                continue;
            const int till = accept(m_listener, nullptr, nullptr);
            if (till >= 0)
                m_links.emplace_back([this, till] { pass(till); });
        }
    }

    void pass(int till)
    {
        const int server = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un path{};
        path.sun_family = AF_UNIX;
        m_serverSocket.copy(path.sun_path, sizeof path.sun_path - 1);
        if (::connect(server, reinterpret_cast<sockaddr*>(&path), sizeof path) != 0)
            qFatal("cannot reach the server's socket");
        bool commitSent = false;
        // Every link is cut with the one that lost the answer.
        for (pollfd ends[2] = {{till, POLLIN, 0}, {server, POLLIN, 0}}; !m_ending && !m_lost;) {
            if (poll(ends, 2, 100) <= 0)
                continue;
            char bytes[65536];
            if (ends[0].revents) {
                const ssize_t got = read(till, bytes, sizeof bytes);
                const bool commit = got > 0 && m_armed && std::string(bytes, size_t(got)).find("COMMIT") != std::string::npos;
                if (commit && m_losesCommit) {
                    m_lost = true;
                    ::close(till);
                    while (m_keepsServer && !m_ending)
                        std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    ::close(server);
                    return;
                }
                if (got <= 0 || write(server, bytes, size_t(got)) != got)
                    break;
                commitSent = commitSent || commit;
            }
            if (ends[1].revents) {
                const ssize_t got = read(server, bytes, sizeof bytes);
                if (commitSent) {  // the answer to the commit is lost with the link
                    m_armed = false;
                    m_lost = !m_once;
                    break;
                }
                if (got <= 0 || write(till, bytes, size_t(got)) != got)
                    break;
            }
        }
        ::close(till);
        ::close(server);
    }

    std::string m_serverSocket;
    int m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_armed{false}, m_losesCommit{false}, m_keepsServer{false}, m_once{false}, m_ending{false},
        m_lost{false};
    std::thread m_thread;
    std::vector<std::thread> m_links;
};

const QStringList Rows{customer(1, "RAM", "ROAD", "98765"), party("Supplier", 1, "ACME", "LANE", "12345"),
                       priced("Charges", 1, "RICE", 40), stockRow(1, "TEA", 50, 10),
                       batchRow(2, "C1", "RICE", "B1", 10, 40), billLine(1, 1, "TEA", 2, 10),
                       line("ItemIn", 1, 1, "RICE", 10, 40, "C1", "B1")};

void saveCustomer(const Operator& op)
{
    op.type(ui::PartyName, "SHAM");
    op.type(ui::Second, "LANE");
    op.type(ui::MasterPhone, "11111");
    op.click(ui::Save);
}

// The writing operations go through one change mechanism: one of each family stands for the rest.
struct Write {
    const char* operation;
    QString screen;
    std::function<void(const Operator&)> write;
};

QList<Write> everyWrite()
{
    return {
        {"simple bill: Add Item", ui::BillOne, [](const Operator& op) { op.addLine("TEA", "1"); }},
        {"receipt: Delete Receipt", ui::ItemInFrm,
         [](const Operator& op) {
             QVERIFY(op.pick(ui::Number, "1"));
             QVERIFY(!op.gridRows().isEmpty());  // read, though nothing can be written
             op.clickGridRow(0);
             op.click(ui::DeleteDocument);
         }},
        {"customer: Save", ui::Customers, saveCustomer},
        {"selling prices: MRP typed", ui::SellingPrices, [](const Operator& op) { op.typeInGrid(0, "12"); }},
        {"password change", ui::ChangePwd,
         [](const Operator& op) {
             op.type(ui::User, "ADMIN");
             op.type(ui::NewPassword, "NEW");
             op.type(ui::Again, "NEW");
             op.click(ui::ChangePassword);
         }},
    };
}

}  // namespace

class UnavailableTest : public QObject, ScreenBench {
    Q_OBJECT

    QStringList everything()
    {
        QStringList all;
        for (const QString& table : Tables)
            all << table << checks::sorted(db.rows("select * from " + table));
        return all;
    }

    // Besides the questions, nothing claimed success or blamed the operator's input.
    void toldOnce(const QString& words, const char* operation)
    {
        const QStringList all = checks::told(messages);
        const QStringList said = all.filter(QRegularExpression("^[i!] "));
        QVERIFY2(said.size() == 1 && said[0].startsWith("! ") && said[0].contains(words)
                     && said[0].contains("Nothing was changed"),
                 qPrintable(operation + (": " + all.join(" / "))));
    }

    // The screen shows what it showed as the write's button went down.
    void everyWriteFails(const QString& words)
    {
        const QStringList before = everything();
        for (const Write& each : everyWrite()) {
            messages.clear();
            messages.answers = {true, true};
            const Operator& op = open(each.screen);
            QStringList shown = checks::shownTexts(screen);  // a price typed into the grid presses no button
            for (QPushButton* button : screen->findChildren<QPushButton*>())
                connect(button, &QPushButton::pressed, screen, [&] { shown = checks::shownTexts(screen); });
            each.write(op);
            toldOnce(words, each.operation);
            QCOMPARE(everything(), before);
            QCOMPARE(checks::shownTexts(screen), shown);
        }
    }

private slots:
    void init()
    {
        reset();
        for (const QString& row : Rows)
            db.exec(row);
    }
    void cleanup()
    {
        close();
        db.holdAgain();
        for (const QString& drop : dropFailingTriggers(Tables))
            db.exec(drop);
    }

    // About twice the SQLite driver's Timeout of 2 s, or the server's lock_timeout of 4 s.
    void aBusyDatabaseFailsWithinTheBoundAndStoresNothing()
    {
        const Operator& customers = open(ui::Customers);
        const QStringList before = everything();
        {
            Connection other;
            other.open();
            Transaction holding(other);
            // A write holds SQLite's one lock; a server's are by table.
            RecordSet().open(TestDatabase::onServer() ? "LOCK TABLE Customer IN EXCLUSIVE MODE"
                                                      : "insert into Charges values(9, 'LOCK', 1, '-', 0)", other);
            QElapsedTimer waited;
            waited.start();
            saveCustomer(customers);
            QVERIFY2(waited.elapsed() > 1000 && waited.elapsed() < 8000, qPrintable(QString::number(waited.elapsed())));
            toldOnce(Busy, "Save");
        }
        QCOMPARE(everything(), before);
        messages.clear();
        saveCustomer(customers);
        QCOMPARE(checks::told(messages), QStringList({"i Info: Saved"}));
    }

    void aReadOnlyDatabaseRefusesEveryWriteAndReadingGoesOn()
    {
        const brokendb::ReadOnly readOnly(db);
        everyWriteFails(TestDatabase::onServer() ? ReadOnly : ReadOnly + ": the file " + db.path() + " is read-only");
    }

    // SQLite makes the log's index as read-only as the file it read: the file made writable again
    // still cannot be written, and what stops it is the index (or a folder it cannot be made in).
    void whatStopsWritingIsNamed()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Bill.db"), index = file + "-shm";
        for (const QString& made : {file, index}) {
            QFile touched(made);
            QVERIFY(touched.open(QIODevice::WriteOnly));
        }
        const QFileDevice::Permissions writable = QFile::permissions(index), readOnly = writable & ~QFileDevice::WriteOwner
            & ~QFileDevice::WriteUser & ~QFileDevice::WriteGroup & ~QFileDevice::WriteOther;
        // A link in a folder of its own: SQLite keeps its files beside the file linked to.
        QTemporaryDir links;
        QVERIFY(QFile::link(file, links.filePath("Bill.db")));
        QFile::setPermissions(links.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        brokendb::detail::overrideFilePermissions(false);
        const QString none = writablefiles::problem(file).what, byLink = writablefiles::problem(links.filePath("Bill.db")).what;
        QFile::setPermissions(index, readOnly);
        const QString byIndex = writablefiles::problem(file).what;
        QFile::setPermissions(index, writable);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const writablefiles::Problem byFolder = writablefiles::problem(file);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        brokendb::detail::overrideFilePermissions(true);
        QFile::setPermissions(links.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(none, QString());
        QCOMPARE(byLink, QString());
        QCOMPARE(byIndex, "the file " + index + " is read-only for this user");
        QVERIFY2(byFolder.what.startsWith("the folder " + dir.path() + " does not let this user make") && !byFolder.stillReadable,
                 qPrintable(byFolder.what));
    }

    void aChangeTheDatabaseRefusesIsToldInItsWords()
    {
        for (const QString& table : Tables)
            for (const char* change : {"INSERT", "UPDATE", "DELETE"})
                db.exec(failingTrigger(change, table));
        everyWriteFails(TriggerWords);
    }

    // Every connection the server allows in use (at five tills with its default limit): said so, without
    // the advice to set the data source up again, which would not help.
    void aServerWithNoConnectionFreeSaysSo()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's limit");
        db.alterOnServer("CONNECTION LIMIT 0");
        open(ui::Customers);
        db.execOnServer(QString("ALTER DATABASE %1 CONNECTION LIMIT -1").arg(db.server().database));
        const QStringList told = messages.texts();
        QVERIFY2(told.size() == 1 && told.first().startsWith("The database server has no connection free: every one it allows")
                     && told.first().contains("too many connections") && !told.first().contains("init --server"),
                 qPrintable(told.join('\n')));
    }

    // Keys typed into a box that looks up as they are typed tell the database out of reach once, not
    // once a key (a box over the typing, which took its keys); a button pressed tells again, once.
    void aLookUpAsTypedTellsOnce()
    {
        const Operator& bill = open(ui::BillTwo);
        messages.clear();
        db.makeUnreachable();
        auto reachable = qScopeGuard([&] { db.makeReachable(); });
        bill.type(ui::Code, "OIL2");
        QCOMPARE(messages.texts().size(), 1);
        bill.click(ui::NewDocument);
        QCOMPARE(messages.texts().size(), 2);
        db.makeReachable();
        reachable.dismiss();

        const Operator& customers = open(ui::Customers);  // RAM among them
        messages.clear();
        db.makeUnreachable();
        customers.type(ui::SearchName, "RA");
        db.makeReachable();
        QCOMPARE(messages.texts().size(), 1);
        customers.type(ui::SearchName, "RAM");
        QCOMPARE(messages.texts().size(), 1);
        QCOMPARE(customers.gridRows().size(), 1);
        // Out of reach again, it is told again.
        db.makeUnreachable();
        customers.type(ui::SearchName, "R");
        db.makeReachable();
        QCOMPARE(messages.texts().size(), 2);
    }

    // New Bill pressed while the database was out of reach offered no number: the next Add Item,
    // the database back, reads one and stores its line under it.
    void anAddAfterANewThatFoundNoNumberStores()
    {
        const Operator& bill = open(ui::BillOne);
        db.makeUnreachable();
        bill.click(ui::NewDocument);
        db.makeReachable();
        QCOMPARE(bill.text(ui::Number), QString());
        const int lines = db.count("asigncharges");
        messages.clear();
        bill.addLine("TEA", "1");
        QCOMPARE(db.count("asigncharges"), lines + 1);
        QCOMPARE(db.rows("select max(BillNumber) from asigncharges"), QStringList{bill.text(ui::Number)});
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
    }

    // A print whose server went away since the screen's last operation tells why, though it reads
    // inside a transaction, whose beginning is the first to meet the ended session.
    void aPrintWithTheServerGoneSaysWhy()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's sessions");
        const Operator& bill = open(ui::BillOne);
        QVERIFY(bill.pick(ui::Number, "1"));
        messages.clear();
        printed->clear();
        db.makeUnreachable();
        bill.click(ui::Print);
        db.makeReachable();
        const QStringList told = messages.texts();
        QVERIFY2(!told.isEmpty() && told.filter("object is closed").isEmpty()
                     && told.last().contains("The connection has been lost"),
                 qPrintable(told.join("\n----\n")));
        // Nor does a bill go out without its lines and with a total of 0.
        QCOMPARE(printed->finishedJobs(), 0);
    }

    // The link cut after the commit reached the server, before its answer came back: the change is
    // stored, and said to be maybe stored, not that nothing was changed.
    void aCommitTheServerTookIsToldAsMaybeStored()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's commit");
        LinkLosingCommitAnswers link(QString("%1/.s.PGSQL.%2").arg(db.server().host).arg(db.server().port));
        ServerAddress through = db.server();
        through.host = "127.0.0.1";
        through.port = link.port();
        Connection connection;
        connection.open(datasource::postgresConnectionString(through));
        QString told;
        try {
            Transaction transaction(connection);
            RecordSet().open("insert into Customer values(7,'LOST','ANSWER','777')", connection);
            link.arm();
            transaction.commit();
        } catch (const CommitOutcomeUnknown& unknown) {
            told = unknown.description();
        }
        QVERIFY2(told.contains("the server may have stored it or not") && !told.contains("Nothing was changed"), qPrintable(told));
        QCOMPARE(db.rows("select ITEM from Customer where SN = 7"), QStringList{"LOST"});
    }

    // The link lost as a new bill's first line was committed: the next Add Item looks for the line
    // first, and shows the bill that holds it (under the number offered, or the next one when
    // another till took that first) instead of billing the same sale again; a line the server never
    // got is stored by it.
    void aLineMaybeStoredIsNotBilledTwice()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's commit");
        const Operator& bill = open(ui::BillOne);
        // The press, with the link losing what it loses; the till is back on the server afterwards.
        const auto losing = [&](LinkLosingCommitAnswers::Loses what, const std::function<void()>& press,
                                const Operator* on = nullptr,
                                const std::function<void(LinkLosingCommitAnswers&)>& meanwhile = {}) {
            LinkLosingCommitAnswers link(QString("%1/.s.PGSQL.%2").arg(db.server().host).arg(db.server().port));
            ServerAddress through = db.server();
            through.host = "127.0.0.1";
            through.port = link.port();
            datasource::definePostgres("Bill", through);
            // The till's sessions ended, New takes one through the link.
            db.execOnServer(QString("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'")
                                .arg(db.server().database));
            (on ? *on : bill).click(ui::NewDocument);
            link.arm(what);
            messages.clear();
            press();
            datasource::definePostgres("Bill", db.server());
            const QString told = messages.texts().join('\n');
            if (meanwhile)
                meanwhile(link);
            return told;
        };
        const auto count = [&](const QString& where) { return db.count("asigncharges", where); };
        const int lines = count({});

        QString offered;
        QString told = losing(LinkLosingCommitAnswers::Loses::Answer, [&] {
            offered = bill.text(ui::Number);
            bill.addLine("TEA", "1");
        });
        QVERIFY2(told.contains("the server may have stored it or not"), qPrintable(told));
        QCOMPARE(count("BillNumber = " + offered), 1);
        messages.clear();
        bill.addLine("TEA", "1");  // the operator, seeing no line, adds it again
        told = messages.texts().join('\n');
        QVERIFY2(told.contains("had been stored, in bill " + offered + ", which is shown now"), qPrintable(told));
        QCOMPARE(count({}), lines + 1);
        QCOMPARE(bill.text(ui::Number), offered);
        QCOMPARE(bill.gridRows().size(), 1);
        bill.addLine("TEA", "1");  // seen, the next line joins it
        QCOMPARE(count("BillNumber = " + offered), 2);

        // Another till took the number offered, with a sale just like this one (a walk-in's tea):
        // the line went under the next one, which is the one shown.
        const QString walkIn = offered;
        const auto sameSaleAt = [&](const QString& number) {
            db.exec("insert into asigncharges select " + number + ", 1, Item, Quantity, Amount, TaxInPercentage, "
                    "DiscountinPercentage, CustomerName, CustomerAddress, CustomerPhone, Remark, CHARGES, SN, Date_, "
                    "ItemCode, Batch_Number, MRP from asigncharges where BillNumber = " + walkIn + " and Serial = 1");
        };
        told = losing(LinkLosingCommitAnswers::Loses::Answer, [&] {
            offered = bill.text(ui::Number);
            sameSaleAt(offered);
            bill.addLine("TEA", "1");
        });
        const QString next = QString::number(offered.toInt() + 1);
        QCOMPARE(count("BillNumber = " + next), 1);
        messages.clear();
        bill.addLine("TEA", "1");
        told = messages.texts().join('\n');
        QVERIFY2(told.contains("had been stored, in bill " + next + ", "), qPrintable(told));
        QCOMPARE(count("BillNumber = " + offered) + count("BillNumber = " + next), 2);

        // The commit itself lost: nothing stored, and the next Add Item stores the line, though another
        // till has meanwhile stored the same sale under the number offered.
        told = losing(LinkLosingCommitAnswers::Loses::Commit, [&] {
            offered = bill.text(ui::Number);
            bill.addLine("TEA", "1");
        });
        QCOMPARE(count("BillNumber = " + offered), 0);
        sameSaleAt(offered);
        messages.clear();
        bill.addLine("TEA", "1");
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(count("BillNumber = " + offered), 1);
        QCOMPARE(count("BillNumber = " + QString::number(offered.toInt() + 1)), 1);

        // The commit lost while the server still holds its transaction open (a cable pulled): the next
        // Add says so and adds nothing; once the server has ended it, the line is added.
        losing(
            LinkLosingCommitAnswers::Loses::CommitKeepingTheServer,
            [&] {
                offered = bill.text(ui::Number);
                bill.addLine("TEA", "1");
            },
            nullptr, [&](LinkLosingCommitAnswers& link) {
                messages.clear();
                bill.addLine("TEA", "1");
                const QString still = messages.texts().join('\n');
                QVERIFY2(still.contains("The server is still storing the line added as the connection was lost"),
                         qPrintable(still));
                link.release();
            });
        QCOMPARE(count("BillNumber = " + offered), 0);
        QTRY_COMPARE(db.rows("select count(*) from pg_stat_activity where state = 'idle in transaction'"), QStringList{"0"});
        messages.clear();
        bill.addLine("TEA", "1");
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        QCOMPARE(count("BillNumber = " + offered), 1);

        // A voucher, likewise: each Add makes one, and the one after the lost answer finds it made.
        const Operator& vouchers = open(ui::Expenditure);
        const int made = db.count("ExpenditureTable");
        told = losing(LinkLosingCommitAnswers::Loses::Answer, [&] { vouchers.addVoucher("RENT", "250"); }, &vouchers);
        QVERIFY2(told.contains("the server may have stored it or not"), qPrintable(told));
        messages.clear();
        vouchers.addVoucher("RENT", "250");
        told = messages.texts().join('\n');
        QVERIFY2(told.contains("had been stored, in voucher "), qPrintable(told));
        QCOMPARE(db.count("ExpenditureTable"), made + 1);
        vouchers.addVoucher("RENT", "250");  // a second one on purpose
        QCOMPARE(db.count("ExpenditureTable"), made + 2);
        close();

        // The bill screen closed and opened again: its next Add Item still looks for the line.
        const Operator& closing = open(ui::BillOne);
        told = losing(LinkLosingCommitAnswers::Loses::Answer, [&] {
            offered = closing.text(ui::Number);
            closing.addLine("TEA", "1");
        }, &closing);
        QVERIFY2(told.contains("the server may have stored it or not"), qPrintable(told));
        close();
        const Operator& reopened = open(ui::BillOne);
        reopened.click(ui::NewDocument);
        messages.clear();
        reopened.addLine("TEA", "1");
        told = messages.texts().join('\n');
        QVERIFY2(told.contains("had been stored, in bill " + offered + ", which is shown now"), qPrintable(told));
        QCOMPARE(count("BillNumber >= " + offered), 1);

        // A glitch: the screen read the bill back at once, with its line. The next customer's bill,
        // after New, is a bill of its own.
        told = losing(LinkLosingCommitAnswers::Loses::AnswerOnce, [&] {
            offered = reopened.text(ui::Number);
            reopened.addLine("TEA", "1");
            QVERIFY2(messages.texts().join(QChar(10)).contains("the server may have stored it or not"), qPrintable(messages.texts().join(QChar(10))));
            QCOMPARE(reopened.gridRows().size(), 1);
            reopened.click(ui::NewDocument);
            messages.clear();
            reopened.addLine("TEA", "3");
        }, &reopened);
        QVERIFY2(!told.contains("had been stored"), qPrintable(told));
        const QString nextBill = QString::number(offered.toInt() + 1);
        QCOMPARE(db.rows("select BillNumber, Quantity from asigncharges where BillNumber >= " + offered + " order by 1"),
                 QStringList({offered + "|1", nextBill + "|3"}));
        QCOMPARE(reopened.text(ui::Number), nextBill);

        // The other bill screen, in the middle of another customer's bill, goes on with it; the
        // screen that lost the line finds it.
        reopened.click(ui::NewDocument);
        std::unique_ptr<QWidget> beside(catalog::createScreen(ui::BillTwo, nullptr));
        beside->show();
        const Operator other(beside.get());
        other.click(ui::NewDocument);
        other.sellByCode("C1", "1");
        const QString othersBill = other.text(ui::Number);
        told = losing(LinkLosingCommitAnswers::Loses::Answer, [&] {
            offered = reopened.text(ui::Number);
            reopened.addLine("TEA", "1");
        }, &reopened);
        QVERIFY2(told.contains("the server may have stored it or not"), qPrintable(told));
        messages.clear();
        other.sellByCode("C1", "2");
        QVERIFY2(messages.texts().isEmpty(), qPrintable(messages.texts().join('\n')));
        reopened.addLine("TEA", "1");
        QVERIFY2(messages.texts().join('\n').contains("had been stored, in bill " + offered + ", "),
                 qPrintable(messages.texts().join('\n')));
        QCOMPARE(db.rows("select BillNumber, Item, Quantity from asigncharges where BillNumber in (" + othersBill + ", " + offered
                         + ") order by BillNumber, Serial"),
                 QStringList({othersBill + "|RICE|1", othersBill + "|RICE|2", offered + "|TEA|1"}));

        // A server that no longer knows the transaction (made again from a dump): told, and the next
        // Add stores the line.
        linesmaybestored::note("BillOne", {db.rows("select txid_current() + 1000000").value(0).toLongLong(), 99});
        const int before = count({});
        messages.clear();
        reopened.addLine("TEA", "1");
        QVERIFY2(messages.texts().join('\n').contains("The line added as the connection was lost cannot be looked for"),
                 qPrintable(messages.texts().join('\n')));
        QCOMPARE(count({}), before);
        reopened.addLine("TEA", "1");
        QCOMPARE(count({}), before + 1);
    }

    // A server computer that takes the connection but never answers (asleep, or its program hung):
    // the open fails within the connect timeout, where it waited for ever. The listener is closed
    // after half a minute, so that a till that waits fails this test rather than hanging it.
    void aServerThatNeverAnswersFailsWithinTheTimeout()
    {
        if (!TestDatabase::onServer())
            QSKIP("a server's driver");
        int port = 0;
        const int listener = listeningOnLoopback(port);
        std::promise<void> done;
        std::thread closer([&listener, ended = done.get_future()] {
            ended.wait_for(std::chrono::seconds(30));
            shutdown(listener, SHUT_RDWR);
            ::close(listener);
        });
        QElapsedTimer waited;
        waited.start();
        Connection connection;
        bool refused = false;
        try {
            connection.open(QString("DRIVER={PostgreSQL Unicode};Servername=127.0.0.1;Port=%1;Database=bill;Username=shop")
                                .arg(port));
        } catch (const DbError& error) {
            refused = error.description().contains("timeout expired");
        }
        const qint64 seconds = waited.elapsed() / 1000;
        done.set_value();
        closer.join();
        QVERIFY2(refused && seconds < 20, qPrintable(QString("%1 s").arg(seconds)));
    }

    void aDamagedDatabaseIsToldOnceWhenAScreenOpens()
    {
        if (TestDatabase::onServer())
            QSKIP("a SQLite file's state");
        db.letGo();
        QFile file(db.path());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray sound = file.readAll();
        QVERIFY(file.seek(4096));  // the first page, with the schema, stays
        file.write(QByteArray(sound.size() - 4096, '\x5a'));
        file.close();
        open(ui::BillOne);
        open(ui::Customers);
        close();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(sound) == sound.size());
        file.close();
        QCOMPARE(messages.texts().filter(Damaged).size(), 2);
    }

    void aDiskThatFailsStoresNoReceiptHalfway_data()
    {
        QTest::addColumn<brokendb::BadDisk::Kind>("disk");
        QTest::addColumn<QString>("words");
        QTest::newRow("full") << brokendb::BadDisk::Full << Full;
        QTest::newRow("failing") << brokendb::BadDisk::Failing << Failing;
    }
    // Each line and its new batch are stored together or not at all; no connection is left
    // behind (once the last is closed, SQLite removes its write-ahead log).
    void aDiskThatFailsStoresNoReceiptHalfway()
    {
        QFETCH(brokendb::BadDisk::Kind, disk);
        QFETCH(QString, words);
        if (disk == brokendb::BadDisk::Failing && TestDatabase::onServer())
            QSKIP("a SQLite file's state");
        std::optional<brokendb::BadDisk> bad(std::in_place, db, disk);
        const Operator& op = open(ui::ItemInFrm);
        const auto receive = [&](int batch) { op.receiveLine("RICE", "C9", QString("B%1").arg(batch), "3", "40"); };
        int added = 0;
        for (; added < 500 && messages.shown.isEmpty(); ++added)
            receive(added);
        bad.reset();
        toldOnce(words, "Add Item");
        QCOMPARE(db.count("ItemIn", "ItemCode = 'C9'"), added - 1);
        QCOMPARE(db.count("Stock", "ItemCode = 'C9'"), added - 1);

        messages.clear();
        receive(added);
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.texts().join(" / ")));
        QCOMPARE(db.count("ItemIn", "ItemCode = 'C9'"), added);
        close();
        db.letGo();
        QVERIFY(TestDatabase::onServer() || !QFile::exists(db.path() + "-wal"));
    }
};

QTEST_MAIN(UnavailableTest)
#include "tst_unavailable.moc"
