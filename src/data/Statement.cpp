#include "data/Statement.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Dialect.h"
#include "data/ErrorKinds.h"
#include "data/OdbcHandles.h"

#include <QSqlError>

namespace statement {

namespace {
std::function<void(const QString&)>& listener()
{
    static std::function<void(const QString&)> heard;
    return heard;
}
}  // namespace

QSqlQuery execute(const QString& text, Connection& connection)
{
    if (!connection.isOpen())
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."));
    const QString sqlText = connection.dialect().rewrite(text);
    if (listener())
        listener()(sqlText);

    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(sqlText))
        throw dberrors::fromSqlError(query.lastError(), odbchandles::statementState(query));
    return query;
}

void setListener(std::function<void(const QString&)> heard)
{
    listener() = std::move(heard);
}

}  // namespace statement
