#pragma once

#include "print/Report.h"

#include <QString>

namespace families {

// The printed report of the receipt, stock and expenditure queries
// (print/QueryReport.h) of rowsStatement's rows and totalStatement's first
// field, read on the shared connection. The first failure ends the report,
// which then prints nothing, and is shown.
void printQueryReport(const QString& rowsStatement, const QString& totalStatement,
                      const print::Footer& footer);

}  // namespace families
