#pragma once

#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlQuery;

// The ODBC handles behind QODBC's objects, for what QODBC does not pass on.
namespace odbchandles {

// The handle QODBC hands over as a void* (SQLHANDLE in older Qt); null when
// the value is no such handle.
void* fromVariant(const QVariant& handle);

// The connection's handle (null when it is not open through QODBC) and
// the query's statement handle (null when it has none).
void* connection(const QSqlDatabase& database);
void* statement(const QSqlQuery& query);

// The SQLSTATE of the last call's first diagnostic on the handle ("23505");
// empty when there is none.
QString statementState(const QSqlQuery& query);
QString connectionState(const QSqlDatabase& database);

}  // namespace odbchandles
