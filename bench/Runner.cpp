#include "Runner.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Statement.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <sys/resource.h>
#include <cstdio>

namespace bench {

namespace {

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = int(values.size()) / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

QString goalText(Goal goal)
{
    switch (goal) {
    case Goal::Action: return QStringLiteral("action");
    case Goal::Change: return QStringLiteral("change");
    case Goal::Fresh: return QStringLiteral("new");
    case Goal::Baseline: return QStringLiteral("baseline");
    case Goal::ScreenOpen: return QStringLiteral("open");
    case Goal::StartUp: return QStringLiteral("start");
    case Goal::Listing: return QStringLiteral("print");
    case Goal::FirstRows: return QStringLiteral("rows");
    case Goal::Totals: return QStringLiteral("totals");
    case Goal::Report: return QStringLiteral("report");
    }
    return {};
}

}  // namespace

double target(Goal goal, double sqlAlone)
{
    switch (goal) {
    case Goal::Action: return sqlAlone > 13 ? std::max(20.0, 1.5 * sqlAlone) : 20.0;
    case Goal::Change: return 30;
    case Goal::Fresh: return 40;
    case Goal::Baseline: return -1;
    case Goal::ScreenOpen: return 60;
    case Goal::StartUp: return 400;
    case Goal::Listing: return 2000;
    case Goal::FirstRows: return 200;
    case Goal::Totals: return 500;
    case Goal::Report: return 3000;
    }
    return 0;
}

void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

Runner::Runner(int runs, bool statements)
    : m_runs(runs), m_statements(statements), m_sqlConnection(std::make_unique<Connection>())
{
    m_sqlConnection->open();
}

Runner::~Runner() = default;

// The statements one after the other on a connection that stays open, every
// row stepped through (the driver reads a whole result at execute time) and
// no value converted: what the engine and the driver cost. They go in the
// operation's transactions: on a file with full sync a statement sent alone
// would pay a commit of its own.
double Runner::replay(const QVector<Sent>& sent, QVector<double>* each)
{
    Connection& connection = *m_sqlConnection;
    QElapsedTimer whole;
    whole.start();
    for (const Sent& one : sent) {
        QElapsedTimer timer;
        timer.start();
        if (!one.boundary) {
            QSqlQuery query(connection.database());
            query.setForwardOnly(true);
            if (query.exec(one.text))
                while (query.next()) {
                }
        } else {
            // A bound the replay is not at (a begin again on a replaced
            // session, a rollback after a failed commit) is passed over, as
            // a failing statement is.
            try {
                switch (*one.boundary) {
                case statement::Boundary::Begin:
                    if (!connection.inTransaction())
                        connection.begin();
                    break;
                case statement::Boundary::Commit:
                    if (connection.inTransaction())
                        connection.commit();
                    break;
                case statement::Boundary::Rollback:
                    if (connection.inTransaction())
                        connection.rollback();
                    break;
                }
            } catch (const DbError&) {
            }
        }
        if (each)
            *each << elapsedMs(timer);
    }
    const double ms = elapsedMs(whole);
    // A transaction the operation left open is not left holding the
    // database against the restore's connection.
    if (connection.inTransaction())
        connection.rollback();
    return ms;
}

namespace {

QString sentText(const Sent& one)
{
    if (!one.boundary)
        return one.text.simplified().left(150);
    switch (*one.boundary) {
    case statement::Boundary::Begin: return QStringLiteral("(begin)");
    case statement::Boundary::Commit: return QStringLiteral("(commit)");
    case statement::Boundary::Rollback: return QStringLiteral("(rollback)");
    }
    return {};
}

}  // namespace

// Each one sent, the median of its times in the replays, in the order sent.
void Runner::printStatements(const QVector<Sent>& sent, const QVector<QVector<double>>& runs)
{
    QTextStream err(stderr);
    for (int index = 0; index < sent.size(); ++index) {
        QVector<double> times;
        for (const QVector<double>& run : runs)
            if (index < run.size())
                times << run.at(index);
        const QString ms = times.isEmpty() ? QStringLiteral("-") : QString::number(median(times), 'f', 2);
        err << QStringLiteral("      %1 ms  %2").arg(ms, 6).arg(sentText(sent.at(index))) << Qt::endl;
    }
}

Result Runner::run(const Operation& operation)
{
    Result result{operation.name, operation.goal};
    QVector<double> times;
    QVector<Sent> sent;
    long faults = 0;
    for (int run = 0; run < m_runs; ++run) {
        if (operation.prepare)
            operation.prepare();
        settle();
        if (operation.timeOneRun) {
            const double time = operation.timeOneRun();
            if (time >= 0) {
                times << time;
            } else {
                const QString why = operation.check ? operation.check() : QString();
                result.failure = QStringLiteral("run %1 not timed").arg(run + 1)
                    + (why.isEmpty() ? QString() : QStringLiteral(": ") + why);
            }
        } else {
            QVector<Sent> heard;
            statement::setListener([&heard](const QString& text) { heard << Sent{std::nullopt, text}; });
            statement::setBoundaryListener([&heard](statement::Boundary boundary) { heard << Sent{boundary, {}}; });
            const long faultsBefore = minorFaults();
            QElapsedTimer timer;
            timer.start();
            operation.act();
            settle();
            times << elapsedMs(timer);
            faults = minorFaults() - faultsBefore;
            statement::setListener({});
            statement::setBoundaryListener({});
            sent = heard;
        }
        if (run == 0 && operation.check && result.failure.isEmpty())
            result.failure = operation.check();
        if (operation.restore)
            operation.restore();
        settle();
        if (!result.failure.isEmpty())
            break;
    }
    result.median = median(times);
    result.worst = times.isEmpty() ? 0 : *std::max_element(times.begin(), times.end());
    result.statements = int(std::count_if(sent.cbegin(), sent.cend(), [](const Sent& one) { return !one.boundary; }));

    // The replays start from the database as each run found it, and leave
    // it as the run's restore does: a statement that changes stays undone.
    QVector<QVector<double>> eachRun;
    if (result.statements > 0 && result.failure.isEmpty()) {
        QVector<double> alone;
        for (int run = 0; run < m_runs; ++run) {
            if (operation.prepare)
                operation.prepare();
            settle();
            eachRun.append(QVector<double>());
            alone << replay(sent, &eachRun.last());
            if (operation.restore)
                operation.restore();
            settle();
        }
        result.sqlAlone = median(alone);
    }

    QTextStream err(stderr);
    err << QStringLiteral("  %1: %2 ms, %3 page faults in the last run").arg(result.name).arg(result.median, 0, 'f', 1).arg(faults)
        << (result.failure.isEmpty() ? QString() : QStringLiteral("  FAILED: ") + result.failure) << Qt::endl;
    if (m_statements)
        printStatements(sent, eachRun);
    return result;
}

namespace {

const Result* named(const QVector<Result>& results, const QString& name)
{
    for (const Result& r : results)
        if (r.name.contains(name))
            return &r;
    return nullptr;
}

// One row per target: how many of its operations met it, and the worst. An
// operation of the target that failed or could not be measured keeps the
// row from being met, and is named.
void printTargets(const QVector<Result>& results, const QString& engine, QTextStream& out)
{
    struct Row {
        QString target;
        std::function<bool(const Result&)> covers;
        std::function<double(const Result&)> over;  // > 1 when over; negative when not measured
        QString worst{};
        double worstRatio = -1;
        int met = 0, overCount = 0;
        QStringList failed{};
    };
    const auto bound = [](std::initializer_list<Goal> goals, double ms) {
        return Row{{}, [goals = QVector<Goal>(goals)](const Result& r) { return goals.contains(r.goal); },
                   [ms](const Result& r) { return r.median / ms; }};
    };
    const auto titled = [](QString target, Row row) {
        row.target = std::move(target);
        return row;
    };
    QVector<Row> rows{
        titled(QStringLiteral("master Save, Delete, search keystroke under 30 ms"), bound({Goal::Change}, 30)),
        titled(QStringLiteral("every screen opens under 60 ms"), bound({Goal::ScreenOpen}, 60)),
        titled(QStringLiteral("New / Refresh under 40 ms"), bound({Goal::Fresh}, 40)),
        {QStringLiteral("Add Item, picks and clicks under 20 ms"),
         [](const Result& r) { return r.goal == Goal::Action && !r.name.contains(QLatin1String("PDF")); },
         [](const Result& r) { return r.median / 20; }},
        {QStringLiteral("no more than %1 x its statements alone").arg(MostOverStatements),
         [](const Result& r) { return r.statements > 0 && r.goal != Goal::Baseline; },
         [](const Result& r) { return r.sqlAlone > 0 ? r.median / (MostOverStatements * r.sqlAlone) : -1; }},
    };
    for (Row& row : rows)
        for (const Result& r : results) {
            if (!row.covers(r))
                continue;
            const double ratio = r.failure.isEmpty() ? row.over(r) : -1;
            if (ratio < 0) {
                row.failed << r.name;
                continue;
            }
            (ratio <= 1 ? row.met : row.overCount)++;
            if (ratio > row.worstRatio) {
                row.worstRatio = ratio;
                row.worst = QStringLiteral("%1 (%2 ms)").arg(r.name).arg(r.median, 0, 'f', 1);
            }
        }

    out << QStringLiteral("\n| target on %1 | met | over | worst against the target | |\n|---|---:|---:|---|---|\n").arg(engine);
    for (const Row& row : rows)
        if (row.met + row.overCount + row.failed.size() > 0)
            out << "| " << row.target << " | " << row.met << " | " << row.overCount << " | " << row.worst << " | "
                << (!row.failed.isEmpty() ? QStringLiteral("failed: ") + row.failed.join(QStringLiteral(", "))
                    : row.overCount == 0  ? QStringLiteral("met")
                                          : QStringLiteral("over"))
                << " |\n";
    const Result* total = named(results, QStringLiteral("Show Total, every bill"));
    const Result* plain = named(results, QStringLiteral("plain grouping"));
    if (!total || !plain)
        return;
    out << "| Show Total under " << MostOverStatements << " x a plain grouping of the lines by bill | ";
    QStringList failed;
    for (const Result* r : {total, plain})
        if (!r->failure.isEmpty() || r->median <= 0 || r->sqlAlone <= 0)
            failed << r->name;
    if (!failed.isEmpty()) {
        out << " | | | failed: " << failed.join(QStringLiteral(", ")) << " |\n";
        return;
    }
    const double byStatement = total->sqlAlone / plain->sqlAlone;
    out << QStringLiteral("statement %1 x, operation %2 x").arg(byStatement, 0, 'f', 2).arg(total->median / plain->median, 0, 'f', 2)
        << " | | " << QStringLiteral("%1 ms (statement %2) against %3 ms").arg(total->median, 0, 'f', 1)
                          .arg(total->sqlAlone, 0, 'f', 1).arg(plain->median, 0, 'f', 1)
        << " | " << (byStatement <= MostOverStatements ? "met" : "over") << " |\n";
}

}  // namespace

void Runner::printTable(const QVector<Result>& results, const QString& engine)
{
    QTextStream out(stdout);
    const auto cell = [](double ms) { return ms < 0 ? QStringLiteral("-") : QString::number(ms, 'f', 1); };
    out << QStringLiteral("| operation | kind | median ms | worst ms | SQL alone ms (statements) | x SQL | target ms | |\n")
        << QStringLiteral("|---|---|---:|---:|---:|---:|---:|---|\n");
    for (const Result& r : results) {
        const double goal = target(r.goal, r.sqlAlone);
        const QString verdict = !r.failure.isEmpty() ? QStringLiteral("FAILED: ") + r.failure
            : goal < 0                               ? QString()
            : r.median <= goal                       ? QStringLiteral("ok")
                                                     : QStringLiteral("over");
        const QString sql = r.sqlAlone < 0 ? QStringLiteral("-")
                                           : QStringLiteral("%1 (%2)").arg(cell(r.sqlAlone)).arg(r.statements);
        const QString times = r.sqlAlone > 0 ? QString::number(r.median / r.sqlAlone, 'f', 1) : QStringLiteral("-");
        out << "| " << r.name << " | " << goalText(r.goal) << " | " << cell(r.median) << " | " << cell(r.worst)
            << " | " << sql << " | " << times << " | " << cell(goal) << " | " << verdict << " |\n";
    }
    printTargets(results, engine, out);
    out.flush();
}

}  // namespace bench
