#pragma once

#include "billing/BillScreen.h"

class QLineEdit;

// The simple bill screen: items are picked by name from the stock list and
// priced from the stock's MRP; the item code and batch stay hidden and empty.
class BillOne : public BillScreen {
    Q_OBJECT
public:
    explicit BillOne(QWidget* parent = nullptr);

protected:
    void fillItemList() override;
    QString unitPriceQuery() const override;
    QString itemCodeText() const override;
    QString batchText() const override;
    void deleteSerial() override;
    void deleteBill() override;

    QLineEdit* txtBatch;
};
