#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace billing {

// One line of a bill or a receipt as it is written: the 17 values of the line
// layout of asigncharges, ItemIn and Stock.
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

    // The values of "insert into ... values(" in the order of the table, as
    // SQL text: CHARGES "-", SN 0 and MRP 0 in their places.
    QStringList values() const;
};

}  // namespace billing
