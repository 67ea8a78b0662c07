#pragma once

#include "Operation.h"

#include <QVector>
#include <memory>

class Connection;

namespace bench {

// Runs each operation several times, then its statements alone on a
// connection of the same data source kept open, and prints the table.
class Runner {
public:
    // statements: also print each statement of every operation with its own time.
    Runner(int runs, bool statements);
    ~Runner();

    Result run(const Operation& operation);
    // The table, then a row per target of the operations on the engine.
    static void printTable(const QVector<Result>& results, const QString& engine);

private:
    double replay(const QStringList& statements);
    void printStatements(const QStringList& statements);

    int m_runs;
    bool m_statements;
    std::unique_ptr<Connection> m_sqlConnection;
};

// Lets every posted event run (layout, paint), so a timing ends where the
// operator sees the result.
void settle();

}  // namespace bench
