#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// One thing the operator does, as the benchmark times it.
namespace bench {

enum class Goal {
    Action,      // a pick, a click, Add Item: 20 ms, or 1.5 x its SQL alone above 13 ms
    Change,      // a master's Save or Delete, a search keystroke: 30 ms
    Fresh,       // New / Refresh: 40 ms
    ScreenOpen,  // 60 ms
    StartUp,     // 400 ms
    Listing,     // 2 s: the customer list printed
    FirstRows,   // 200 ms: a query's Show, to its first rows shown
    Totals,      // 500 ms: Show Total over every bill
    Report,      // 3 s: a query's report printed, over up to every row
    Baseline,    // none: what another operation is measured against
};

struct Operation {
    explicit Operation(QString name, Goal goal = Goal::Action) : name(std::move(name)), goal(goal) {}

    QString name;
    Goal goal;
    std::function<void()> prepare;  // before each run, not timed
    std::function<void()> act;      // timed, up to the screen painted
    std::function<void()> restore;  // after each run, not timed: the database as it was
    // Empty when the run did what the operator expects, else what went wrong.
    std::function<QString()> check;
    // When set, times a run of its own instead of act (a child process).
    std::function<double()> timeOneRun;
};

struct Result {
    Result(QString name, Goal goal) : name(std::move(name)), goal(goal) {}

    QString name;
    Goal goal;
    double median = 0;
    double worst = 0;
    double sqlAlone = -1;  // ms; negative when there is none
    int statements = 0;
    QString failure;
};

// The target in milliseconds (none for a baseline).
double target(Goal goal, double sqlAlone);

// What an operation may cost beside its statements alone.
constexpr double MostOverStatements = 1.5;

}  // namespace bench
