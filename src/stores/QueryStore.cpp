#include "stores/QueryStore.h"

#include "data/RecordSet.h"
#include "data/SqlText.h"

#include <QRegularExpression>

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

// Each list of the designs reads one table, the one after its only "from".
QStringList QueryStore::listEntries(const QString& statement) const
{
    static const QRegularExpression select(QStringLiteral("\\bselect\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression oneTable(QStringLiteral("\\bfrom\\s+(\\w+)\\s*(where\\b|order\\b|$)"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch table = oneTable.match(statement);
    const bool single = table.hasMatch() && statement.count(select) == 1;
    return entries(statement, single ? table.captured(1) : QString());
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
