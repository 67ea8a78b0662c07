#pragma once

#include <QString>

// The master tables as billdb import and export name them.
namespace mastertables {

// "customers, items, suppliers, heads or personnel".
extern const char* const Words;

// The table a word names: customers Customer, items Charges, suppliers
// Supplier, heads ExpenditureHead, personnel ExpenditurePerson. Throws
// Failure for any other word.
QString tableNamed(const QString& word);

// "1 record", "2 records".
QString records(qsizetype count);

}  // namespace mastertables
