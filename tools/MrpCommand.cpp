#include "MrpCommand.h"

#include "ToolDatabase.h"
#include "core/Failure.h"
#include "core/NumericText.h"
#include "core/TypedKeys.h"
#include "data/Connection.h"
#include "stores/SellingPriceStore.h"

#include <QTextStream>

const char* const MrpHelp = R"(  mrp (--code CODE | --item NAME) [--batch BATCH] --price PRICE [--database FILE]
      Sets the selling price (MRP) of one stock batch, or of every batch of
      an item code or item name; the simple bill screen prices lines at it.
      Says how many batches changed; nothing matching is an error.
)";

namespace {

// The batches named, and the same in words for the messages.
struct Selection {
    stores::Batches batches;
    QString words;
};

Selection selection(const tooldb::CommandLine& line)
{
    if (!line.isSet("code") && !line.isSet("item"))
        throw Failure(QStringLiteral("mrp needs --code CODE or --item NAME"));
    Selection chosen;
    QStringList words;
    for (const auto& [option, part] : {std::pair{"code", &stores::Batches::code}, std::pair{"item", &stores::Batches::item},
                                       std::pair{"batch", &stores::Batches::batch}}) {
        if (!line.isSet(option))
            continue;
        // As the screens store it: the file compares letters beyond ASCII by case.
        chosen.batches.*part = typedkeys::capitals(line.value(option));
        words << QStringLiteral("%1 '%2'").arg(QLatin1String(option), line.value(option));
    }
    chosen.words = words.join(QStringLiteral(", "));
    return chosen;
}

}  // namespace

int setMrp(const tooldb::CommandLine& line, QTextStream& out)
{
    if (!line.isSet("price"))
        throw Failure(QStringLiteral("mrp needs --price"));
    const double mrp = stores::SellingPriceStore::priceOf(line.value("price"));
    const Selection chosen = selection(line);

    Connection connection;
    tooldb::openToChange(connection, line.database());
    const stores::SellingPriceStore prices(connection);
    Transaction transaction(connection);
    const int count = prices.setPrice(chosen.batches, mrp);
    if (count == 0)
        throw Failure(QStringLiteral("no stock batch has %1; nothing was changed").arg(chosen.words));
    transaction.commit();
    out << "Set the MRP of " << count << (count == 1 ? " batch" : " batches") << " (" << chosen.words << ") to "
        << numeric::numberText(mrp) << "\n";
    return 0;
}
