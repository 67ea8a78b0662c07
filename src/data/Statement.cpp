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

    for (;;) {
        QSqlQuery query(connection.database());
        query.setForwardOnly(true);
        if (query.exec(sqlText)) {
            connection.markAnswered();
            return query;
        }
        const DbError error = dberrors::fromSqlError(query.lastError(), odbchandles::statementState(query));
        // A reused session that the server ended while it was kept: the
        // statement goes once more, on a session of its own.
        if (error.kind() != DbError::Kind::Unreachable || !connection.replaceEndedSession())
            throw connection.failed(error);
    }
}

void setListener(std::function<void(const QString&)> heard)
{
    listener() = std::move(heard);
}

}  // namespace statement
