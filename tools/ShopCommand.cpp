#include "ShopCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "data/ChangeTracking.h"
#include "data/Connection.h"
#include "data/Tables.h"
#include "stores/ShopHeaderStore.h"

#include <QTextStream>

#include <algorithm>

const char* const ShopHelp = R"(  shop [--database FILE] [--name TEXT] [--address1 TEXT] [--address2 TEXT]
       [--city TEXT] [--phone TEXT]
      Sets the shop's letterhead printed on every document; values not given
      keep what they were.
)";

int shop(const tooldb::CommandLine& line, QTextStream& out)
{
    Connection connection;
    tooldb::openToChange(connection, line.database());
    const stores::ShopHeaderStore header(connection);

    const char* const options[] = {"name", "address1", "address2", "city", "phone"};
    if (std::none_of(std::begin(options), std::end(options), [&](const char* option) { return line.isSet(option); }))
        throw Failure(QStringLiteral("give the values to set (--name, --address1, --address2, --city, --phone); "
                                     "nothing was changed"));
    // Each value given replaces the stored one; the others stay (empty before
    // the first letterhead, which therefore needs the name). Read under the
    // writing turn: a letterhead a till saves meanwhile is not written back over.
    Transaction transaction(connection);
    changes::takeWritingTurn(connection);
    const ShopHeader stored = header.read().value_or(ShopHeader{});
    const auto value = [&](const char* option, const QString& current) {
        if (!line.isSet(option))
            return current;
        // As long as Shop Details takes, whose next Save would cut a longer one.
        const QString given = line.value(option);
        if (given.size() > schema::TextWidth)
            throw Failure(QStringLiteral("--%1 is %2 characters long; a line of the letterhead takes at most %3; "
                                         "nothing was changed")
                              .arg(QLatin1String(option))
                              .arg(given.size())
                              .arg(schema::TextWidth));
        return given;
    };
    const ShopHeader letterhead{value("name", stored.shopName), value("address1", stored.address1),
                                      value("address2", stored.address2), value("city", stored.city),
                                      value("phone", stored.phone)};
    // As Shop Details, which saves no letterhead without the shop's name.
    if (letterhead.shopName.trimmed().isEmpty())
        throw Failure(QStringLiteral("a letterhead needs the shop's name: give --name with it; nothing was changed"));
    header.save(letterhead);
    transaction.commit();
    out << "Shop header set: "
        << QStringList{letterhead.shopName, letterhead.address1, letterhead.address2, letterhead.city, letterhead.phone}
               .join(QStringLiteral(" | "))
        << "\n";
    return 0;
}
