#pragma once

#include "core/LineFigures.h"

class RecordSet;

namespace arithmetic {

// The totals of stored lines from the current row to the end, read from their
// Amount, Quantity, DiscountinPercentage and TaxInPercentage columns.
QVector<double> lineTotals(RecordSet& lines);

}  // namespace arithmetic
