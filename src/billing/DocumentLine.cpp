#include "billing/DocumentLine.h"

#include "data/SqlText.h"

namespace billing {

QStringList DocumentLine::values() const
{
    return {sql::number(number),    sql::number(serial),   sql::text(item),
            sql::number(quantity),  sql::number(amount),   sql::number(tax),
            sql::number(discount),  sql::text(partyName),  sql::text(partyAddress),
            sql::text(partyPhone),  sql::text(remark),     sql::text(QStringLiteral("-")),
            sql::number(0),         sql::date(date),       sql::text(itemCode),
            sql::text(batch),       sql::number(0)};
}

}  // namespace billing
