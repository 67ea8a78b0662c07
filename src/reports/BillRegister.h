#pragma once

#include <QString>

namespace reports {

// The bill register: each bill the selection names (first field, in its
// order) printed as its receipt with the register's footer (a 105-dash
// block and four empty lines), one after another in one print job, read on
// the shared connection. A failing step is passed over; the last failure is
// told once at the end.
void printBillRegister(const QString& billSelection);

}  // namespace reports
