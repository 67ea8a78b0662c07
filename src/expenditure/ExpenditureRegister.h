#pragma once

#include "core/Letterhead.h"

#include <QString>
#include <QVariant>
#include <QVector>

class Connection;
class RecordSet;
namespace print {
class PrintJob;
}

// The printed expenditure register: every voucher in ascending number under
// the shop's letterhead, with the grand total rounded to a whole number.
namespace expenditure {

// One voucher as the register reads it: BillNumber, Item, Amount, Date_.
using VoucherRow = QVector<QVariant>;

// "Select BillNumber, Item, Amount , Date_ from ExpenditureTable  order by BillNumber asc"
extern const QString RegisterQuery;

// The sum of every voucher's amount; 0 when there is none (the database's sum
// of no rows is Null). Reads through the open connection. Throws.
double sumOfAmounts(RecordSet& result, Connection& connection);

// Writes the register into the job, which the caller owns and ends. Throws
// at the first failing print step.
void printRegister(print::PrintJob& job, const shop::Letterhead& letterhead, const QVector<VoucherRow>& vouchers,
                   double sumOfAmounts);

// The Print of the voucher screen: the whole register, whatever voucher the
// box names, as long as it names one; a box without a number prints nothing.
// The first failure stops the print (nothing comes out) and is shown.
void PrintRegister(const QString& numberText, Connection& connection);

}  // namespace expenditure
