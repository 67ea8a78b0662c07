#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/Report.h"

// The receipt of one document on a receipt roll, whose lines are too narrow
// for the receipt's page layout:
//
//   THE CORNER SHOP                    letterhead, document and party texts,
//   ...                                each broken at blanks onto as many
//   --------------------------------   lines as it needs
//   Item         Qty    Price   Total
//   --------------------------------
//   TEA               3   33.33  100.00   an item with its figures, when the
//   BASMATI RICE PREMIUM 25 KG            name leaves them room; else the
//            2  1234.50     2469.00       name on lines of its own
//   --------------------------------
//   Grand Total :              2569.00   as the page receipt prints it
//   --------------------------------
//   Software Designed By : ...
//
// Per document line: its quantity, its unit amount and its line total,
// right-aligned under their heads, money with two decimals; a figure wider
// than its column moves left, and figures that do not fit one line beside
// each other go on lines of their own. No text runs past the line's end.
namespace print {

// The narrowest line the layout is made for: the three figure columns and
// their heads side by side.
constexpr int NarrowestRollLine = 32;

// Writes the document into the job, which the caller owns and ends, on
// lines of `columns` columns (32 at the least). Each output step runs
// through `step` (see Report).
void rollReceipt(PrintJob& job, const ShopHeader& letterhead, const ReceiptValues& document, int columns,
                 const Report::Step& step = {});

}  // namespace print
