#pragma once

#include <QString>

// The printed master lists: every record of a master table in SN order, on the
// default printer, with the shop's letterhead and the maker's footer.
namespace masters {

// "Customer" (the Customer table), "Supplier" (Supplier) or "Item" (Charges);
// any other name prints nothing.
void printMasterListing(const QString& listing);

}  // namespace masters
