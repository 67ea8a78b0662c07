#include "core/LineFigures.h"

#include "core/NumericText.h"

namespace arithmetic {

LineFigures lineFigures(double unitPrice, double quantity, double discountPercent, double taxPercent)
{
    // Evaluated in the same order as the statements' figure columns
    // (core/FigureColumns.h), so the screen's totals are the database's.
    LineFigures f;
    f.amount = unitPrice * quantity;
    f.discount = unitPrice * quantity * discountPercent / 100;
    f.net = f.amount - f.discount;
    f.tax = f.net * taxPercent / 100;
    f.total = f.net + f.tax;
    return f;
}

double roundedOnceTotal(const QVector<double>& lineTotals)
{
    double sum = 0;
    for (double total : lineTotals)
        sum += total;
    return numeric::roundHalfEven(sum);
}

}  // namespace arithmetic
