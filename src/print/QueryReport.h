#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/Report.h"

#include <QVariant>
#include <QVector>

namespace print {

// The printed report of the receipt, stock and expenditure queries: the
// letterhead, one line per row (its first four fields, the number, item or
// head, amount and date, at columns 1, 6, 39 and 46), the grand total and
// the footer. Written into the job, which the caller owns and ends; throws
// at the first failing print step.
void queryReport(PrintJob& job, const ShopHeader& letterhead, const QVector<PrintedRow>& rows,
                 const QVariant& total, const Footer& footer);

}  // namespace print
