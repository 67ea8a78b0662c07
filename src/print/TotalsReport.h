#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/Report.h"

#include <QVector>

namespace print {

// The printed totals of a date range (the bill query's Print Total): one
// line per bill with its date, number, amount, discount, tax and total, then
// the four sums and the maker's footer. Written into the job, which the
// caller owns and ends; each output step runs through `step` (see Report).
void totalsReport(PrintJob& job, const ShopHeader& letterhead, const QVector<BillTotals>& bills,
                  const Report::Step& step = {});

}  // namespace print
