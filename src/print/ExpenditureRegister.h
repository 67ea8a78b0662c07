#pragma once

#include "core/DocumentValues.h"
#include "core/ShopHeader.h"
#include "print/PrintJob.h"

#include <QVector>

namespace print {

// The printed expenditure register: every voucher (its BillNumber, Item,
// Amount and Date_ under the heads No, Head, Amt and Date) under the shop's
// letterhead, the grand total rounded to a whole number, and the maker's
// footer. Written into the job, which the caller owns and ends; throws at
// the first failing print step.
void expenditureRegister(PrintJob& job, const ShopHeader& letterhead, const QVector<PrintedRow>& vouchers,
                         double sumOfAmounts);

}  // namespace print
