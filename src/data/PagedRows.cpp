#include "data/PagedRows.h"

#include "data/Connection.h"
#include "data/QueryRows.h"

PagedRows PagedRows::read(const QString& statement, std::shared_ptr<Connection> connection)
{
    if (!connection)
        connection = std::make_shared<Connection>();
    connection->open();
    PagedRows rows;
    {
        QueryRows page = QueryRows::run(statement + QStringLiteral(" limit ") + QString::number(PageSize), *connection);
        rows.headers = page.fieldNames();
        rows.firstRows = page.fetch(-1);
    }
    if (rows.firstRows.size() < PageSize)
        return rows;  // every row: nothing more to read
    Connection* reader = connection.get();
    rows.whole = [reader, statement] { return std::make_shared<QueryRows>(QueryRows::run(statement, *reader)); };
    rows.keepAlive = std::move(connection);
    return rows;
}
