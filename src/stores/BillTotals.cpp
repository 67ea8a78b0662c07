#include "stores/BillTotals.h"

#include "core/Dates.h"
#include "core/NumericText.h"
#include "data/BillSums.h"
#include "data/Connection.h"
#include "data/DbError.h"
#include "data/RecordSet.h"
#include "data/SqlText.h"
#include "core/FigureColumns.h"

namespace stores {

namespace {

// Without the sums the database keeps (data/BillSums.h):
// one grouping of the lines by bill, for what would otherwise be five
// statements per bill. The sums are of the figures the bill screens show
// (core/FigureColumns.h), each added in the order of the bill's serials,
// so that it is the same double, bit for bit, as a sum over the bill's lines
// in serial order; the date is that of the bill's first line.
//
// Only the bills numbered from the lowest to the highest that has a line in
// the dates are read (both found through the date index); of those, the
// bills without such a line are left out after grouping, since a filter on
// the dates before it would take the lines out of their key's order.
QString totalsStatement(const QDate& from, const QDate& to, bool onServer)
{
    const QString inDates = QStringLiteral("Date_ >= ") + sql::date(from) + QStringLiteral(" and Date_ <= ") + sql::date(to);
    const QString numbers = QStringLiteral(" from asigncharges where ") + inDates + QLatin1Char(')');
    const QString range = QStringLiteral(" from asigncharges where BillNumber between (Select min(BillNumber)") + numbers
        + QStringLiteral(" and (Select max(BillNumber)") + numbers;
    if (onServer) {
        // The server aggregates a sorted subquery's rows in its order: a
        // subquery with an order of its own is neither merged into the
        // grouping nor split among workers. An order named in each aggregate
        // would sort every bill's lines once per sum, twice as slow.
        return QStringLiteral("Select BillNumber, ") + figures::sumColumns()
            + QStringLiteral(", (array_agg(Date_))[1] as BillDate from (Select *") + range
            + QStringLiteral(" order by BillNumber, Serial) lines group by BillNumber having bool_or(") + inDates
            + QStringLiteral(") order by BillNumber asc");
    }
    // SQLite groups along the key's index (BillNumber, Serial), so each
    // bill's lines come in serial order; a bare column beside the one min()
    // is taken from that min()'s row.
    return QStringLiteral("Select BillNumber, ") + figures::sumColumns()
        + QStringLiteral(", Date_ as BillDate, min(Serial) as FirstSerial") + range
        + QStringLiteral(" group by BillNumber having total(") + inDates
        + QStringLiteral(") > 0 order by BillNumber asc");
}

}  // namespace

QVector<BillTotals> BillTotalsStore::billTotals(const QDate& from, const QDate& to) const
{
    RecordSet bills;
    try {
        bills.open(billsums::billsWithLinesDated(sql::date(from), sql::date(to)), connection());
    } catch (const DbError& error) {
        if (!billsums::linesReadInstead(error, connection()))
            throw;
        // The lines are summed now.
        const bool onServer = connection().engine() == schema::Engine::Postgres;
        bills.open(totalsStatement(from, to, onServer), connection());
    }
    QVector<BillTotals> all;
    all.reserve(bills.recordCount());
    const auto rounded = [](const QVariant& sum) { return numeric::roundHalfEven(numeric::toDouble(sum)); };
    for (const QVector<QVariant>& row : bills.rows())
        all.append({dates::fromStored(row.at(5)), numeric::toInt16(row.at(0)), rounded(row.at(2)), rounded(row.at(3)),
                    rounded(row.at(4)), rounded(row.at(1))});
    return all;
}

}  // namespace stores
