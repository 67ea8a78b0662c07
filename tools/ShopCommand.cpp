#include "ShopCommand.h"

#include "ToolDatabase.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/SqlText.h"

#include <QTextStream>

const char* const ShopHelp = R"(  shop [--database FILE] [--name TEXT] [--address1 TEXT] [--address2 TEXT]
       [--city TEXT] [--phone TEXT]
      Sets the shop's letterhead printed on every document; values not given
      keep what they were.
)";

int shop(const tooldb::CommandLine& line, QTextStream& out)
{
    Connection connection;
    tooldb::open(connection, line.database());

    const char* const options[]{"name", "address1", "address2", "city", "phone"};
    QStringList values;
    RecordSet rows;
    rows.open(QStringLiteral("Select ShopName, ShopAddress1, ShopAddress2, ShopCity, ShopPhone from %1")
                  .arg(QLatin1String(schema::ShopHeaderTable)),
              connection);
    for (const char* option : options) {
        const int column = int(values.size());
        values << (line.isSet(option) ? line.value(option) : rows.eof() ? QString() : rows.field(column).toString());
    }

    QStringList quoted;
    for (const QString& value : values)
        quoted << sql::text(value);
    Transaction transaction(connection);
    RecordSet statement;
    statement.open(QStringLiteral("DELETE FROM %1").arg(QLatin1String(schema::ShopHeaderTable)), connection);
    statement.open(QStringLiteral("INSERT INTO %1 VALUES(%2)")
                       .arg(QLatin1String(schema::ShopHeaderTable), quoted.join(QLatin1Char(','))),
                   connection);
    transaction.commit();
    out << "Shop header set: " << values.join(QStringLiteral(" | ")) << "\n";
    return 0;
}
