#pragma once

#include "print/Report.h"

#include <QString>

namespace reports {

// The printed report of the receipt, stock and expenditure queries: the
// letterhead, one line per row of rowsStatement (its first four fields, the
// number, item or head, amount and date, at columns 1, 6, 39 and 46), the
// grand total of totalStatement's first field and the footer, read on the
// shared connection. The first failure ends the report, which then prints
// nothing, and is shown.
void printQueryReport(const QString& rowsStatement, const QString& totalStatement,
                      const print::Footer& footer);

}  // namespace reports
