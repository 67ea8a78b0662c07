#include "BatchLines.h"

namespace batchlines {

QString joined(const char* table, const char* alias, const QString& condition)
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" where ") + condition;
    return QStringLiteral(" left join (select ItemCode, Item, Batch_Number, sum(Quantity) as Quantity from %1%3 group by "
                          "ItemCode, Item, Batch_Number) %2 on s.ItemCode = %2.ItemCode and s.Item = %2.Item and "
                          "s.Batch_Number = %2.Batch_Number")
        .arg(QLatin1String(table), QLatin1String(alias), where);
}

}  // namespace batchlines
