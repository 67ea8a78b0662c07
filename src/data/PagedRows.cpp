#include "data/PagedRows.h"

#include "data/Connection.h"
#include "data/ErrorKinds.h"
#include "data/QueryRows.h"

#include <limits>

namespace {

// Before each read: a kept session that the server ended meanwhile is
// replaced by the read's statement (data/Statement.cpp), as on a screen's
// own connection. A grid that cannot reach the database says so.
Connection& reopened(Connection& connection)
{
    try {
        connection.open();
    } catch (const DbError& error) {
        if (error.unavailable())
            throw;
        const auto unreachable = DbError::Kind::Unreachable;
        throw DbError(dberrors::notice(unreachable) + QStringLiteral("\n\n") + error.description(), unreachable,
                      error.detail());
    }
    return connection;
}

}  // namespace

PagedRows PagedRows::read(const QString& statement, std::shared_ptr<Connection> connection, const RowKeyOrder& keyOrder)
{
    if (!connection)
        connection = std::make_shared<Connection>();
    reopened(*connection);
    PagedRows rows;
    {
        QueryRows page = QueryRows::run(statement + QStringLiteral(" limit ") + QString::number(PageSize), *connection);
        rows.headers = page.fieldNames();
        rows.firstRows = page.fetch(-1);
    }
    if (rows.firstRows.size() < PageSize)
        return rows;  // every row: nothing more to read
    Connection* reader = connection.get();
    if (!keyOrder.countBefore) {
        rows.whole = [reader, statement] {
            return std::make_shared<QueryRows>(QueryRows::run(statement, reopened(*reader)));
        };
    } else {
        // Executing the whole statement costs as much as reading all of it
        // (the SQLite driver steps through every row at once): here only the
        // rows wanted are read.
        rows.keyColumn = keyOrder.column;
        rows.rowOfKey = [reader, countBefore = keyOrder.countBefore](const QString& key) {
            const QString counting = countBefore(key);
            if (counting.isEmpty())
                return -1;
            QueryRows counted = QueryRows::run(counting, reopened(*reader));
            const QVector<QVector<QVariant>> count = counted.fetch(1);
            return count.isEmpty() ? -1 : count.first().value(0).toInt();
        };
        rows.stretch = [reader, statement](int first, int count) {
            const int limit = count < 0 ? std::numeric_limits<int>::max() : count;
            QueryRows part = QueryRows::run(
                statement + QStringLiteral(" limit %1 offset %2").arg(limit).arg(first), reopened(*reader));
            return part.fetch(-1);
        };
    }
    rows.keepAlive = std::move(connection);
    return rows;
}
