#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/Report.h"

// The printed receipt of a document on the report frame: the letterhead, the
// document's number and date, its party, one line per document line, the
// grand total and a footer. Bills and goods receipts print with it, one
// document on its own or many in one job (the bill register).
namespace print {

// What follows the grand-total line.
enum class ReceiptFooter {
    // A 76-dash rule, "Software Designed By :", the maker's name, e-mail and
    // web lines, a 76-dash rule. A document printed on its own: on a receipt
    // roll it is laid out for the roll (RollReceipt.h).
    Receipt,
    // A 105-dash rule, "Software Designed By :" with the maker's name, the
    // e-mail and web lines, a 105-dash rule, four empty lines.
    Register,
};

// Writes the document into the job, which the caller owns and ends. Each
// output step runs through `step` (see Report).
void receipt(PrintJob& job, const ShopHeader& letterhead, const ReceiptValues& document,
             ReceiptFooter footer, const Report::Step& step = {});

}  // namespace print
