#pragma once

#include <QString>
#include <QtGlobal>

class Connection;

// The printed receipt of a sales bill, as both bill screens and the bill
// query print it: shop header, bill number and date, customer, one line per
// bill line, grand total and the maker's footer.
namespace billing {

// Prints bill billNumber on the print destination, reading it through the
// connection (opened here, closed at the end). A failing statement is passed
// over and the print goes on; the last failure is shown once at the end.
void PrintBill(qint16 billNumber, Connection& connection);

// Print Bill of a bill screen: the bill whose number stands in the bill-number
// box. A box that does not hold a number prints nothing and shows nothing.
void PrintBill(const QString& billNumberText, Connection& connection);

}  // namespace billing
