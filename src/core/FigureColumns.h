#pragma once

#include <QString>

// The line figures of core/LineFigures.h as the statements compute them,
// over a line's Amount, Quantity, DiscountinPercentage and TaxInPercentage:
// the same operations in the same order, so that the database's figures and
// the screens' agree to the last bit. Every statement that shows, prints or
// sums a figure is written with these.
namespace figures {

QString amount();    // Amount * Quantity
QString discount();  // amount x discount % / 100
QString net();       // amount - discount
QString tax();       // net x tax % / 100
QString total();     // net + tax

// The columns Amount_, Discount, Tax and Total of a grid of lines.
QString gridColumns();
// The columns of printed lines (and of the bill query's grid): the line
// amount under its expression's name, Discount, Tax, Total. The discount is
// spelled as these lines have always spelled it, multiplying by the quantity
// last: the same figure.
QString printedColumns();
// The sums over a bill's lines: Total, Amount_, Discount, Tax.
QString sumColumns();

}  // namespace figures
