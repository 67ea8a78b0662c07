#pragma once

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class Connection;
class QueryRows;

// How the row of a key is found in rows ordered by a key column: the
// statement counting the rows that come before the key's; empty for a text
// no key can show.
struct RowKeyOrder {
    int column = -1;
    std::function<QString(const QString& key)> countBefore;
};

// The rows of a statement for a grid, read over a connection of their own
// (a grid's, apart from its screen's statements):
// the first page at once, the rest only when a row after it is wanted. The
// connection lives as long as something holds keepAlive.
struct PagedRows {
    QVector<QString> headers;
    QVector<QVector<QVariant>> firstRows;
    // The whole result, from its first row; empty when the first page holds
    // every row, or when the rest is read by stretches (below). Throws DbError.
    std::function<std::shared_ptr<QueryRows>()> whole;
    std::shared_ptr<void> keepAlive;

    // Set for rows in the order of a key column (a list of vouchers by
    // number), when they are more than the first page: a grid then reads the
    // rest by stretches, not as the whole result, and goes straight to a
    // key's row far down, reading neither the rows before it nor those
    // after. rowOfKey gives the row at which the key's rows begin, counted
    // by the database (-1 for a text no key can show); any stretch of the
    // result is read on its own, up to count rows from the first'th (every
    // row left for a negative count). Both throw DbError.
    int keyColumn = -1;
    std::function<int(const QString& key)> rowOfKey;
    std::function<QVector<QVector<QVariant>>(int first, int count)> stretch;

    // The rows of a page: more than any grid shows at once.
    static constexpr int PageSize = 256;

    // Opens the connection (reused when it is open already; a new one when
    // none is given) and reads the first page. Throws DbError when the
    // connection or the statement fails.
    static PagedRows read(const QString& statement, std::shared_ptr<Connection> connection = {},
                          const RowKeyOrder& keyOrder = {});
};
