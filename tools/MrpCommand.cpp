#include "MrpCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "core/NumericText.h"
#include "data/Connection.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

#include <QTextStream>

const char* const MrpHelp = R"(  mrp (--code CODE | --item NAME) [--batch BATCH] --price PRICE [--database FILE]
      Sets the selling price (MRP) of one stock batch, or of every batch of
      an item code or item name; the simple bill screen prices lines at it.
      Says how many batches changed; nothing matching is an error.
)";

namespace {

double price(const tooldb::CommandLine& line)
{
    if (!line.isSet("price"))
        throw Failure(QStringLiteral("mrp needs --price"));
    const QString text = line.value("price");
    if (!numeric::isNumeric(text))
        throw Failure(QStringLiteral("the price '%1' is not a number").arg(text));
    const double value = numeric::toDouble(text);
    if (value < 0)
        throw Failure(QStringLiteral("the price %1 is below zero").arg(text));
    return value;
}

// The batches named, as a condition, and in words for the messages.
struct Selection {
    QString condition;
    QString words;
};

Selection selection(const tooldb::CommandLine& line)
{
    if (!line.isSet("code") && !line.isSet("item"))
        throw Failure(QStringLiteral("mrp needs --code CODE or --item NAME"));
    const QPair<const char*, const char*> columns[]{{"code", "ItemCode"}, {"item", "Item"}, {"batch", "Batch_Number"}};
    QStringList conditions;
    QStringList words;
    for (const auto& [option, column] : columns) {
        if (!line.isSet(option))
            continue;
        conditions << QLatin1String(column) + QStringLiteral(" = ") + sql::text(line.value(option));
        words << QStringLiteral("%1 '%2'").arg(QLatin1String(option), line.value(option));
    }
    return {conditions.join(QStringLiteral(" and ")), words.join(QStringLiteral(", "))};
}

}  // namespace

int setMrp(const tooldb::CommandLine& line, QTextStream& out)
{
    const double mrp = price(line);
    const Selection batches = selection(line);

    Connection connection;
    tooldb::open(connection, line.database());
    Transaction transaction(connection);
    RecordSet statement;
    statement.open(QStringLiteral("Select count(*) from Stock where ") + batches.condition, connection);
    const int count = statement.field(0).toInt();
    if (count == 0)
        throw Failure(QStringLiteral("no stock batch has %1; nothing was changed").arg(batches.words));
    statement.open(QStringLiteral("Update Stock set MRP = ") + sql::number(mrp) + QStringLiteral(" where ")
                       + batches.condition,
                   connection);
    transaction.commit();
    out << "Set the MRP of " << count << (count == 1 ? " batch" : " batches") << " (" << batches.words << ") to "
        << numeric::numberText(mrp) << "\n";
    return 0;
}
