#pragma once

#include "Operation.h"
#include "data/Statement.h"

#include <QVector>
#include <memory>
#include <optional>

class Connection;

namespace bench {

// What an operation sent, in its order: a statement, or where one of its
// transactions began or ended.
struct Sent {
    std::optional<statement::Boundary> boundary;  // none for a statement
    QString text;
};

// Runs each operation several times, then its statements alone on a
// connection of the same data source kept open, in the operation's own
// transactions, and prints the table.
class Runner {
public:
    // statements: also print each statement of every operation with its own
    // time, as the replays of the statements alone took it.
    Runner(int runs, bool statements);
    ~Runner();

    Result run(const Operation& operation);
    // The table, then a row per target of the operations on the engine.
    static void printTable(const QVector<Result>& results, const QString& engine);

private:
    // The whole, and into each (when given) the time of each one sent.
    double replay(const QVector<Sent>& sent, QVector<double>* each = nullptr);
    void printStatements(const QVector<Sent>& sent, const QVector<QVector<double>>& runs);

    int m_runs;
    bool m_statements;
    std::unique_ptr<Connection> m_sqlConnection;
};

// Lets every posted event run (layout, paint), so a timing ends where the
// operator sees the result.
void settle();

}  // namespace bench
