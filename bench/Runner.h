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
    explicit Runner(int runs);
    ~Runner();

    Result run(const Operation& operation);
    static void printTable(const QVector<Result>& results);

private:
    double replay(const QStringList& statements);

    int m_runs;
    std::unique_ptr<Connection> m_sqlConnection;
};

// Lets every posted event run (layout, paint), so a timing ends where the
// operator sees the result.
void settle();

}  // namespace bench
