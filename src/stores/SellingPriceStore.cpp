#include "stores/SellingPriceStore.h"

#include "core/Failure.h"
#include "core/NumericText.h"
#include "data/ChangeTracking.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"

namespace stores {

namespace {

QString condition(const Batches& which)
{
    QStringList parts;
    if (which.number)
        parts << QStringLiteral("BillNumber = ") + sql::number(int(*which.number));
    if (which.code)
        parts << QStringLiteral("ItemCode = ") + sql::text(*which.code);
    if (which.item)
        parts << QStringLiteral("Item = ") + sql::text(*which.item);
    if (which.batch)
        parts << QStringLiteral("Batch_Number = ") + sql::text(*which.batch);
    // Nothing named is no batch, never every batch.
    return parts.isEmpty() ? QStringLiteral("1 = 0") : parts.join(QStringLiteral(" and "));
}

}  // namespace

SellingPriceStore::SellingPriceStore() = default;

SellingPriceStore::SellingPriceStore(Connection& connection) : Store(connection) {}

double SellingPriceStore::priceOf(const QString& typed)
{
    if (!numeric::isNumeric(typed))
        throw Failure(QStringLiteral("the price '%1' is not a number").arg(typed));
    double price = 0;
    try {
        price = numeric::toAmount(typed);
    } catch (const Failure&) {  // beyond the largest amount typed
        throw Failure(QStringLiteral("the price %1 is too large").arg(typed.trimmed()));
    }
    if (price < 0)
        throw Failure(QStringLiteral("the price %1 is below zero").arg(typed.trimmed()));
    return price;
}

PagedRows SellingPriceStore::batches(const QString& containing) const
{
    const QString select = QStringLiteral(
        "Select BillNumber as No, ItemCode, Item, Batch_Number, Quantity, Amount, MRP from Stock ");
    const QString order = QStringLiteral("ItemCode, Item, Batch_Number");
    if (containing.isEmpty())
        return PagedRows::read(select + QStringLiteral("order by ") + order);
    const QString pattern = sql::containing(containing);
    // A code typed or scanned whole comes first, before the codes that hold it
    // ("0012" before "12"), so that its batch is the one highlighted.
    return PagedRows::read(select + QStringLiteral("where ItemCode Like ") + pattern + QStringLiteral(" or Item Like ")
                           + pattern + QStringLiteral(" order by case when ItemCode = ") + sql::text(containing.trimmed())
                           + QStringLiteral(" then 0 else 1 end, ") + order);
}

int SellingPriceStore::setPrice(const Batches& which, double mrp, StockVersions* versions) const
{
    // The writing turn before anything else. Taken by the update's trigger,
    // it would be waited for while the update holds Stock (on the server),
    // which a till holding the turn may lock next, or after the count has
    // read (on SQLite), when a writer is no longer waited for.
    const bool counted = changes::takeWritingTurn(connection());
    const QString stock = QStringLiteral("Stock");
    if (versions && counted)
        versions->before = changes::versionWhileWriting(connection(), stock);
    const QString where = QStringLiteral(" where ") + condition(which);
    const int count = firstValue(QStringLiteral("Select count(*) from Stock") + where).toInt();
    if (count > 0)
        run(QStringLiteral("Update Stock set MRP = ") + sql::number(mrp) + where);
    if (versions && counted)
        versions->after = changes::versionWhileWriting(connection(), stock);
    return count;
}

std::optional<qint64> SellingPriceStore::stockVersion() const
{
    return changes::version(connection(), QStringLiteral("Stock"));
}

std::optional<SellingPriceStore::PricedBatch> SellingPriceStore::simpleBillBatch(const QString& item) const
{
    RecordSet first;
    first.open(QStringLiteral("Select BillNumber, ItemCode, MRP from Stock WHERE Item = ") + sql::text(item)
                   + QStringLiteral(" order by BillNumber"),
               connection());
    if (first.eof())
        return std::nullopt;
    const QVariant mrp = first.field(2);
    return PricedBatch{numeric::toInt16(first.field(0)), first.field(1).toString(),
                       mrp.isNull() ? 0 : numeric::toDouble(mrp)};
}

}  // namespace stores
