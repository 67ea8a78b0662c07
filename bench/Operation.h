#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// One thing the operator does, as the benchmark times it.
namespace bench {

enum class Goal {
    Action,      // a button or a keystroke: 20 ms, or 1.5 x its SQL alone above 13 ms
    ScreenOpen,  // 60 ms
    StartUp,     // 400 ms
    Listing,     // 2 s: the customer list printed
    FirstRows,   // 200 ms: a query's Show, to its first rows shown
    Totals,      // 500 ms: Show Total over every bill
    Report,      // 3 s: a query's report printed, over up to every row
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

// The target in milliseconds.
double target(Goal goal, double sqlAlone);

}  // namespace bench
