#pragma once

#include <QString>

namespace stores {
class LineDocumentStore;
}

// The printed expenditure register: every voucher in ascending number under
// the shop's letterhead, with the grand total rounded to a whole number.
namespace expenditure {

// The Print of the voucher screen: the whole register, whatever voucher the
// box names, as long as it names one; a box without a number prints nothing.
// The first failure stops the print (nothing comes out) and is shown.
void PrintRegister(const QString& numberText, const stores::LineDocumentStore& vouchers);

}  // namespace expenditure
