#pragma once

#include "families/LineDocumentScreen.h"

// The expenditure voucher screen: each Add stores one voucher of one line in
// ExpenditureTable under the next number, with its head, amount, the person
// paid, a remark and a date. The grid lists every voucher, newest first;
// choosing a number recalls a voucher into the boxes; Print prints the whole
// expenditure register. Vouchers carry no quantity, tax, discount or stock.
class Expenditure : public LineDocumentScreen {
    Q_OBJECT
public:
    explicit Expenditure(QWidget* parent = nullptr);

protected:
    double unitPrice() override;
    void addItem() override;
    void newDocument() override;
    void pickDocumentNumber() override;
    void showRecalledDocumentsDate() override;
    void deleteSerial() override;
    void showAfterDocumentDelete() override;
    void showFoundDocument(qint16 number) override;
    void showDocumentAsStored() override;
    void printDocument() override;

private:
    // The sum of all vouchers in lblGrandTotal, unrounded.
    void FindGrandTotal();
    // The list, the newest voucher and the total as stored, read again.
    void showVouchersAsStored();
    // The grid's No of the row clicked goes into cmbbillnumber; nothing is recalled.
    void pickGridRow();
};
