#pragma once

#include <QDate>
#include <QVector>
#include <QtGlobal>

class Connection;

namespace reports {

// One bill's figures as "Show Total" and "Print Total" show them: each sum
// over all of the bill's lines rounded to a whole number, halves to even.
struct BillTotals {
    QDate date;  // the date of the bill's first line as the database returns them
    qint16 billNumber;
    double amount;
    double discount;
    double tax;
    double total;
};

// The bills with a line dated from `from` to `to` (both whole days), in
// ascending number, read with one statement on an open connection.
// Throws DbError.
QVector<BillTotals> billTotals(Connection& connection, const QDate& from, const QDate& to);

// The four sums of the rounded figures.
struct TotalsSums {
    int bills = 0;
    double amount = 0;
    double discount = 0;
    double tax = 0;
    double total = 0;

    void add(const BillTotals& bill);
};

}  // namespace reports
