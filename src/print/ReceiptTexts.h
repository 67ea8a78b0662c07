#pragma once

#include "core/DocumentValues.h"

#include <QStringList>

// The texts a receipt prints, whatever its paper: on a page (Receipt.h) or
// on a roll (RollReceipt.h).
namespace print {

// Under the letterhead: "Bill No : ", "Bill Date : " (dd/MMM/yyyy), "Name : ",
// "Address : " and "Phone : ", each followed by the document's value, or by
// 17 dashes where the document has none.
QStringList documentLines(const ReceiptValues& document);

// At the foot: "Software Designed By :", the maker's name, e-mail and web lines.
QStringList receiptFooterLines();

}  // namespace print
