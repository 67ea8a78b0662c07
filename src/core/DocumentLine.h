#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// One line of a document as it is written: the values of the line layout of
// asigncharges, ItemIn, Stock (17) and ExpenditureTable (the first 16).
struct DocumentLine {
    qint16 number = 0;  // the document's number; in Stock the stock row number
    qint16 serial = 0;  // 0 in Stock
    QString item;
    qint16 quantity = 0;
    double amount = 0;  // unit price
    double tax = 0;
    double discount = 0;
    QString partyName;
    QString partyAddress;
    QString partyPhone;
    QString remark;
    QDate date;
    QString itemCode;
    QString batch;
};
