#pragma once

#include <QDate>
#include <QVariant>
#include <QVector>
#include <QtGlobal>

// Values the stores read and the print lays out.

// A row of a printed document: stored values, each printed as it is
// (numbers with their blanks, dates as dd/MMM/yyyy, a Null as nothing).
using PrintedRow = QVector<QVariant>;

// A document (a bill, a goods receipt) as its receipt shows it.
struct ReceiptValues {
    qint16 number = 0;
    // The party and the date of the document's first line; Null when it has none.
    QVariant partyName;
    QVariant partyAddress;
    QVariant partyPhone;
    QVariant date;
    // Per line, in serial order: item, quantity, line amount, discount, total.
    QVector<PrintedRow> lines;
    // Per line, in serial order: its unit amount (what one of it costs).
    QVector<double> unitAmounts;
    double grandTotal = 0;
};

// What a receipt's grand total is read with: the lines' unit amounts, in
// serial order, and their line totals added and rounded once.
struct ReceiptTotal {
    QVector<double> unitAmounts;
    double grandTotal = 0;
};

// One bill's figures as "Show Total" and "Print Total" show them: each sum
// over all of the bill's lines rounded to a whole number, halves to even.
struct BillTotals {
    QDate date;  // the date of the bill's first line
    qint16 billNumber;
    double amount;
    double discount;
    double tax;
    double total;
};

// The four sums of the bills' rounded figures.
struct TotalsSums {
    int bills = 0;
    double amount = 0;
    double discount = 0;
    double tax = 0;
    double total = 0;

    void add(const BillTotals& bill)
    {
        ++bills;
        amount += bill.amount;
        discount += bill.discount;
        tax += bill.tax;
        total += bill.total;
    }
};
