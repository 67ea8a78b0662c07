#include "kit/BillArithmetic.h"

#include "core/NumericText.h"
#include "data/RecordSet.h"

namespace arithmetic {

QVector<double> lineTotals(RecordSet& lines)
{
    QVector<double> totals;
    for (; !lines.eof(); lines.moveNext())
        totals << lineFigures(numeric::toDouble(lines.field(QStringLiteral("Amount"))),
                              numeric::toDouble(lines.field(QStringLiteral("Quantity"))),
                              numeric::toDouble(lines.field(QStringLiteral("DiscountinPercentage"))),
                              numeric::toDouble(lines.field(QStringLiteral("TaxInPercentage"))))
                      .total;
    return totals;
}

}  // namespace arithmetic
