#pragma once

#include "core/DocumentValues.h"
#include "stores/Store.h"

#include <QDate>
#include <QVector>

namespace stores {

// The bill query's totals: each bill's rounded figures.
class BillTotalsStore : public Store {
public:
    BillTotalsStore() = default;
    explicit BillTotalsStore(Connection& connection) : Store(connection) {}
    explicit BillTotalsStore(SharedConnection shared) : Store(shared) {}

    // The bills with a line dated from `from` to `to` (both whole days), in
    // ascending number, read with one statement on the open connection.
    // Throws DbError.
    QVector<BillTotals> billTotals(const QDate& from, const QDate& to) const;
};

}  // namespace stores
