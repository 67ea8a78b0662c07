#include "stores/ShopHeaderStore.h"

#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "data/Tables.h"

namespace stores {

ShopHeaderStore::ShopHeaderStore() = default;

ShopHeaderStore::ShopHeaderStore(Connection& connection) : Store(connection) {}

ShopHeader ShopHeaderStore::placeholders()
{
    return {QStringLiteral("YOUR SHOP NAME"), QStringLiteral("Address line 1"), QStringLiteral("Address line 2"),
            QStringLiteral("City"), QStringLiteral("Phone")};
}

ShopHeader ShopHeaderStore::load() const
{
    open();
    return read().value_or(placeholders());
}

std::optional<ShopHeader> ShopHeaderStore::read() const
{
    RecordSet header;
    header.open(QStringLiteral("Select ShopName, ShopAddress1, ShopAddress2, ShopCity, ShopPhone from %1")
                    .arg(QLatin1String(schema::ShopHeaderTable)),
                connection());
    if (header.eof())
        return std::nullopt;
    return ShopHeader{header.field(0).toString(), header.field(1).toString(), header.field(2).toString(),
                            header.field(3).toString(), header.field(4).toString()};
}

void ShopHeaderStore::save(const ShopHeader& letterhead) const
{
    QStringList values;
    for (const QString& value : {letterhead.shopName, letterhead.address1, letterhead.address2, letterhead.city,
                                 letterhead.phone})
        values << sql::text(value);
    // The turn first: a delete that waited for it in its trigger would keep
    // the letterhead another till stored meanwhile, and this one beside it.
    changes::takeWritingTurn(connection());
    run(QStringLiteral("DELETE FROM %1").arg(QLatin1String(schema::ShopHeaderTable)));
    run(QStringLiteral("INSERT INTO %1 VALUES(%2)")
            .arg(QLatin1String(schema::ShopHeaderTable), values.join(QLatin1Char(','))));
}

}  // namespace stores
