#pragma once

#include <QString>

class Connection;
class RecordSet;

// The printed expenditure register: every voucher in ascending number under
// the shop's letterhead, with the grand total rounded to a whole number.
namespace expenditure {

// "Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc"
extern const QString RegisterQuery;

// The sum of every voucher's amount; 0 when there is none (the database's sum
// of no rows is Null). Reads through the open connection. Throws.
double sumOfAmounts(RecordSet& result, Connection& connection);

// The Print of the voucher screen: the whole register, whatever voucher the
// box names, as long as it names one; a box without a number prints nothing.
// The first failure stops the print (nothing comes out) and is shown.
void PrintRegister(const QString& numberText, Connection& connection);

}  // namespace expenditure
