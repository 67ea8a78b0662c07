#include "stores/BillTotals.h"

#include "core/Dates.h"
#include "core/NumericText.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "stores/FigureColumns.h"

namespace stores {

namespace {

// One statement for what would otherwise be five per bill. The sums are of
// the figures the bill screens show (stores/FigureColumns.h), summed bill by bill in the order of the
// lines (the derived table's order, which both engines keep for the sums),
// so each is the same double, bit for bit, as a sum over the bill's lines in
// serial order. The date is that of the bill's first line (a server refuses
// a subquery of several rows in a column, so it names the one).
QString totalsStatement(const QDate& from, const QDate& to)
{
    return QStringLiteral("Select a.BillNumber, ") + figures::sumColumns()
        + QStringLiteral(", (Select f.Date_ from asigncharges f where f.BillNumber = a.BillNumber order by f.Serial "
                         "limit 1) as BillDate from (Select * from asigncharges where BillNumber in (Select "
                         "BillNumber from asigncharges where Date_ >= ")
        + sql::date(from) + QStringLiteral("  and Date_ <= ") + sql::date(to)
        + QStringLiteral(") order by BillNumber, Serial) a group by a.BillNumber order by a.BillNumber asc");
}

}  // namespace

QVector<BillTotals> BillTotalsStore::billTotals(const QDate& from, const QDate& to) const
{
    RecordSet bills;
    bills.open(totalsStatement(from, to), connection());
    QVector<BillTotals> all;
    all.reserve(bills.recordCount());
    const auto rounded = [](const QVariant& sum) { return numeric::roundHalfEven(numeric::toDouble(sum)); };
    for (const QVector<QVariant>& row : bills.rows())
        all.append({dates::fromStored(row.at(5)), numeric::toInt16(row.at(0)), rounded(row.at(2)), rounded(row.at(3)),
                    rounded(row.at(4)), rounded(row.at(1))});
    return all;
}

}  // namespace stores
