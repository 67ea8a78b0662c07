#include "stores/QueryStore.h"

#include "data/RecordSet.h"
#include "data/SqlText.h"

namespace stores {

Bounds Bounds::numbers(double first, double second)
{
    return {sql::number(first), sql::number(second)};
}

Bounds Bounds::dates(const QDate& first, const QDate& second)
{
    return {sql::date(first), sql::date(second)};
}

Bounds Bounds::text(const QString& text)
{
    return {sql::text(text), {}};
}

QString withBounds(const QString& statement, const Bounds& bounds)
{
    // Filled in one pass, so a quoted text holding "%2" stays as typed.
    if (statement.contains(QLatin1String("%2")))
        return statement.arg(bounds.first, bounds.second);
    if (statement.contains(QLatin1String("%1")))
        return statement.arg(bounds.first);
    return statement;
}

QueryStore::QueryStore() : Store(SharedConnection{}) {}

QStringList QueryStore::listEntries(const QString& statement) const
{
    return entries(statement);
}

PagedRows QueryStore::gridRows(const QString& statement) const
{
    return pagedRows(statement);
}

QVector<PrintedRow> QueryStore::reportRows(const QString& statement) const
{
    RecordSet rows;
    rows.open(statement, connection());
    return rows.rows();
}

QVariant QueryStore::reportTotal(const QString& statement) const
{
    RecordSet total;
    total.open(statement, connection());
    return total.eof() ? QVariant() : total.field(0);
}

}  // namespace stores
