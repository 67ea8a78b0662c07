// The close-year crash test: "billdb close-year" on two financial years is killed with SIGKILL at a
// random moment. After each kill the database must be as before the close or as one whole close
// leaves it, never between; the close run again must end as the whole close does, with the same
// archive. The engine is the test run's (TestDatabase).
//
//   crash_close_year --tool path/to/billdb [--kills N] [--seed S] [--full]
//
// --full makes 100 kills. Exit status 0 when every kill passed; the figures
// go to standard output.

#include "support/KillRun.h"
#include "support/ShopYears.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>
#include <signal.h>

namespace {

using killrun::out;

// Every row of the tables a close changes, in one order.
const QStringList Tables{
    "select * from asigncharges order by BillNumber, Serial",
    "select * from ItemIn order by BillNumber, Serial",
    "select * from ExpenditureTable order by BillNumber, Serial, Item, Amount",
    "select * from Stock order by BillNumber",
};

QStringList rowsAt(const QString& connectionString)
{
    QStringList all;
    for (const QString& table : Tables)
        all << TestDatabase::rowsAt(connectionString, table) << "--";
    return all;
}

class Run {
public:
    explicit Run(const killrun::Options& options)
        : m_options(options), m_archive(m_dir.filePath("Year.db")),
          m_environment(toolrun::environment(m_db.iniPath(), m_dir.path()))
    {
    }

    int go()
    {
        std::mt19937 random(m_options.seed);
        // One whole close: what a database and an archive are after one.
        const QStringList before = freshShop();
        QElapsedTimer timer;
        timer.start();
        if (!closeYear())
            return 1;
        const qint64 whole = timer.elapsed();
        const QStringList after = rowsAt(m_db.connectionString());
        const QStringList archived = rowsAt(shopyears::readOnly(m_archive));
        out() << "seed " << m_options.seed << ", " << m_options.kills << " kills; a whole close takes " << whole
              << " ms\n";

        QMap<QString, int> found;
        for (int kill = 1; kill <= m_options.kills; ++kill) {
            freshShop();
            QProcess child;
            child.setProcessEnvironment(m_environment);
            child.start(m_options.tool, arguments());
            if (!child.waitForStarted(10000))
                return fail(kill, "billdb did not start");
            QThread::msleep(std::uniform_int_distribution<int>(0, int(whole * 11 / 10))(random));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            child.waitForFinished(10000);
            const bool killed = child.exitStatus() == QProcess::CrashExit;
            const bool archiveMade = child.readAllStandardOutput().contains("The archive is made and checked");

            const QStringList state = rowsAt(m_db.connectionString());
            const bool archiveInPlace = QFile::exists(m_archive);
            QString moment;
            if (state == before)
                moment = archiveInPlace ? "as before, its archive in place" : "as before";
            else if (state == after)
                moment = "as after";
            else
                return fail(kill, "the database is neither as before the close nor as after it");
            const QString when = !killed ? "ended before the kill" : archiveMade ? "killed in the database's transaction or after"
                                                                                : "killed while making the archive";
            ++found[when + ": the database " + moment];

            if (!closeYear())
                return fail(kill, "the close run again failed");
            if (rowsAt(m_db.connectionString()) != after || rowsAt(shopyears::readOnly(m_archive)) != archived)
                return fail(kill, "the close run again did not end as a whole close");
            for (const QStringList& check : {QStringList{"check"}, QStringList{"check", "--database", m_archive}}) {
                const toolrun::Result audit = toolrun::run(check, m_environment, m_options.tool);
                if (audit.exitCode != 0)
                    return fail(kill, "billdb " + check.join(' ') + " found\n" + audit.out + audit.err);
            }
        }
        out() << "after " << m_options.kills << " kills the database was each time as before or as after, and the "
              << "close run again ended as a whole one:\n";
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            out() << "  " << it.value() << " x " << it.key() << "\n";
        return 0;
    }

private:
    QStringList arguments() const
    {
        return {"close-year", "--before", "2024-04-01", "--archive", m_archive};
    }

    // The two years made afresh, no archive: the rows before a close.
    QStringList freshShop()
    {
        for (const QString& name : QDir(m_dir.path()).entryList({"Year.db*"}))
            QFile::remove(m_dir.filePath(name));
        m_db.reset();
        for (const QString& statement : shopyears::twoYears(100))
            m_db.exec(statement);
        return rowsAt(m_db.connectionString());
    }

    bool closeYear()
    {
        const toolrun::Result closed = toolrun::run(arguments(), m_environment, m_options.tool);
        if (closed.exitCode != 0)
            out() << "billdb close-year failed: " << closed.out << closed.err;
        return closed.exitCode == 0;
    }

    int fail(int kill, const QString& what)
    {
        m_dir.setAutoRemove(false);
        out() << "kill " << kill << ": " << what << "\n(seed " << m_options.seed << "; files kept in " << m_dir.path()
              << ")\n";
        return 1;
    }

    const killrun::Options m_options;
    TestDatabase m_db;
    QTemporaryDir m_dir;
    const QString m_archive;
    const QProcessEnvironment m_environment;
};

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    killrun::Options options;
    if (!killrun::parse(QCoreApplication::arguments(), 4, 100, options))
        return 2;
    return Run(options).go();
}
