#pragma once

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class Connection;
class QueryRows;

// The rows of a statement for a grid, read over a connection of their own
// (a grid's, apart from its screen's statements):
// the first page at once, the whole result only when a row after it is
// wanted. The connection lives as long as something holds keepAlive.
struct PagedRows {
    QVector<QString> headers;
    QVector<QVector<QVariant>> firstRows;
    // The whole result, from its first row; empty when the first page holds
    // every row. Throws DbError.
    std::function<std::shared_ptr<QueryRows>()> whole;
    std::shared_ptr<void> keepAlive;

    // The rows of a page: more than any grid shows at once.
    static constexpr int PageSize = 256;

    // Opens the connection (reused when it is open already; a new one when
    // none is given) and reads the first page. Throws DbError when the
    // connection or the statement fails.
    static PagedRows read(const QString& statement, std::shared_ptr<Connection> connection = {});
};
