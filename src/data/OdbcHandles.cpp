#include "data/OdbcHandles.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <sql.h>
#include <sqlext.h>

namespace odbchandles {

namespace {

QString firstState(SQLSMALLINT type, void* handle)
{
    if (!handle)
        return {};
    SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(type, handle, 1, state, &native, nullptr, 0, &length)))
        return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(state));
}

}  // namespace

void* fromVariant(const QVariant& handle)
{
    if (!handle.isValid()
        || (qstrcmp(handle.typeName(), "void*") != 0 && qstrcmp(handle.typeName(), "SQLHANDLE") != 0))
        return nullptr;
    return *static_cast<void* const*>(handle.constData());
}

void* connection(const QSqlDatabase& database)
{
    return database.driver() ? fromVariant(database.driver()->handle()) : nullptr;
}

void* statement(const QSqlQuery& query)
{
    const QSqlResult* result = query.result();
    return result ? fromVariant(result->handle()) : nullptr;
}

QString statementState(const QSqlQuery& query)
{
    return firstState(SQL_HANDLE_STMT, statement(query));
}

QString connectionState(const QSqlDatabase& database)
{
    return firstState(SQL_HANDLE_DBC, connection(database));
}

}  // namespace odbchandles
