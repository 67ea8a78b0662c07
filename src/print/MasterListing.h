#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/Report.h"

#include <QVector>

namespace print {

// The two layouts of the printed master lists.
enum class MasterListLayout {
    Parties,      // SN, NAME, ADDRESS, PHONE: customers, suppliers
    PricedNames,  // SN, Item_Name, Price: the items
};

// A whole master table in SN order (each record's fields in the table's
// order) under the shop's letterhead, with the maker's footer. Written into
// the job, which the caller owns and ends; each output step runs through
// `step` (see Report).
void masterListing(PrintJob& job, MasterListLayout layout, const ShopHeader& letterhead,
                   const QVector<PrintedRow>& records, const Report::Step& step = {});

}  // namespace print
