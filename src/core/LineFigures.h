#pragma once

#include <QVector>

// The figures of one document line and the rounding of a document's total:
// the one definition every screen, report and print uses (the statements
// compute the same figures with the expressions of core/FigureColumns.h).
// Tax is charged on the amount after discount; percentages are plain (5 = 5 %).
namespace arithmetic {

struct LineFigures {
    double amount;    // unit price x quantity
    double discount;  // amount x discount % / 100
    double net;       // amount - discount
    double tax;       // net x tax % / 100
    double total;     // net + tax
};

LineFigures lineFigures(double unitPrice, double quantity, double discountPercent, double taxPercent);

// Adds all line totals and rounds once at the end (half to even): a
// document's one grand total, on its screen and on paper. Rounding as the
// sum grows would drift from it by up to one per line.
double roundedOnceTotal(const QVector<double>& lineTotals);

}  // namespace arithmetic
