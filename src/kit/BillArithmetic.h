#pragma once

#include <QVector>

class RecordSet;

// The figures of one document line and the rounding of a document's total.
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

// The totals of stored lines from the current row to the end, read from their
// Amount, Quantity, DiscountinPercentage and TaxInPercentage columns.
QVector<double> lineTotals(RecordSet& lines);

// Adds each line total and rounds the running sum at once (half to even),
// as the bill screens do after adding or deleting a line.
double runningRoundedTotal(const QVector<double>& lineTotals);

// Adds all line totals and rounds once at the end (half to even), as a loaded
// or printed bill shows it.
double roundedOnceTotal(const QVector<double>& lineTotals);

}  // namespace arithmetic
